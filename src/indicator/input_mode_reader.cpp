#include "indicator/input_mode_reader.h"

namespace corvane {

static_assert(kModeNative == IME_CMODE_NATIVE && kModeKatakana == IME_CMODE_KATAKANA &&
              kModeFullShape == IME_CMODE_FULLSHAPE && IME_CMODE_HANGUL == IME_CMODE_NATIVE);

BYTE ScriptCharset(InputScript script) {
  switch (script) {
    case InputScript::kJapanese:
      return SHIFTJIS_CHARSET;
    case InputScript::kKorean:
      return HANGUL_CHARSET;
    case InputScript::kSimplifiedChinese:
      return GB2312_CHARSET;
    case InputScript::kTraditionalChinese:
      return CHINESEBIG5_CHARSET;
    default:
      return DEFAULT_CHARSET;
  }
}

InputMode InputModeReader::Read(DWORD layout, HWND window) {
  if (quietTicks_ > 0) --quietTicks_;
  const WORD language = LOWORD(layout);
  if (ScriptOfLanguage(language) == InputScript::kNone) {
    layout_ = 0;
    return InputMode::kNone;
  }
  DWORD input = 0;
  const bool inputKnown = desktop_.LastInput(input) != FALSE;
  if (settled_ && inputKnown && input == input_ && window == window_ && layout == layout_) return mode_;
  // A mode read under another layout says nothing about this one.
  if (layout != layout_) mode_ = InputMode::kNone;
  layout_ = layout;
  window_ = window;
  if (window == quietWindow_ && quietTicks_ > 0) return mode_;

  // No window under the pointer shows this program's own layout, whose mode is no one's.
  const HWND ime = window ? desktop_.ImeWindow(window) : nullptr;
  DWORD_PTR open = 0;
  DWORD_PTR conversion = 0;
  DWORD error = ime ? desktop_.ImeControl(ime, IMC_GETOPENSTATUS, kTimeoutMs, open) : ERROR_INVALID_WINDOW_HANDLE;
  // A closed method types directly, whatever its conversion mode says.
  if (error == ERROR_SUCCESS && open) error = desktop_.ImeControl(ime, IMC_GETCONVERSIONMODE, kTimeoutMs, conversion);
  if (error == ERROR_TIMEOUT) {
    // Busy or hung: the mode shown stays rather than flicker, and the window gets time.
    quietWindow_ = window;
    quietTicks_ = kQuietTicks;
    settled_ = false;
    return mode_;
  }
  settled_ = inputKnown && input == input_;
  input_ = input;
  // No input method window, an elevated program's window (access denied), a window gone.
  mode_ = error == ERROR_SUCCESS
              ? ModeOf(language, ImeState{open != 0, static_cast<std::uint32_t>(conversion)})
              : InputMode::kNone;
  return mode_;
}

}  // namespace corvane
