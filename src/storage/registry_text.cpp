#include "storage/registry_text.h"

#include <algorithm>

namespace corvane {
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

std::optional<std::string> RegistryDataToText(std::uint32_t Type, const std::vector<unsigned char>& Buffer,
                                              std::size_t Length) {
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
    case kRegDwordBigEndian: {
      // The program stores 4 bytes; a longer "number" is none it could have
      // written, and beyond 8 bytes none would fit an unsigned 64-bit value.
      if (n > 8) return std::nullopt;
      std::uint64_t value = 0;
      for (std::size_t i = 0; i < n; ++i) value = value << 8 | Buffer[Type == kRegDword ? n - 1 - i : i];
      return std::to_string(value);
    }
    default:
      return BytesToText(Buffer, 0, n, true);
  }
}

}  // namespace corvane
