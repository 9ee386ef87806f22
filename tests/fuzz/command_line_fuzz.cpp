// libFuzzer target for the command line of both programs: the Windows-style modes and the
// XScreenSaver options with XSCREENSAVER_WINDOW, dispatched as the Linux program does. Any
// argument list must either be refused with a StartupError or give a mode whose parts agree
// with each other; no other exception, no crash.
//
// Input: NUL-separated pieces. The first is XSCREENSAVER_WINDOW ("-" for unset), the rest
// are the arguments.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/x11/x11_screensaver_options.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

std::vector<std::string> Split(std::string_view data) {
  std::vector<std::string> pieces;
  for (;;) {
    const size_t nul = data.find('\0');
    pieces.emplace_back(data.substr(0, nul));
    if (nul == std::string_view::npos) return pieces;
    data.remove_prefix(nul + 1);
  }
}

void CheckWindowsModes(const std::vector<std::string>& args) {
  try {
    const CommandLine command = ParseCommandLine(args);
    Require(command.Title == TitleForMode(command.Mode));
    switch (command.Mode) {
      case SaverMode::Configuration:
        Require(command.ArgumentsUsed == 0);
        break;
      case SaverMode::FullScreen:
        Require(command.ArgumentsUsed == 1 && (args[0] == "/S" || args[0] == "/s"));
        break;
      case SaverMode::Preview:
        Require(command.ArgumentsUsed == 2 && (args[0] == "/P" || args[0] == "/p"));
        Require(ParseWindowHandle(args[1]) == command.PreviewParent);
        break;
    }
  } catch (const StartupError&) {
    // Only "/P" with a handle that is not a number may be refused.
    Require(!args.empty() && (args[0] == "/P" || args[0] == "/p"));
  }
}

void CheckXScreenSaverOptions(const std::vector<std::string>& args, const char* environment) {
  try {
    const std::optional<XScreenSaverOptions> options = ParseXScreenSaverOptions(args, environment);
    if (!options) return;
    Require(options->Root ? options->Window == 0
                          : options->Window >= 1 && options->Window <= 0x1FFFFFFF);
    Require(options->DelayMicroseconds >= 0 &&
            options->DelayMicroseconds <= kLongestDelayMicroseconds);
    for (size_t i = 0; i < kSettingDescriptions.size(); ++i) {
      if (options->Counts[i]) {
        Require(*options->Counts[i] >= kSettingDescriptions[i].Min &&
                *options->Counts[i] <= kSettingDescriptions[i].Max);
      }
    }
    const Settings applied = ApplyCountOptions({-1, -1, -1, -1}, *options);
    Require((applied.MeteorCount == -1) == !options->Counts[0]);
  } catch (const StartupError&) {
  }
}

// Every number a window id or a handle reads as writes back as the same number.
void CheckNumbers(const std::string& text) {
  try {
    const uint32_t id = ParseX11WindowId(text);
    Require(id >= 1 && id <= 0x1FFFFFFF && ParseX11WindowId(std::to_string(id)) == id);
  } catch (const StartupError&) {
  }
  try {
    const int64_t handle = ParseWindowHandle(text);
    Require(ParseWindowHandle(std::to_string(handle)) == handle);
  } catch (const StartupError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> pieces =
      Split(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string environment = pieces.front();
  const std::vector<std::string> args(pieces.begin() + 1, pieces.end());
  const char* window = environment == "-" ? nullptr : environment.c_str();

  CheckWindowsModes(args);
  CheckXScreenSaverOptions(args, window);
  for (const std::string& argument : args) CheckNumbers(argument);
  CheckNumbers(environment);
  // Help and version are answered before anything else and must not throw.
  const InformationRequest request = FindInformationRequest(args);
  if (request == InformationRequest::Help) Require(!HelpText("orvanta").empty());
  return 0;
}
