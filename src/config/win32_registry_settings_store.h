// The settings store on Windows: REG_DWORD values under a key of the current user's hive.
#pragma once

#include <memory>
#include <string>

#include "config/settings.h"
#include "config/settings_store.h"

class Win32RegistrySettingsStore : public SettingsStore {
 public:
  // `keyPath` is absolute from HKEY_CURRENT_USER, written with its leading backslash.
  explicit Win32RegistrySettingsStore(std::string keyPath = std::string(kSettingsKeyPath))
      : keyPath_(std::move(keyPath)) {}

  // Opens the key with full access, creating it where it does not exist.
  std::unique_ptr<SettingsKey> OpenKey() override;

  std::string KeyPath() const override { return keyPath_; }

 private:
  std::string keyPath_;
};
