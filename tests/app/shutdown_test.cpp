// How an activated fwMain ends, in this process: every end it can see puts the
// user's cursors back exactly once, a crash still ends as that crash, and the
// menu's commands run one at a time.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>
#include <new>

#include "app/fw_main.h"
#include "support/files.h"
#include "support/registry.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

bool QuitPosted() {
  MSG message;
  return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// Stand-ins for the crash handlers in place before activation (the run-time's,
// the system's crash reporting): they must still see the crash, after the
// cursors came back.
const testing::ScriptedDesktop* crashing = nullptr;
void HandedOn() {
  std::fprintf(stderr, "handed on after %d reloads\n", crashing->reloads);
  std::fflush(stderr);
}
LONG WINAPI FilterBefore(EXCEPTION_POINTERS*) {
  HandedOn();
  return EXCEPTION_CONTINUE_SEARCH;
}
[[noreturn]] void TerminateBefore() {
  HandedOn();
  std::abort();
}

class ShutdownTest : public ::testing::Test {
 protected:
  const testing::TempFolder temp{"corvane-shutdown-tests"};
  const std::string folder = temp.path;
  testing::ScriptedDesktop desktop;
  int openings = 0;                  // of the menu, which answers About first, then Quit
  std::function<void()> whileShown;  // runs while the About box is up
  std::unique_ptr<fwMain> main_;

  void SetUp() override { Start(); }
  void TearDown() override {
    main_.reset();
    QuitPosted();
    testing::ForgetProgram();
  }

  // A start after an earlier consent: activated at once.
  void Start() {
    testing::WriteHklm(testing::kAppKey, "", folder);
    const auto track = [this](ControlMenu&, HWND, POINT, const std::function<void()>&) {
      return ++openings == 1 ? MenuCommand::About : MenuCommand::Exit;
    };
    const auto box = [this](const MSGBOXPARAMSA&) {
      whileShown();
      return IDOK;
    };
    desktop.reloads = openings = 0;
    main_ = std::make_unique<fwMain>(GetModuleHandleA(nullptr),
                                     Launch{"\"" + folder + "\\Corvane.exe\"", folder + "\\Corvane.exe"},
                                     Services{.desktop = desktop, .trackMenu = track, .messageBox = box});
    main_->Load();
    ASSERT_EQ(desktop.reloads, 1) << "activation reloads the cursors";
  }

  // A tick with left Shift and the middle button held.
  void Gesture() {
    desktop.Press(VK_LSHIFT);
    desktop.Press(VK_MBUTTON);
    main_->toLang_Timer();
    desktop.keyStates.clear();
  }
};

TEST_F(ShutdownTest, EndsOnlyWhenAskedAndThenPutsTheCursorsBackOnce) {
  // A session end that was called off changes nothing.
  SendMessageA(main_->hWnd(), WM_ENDSESSION, FALSE, 0);
  EXPECT_NE(main_->hWnd(), nullptr);
  // A WM_QUIT from another program ends the loop with the window still there;
  // leaving WinMain destroys it.
  PostMessageA(main_->hWnd(), WM_QUIT, 0, 0);
  EXPECT_TRUE(QuitPosted());
  main_.reset();
  EXPECT_EQ(desktop.reloads, 2);
}

// A crash in a command run from a tick, SEH or C++, that no code of the program
// handles: the cursors come back, then the process dies of it as before, with
// its exit code.
TEST_F(ShutdownTest, CrashPutsTheCursorsBackAndStillEndsAsThatCrash) {
  const auto crashInTicks = [this] {
    main_.reset();
    QuitPosted();
    SetUnhandledExceptionFilter(&FilterBefore);
    std::set_terminate(&TerminateBefore);
    crashing = &desktop;
    Start();
    desktop.Press(VK_LSHIFT);
    desktop.Press(VK_MBUTTON);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;) DispatchMessageA(&message);
  };
  whileShown = [] { RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr); };
  EXPECT_EXIT(crashInTicks(), ::testing::ExitedWithCode(static_cast<int>(EXCEPTION_ACCESS_VIOLATION)),
              "handed on after 2 reloads");
  whileShown = [] { throw std::bad_alloc(); };
  // std::abort's exit code.
  EXPECT_EXIT(crashInTicks(), ::testing::ExitedWithCode(3), "handed on after 2 reloads");
}

// The gesture held again while a command's window (here the About box) is up
// opens no menu over it: otherwise boxes pile up and Quit destroys the window
// that owns one.
TEST_F(ShutdownTest, OneCommandAtATime) {
  whileShown = [this] { Gesture(); };
  Gesture();
  EXPECT_EQ(openings, 1);
  EXPECT_NE(main_->hWnd(), nullptr);
}

}  // namespace
}  // namespace corvane
