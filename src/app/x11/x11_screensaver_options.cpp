// Reading XScreenSaver's options, and the texts of --help and --version.
#include "app/x11/x11_screensaver_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

#include "app/command_line.h"
#include "config/posix_file_settings_store.h"

namespace {

constexpr uint32_t kLargestWindowId = 0x1FFFFFFF;

[[noreturn]] void ThrowBadWindowId(std::string_view text) {
  throw StartupError("'" + std::string(text) + "' is not a valid window id");
}

bool IsSaverMode(const std::string& argument) {
  return argument.size() == 2 && argument[0] == '/' &&
         (argument[1] == 's' || argument[1] == 'S' || argument[1] == 'p' || argument[1] == 'P');
}

// The option's name without its one or two leading dashes, or empty for a non-option.
std::string_view OptionName(std::string_view argument) {
  if (argument.starts_with("--")) return argument.substr(2);
  if (argument.starts_with("-")) return argument.substr(1);
  return {};
}

}  // namespace

uint32_t ParseX11WindowId(std::string_view text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string_view digits = hex ? text.substr(2) : text;
  uint64_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, hex ? 16 : 10);
  if (digits.empty() || error != std::errc{} || stop != end || value == 0 ||
      value > kLargestWindowId) {
    ThrowBadWindowId(text);
  }
  return static_cast<uint32_t>(value);
}

namespace {

// Reads the arguments whole before anything is decided: without a target they belong to the
// Windows-style modes, and nothing in them is an error.
class OptionReader {
 public:
  explicit OptionReader(std::span<const std::string> args) : args_(args) {}

  void ReadAll() {
    for (index_ = 0; index_ < args_.size(); ++index_) Read(args_[index_]);
  }

  bool WindowNamed() const { return windowNamed_; }
  XScreenSaverOptions& Options() { return options_; }
  // The first error met, thrown once the arguments are known to be XScreenSaver's.
  void ThrowFirstError() const {
    if (firstError_) throw *firstError_;
  }

 private:
  void Read(const std::string& argument) {
    const std::string_view name = OptionName(argument);
    if (name == "root") {
      options_.Root = true;
    } else if (name == "window-id") {
      // A named window is what makes these XScreenSaver's arguments, so its errors count at
      // once.
      windowNamed_ = true;
      options_.Window = ParseX11WindowId(Value());
    } else if (name == "fps") {
      options_.ShowFrameRate = true;
    } else if (name == "delay") {
      options_.DelayMicroseconds = Clamped(argument, Integer(), 0, kLongestDelayMicroseconds);
    } else if (const auto count =
                   std::find_if(kSettingDescriptions.begin(), kSettingDescriptions.end(),
                                [&](const SettingDescription& s) { return s.Option == name; });
               count != kSettingDescriptions.end()) {
      options_.Counts[static_cast<std::size_t>(count - kSettingDescriptions.begin())] =
          static_cast<int32_t>(Clamped(argument, Integer(), count->Min, count->Max));
    } else {
      Remember(StartupError("'" + argument + "' is not an option of orvanta (see orvanta --help)"));
    }
  }

  // The argument after the option, or empty text when there is none.
  std::string_view Value() {
    if (index_ + 1 == args_.size()) return {};
    return args_[++index_];
  }

  std::optional<int64_t> Integer() {
    const std::string_view text = Value();
    try {
      return ParseWindowHandle(text);  // the same decimal rules as every number we read
    } catch (const StartupError& error) {
      Remember(error);
      return std::nullopt;
    }
  }

  int64_t Clamped(const std::string& option, std::optional<int64_t> value, int64_t low,
                  int64_t high) {
    if (!value) return low;
    const int64_t clamped = std::clamp(*value, low, high);
    if (clamped != *value) {
      options_.Notes.push_back("orvanta: " + option + " " + std::to_string(*value) + " is " +
                               (*value < low ? "less" : "more") + " than " +
                               std::to_string(clamped) + "; using " + std::to_string(clamped));
    }
    return clamped;
  }

  void Remember(const StartupError& error) {
    if (!firstError_) firstError_ = error;
  }

  std::span<const std::string> args_;
  std::size_t index_ = 0;
  XScreenSaverOptions options_;
  bool windowNamed_ = false;
  std::optional<StartupError> firstError_;
};

}  // namespace

std::optional<XScreenSaverOptions> ParseXScreenSaverOptions(std::span<const std::string> args,
                                                            const char* environmentWindow) {
  if (!args.empty() && IsSaverMode(args[0])) return std::nullopt;
  OptionReader reader(args);
  reader.ReadAll();
  XScreenSaverOptions& options = reader.Options();
  if (!reader.WindowNamed()) {
    if (environmentWindow && *environmentWindow) {
      options.Window = ParseX11WindowId(environmentWindow);
    } else if (!options.Root) {
      return std::nullopt;
    }
  }
  if (options.Window != 0) options.Root = false;
  reader.ThrowFirstError();
  return options;
}

bool NamesXScreenSaverTarget(std::span<const std::string> args, const char* environmentWindow) {
  try {
    return ParseXScreenSaverOptions(args, environmentWindow).has_value();
  } catch (const StartupError&) {
    return true;  // it throws only once a target is named
  }
}

Settings ApplyCountOptions(Settings settings, const XScreenSaverOptions& options) {
  for (std::size_t i = 0; i < kSettingDescriptions.size(); ++i) {
    if (options.Counts[i]) settings.*kSettingDescriptions[i].Field = *options.Counts[i];
  }
  return settings;
}

InformationRequest FindInformationRequest(std::span<const std::string> args) {
  if (!args.empty() && IsSaverMode(args[0])) return InformationRequest::Run;
  for (const std::string& argument : args) {
    const std::string_view name = OptionName(argument);
    if (name == "help" || argument == "-h") return InformationRequest::Help;
    if (name == "version") return InformationRequest::Version;
  }
  return InformationRequest::Run;
}

std::string VersionText() {
  return std::string("orvanta ") + ORVANTA_VERSION;
}

namespace {

constexpr std::size_t kHelpWidth = 80;

// Where the settings are and what their lines are called, from the settings themselves.
std::string SettingsParagraph() {
  std::string names, meanings;
  for (const SettingDescription& setting : kSettingDescriptions) {
    const std::string separator = names.empty() ? "" : ", ";
    names += separator + std::string(setting.StoredName) + "=";
    std::string meaning(setting.OptionLabel);
    meaning[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(meaning[0])));
    meanings += separator + meaning;
  }
  return "Settings: $XDG_CONFIG_HOME/" + std::string(kSettingsFileName) +
         " (by default under ~/.config), lines " + names + " (" + meanings +
         "). Exit codes: 0 (also after SIGTERM, SIGINT or SIGHUP), or 1 after a start-up error "
         "or when the display is lost.";
}

// The words of `text` in lines of at most `width` characters, each ending in a newline.
std::string Wrapped(const std::string& text, std::size_t width) {
  std::istringstream words(text);
  std::string out, line;
  for (std::string word; words >> word;) {
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return out + line + "\n";
}

}  // namespace

std::string HelpText(std::string_view program) {
  const std::string p(program);
  std::string text =
      "Usage: " + p + " [mode] [options]\n" +
      "A spaceship flies through a field of meteors and shoots them.\n"
      "\n"
      "Modes:\n"
      "  (no arguments)          the settings dialog\n"
      "  /S                      full screen until a key, a mouse move of more than\n"
      "                          15 pixels or another window ends it\n"
      "  /P <window>             preview inside that X window (decimal id)\n"
      "  --root                  XScreenSaver: draw on the (virtual) root window\n"
      "  --window-id <window>    XScreenSaver: draw into that window (decimal or\n"
      "                          0x hexadecimal); so does $XSCREENSAVER_WINDOW\n"
      "\n"
      "Options of the XScreenSaver modes (one dash or two):\n";
  for (const SettingDescription& count : kSettingDescriptions) {
    std::string line = "  --" + std::string(count.Option) + " N";
    line.resize(26, ' ');
    text += line + "the " + std::string(count.Option) + " count, " + std::to_string(count.Min) +
            " to " + std::to_string(count.Max) + " (else the settings file's)\n";
  }
  text +=
      "  --fps                   show the frame rate in the lower left corner\n"
      "  --delay N               wait N microseconds after each frame, less the time it\n"
      "                          took (default " +
      std::to_string(kDefaultDelayMicroseconds) +
      "; 0: no wait)\n"
      "  --help, --version       print this text or the version, and exit\n"
      "\n";
  return text + Wrapped(SettingsParagraph(), kHelpWidth);
}
