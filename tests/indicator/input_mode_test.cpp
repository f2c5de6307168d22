#include "indicator/input_mode.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// The label for a language, open status and conversion mode, as Windows' own indicators name the modes.
TEST(ModeOf, NamesTheModeAsWindowsIndicatorsDo) {
  constexpr std::uint32_t native = kModeNative, kana = kModeKatakana, full = kModeFullShape;
  // The Roman, character-code, soft-keyboard, no-conversion, EUDC, symbol and fixed bits change nothing.
  constexpr std::uint32_t others = 0x10 | 0x20 | 0x80 | 0x100 | 0x200 | 0x400 | 0x800;
  const std::optional<ImeState> unknown;
  const struct { std::uint16_t language; std::optional<ImeState> state; const wchar_t* label; } rows[] = {
      {0x0411, ImeState{true, native | full}, L"\u3042"}, {0x0411, ImeState{true, native | others}, L"\u3042"},
      {0x0411, ImeState{true, native | kana | full}, L"\u30AB"}, {0x0411, ImeState{true, native | kana}, L"\uFF76"},
      {0x0411, ImeState{true, full | others}, L"\uFF21"}, {0x0411, ImeState{true, others}, L"A"},
      {0x0411, ImeState{true, kana | full}, L"\uFF21"}, {0x0411, ImeState{false, native | kana | full}, L"A"},
      {0x0804, ImeState{true, native | others}, L"\u4E2D"}, {0x0804, ImeState{true, full}, L"\u82F1"},
      {0x0804, ImeState{false, native}, L"\u82F1"}, {0x0404, ImeState{true, native}, L"\u4E2D"},
      {0x1004, ImeState{true, 0}, L"\u82F1"}, {0x0412, ImeState{true, native | full}, L"\uAC00"},
      {0x0412, ImeState{true, full | others}, L"A"}, {0x0412, ImeState{false, native}, L"A"},
      {0x0411, unknown, nullptr}, {0x0412, unknown, nullptr}, {0x0409, ImeState{true, native}, nullptr},
      {0x0419, ImeState{true, native | kana}, nullptr}, {0x7804, ImeState{true, native}, L"\u4E2D"}};
  for (const auto& row : rows) {
    const wchar_t* label = ModeLabel(ModeOf(row.language, row.state));
    EXPECT_EQ(label ? std::wstring(label) : L"-", row.label ? std::wstring(row.label) : L"-") << &row - rows;
  }
  // The script, which picks the character set: traditional for Taiwan, Hong Kong and Macao.
  using enum InputScript;
  for (auto [language, script] : {std::pair{0x0411, kJapanese}, {0x0412, kKorean}, {0x0804, kSimplifiedChinese},
                                  {0x1004, kSimplifiedChinese}, {0x0404, kTraditionalChinese},
                                  {0x0C04, kTraditionalChinese}, {0x1404, kTraditionalChinese}, {0x0409, kNone}})
    EXPECT_EQ(ScriptOfLanguage(static_cast<std::uint16_t>(language)), script) << language;
}

}  // namespace
}  // namespace corvane
