// Loading and saving the four settings over whatever store the platform provides.
#include "config/settings.h"

#include "config/settings_store.h"

namespace {

std::string Quoted(std::string_view name) {
  return "'" + std::string(name) + "'";
}

// The store's own account of a failure, after the message that names the value or key:
// "<message>: <file>: <reason>". Stores with nothing to add keep the bare message.
std::string WithReason(std::string message, const std::string& where, const std::string& reason) {
  if (reason.empty()) return message;
  return message + ": " + where + ": " + reason;
}

// Reads one value into its setting; a missing value leaves the default in place.
void LoadValue(SettingsStore& store, SettingsKey& key, const SettingDescription& setting,
               Settings& settings) {
  const ValueQuery query = key.QueryValue(setting.StoredName);
  switch (query.Status) {
    case ValueStatus::Present:
      settings.*setting.Field = query.Value;
      return;
    case ValueStatus::Missing:
      return;
    case ValueStatus::WrongType:
      throw SettingsError("Invalid data type for " + Quoted(setting.StoredName));
    case ValueStatus::Unreadable:
      break;
  }
  throw SettingsError(WithReason("Failed to get data for " + Quoted(setting.StoredName),
                                 store.KeyPath(), key.FailureReason()));
}

[[noreturn]] void FailToSet(SettingsStore& store, SettingsKey& key, std::string_view name) {
  throw SettingsError(
      WithReason("Failed to set data for " + Quoted(name), store.KeyPath(), key.FailureReason()));
}

}  // namespace

Settings LoadSettings(SettingsStore& store) {
  Settings settings = kDefaultSettings;
  // Opening creates the key, so that loading alone leaves an empty key behind.
  const std::unique_ptr<SettingsKey> key = store.OpenKey();
  if (!key) return settings;  // nowhere to read from: the defaults will do
  for (const SettingDescription& setting : kSettingDescriptions)
    LoadValue(store, *key, setting, settings);
  return settings;
}

void SaveSettings(const Settings& sliderPositions, Settings& settings, SettingsStore& store) {
  settings = sliderPositions;
  // A key that cannot be opened for writing is an error too: saving nothing without a word
  // would let the dialog close as if the settings had been kept.
  const std::unique_ptr<SettingsKey> key = store.OpenKey();
  if (!key) {
    const std::string reason = store.FailureReason();
    throw SettingsError("Failed to create key " + store.KeyPath() +
                        (reason.empty() ? "" : ": " + reason));
  }
  for (const SettingDescription& setting : kSettingDescriptions) {
    if (!key->SetValue(setting.StoredName, settings.*setting.Field))
      FailToSet(store, *key, setting.StoredName);
  }
  // Flush is all or none, so when it fails not even the first value was kept.
  if (!key->Flush()) FailToSet(store, *key, kSettingDescriptions.front().StoredName);
}
