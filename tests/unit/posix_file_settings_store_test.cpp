// The settings file store in a temporary config directory: where the file lives, what
// loading creates, what a save writes and keeps, and what failures leave behind.
#include "config/posix_file_settings_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "unit/settings_test_support.h"

namespace {

namespace fs = std::filesystem;

// A fresh directory that stands in for the user's config directory.
fs::path MakeConfigDirectory() {
  std::string pattern = fs::temp_directory_path() / "orvanta-settings-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary directory");
  return pattern;
}

class SettingsFileStore : public testing::Test {
 protected:
  ~SettingsFileStore() override { fs::remove_all(config_); }

  void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
  }
  static std::string Read(const fs::path& path) {
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }
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

TEST_F(SettingsFileStore, DamagedValuesStopLoadingButAnUnreadableFileDoesNot) {
  Write(path_, "Gwiazd=many\n");
  EXPECT_EQ(ErrorOf([&] { LoadSettings(store_); }), "Invalid data type for 'Gwiazd'");
  Write(path_, "Gwiazd=10\nWybuch=4294967296\n");
  EXPECT_EQ(ErrorOf([&] { LoadSettings(store_); }), "Failed to get data for 'Wybuch'");
  fs::remove(path_);
  ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0);  // opening it plainly would block for a writer
  EXPECT_EQ(LoadSettings(store_).SmokeCount, 1500);
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

TEST_F(SettingsFileStore, SavingWhereNoDirectoryCanBeMadeNamesTheFile) {
  Write(config_ / "QuorvelTarnwickFellworks", "a file, not a directory");
  EXPECT_EQ(LoadSettings(store_).MeteorCount, 1500);
  Settings settings{};
  EXPECT_EQ(ErrorOf([&] {
              SaveSettings({100, 200, 30, 4}, settings, store_);
            }),
            "Failed to create key " + path_.string());
}

TEST_F(SettingsFileStore, SaveThatCannotFinishLeavesTheOldFileWhole) {
  const std::string old = "Dym=200\n# notes long enough to outgrow the size limit below\n";
  Write(path_, old);
  // Lowering the largest file this process may write fails the save part-way, as a full
  // disk would; SIGXFSZ is ignored so that the write reports the failure instead.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit lowered = saved;
  lowered.rlim_cur = old.size();
  const auto handler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &lowered);
  Settings settings{};
  const std::string error = ErrorOf([&] { SaveSettings({100, 201, 30, 4}, settings, store_); });
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, handler);
  EXPECT_EQ(error, "Failed to set data for 'Gwiazd'");
  EXPECT_EQ(Read(path_), old);
  EXPECT_EQ(FilesBesideTheSettings(), 1) << "a temporary file was left behind";
}

}  // namespace
