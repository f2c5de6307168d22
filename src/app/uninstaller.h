// "Corvane.exe /uninstall [/quiet]": ends a running Corvane, then removes the
// program's entries from the registry and says what it removed and what is left.
#pragma once

#include <functional>

#include "app/single_instance.h"
#include "app/startup.h"
#include "app/uninstall.h"
#include "menu/about.h"
#include "platform/version_record.h"

namespace corvane {

// How a running Corvane is ended (EndRunningInstance on the main window's
// class), and how the message box is shown; tests replace them.
struct UninstallServices {
  std::function<InstanceEnd()> endRunning;
  MessageBoxSender messageBox = SystemMessageBox;
};

// The real ending of a running instance.
InstanceEnd EndRunningCorvane();

// Runs the uninstall for the program at `paths` and returns its exit code
// (kNothingRemains, kSomethingRemains, kStillRunning). Writes nothing: it only
// reads and deletes. While it removes, it holds the instance mark, so a start
// in the meantime ends at once.
int Uninstall(UninstallMode mode, const ProgramPaths& paths, const platform::VersionRecord& record,
              const UninstallServices& services = {EndRunningCorvane});

}  // namespace corvane
