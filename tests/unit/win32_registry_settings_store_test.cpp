// The registry store against the real registry of the scratch wine prefix: the key that
// loading leaves, REG_DWORD values read and written, and the read errors for values of other
// shapes. Every case starts and ends without the maker's key.
#include "config/win32_registry_settings_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <utility>

#include "unit/settings_test_support.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes DwordBytes(int32_t value) {
  Bytes data(sizeof value);
  std::memcpy(data.data(), &value, sizeof value);
  return data;
}

class RegistrySettings : public testing::Test {
 protected:
  RegistrySettings() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuorvelTarnwickFellworks"); }
  ~RegistrySettings() override {
    CloseRawKey();
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

TEST_F(RegistrySettings, LoadingLeavesAnEmptyKeyAndReadsSignedDwords) {
  EXPECT_EQ(Fields(LoadSettings(store_)), (Four{1500, 1500, 50, 15}));
  ASSERT_TRUE(KeyExists());
  EXPECT_EQ(ValueCount(), 0u);
  ASSERT_TRUE(OpenRawKey());
  Write("Dym", REG_DWORD, DwordBytes(-1));
  Write("Wybuch", REG_DWORD, DwordBytes(0));
  EXPECT_EQ(Fields(LoadSettings(store_)), (Four{1500, -1, 0, 15}));
}

TEST_F(RegistrySettings, ValuesOfOtherShapesStopLoadingNamingThem) {
  ASSERT_TRUE(OpenRawKey());
  WriteText("Gwiazd", "12");
  EXPECT_EQ(ErrorOf([&] { LoadSettings(store_); }), "Invalid data type for 'Gwiazd'");
  WriteText("Gwiazd", "1500 meteors");
  EXPECT_EQ(ErrorOf([&] { LoadSettings(store_); }), "Failed to get data for 'Gwiazd'");
  Write("Gwiazd", REG_DWORD, DwordBytes(12));
  Write("Dym", REG_BINARY, {1, 2, 3, 4});
  EXPECT_EQ(ErrorOf([&] { LoadSettings(store_); }), "Invalid data type for 'Dym'");
  Write("Dym", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(ErrorOf([&] { LoadSettings(store_); }), "Failed to get data for 'Dym'");
  Write("Dym", REG_DWORD, {7, 0});  // too short to be a whole number
  EXPECT_EQ(ErrorOf([&] { LoadSettings(store_); }), "Failed to get data for 'Dym'");
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

}  // namespace
