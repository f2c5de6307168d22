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
  for (std::string_view line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::optional<std::uint32_t> id = HexNumber(key);
    if (!id || (key.size() != 8 && key.size() != 4)) continue;

    // The label cannot hold a comma: the first one starts the colour.
    const std::string_view value = line.substr(equals + 1);
    const std::size_t comma = value.find(',');
    Entry entry;
    if (const std::string_view text = Trimmed(value.substr(0, comma)); IsLabel(text, isLeadByte)) {
      entry.text = std::string(text);
    }
    if (comma != std::string_view::npos) entry.color = ColorFromText(value.substr(comma + 1));
    if (key.size() == 8) {
      handles_.emplace(*id, std::move(entry));
    } else {
      languages_.emplace(static_cast<std::uint16_t>(*id), std::move(entry));
    }
  }
}

LabelStyle LayoutLabels::For(std::uint32_t layout, const std::string& builtInText, std::int32_t labelColor) const {
  LabelStyle style{builtInText, labelColor};
  const auto apply = [&style](const Entry& entry) {
    if (entry.text) style.text = *entry.text;
    if (entry.color) style.color = *entry.color;
  };
  // The language's line first, so that the handle's overrides it.
  if (auto language = languages_.find(static_cast<std::uint16_t>(layout & 0xFFFF)); language != languages_.end()) {
    apply(language->second);
  }
  if (auto handle = handles_.find(layout); handle != handles_.end()) apply(handle->second);
  return style;
}

std::optional<std::int32_t> ColorFromText(std::string_view text) {
  // The number rule skips blanks wherever they stand, so they are dropped here too.
  std::string number;
  for (char c : text) {
    if (!IsBlank(c)) number.push_back(c);
  }
  std::size_t at = !number.empty() && (number[0] == '+' || number[0] == '-') ? 1 : 0;
  if (at < number.size() && number[at] == '.') ++at;
  if (at >= number.size() || number[at] < '0' || number[at] > '9') return std::nullopt;
  return DwordFromText(number);
}

std::uint32_t BoxTextColor(std::uint32_t box, std::uint32_t keyedOut) {
  // Perceived brightness of 0x00BBGGRR, weighted as for television.
  const std::uint32_t red = box & 0xFF;
  const std::uint32_t green = box >> 8 & 0xFF;
  const std::uint32_t blue = box >> 16 & 0xFF;
  const std::uint32_t text = 299 * red + 587 * green + 114 * blue >= 128 * 1000 ? 0x000000 : 0xFFFFFF;
  return text == keyedOut ? text ^ 0x010101 : text;
}

}  // namespace corvane
