// The indicator: the polling tick, the two drawing surfaces and the rendering
// of the language label onto the system I-beam cursor.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "indicator/cursor_fingerprint.h"
#include "indicator/cursor_image.h"
#include "indicator/ibeam_check.h"
#include "indicator/input_mode_reader.h"
#include "indicator/label_settings.h"
#include "indicator/surface.h"
#include "platform/desktop.h"
#include "platform/handles.h"

namespace corvane {

// The label for a keyboard layout: the ISO 639 name of its language (low
// 16 bits) in upper case, or kUnknownLanguageLabel when the system has none.
std::string LayoutLabel(DWORD layout);

class Indicator {
 public:
  static constexpr int kLeftShift = VK_LSHIFT;
  static constexpr int kMiddleButton = VK_MBUTTON;
  static constexpr int kCapsLock = VK_CAPITAL;
  static constexpr DWORD kIBeamCursorId = OCR_IBEAM;
  // The bits of a key state that say the key is down, and that its toggle is on.
  static constexpr SHORT kKeyDown = 0x80;
  static constexpr SHORT kToggled = 0x01;

  // `openControlMenu` runs on the tick that sees left Shift and the middle
  // button down; it may be empty until the menu exists. `watchGesture` is told
  // when a tick finds the left Shift key gone down (true) or up (false).
  explicit Indicator(platform::Desktop& desktop, std::function<void()> openControlMenu = {},
                     std::function<void(bool)> watchGesture = {});
  Indicator(const Indicator&) = delete;
  Indicator& operator=(const Indicator&) = delete;

  // Where the language the user will type in is kept. Per window: each
  // thread has its own, so the window under the pointer tells (Windows 7, or
  // the option "Let me use a different input method for each app window").
  // Session: one language for all windows, and only the foreground thread
  // hears of a switch, so it is the one that tells (the default since Windows 8).
  enum class InputScope { kPerWindow, kSession };
  // The polling ticks between two reads of the scope (about five seconds).
  static constexpr int kScopeReadTicks = 50;

  // Element 0 is the template (the stock I-beam on white), element 1 the work
  // surface the label is drawn on; its font and colour are the label's.
  std::array<Surface, 2> pbCursor;

  // The layout last drawn; 0 until the first tick that sees two layouts.
  DWORD LastLayout() const { return lastLayout_; }
  // The input method's mode last drawn in its place (Chinese, Japanese and
  // Korean layouts); kNone while the layout's own label shows.
  InputMode LastMode() const { return lastMode_; }
  // The stock I-beam's icon information, captured by PrepareSurfaces.
  const ICONINFO& IBeamInfo() const { return iBeam_.info; }

  // Once, after element 0 has its label font and colour: makes element 1 its
  // copy, reloads the system cursors and makes the user's I-beam on white the
  // template's picture. Both surfaces take the I-beam's own size (its bitmap's,
  // whatever the cursor metrics say), so the beam and its hot spot need no
  // scaling.
  void PrepareSurfaces();

  // The system has announced reloaded cursors (another scheme, size or
  // colour, a theme, a tool): once a label has been drawn, and with two
  // layouts, installs it again at once, rebuilt on the stock I-beam when that
  // differs from the template's (size, hot spot or pixels). An announcement
  // while the labelled I-beam is still in place (no reload behind it)
  // captures nothing, so the label is never drawn on a labelled I-beam.
  void RefreshIBeam();

  // A session change or a resume may have reloaded the cursors unannounced:
  // the next idle tick checks the I-beam instead of waiting for its turn.
  void CheckIBeamSoon() { check_.Soon(); }

  // The display changed while the labelled I-beam is installed: puts the
  // user's cursors back without telling other windows, captures the I-beam
  // again and draws the current label anew.
  void RefreshAfterDisplayChange();

  // Reads the input scope now; a failed read (before Windows 8) counts as
  // per window. Activation and a changed system setting call it, and the tick
  // every kScopeReadTicks.
  void ReadInputScope();
  InputScope Scope() const { return scope_; }

  // Takes the per-layout labels and the Caps Lock option from the settings
  // file, now and after each later edit of it.
  void UseSettingsFile(const std::string& path);

  // Draws the label of LastLayout() on the I-beam and installs the result as
  // the system I-beam.
  void UpdateIndicator();

  // The 100 ms tick: opens the control menu on the gesture, otherwise redraws
  // when the layout the user would type in has changed (see InputScope), or
  // its input method's mode, or with "CapsLock=1" the Caps Lock toggle. A
  // layout of 0 changes nothing. Once a label is drawn, an idle tick about
  // once a second checks that the system's I-beam is still the one installed
  // (see IBeamCheck) and installs it again when an unannounced reload took it
  // away.
  void toLang_Timer();

  // A raw input report (watched while the left Shift key is down): true when
  // it is a middle-button press made with the left Shift key down, however
  // short the click, which the ticks alone could miss.
  bool IsGestureClick(const RAWINPUT& report);

 private:
  // Tells watchGesture when the left Shift key has changed since the last tick.
  void WatchGesture(bool leftShift);
  // The layout of the thread that owns the window under the pointer, that window in `window`.
  DWORD WindowLayout(HWND& window);
  // The layout of the thread that has the keyboard focus in the foreground
  // window, that window in `window`; 0 when there is none, or when it is this
  // program's own thread.
  DWORD SessionLayout(HWND& window);
  // Caps Lock is on and the settings ask to show it; the key is read only then.
  bool CapsLockShown();
  // The text and colour for LastLayout(): the settings file's, else the built-in.
  LabelStyle ChooseLabel() const;
  // Draws the label at the bottom-right corner of `work`, in its box when Caps
  // Lock is on; a face without its glyphs is taken in `fallbackCharset`.
  static void DrawLabel(Surface& work, std::wstring_view text, std::int32_t color, BYTE fallbackCharset,
                        bool capsLock);
  // Takes the stock I-beam into the template when it differs from the one
  // there (or `always`); true when it did.
  bool CaptureIBeam(bool always);
  // The system's I-beam is still the cursor read back after the last install.
  bool IBeamStillInstalled();
  // An idle tick's turn of the I-beam check.
  void CheckIBeam();

  platform::Desktop& desktop_;
  std::function<void()> openControlMenu_;
  std::function<void(bool)> watchGesture_;
  // The left Shift key as the last tick saw it.
  bool leftShiftSeen_ = false;
  DWORD lastLayout_ = 0;
  InputModeReader inputMode_{desktop_};
  InputMode lastMode_ = InputMode::kNone;
  InputScope scope_ = InputScope::kPerWindow;
  int ticksSinceScopeRead_ = 0;
  // The program's own thread: its menu and dialogs in front are not where the user types.
  DWORD ownThread_ = 0;
  // Whether the label last drawn carries the Caps Lock mark.
  bool lastCapsLock_ = false;
  LabelSettings settings_;
  // Whether a label has been installed, so that a refresh has one to redraw.
  bool drawn_ = false;
  platform::IconInfo iBeam_;
  // The user's I-beam as it lies in the template, with its own planes.
  CursorImage iBeamImage_;
  CursorReader reader_;
  // The template's I-beam, and the system's I-beam read back after the last install.
  CursorFingerprint scheme_;
  CursorFingerprint installed_;
  IBeamCheck check_;
};

}  // namespace corvane
