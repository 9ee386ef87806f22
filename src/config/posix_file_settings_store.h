// The settings store on POSIX systems: a file in the user's config directory that holds
// one Name=value line per stored value.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "config/settings_store.h"

// The file's place under the config directory, named after the registry key.
inline constexpr std::string_view kSettingsFileName = "QuorvelTarnwickFellworks/orvantaSS.conf";

// The settings file under $XDG_CONFIG_HOME, else under $HOME/.config. Relative directories
// are ignored, as the XDG rules ask; with neither usable the bare file name comes back, which
// the store refuses to open.
std::string UserSettingsFilePath(const char* xdgConfigHome, const char* home);

class PosixFileSettingsStore : public SettingsStore {
 public:
  explicit PosixFileSettingsStore(std::string path) : path_(std::move(path)) {}

  // Creates the missing directories (0700) and an empty file where none exists, then reads
  // the file. Null when the path is not absolute or the file cannot be made or read.
  std::unique_ptr<SettingsKey> OpenKey() override;

  std::string KeyPath() const override { return path_; }

 private:
  std::string path_;
};
