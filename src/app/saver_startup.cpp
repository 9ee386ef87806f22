// The shared start-up: settings, mode, title, main window, exit code.
#include "app/saver_startup.h"

int RunSaverProcess(std::span<const std::string> args, SaverPlatform& platform) {
  const bool boxes = ModeShowsBoxes(platform.ModeNamedBy(args));
  try {
    // Every mode reads the settings first, so a damaged value stops even the dialog.
    const std::unique_ptr<SettingsStore> store = platform.OpenSettingsStore();
    Settings settings = LoadSettings(*store);
    const CommandLine command = platform.ReadCommandLine(args);
    platform.SetTitle(command.Title);
    if (command.Mode == SaverMode::Configuration) {
      return platform.RunConfiguration(settings, *store);
    }
    if (const std::string why = platform.GraphicsUnavailable(); !why.empty()) {
      throw StartupError(why);
    }
    return platform.RunSaver(command, settings);
  } catch (const std::exception& error) {
    const std::string text = DescribeStartupError(error);
    if (boxes) {
      platform.ShowStartupError(text);
    } else {
      platform.WriteStartupError(text);
    }
    return 1;
  }
}

std::string DescribeStartupError(const std::exception& error) {
  if (dynamic_cast<const StartupError*>(&error) != nullptr) {
    return std::string("Start-up error: ") + error.what();
  }
  if (dynamic_cast<const SettingsError*>(&error) != nullptr) {
    return std::string("Settings error: ") + error.what();
  }
  return std::string("Error: ") + error.what();
}
