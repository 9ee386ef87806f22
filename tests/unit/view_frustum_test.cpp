// ViewFrustum: which spheres lie wholly outside a view, from the cases in
// tests/data/view_frustum_cases.txt.
#include "render/view_frustum.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/test_data.h"

namespace {

std::vector<double> Numbers(const std::vector<std::string>& row, std::size_t from) {
  std::vector<double> numbers;
  for (std::size_t i = from; i < row.size(); ++i) numbers.push_back(ParseDouble(row[i]));
  return numbers;
}

TEST(ViewFrustum, ExcludesOnlySpheresWhollyOutsideAViewItCanTrust) {
  ViewFrustum frustum;
  std::string view;
  int spheres = 0;
  for (const std::vector<std::string>& row : ReadTestTable("view_frustum_cases.txt")) {
    if (row[0] == "view") {
      const std::vector<double> v = Numbers(row, 1);
      ASSERT_EQ(v.size(), 13u);
      frustum = ViewFrustum(v[0], v[1], v[2], v[3],
                            {v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12]});
      view.clear();
      for (const std::string& column : row) view += column + " ";
      continue;
    }
    const std::vector<double> s = Numbers(row, 0);
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(frustum.Excludes(s[0], s[1], s[2], s[3]), s[4] == 1)
        << view << "| sphere " << row[0] << " " << row[1] << " " << row[2] << " radius " << row[3];
    ++spheres;
  }
  EXPECT_GE(spheres, 25);
}

TEST(ViewFrustum, ADefaultFrustumHidesNothing) {
  EXPECT_FALSE(ViewFrustum().Excludes(0, 0, 1e9, 1));
}

}  // namespace
