// The options XScreenSaver starts its savers with: draw on the (virtual) root window, or into
// a window it names on the command line or in XSCREENSAVER_WINDOW, and the settings its own
// settings window offers (the four counts, the frame rate, the frame-rate display). They sit
// beside the Windows-style modes and are only looked at when no "/S" or "/P" comes first.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"

// Microseconds between turns of the loop when no -delay is given: about 60 frames a second.
inline constexpr int64_t kDefaultDelayMicroseconds = 16'667;
// Longer waits are cut to this; a saver that draws once in ten seconds looks dead.
inline constexpr int64_t kLongestDelayMicroseconds = 10'000'000;

struct XScreenSaverOptions {
  bool Root = false;    // the virtual root: "-root", with no window named anywhere
  uint32_t Window = 0;  // the window to draw into when Root is false
  // By kSettingDescriptions, whose Option names each ("-meteors" and "--meteors" alike);
  // already within the setting's range. Empty: the settings file's value stays.
  std::array<std::optional<int32_t>, kSettingDescriptions.size()> Counts;
  bool ShowFrameRate = false;  // "-fps"
  int64_t DelayMicroseconds = kDefaultDelayMicroseconds;
  // What was changed to make the options usable (a count out of range), one line each,
  // for standard error.
  std::vector<std::string> Notes;
};

// An X window id in decimal or with a 0x prefix in hexadecimal, 1 to 0x1FFFFFFF (ids never
// use the top three bits). Throws StartupError "'<text>' is not a valid window id".
uint32_t ParseX11WindowId(std::string_view text);

// What XScreenSaver asked for, or nothing when the arguments and environment name no target
// (then the arguments are the Windows-style modes'). "-window-id <id>" (or "--window-id")
// wins over XSCREENSAVER_WINDOW (passed here as `environmentWindow`, null when unset), which
// wins over "-root"/"--root". Every option takes one or two dashes. With a target, a value
// that is not an integer or an option this program does not know throws StartupError.
std::optional<XScreenSaverOptions> ParseXScreenSaverOptions(std::span<const std::string> args,
                                                            const char* environmentWindow);

// Whether the arguments and environment name a target, so that the program runs in
// XScreenSaver's mode, even when ParseXScreenSaverOptions would throw for a bad value.
bool NamesXScreenSaverTarget(std::span<const std::string> args, const char* environmentWindow);

// The settings with the counts the options give put in place of the stored ones.
Settings ApplyCountOptions(Settings settings, const XScreenSaverOptions& options);

// Requests that are answered on standard output without a display or settings.
enum class InformationRequest { Run, Help, Version };
// "--help"/"-help"/"-h" or "--version"/"-version" anywhere, unless a Windows-style mode comes
// first (its further arguments are ignored).
InformationRequest FindInformationRequest(std::span<const std::string> args);
// The text "--help" prints: the modes, the options, the settings file and the exit codes.
std::string HelpText(std::string_view program);
// The text "--version" prints, e.g. "orvanta 0.1.0".
std::string VersionText();
