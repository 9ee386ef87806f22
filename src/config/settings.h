// The four user settings: the sizes of the saver's object pools.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct Settings {
  int32_t MeteorCount = 0;     // particle slots (meteors and their debris)
  int32_t SmokeCount = 0;      // smoke-puff slots
  int32_t ExplosionCount = 0;  // explosion-flash slots
  int32_t LightCount = 0;      // most coloured lights at once
};

// Everything known about one setting, written once: how the store names it, what it starts
// as, the range the dialog offers, and how the dialog and XScreenSaver's settings window
// (res/orvanta.xml) present it. Loading and saving, the dialog, the command-line options and
// their help all read it from here.
struct SettingDescription {
  int32_t Settings::*Field;
  std::string_view StoredName;   // the value's name in the registry or the settings file
  int32_t Default;               // when the store holds no value of that name
  int32_t Min, Max;              // what the dialog's slider and the XScreenSaver option allow
  std::string_view DialogLabel;  // the dialog's text above the slider
  std::string_view Option;       // the XScreenSaver option, without its dashes
  std::string_view OptionLabel;  // its slider's label in XScreenSaver's settings window
};

// The settings in the order they are read, written, shown and listed.
inline constexpr std::array<SettingDescription, 4> kSettingDescriptions{{
    {&Settings::MeteorCount, "Gwiazd", 1500, 50, 2000, "Ilość meteorów:", "meteors", "Meteors"},
    {&Settings::SmokeCount, "Dym", 1500, 50, 2000, "Ilość dymów:", "smoke", "Smoke puffs"},
    {&Settings::ExplosionCount, "Wybuch", 50, 10, 300, "Ilość wybuchów:", "explosions",
     "Explosions"},
    {&Settings::LightCount, "Swiatel", 15, 1, 50, "Ilość świateł/mgieł:", "lights", "Lights"},
}};

// The description of one member of Settings.
constexpr const SettingDescription& SettingOf(int32_t Settings::*field) {
  for (const SettingDescription& setting : kSettingDescriptions) {
    if (setting.Field == field) return setting;
  }
  throw std::invalid_argument("not one of the settings");
}

// The settings with each taken from its description by `pick`.
template <typename Pick>
constexpr Settings SettingsFrom(Pick pick) {
  Settings settings;
  for (const SettingDescription& setting : kSettingDescriptions) {
    settings.*setting.Field = pick(setting);
  }
  return settings;
}

inline constexpr Settings kDefaultSettings =
    SettingsFrom([](const SettingDescription& s) { return s.Default; });
// The largest pools the dialog can save: what the soak and the benchmarks fly.
inline constexpr Settings kDialogMaximumSettings =
    SettingsFrom([](const SettingDescription& s) { return s.Max; });

// Where the settings live under the current user's root. The leading backslash makes the
// path absolute; the registry calls want it without, the error messages show it with.
inline constexpr std::string_view kSettingsKeyPath =
    "\\Software\\QuorvelTarnwickFellworks\\orvantaSS";

// A failure of the settings store, carrying the text the user is shown.
class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SettingsStore;

// Defaults overlaid with whatever the store holds. An unreachable store leaves the defaults;
// a value that is there but is not a 32-bit integer throws SettingsError naming it.
Settings LoadSettings(SettingsStore& store);

// Takes the dialog's slider positions into `settings`, then writes all four values. The copy
// comes first, so `settings` holds the new values even when writing throws SettingsError.
void SaveSettings(const Settings& sliderPositions, Settings& settings, SettingsStore& store);
