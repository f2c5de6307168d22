// The input method's mode for Chinese, Japanese and Korean layouts, named as
// Windows' own indicators name it: plain values in, plain values out.
#pragma once

#include <cstdint>
#include <optional>

namespace corvane {

// The layouts whose input method has modes worth showing, by the script their
// native mode types in; the script decides the labels and the character set
// they are drawn in.
enum class InputScript { kNone, kJapanese, kKorean, kSimplifiedChinese, kTraditionalChinese };

// The script of a layout's language (the low 16 bits of its handle): the
// primary language alone decides, every sublanguage of Chinese included.
InputScript ScriptOfLanguage(std::uint16_t language);

enum class InputMode {
  kNone,  // no mode to show: the layout's own label
  kHiragana,
  kKatakana,
  kHalfKatakana,
  kFullAlphanumeric,
  kAlphanumeric,
  kChinese,
  kEnglish,
  kHangul,
};

// The bits of an input method's conversion mode that decide the label (the
// IME_CMODE_ values).
inline constexpr std::uint32_t kModeNative = 0x0001;
inline constexpr std::uint32_t kModeKatakana = 0x0002;
inline constexpr std::uint32_t kModeFullShape = 0x0008;

// What the input method window answered: its open status and, when open, its
// conversion mode.
struct ImeState {
  bool open = false;
  std::uint32_t conversion = 0;
};

// The mode to show for `language` in `state`; kNone for a language of no
// script above or an unknown state. Native needs the method open and the
// native bit (Chinese methods report open in English mode too); a closed method
// types directly, as the alphanumeric mode does.
InputMode ModeOf(std::uint16_t language, std::optional<ImeState> state);

// The label of a mode, in Unicode; null for kNone.
const wchar_t* ModeLabel(InputMode mode);

}  // namespace corvane
