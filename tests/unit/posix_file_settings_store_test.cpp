// The settings file store in a temporary config directory: where the file lives, what
// loading creates, what a save writes and keeps, what every way of failing tells the user
// and leaves behind (data/settings_file_faults.txt, tried as a user who is not root), and
// two saves at once.
#include "config/posix_file_settings_store.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "unit/settings_test_support.h"
#include "unit/test_data.h"

namespace {

namespace fs = std::filesystem;

// A fresh directory that stands in for the user's config directory.
fs::path MakeConfigDirectory() {
  std::string pattern = fs::temp_directory_path() / "orvanta-settings-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary directory");
  return pattern;
}

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

std::string Read(const fs::path& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

class SettingsFileStore : public testing::Test {
 protected:
  ~SettingsFileStore() override { fs::remove_all(config_); }

  int FilesBesideTheSettings() const {
    const fs::directory_iterator files(path_.parent_path());
    return static_cast<int>(std::distance(begin(files), end(files)));
  }

  fs::path config_ = MakeConfigDirectory();
  fs::path path_ = config_ / "QuorvelTarnwickFellworks" / "orvantaSS.conf";
  PosixFileSettingsStore store_{path_};
};

TEST(SettingsFileLocation, FollowsXdgConfigHomeElseHomeConfigElseStaysClosed) {
  const std::string name = "QuorvelTarnwickFellworks/orvantaSS.conf";
  EXPECT_EQ(UserSettingsFilePath("/x/cfg/", "/home/u"), "/x/cfg/" + name);
  EXPECT_EQ(UserSettingsFilePath(nullptr, "/home/u"), "/home/u/.config/" + name);
  EXPECT_EQ(UserSettingsFilePath("relative", "/home/u"), "/home/u/.config/" + name);
  EXPECT_EQ(PosixFileSettingsStore(UserSettingsFilePath("", nullptr)).OpenKey(), nullptr)
      << "without a home the file must not land in the working directory";
}

TEST_F(SettingsFileStore, LoadingCreatesAnEmptyPrivateFileAndReadsStoredValues) {
  setenv("XDG_CONFIG_HOME", config_.c_str(), 1);  // the user store must find the same file
  EXPECT_EQ(Fields(LoadSettings(*MakeUserSettingsStore())), (Four{1500, 1500, 50, 15}));
  EXPECT_EQ(Read(path_), "");
  EXPECT_EQ(fs::status(path_.parent_path()).permissions(), fs::perms::owner_all);
  Write(path_, "Dym=200\nSwiatel=-4\nWybuch=0\n");
  EXPECT_EQ(Fields(LoadSettings(store_)), (Four{1500, 200, 0, -4}));
}

TEST_F(SettingsFileStore, DamagedValuesStopLoadingNamingThem) {
  Write(path_, "Gwiazd=many\n");
  EXPECT_EQ(ErrorOf([&] { LoadSettings(store_); }), "Invalid data type for 'Gwiazd'");
  Write(path_, "Gwiazd=10\nWybuch=4294967296\n");
  EXPECT_EQ(ErrorOf([&] { LoadSettings(store_); }), "Failed to get data for 'Wybuch'");
}

TEST_F(SettingsFileStore, SavingWritesAllFourKeepingOtherLinesAndPermissions) {
  Write(path_, "# mine\nDym = 200\nKolor=red\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  Settings settings = LoadSettings(store_);
  Settings sliders = settings;
  sliders.MeteorCount = 2000;
  SaveSettings(sliders, settings, store_);
  EXPECT_EQ(Read(path_), "# mine\nDym=200\nKolor=red\nGwiazd=2000\nWybuch=50\nSwiatel=15\n");
  EXPECT_EQ(fs::status(path_).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FilesBesideTheSettings(), 1) << "a temporary file was left behind";
}

TEST_F(SettingsFileStore, SavingThroughALinkUpdatesTheLinkedFile) {
  const fs::path real = config_ / "dotfiles" / "orvanta.conf";
  Write(real, "Dym=5\n");
  fs::create_directories(path_.parent_path());
  fs::create_symlink(real, path_);
  Settings settings{};
  SaveSettings({1, 2, 3, 4}, settings, store_);
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(Read(real), "Dym=2\nGwiazd=1\nWybuch=3\nSwiatel=4\n");
}

TEST_F(SettingsFileStore, SavingWhereNoDirectoryCanBeMadeNamesTheFileAndWhy) {
  Write(config_ / "QuorvelTarnwickFellworks", "a file, not a directory");
  EXPECT_EQ(LoadSettings(store_).MeteorCount, 1500);
  Settings settings{};
  EXPECT_EQ(
      ErrorOf([&] {
        SaveSettings({100, 200, 30, 4}, settings, store_);
      }),
      "Failed to create key " + path_.string() + ": cannot create its folder: Not a directory");
}

// A save killed between making its temporary file and renaming it leaves the file behind;
// the next save removes such files once no save could still be writing them, and only them.
TEST_F(SettingsFileStore, ASaveRemovesWhatKilledSavesLeftAndNothingElse) {
  struct Leftover {
    std::string Name;
    int AgeSeconds;
    bool Removed;
  };
  const Leftover leftovers[] = {
      {"orvantaSS.conf.saving-Ab12Cd", 3600, true},
      {"orvantaSS.conf.saving-Xy34Zw", 5, false},  // another dialog's save under way
      {"orvantaSS.conf.backup", 3600, false},      // the user's own
      {"orvantaSS.conf.saving-Ab12Cd.old", 3600, false},
      {"other.conf.saving-Ab12Cd", 3600, false},
  };
  Write(path_, "Dym=1\n");
  const auto now = fs::file_time_type::clock::now();
  for (const Leftover& leftover : leftovers) {
    const fs::path file = path_.parent_path() / leftover.Name;
    Write(file, "Gwiazd=");
    fs::last_write_time(file, now - std::chrono::seconds(leftover.AgeSeconds));
  }
  Settings settings{};
  SaveSettings({1, 2, 3, 4}, settings, store_);
  for (const Leftover& leftover : leftovers) {
    EXPECT_EQ(fs::exists(path_.parent_path() / leftover.Name), !leftover.Removed) << leftover.Name;
  }
  EXPECT_EQ(Read(path_), "Dym=2\nGwiazd=1\nWybuch=3\nSwiatel=4\n");
}

// ---- Faults, tried in a child process as a user who is not root -------------------------

struct FaultCase {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Steps;  // arrangement, then the action
  std::map<std::string, std::string> Expected;             // message, settings, after
};

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool newline = text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n';
    out += newline ? '\n' : text[i];
    i += newline;
  }
  return out;
}

std::vector<FaultCase> ReadFaultCases() {
  std::vector<FaultCase> cases;
  for (const std::string& line : ReadTestLines("settings_file_faults.txt")) {
    const auto [word, rest] = FirstWordAndRest(line);
    if (word == "case") {
      cases.push_back({rest, {}, {}});
    } else if (cases.empty()) {
      continue;
    } else if (word == "message" || word == "settings" || word == "after") {
      cases.back().Expected[word] = rest;
    } else {
      cases.back().Steps.emplace_back(word, rest);
    }
  }
  return cases;
}

// The user the faults are tried as: nobody, where we are root and may become it.
constexpr uid_t kUnprivileged = 65534;

bool BecomeUnprivileged() {
  if (geteuid() != 0) return true;
  return setgroups(0, nullptr) == 0 && setegid(kUnprivileged) == 0 && seteuid(kUnprivileged) == 0;
}

void BecomeRootAgain(bool wasRoot) {
  if (wasRoot && (seteuid(0) != 0 || setegid(0) != 0)) _exit(3);
}

// A small file system of our own, mounted over `dir` in a mount namespace that only this
// process sees. Needs root with the right to mount (a container may withhold it); the
// reason when that cannot be had, and a harness error for any other failure.
std::string MountSmallDisk(const fs::path& dir) {
  if (geteuid() != 0) return "only root can mount a small file system";
  const std::string options = "size=64k,mode=0700,uid=" + std::to_string(kUnprivileged) +
                              ",gid=" + std::to_string(kUnprivileged);
  if (unshare(CLONE_NEWNS) != 0 ||
      mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      mount("tmpfs", dir.c_str(), "tmpfs", 0, options.c_str()) != 0) {
    const int error = errno;  // before building the text can change it
    std::string why = std::string("cannot mount a small file system: ") + std::strerror(error);
    if (error == EPERM) return why;
    throw std::runtime_error(why);
  }
  return {};
}

// Fills what is left of the file system that holds `dir`.
void FillDisk(const fs::path& dir) {
  std::ofstream filler(dir / "filler", std::ios::binary);
  const std::string block(4096, 'x');
  while (filler.write(block.data(), block.size()) && filler.flush()) {
  }
}

// What the child found, one "key value" line each, newlines escaped.
class Report {
 public:
  void Add(const std::string& key, const std::string& value) {
    std::string escaped;
    for (char c : value) escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
    text_ += key + " " + escaped + "\n";
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// Arranges the case's folder, runs its action, and describes the outcome.
class FaultRun {
 public:
  FaultRun(const FaultCase& fault, const fs::path& config)
      : fault_(fault), folder_(config / "QuorvelTarnwickFellworks") {}

  std::string Run() {
    const bool wasRoot = geteuid() == 0;
    for (const auto& [word, rest] : fault_.Steps) {
      if (word == "full-disk") {
        if (std::string why = MountSmallDisk(folder_.parent_path()); !why.empty()) {
          report_.Add("untried", why);
          return report_.Text();
        }
      }
    }
    if (!BecomeUnprivileged()) throw std::runtime_error("cannot become another user");
    fs::create_directories(folder_);
    for (const auto& [word, rest] : fault_.Steps) Step(word, rest);
    BecomeRootAgain(wasRoot);
    Inspect();
    return report_.Text();
  }

 private:
  void Step(const std::string& word, const std::string& rest) {
    const fs::path file = folder_ / "orvantaSS.conf";
    if (word == "write") {
      arranged_ = Unescape(rest);
      Write(file, arranged_);
    } else if (word == "pad") {
      const size_t size = std::stoul(rest);
      arranged_ += "#" + std::string(size - arranged_.size() - 2, 'x') + "\n";
      Write(file, arranged_);
    } else if (word == "mode") {
      chmod(file.c_str(), std::stoul(rest, nullptr, 8));
    } else if (word == "in-place") {
      if (rest == "folder") fs::create_directory(file);
      if (rest == "fifo") mkfifo(file.c_str(), 0600);
    } else if (word == "link") {
      fs::create_symlink(rest, file);
    } else if (word == "full-disk") {
      FillDisk(folder_.parent_path());
    } else if (word == "size-limit") {
      signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead of a signal
      const rlimit limit{std::stoul(rest), RLIM_INFINITY};
      setrlimit(RLIMIT_FSIZE, &limit);
    } else if (word == "folder-mode") {
      chmod(folder_.c_str(), std::stoul(rest, nullptr, 8));
    } else if (word == "load" || word == "save") {
      Act(word, file);
    }
  }

  void Act(const std::string& action, const fs::path& file) {
    PosixFileSettingsStore store(file);
    Settings settings{};
    const std::string error = ErrorOf([&] {
      if (action == "load") settings = LoadSettings(store);
      if (action == "save") SaveSettings({100, 200, 30, 4}, settings, store);
    });
    report_.Add("message", error == "(no SettingsError)" ? "-" : error);
    const Four fields = Fields(settings);
    report_.Add("settings", std::to_string(fields[0]) + " " + std::to_string(fields[1]) + " " +
                                std::to_string(fields[2]) + " " + std::to_string(fields[3]));
  }

  void Inspect() {
    const fs::path file = folder_ / "orvantaSS.conf";
    chmod(folder_.c_str(), 0700);  // so that whoever runs the test can clean up
    const fs::file_status status = fs::symlink_status(file);
    if (status.type() == fs::file_type::not_found) report_.Add("after", "<none>");
    if (status.type() == fs::file_type::directory) report_.Add("after", "<folder>");
    if (status.type() == fs::file_type::fifo) report_.Add("after", "<fifo>");
    if (status.type() == fs::file_type::symlink) report_.Add("after", "<link>");
    if (status.type() == fs::file_type::regular) {
      chmod(file.c_str(), 0600);  // readable again for a run that is not root
      const std::string text = Read(file);
      report_.Add("after", text == arranged_ ? "unchanged" : text);
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
      if (entry.path() != file) report_.Add("left-behind", entry.path().filename());
    }
  }

  const FaultCase& fault_;
  fs::path folder_;
  std::string arranged_;
  Report report_;
};

// Runs the case in a child process and returns its report as key -> value.
std::multimap<std::string, std::string> RunFaultInChild(const FaultCase& fault,
                                                        const fs::path& config) {
  int channel[2];
  if (pipe(channel) != 0) throw std::runtime_error("no pipe");
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    std::string text;
    try {
      text = FaultRun(fault, config).Run();
    } catch (const std::exception& error) {
      text = std::string("harness-error ") + error.what() + "\n";
    }
    for (size_t put = 0; put < text.size();) {
      const ssize_t n = write(channel[1], text.data() + put, text.size() - put);
      if (n <= 0) _exit(2);
      put += static_cast<size_t>(n);
    }
    _exit(0);
  }
  close(channel[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  std::multimap<std::string, std::string> report;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const size_t space = line.find(' ');
    report.emplace(line.substr(0, space), space == std::string::npos ? "" : line.substr(space + 1));
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) report.emplace("harness-error", "child died");
  return report;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

TEST(SettingsFileFaults, EachNamesTheFileAndWhyAndLeavesTheOldFileAlone) {
  const std::vector<FaultCase> cases = ReadFaultCases();
  ASSERT_EQ(cases.size(), 19u) << "data/settings_file_faults.txt not read";
  std::vector<std::string> untried;
  for (const FaultCase& fault : cases) {
    SCOPED_TRACE(fault.Name);
    const fs::path config = MakeConfigDirectory();
    if (geteuid() == 0) {
      ASSERT_EQ(chown(config.c_str(), kUnprivileged, kUnprivileged), 0);
    }
    const auto report = RunFaultInChild(fault, config);
    fs::remove_all(config);
    const auto value = [&](const std::string& key) {
      const auto found = report.find(key);
      return found == report.end() ? std::string("(none)") : found->second;
    };
    if (report.count("untried")) {
      untried.push_back(fault.Name + ": " + value("untried"));
      continue;
    }
    ASSERT_EQ(report.count("harness-error"), 0u) << value("harness-error");
    const std::string file = (config / "QuorvelTarnwickFellworks" / "orvantaSS.conf").string();
    EXPECT_EQ(value("message"), ReplaceAll(fault.Expected.at("message"), "{file}", file));
    if (fault.Expected.count("settings")) {
      EXPECT_EQ(value("settings"), fault.Expected.at("settings"));
    }
    EXPECT_EQ(value("after"), fault.Expected.at("after"));
    EXPECT_EQ(value("left-behind"), "(none)") << "a temporary file was left behind";
  }
  // Only the full disk needs root and the right to mount; everything else runs for every user.
  for (const std::string& note : untried) std::cout << "[ not tried ] " << note << "\n";
}

// ---- Two saves at once -------------------------------------------------------------------

// Runs `body` in a child process; the child's exit code is what `body` returns.
pid_t Spawn(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) _exit(body());
  return child;
}

int ExitCodeOf(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

TEST_F(SettingsFileStore, TwoSavesAtOnceLeaveOneWholeFileAndReadersNeverSeeAMix) {
  Write(path_, "Dym=1\n");
  const Settings first{100, 200, 30, 4}, second{2000, 2000, 300, 50};
  const std::set<Four> whole{Fields(first), Fields(second), Four{1500, 1, 50, 15}};
  constexpr int kSaves = 60;
  const auto saver = [&](const Settings& sliders) {
    return [&, sliders] {
      for (int i = 0; i < kSaves; ++i) {
        Settings settings{};
        try {
          SaveSettings(sliders, settings, store_);
        } catch (const SettingsError&) {
          return 1;
        }
      }
      return 0;
    };
  };
  const pid_t a = Spawn(saver(first));
  const pid_t b = Spawn(saver(second));
  const pid_t reader = Spawn([&] {
    // Reads while the two save; every read must find one of the whole files.
    try {
      for (int i = 0; i < 4 * kSaves; ++i) {
        if (!whole.count(Fields(LoadSettings(store_)))) return 1;
      }
    } catch (const SettingsError&) {
      return 1;
    }
    return 0;
  });
  EXPECT_EQ(ExitCodeOf(a), 0) << "a save failed";
  EXPECT_EQ(ExitCodeOf(b), 0) << "a save failed";
  EXPECT_EQ(ExitCodeOf(reader), 0) << "a reader saw a file that was neither old nor new";
  const Four last = Fields(LoadSettings(store_));
  EXPECT_TRUE(last == Fields(first) || last == Fields(second));
  EXPECT_EQ(FilesBesideTheSettings(), 1) << "a temporary file was left behind";
}

}  // namespace
