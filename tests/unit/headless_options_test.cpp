// The orvanta-headless command line: what it accepts, in both spellings, and every way
// it refuses a wrong one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless_options.h"

namespace {

using Args = std::vector<std::string>;

}  // namespace

TEST(HeadlessOptions, NothingGivenMeansClockSeedStoredSettingsNoTrace) {
  const HeadlessOptions options = ParseHeadlessOptions({});
  EXPECT_FALSE(options.Seed.has_value());
  EXPECT_EQ(options.Frames, 0);
  EXPECT_FALSE(options.SettingsOverride.has_value());
  EXPECT_FALSE(options.TracePath.has_value());
  EXPECT_FALSE(options.TraceObjects);
  EXPECT_FALSE(options.Help);
}

TEST(HeadlessOptions, ReadsEveryOptionInBothSpellings) {
  const HeadlessOptions options =
      ParseHeadlessOptions({"--seed", "18446744073709551615", "--frames=9223372036854775807",
                            "--settings", "1,-2,0,2147483647", "--trace=-", "--trace-objects"});
  EXPECT_EQ(options.Seed, 18446744073709551615u);
  EXPECT_EQ(options.Frames, 9223372036854775807);
  ASSERT_TRUE(options.SettingsOverride.has_value());
  EXPECT_EQ(options.SettingsOverride->MeteorCount, 1);
  EXPECT_EQ(options.SettingsOverride->SmokeCount, -2);
  EXPECT_EQ(options.SettingsOverride->ExplosionCount, 0);
  EXPECT_EQ(options.SettingsOverride->LightCount, 2147483647);
  EXPECT_EQ(options.TracePath, "-");
  EXPECT_TRUE(options.TraceObjects);

  const HeadlessOptions spaced = ParseHeadlessOptions({"--frames", "12", "--trace", "out.jsonl"});
  EXPECT_EQ(spaced.Frames, 12);
  EXPECT_EQ(spaced.TracePath, "out.jsonl");
  EXPECT_EQ(ParseHeadlessOptions({"--seed=0"}).Seed, 0u);
}

TEST(HeadlessOptions, RefusesWrongCommandLinesNamingTheCulprit) {
  struct Case {
    Args Given;
    std::string Mentioned;
  };
  const Case cases[] = {
      {{"--seed"}, "--seed"},
      {{"--seed", "-1"}, "--seed"},
      {{"--seed", "18446744073709551616"}, "--seed"},
      {{"--seed", "12x"}, "--seed"},
      {{"--seed", "+5"}, "--seed"},
      {{"--frames", "-3"}, "--frames"},
      {{"--frames", "9223372036854775808"}, "--frames"},
      {{"--settings", "1,2,3"}, "--settings"},
      {{"--settings", "1,2,3,4,5"}, "--settings"},
      {{"--settings", "1,,3,4"}, "--settings"},
      {{"--settings", "1,2,3,2147483648"}, "--settings"},
      {{"--settings", " 1,2,3,4"}, "--settings"},
      {{"--trace"}, "--trace"},
      {{"--bogus"}, "--bogus"},
      {{"frames"}, "frames"},
      {{"--help=yes"}, "--help"},
      {{"--trace-objects"}, "--trace-objects"},
  };
  for (const Case& c : cases) {
    try {
      ParseHeadlessOptions(c.Given);
      ADD_FAILURE() << "accepted: " << testing::PrintToString(c.Given);
    } catch (const UsageError& error) {
      EXPECT_NE(std::string(error.what()).find(c.Mentioned), std::string::npos) << error.what();
    }
  }
}

TEST(HeadlessOptions, HelpDescribesEveryOptionAndTheExitCodes) {
  const std::string help = HeadlessHelpText();
  for (const char* option : {"--seed N", "--frames N", "--settings M,S,E,L", "--trace FILE",
                             "--trace-objects", "--help"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
  EXPECT_NE(help.find("Exit status"), std::string::npos);
  // Help is answered even beside an incomplete combination.
  EXPECT_TRUE(ParseHeadlessOptions({"--trace-objects", "--help"}).Help);
  // Readable in an ordinary terminal.
  std::size_t start = 0;
  while (start < help.size()) {
    const std::size_t end = help.find('\n', start);
    ASSERT_NE(end, std::string::npos);
    EXPECT_LE(end - start, 100u) << help.substr(start, end - start);
    start = end + 1;
  }
}
