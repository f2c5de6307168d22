#include "storage/registry_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using Bytes = std::vector<unsigned char>;

// The buffer as the registry read leaves it: the data and one extra zero byte.
std::string Read(std::uint32_t type, Bytes data) {
  std::size_t length = data.size();
  data.push_back(0);
  return RegistryDataToText(type, data, length);
}

TEST(RegistryText, TextsLoseOnlyTheirFinalZero) {
  EXPECT_EQ(Read(kRegSz, {'C', ':', '\\', 'C', 'v', 0}), "C:\\Cv");
  EXPECT_EQ(Read(kRegSz, {0}), "");
  EXPECT_EQ(Read(kRegSz, {}), "");
  EXPECT_EQ(Read(kRegExpandSz, {'%', 'A', '%', 0}), "%A%");
  EXPECT_EQ(Read(kRegMultiSz, {'a', 0, 'b', 0, 0}), std::string("a\0b\0", 4));
  // Text stored without a terminator keeps its last character.
  EXPECT_EQ(Read(kRegSz, {'a', 'b', 'c'}), "abc");
  // Characters above 127 are ANSI bytes, passed through unchanged.
  EXPECT_EQ(Read(kRegSz, {0xC4, 0xE9, 0}), "\xC4\xE9");
}

TEST(RegistryText, NumbersAreUnsignedDecimalInTheirByteOrder) {
  EXPECT_EQ(Read(kRegDword, {0xE8, 0x03, 0x00, 0x00}), "1000");
  EXPECT_EQ(Read(kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}), "4294967295");
  EXPECT_EQ(Read(kRegDword, {0, 0, 0, 0}), "0");
  EXPECT_EQ(Read(kRegDwordBigEndian, {0x00, 0x00, 0x03, 0xE8}), "1000");
  EXPECT_EQ(Read(kRegDwordBigEndian, {0x80, 0x00, 0x00, 0x00}), "2147483648");
  // Other lengths (a type override on a longer value) are read whole, not cut to 32 bits.
  EXPECT_EQ(Read(kRegDword, {0x01, 0x02}), "513");
  EXPECT_EQ(Read(kRegDword, Bytes(8, 0xFF)), "18446744073709551615");
  EXPECT_EQ(Read(kRegDword, Bytes(12, 0xFF)), "79228162514264337593543950335");
  EXPECT_EQ(Read(kRegDword, {}), "0");
}

TEST(RegistryText, OtherTypesGiveOneCharacterPerByte) {
  EXPECT_EQ(Read(kRegBinary, {'x', 0, 'y'}), std::string("x\0y", 3));
  EXPECT_EQ(Read(kRegBinary, {0, 0}), std::string(2, '\0'));
  EXPECT_EQ(Read(11, {1, 2, 3, 4, 5, 6, 7, 8}), std::string("\1\2\3\4\5\6\7\10", 8));
  // A length beyond the buffer is held to the buffer.
  EXPECT_EQ(RegistryDataToText(kRegBinary, {'a', 'b'}, 10), "ab");
}

TEST(BytesToText, RangeAndZeros) {
  const Bytes bytes = {'a', 'b', 0, 'c', 'd'};
  EXPECT_EQ(BytesToText(bytes), "ab");
  EXPECT_EQ(BytesToText(bytes, std::nullopt, std::nullopt, true), std::string("ab\0cd", 5));
  EXPECT_EQ(BytesToText(bytes, 3), "cd");
  EXPECT_EQ(BytesToText(bytes, 1, 3, true), std::string("b\0c", 3));
  EXPECT_EQ(BytesToText(bytes, 3, 100), "cd");
  EXPECT_EQ(BytesToText(bytes, 9), "");
  EXPECT_EQ(BytesToText({}), "");
}

}  // namespace
}  // namespace corvane
