// The section [Layouts] as a user may edit it, one line of the input per line:
// whatever it holds, a layout's label has at most three characters (in a
// two-byte code page, where a byte with the top bit set starts a character).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "indicator/label_style.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto isLeadByte = [](char c) { return (c & 0x80) != 0; };
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n')
      lines.emplace_back();
    else
      lines.back().push_back(static_cast<char>(data[i]));
  }
  const corvane::LayoutLabels labels(lines, isLeadByte);
  for (const std::string& line : lines) {
    // The layout the line's key names, when it names one.
    const std::string text =
        labels.For(static_cast<std::uint32_t>(std::strtoul(line.c_str(), nullptr, 16)), "", 0).text;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++characters) i += isLeadByte(text[i]);
    if (characters > 3) std::abort();
  }
  return 0;
}
