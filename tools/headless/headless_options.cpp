// Parsing of the orvanta-headless command line, driven by one table of options.
#include "headless_options.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

namespace {

struct OptionSpec {
  std::string_view Name;       // with the leading dashes
  std::string_view ValueName;  // empty for a flag
  std::string_view Help;
  void (*Apply)(HeadlessOptions& options, std::string_view option, std::string_view value);
};

constexpr uint64_t kMaxFrames = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());

constexpr OptionSpec kOptions[] = {
    {"--seed", "N", "Seed of the random generator, 0 to 18446744073709551615 (default: the clock)",
     [](HeadlessOptions& o, std::string_view name, std::string_view value) {
       o.Seed = ParseUnsignedValue(name, value, std::numeric_limits<uint64_t>::max());
     }},
    {"--frames", "N", "Number of simulation steps after start-up (default: 0)",
     [](HeadlessOptions& o, std::string_view name, std::string_view value) {
       o.Frames = static_cast<int64_t>(ParseUnsignedValue(name, value, kMaxFrames));
     }},
    {"--settings", "M,S,E,L",
     "Meteor, smoke, explosion and light counts (default: the user's stored settings)",
     [](HeadlessOptions& o, std::string_view name, std::string_view value) {
       o.SettingsOverride = ParseSettingsValue(name, value);
     }},
    {"--trace", "FILE",
     "Write the scene as JSON Lines to FILE (- for standard output): one object after "
     "start-up (frame 0) and one after every step",
     [](HeadlessOptions& o, std::string_view, std::string_view value) {
       o.TracePath = std::string(value);
     }},
    {"--trace-objects", "",
     "Also write every live particle, smoke puff and flash in each trace object",
     [](HeadlessOptions& o, std::string_view, std::string_view) { o.TraceObjects = true; }},
    {"--png", "FILE",
     "After the steps, draw one frame off-screen as the saver would and write it to FILE as "
     "a PNG picture. With a frame number in FILE (out/frame-%04d.png) write one picture after "
     "every step instead, numbered from 1, to make a video of the flight",
     [](HeadlessOptions& o, std::string_view name, std::string_view value) {
       o.Png = ParseFrameFileName(name, value);
     }},
    {"--size", "WxH", "Size of the drawn frames in pixels (default: 1280x720)",
     [](HeadlessOptions& o, std::string_view name, std::string_view value) {
       o.Size = ParseSizeValue(name, value);
       o.SizeGiven = true;
     }},
    {"--gl-log", "FILE",
     "Write every GL and GLU call from the saver's GL start-up to the end of the drawn "
     "frame(s) to FILE, one per line, with a line SwapBuffers where each frame ends",
     [](HeadlessOptions& o, std::string_view, std::string_view value) {
       o.GlLogPath = std::string(value);
     }},
    {"--reference-drawing", "",
     "Draw the frames the literal way, every sphere through the GLU quadric and every piece of "
     "state set for every object: the same pictures, for comparing the two and their cost",
     [](HeadlessOptions& o, std::string_view, std::string_view) { o.ReferenceDrawing = true; }},
    {"--benchmark", "",
     "Draw every step off-screen and write nothing; print one line with the number of frames, "
     "the median and 95th percentile of the time per frame (update, drawing and glFinish), "
     "and the processor time per frame of the whole process and of the drawing thread",
     [](HeadlessOptions& o, std::string_view, std::string_view) { o.Benchmark = true; }},
    {"--help", "", "Show this help and exit",
     [](HeadlessOptions& o, std::string_view, std::string_view) { o.Help = true; }},
};

const OptionSpec* FindOption(std::string_view name) {
  for (const OptionSpec& option : kOptions) {
    if (option.Name == name) return &option;
  }
  return nullptr;
}

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

// Reads a whole decimal number made of digits only (an optional '-' when signed).
template <typename Integer>
bool ParseWhole(std::string_view text, Integer& value) {
  if (text.empty() || text.front() == '+') return false;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && ptr == end;
}

void CheckCombination(const HeadlessOptions& options) {
  if (options.TraceObjects && !options.TracePath) {
    throw UsageError("--trace-objects needs --trace FILE");
  }
  if (options.SizeGiven && !options.RendersFrames()) {
    throw UsageError("--size needs --png FILE, --gl-log FILE or --benchmark");
  }
  if (options.ReferenceDrawing && !options.RendersFrames()) {
    throw UsageError("--reference-drawing needs --png FILE, --gl-log FILE or --benchmark");
  }
  // Its one line is the whole output, and writing files would be timed with the frames.
  if (options.Benchmark && (options.Png || options.GlLogPath || options.TracePath)) {
    throw UsageError("--benchmark writes nothing: it does not go with --png, --gl-log or --trace");
  }
  if (options.Benchmark && options.Frames == 0) {
    throw UsageError("--benchmark needs --frames N of at least 1");
  }
  // Otherwise the run would end without a single picture and without saying so.
  if (options.RendersEveryFrame() && options.Frames == 0) {
    throw UsageError("--png with a frame number in FILE needs --frames N of at least 1");
  }
}

// A whole number of 1 to kMaxPictureSide, or nothing.
std::optional<int32_t> ParseSide(std::string_view text) {
  int32_t value = 0;
  if (!ParseWhole(text, value) || value < 1 || value > kMaxPictureSide) return std::nullopt;
  return value;
}

// Reads the flags and width of a conversion that starts after its '%' at `text[at]`;
// returns the position after the 'd'.
std::size_t ParseFrameNumber(std::string_view option, std::string_view text, std::size_t at,
                             FrameFileName& name) {
  const auto refuse = [&] {
    throw UsageError(std::string(option) + ": " + Quoted(text) +
                     " may only hold one frame number (%d, %6d or %06d) and %% for a percent "
                     "sign");
  };
  if (name.HasNumber) refuse();
  name.HasNumber = true;
  if (at < text.size() && text[at] == '0') {
    name.ZeroPadded = true;
    ++at;
  }
  const std::size_t digitsStart = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
  // An int64 frame number never needs more than 20 characters.
  if (at - digitsStart > 2) refuse();
  if (at > digitsStart) ParseWhole(text.substr(digitsStart, at - digitsStart), name.Digits);
  if (name.Digits > 20 || at >= text.size() || text[at] != 'd') refuse();
  return at + 1;
}

}  // namespace

uint64_t ParseUnsignedValue(std::string_view option, std::string_view text, uint64_t max) {
  uint64_t value = 0;
  if (!ParseWhole(text, value) || value > max) {
    throw UsageError(std::string(option) + ": " + Quoted(text) +
                     " is not a whole number from 0 to " + std::to_string(max));
  }
  return value;
}

Settings ParseSettingsValue(std::string_view option, std::string_view text) {
  Settings settings;
  int32_t Settings::*const fields[] = {&Settings::MeteorCount, &Settings::SmokeCount,
                                       &Settings::ExplosionCount, &Settings::LightCount};
  std::string_view rest = text;
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    const bool last = i + 1 == std::size(fields);
    const std::size_t comma = rest.find(',');
    const std::string_view part = last ? rest : rest.substr(0, comma);
    if ((!last && comma == std::string_view::npos) || !ParseWhole(part, settings.*fields[i])) {
      throw UsageError(std::string(option) + ": " + Quoted(text) +
                       " is not four 32-bit whole numbers M,S,E,L");
    }
    if (!last) rest.remove_prefix(comma + 1);
  }
  return settings;
}

// The name is read here, once, rather than handed to printf: a stray %s or %n in a file
// name must not reach a formatting function.
FrameFileName ParseFrameFileName(std::string_view option, std::string_view text) {
  if (text.empty()) throw UsageError(std::string(option) + " needs a file name");
  FrameFileName name;
  std::size_t at = 0;
  while (at < text.size()) {
    const char c = text[at++];
    std::string& part = name.HasNumber ? name.After : name.Before;
    if (c != '%') {
      part += c;
    } else if (at < text.size() && text[at] == '%') {
      part += '%';
      ++at;
    } else {
      at = ParseFrameNumber(option, text, at, name);
    }
  }
  return name;
}

std::string FrameFileName::For(int64_t frame) const {
  if (!HasNumber) return Before;
  std::string number = std::to_string(frame);
  const auto width = static_cast<std::size_t>(Digits);
  if (number.size() < width) number.insert(0, width - number.size(), ZeroPadded ? '0' : ' ');
  return Before + number + After;
}

PictureSize ParseSizeValue(std::string_view option, std::string_view text) {
  const std::size_t cross = text.find('x');
  const std::optional<int32_t> width =
      cross == std::string_view::npos ? std::nullopt : ParseSide(text.substr(0, cross));
  const std::optional<int32_t> height =
      cross == std::string_view::npos ? std::nullopt : ParseSide(text.substr(cross + 1));
  if (!width || !height) {
    throw UsageError(std::string(option) + ": " + Quoted(text) +
                     " is not a size WxH with sides of 1 to " + std::to_string(kMaxPictureSide));
  }
  return PictureSize{*width, *height};
}

HeadlessOptions ParseHeadlessOptions(const std::vector<std::string>& args) {
  HeadlessOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!arg.starts_with("--")) throw UsageError("unexpected argument " + Quoted(arg));
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const OptionSpec* option = FindOption(name);
    if (option == nullptr) throw UsageError("unknown option " + Quoted(name));

    std::string_view value;
    if (option->ValueName.empty()) {
      if (equals != std::string_view::npos) throw UsageError(std::string(name) + " takes no value");
    } else if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      throw UsageError(std::string(name) + " needs a value " + std::string(option->ValueName));
    }
    option->Apply(options, name, value);
  }
  if (!options.Help) CheckCombination(options);
  return options;
}

// Words of `text` filled into lines of at most `width` characters, each line after the
// first indented by `indent` spaces.
std::string Wrap(std::string_view text, std::size_t indent, std::size_t width) {
  std::string out;
  std::size_t column = indent;
  while (!text.empty()) {
    const std::size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    if (column > indent && column + 1 + word.size() > width) {
      out += "\n" + std::string(indent, ' ');
      column = indent;
    } else if (column > indent) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
  }
  return out;
}

std::string HeadlessHelpText() {
  std::string text = "Usage: " + std::string(kHeadlessName) + " [OPTION]...\n";
  text +=
      "Runs the orvanta scene without a window: start-up, then the given number of\n"
      "simulation steps, and draws it off-screen when asked for pictures or a GL log.\n"
      "\nOptions:\n";
  constexpr std::size_t kColumn = 24;
  constexpr std::size_t kWidth = 80;
  for (const OptionSpec& option : kOptions) {
    std::string head = "  " + std::string(option.Name);
    if (!option.ValueName.empty()) head += " " + std::string(option.ValueName);
    // A head too long for its column gets the help on a line of its own.
    head += head.size() < kColumn ? std::string(kColumn - head.size(), ' ')
                                  : "\n" + std::string(kColumn, ' ');
    text += head + Wrap(option.Help, kColumn, kWidth) + "\n";
  }
  text +=
      "\nThe same seed and settings always give the same trace. Numbers in the trace\n"
      "read back to the exact values; a value that is not a finite number is null.\n"
      "Frames are drawn with OSMesa through the saver's own drawing code; without\n"
      "--frames the picture shows the state right after start-up, before the view\n"
      "has an up direction.\n"
      "\nExit status: 0 on success, 1 when the run fails (settings, memory, output,\n"
      "OSMesa), 2 for a wrong command line.\n";
  return text;
}
