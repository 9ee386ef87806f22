// DrawStateCache: which calls reach GL for a sequence of wishes, from the cases in
// tests/data/draw_state_cache_cases.txt.
#include "render/draw_state_cache.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "unit/render_test_support.h"
#include "unit/test_data.h"

namespace {

using namespace render_test;

struct CacheCase {
  std::string Name;
  Lines Operations;
  Lines Sends;
};

std::vector<CacheCase> ReadCases() {
  std::vector<CacheCase> cases;
  Lines* filling = nullptr;
  for (const std::string& raw : ReadTestLines("draw_state_cache_cases.txt")) {
    const std::string line = raw.substr(raw.find_first_not_of(' '));
    if (line.starts_with("case ")) {
      cases.push_back({line.substr(5), {}, {}});
      filling = &cases.back().Operations;
    } else if (line == "sends") {
      filling = &cases.back().Sends;
    } else {
      if (filling == nullptr) throw std::runtime_error("a line before the first case: " + line);
      filling->push_back(line);
    }
  }
  return cases;
}

class DrawStateCacheCalls : public RecordedCalls {
 protected:
  void Run(DrawStateCache& cache, const std::string& operation) {
    std::istringstream words(operation);
    std::string verb, value;
    words >> verb >> value;
    if (verb == "clip" && value == "all") return cache.ClipTo(std::nullopt);
    if (verb == "clip") {
      WindowBox box{std::stoi(value)};
      words >> box.Y >> box.Width >> box.Height;
      return cache.ClipTo(box);
    }
    if (verb == "bind") return cache.BindObjectLinear(std::stoi(value));
    if (verb == "unbind") return cache.UnbindTexture();
    if (verb == "shininess") return cache.SetFrontShininess(std::stof(value));
    if (verb == "quadric-texture") return cache.SetQuadricTexture(value == "1");
    if (verb == "forget") return cache.Forget();
    if (verb == "apply") {
      recorder_.Mark("apply");
      return cache.Apply();
    }
    FAIL() << "unknown operation " << operation;
  }
};

TEST_F(DrawStateCacheCalls, SendsWhatIsWantedAndNotKnownToBeCurrent) {
  const std::vector<CacheCase> cases = ReadCases();
  ASSERT_GE(cases.size(), 10u);
  for (const CacheCase& c : cases) {
    DrawStateCache cache(quadric_);
    for (const std::string& operation : c.Operations) Run(cache, operation);
    EXPECT_THAT(Calls(), ::testing::ElementsAreArray(c.Sends)) << c.Name;
  }
}

}  // namespace
