// fwMain: the program's one window. Hidden from creation; shown only as the
// consent window on a first run (or a moved executable, or "/debug"). After
// activation it hosts the polling timer, the drawing surfaces and the control
// menu until the process ends with it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/consent_window.h"
#include "app/startup.h"
#include "indicator/indicator.h"
#include "menu/about.h"
#include "menu/control_menu.h"
#include "menu/font_dialog.h"
#include "platform/desktop.h"
#include "platform/handles.h"
#include "platform/raw_input_watch.h"
#include "platform/session_watch.h"
#include "platform/version_record.h"

namespace corvane {

// What the process was started with.
struct Launch {
  std::string commandLine;        // as the system reports it, program name included
  std::string modulePath;         // full path of the executable file
  bool previousInstance = false;  // another instance of the program already runs
};

// Shows the control menu at `at` and returns the chosen command; `opening` runs
// before the items are drawn.
using MenuTracker =
    std::function<MenuCommand(ControlMenu& menu, HWND owner, POINT at, const std::function<void()>& opening)>;

// The services fwMain reaches the user and the system through; tests replace them.
struct Services {
  platform::Desktop& desktop = platform::SystemDesktop();
  MenuTracker trackMenu = [](ControlMenu& menu, HWND owner, POINT at, const std::function<void()>& opening) {
    return menu.Track(owner, at, opening);
  };
  MessageBoxSender messageBox = SystemMessageBox;
  FontChooser& fontChooser = SystemFontDialog();
};

class fwMain {
 public:
  static constexpr int kbbYesId = ConsentControls::kbbYesId;
  static constexpr int kbbNoId = ConsentControls::kbbNoId;
  static constexpr UINT_PTR ktoLangId = 1;
  static constexpr UINT ktoLangInterval = 100;  // milliseconds
  static constexpr char kClassName[] = "Corvane.fwMain";
  // Posted by a gesture seen in raw input: the menu opens from the queue.
  static constexpr UINT kOpenMenuMessage = WM_APP;

  fwMain(HINSTANCE instance, Launch launch, Services services = {});
  ~fwMain();
  fwMain(const fwMain&) = delete;
  fwMain& operator=(const fwMain&) = delete;

  // Creates the hidden window and runs Form_Load; shows the window when it was
  // laid out as the consent window.
  void Load();

  // Keyboard handling of the consent window (Tab, Enter, Escape, access keys);
  // true when the message was consumed.
  bool TranslateDialogKey(MSG& message);

  // Puts the user's own cursors back, once, when activation has had them
  // changed. Every end after activation comes through here: Quit, the window's
  // destruction whatever caused it, the end of the session and a crash (which
  // tells no other window: a broadcast would re-enter the crashed thread).
  void RestoreUserCursors(platform::Desktop::Notify notify = platform::Desktop::Notify::kBroadcast);

  // Null once the window is gone.
  HWND hWnd() const noexcept { return hwnd_; }
  // The settings file's path, set by activation (empty before).
  const std::string& Tag() const noexcept { return tag_; }
  const ProgramPaths& Paths() const noexcept { return paths_; }
  const platform::VersionRecord& Record() const noexcept { return record_; }
  Indicator& indicator() noexcept { return indicator_; }
  ControlMenu& mPopup() noexcept { return menu_; }

  void Form_Load();
  void bbYes_Click();
  void bbNo_Click();
  void Form_Unload();
  void toLang_Timer();
  void mPopup_Click();
  void mPopupAbout_Click();
  void mPopupFont_Click();
  void mPopupStart_Click();
  void mPopupExit_Click();
  // WM_SETTINGCHANGE: `action` is the SPI_SET... value that changed, or 0. The
  // input scope is read again; reloaded cursors (SPI_SETCURSORS) get the
  // label back at once, on the new I-beam if it changed.
  void OnSettingChange(WPARAM action);

 private:
  static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void Unload();
  // WM_DISPLAYCHANGE: the I-beam is captured again from the user's own cursors.
  void OnDisplayChange();
  void PrepareConsentWindow();
  void OpenControlMenu();
  void OnRawInput(HRAWINPUT input);

  HINSTANCE instance_;
  Launch launch_;
  Services services_;
  ProgramPaths paths_;
  platform::VersionRecord record_;
  platform::RawInputWatch rawInput_;
  platform::SessionWatch sessions_;
  Indicator indicator_;
  ControlMenu menu_;
  std::string tag_;
  // The consent-pending mark: "*" once the consent window is prepared.
  std::string bbYesTag_;
  ConsentControls consent_;
  HWND lastFocus_ = nullptr;
  // From activation until they are put back.
  bool cursorsChanged_ = false;
  // While the control menu or the command chosen in it runs.
  bool commandRunning_ = false;
  // The window, from WM_NCCREATE to WM_NCDESTROY. fwMain owns it: Unload and
  // the destructor destroy it, unless the system already did (a close request
  // reaching DefWindowProcA).
  HWND hwnd_ = nullptr;
};

}  // namespace corvane
