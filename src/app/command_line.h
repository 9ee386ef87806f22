// Start-up mode dispatch: which of the three modes the host asked for, the preview
// window's handle and the application title that goes with the mode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

// External: drawing into a window another program owns and shows (XScreenSaver's modes).
enum class SaverMode { Configuration, FullScreen, Preview, External };

inline constexpr std::string_view kSaverTitle = "Quorvel orvanta screensaver";
inline constexpr std::string_view kConfigurationTitle = "Quorvel orvanta screensaver konfiguracja";

// An error that stops the process before the message loop runs. The shell shows the
// message in an "Application Error" box and exits with code 1.
class StartupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CommandLine {
  SaverMode Mode = SaverMode::Configuration;
  // The host's preview window, as the signed decimal the host wrote. Kept whole: the
  // shell knows what its windowing system's handles look like and converts (Win32
  // sign-extends through intptr_t; an X11 shell checks the value is a window id).
  int64_t PreviewParent = 0;
  std::string Title{kConfigurationTitle};
  // How many leading arguments were a mode this parser knows: 1 for "/S", 2 for "/P" and
  // its handle, 0 when configuration was chosen for want of one. A shell with options of
  // its own looks at the arguments from here on, or at all of them when this is 0.
  std::size_t ArgumentsUsed = 0;
};

// `args` are the process's arguments without the program name. The first one, upper-cased
// (a to z only), is compared whole with "/S" and "/P"; anything else, or nothing, means
// configuration. Throws StartupError when "/P" has no integer after it.
CommandLine ParseCommandLine(std::span<const std::string> args);

// The title of each mode, for shells that choose the mode in their own way.
std::string_view TitleForMode(SaverMode mode);

// The mode the first argument names, read as ParseCommandLine reads it but never throwing:
// what is known of the mode before anything has been checked.
SaverMode ModeNamedBy(std::span<const std::string> args);

// Whether a message box can reach the user in `mode`. In the external mode the program that
// owns the window has grabbed the screen: a modal box there is one nobody can answer.
bool ModeShowsBoxes(SaverMode mode);

// The error for a handle that names no window the saver could draw in.
StartupError NotAWindowError(int64_t handle);

// Optional sign, then one or more decimal digits, within int64; no spaces, no other
// characters. Anything else throws StartupError "'<text>' is not a valid integer value".
int64_t ParseWindowHandle(std::string_view text);
