// The settings store on POSIX systems: a file in the user's config directory that holds
// one Name=value line per stored value.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "config/settings_store.h"

// The file's place under the config directory, named after the registry key.
inline constexpr std::string_view kSettingsFileName = "QuorvelTarnwickFellworks/orvantaSS.conf";

// A settings file is a few lines; one larger than this is not read at all (and so not
// overwritten either), rather than read into memory at every start.
inline constexpr long kLargestSettingsFile = 1 << 20;

// The settings file under $XDG_CONFIG_HOME, else under $HOME/.config. Relative directories
// are ignored, as the XDG rules ask; with neither usable the bare file name comes back, which
// the store refuses to open.
std::string UserSettingsFilePath(const char* xdgConfigHome, const char* home);

class PosixFileSettingsStore : public SettingsStore {
 public:
  explicit PosixFileSettingsStore(std::string path) : path_(std::move(path)) {}

  // Creates the missing directories (0700) and an empty file where none exists, then reads
  // the file. Null when there is no file and none can be made (the path is not absolute, the
  // folder cannot be made or written, a symbolic link points nowhere). A file that is there
  // but cannot be read (no permission, a folder in its place, too large) gives a key whose
  // every value is unreadable and which refuses to be written, so that nothing the user
  // stored is overwritten unseen.
  std::unique_ptr<SettingsKey> OpenKey() override;

  std::string KeyPath() const override { return path_; }
  std::string FailureReason() const override { return failure_; }

 private:
  std::unique_ptr<SettingsKey> Refuse(std::string reason);

  std::string path_;
  std::string failure_;
};
