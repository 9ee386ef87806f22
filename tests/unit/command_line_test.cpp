// Mode dispatch from the host's command line.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

CommandLine Parse(Args args) {
  return ParseCommandLine(args);
}

// The message of the StartupError that parsing throws, or "" when it throws none.
std::string StartupErrorOf(Args args) {
  try {
    ParseCommandLine(args);
  } catch (const StartupError& error) {
    return error.what();
  }
  return "";
}

TEST(CommandLineMode, NothingOrAnythingUnknownOpensConfiguration) {
  // "/\xC5\xBF" is "/ſ", which some locales upper-case to "/S".
  for (const Args& args : {Args{},
                           {"/c"},
                           {"/C:1234"},
                           {"/a", "1234"},
                           {"/x"},
                           {"-s"},
                           {"/S:1"},
                           {"/s "},
                           {""},
                           {"/\xC5\xBF"},
                           {"/C", "abc"}}) {
    const CommandLine parsed = Parse(args);
    const std::string first = args.empty() ? "(none)" : args[0];
    EXPECT_EQ(parsed.Mode, SaverMode::Configuration) << first;
    EXPECT_EQ(ModeNamedBy(args), SaverMode::Configuration) << first;
    EXPECT_EQ(parsed.Title, "Quorvel orvanta screensaver konfiguracja") << first;
    EXPECT_EQ(parsed.ArgumentsUsed, 0u) << first;
  }
}

TEST(CommandLineMode, SlashSInEitherCaseSavesFullScreenAndIgnoresTheRest) {
  for (const Args& args : {Args{"/s"}, {"/S"}, {"/S", "abc"}, {"/s", "1234", "more"}}) {
    const CommandLine parsed = Parse(args);
    EXPECT_EQ(parsed.Mode, SaverMode::FullScreen) << args[0];
    EXPECT_EQ(ModeNamedBy(args), SaverMode::FullScreen) << args[0];
    EXPECT_EQ(parsed.Title, "Quorvel orvanta screensaver");
    EXPECT_EQ(parsed.ArgumentsUsed, 1u);
  }
}

TEST(CommandLineMode, SlashPInEitherCasePreviewsInTheGivenWindow) {
  for (const Args& args : {Args{"/p", "1234"}, {"/P", "1234", "extra"}}) {
    const CommandLine parsed = Parse(args);
    EXPECT_EQ(parsed.Mode, SaverMode::Preview) << args[0];
    EXPECT_EQ(ModeNamedBy(args), SaverMode::Preview) << args[0];
    EXPECT_EQ(parsed.PreviewParent, 1234);
    EXPECT_EQ(parsed.Title, "Quorvel orvanta screensaver");
    EXPECT_EQ(parsed.ArgumentsUsed, 2u);
  }
}

// Known before the handle is checked, so that its error is reported the preview's way.
TEST(CommandLineMode, AnUnusableHandleStillNamesThePreview) {
  for (const Args& args : {Args{"/P"}, {"/p", "abc"}, {"/P", "99999999999999999999"}}) {
    EXPECT_EQ(ModeNamedBy(args), SaverMode::Preview) << args.size();
  }
}

TEST(CommandLineMode, BoxesEverywhereButInAWindowAnotherProgramOwns) {
  EXPECT_TRUE(ModeShowsBoxes(SaverMode::Configuration));
  EXPECT_TRUE(ModeShowsBoxes(SaverMode::FullScreen));
  EXPECT_TRUE(ModeShowsBoxes(SaverMode::Preview));
  EXPECT_FALSE(ModeShowsBoxes(SaverMode::External));
}

TEST(PreviewHandle, SignedDecimalsAcrossTheWholeInt64RangeAreKeptExactly) {
  EXPECT_EQ(Parse({"/P", "+42"}).PreviewParent, 42);
  EXPECT_EQ(Parse({"/P", "-42"}).PreviewParent, -42);
  EXPECT_EQ(Parse({"/P", "000017"}).PreviewParent, 17);
  // A 32-bit handle above INT32_MAX may come in either form.
  EXPECT_EQ(ParseWindowHandle("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseWindowHandle("4294967295"), int64_t{4294967295});
  EXPECT_EQ(ParseWindowHandle("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(ParseWindowHandle("-9223372036854775808"), INT64_MIN);
}

TEST(PreviewHandle, AnythingElseIsAStartupErrorQuotingTheText) {
  for (const std::string text :
       {"", "abc", "12a", "1 2", " 12", "12 ", "+", "-", "+-1", "--1", "0x1", "1.0", "$10",
        "9223372036854775808", "-9223372036854775809"}) {
    EXPECT_EQ(StartupErrorOf({"/P", text}), "'" + text + "' is not a valid integer value")
        << "[" << text << "]";
  }
  EXPECT_EQ(StartupErrorOf({"/p"}), "'' is not a valid integer value");
}

}  // namespace
