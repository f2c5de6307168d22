#include "storage/registry_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Bytes = std::vector<unsigned char>;

TEST(RegistryText, TextsLoseTheirFinalZeroNumbersAreUnsignedDecimalOtherTypesOneCharacterPerByte) {
  // Texts without a terminator keep their last character; numbers of any length are read whole.
  const struct { std::uint32_t type; Bytes data; std::string text; } cases[] = {
      {kRegSz, {'C', ':', '\\', 'C', 'v', 0}, "C:\\Cv"}, {kRegSz, {0}, ""}, {kRegSz, {}, ""},
      {kRegSz, {'a', 'b', 'c'}, "abc"}, {kRegSz, {0xC4, 0xE9, 0}, "\xC4\xE9"},
      {kRegExpandSz, {'%', 'A', '%', 0}, "%A%"}, {kRegMultiSz, {'a', 0, 'b', 0, 0}, std::string("a\0b\0", 4)},
      {kRegDword, {0xE8, 0x03, 0x00, 0x00}, "1000"}, {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
      {kRegDwordBigEndian, {0x00, 0x00, 0x03, 0xE8}, "1000"},
      {kRegDwordBigEndian, {0x80, 0x00, 0x00, 0x00}, "2147483648"}, {kRegDword, {0x01, 0x02}, "513"},
      {kRegDword, Bytes(12, 0xFF), "79228162514264337593543950335"}, {kRegDword, {}, "0"},
      {kRegBinary, {'x', 0, 'y'}, std::string("x\0y", 3)},
      {11, {1, 2, 3, 4, 5, 6, 7, 8}, std::string("\1\2\3\4\5\6\7\10", 8)}};
  for (const auto& c : cases) {
    Bytes buffer = c.data;
    buffer.push_back(0);  // as the registry read leaves it: one zero byte after the data
    EXPECT_EQ(RegistryDataToText(c.type, buffer, c.data.size()), c.text) << c.type << " " << c.data.size();
  }
  EXPECT_EQ(RegistryDataToText(kRegBinary, {'a', 'b'}, 10), "ab") << "a length beyond the buffer";
}

TEST(BytesToText, RangeAndZeros) {
  const Bytes bytes = {'a', 'b', 0, 'c', 'd'};
  EXPECT_EQ(BytesToText(bytes), "ab");
  EXPECT_EQ(BytesToText(bytes, std::nullopt, std::nullopt, true), std::string("ab\0cd", 5));
  EXPECT_EQ(BytesToText(bytes, 3), "cd");
  EXPECT_EQ(BytesToText(bytes, 1, 3, true), std::string("b\0c", 3));
  EXPECT_EQ(BytesToText(bytes, 3, 100), "cd");
  EXPECT_EQ(BytesToText(bytes, 9), "");
}

}  // namespace
}  // namespace corvane
