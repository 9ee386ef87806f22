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

inline constexpr Settings kDefaultSettings{1500, 1500, 50, 15};

// Where the settings live under the current user's root. The leading backslash makes the
// path absolute; the registry calls want it without, the error messages show it with.
inline constexpr std::string_view kSettingsKeyPath =
    "\\Software\\QuorvelTarnwickFellworks\\orvantaSS";

// One stored value: its name in the store and the setting it fills.
struct SettingsValue {
  std::string_view Name;
  int32_t Settings::*Field;
};

// The stored values in the order they are read and written.
inline constexpr std::array<SettingsValue, 4> kSettingsValues{{
    {"Gwiazd", &Settings::MeteorCount},
    {"Dym", &Settings::SmokeCount},
    {"Wybuch", &Settings::ExplosionCount},
    {"Swiatel", &Settings::LightCount},
}};

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
