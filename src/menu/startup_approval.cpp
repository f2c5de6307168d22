#include "menu/startup_approval.h"

namespace corvane {

namespace {

constexpr unsigned char kSwitchedOffBit = 0x01;
constexpr unsigned char kEnabledState = 0x02;
constexpr size_t kMarkSize = 12;

}  // namespace

bool StartupMarkDisabled(std::string_view mark) {
  return !mark.empty() && (static_cast<unsigned char>(mark.front()) & kSwitchedOffBit) != 0;
}

std::string EnabledStartupMark() {
  std::string mark(kMarkSize, '\0');
  mark.front() = static_cast<char>(kEnabledState);
  return mark;
}

}  // namespace corvane
