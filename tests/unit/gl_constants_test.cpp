// The program's own GL and GLU constants carry the values of the system headers, and the
// check covers every constant it declares.
#include "gl/gl_constants.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "gl_constant_names.h"

std::map<std::string, long long> SystemHeaderConstants();  // gl_constants_reference.cpp

namespace {

std::map<std::string, long long> OwnConstants() {
  std::map<std::string, long long> values;
#define ORVANTA_OWN_VALUE(name) values[#name] = static_cast<long long>(name);
  ORVANTA_GL_CONSTANT_NAMES(ORVANTA_OWN_VALUE)
#undef ORVANTA_OWN_VALUE
  return values;
}

TEST(GlConstants, ValuesMatchTheSystemHeaders) {
  const auto own = OwnConstants();
  const auto system = SystemHeaderConstants();
  ASSERT_EQ(own.size(), system.size());
  for (const auto& [name, value] : own) EXPECT_EQ(value, system.at(name)) << name;
}

TEST(GlConstants, EveryDeclaredConstantIsChecked) {
#ifdef _WIN32
  GTEST_SKIP() << "the header is read from the source tree in the native build";
#else
  std::ifstream header(ORVANTA_GL_CONSTANTS_HEADER);
  ASSERT_TRUE(header) << ORVANTA_GL_CONSTANTS_HEADER;
  std::stringstream text;
  text << header.rdbuf();
  const std::string source = text.str();
  const std::regex declaration(R"(inline constexpr \w+ (\w+) =)");
  const auto checked = OwnConstants();
  std::vector<std::string> unchecked;
  for (std::sregex_iterator it(source.begin(), source.end(), declaration), end; it != end; ++it) {
    const std::string name = (*it)[1];
    if (name != "GL_ALL_ATTRIB_BITS" && checked.count(name) == 0) unchecked.push_back(name);
  }
  EXPECT_THAT(unchecked, ::testing::IsEmpty());
  EXPECT_GT(checked.size(), 100u);
#endif
}

}  // namespace
