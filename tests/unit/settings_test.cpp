// LoadSettings and SaveSettings over an in-memory store: defaults, the missing-value rule,
// the errors with their exact texts, and the key closed on every path.
#include <gtest/gtest.h>

#include "config/settings.h"
#include "unit/settings_test_support.h"

namespace {

const std::vector<std::string> kNames = {"Gwiazd", "Dym", "Wybuch", "Swiatel"};

TEST(LoadSettings, MissingKeyOrValuesKeepTheDefaults) {
  FakeSettingsStore store;
  EXPECT_EQ(Fields(LoadSettings(store)), (Four{1500, 1500, 50, 15}));
  EXPECT_TRUE(store.KeyExists) << "loading leaves an empty key behind";
  EXPECT_TRUE(store.Values.empty());
  store.Store("Dym", 200);
  EXPECT_EQ(Fields(LoadSettings(store)), (Four{1500, 200, 50, 15}));
  store.OpenFails = true;
  EXPECT_EQ(Fields(LoadSettings(store)), (Four{1500, 1500, 50, 15}));
}

TEST(LoadSettings, StoredValuesAreUsedUnchanged) {
  FakeSettingsStore store;
  store.Store("Gwiazd", 0);
  store.Store("Dym", -1);
  store.Store("Wybuch", INT32_MIN);
  store.Store("Swiatel", 44);
  EXPECT_EQ(Fields(LoadSettings(store)), (Four{0, -1, INT32_MIN, 44}));
  EXPECT_EQ(store.OpenKeys, 0);
}

TEST(LoadSettings, BadValueStopsNamingTheFirstInStoreOrder) {
  for (const std::string& name : kNames) {
    FakeSettingsStore store;
    store.Store(name, 0, ValueStatus::WrongType);
    EXPECT_EQ(ErrorOf([&] { LoadSettings(store); }), "Invalid data type for '" + name + "'");
    store.Store(name, 0, ValueStatus::Unreadable);
    EXPECT_EQ(ErrorOf([&] { LoadSettings(store); }), "Failed to get data for '" + name + "'");
    EXPECT_EQ(store.OpenKeys, 0) << "key left open after failing on " << name;
  }
  FakeSettingsStore store;
  store.Store("Swiatel", 0, ValueStatus::WrongType);
  store.Store("Dym", 0, ValueStatus::Unreadable);
  EXPECT_EQ(ErrorOf([&] { LoadSettings(store); }), "Failed to get data for 'Dym'");
}

TEST(SaveSettings, CopiesTheSlidersThenWritesAllFourInOrder) {
  FakeSettingsStore store;
  Settings settings = LoadSettings(store);
  Settings sliders = settings;
  sliders.LightCount = 30;
  SaveSettings(sliders, settings, store);
  EXPECT_EQ(Fields(settings), (Four{1500, 1500, 50, 30}));
  EXPECT_EQ(store.WriteOrder, kNames) << "every value is written, not only the changed one";
  EXPECT_EQ(Fields(LoadSettings(store)), (Four{1500, 1500, 50, 30}));
  EXPECT_EQ(store.OpenKeys, 0);
}

TEST(SaveSettings, FailuresComeAfterTheSettingsChanged) {
  FakeSettingsStore unopenable, refusing, unflushable;
  unopenable.OpenFails = true;
  refusing.SetFailsFor = "Wybuch";
  unflushable.FlushFails = true;
  const std::vector<std::pair<FakeSettingsStore*, std::string>> cases = {
      {&unopenable, "Failed to create key \\Software\\QuorvelTarnwickFellworks\\orvantaSS"},
      {&refusing, "Failed to set data for 'Wybuch'"},
      {&unflushable, "Failed to set data for 'Gwiazd'"}};
  for (const auto& [failing, error] : cases) {
    FakeSettingsStore* store = failing;  // clang 14 cannot capture a structured binding
    Settings settings = kDefaultSettings;
    EXPECT_EQ(ErrorOf([&] { SaveSettings({100, 200, 30, 4}, settings, *store); }), error);
    EXPECT_EQ(Fields(settings), (Four{100, 200, 30, 4})) << error;
    EXPECT_EQ(store->OpenKeys, 0) << error;
  }
  EXPECT_EQ(refusing.WriteOrder, (std::vector<std::string>{"Gwiazd", "Dym"}));
}

TEST(SettingsErrors, AStoresReasonFollowsTheMessageWithTheKeysName) {
  const std::string key(kSettingsKeyPath);
  FakeSettingsStore unopenable, refusing, unflushable, unreadable;
  unopenable.OpenFails = true;
  refusing.SetFailsFor = "Wybuch";
  unflushable.FlushFails = true;
  unreadable.Store("Dym", 0, ValueStatus::Unreadable);
  const std::vector<std::pair<FakeSettingsStore*, std::string>> cases = {
      {&unopenable, "Failed to create key " + key + ": disk full"},
      {&refusing, "Failed to set data for 'Wybuch': " + key + ": disk full"},
      {&unflushable, "Failed to set data for 'Gwiazd': " + key + ": disk full"},
      {&unreadable, "Failed to get data for 'Dym': " + key + ": disk full"}};
  for (const auto& [failing, error] : cases) {
    FakeSettingsStore* store = failing;  // clang 14 cannot capture a structured binding
    store->Reason = "disk full";
    Settings settings{};
    EXPECT_EQ(ErrorOf([&] {
                if (store == &unreadable) settings = LoadSettings(*store);
                if (store != &unreadable) SaveSettings({1, 2, 3, 4}, settings, *store);
              }),
              error);
  }
}

}  // namespace
