// The command line of orvanta-headless, parsed into plain values. Every option is one
// row of a table in headless_options.cpp: its name, its value's placeholder, its help
// line and how it is applied. Adding an option is adding a field here and a row there.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"

// The --png file name. With a printf-style frame number in it (%d, %6d, %06d) there is
// one file per frame; %% stands for a percent sign.
struct FrameFileName {
  std::string Before;  // the whole name when there is no frame number
  std::string After;
  bool HasNumber = false;
  int Digits = 0;  // the least number of digits, padded with spaces or zeros
  bool ZeroPadded = false;

  // The name of the picture of `frame` (0 or more), as printf would write it.
  std::string For(int64_t frame) const;
};

// The picture size of --size WxH.
struct PictureSize {
  int32_t Width = 1280;
  int32_t Height = 720;
};

struct HeadlessOptions {
  std::optional<uint64_t> Seed;              // --seed; from the clock when absent
  int64_t Frames = 0;                        // --frames: updates after InitScene
  std::optional<Settings> SettingsOverride;  // --settings; the user's stored ones when absent
  std::optional<std::string> TracePath;      // --trace; "-" is standard output
  bool TraceObjects = false;                 // --trace-objects
  std::optional<FrameFileName> Png;          // --png: the picture(s) to write
  PictureSize Size;                          // --size
  bool SizeGiven = false;
  std::optional<std::string> GlLogPath;  // --gl-log
  bool ReferenceDrawing = false;         // --reference-drawing
  bool Benchmark = false;                // --benchmark
  bool Help = false;                     // --help

  // Whether the run draws frames at all (with OSMesa): for pictures, the GL log or timing.
  bool RendersFrames() const { return Png.has_value() || GlLogPath.has_value() || Benchmark; }
  // Whether it draws after every step rather than once after the last.
  bool RendersEveryFrame() const { return (Png.has_value() && Png->HasNumber) || Benchmark; }
};

// A command line that cannot be run; the message says what is wrong with it.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The name the tool calls itself in messages and help.
inline constexpr std::string_view kHeadlessName = "orvanta-headless";

// Exit codes.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the run itself failed (settings, memory, output)
inline constexpr int kExitUsage = 2;    // the command line is wrong

// `args` excludes the program name. Accepts "--name value" and "--name=value".
// Throws UsageError.
HeadlessOptions ParseHeadlessOptions(const std::vector<std::string>& args);

// The --help text: usage, one entry per option, the exit codes.
std::string HeadlessHelpText();

// Value readers shared by the options; each throws UsageError naming the option.
uint64_t ParseUnsignedValue(std::string_view option, std::string_view text, uint64_t max);
Settings ParseSettingsValue(std::string_view option, std::string_view text);
FrameFileName ParseFrameFileName(std::string_view option, std::string_view text);
PictureSize ParseSizeValue(std::string_view option, std::string_view text);

// The largest picture side --size accepts.
inline constexpr int32_t kMaxPictureSide = 16384;
