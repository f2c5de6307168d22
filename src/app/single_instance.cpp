#include "app/single_instance.h"

namespace corvane {

InstanceMark::InstanceMark(const char* name) : mutex_(CreateMutexA(nullptr, FALSE, name)) {
  // Also true when the mark exists but is another user's to open.
  const DWORD error = GetLastError();
  previous_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
}

}  // namespace corvane
