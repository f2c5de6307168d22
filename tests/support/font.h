// Font records for tests; header-only, as the Windows-free tests use it too.
#pragma once

#include <cstdint>
#include <string>

#include "storage/font_record.h"

namespace corvane::testing {

// A face, size and character set; everything else as a fresh record has it.
inline FontRecord MakeFont(const std::string& name, int points, std::int16_t charset, bool bold = false) {
  FontRecord font;
  font.name = name;
  font.size = Fixed::Whole(points);
  font.charset = charset;
  font.setBold(bold);
  return font;
}

}  // namespace corvane::testing
