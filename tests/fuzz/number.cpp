// The settings file's number rule on any text, as "ForeColor", the font's keys
// and the colours of [Layouts] are read: a number read, printed and read again
// is the same number; a colour is that number rounded, or none.
#include <cstdlib>

#include "indicator/label_style.h"
#include "storage/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  using namespace corvane;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<Fixed> number = ParseLeadingNumber(text);
  const std::optional<std::int32_t> color = ColorFromText(text);
  if (number && ParseLeadingNumber(FixedToText(*number)) != number) std::abort();
  if (color && (!number || RoundHalfEven(*number) != *color)) std::abort();
  return 0;
}
