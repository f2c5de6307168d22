#include "indicator/input_mode.h"

namespace corvane {
namespace {

// Primary languages: the low 10 bits of a language identifier.
constexpr std::uint16_t kPrimaryMask = 0x03FF;
constexpr std::uint16_t kChinese = 0x04;
constexpr std::uint16_t kJapanese = 0x11;
constexpr std::uint16_t kKorean = 0x12;
// Chinese sublanguages written in traditional characters: Taiwan, Hong Kong,
// Macao, and the neutral traditional identifier.
constexpr std::uint16_t kTraditional[] = {0x0404, 0x0C04, 0x1404, 0x7C04};

}  // namespace

InputScript ScriptOfLanguage(std::uint16_t language) {
  switch (language & kPrimaryMask) {
    case kJapanese:
      return InputScript::kJapanese;
    case kKorean:
      return InputScript::kKorean;
    case kChinese:
      for (std::uint16_t traditional : kTraditional)
        if (language == traditional) return InputScript::kTraditionalChinese;
      return InputScript::kSimplifiedChinese;
    default:
      return InputScript::kNone;
  }
}

InputMode ModeOf(std::uint16_t language, std::optional<ImeState> state) {
  const InputScript script = ScriptOfLanguage(language);
  if (script == InputScript::kNone || !state) return InputMode::kNone;
  const bool native = state->open && (state->conversion & kModeNative) != 0;
  const bool fullShape = (state->conversion & kModeFullShape) != 0;
  switch (script) {
    case InputScript::kJapanese:
      if (native && (state->conversion & kModeKatakana) != 0)
        return fullShape ? InputMode::kKatakana : InputMode::kHalfKatakana;
      if (native) return InputMode::kHiragana;
      return state->open && fullShape ? InputMode::kFullAlphanumeric : InputMode::kAlphanumeric;
    case InputScript::kKorean:
      return native ? InputMode::kHangul : InputMode::kAlphanumeric;
    default:
      return native ? InputMode::kChinese : InputMode::kEnglish;
  }
}

const wchar_t* ModeLabel(InputMode mode) {
  switch (mode) {
    case InputMode::kHiragana:
      return L"\u3042";  // あ
    case InputMode::kKatakana:
      return L"\u30AB";  // カ
    case InputMode::kHalfKatakana:
      return L"\uFF76";  // ｶ
    case InputMode::kFullAlphanumeric:
      return L"\uFF21";  // Ａ
    case InputMode::kAlphanumeric:
      return L"A";
    case InputMode::kChinese:
      return L"\u4E2D";  // 中
    case InputMode::kEnglish:
      return L"\u82F1";  // 英
    case InputMode::kHangul:
      return L"\uAC00";  // 가
    default:
      return nullptr;
  }
}

}  // namespace corvane
