#include "storage/registry_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/handles.h"

namespace corvane {
namespace {

using Bytes = std::vector<unsigned char>;

constexpr const char* kTestRoot = "SOFTWARE\\CorvaneTest";

// Direct registry access for setting up and checking, in a chosen view.
platform::RegKey OpenRaw(const std::string& subKey, REGSAM view, REGSAM access = KEY_READ) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, access | view, &key) != ERROR_SUCCESS) return nullptr;
  return platform::RegKey(key);
}

void PutRaw(const std::string& subKey, const std::string& name, DWORD type, const Bytes& data,
            REGSAM view = KEY_WOW64_64KEY) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  platform::RegKey owned(key);
  ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                           static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
}

struct RawValue {
  bool exists = false;
  DWORD type = 0;
  Bytes data;
};

RawValue GetRaw(const std::string& subKey, const std::string& name, REGSAM view = KEY_WOW64_64KEY) {
  RawValue value;
  platform::RegKey key = OpenRaw(subKey, view);
  if (!key) return value;
  DWORD length = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, nullptr, &length) != ERROR_SUCCESS) return value;
  value.data.resize(length);
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, value.data.data(), &length) != ERROR_SUCCESS) {
    return value;
  }
  value.data.resize(length);
  value.exists = true;
  return value;
}

FILETIME KeyWriteTime(const std::string& subKey) {
  FILETIME time{};
  platform::RegKey key = OpenRaw(subKey, KEY_WOW64_64KEY);
  EXPECT_TRUE(key) << subKey;
  if (key) RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, &time);
  return time;
}

bool operator==(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

void DeleteTestKeys() {
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    if (platform::RegKey software = OpenRaw("SOFTWARE", view, KEY_ALL_ACCESS)) {
      RegDeleteTreeA(software.get(), "CorvaneTest");
    }
  }
}

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteTestKeys(); }
  void TearDown() override { DeleteTestKeys(); }
  std::string Key(const std::string& name) const { return std::string(kTestRoot) + "\\" + name; }
};

TEST_F(RegistryStoreTest, MissingKeysAndValuesReadAsTheDefault) {
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, Key("Nowhere")), "");
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, Key("Nowhere"), "", nullptr, std::nullopt, "fallback"), "fallback");
  PutRaw(Key("Here"), "Other", REG_SZ, {'x', 0});
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, Key("Here"), "Missing", nullptr, std::nullopt, "fallback"), "fallback");
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, Key("Here"), "", nullptr, std::nullopt, "no default value"),
            "no default value");
}

TEST_F(RegistryStoreTest, ReadsEachTypeAsText) {
  const std::string key = Key("Types");
  PutRaw(key, "", REG_SZ, {'C', ':', '\\', 'T', 'o', 'o', 'l', 's', 0});
  PutRaw(key, "Empty", REG_SZ, {0});
  PutRaw(key, "Dword", REG_DWORD, {0xE8, 0x03, 0x00, 0x00});
  PutRaw(key, "AllOnes", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF});
  PutRaw(key, "BigEndian", REG_DWORD_BIG_ENDIAN, {0x00, 0x00, 0x03, 0xE8});
  PutRaw(key, "Multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0});
  PutRaw(key, "Binary", REG_BINARY, {'x', 0, 'y'});
  PutRaw(key, "Expand", REG_EXPAND_SZ, {'%', 'W', '%', 0});
  PutRaw(key, "Ansi", REG_SZ, {'M', 0xFC, 'n', 0});

  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key), "C:\\Tools");
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Empty", nullptr, std::nullopt, "default"), "");
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Dword"), "1000");
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "AllOnes"), "4294967295");
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "BigEndian"), "1000");
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Multi"), std::string("a\0b\0", 4));
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Binary"), std::string("x\0y", 3));
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Expand"), "%W%") << "not expanded";
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Ansi"), "M\xFCn");
}

TEST_F(RegistryStoreTest, TypeOverrideAndRawData) {
  const std::string key = Key("Override");
  PutRaw(key, "Dword", REG_DWORD, {0x41, 0x42, 0x00, 0x43});
  PutRaw(key, "Text", REG_SZ, {'7', 0});
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Dword", nullptr, REG_BINARY), std::string("AB\0C", 4));
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Text", nullptr, REG_DWORD), "55");

  Bytes raw;
  RegReadValue(HKEY_LOCAL_MACHINE, key, "Dword", &raw);
  EXPECT_EQ(raw, (Bytes{0x41, 0x42, 0x00, 0x43, 0x00}));
  Bytes untouched = {9, 9};
  RegReadValue(HKEY_LOCAL_MACHINE, key, "Missing", &untouched);
  EXPECT_EQ(untouched, (Bytes{9, 9})) << "a failed read leaves RawData alone";
}

TEST_F(RegistryStoreTest, WrittenTextsReadBackWhole) {
  const std::string key = Key("Write");
  for (const std::string text : {"C:\\Program Files (x86)\\Corvane", "0.15.0", "M\xFCnchen \xC4", "x"}) {
    EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "", text));
    EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key), text);
    RawValue raw = GetRaw(key, "");
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw.data.size(), text.size() + 1) << "stored with its terminator";
  }
}

TEST_F(RegistryStoreTest, WritingWhatIsStoredTouchesNothing) {
  const std::string key = Key("Same");
  PutRaw(key, "Value", REG_EXPAND_SZ, {'a', 'b', 'c', 0});
  FILETIME before = KeyWriteTime(key);
  Sleep(50);
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Value", "abc"));
  EXPECT_EQ(GetRaw(key, "Value").type, static_cast<DWORD>(REG_EXPAND_SZ)) << "not rewritten as REG_SZ";
  EXPECT_TRUE(KeyWriteTime(key) == before);

  // An empty text over a missing value: nothing is created, in either view.
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, Key("Fresh"), "Value", ""));
  EXPECT_FALSE(OpenRaw(Key("Fresh"), KEY_WOW64_64KEY));
  EXPECT_FALSE(OpenRaw(Key("Fresh"), KEY_WOW64_32KEY));
}

TEST_F(RegistryStoreTest, EmptyTextOverAValueStoresOneZeroByte) {
  const std::string key = Key("Empty");
  ASSERT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Value", "something"));
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Value", ""));
  RawValue raw = GetRaw(key, "Value");
  ASSERT_TRUE(raw.exists);
  EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(raw.data, Bytes{0});
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Value", nullptr, std::nullopt, "default"), "");
}

TEST_F(RegistryStoreTest, NumbersAndBytes) {
  const std::string key = Key("Numbers");
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Dword", "1000", REG_DWORD));
  EXPECT_EQ(GetRaw(key, "Dword").data, (Bytes{0xE8, 0x03, 0x00, 0x00}));
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Dword"), "1000");
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Dword", "-1", REG_DWORD));
  EXPECT_EQ(GetRaw(key, "Dword").data, (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Dword", "2.5", REG_DWORD));
  EXPECT_EQ(GetRaw(key, "Dword").data, (Bytes{0x02, 0x00, 0x00, 0x00}));
  // A number that does not fit is refused, not wrapped.
  EXPECT_FALSE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Dword", "4294967296", REG_DWORD));
  EXPECT_EQ(GetRaw(key, "Dword").data, (Bytes{0x02, 0x00, 0x00, 0x00}));

  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Binary", std::string("p\0q", 3), REG_BINARY));
  RawValue binary = GetRaw(key, "Binary");
  EXPECT_EQ(binary.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(binary.data, (Bytes{'p', 0, 'q'}));

  // Types it cannot store are a failure, and nothing is made for them.
  EXPECT_FALSE(RegWriteValue(HKEY_LOCAL_MACHINE, Key("Unsupported"), "List", "a", REG_MULTI_SZ));
  EXPECT_FALSE(OpenRaw(Key("Unsupported"), KEY_WOW64_64KEY));
  EXPECT_FALSE(OpenRaw(Key("Unsupported"), KEY_WOW64_32KEY));
}

TEST_F(RegistryStoreTest, ValuesLiveInThe64BitViewAndTheProbeLeavesTheKeyInTheOwnView) {
  if (!IsWow64()) GTEST_SKIP() << "one registry view only";
  const std::string key = Key("Views");
  ASSERT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, key, "Where", "64"));
  EXPECT_TRUE(GetRaw(key, "Where", KEY_WOW64_64KEY).exists);
  // The key exists in the 32-bit view (SOFTWARE\WOW6432Node), without the value.
  EXPECT_TRUE(OpenRaw(key, KEY_WOW64_32KEY));
  EXPECT_TRUE(OpenRaw("SOFTWARE\\WOW6432Node\\CorvaneTest\\Views", KEY_WOW64_64KEY));
  EXPECT_FALSE(GetRaw(key, "Where", KEY_WOW64_32KEY).exists);

  // Reads see the 64-bit view only.
  PutRaw(key, "Only32", REG_SZ, {'3', '2', 0}, KEY_WOW64_32KEY);
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Only32", nullptr, std::nullopt, "unseen"), "unseen");
  EXPECT_EQ(RegReadValue(HKEY_LOCAL_MACHINE, key, "Where"), "64");
}

// A volatile key below the lasting test key: the registry refuses to create a
// lasting key below it. (Missing parents would be made volatile as well.)
void MakeVolatileKey(const std::string& name, REGSAM view) {
  for (DWORD options : {DWORD{REG_OPTION_NON_VOLATILE}, DWORD{REG_OPTION_VOLATILE}}) {
    std::string subKey = std::string(kTestRoot) + (options == REG_OPTION_VOLATILE ? "\\" + name : "");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, options, KEY_ALL_ACCESS | view, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
}

TEST_F(RegistryStoreTest, AKeyThatCannotBeCreatedGivesFalseAndNoValue) {
  // Refused in the process's own view: the first creation fails.
  const std::string child = Key("VolatileOwn\\Child");
  MakeVolatileKey("VolatileOwn", 0);
  EXPECT_FALSE(RegWriteValue(HKEY_LOCAL_MACHINE, child, "Value", "data"));
  EXPECT_FALSE(OpenRaw(child, KEY_WOW64_64KEY));
  EXPECT_FALSE(OpenRaw(child, KEY_WOW64_32KEY));

  if (!IsWow64()) return;
  // Refused in the 64-bit view only: the first creation passes, the second fails.
  const std::string child64 = Key("Volatile64\\Child");
  MakeVolatileKey("Volatile64", KEY_WOW64_64KEY);
  EXPECT_FALSE(RegWriteValue(HKEY_LOCAL_MACHINE, child64, "Value", "data"));
  EXPECT_FALSE(OpenRaw(child64, KEY_WOW64_64KEY));
  EXPECT_FALSE(GetRaw(child64, "Value", KEY_WOW64_32KEY).exists);
  EXPECT_TRUE(OpenRaw(child64, KEY_WOW64_32KEY)) << "the first creation did pass";
}

TEST_F(RegistryStoreTest, Wow64IsTrueExactlyWhenTheViewsDiffer) {
  PutRaw(Key("Probe"), "View", REG_SZ, {'6', '4', 0}, KEY_WOW64_64KEY);
  EXPECT_EQ(GetRaw(Key("Probe"), "View", KEY_WOW64_32KEY).exists, !IsWow64());
}

}  // namespace
}  // namespace corvane
