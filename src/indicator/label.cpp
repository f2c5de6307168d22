#include "indicator/label.h"

#include <algorithm>

namespace corvane {

std::string LabelFromLocaleName(const std::array<char, 4>& buffer, int result) {
  if (result <= 0) return kUnknownLanguageLabel;
  // The name ends at its terminating null; without one the buffer holds no name.
  auto end = std::find(buffer.begin(), buffer.end(), '\0');
  if (end == buffer.end()) return kUnknownLanguageLabel;
  std::string label(buffer.begin(), end);
  label.erase(0, label.find_first_not_of(' '));
  label.erase(label.find_last_not_of(' ') + 1);
  if (label.empty()) return kUnknownLanguageLabel;
  // ISO 639 names are ASCII; a locale-aware conversion could turn i into a dotted capital.
  for (char& c : label) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return label;
}

int FontHeightForPoints(Fixed points, int dpi) {
  // points * dpi / 72, to the nearest pixel with halves away from zero, as MulDiv rounds.
  constexpr std::int64_t kPerInch = 72 * Fixed::kScale;
  const std::int64_t scaled = points.units * dpi;
  const std::int64_t magnitude = ((scaled < 0 ? -scaled : scaled) + kPerInch / 2) / kPerInch;
  return static_cast<int>(scaled < 0 ? magnitude : -magnitude);
}

std::optional<int> SystemColorIndex(std::int32_t color) {
  if (color >= 0) return std::nullopt;
  return static_cast<int>(color & 0xFF);
}

}  // namespace corvane
