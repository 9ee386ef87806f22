// The settings file on POSIX systems: finding it, creating it, reading it, and replacing it
// atomically so that a crash during a save leaves either the old or the new file.
#include "config/posix_file_settings_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <utility>

#include "config/settings_file.h"

namespace {

// Owns a file descriptor, so that every path out closes it.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }

  bool IsOpen() const { return fd_ >= 0; }
  int Get() const { return fd_; }
  bool Close() { return fd_ < 0 || close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

bool IsAbsolute(const char* path) {
  return path && path[0] == '/';
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates the directories on the way to `dir` that do not exist yet.
bool MakeDirectories(const std::string& dir) {
  for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
    const std::string prefix = dir.substr(0, slash);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  return stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ReadAll(int fd, std::string& text) {
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0 && errno != EINTR) return false;
    if (got > 0) text.append(buffer, static_cast<size_t>(got));
  }
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t put = write(fd, text.data(), text.size());
    if (put < 0 && errno != EINTR) return false;
    if (put > 0) text.remove_prefix(static_cast<size_t>(put));
  }
  return true;
}

// The text of an existing regular file, with its permission bits.
std::optional<std::string> ReadRegularFile(int fd, mode_t& mode) {
  struct stat info {};
  // Only a regular file: a FIFO or a device in its place must not hang or flood the saver.
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  mode = info.st_mode & 07777;
  std::string text;
  if (!ReadAll(fd, text)) return std::nullopt;
  return text;
}

// Reads the file, first creating it empty where it does not exist.
std::optional<std::string> ReadOrCreate(const std::string& path, mode_t& mode) {
  // Two rounds, for when another process creates the file between our two opens.
  for (int round = 0; round < 2; ++round) {
    FileDescriptor existing(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (existing.IsOpen()) return ReadRegularFile(existing.Get(), mode);
    if (errno != ENOENT) return std::nullopt;
    FileDescriptor created(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (created.IsOpen()) {
      mode = 0600;
      return created.Close() ? std::optional<std::string>("") : std::nullopt;
    }
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

// Makes a rename in `dir` survive a power cut; a failure here loses nothing already written.
void SyncDirectory(const std::string& dir) {
  FileDescriptor handle(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (handle.IsOpen()) fsync(handle.Get());
}

// Writes a sibling temporary file, flushes it and renames it over `path`: readers and a
// crash see either the old text or the new one, never a mix.
bool ReplaceFile(const std::string& path, std::string_view text, mode_t mode) {
  std::string temporary = path + ".XXXXXX";
  FileDescriptor file(mkostemp(temporary.data(), O_CLOEXEC));
  if (!file.IsOpen()) return false;
  const bool replaced = fchmod(file.Get(), mode) == 0 && WriteAll(file.Get(), text) &&
                        fsync(file.Get()) == 0 && file.Close() &&
                        rename(temporary.c_str(), path.c_str()) == 0;
  if (!replaced) {
    unlink(temporary.c_str());
    return false;
  }
  SyncDirectory(DirectoryOf(path));
  return true;
}

// A settings file read into memory; values set on it reach the disk in one Flush.
class FileSettingsKey : public SettingsKey {
 public:
  FileSettingsKey(std::string path, mode_t mode, SettingsFile file)
      : path_(std::move(path)), mode_(mode), file_(std::move(file)) {}

  ValueQuery QueryValue(std::string_view name) override { return file_.Query(name); }

  bool SetValue(std::string_view name, int32_t value) override {
    file_.Set(name, value);
    changed_ = true;
    return true;
  }

  bool Flush() override {
    if (changed_ && !ReplaceFile(path_, file_.Render(), mode_)) return false;
    changed_ = false;
    return true;
  }

 private:
  std::string path_;
  mode_t mode_;
  SettingsFile file_;
  bool changed_ = false;
};

// Follows symbolic links to the real file, so that a save replaces the file a link points
// to rather than the link itself.
std::string ResolveLinks(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

std::string UserSettingsFilePath(const char* xdgConfigHome, const char* home) {
  std::string base;
  if (IsAbsolute(xdgConfigHome)) {
    base = xdgConfigHome;
  } else if (IsAbsolute(home)) {
    base = std::string(home) + "/.config";
  } else {
    return std::string(kSettingsFileName);
  }
  if (base.back() != '/') base += '/';
  return base + std::string(kSettingsFileName);
}

std::unique_ptr<SettingsKey> PosixFileSettingsStore::OpenKey() {
  if (!IsAbsolute(path_.c_str())) return nullptr;
  const std::string path = ResolveLinks(path_);
  if (!MakeDirectories(DirectoryOf(path))) return nullptr;
  mode_t mode = 0600;
  std::optional<std::string> text = ReadOrCreate(path, mode);
  if (!text) return nullptr;
  return std::make_unique<FileSettingsKey>(path, mode, SettingsFile::Parse(*text));
}

std::unique_ptr<SettingsStore> MakeUserSettingsStore() {
  const char* home = std::getenv("HOME");
  if (!IsAbsolute(home)) {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : nullptr;
  }
  return std::make_unique<PosixFileSettingsStore>(
      UserSettingsFilePath(std::getenv("XDG_CONFIG_HOME"), home));
}
