// XScreenSaver's settings window is built from res/orvanta.xml, which cannot read the
// settings' table: each of its count sliders must say what the table says, so that the
// window offers the ranges the saver takes, shows the labels we chose, and leaves a count at
// its default out of the command line only when that default is the saver's own.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "config/settings.h"
#include "unit/test_data.h"

namespace {

using Attributes = std::map<std::string, std::string>;

// The attributes of every <number> element, in the order they appear.
std::vector<Attributes> NumberElements(const std::string& xml) {
  static const std::regex element(R"(<number\b([^>]*)/>)");
  static const std::regex attribute(R"(([-\w]+)\s*=\s*"([^"]*)\")");
  std::vector<Attributes> numbers;
  for (std::sregex_iterator it(xml.begin(), xml.end(), element), end; it != end; ++it) {
    const std::string inside = (*it)[1];
    Attributes found;
    for (std::sregex_iterator a(inside.begin(), inside.end(), attribute); a != end; ++a) {
      found[(*a)[1]] = (*a)[2];
    }
    numbers.push_back(found);
  }
  return numbers;
}

// What the window's slider for a setting must carry, from the table.
Attributes Expected(const SettingDescription& setting) {
  const std::string option(setting.Option), low = std::to_string(setting.Min),
                                            high = std::to_string(setting.Max);
  return {{"id", option},
          {"type", "slider"},
          {"arg", "--" + option + " %"},
          {"_label", std::string(setting.OptionLabel)},
          {"_low-label", low},
          {"_high-label", high},
          {"low", low},
          {"high", high},
          {"default", std::to_string(setting.Default)}};
}

}  // namespace

TEST(SaverXml, EachCountSliderSaysWhatTheSettingsTableSays) {
  std::vector<Attributes> counts;
  for (const Attributes& number : NumberElements(ReadWholeFile(ORVANTA_SAVER_XML))) {
    if (number.at("id") != "delay") counts.push_back(number);  // the one number of no setting
  }
  ASSERT_EQ(counts.size(), kSettingDescriptions.size()) << "count sliders in the XML";
  for (std::size_t i = 0; i < counts.size(); ++i) {
    EXPECT_EQ(counts[i], Expected(kSettingDescriptions[i]))
        << "slider " << i << " for " << kSettingDescriptions[i].StoredName;
  }
}
