// The trace of orvanta-headless: JSON Lines under the scene's own names, numbers that
// read back exactly, whole runs that repeat byte for byte, and failures that say why.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "config/settings.h"
#include "headless_options.h"
#include "headless_run.h"
#include "scene/scene.h"
#include "trace_json.h"
#include "unit/settings_test_support.h"

namespace {

// A strict reader of JSON's grammar that lists the outermost object's keys in order.
class JsonChecker {
 public:
  explicit JsonChecker(const std::string& text) : t_(text) {}
  bool Valid(std::vector<std::string>* keys = nullptr) {
    keys_ = keys;
    return Value(0) && i_ == t_.size();
  }

 private:
  bool Value(int depth) {
    if (At('{')) return List('}', depth, true);
    if (At('[')) return List(']', depth, false);
    if (At('"')) return String(nullptr);
    if (t_.compare(i_, 4, "null") == 0) return i_ += 4, true;
    return Number();
  }
  bool Number() {  // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
    if (At('-')) ++i_;
    if (At('0')) {
      ++i_;
    } else if (!Digits()) {
      return false;
    }
    if (At('.') && (++i_, !Digits())) return false;
    if (At('e') || At('E')) {
      ++i_;
      if (At('+') || At('-')) ++i_;
      if (!Digits()) return false;
    }
    return true;
  }
  bool Digits() {
    const std::size_t start = i_;
    while (i_ < t_.size() && t_[i_] >= '0' && t_[i_] <= '9') ++i_;
    return i_ > start;
  }
  bool List(char close, int depth, bool object) {
    ++i_;
    if (At(close)) return ++i_, true;
    for (;;) {
      if (object) {
        std::string key;
        if (!String(&key) || !At(':')) return false;
        ++i_;
        if (depth == 0 && keys_) keys_->push_back(key);
      }
      if (!Value(depth + 1)) return false;
      if (At(close)) return ++i_, true;
      if (!At(',')) return false;
      ++i_;
    }
  }
  bool String(std::string* out) {
    const std::size_t end = At('"') ? t_.find('"', i_ + 1) : std::string::npos;
    if (end == std::string::npos) return false;
    if (out) *out = t_.substr(i_ + 1, end - i_ - 1);
    return i_ = end + 1, true;
  }
  bool At(char c) const { return i_ < t_.size() && t_[i_] == c; }

  const std::string& t_;
  std::size_t i_ = 0;
  std::vector<std::string>* keys_ = nullptr;
};

struct RunResult {
  int Code;
  std::string Out;
  std::string Err;
};

RunResult RunTool(
    const std::vector<std::string>& args, const SettingsStoreOpener& openStore = [] {
      return StoreHolding(Settings{30, 30, 3, 3});
    }) {
  std::ostringstream out, err;
  const int code = RunHeadless(ParseHeadlessOptions(args), openStore, out, err);
  return {code, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

TEST(TraceNumbers, DoublesAndFloatsReadBackExactlyAndNonNumbersAreNull) {
  for (double value : {0.1, 1.0 / 3, 5e-324, DBL_MAX, -0.0, 123456789.125, 6.0 - 0.1, 1e21}) {
    std::string text;
    AppendJsonNumber(text, value);
    ASSERT_TRUE(JsonChecker(text).Valid()) << text;
    const double back = std::strtod(text.c_str(), nullptr);
    // Bit for bit, so that -0.0 must come back as -0.0.
    // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison)
    EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
  }
  for (float value : {0.7f, 1.0f / 3, 1e-40f, FLT_MAX}) {
    std::string text;
    AppendJsonNumber(text, value);
    EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
  }
  for (double value : {std::nan(""), -std::numeric_limits<double>::infinity()}) {
    std::string text;
    AppendJsonNumber(text, value);
    EXPECT_EQ(text, "null");  // JSON has no NaN or infinity
  }
}

TEST(TraceLine, IsOneJsonObjectWithTheSceneStateInOrder) {
  Scene scene;
  InitScene(scene, {60, 60, 5, 4}, 2024);
  for (int i = 0; i < 400; ++i) UpdateScene(scene);
  std::string line;
  AppendTraceLine(line, scene, 7, true);
  ASSERT_EQ(line.back(), '\n');
  line.pop_back();
  std::vector<std::string> keys;
  ASSERT_TRUE(JsonChecker(line).Valid(&keys)) << line;
  const std::vector<std::string> expected = {"frame",
                                             "FlightSpeed",
                                             "ShipX",
                                             "ShipY",
                                             "ShipZ",
                                             "UpX",
                                             "UpY",
                                             "FlightMode",
                                             "ManoeuvreVariant",
                                             "ManoeuvreAngle",
                                             "ShotCooldown",
                                             "ShotX",
                                             "ShotY",
                                             "ShotZ",
                                             "SceneClock",
                                             "CruiseClock",
                                             "CruiseFrame",
                                             "FrameCounter",
                                             "meteors",
                                             "debris",
                                             "smoke",
                                             "flashes",
                                             "lights",
                                             "Lights",
                                             "Particles",
                                             "SmokePuffs",
                                             "Flashes"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(line.rfind("{\"frame\":7,", 0), 0u);
}

TEST(TraceLine, ObjectsListOnlyLiveSlotsWithEveryField) {
  Scene scene;
  scene.Particles.resize(4);
  scene.SmokePuffs.resize(3);
  scene.Flashes.resize(2);
  scene.Particles[2].Alive = 1;
  scene.Particles[2].Radius = 2.5;
  scene.SmokePuffs[1].Alive = 1;
  scene.Flashes[0].Alive = 1;
  std::string line;
  AppendTraceLine(line, scene, 0, true);
  EXPECT_NE(line.find("\"Particles\":[{\"slot\":2,\"Alive\":1,\"X\":0,\"Y\":0,\"Z\":0,\"VX\":0,"
                      "\"VY\":0,\"VZ\":0,\"AngleX\":0,\"AngleY\":0,\"SpinX\":0,\"SpinY\":0,"
                      "\"Red\":0,\"Green\":0,\"Blue\":0,\"Radius\":2.5,\"Slices\":0,\"Stacks\":0,"
                      "\"TrailRadius\":0,\"Shininess\":0,\"Shrink\":0,\"IsMeteor\":0}],"
                      "\"SmokePuffs\":[{\"slot\":1,\"Alive\":1,\"X\":0,\"Y\":0,\"Z\":0,\"VX\":0,"
                      "\"VY\":0,\"VZ\":0,\"Life\":0,\"Kind\":0}],"
                      "\"Flashes\":[{\"slot\":0,\"Alive\":1,\"X\":0,\"Y\":0,\"Z\":0,\"VX\":0,"
                      "\"VY\":0,\"VZ\":0,\"Radius\":0,\"Alpha\":0,\"Kind\":0}]}"),
            std::string::npos)
      << line;
}

TEST(HeadlessRun, WritesOneLinePerStateNumberedFromZero) {
  const RunResult run = RunTool({"--seed", "5", "--frames", "30", "--trace", "-"});
  ASSERT_EQ(run.Code, kExitSuccess) << run.Err;
  const std::vector<std::string> lines = Lines(run.Out);
  ASSERT_EQ(lines.size(), 31u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].rfind("{\"frame\":" + std::to_string(i) + ",", 0), 0u) << lines[i];
    EXPECT_TRUE(JsonChecker(lines[i]).Valid()) << lines[i];
  }
  EXPECT_TRUE(run.Err.empty());
}

TEST(HeadlessRun, SameSeedAndSettingsGiveTheSameBytesToAFileOrStandardOutput) {
  const std::vector<std::string> args = {
      "--seed",          "77",      "--frames", "200", "--settings", "200,200,20,10",
      "--trace-objects", "--trace", "-"};
  const RunResult first = RunTool(args);
  ASSERT_EQ(first.Code, kExitSuccess);
  EXPECT_EQ(RunTool(args).Out, first.Out);

  std::vector<std::string> other = args;
  other[1] = "78";
  EXPECT_NE(RunTool(other).Out, first.Out);

  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "orvanta_headless_trace_test.jsonl";
  std::vector<std::string> toFile = args;
  toFile.back() = path.string();
  ASSERT_EQ(RunTool(toFile).Code, kExitSuccess);
  std::ostringstream written;
  written << std::ifstream(path, std::ios::binary).rdbuf();
  EXPECT_EQ(written.str(), first.Out);
  std::filesystem::remove(path);
}

// Through the saver's own start-up: the store is read as the saver reads it, and a run
// given --settings neither opens it nor sees what is stored there.
TEST(HeadlessRun, SettingsComeFromTheStoreUnlessGiven) {
  int opened = 0;
  const auto openStore = [&]() -> std::unique_ptr<SettingsStore> {
    ++opened;
    auto store = std::make_unique<FakeSettingsStore>();
    store->Store("Gwiazd", 7);
    return store;
  };
  const std::string stored = RunTool({"--seed", "1", "--trace", "-"}, openStore).Out;
  EXPECT_NE(stored.find("\"meteors\":7,"), std::string::npos);
  EXPECT_EQ(opened, 1);

  EXPECT_NE(
      RunTool({"--settings", "9,0,0,0", "--trace", "-"}, openStore).Out.find("\"meteors\":9,"),
      std::string::npos);
  EXPECT_EQ(opened, 1);
}

TEST(HeadlessRun, FailuresExitWithOneAndSayWhy) {
  const RunResult stored = RunTool({"--seed", "1", "--trace", "-"}, [] {
    auto store = std::make_unique<FakeSettingsStore>();
    store->Store("Gwiazd", 0, ValueStatus::WrongType);
    return store;
  });
  EXPECT_EQ(stored.Code, kExitFailure);
  EXPECT_NE(stored.Err.find("orvanta-headless: Settings error: Invalid data type for 'Gwiazd'"),
            std::string::npos)
      << stored.Err;
  EXPECT_TRUE(stored.Out.empty());

  const RunResult huge = RunTool({"--settings", "2147483647,1,1,1", "--trace", "-"});
  EXPECT_EQ(huge.Code, kExitFailure);
  EXPECT_NE(huge.Err.find("\"Gwiazd\" = 2147483647"), std::string::npos) << huge.Err;

  const std::string nowhere =
      (std::filesystem::temp_directory_path() / "orvanta_no_such_dir" / "t.jsonl").string();
  const RunResult unwritable = RunTool({"--frames", "5", "--trace", nowhere});
  EXPECT_EQ(unwritable.Code, kExitFailure);
  EXPECT_NE(unwritable.Err.find(nowhere), std::string::npos) << unwritable.Err;
}
