// The dialog's layout on scaled displays: at 96 pixels per inch it is the design itself; at
// other densities every box, the client area, the font and the thumb follow MulDiv's rounding
// (expected values in data/cfg_dialog_dpi.txt).
#include "config/cfg_dialog_scaling.h"

#include <gtest/gtest.h>

#include "unit/test_data.h"

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ExpectedLayout {
  int Dpi = 0;
  std::map<std::string, std::vector<int>> Values;  // "client", "font", "thumb", control names
};

std::vector<ExpectedLayout> ReadExpected() {
  std::vector<ExpectedLayout> layouts;
  for (const std::string& line : ReadTestLines("cfg_dialog_dpi.txt")) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    std::vector<int> numbers;
    for (int n; words >> n;) numbers.push_back(n);
    if (name == "dpi") {
      layouts.push_back({numbers.at(0), {}});
    } else if (!layouts.empty()) {
      layouts.back().Values[name] = numbers;
    }
  }
  return layouts;
}

std::vector<int> Numbers(const CfgBox& box) {
  return {box.Left, box.Top, box.Width, box.Height};
}

TEST(CfgDialogScaling, At96PixelsPerInchTheLayoutIsTheDesign) {
  const CfgScaledLayout layout = ScaleCfgLayout(96);
  EXPECT_EQ(layout.ClientWidth, 500);
  EXPECT_EQ(layout.ClientHeight, 227);
  EXPECT_EQ(layout.FontHeightPixels, 11);
  EXPECT_EQ(layout.SliderThumbLength, 18);
  for (const CfgControlLayout& c : kCfgControls) {
    EXPECT_EQ(Numbers(layout.Box(c.Id)), (std::vector<int>{c.Left, c.Top, c.Width, c.Height}))
        << c.Name;
  }
}

TEST(CfgDialogScaling, EveryBoxFontAndThumbFollowTheDensity) {
  const std::vector<ExpectedLayout> expected = ReadExpected();
  ASSERT_EQ(expected.size(), 3u) << "data/cfg_dialog_dpi.txt not read";
  for (const ExpectedLayout& e : expected) {
    SCOPED_TRACE("dpi " + std::to_string(e.Dpi));
    const CfgScaledLayout layout = ScaleCfgLayout(e.Dpi);
    EXPECT_EQ((std::vector<int>{layout.ClientWidth, layout.ClientHeight}), e.Values.at("client"));
    EXPECT_EQ(std::vector<int>{layout.FontHeightPixels}, e.Values.at("font"));
    EXPECT_EQ(std::vector<int>{layout.SliderThumbLength}, e.Values.at("thumb"));
    for (const CfgControlLayout& c : kCfgControls) {
      EXPECT_EQ(Numbers(layout.Box(c.Id)), e.Values.at(std::string(c.Name))) << c.Name;
    }
  }
}

TEST(CfgDialogScaling, RoundsLikeMulDiv) {
  EXPECT_EQ(ScaleToDpi(227, 144), 341);  // 340.5: halves go up
  EXPECT_EQ(ScaleToDpi(11, 144), 17);    // 16.5
  EXPECT_EQ(ScaleToDpi(13, 120), 16);    // 16.25
  EXPECT_EQ(ScaleToDpi(21, 120), 26);    // 26.25
  EXPECT_EQ(ScaleToDpi(-3, 144), -5);    // -4.5: halves away from zero
  EXPECT_EQ(ScaleToDpi(0, 144), 0);
  EXPECT_EQ(ScaleToDpi(500, 48), 250);
}

}  // namespace
