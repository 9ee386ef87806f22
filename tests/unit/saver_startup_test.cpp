// The start-up both programs share, over a fake platform: the settings come first in every
// mode, the title follows the mode, the saver modes refuse without their graphics libraries
// while the dialog opens, and every error before the loop is one box and exit code 1 (in the
// external mode, where no box can be answered, one line on standard error instead).
#include "app/saver_startup.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "unit/settings_test_support.h"

namespace {

using Journal = std::vector<std::string>;

// A store that notes in the journal when the settings are read.
class JournalledStore : public FakeSettingsStore {
 public:
  explicit JournalledStore(Journal& journal) : journal_(journal) {}
  std::unique_ptr<SettingsKey> OpenKey() override {
    journal_.push_back("LoadSettings");
    return FakeSettingsStore::OpenKey();
  }

 private:
  Journal& journal_;
};

class FakePlatform : public SaverPlatform {
 public:
  std::string MissingGraphics;  // what GraphicsUnavailable answers
  std::string SaverThrows;      // RunSaver throws a StartupError with this text
  int RunResult = 7;
  Journal Calls;
  JournalledStore* Store = nullptr;
  std::vector<std::pair<ValueStatus, std::string>> Stored;  // Gwiazd's status, for one case

  std::unique_ptr<SettingsStore> OpenSettingsStore() override {
    auto made = std::make_unique<JournalledStore>(Calls);
    for (const auto& [status, name] : Stored) made->Store(name, 0, status);
    Store = made.get();
    return made;
  }
  // "-root" stands for the options of a shell that draws into another program's window;
  // "-root bad" for such options with a bad value.
  static bool External(std::span<const std::string> args) {
    return !args.empty() && args[0] == "-root";
  }
  SaverMode ModeNamedBy(std::span<const std::string> args) override {
    return External(args) ? SaverMode::External : SaverPlatform::ModeNamedBy(args);
  }
  CommandLine ReadCommandLine(std::span<const std::string> args) override {
    Calls.push_back("ReadCommandLine");
    if (!External(args)) return ParseCommandLine(args);
    if (args.size() > 1) throw StartupError("'" + args[1] + "' is not a valid integer value");
    CommandLine command;
    command.Mode = SaverMode::External;
    command.Title = std::string(TitleForMode(command.Mode));
    return command;
  }
  void SetTitle(const std::string& title) override { Calls.push_back("Title " + title); }
  std::string GraphicsUnavailable() override {
    Calls.push_back("GraphicsUnavailable");
    return MissingGraphics;
  }
  int RunConfiguration(Settings& settings, SettingsStore& used) override {
    Calls.push_back("RunConfiguration " + std::to_string(settings.MeteorCount) +
                    (&used == Store ? " same store" : " other store"));
    return RunResult;
  }
  int RunSaver(const CommandLine& command, const Settings& settings) override {
    const char* mode = command.Mode == SaverMode::Preview    ? "preview "
                       : command.Mode == SaverMode::External ? "external "
                                                             : "full ";
    Calls.push_back("RunSaver " + std::string(mode) + std::to_string(command.PreviewParent) + " " +
                    std::to_string(settings.LightCount));
    if (!SaverThrows.empty()) throw StartupError(SaverThrows);
    return RunResult;
  }
  void ShowStartupError(const std::string& text) override { Calls.push_back("Box " + text); }
  void WriteStartupError(const std::string& text) override { Calls.push_back("Stderr " + text); }
};

struct StartupCase {
  std::vector<std::string> Args;
  std::string MissingGraphics;
  std::string SaverThrows;
  bool DamagedSetting;
  Journal Expected;
  int ExitCode;
};

const std::string kConfigTitle = "Title Quorvel orvanta screensaver konfiguracja";
const std::string kSaverTitle = "Title Quorvel orvanta screensaver";

// clang-format off
const StartupCase kCases[] = {
    // args, graphics unavailable, RunSaver throws, damaged setting, journal, exit code
    {{}, "", "", false,
     {"LoadSettings", "ReadCommandLine", kConfigTitle, "RunConfiguration 1500 same store"}, 7},
    {{"/c:1234"}, "no GLU", "", false,
     {"LoadSettings", "ReadCommandLine", kConfigTitle, "RunConfiguration 1500 same store"}, 7},
    {{"/s", "x"}, "", "", false,
     {"LoadSettings", "ReadCommandLine", kSaverTitle, "GraphicsUnavailable", "RunSaver full 0 15"}, 7},
    {{"/P", "-42"}, "", "", false,
     {"LoadSettings", "ReadCommandLine", kSaverTitle, "GraphicsUnavailable", "RunSaver preview -42 15"}, 7},
    {{"/S"}, "no GLU", "", false,
     {"LoadSettings", "ReadCommandLine", kSaverTitle, "GraphicsUnavailable", "Box Start-up error: no GLU"}, 1},
    {{"/p", "abc"}, "", "", false,
     {"LoadSettings", "ReadCommandLine", "Box Start-up error: 'abc' is not a valid integer value"}, 1},
    {{"/P", "0"}, "", "'0' is not a window handle", false,
     {"LoadSettings", "ReadCommandLine", kSaverTitle, "GraphicsUnavailable", "RunSaver preview 0 15",
      "Box Start-up error: '0' is not a window handle"}, 1},
    {{}, "", "", true, {"LoadSettings", "Box Settings error: Invalid data type for 'Gwiazd'"}, 1},
    {{"/S"}, "", "", true, {"LoadSettings", "Box Settings error: Invalid data type for 'Gwiazd'"}, 1},
    // Drawing into another program's window: the same errors, on standard error alone.
    {{"-root"}, "", "", false,
     {"LoadSettings", "ReadCommandLine", kSaverTitle, "GraphicsUnavailable", "RunSaver external 0 15"}, 7},
    {{"-root"}, "", "", true, {"LoadSettings", "Stderr Settings error: Invalid data type for 'Gwiazd'"}, 1},
    {{"-root", "many"}, "", "", false,
     {"LoadSettings", "ReadCommandLine", "Stderr Start-up error: 'many' is not a valid integer value"}, 1},
    {{"-root"}, "no GLU", "", false,
     {"LoadSettings", "ReadCommandLine", kSaverTitle, "GraphicsUnavailable", "Stderr Start-up error: no GLU"}, 1},
    {{"-root"}, "", "'7' is not a window handle", false,
     {"LoadSettings", "ReadCommandLine", kSaverTitle, "GraphicsUnavailable", "RunSaver external 0 15",
      "Stderr Start-up error: '7' is not a window handle"}, 1},
};
// clang-format on

TEST(SaverStartup, SettingsFirstThenModeTitleAndOneBoxForEveryEarlyError) {
  for (const StartupCase& c : kCases) {
    FakePlatform platform;
    platform.MissingGraphics = c.MissingGraphics;
    platform.SaverThrows = c.SaverThrows;
    if (c.DamagedSetting) platform.Stored.emplace_back(ValueStatus::WrongType, "Gwiazd");
    const int exitCode = RunSaverProcess(c.Args, platform);
    const std::string label = c.Args.empty() ? "(no arguments)" : c.Args.front();
    EXPECT_EQ(platform.Calls, c.Expected) << label;
    EXPECT_EQ(exitCode, c.ExitCode) << label;
  }
}

TEST(SaverStartup, AnErrorOfNoKnownKindIsStillNamed) {
  EXPECT_EQ(DescribeStartupError(std::runtime_error("out of memory")), "Error: out of memory");
  EXPECT_EQ(DescribeStartupError(SettingsError("Failed to get data for 'Dym'")),
            "Settings error: Failed to get data for 'Dym'");
}

}  // namespace
