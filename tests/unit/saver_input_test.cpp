// The input rules that end a full-screen saver, case by case from tests/data.
#include "app/saver_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/input_event_names.h"
#include "unit/test_data.h"

namespace {

CursorPoint Point(const std::string& text) {
  const std::size_t comma = text.find(',');
  return {std::stoi(text.substr(0, comma)), std::stoi(text.substr(comma + 1))};
}

TEST(InputRules, EachEventEndsTheSaverOrNotAsTheTableSays) {
  const auto rows = ReadTestTable("saver_input_rules.txt");
  ASSERT_GE(rows.size(), 20u);
  for (const std::vector<std::string>& row : rows) {
    ASSERT_EQ(row.size(), 5u);
    InputEvent event{InputKindNamed(row[1]), {}};
    if (row[2] != "-") event.Position = Point(row[2]);
    const bool preview = row[0] == "preview";
    EXPECT_EQ(InputEndsSaver(event, preview, Point(row[3])), row[4] == "ends")
        << row[0] << " " << Describe(event) << " from " << row[3];
  }
}

}  // namespace
