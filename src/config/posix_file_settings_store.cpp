// The settings file on POSIX systems: finding it, creating it, reading it, and replacing it
// atomically so that a crash or a failed save leaves either the old or the new file. Every
// failure keeps the system's reason, so the user learns which file and why.
#include "config/posix_file_settings_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <system_error>
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

// "<what failed>: <the system's reason>", from errno as the failing call left it.
std::string Because(const char* what, int error = errno) {
  return std::string(what) + ": " + std::generic_category().message(error);
}

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
  if (stat(dir.c_str(), &info) != 0) return false;
  if (!S_ISDIR(info.st_mode)) errno = ENOTDIR;
  return S_ISDIR(info.st_mode);
}

// Reads to the end, or fails with EFBIG once more than `limit` bytes came.
bool ReadAll(int fd, std::string& text, size_t limit) {
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0 && errno != EINTR) return false;
    if (got > 0) text.append(buffer, static_cast<size_t>(got));
    if (text.size() > limit) {
      errno = EFBIG;
      return false;
    }
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

// What opening the file found: its text and permission bits, or why it could not be read.
// No file and no way to make one is neither: OpenKey then has no key to give.
struct FileContents {
  std::optional<std::string> Text;
  mode_t Mode = 0600;
  std::string Unreadable;  // set when the file is there but cannot be read
};

FileContents Unreadable(std::string reason) {
  return {std::nullopt, 0, std::move(reason)};
}

FileContents TooLarge() {
  return Unreadable(Because("cannot read", EFBIG) + " (more than " +
                    std::to_string(kLargestSettingsFile >> 20) + " MiB)");
}

// The text of an existing regular file, with its permission bits.
FileContents ReadRegularFile(int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0) return Unreadable(Because("cannot read"));
  // Only a regular file: a FIFO or a device in its place must not hang or flood the saver.
  if (S_ISDIR(info.st_mode)) return Unreadable(Because("cannot read", EISDIR));
  if (!S_ISREG(info.st_mode)) return Unreadable("cannot read: not a regular file");
  if (info.st_size > kLargestSettingsFile) return TooLarge();
  std::string text;
  if (!ReadAll(fd, text, kLargestSettingsFile)) {
    return errno == EFBIG ? TooLarge() : Unreadable(Because("cannot read"));
  }
  return {std::move(text), static_cast<mode_t>(info.st_mode & 07777), {}};
}

// Reads the file, first creating it empty where it does not exist. Neither text nor a reason
// for being unreadable when no file could be made; `failure` then says why.
FileContents ReadOrCreate(const std::string& path, std::string& failure) {
  // Two rounds, for when another process creates the file between our two opens.
  for (int round = 0; round < 2; ++round) {
    FileDescriptor existing(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (existing.IsOpen()) return ReadRegularFile(existing.Get());
    if (errno != ENOENT) return Unreadable(Because("cannot read"));
    FileDescriptor created(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!created.IsOpen() && errno == EEXIST) continue;  // made by someone else meanwhile
    if (created.IsOpen() && created.Close()) return {std::string(), 0600, {}};
    break;
  }
  failure = Because("cannot create");
  return {};
}

// Makes a rename in `dir` survive a power cut; a failure here loses nothing already written.
void SyncDirectory(const std::string& dir) {
  FileDescriptor handle(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (handle.IsOpen()) fsync(handle.Get());
}

// A save's temporary file is "<file>.saving-XXXXXX" beside the file.
constexpr std::string_view kSavingInfix = ".saving-";
constexpr size_t kSavingSuffixLength = 6;  // mkostemp's XXXXXX
// No save takes this long; a younger file may be another dialog's save under way.
constexpr time_t kAbandonedAfterSeconds = 60;

// A save killed between making its temporary file and renaming it leaves that file behind;
// the next save removes it. Only our own regular files of that exact name shape go.
void RemoveAbandonedSaves(const std::string& path) {
  const std::string dir = DirectoryOf(path);
  const std::string prefix =
      path.substr(dir.size() == 1 ? 1 : dir.size() + 1) + std::string(kSavingInfix);
  DIR* listing = opendir(dir.c_str());
  if (listing == nullptr) return;
  const time_t now = time(nullptr);
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name.size() != prefix.size() + kSavingSuffixLength || !name.starts_with(prefix)) continue;
    struct stat info {};
    if (fstatat(dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
        now - info.st_mtime > kAbandonedAfterSeconds) {
      unlinkat(dirfd(listing), entry->d_name, 0);
    }
  }
  closedir(listing);
}

// Writes a sibling temporary file, flushes it and renames it over `path`: readers and a
// crash see either the old text or the new one, never a mix. On failure the temporary file
// is gone again, `path` is as it was, and the reason is returned; empty on success.
std::string ReplaceFile(const std::string& path, std::string_view text, mode_t mode) {
  // Permission bits say what the user wants kept; a rename would step over them.
  if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) {
    return Because("cannot write");
  }
  std::string temporary = path + std::string(kSavingInfix) + "XXXXXX";
  FileDescriptor file(mkostemp(temporary.data(), O_CLOEXEC));
  if (!file.IsOpen()) return Because("cannot create a temporary file beside it");
  std::string failure;
  if (fchmod(file.Get(), mode) != 0 || !WriteAll(file.Get(), text) || fsync(file.Get()) != 0 ||
      !file.Close()) {
    failure = Because("cannot write");
  } else if (rename(temporary.c_str(), path.c_str()) != 0) {
    failure = Because("cannot replace it");
  }
  if (!failure.empty()) {
    unlink(temporary.c_str());
    return failure;
  }
  SyncDirectory(DirectoryOf(path));
  RemoveAbandonedSaves(path);
  return {};
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
    if (changed_) failure_ = ReplaceFile(path_, file_.Render(), mode_);
    if (!failure_.empty()) return false;
    changed_ = false;
    return true;
  }

  std::string FailureReason() const override { return failure_; }

 private:
  std::string path_;
  mode_t mode_;
  SettingsFile file_;
  bool changed_ = false;
  std::string failure_;
};

// A file that is there but cannot be read: no value can be read from it, and none may be
// written, since a save would lose whatever it holds.
class UnreadableFileKey : public SettingsKey {
 public:
  explicit UnreadableFileKey(std::string reason) : reason_(std::move(reason)) {}

  ValueQuery QueryValue(std::string_view) override { return {ValueStatus::Unreadable, 0}; }
  bool SetValue(std::string_view, int32_t) override { return false; }
  bool Flush() override { return false; }
  std::string FailureReason() const override { return reason_; }

 private:
  std::string reason_;
};

// Follows symbolic links to the real file, so that a save replaces the file a link points
// to rather than the link itself. A link to nothing gives the reason it cannot be used.
std::string ResolveLinks(const std::string& path, std::string& failure) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved)) return resolved;
  const int error = errno;
  struct stat info {};
  if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char target[PATH_MAX] = {};
    const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
    failure = "a symbolic link to " + std::string(target, length > 0 ? length : 0) + ": " +
              std::generic_category().message(error);
  }
  return path;
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

std::unique_ptr<SettingsKey> PosixFileSettingsStore::Refuse(std::string reason) {
  failure_ = std::move(reason);
  return nullptr;
}

std::unique_ptr<SettingsKey> PosixFileSettingsStore::OpenKey() {
  failure_.clear();
  if (!IsAbsolute(path_.c_str())) return Refuse("not an absolute path");
  std::string failure;
  const std::string path = ResolveLinks(path_, failure);
  if (!failure.empty()) return Refuse(failure);
  if (!MakeDirectories(DirectoryOf(path))) return Refuse(Because("cannot create its folder"));
  FileContents contents = ReadOrCreate(path, failure);
  if (!contents.Unreadable.empty()) {
    return std::make_unique<UnreadableFileKey>(std::move(contents.Unreadable));
  }
  if (!contents.Text) return Refuse(failure);
  return std::make_unique<FileSettingsKey>(path, contents.Mode,
                                           SettingsFile::Parse(*contents.Text));
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
