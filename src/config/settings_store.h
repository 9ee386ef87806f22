// The seam between the settings logic and the place the settings are kept: the current
// user's registry on Windows, a file in the user's config directory elsewhere.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// What asking for one stored value can find.
enum class ValueStatus {
  Present,     // a 32-bit integer; `Value` holds it
  Missing,     // no value of that name
  WrongType,   // something small that is not a 32-bit integer
  Unreadable,  // too long to be one, or the store failed to read it
};

struct ValueQuery {
  ValueStatus Status = ValueStatus::Missing;
  int32_t Value = 0;
};

// An open settings key. Destroying it closes it, so every path out of a caller closes it.
class SettingsKey {
 public:
  virtual ~SettingsKey() = default;

  virtual ValueQuery QueryValue(std::string_view name) = 0;

  // Stores one value; false when the store refused it. Stores that write all values at once
  // accept every value here and report the failure from Flush.
  virtual bool SetValue(std::string_view name, int32_t value) = 0;

  // Makes the values set so far durable, all or none; false when none could be stored.
  virtual bool Flush() { return true; }

  // Why the last query that found the value Unreadable, or the last failed SetValue or Flush,
  // failed, in the user's words ("cannot write: No space left on device"); empty when the
  // store has nothing to add to the value's name.
  virtual std::string FailureReason() const { return {}; }
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Opens the settings key, creating it (empty) where it does not exist yet; null when it
  // can be neither opened nor created.
  virtual std::unique_ptr<SettingsKey> OpenKey() = 0;

  // The key's name as the user should see it in an error message.
  virtual std::string KeyPath() const = 0;

  // Why the last OpenKey came back null, as SettingsKey::FailureReason says it.
  virtual std::string FailureReason() const { return {}; }
};

// The current user's store on this platform.
std::unique_ptr<SettingsStore> MakeUserSettingsStore();
