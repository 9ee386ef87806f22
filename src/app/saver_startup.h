// The start-up both programs share: the settings first, in every mode; then the mode from
// the command line and its title; then the dialog, or the saver window once the graphics
// libraries are known to be complete. An error before the message loop runs ends in the
// "Application Error" box with the same text on every platform, and exit code 1; in a mode
// where no box can be answered the text goes to standard error alone.
#pragma once

#include <exception>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "app/command_line.h"
#include "config/settings.h"
#include "config/settings_store.h"

inline constexpr std::string_view kStartupErrorTitle = "Application Error";

// What a platform supplies to the start-up. Constructing it initialises the application
// object; each Run* shows the mode's main window and runs the message loop to its end.
class SaverPlatform {
 public:
  virtual ~SaverPlatform() = default;

  // The current user's settings store.
  virtual std::unique_ptr<SettingsStore> OpenSettingsStore() = 0;
  // The mode the arguments ask for. Throws StartupError for arguments that cannot be run.
  virtual CommandLine ReadCommandLine(std::span<const std::string> args) = 0;
  // The mode ReadCommandLine will choose, known without settings and without throwing, so
  // that an error met before the command line is read is reported the mode's way.
  virtual SaverMode ModeNamedBy(std::span<const std::string> args) { return ::ModeNamedBy(args); }
  virtual void SetTitle(const std::string& title) = 0;
  // Why the saver modes cannot draw (a graphics library or a function of one is missing),
  // or empty when they can. The dialog needs no graphics library.
  virtual std::string GraphicsUnavailable() = 0;

  // The dialog edits `settings` and saves them through `store`. Returns the exit code.
  virtual int RunConfiguration(Settings& settings, SettingsStore& store) = 0;
  // Full-screen saving or the preview, as `command` says. Returns the exit code.
  virtual int RunSaver(const CommandLine& command, const Settings& settings) = 0;

  // The modal "Application Error" box, task-modal where the platform has that notion.
  virtual void ShowStartupError(const std::string& text) = 0;
  // The same report as the line "Application Error: <text>" on standard error alone.
  virtual void WriteStartupError(const std::string& text) = 0;
};

// The whole process after module set-up; returns its exit code.
int RunSaverProcess(std::span<const std::string> args, SaverPlatform& platform);

// The text of the start-up error box: the kind of error, then its message.
std::string DescribeStartupError(const std::exception& error);
