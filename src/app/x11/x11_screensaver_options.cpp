// Reading XScreenSaver's options, and the texts of --help and --version.
#include "app/x11/x11_screensaver_options.h"

#include <algorithm>
#include <charconv>

#include "app/command_line.h"
#include "config/cfg_dialog_model.h"

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

// The dialog's slider for a setting gives the range the same setting takes here.
constexpr CountOption Count(std::string_view name, int32_t Settings::*field, CfgControl slider) {
  for (const CfgControlLayout& control : kCfgControls) {
    if (control.Id == slider) return {name, field, control.Min, control.Max};
  }
  return {name, field, 0, 0};
}

}  // namespace

const std::array<CountOption, 4> kCountOptions{{
    Count("meteors", &Settings::MeteorCount, CfgControl::trilegwiazd),
    Count("smoke", &Settings::SmokeCount, CfgControl::triledymow),
    Count("explosions", &Settings::ExplosionCount, CfgControl::trilewybuchow),
    Count("lights", &Settings::LightCount, CfgControl::trileswiatel),
}};

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
                   std::find_if(kCountOptions.begin(), kCountOptions.end(),
                                [&](const CountOption& o) { return o.Name == name; });
               count != kCountOptions.end()) {
      options_.Counts[static_cast<std::size_t>(count - kCountOptions.begin())] =
          static_cast<int32_t>(Clamped(argument, Integer(), count->Low, count->High));
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
  for (std::size_t i = 0; i < kCountOptions.size(); ++i) {
    if (options.Counts[i]) settings.*kCountOptions[i].Field = *options.Counts[i];
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
  for (const CountOption& count : kCountOptions) {
    std::string line = "  --" + std::string(count.Name) + " N";
    line.resize(26, ' ');
    text += line + "the " + std::string(count.Name) + " count, " + std::to_string(count.Low) +
            " to " + std::to_string(count.High) + " (else the settings file's)\n";
  }
  text +=
      "  --fps                   show the frame rate in the lower left corner\n"
      "  --delay N               wait N microseconds after each frame, less the time it\n"
      "                          took (default " +
      std::to_string(kDefaultDelayMicroseconds) +
      "; 0: no wait)\n"
      "  --help, --version       print this text or the version, and exit\n"
      "\n"
      "Settings: $XDG_CONFIG_HOME/QuorvelTarnwickFellworks/orvantaSS.conf (by default\n"
      "under ~/.config), lines Gwiazd=, Dym=, Wybuch=, Swiatel= (meteors, smoke puffs,\n"
      "explosions, lights). Exit codes: 0 (also after SIGTERM, SIGINT or SIGHUP), or 1\n"
      "after a start-up error or when the display is lost.\n";
  return text;
}
