// The label's font as the program stores and draws it.
#pragma once

#include <cstdint>
#include <string>

#include "storage/fixed_point.h"

namespace corvane {

// The character set that leaves the choice to the face and the system's code
// page (DEFAULT_CHARSET): a font made by the font dialog, which knows none, has it.
inline constexpr std::int16_t kAnyCharset = 1;

// Bold and weight are one property seen two ways: setting bold makes the
// weight 700 (or 400 when cleared), and a weight above 550 reads as bold.
class FontRecord {
 public:
  std::string name = "MS Sans Serif";
  Fixed size = Fixed::Whole(8);  // points
  std::int16_t charset = 0;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  std::int16_t weight() const { return weight_; }
  void setWeight(std::int16_t weight) { weight_ = weight; }
  bool bold() const { return weight_ > 550; }
  void setBold(bool bold) { weight_ = bold ? 700 : 400; }

  friend bool operator==(const FontRecord&, const FontRecord&) = default;

 private:
  std::int16_t weight_ = 400;
};

}  // namespace corvane
