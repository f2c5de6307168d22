// What the label looks like beyond the language name: the labels and colours
// the user gives particular keyboard layouts, and the Caps Lock mark. Plain
// values in, plain values out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "indicator/label.h"

namespace corvane {

// The text and colour one layout's label is drawn with.
struct LabelStyle {
  std::string text;
  std::int32_t color = 0;  // a colour value as "ForeColor" holds it
  friend bool operator==(const LabelStyle&, const LabelStyle&) = default;
};

// The section "Layouts" of the settings file. A key names a layout by its
// handle (8 hexadecimal digits, F0020409) or by its language (4, 0409), in
// either case; the value is a label of 1 to 3 characters, optionally followed
// by "," and a colour as "ForeColor" stores it: 0419=RU,255. An empty label
// ("0419=,255") gives only a colour.
class LayoutLabels {
 public:
  // True for the first byte of a two-byte character in the file's code page.
  using LeadByteTest = bool (*)(char);

  LayoutLabels() = default;
  // From the section's lines as the profile reader returns them ("key=value").
  // A key that names no layout, a label longer than three characters and a
  // colour without a number are each left out on their own; of two lines with
  // the same key the first counts, as for the profile reader.
  explicit LayoutLabels(const std::vector<std::string>& lines, LeadByteTest isLeadByte = nullptr);

  // The label of `layout`: its text and its colour each from the line of the
  // layout's handle, else from the line of its language, else builtInText and
  // labelColor.
  LabelStyle For(std::uint32_t layout, const std::string& builtInText, std::int32_t labelColor) const;

 private:
  // One usable line; a language's key is its low 16 bits alone.
  struct Line {
    bool handle = false;
    std::uint32_t key = 0;
    std::optional<std::string> text;
    std::optional<std::int32_t> color;
  };
  // A few lines at most: searched in file order.
  std::vector<Line> lines_;
};

// A colour value from text by the settings file's number rule; nothing for a
// text that holds no number (which that rule would read as black), or one in
// hexadecimal or beyond 32 bits.
std::optional<std::int32_t> ColorFromText(std::string_view text);

struct LabelRect {
  int left = 0;
  int top = 0;
  int right = 0;  // exclusive
  int bottom = 0;
  friend bool operator==(LabelRect, LabelRect) = default;
};

// With Caps Lock on, the label sits in a box of its colour: from one pixel left
// of the text to one pixel right of it, over the text's whole line height.
constexpr LabelRect CapsLockBox(LabelPoint at, int tw, int th) {
  return {at.x - 1, at.y, at.x + tw + 1, at.y + th};
}

// The colour of the text inside the Caps Lock box (0x00BBGGRR): black on a
// light box, white on a dark one, never the colour `keyedOut` that turns
// transparent on the cursor.
std::uint32_t BoxTextColor(std::uint32_t box, std::uint32_t keyedOut);

}  // namespace corvane
