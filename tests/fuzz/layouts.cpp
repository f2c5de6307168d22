// The section [Layouts] as a user may edit it, one line of the input per line:
// whatever it holds, the label of the layout a line's key names has at most
// three characters (in a two-byte code page, as a top bit starts a character).
#include <cstdlib>

#include "indicator/label_style.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const auto isLeadByte = [](char c) { return (c & 0x80) != 0; };
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < size; ++i) data[i] == '\n' ? lines.emplace_back() : lines.back() += char(data[i]);
  const corvane::LayoutLabels labels(lines, isLeadByte);
  for (const std::string& line : lines) {
    const std::string text = labels.For(std::strtoul(line.c_str(), nullptr, 16), "", 0).text;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++characters) i += isLeadByte(text[i]);
    if (characters > 3) std::abort();
  }
  return 0;
}
