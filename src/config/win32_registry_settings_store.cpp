// The settings in the current user's registry, as REG_DWORD values.
#include "config/win32_registry_settings_store.h"

#include <windows.h>

#include <cstring>

namespace {

// An open registry key, closed when it goes away.
class RegistrySettingsKey : public SettingsKey {
 public:
  explicit RegistrySettingsKey(HKEY key) : key_(key) {}
  RegistrySettingsKey(const RegistrySettingsKey&) = delete;
  RegistrySettingsKey& operator=(const RegistrySettingsKey&) = delete;
  ~RegistrySettingsKey() override { RegCloseKey(key_); }

  ValueQuery QueryValue(std::string_view name) override {
    const std::string valueName(name);
    DWORD type = REG_NONE;
    BYTE data[sizeof(DWORD)] = {};
    DWORD size = sizeof data;
    // The buffer holds exactly one DWORD, so anything longer fails with ERROR_MORE_DATA.
    const LONG status = RegQueryValueExA(key_, valueName.c_str(), nullptr, &type, data, &size);
    if (status == ERROR_FILE_NOT_FOUND) return {ValueStatus::Missing, 0};
    if (status != ERROR_SUCCESS) return {ValueStatus::Unreadable, 0};
    if (type != REG_DWORD) return {ValueStatus::WrongType, 0};
    // A REG_DWORD shorter than four bytes would leave part of the number unset.
    if (size != sizeof(DWORD)) return {ValueStatus::Unreadable, 0};
    int32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return {ValueStatus::Present, value};
  }

  bool SetValue(std::string_view name, int32_t value) override {
    const std::string valueName(name);
    BYTE data[sizeof(DWORD)];
    std::memcpy(data, &value, sizeof data);
    return RegSetValueExA(key_, valueName.c_str(), 0, REG_DWORD, data, sizeof data) ==
           ERROR_SUCCESS;
  }

 private:
  HKEY key_;
};

}  // namespace

std::unique_ptr<SettingsKey> Win32RegistrySettingsStore::OpenKey() {
  // The registry calls take the path relative to the root, without the leading backslash.
  const std::string relative = keyPath_.substr(keyPath_.starts_with('\\') ? 1 : 0);
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<RegistrySettingsKey>(key);
}

std::unique_ptr<SettingsStore> MakeUserSettingsStore() {
  return std::make_unique<Win32RegistrySettingsStore>();
}
