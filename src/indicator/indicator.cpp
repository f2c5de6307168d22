#include "indicator/indicator.h"

#include <cstdint>
#include <utility>

#include "indicator/cursor_composition.h"
#include "indicator/label.h"

namespace corvane {
namespace {

// The whole 32-bit layout handle, the value that is compared and stored.
DWORD LayoutValue(HKL layout) { return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(layout)); }

}  // namespace

std::string LayoutLabel(DWORD layout) {
  std::array<char, 4> name{' ', ' ', ' ', ' '};
  const LCID locale = MAKELCID(LOWORD(layout), SORT_DEFAULT);
  const int result = GetLocaleInfoA(locale, LOCALE_SISO639LANGNAME, name.data(), static_cast<int>(name.size()));
  return LabelFromLocaleName(name, result);
}

Indicator::Indicator(platform::Desktop& desktop, std::function<void()> openControlMenu,
                     std::function<void(bool)> watchGesture)
    : desktop_(desktop), openControlMenu_(std::move(openControlMenu)), watchGesture_(std::move(watchGesture)) {}

void Indicator::PrepareSurfaces() {
  // The work surface takes the label font and colour before the I-beam goes into the template.
  pbCursor[1].CopySettingsFrom(pbCursor[0]);
  // With the configured cursors back, the I-beam captured below is the user's
  // own even when a labelled one is still installed from an earlier run.
  desktop_.ReloadSystemCursors(platform::Desktop::Notify::kBroadcast);
  CaptureIBeam(true);
}

bool Indicator::CaptureIBeam(bool always) {
  HCURSOR iBeam = desktop_.StockIBeam();
  const CursorFingerprint seen = reader_.Read(iBeam);
  if (!always && seen == scheme_) return false;
  platform::IconInfo info;
  platform::QueryIconInfo(iBeam, info);
  CursorImage image = ReadCursorImage(info.info);
  // The I-beam's own size: SM_CXCURSOR is only nominal, and the icon metrics
  // would squeeze a larger pointer. The metrics serve only an unreadable one.
  const int width = image.width > 0 ? image.width : desktop_.CursorWidth();
  const int height = image.height > 0 ? image.height : desktop_.CursorHeight();
  Surface& templateSurface = pbCursor[0];
  templateSurface.DropPicture();
  templateSurface.SetSize(width, height);
  pbCursor[1].SetSize(width, height);
  DrawIconEx(templateSurface.Dc(), 0, 0, iBeam, width, height, 0, nullptr, DI_NORMAL);
  templateSurface.SetPictureFromImageOf(templateSurface);
  iBeam_ = std::move(info);
  iBeamImage_ = std::move(image);
  scheme_ = seen;
  return true;
}

bool Indicator::IBeamStillInstalled() {
  return check_.LastInstallStuck() && reader_.Read(desktop_.StockIBeam()) == installed_;
}

void Indicator::RefreshIBeam() {
  if (!drawn_ || !IBeamStillInstalled()) CaptureIBeam(false);
  if (drawn_ && desktop_.KeyboardLayoutCount() >= 2) UpdateIndicator();
}

void Indicator::CheckIBeam() {
  if (!drawn_ || !check_.Tick() || IBeamStillInstalled() || !check_.MayReinstall()) return;
  CaptureIBeam(false);
  UpdateIndicator();
}

void Indicator::RefreshAfterDisplayChange() {
  // The stock I-beam is still the labelled copy until the user's cursors are back.
  desktop_.ReloadSystemCursors(platform::Desktop::Notify::kQuiet);
  CaptureIBeam(false);
  // The reload took the label away, whether or not the I-beam changed.
  if (drawn_) UpdateIndicator();
}

void Indicator::ReadInputScope() {
  ticksSinceScopeRead_ = 0;
  ownThread_ = desktop_.CurrentThread();
  BOOL perWindow = FALSE;
  scope_ = desktop_.ThreadLocalInput(perWindow) && !perWindow ? InputScope::kSession : InputScope::kPerWindow;
}

void Indicator::UseSettingsFile(const std::string& path) { settings_.Open(path); }

LabelStyle Indicator::ChooseLabel() const {
  return settings_.Layouts().For(lastLayout_, LayoutLabel(lastLayout_), pbCursor[1].ForeColor());
}

void Indicator::DrawLabel(Surface& work, std::wstring_view text, std::int32_t color, BYTE fallbackCharset,
                          bool capsLock) {
  const SIZE extent = work.MeasureText(text, fallbackCharset);
  const LabelPoint at = LabelOrigin(work.Width(), work.Height(), extent.cx, extent.cy);
  if (!capsLock) {
    work.PrintText(at.x, at.y, text, color, fallbackCharset);
    return;
  }
  const LabelRect box = CapsLockBox(at, extent.cx, extent.cy);
  work.Fill(RECT{box.left, box.top, box.right, box.bottom}, color);
  const COLORREF boxed = BoxTextColor(Surface::Resolve(color), Surface::Resolve(work.BackColor()));
  work.PrintText(at.x, at.y, text, static_cast<std::int32_t>(boxed), fallbackCharset);
}

void Indicator::UpdateIndicator() {
  // An input method's mode takes the place of the layout's text, in the layout's colour.
  const LabelStyle label = ChooseLabel();
  const wchar_t* mode = ModeLabel(lastMode_);
  Surface& work = pbCursor[1];
  // Taking the template's image as the picture clears the work surface back to
  // the plain I-beam, so nothing of the previous label survives.
  work.SetPictureFromImageOf(pbCursor[0]);
  if (mode)
    DrawLabel(work, mode, label.color, ScriptCharset(ScriptOfLanguage(LOWORD(lastLayout_))), lastCapsLock_);
  else
    DrawLabel(work, CodePageText(label.text), label.color, SystemCodePageCharset(), lastCapsLock_);
  work.SetPictureFromImageOf(work);

  const ICONINFO& hot = iBeam_.info;
  HICON cursor = ComposeCursor(work, label.color, iBeamImage_, static_cast<SHORT>(hot.xHotspot),
                               static_cast<SHORT>(hot.yHotspot), desktop_);
  // The system owns a cursor it accepted; one it refused would be lost otherwise.
  if (!desktop_.InstallSystemCursor(cursor, kIBeamCursorId) && cursor) DestroyCursor(cursor);
  drawn_ = true;
  // Read back, as Windows may have converted it: the check compares with
  // this. Still the template's I-beam: the install did not stick.
  installed_ = reader_.Read(desktop_.StockIBeam());
  check_.Installed(!(installed_ == scheme_));
  check_.Resume();
}

bool Indicator::CapsLockShown() {
  return settings_.CapsLock() && (desktop_.KeyState(kCapsLock) & kToggled) != 0;
}

DWORD Indicator::WindowLayout(HWND& window) {
  POINT pointer{0, 0};
  if (!desktop_.CursorPos(pointer)) pointer = POINT{0, 0};
  window = desktop_.WindowAt(pointer);
  // No window gives thread 0, which asks for this program's own thread's layout.
  const DWORD thread = desktop_.WindowThread(window);
  return LayoutValue(desktop_.ThreadLayout(thread));
}

DWORD Indicator::SessionLayout(HWND& window) {
  GUITHREADINFO foreground{};
  if (!desktop_.ForegroundThreadInfo(foreground)) return 0;
  window = foreground.hwndFocus ? foreground.hwndFocus : foreground.hwndActive;
  if (!window) return 0;
  const DWORD thread = desktop_.WindowThread(window);
  // Thread 0 (the window has just gone) would ask for this program's own layout.
  if (thread == 0 || thread == ownThread_) return 0;
  return LayoutValue(desktop_.ThreadLayout(thread));
}

void Indicator::toLang_Timer() {
  // Both keys are read on every tick, the gesture before anything else.
  const bool leftShift = (desktop_.KeyState(kLeftShift) & kKeyDown) != 0;
  const bool middleButton = (desktop_.KeyState(kMiddleButton) & kKeyDown) != 0;
  WatchGesture(leftShift);
  if (leftShift && middleButton) {
    if (openControlMenu_) openControlMenu_();
    return;
  }
  if (desktop_.KeyboardLayoutCount() < 2) return;

  if (++ticksSinceScopeRead_ >= kScopeReadTicks) ReadInputScope();
  HWND window = nullptr;
  const DWORD layout = scope_ == InputScope::kSession ? SessionLayout(window) : WindowLayout(window);
  // An ended thread, a console window's (it names its client program's
  // thread, which has no layout), no foreground window: no language to show.
  if (layout == 0) return CheckIBeam();
  const InputMode mode = inputMode_.Read(layout, window);
  bool capsLock = CapsLockShown();
  if (layout == lastLayout_ && mode == lastMode_ && capsLock == lastCapsLock_) return CheckIBeam();
  lastLayout_ = layout;
  lastMode_ = mode;
  // Edits of the settings file apply from the next change on.
  if (settings_.Refresh()) capsLock = CapsLockShown();
  lastCapsLock_ = capsLock;
  UpdateIndicator();
}

void Indicator::WatchGesture(bool leftShift) {
  if (leftShift == leftShiftSeen_) return;
  leftShiftSeen_ = leftShift;
  if (watchGesture_) watchGesture_(leftShift);
}

bool Indicator::IsGestureClick(const RAWINPUT& report) {
  return report.header.dwType == RIM_TYPEMOUSE && (report.data.mouse.usButtonFlags & RI_MOUSE_MIDDLE_BUTTON_DOWN) &&
         (desktop_.KeyState(kLeftShift) & kKeyDown) != 0;
}

}  // namespace corvane
