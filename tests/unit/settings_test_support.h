// Test helpers for the settings: an in-memory store whose operations can be made to fail
// and that counts the keys left open, and the message of a SettingsError.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/settings.h"
#include "config/settings_store.h"

class FakeSettingsStore : public SettingsStore {
 public:
  bool KeyExists = false;
  std::map<std::string, ValueQuery, std::less<>> Values;
  bool OpenFails = false;               // the key can be neither opened nor created
  std::string SetFailsFor;              // the value whose write is refused
  bool FlushFails = false;              // the final all-or-none write is refused
  std::string Reason;                   // what the store says about any failure
  int OpenKeys = 0;                     // keys opened and not yet closed
  std::vector<std::string> WriteOrder;  // names in the order they were written

  void Store(const std::string& name, int32_t value, ValueStatus status = ValueStatus::Present) {
    KeyExists = true;
    Values[name] = {status, value};
  }

  std::unique_ptr<SettingsKey> OpenKey() override {
    if (OpenFails) return nullptr;
    KeyExists = true;
    return std::make_unique<Key>(*this);
  }
  std::string KeyPath() const override { return std::string(kSettingsKeyPath); }
  std::string FailureReason() const override { return Reason; }

 private:
  class Key : public SettingsKey {
   public:
    explicit Key(FakeSettingsStore& store) : store_(store) { ++store_.OpenKeys; }
    ~Key() override { --store_.OpenKeys; }

    ValueQuery QueryValue(std::string_view name) override {
      const auto found = store_.Values.find(name);
      return found == store_.Values.end() ? ValueQuery{ValueStatus::Missing, 0} : found->second;
    }
    bool SetValue(std::string_view name, int32_t value) override {
      if (name == store_.SetFailsFor) return false;
      store_.WriteOrder.emplace_back(name);
      store_.Values[std::string(name)] = {ValueStatus::Present, value};
      return true;
    }
    bool Flush() override { return !store_.FlushFails; }
    std::string FailureReason() const override { return store_.Reason; }

   private:
    FakeSettingsStore& store_;
  };
};

// The message of the SettingsError that `action` throws, or a note that it threw none.
std::string ErrorOf(auto action) {
  try {
    action();
  } catch (const SettingsError& error) {
    return error.what();
  }
  return "(no SettingsError)";
}

// The four settings in store order, for comparing all of them at once.
inline std::array<int32_t, 4> Fields(const Settings& settings) {
  return {settings.MeteorCount, settings.SmokeCount, settings.ExplosionCount, settings.LightCount};
}
using Four = std::array<int32_t, 4>;

// Opens a new store holding `settings`, as the user's store holds saved ones.
inline std::unique_ptr<SettingsStore> StoreHolding(const Settings& settings) {
  auto store = std::make_unique<FakeSettingsStore>();
  for (const SettingDescription& setting : kSettingDescriptions) {
    store->Store(std::string(setting.StoredName), settings.*setting.Field);
  }
  return store;
}
