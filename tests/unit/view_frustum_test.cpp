// ViewFrustum: which spheres lie wholly outside a view and which window pixels a square
// facing the viewer can reach, from the cases in tests/data/view_frustum_cases.txt.
#include "render/view_frustum.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/test_data.h"

namespace {

std::vector<double> Numbers(const std::vector<std::string>& row, std::size_t from, std::size_t to) {
  std::vector<double> numbers;
  for (std::size_t i = from; i < to && i < row.size(); ++i) numbers.push_back(ParseDouble(row[i]));
  return numbers;
}

std::string Describe(const std::optional<WindowBox>& box) {
  if (!box) return "none";
  return std::to_string(box->X) + " " + std::to_string(box->Y) + " " + std::to_string(box->Width) +
         " " + std::to_string(box->Height);
}

TEST(ViewFrustum, SpheresAndSquaresAgainstViewsItCanTrust) {
  ViewFrustum frustum;
  std::string view;
  int spheres = 0, squares = 0;
  for (const std::vector<std::string>& row : ReadTestTable("view_frustum_cases.txt")) {
    std::string line;
    for (const std::string& column : row) line += column + " ";
    if (row[0] == "view") {
      const std::vector<double> v = Numbers(row, 1, row.size());
      ASSERT_EQ(v.size(), 14u);
      frustum = ViewFrustum(v[0], static_cast<int32_t>(v[1]), static_cast<int32_t>(v[2]), v[3],
                            v[4], {v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12], v[13]});
      view = line;
    } else if (row[0] == "square") {
      ASSERT_GE(row.size(), 10u) << line;
      const std::vector<double> s = Numbers(row, 1, 9);
      const std::string expected =
          row[9] == "none" ? "none" : row[9] + " " + row[10] + " " + row[11] + " " + row[12];
      EXPECT_EQ(Describe(frustum.PixelsOf(s[0], s[1], s[2], s[3], {s[4], s[5], s[6], s[7]})),
                expected)
          << view << "| " << line;
      ++squares;
    } else {
      const std::vector<double> s = Numbers(row, 0, row.size());
      ASSERT_EQ(s.size(), 5u);
      EXPECT_EQ(frustum.Excludes(s[0], s[1], s[2], s[3]), s[4] == 1) << view << "| " << line;
      ++spheres;
    }
  }
  EXPECT_GE(spheres, 25);
  EXPECT_GE(squares, 11);
}

TEST(ViewFrustum, ADefaultFrustumHidesNothingAndBoundsNothing) {
  EXPECT_FALSE(ViewFrustum().Excludes(0, 0, 1e9, 1));
  EXPECT_FALSE(ViewFrustum().PixelsOf(0, 0, -10, 1, {}).has_value());
}

}  // namespace
