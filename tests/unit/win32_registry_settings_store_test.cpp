// The registry store against the real registry of the scratch wine prefix: the key that
// loading leaves, REG_DWORD values read and written, and the read errors for values of other
// shapes. Every case starts and ends without the maker's key.
#include "config/win32_registry_settings_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "unit/settings_test_support.h"
#include "unit/test_data.h"
#include "unit/win32_key_access.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes DwordBytes(int32_t value) {
  Bytes data(sizeof value);
  std::memcpy(data.data(), &value, sizeof value);
  return data;
}

class RegistrySettings : public testing::Test {
 protected:
  RegistrySettings() {
    AllowEverything();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuorvelTarnwickFellworks");
  }
  ~RegistrySettings() override {
    CloseRawKey();
    AllowEverything();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuorvelTarnwickFellworks");
  }

  // Opens or creates a key for the test's own reads and writes.
  bool OpenRawKey(DWORD options = REG_OPTION_NON_VOLATILE, const char* path = kKey) {
    CloseRawKey();
    return RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, options, KEY_ALL_ACCESS, nullptr,
                           &key_, nullptr) == ERROR_SUCCESS;
  }
  bool KeyExists() {
    CloseRawKey();
    return RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key_) == ERROR_SUCCESS;
  }
  void CloseRawKey() {
    if (key_) RegCloseKey(std::exchange(key_, nullptr));
  }
  void Write(const char* name, DWORD type, const Bytes& data) {
    ASSERT_EQ(RegSetValueExA(key_, name, 0, type, data.data(), DWORD(data.size())), 0) << name;
  }
  void WriteText(const char* name, const std::string& text) {
    Write(name, REG_SZ, Bytes(text.c_str(), text.c_str() + text.size() + 1));
  }
  std::pair<DWORD, Bytes> Read(const char* name) {
    DWORD type = REG_NONE, size = 64;
    Bytes data(size);
    EXPECT_EQ(RegQueryValueExA(key_, name, nullptr, &type, data.data(), &size), 0) << name;
    data.resize(size);
    return {type, data};
  }
  // Puts a DACL on the test's key that denies `rights` to everyone and allows the rest.
  LONG DenyToEveryone(REGSAM rights) { return SetEveryonesAccess(key_, rights); }

  // Lifts whatever a case denied, so that the key can go and no later run finds it locked.
  static void AllowEverything() { SetEveryonesAccess(kKey, 0); }

  DWORD ValueCount() {
    DWORD count = 0;
    RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                     nullptr, nullptr, nullptr);
    return count;
  }

  static constexpr const char* kKey = "Software\\QuorvelTarnwickFellworks\\orvantaSS";
  HKEY key_ = nullptr;
  Win32RegistrySettingsStore store_;
};

TEST_F(RegistrySettings, LoadingLeavesAnEmptyKey) {
  EXPECT_EQ(Fields(LoadSettings(store_)), (Four{1500, 1500, 50, 15}));
  ASSERT_TRUE(KeyExists());
  EXPECT_EQ(ValueCount(), 0u);
}

TEST_F(RegistrySettings, EachStoredShapeLoadsOrStopsNamingTheValue) {
  const std::map<std::string, DWORD> types = {
      {"REG_NONE", REG_NONE},     {"REG_SZ", REG_SZ},
      {"REG_BINARY", REG_BINARY}, {"REG_DWORD", REG_DWORD},
      {"REG_QWORD", REG_QWORD},   {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN}};
  const auto rows = ReadTestTable("registry_values.txt");
  ASSERT_EQ(rows.size(), 10u) << "data/registry_values.txt not read";
  for (const std::vector<std::string>& row : rows) {
    const std::string& name = row[0];
    SCOPED_TRACE(name + " " + row[1] + " " + row[2]);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuorvelTarnwickFellworks");
    ASSERT_TRUE(OpenRawKey());
    Bytes data;
    for (size_t i = 0; row[2] != "-" && i + 1 < row[2].size(); i += 2) {
      data.push_back(static_cast<BYTE>(std::stoi(row[2].substr(i, 2), nullptr, 16)));
    }
    Write(name.c_str(), types.at(row[1]), data);
    std::string expected;
    for (size_t i = 3; i < row.size(); ++i) expected += (i > 3 ? " " : "") + row[i];
    std::string loaded;
    try {
      const Four fields = Fields(LoadSettings(store_));
      for (int32_t field : fields) loaded += (loaded.empty() ? "" : " ") + std::to_string(field);
    } catch (const SettingsError& error) {
      loaded = error.what();
    }
    EXPECT_EQ(loaded, expected);
  }
}

TEST_F(RegistrySettings, SavingCreatesTheKeyAndWritesAllFourAsDwords) {
  Settings settings{};
  SaveSettings({1500, -7, 50, 15}, settings, store_);
  ASSERT_TRUE(KeyExists());
  EXPECT_EQ(ValueCount(), 4u);
  const std::pair<const char*, int32_t> expected[] = {
      {"Gwiazd", 1500}, {"Dym", -7}, {"Wybuch", 50}, {"Swiatel", 15}};
  for (const auto& [name, value] : expected) {
    EXPECT_EQ(Read(name), std::make_pair(DWORD{REG_DWORD}, DwordBytes(value))) << name;
  }
}

TEST_F(RegistrySettings, KeyThatCannotBeCreatedGivesDefaultsButFailsASave) {
  // A volatile key cannot hold a lasting subkey, so this store's key can never be made.
  ASSERT_TRUE(OpenRawKey(REG_OPTION_VOLATILE, "Software\\QuorvelTarnwickFellworks\\Volatile"));
  Win32RegistrySettingsStore store("\\Software\\QuorvelTarnwickFellworks\\Volatile\\orvantaSS");
  EXPECT_EQ(Fields(LoadSettings(store)), (Four{1500, 1500, 50, 15}));
  Settings settings{};
  EXPECT_EQ(ErrorOf([&] {
              SaveSettings({100, 200, 30, 4}, settings, store);
            }),
            "Failed to create key \\Software\\QuorvelTarnwickFellworks\\Volatile\\orvantaSS");
}

// A key whose security lets everyone read it but nobody set its values, as an administrator
// or a policy may leave it. The store asks for full access, so it cannot open the key at all.
TEST_F(RegistrySettings, AKeyWithoutWriteAccessLoadsTheDefaultsAndRefusesASaveKeepingItsValues) {
  ASSERT_TRUE(OpenRawKey());
  Write("Dym", REG_DWORD, DwordBytes(200));
  ASSERT_EQ(DenyToEveryone(KEY_SET_VALUE), ERROR_SUCCESS);
  EXPECT_EQ(Fields(LoadSettings(store_)), (Four{1500, 1500, 50, 15}));
  Settings settings{};
  EXPECT_EQ(ErrorOf([&] {
              SaveSettings({100, 201, 30, 4}, settings, store_);
            }),
            "Failed to create key \\Software\\QuorvelTarnwickFellworks\\orvantaSS");
  ASSERT_TRUE(KeyExists());
  EXPECT_EQ(Read("Dym"), std::make_pair(DWORD{REG_DWORD}, DwordBytes(200)));
  EXPECT_EQ(ValueCount(), 1u);
}

// A key deleted under an open handle (another program cleaning up) refuses every write.
TEST_F(RegistrySettings, AValueThatCannotBeWrittenIsReportedByTheKey) {
  const std::unique_ptr<SettingsKey> key = store_.OpenKey();
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->SetValue("Gwiazd", 100));
  ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuorvelTarnwickFellworks"), ERROR_SUCCESS);
  EXPECT_FALSE(key->SetValue("Dym", 200));
}

}  // namespace
