// The settings file text: what counts as a stored number, which lines are values, and what
// a save keeps of a file that a user or another version has written.
#include "config/settings_file.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsFileNumbers, OnlyASignAndDecimalDigitsThatFitAreNumbers) {
  const std::pair<const char*, int32_t> numbers[] = {{"0", 0},
                                                     {"-0", 0},
                                                     {"+7", 7},
                                                     {"007", 7},
                                                     {"-2147483648", INT32_MIN},
                                                     {"2147483647", INT32_MAX},
                                                     {"00000000000000000000042", 42}};
  for (const auto& [text, value] : numbers) {
    const ValueQuery query = ParseSettingsInteger(text);
    EXPECT_EQ(query.Status, ValueStatus::Present) << text;
    EXPECT_EQ(query.Value, value) << text;
  }
  for (const char* text : {"", "+", "-", "--1", "12abc", "0x10", "1.5", "1e3", "1 2", " 12"}) {
    EXPECT_EQ(ParseSettingsInteger(text).Status, ValueStatus::WrongType) << '"' << text << '"';
  }
  for (const char* text : {"2147483648", "-2147483649", "4294967296", "99999999999999999999999"}) {
    EXPECT_EQ(ParseSettingsInteger(text).Status, ValueStatus::Unreadable) << text;
  }
}

TEST(SettingsFileReading, ValuesAreTrimmedNameValueLinesAndTheLastOneCounts) {
  const SettingsFile file = SettingsFile::Parse(
      "\n  Gwiazd =  300 \r\nDym=1\nDym=\t-5\nWybuch\n# Swiatel=5\nswiatel=5\nSwiatel= 12abc");
  EXPECT_EQ(file.Query("Gwiazd").Value, 300);
  EXPECT_EQ(file.Query("Dym").Value, -5);
  EXPECT_EQ(file.Query("Wybuch").Status, ValueStatus::Missing);
  EXPECT_EQ(file.Query("Swiatel").Status, ValueStatus::WrongType);
}

TEST(SettingsFileWriting, ChangesOnlyTheValueLinesItSets) {
  SettingsFile file = SettingsFile::Parse(
      "# by hand\n\nDym=1\n  Wybuch = 70  \nExtra=keep me\n Dym = 200\nSwiatel=oops");
  file.Set("Dym", 201);
  file.Set("Gwiazd", INT32_MIN);
  const std::string written = file.Render();
  EXPECT_EQ(written,
            "# by hand\n\n  Wybuch = 70  \nExtra=keep me\nDym=201\nSwiatel=oops\n"
            "Gwiazd=-2147483648\n");
  const SettingsFile reread = SettingsFile::Parse(written);
  EXPECT_EQ(reread.Query("Gwiazd").Value, INT32_MIN);
  EXPECT_EQ(reread.Query("Dym").Value, 201);
}

}  // namespace
