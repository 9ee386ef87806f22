// Windows messages read as the saver's input, case by case from tests/data: the one place
// where message numbers and packed positions are known.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/win32/win32_input.h"
#include "unit/input_event_names.h"
#include "unit/test_data.h"

namespace {

// The system's own numbers, so that a wrong number in the translation cannot agree with a
// wrong number here.
const std::map<std::string, UINT> kMessages{{"WM_MOUSEMOVE", WM_MOUSEMOVE},
                                            {"WM_KEYDOWN", WM_KEYDOWN},
                                            {"WM_SYSKEYDOWN", WM_SYSKEYDOWN},
                                            {"WM_LBUTTONDOWN", WM_LBUTTONDOWN},
                                            {"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
                                            {"WM_MBUTTONDOWN", WM_MBUTTONDOWN},
                                            {"WM_XBUTTONDOWN", WM_XBUTTONDOWN},
                                            {"WM_ACTIVATE", WM_ACTIVATE},
                                            {"WM_ACTIVATEAPP", WM_ACTIVATEAPP},
                                            {"WM_NCACTIVATE", WM_NCACTIVATE},
                                            {"WM_KEYUP", WM_KEYUP},
                                            {"WM_CHAR", WM_CHAR},
                                            {"WM_SYSKEYUP", WM_SYSKEYUP},
                                            {"WM_LBUTTONUP", WM_LBUTTONUP},
                                            {"WM_MOUSEWHEEL", WM_MOUSEWHEEL},
                                            {"WM_TIMER", WM_TIMER},
                                            {"WM_USER", WM_USER}};

// "x,y" as MAKELPARAM packs it, or a number in any base.
LPARAM ParseLParam(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return static_cast<LPARAM>(std::stoull(text, nullptr, 0));
  return MAKELPARAM(std::stoi(text.substr(0, comma)), std::stoi(text.substr(comma + 1)));
}

std::optional<CursorPoint> ParseOrigin(const std::string& text) {
  if (text == "-") return std::nullopt;
  const std::size_t comma = text.find(',');
  return CursorPoint{std::stoi(text.substr(0, comma)), std::stoi(text.substr(comma + 1))};
}

TEST(Win32Input, EachMessageStandsForTheEventTheTableSays) {
  const auto rows = ReadTestTable("win32_input_messages.txt");
  ASSERT_GE(rows.size(), 25u);
  for (const std::vector<std::string>& row : rows) {
    ASSERT_GE(row.size(), 5u);
    const std::optional<InputEvent> input =
        InputFromMessage(kMessages.at(row[0]), static_cast<WPARAM>(std::stoull(row[1], nullptr, 0)),
                         ParseLParam(row[2]), ParseOrigin(row[3]));
    std::string expected = row[4];
    if (row.size() > 5) expected += " " + row[5];
    EXPECT_EQ(input ? Describe(*input) : "none", expected) << row[0] << " " << row[2];
  }
}

}  // namespace
