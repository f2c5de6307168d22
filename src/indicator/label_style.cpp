#include "indicator/label_style.h"

#include "storage/number_text.h"

namespace corvane {
namespace {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::uint32_t> HexNumber(std::string_view digits) {
  std::uint32_t value = 0;
  for (char c : digits) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

// 1 to 3 characters; a two-byte character counts once, and one cut after its
// first byte makes the label unusable.
bool IsLabel(std::string_view text, LayoutLabels::LeadByteTest isLeadByte) {
  int characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i, ++characters) {
    if (isLeadByte && isLeadByte(text[i]) && ++i == text.size()) return false;
  }
  return characters >= 1 && characters <= 3;
}

}  // namespace

LayoutLabels::LayoutLabels(const std::vector<std::string>& lines, LeadByteTest isLeadByte) {
  for (std::string_view text : lines) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = Trimmed(text.substr(0, equals));
    const std::optional<std::uint32_t> id = HexNumber(key);
    if (!id || (key.size() != 8 && key.size() != 4)) continue;

    // The label cannot hold a comma: the first one starts the colour.
    const std::string_view value = text.substr(equals + 1);
    const std::size_t comma = value.find(',');
    Line line{key.size() == 8, *id, std::nullopt, std::nullopt};
    if (const std::string_view label = Trimmed(value.substr(0, comma)); IsLabel(label, isLeadByte)) {
      line.text = std::string(label);
    }
    if (comma != std::string_view::npos) line.color = ColorFromText(value.substr(comma + 1));
    lines_.push_back(std::move(line));
  }
}

LabelStyle LayoutLabels::For(std::uint32_t layout, const std::string& builtInText, std::int32_t labelColor) const {
  // Of two lines with the same key the first counts.
  const Line* language = nullptr;
  const Line* handle = nullptr;
  for (const Line& line : lines_) {
    if (!line.handle && !language && line.key == (layout & 0xFFFF)) language = &line;
    if (line.handle && !handle && line.key == layout) handle = &line;
  }
  LabelStyle style{builtInText, labelColor};
  // The language's line first, so that the handle's overrides it.
  for (const Line* line : {language, handle}) {
    if (!line) continue;
    if (line->text) style.text = *line->text;
    if (line->color) style.color = *line->color;
  }
  return style;
}

std::optional<std::int32_t> ColorFromText(std::string_view text) {
  // A number starts with a digit, or a point and a digit, after an optional
  // sign; the number rule skips blanks wherever they stand.
  const auto next = [&text] {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text.empty() ? '\0' : text.front();
  };
  const std::string_view whole = text;
  if (const char sign = next(); sign == '+' || sign == '-') text.remove_prefix(1);
  if (next() == '.') text.remove_prefix(1);
  if (const char digit = next(); digit < '0' || digit > '9') return std::nullopt;
  return DwordFromText(whole);
}

std::uint32_t BoxTextColor(std::uint32_t box, std::uint32_t keyedOut) {
  // The box is 0x00BBGGRR.
  const std::uint32_t text = IsLight(box & 0xFF, box >> 8 & 0xFF, box >> 16 & 0xFF) ? 0x000000 : 0xFFFFFF;
  return text == keyedOut ? text ^ 0x010101 : text;
}

}  // namespace corvane
