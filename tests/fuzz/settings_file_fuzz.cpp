// libFuzzer target for the settings file text: any bytes must parse, and what a save writes
// must read back as what was set, without disturbing the other values.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "config/settings_file.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

bool SameQuery(const ValueQuery& a, const ValueQuery& b) {
  return a.Status == b.Status && (a.Status != ValueStatus::Present || a.Value == b.Value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // A number that reads as present writes back as the same number.
  const ValueQuery number = ParseSettingsInteger(text);
  if (number.Status == ValueStatus::Present) {
    Require(SameQuery(ParseSettingsInteger(std::to_string(number.Value)), number));
  }

  // Rendering is stable: what was written once is written again unchanged.
  SettingsFile file = SettingsFile::Parse(text);
  const std::string rendered = file.Render();
  Require(SettingsFile::Parse(rendered).Render() == rendered);

  // Setting one value changes that value only, in memory and after a round trip.
  int32_t value = 0;
  std::memcpy(&value, data, std::min(size, sizeof value));
  const SettingDescription& changed = kSettingDescriptions[size % kSettingDescriptions.size()];
  ValueQuery before[kSettingDescriptions.size()];
  for (size_t i = 0; i < kSettingDescriptions.size(); ++i)
    before[i] = file.Query(kSettingDescriptions[i].StoredName);
  file.Set(changed.StoredName, value);
  const SettingsFile reread = SettingsFile::Parse(file.Render());
  for (size_t i = 0; i < kSettingDescriptions.size(); ++i) {
    const std::string_view name = kSettingDescriptions[i].StoredName;
    const ValueQuery expected =
        name == changed.StoredName ? ValueQuery{ValueStatus::Present, value} : before[i];
    Require(SameQuery(file.Query(name), expected));
    Require(SameQuery(reread.Query(name), expected));
  }
  return 0;
}
