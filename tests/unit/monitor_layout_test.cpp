// Where the full-screen saver puts its windows on made-up desktops (data/monitor_layouts.txt):
// the scene on the primary monitor and one cover on every other monitor that needs one.
#include "app/monitor_layout.h"

#include <gtest/gtest.h>

#include "unit/test_data.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct LayoutCase {
  std::string Name;
  MonitorLayout Layout;
  SaverPlacement Expected;
};

ScreenRect ReadRect(std::istringstream& words) {
  ScreenRect r;
  words >> r.Left >> r.Top >> r.Right >> r.Bottom;
  return r;
}

std::vector<LayoutCase> ReadCases() {
  std::vector<LayoutCase> cases;
  for (const std::string& line : ReadTestLines("monitor_layouts.txt")) {
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    if (kind == "case") {
      cases.emplace_back();
      cases.back().Name = line.substr(5);
      // No monitor marked primary: an index that names none.
      cases.back().Layout.Primary = 99;
      continue;
    }
    if (cases.empty()) continue;
    LayoutCase& c = cases.back();
    const ScreenRect rect = ReadRect(words);
    if (kind == "monitor") {
      std::string primary;
      if (words >> primary && primary == "primary") c.Layout.Primary = c.Layout.Monitors.size();
      c.Layout.Monitors.push_back(rect);
    } else if (kind == "scene") {
      c.Expected.Scene = rect;
    } else if (kind == "cover") {
      c.Expected.Covers.push_back(rect);
    }
  }
  return cases;
}

std::string Describe(const ScreenRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right) +
         "," + std::to_string(r.Bottom);
}

std::vector<std::string> Describe(const std::vector<ScreenRect>& rects) {
  std::vector<std::string> text;
  for (const ScreenRect& r : rects) text.push_back(Describe(r));
  return text;
}

TEST(PlaceSaver, SceneOnThePrimaryMonitorAndACoverOnEveryOtherOne) {
  const std::vector<LayoutCase> cases = ReadCases();
  ASSERT_EQ(cases.size(), 12u) << "data/monitor_layouts.txt not read";
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const SaverPlacement placement = PlaceSaver(c.Layout);
    EXPECT_EQ(Describe(placement.Scene), Describe(c.Expected.Scene));
    EXPECT_EQ(Describe(placement.Covers), Describe(c.Expected.Covers));
  }
}

}  // namespace
