// The swap interval through WGL_EXT_swap_control, against made-up drivers behind the recording
// layer: where the extension is looked for, which functions are looked up and called, and that
// nothing is asked of a driver without it. The cases and their expected call logs are in
// data/swap_interval_cases.txt.
#include "gl/swap_control.h"

#include <gtest/gtest.h>

#include "unit/test_data.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gl/gl_entries.h"
#include "gl/gl_recording.h"

namespace {

struct SwapCase {
  std::string Name;
  std::string GlExtensions, WglExtensions;  // "-": none
  bool SwapFunction = false;
  bool Accepted = false;
  std::vector<std::string> Log;
};

std::vector<SwapCase> ReadCases() {
  std::vector<SwapCase> cases;
  for (const std::string& line : ReadTestLines("swap_interval_cases.txt")) {
    const auto [word, rest] = FirstWordAndRest(line);
    if (word == "case") {
      cases.emplace_back();
      cases.back().Name = rest;
    }
    if (cases.empty()) continue;
    SwapCase& c = cases.back();
    if (word == "gl") c.GlExtensions = rest;
    if (word == "wgl") c.WglExtensions = rest;
    if (word == "swap") c.SwapFunction = rest == "yes";
    if (word == "accepted") c.Accepted = rest == "yes";
    if (word == ">") c.Log.push_back(rest);
  }
  return cases;
}

// The made-up driver of the case under way.
const SwapCase* gDriver = nullptr;
int gIntervalSet = -1;

const GLubyte* ORVANTA_GLAPI FakeGetString(GLenum) {
  const std::string& list = gDriver->GlExtensions;
  return list == "-" ? nullptr : reinterpret_cast<const GLubyte*>(list.c_str());
}
const char* ORVANTA_GLAPI FakeWglExtensions() {
  return gDriver->WglExtensions.c_str();
}
int ORVANTA_GLAPI FakeSwapInterval(int interval) {
  gIntervalSet = interval;
  return 1;
}
void* ORVANTA_GLAPI FakeGetProcAddress(const char* name) {
  const std::string wanted(name);
  if (wanted == "wglGetExtensionsStringEXT" && gDriver->WglExtensions != "-") {
    return reinterpret_cast<void*>(&FakeWglExtensions);
  }
  if (wanted == "wglSwapIntervalEXT" && gDriver->SwapFunction) {
    return reinterpret_cast<void*>(&FakeSwapInterval);
  }
  return nullptr;
}

class SwapInterval : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = GL; }
  void TearDown() override { GL = saved_; }
  GlEntries saved_;
};

TEST_F(SwapInterval, EachDriverIsAskedOnlyWhatItOffers) {
  const std::vector<SwapCase> cases = ReadCases();
  ASSERT_EQ(cases.size(), 6u) << "data/swap_interval_cases.txt not read";
  for (const SwapCase& c : cases) {
    SCOPED_TRACE(c.Name);
    gDriver = &c;
    gIntervalSet = -1;
    GL = GlEntries{};
    GL.glGetString = &FakeGetString;
    GL.wglGetProcAddress = &FakeGetProcAddress;
    GlRecorder recorder(GlRecorder::Forwarding::On);
    recorder.Start();
    EXPECT_EQ(RequestSwapIntervalWgl(1), c.Accepted);
    recorder.Stop();
    EXPECT_EQ(recorder.Lines(), c.Log);
    EXPECT_EQ(gIntervalSet, c.Accepted ? 1 : -1);
  }
}

TEST_F(SwapInterval, WithoutWglNothingIsCalled) {
  GL = GlEntries{};  // a GL without WGL (Linux, OSMesa)
  GlRecorder recorder(GlRecorder::Forwarding::On);
  recorder.Start();
  EXPECT_FALSE(RequestSwapIntervalWgl(1));
  EXPECT_TRUE(recorder.Lines().empty());
}

TEST_F(SwapInterval, AFunctionFoundWhileRecordingStaysBehindTheEntryAfterwards) {
  static const SwapCase driver{"", "WGL_EXT_swap_control", "-", true, true, {}};
  gDriver = &driver;
  GL = GlEntries{};
  GL.glGetString = &FakeGetString;
  GL.wglGetProcAddress = &FakeGetProcAddress;
  {
    GlRecorder recorder(GlRecorder::Forwarding::On);
    recorder.Start();
    ASSERT_TRUE(RequestSwapIntervalWgl(0));
  }
  EXPECT_EQ(GL.wglSwapIntervalEXT, &FakeSwapInterval);
  EXPECT_EQ(GL.wglGetProcAddress, &FakeGetProcAddress);
}

TEST(ExtensionList, NamesMatchOnlyAsWholeWords) {
  const std::vector<std::string> cases = ReadTestLines("extension_lists.txt");
  ASSERT_EQ(cases.size(), 11u) << "data/extension_lists.txt not read";
  for (const std::string& line : cases) {
    std::istringstream words(line);
    std::string listed, name;
    words >> listed >> name;
    const size_t open = line.find('['), close = line.rfind(']');
    const std::string list =
        open == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
    const char* text = open == std::string::npos ? nullptr : list.c_str();
    EXPECT_EQ(ExtensionListed(text, name == "-" ? "" : name), listed == "yes") << line;
  }
}

}  // namespace
