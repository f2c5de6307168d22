// How registry data becomes the text the program works with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// The registry types the program knows (the system's own numbers).
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegDwordBigEndian = 5;
inline constexpr std::uint32_t kRegMultiSz = 7;

// The characters of Bytes[Start .. Start + Count - 1], one per byte (the text is
// in the system's ANSI code page, one byte per character). Start defaults to 0,
// Count to the rest of the array; a range reaching past the end is cut at the
// end. Unless KeepZeros, the text stops before the first zero byte.
std::string BytesToText(const std::vector<unsigned char>& Bytes, std::optional<std::size_t> Start = std::nullopt,
                        std::optional<std::size_t> Count = std::nullopt, bool KeepZeros = false);

// The text of registry data of type Type. Buffer holds the Length data bytes
// the registry delivered (and may hold more). Texts lose their final zero byte
// (inner zeros, such as those of a list of texts, stay); numbers of either byte
// order become unsigned decimal digits, up to 8 bytes: a longer number is
// unreadable (nothing). Any other type gives one character per byte.
std::optional<std::string> RegistryDataToText(std::uint32_t Type, const std::vector<unsigned char>& Buffer,
                                              std::size_t Length);

}  // namespace corvane
