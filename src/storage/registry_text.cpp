#include "storage/registry_text.h"

#include <algorithm>

namespace corvane {
namespace {

// Decimal digits of an unsigned number of any length, given least significant byte first.
std::string UnsignedDecimal(std::vector<unsigned char> littleEndian) {
  std::string digits;
  while (!littleEndian.empty() && littleEndian.back() == 0) littleEndian.pop_back();
  while (!littleEndian.empty()) {
    unsigned remainder = 0;
    for (auto byte = littleEndian.rbegin(); byte != littleEndian.rend(); ++byte) {
      unsigned value = remainder * 256 + *byte;
      *byte = static_cast<unsigned char>(value / 10);
      remainder = value % 10;
    }
    digits.push_back(static_cast<char>('0' + remainder));
    while (!littleEndian.empty() && littleEndian.back() == 0) littleEndian.pop_back();
  }
  if (digits.empty()) return "0";
  std::reverse(digits.begin(), digits.end());
  return digits;
}

}  // namespace

std::string BytesToText(const std::vector<unsigned char>& Bytes, std::optional<std::size_t> Start,
                        std::optional<std::size_t> Count, bool KeepZeros) {
  std::size_t first = std::min(Start.value_or(0), Bytes.size());
  std::size_t count = std::min(Count.value_or(Bytes.size() - first), Bytes.size() - first);
  std::string text;
  text.reserve(count);
  for (std::size_t i = first; i < first + count; ++i) {
    if (Bytes[i] == 0 && !KeepZeros) break;
    text.push_back(static_cast<char>(Bytes[i]));
  }
  return text;
}

std::string RegistryDataToText(std::uint32_t Type, const std::vector<unsigned char>& Buffer, std::size_t Length) {
  std::size_t n = std::min(Length, Buffer.size());
  switch (Type) {
    case kRegSz:
    case kRegExpandSz:
    case kRegMultiSz: {
      // The final byte is the terminator; data stored without one keeps its last character.
      std::size_t keep = n > 0 && Buffer[n - 1] == 0 ? n - 1 : n;
      return BytesToText(Buffer, 0, keep, true);
    }
    case kRegDword:
      return UnsignedDecimal({Buffer.begin(), Buffer.begin() + static_cast<std::ptrdiff_t>(n)});
    case kRegDwordBigEndian:
      return UnsignedDecimal({Buffer.rend() - static_cast<std::ptrdiff_t>(n), Buffer.rend()});
    default:
      return BytesToText(Buffer, 0, n, true);
  }
}

}  // namespace corvane
