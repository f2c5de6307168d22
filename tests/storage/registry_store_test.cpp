#include "storage/registry_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/handles.h"

namespace corvane {
namespace {

using Bytes = std::vector<unsigned char>;

constexpr const char* kTestRoot = "SOFTWARE\\CorvaneTest";
std::string Key(const std::string& name) { return std::string(kTestRoot) + "\\" + name; }
// A text as the registry stores it: with its terminating zero.
Bytes Sz(const std::string& text) { return Bytes(text.c_str(), text.c_str() + text.size() + 1); }

// Direct registry access for setting up and checking, in a chosen view.
platform::RegKey OpenRaw(const std::string& subKey, REGSAM view, REGSAM access = KEY_READ) {
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, access | view, &key);
  return platform::RegKey(key);
}

platform::RegKey CreateRaw(const std::string& subKey, REGSAM view, DWORD options = REG_OPTION_NON_VOLATILE) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, options, KEY_ALL_ACCESS | view, nullptr, &key,
                  nullptr);
  return platform::RegKey(key);
}

void PutRaw(const std::string& subKey, const std::string& name, DWORD type, const Bytes& data,
            REGSAM view = KEY_WOW64_64KEY) {
  platform::RegKey key = CreateRaw(subKey, view);
  ASSERT_FALSE(RegSetValueExA(key.get(), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())));
}

struct RawValue {
  DWORD type = 0;
  Bytes data;  // empty when the value is missing
  friend bool operator==(const RawValue&, const RawValue&) = default;
};

RawValue GetRaw(const std::string& subKey, const std::string& name, REGSAM view = KEY_WOW64_64KEY) {
  RawValue value{0, Bytes(1024)};
  DWORD length = 1024;
  value.data.resize(RegQueryValueExA(OpenRaw(subKey, view).get(), name.c_str(), nullptr, &value.type,
                                     value.data.data(), &length) ? 0 : length);
  return value;
}

ULONGLONG KeyWriteTime(const std::string& subKey) {
  ULARGE_INTEGER time{};
  EXPECT_FALSE(RegQueryInfoKeyA(OpenRaw(subKey, KEY_WOW64_64KEY).get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr, nullptr, nullptr, reinterpret_cast<FILETIME*>(&time)));
  return time.QuadPart;
}

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
      RegDeleteTreeA(OpenRaw("SOFTWARE", view, KEY_ALL_ACCESS).get(), "CorvaneTest");
  }
};

TEST_F(RegistryStoreTest, ReadsEachTypeAsTextAndWhatIsMissingAsTheDefault) {
  const std::string key = Key("Types");
  const struct { const char* name; DWORD type; Bytes data; std::optional<DWORD> as; std::string text; } values[] = {
      {"", REG_SZ, Sz("C:\\Tools"), {}, "C:\\Tools"}, {"Empty", REG_SZ, {0}, {}, ""},
      {"Dword", REG_DWORD, {0xE8, 3, 0, 0}, {}, "1000"},
      {"AllOnes", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, {}, "4294967295"},
      {"BigEndian", REG_DWORD_BIG_ENDIAN, {0, 0, 3, 0xE8}, {}, "1000"},
      {"Multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, {}, std::string("a\0b\0", 4)},
      {"Binary", REG_BINARY, {'x', 0, 'y'}, {}, std::string("x\0y", 3)},
      {"Expand", REG_EXPAND_SZ, Sz("%W%"), {}, "%W%"}, {"Ansi", REG_SZ, Sz("M\xFCn"), {}, "M\xFCn"},
      {"AsBinary", REG_DWORD, {'A', 'B', 0, 'C'}, REG_BINARY, std::string("AB\0C", 4)},
      {"AsDword", REG_SZ, Sz("7"), REG_DWORD, "55"}};
  for (const auto& v : values) PutRaw(key, v.name, v.type, v.data);
  for (const auto& v : values)
    EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, v.name, nullptr, v.as, "default"), v.text) << v.name;
  Bytes raw = {9, 9};
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Missing", &raw, std::nullopt, "fallback"), "fallback");
  EXPECT_EQ(raw, (Bytes{9, 9})) << "a failed read leaves RawData alone";
  RegReadValue(HKEY_LOCAL_MACHINE, key, "AsBinary", &raw);
  EXPECT_EQ(raw, Sz(std::string("AB\0C", 4))) << "the data and one zero byte";

  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, Key("Nowhere"), "", nullptr, std::nullopt, "fallback"), "fallback");
  PutRaw(Key("NoDefault"), "Other", REG_SZ, Sz("x"));
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, Key("NoDefault"), "", nullptr, std::nullopt, "fallback"), "fallback");
}

TEST_F(RegistryStoreTest, WritesTextsNumbersAndBytesUnlessTheyAreStoredAlready) {
  const std::string key = Key("Write");
  for (const std::string text : {"C:\\Program Files (x86)\\Corvane", "M\xFCnchen \xC4", "x"}) {
    EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "", text));
    EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key), text);
    EXPECT_EQ(GetRaw(key, ""), (RawValue{REG_SZ, Sz(text)})) << text;
  }
  // An empty text over a stored one: one zero byte.
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "", ""));
  EXPECT_EQ(GetRaw(key, ""), (RawValue{REG_SZ, {0}}));
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "", nullptr, std::nullopt, "default"), "");

  for (auto [text, data] : {std::pair{"1000", Bytes{0xE8, 0x03, 0, 0}}, {"-1", Bytes{0xFF, 0xFF, 0xFF, 0xFF}},
                            {"2.5", Bytes{2, 0, 0, 0}}}) {
    EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Dword", text, REG_DWORD));
    EXPECT_EQ(GetRaw(key, "Dword"), (RawValue{REG_DWORD, data})) << text;
  }
  // A number that does not fit is refused, not wrapped.
  EXPECT_FALSE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Dword", "4294967296", REG_DWORD));
  EXPECT_EQ(GetRaw(key, "Dword").data, (Bytes{2, 0, 0, 0}));
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Binary", std::string("p\0q", 3), REG_BINARY));
  EXPECT_EQ(GetRaw(key, "Binary"), (RawValue{REG_BINARY, {'p', 0, 'q'}}));

  // What is stored already is left alone.
  PutRaw(key, "Same", REG_EXPAND_SZ, Sz("abc"));
  const ULONGLONG before = KeyWriteTime(key);
  Sleep(50);
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Same", "abc"));
  EXPECT_EQ(GetRaw(key, "Same"), (RawValue{REG_EXPAND_SZ, Sz("abc")})) << "not rewritten as REG_SZ";
  EXPECT_EQ(KeyWriteTime(key), before);

  // An empty text over a missing value, or a type it cannot store: no key is made, in either view.
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, Key("Fresh"), "Value", ""));
  EXPECT_FALSE(RegWriteValue(HKEY_LOCAL_MACHINE, Key("Fresh"), "List", "a", REG_MULTI_SZ));
  EXPECT_FALSE(OpenRaw(Key("Fresh"), KEY_WOW64_64KEY) || OpenRaw(Key("Fresh"), KEY_WOW64_32KEY));
}

TEST_F(RegistryStoreTest, ValuesLiveInThe64BitViewAndTheProbeLeavesTheKeyInTheOwnView) {
  PutRaw(Key("Probe"), "View", REG_SZ, Sz("64"), KEY_WOW64_64KEY);
  EXPECT_EQ(GetRaw(Key("Probe"), "View", KEY_WOW64_32KEY).data.empty(), IsWow64()) << "the views differ under WOW64";
  if (!IsWow64()) GTEST_SKIP() << "one registry view only";
  const std::string key = Key("Views");
  ASSERT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Where", "64"));
  EXPECT_EQ(GetRaw(key, "Where", KEY_WOW64_64KEY).data, Sz("64"));
  // The key exists in the 32-bit view (SOFTWARE\WOW6432Node), without the value.
  EXPECT_TRUE(OpenRaw("SOFTWARE\\WOW6432Node\\CorvaneTest\\Views", KEY_WOW64_64KEY));
  EXPECT_TRUE(GetRaw(key, "Where", KEY_WOW64_32KEY).data.empty());
  // Reads see the 64-bit view only.
  PutRaw(key, "Only32", REG_SZ, Sz("32"), KEY_WOW64_32KEY);
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Only32", nullptr, std::nullopt, "unseen"), "unseen");
}

TEST_F(RegistryStoreTest, AKeyThatCannotBeCreatedGivesFalseAndNoValue) {
  // No lasting key below a volatile one: in the own view the first creation fails, in the 64-bit one the second.
  for (REGSAM view : {REGSAM{0}, REGSAM{KEY_WOW64_64KEY}}) {
    if (view && !IsWow64()) break;
    const std::string parent = view ? "Volatile64" : "VolatileOwn";
    const std::string child = Key(parent + "\\Child");
    ASSERT_TRUE(CreateRaw(kTestRoot, view));
    ASSERT_TRUE(CreateRaw(Key(parent), view, REG_OPTION_VOLATILE));
    EXPECT_FALSE(RegWriteValue(HKEY_LOCAL_MACHINE, child, "Value", "data")) << parent;
    EXPECT_FALSE(OpenRaw(child, KEY_WOW64_64KEY)) << parent;
    EXPECT_TRUE(GetRaw(child, "Value", KEY_WOW64_32KEY).data.empty()) << parent;
    EXPECT_EQ(bool(OpenRaw(child, KEY_WOW64_32KEY)), view != 0) << "whether the first creation passed";
  }
}

}  // namespace
}  // namespace corvane
