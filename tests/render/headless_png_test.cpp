// orvanta-headless drawing for real: PNG encoding, pictures and GL logs written by runs
// of the saver window on OSMesa, the same seed giving the same file twice, the picture of a
// step matching the scene drawn directly, the literal drawing and the benchmark.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gl/gl_entries.h"
#include "headless_gl_surface.h"
#include "headless_options.h"
#include "headless_run.h"
#include "png_writer.h"
#include "render/headless_window.h"
#include "render/render_state.h"
#include "unit/settings_test_support.h"

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

struct Picture {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Rgb;  // top row first
};

Picture Decode(const std::vector<uint8_t>& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  EXPECT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size())) << image.message;
  image.format = PNG_FORMAT_RGB;
  Picture picture{static_cast<int32_t>(image.width), static_cast<int32_t>(image.height), {}};
  picture.Rgb.resize(PNG_IMAGE_SIZE(image));
  EXPECT_TRUE(png_image_finish_read(&image, nullptr, picture.Rgb.data(), 0, nullptr));
  return picture;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// ---- the PNG writer ---------------------------------------------------------------------

TEST(PngWriter, EncodesRgbRowsTopFirst) {
  // Two rows of three pixels, every byte different.
  std::vector<uint8_t> rgb(2 * 3 * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(10 * i + 1);
  const Picture back = Decode(EncodePng(3, 2, rgb));
  EXPECT_EQ(back.Width, 3);
  EXPECT_EQ(back.Height, 2);
  EXPECT_EQ(back.Rgb, rgb);
}

TEST(PngWriter, RefusesPixelsThatDoNotMatchTheSizeAndUnwritableFiles) {
  const std::vector<uint8_t> rgb(12);
  EXPECT_THROW(EncodePng(2, 3, rgb), PngError);
  EXPECT_THROW(EncodePng(0, 0, {}), PngError);
  try {
    WritePng("/nonexistent-dir/picture.png", 2, 2, rgb);
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const PngError& error) {
    EXPECT_THAT(error.what(), HasSubstr("/nonexistent-dir/picture.png"));
  }
}

// ---- runs drawing with OSMesa --------------------------------------------------------------

class HeadlessDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() / (std::string("orvanta_png_") + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    GL = GlEntries{};
    GLu = GluEntries{};
  }

  int Run(std::vector<std::string> args) {
    args.insert(args.end(), {"--settings", "300,300,20,6", "--size", "160x120"});
    std::ostringstream out;
    err_.str("");
    const int code = RunHeadless(
        ParseHeadlessOptions(args), [] { return StoreHolding(kDefaultSettings); }, out, err_,
        MakeHeadlessBuffer);
    out_ = out.str();
    return code;
  }
  std::string In(const std::string& name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
  std::ostringstream err_;
  std::string out_;
};

TEST_F(HeadlessDrawing, TheSameSeedWritesTheSamePictureTwice) {
  ASSERT_EQ(Run({"--seed", "11", "--frames", "240", "--png", In("a.png")}), 0) << err_.str();
  ASSERT_EQ(Run({"--seed", "11", "--frames", "240", "--png", In("b.png")}), 0) << err_.str();
  ASSERT_EQ(Run({"--seed", "12", "--frames", "240", "--png", In("c.png")}), 0) << err_.str();
  const std::vector<uint8_t> a = ReadBytes(dir_ / "a.png");
  EXPECT_EQ(a, ReadBytes(dir_ / "b.png"));
  EXPECT_NE(a, ReadBytes(dir_ / "c.png"));
  const Picture picture = Decode(a);
  EXPECT_EQ(picture.Width, 160);
  EXPECT_EQ(picture.Height, 120);
  EXPECT_THAT(err_.str(), IsEmpty());
}

TEST_F(HeadlessDrawing, AFrameNumberWritesOnePicturePerStep) {
  ASSERT_EQ(Run({"--seed", "3", "--frames", "3", "--png", In("f-%03d.png")}), 0) << err_.str();
  for (const char* name : {"f-001.png", "f-002.png", "f-003.png"}) {
    EXPECT_TRUE(std::filesystem::exists(dir_ / name)) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "f-000.png"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "f-004.png"));
}

TEST_F(HeadlessDrawing, GlLogRunsFromInitGLToTheSwapOfTheFrame) {
  ASSERT_EQ(Run({"--seed", "5", "--frames", "60", "--gl-log", In("calls.txt")}), 0) << err_.str();
  const std::vector<std::string> lines = ReadLines(dir_ / "calls.txt");
  ASSERT_GT(lines.size(), 100u);
  EXPECT_EQ(lines.front(), "glClearColor(0,0,0,1)");  // the first call of InitGL
  EXPECT_EQ(lines[9], "glShadeModel(7425)");          // its last
  EXPECT_EQ(lines[10], "gluNewQuadric()");
  EXPECT_EQ(lines[11], "glGenTextures(10)");
  EXPECT_EQ(lines.back(), "SwapBuffers");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "SwapBuffers"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "glClear(16640)"), 1);
}

TEST_F(HeadlessDrawing, GlLogOfAVideoMarksTheEndOfEveryFrame) {
  ASSERT_EQ(Run({"--frames", "4", "--png", In("v%d.png"), "--gl-log", In("calls.txt")}), 0)
      << err_.str();
  const std::vector<std::string> lines = ReadLines(dir_ / "calls.txt");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "SwapBuffers"), 4);
  EXPECT_EQ(lines.back(), "SwapBuffers");
}

// The literal drawing sends every sphere through the quadric, the saver's through arrays;
// the pictures are the same.
TEST_F(HeadlessDrawing, TheReferenceDrawingSendsOtherCallsForTheSamePicture) {
  const std::vector<std::string> common = {"--seed", "8", "--frames", "200"};
  auto with = [&common](std::vector<std::string> more) {
    more.insert(more.begin(), common.begin(), common.end());
    return more;
  };
  ASSERT_EQ(Run(with({"--png", In("new.png"), "--gl-log", In("new.txt")})), 0) << err_.str();
  ASSERT_EQ(Run(with({"--png", In("ref.png"), "--gl-log", In("ref.txt"), "--reference-drawing"})),
            0)
      << err_.str();
  EXPECT_EQ(ReadBytes(dir_ / "new.png"), ReadBytes(dir_ / "ref.png"));
  const auto count = [](const std::vector<std::string>& lines, std::string_view prefix) {
    return std::count_if(lines.begin(), lines.end(),
                         [prefix](const std::string& line) { return line.starts_with(prefix); });
  };
  const std::vector<std::string> fresh = ReadLines(dir_ / "new.txt");
  const std::vector<std::string> literal = ReadLines(dir_ / "ref.txt");
  EXPECT_GT(count(fresh, "glDrawElements("), 0);
  EXPECT_EQ(count(fresh, "gluSphere("), 0);
  EXPECT_EQ(count(literal, "glDrawElements("), 0);
  EXPECT_GT(count(literal, "gluSphere("), count(fresh, "glDrawElements("));
}

TEST_F(HeadlessDrawing, ABenchmarkPrintsItsOneLineAndWritesNothing) {
  ASSERT_EQ(Run({"--seed", "4", "--frames", "5", "--benchmark"}), 0) << err_.str();
  EXPECT_THAT(out_,
              ::testing::MatchesRegex("frames 5 median [0-9]+\\.[0-9] ms p95 [0-9]+\\.[0-9] ms "
                                      "cpu [0-9]+\\.[0-9] ms/frame thread [0-9]+\\.[0-9] "
                                      "ms/frame\n"));
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(HeadlessDrawing, UnwritableOutputsFailTheRunNamingThem) {
  EXPECT_EQ(Run({"--png", "/nonexistent-dir/a.png"}), 1);
  EXPECT_THAT(err_.str(), HasSubstr("'/nonexistent-dir/a.png'"));
  EXPECT_EQ(Run({"--gl-log", "/nonexistent-dir/calls.txt"}), 1);
  EXPECT_THAT(err_.str(), HasSubstr("'/nonexistent-dir/calls.txt'"));
}

// The saver window's picture after N steps of the run's own clock is the scene after N
// updates drawn directly: the window steps once per 1/60 s and draws what it has before
// each step.
TEST_F(HeadlessDrawing, ThePictureOfStepNIsTheSceneAfterNUpdates) {
  constexpr int kSteps = 90;
  ASSERT_EQ(Run({"--seed", "6", "--frames", std::to_string(kSteps), "--png", In("run.png")}), 0)
      << err_.str();
  const Picture run = Decode(ReadBytes(dir_ / "run.png"));

  HeadlessWindow window(160, 120);
  const auto scene = std::make_unique<Scene>();
  window.CreateScene(*scene, Settings{300, 300, 20, 6}, 6, [](auto, auto) {});
  for (int step = 0; step < kSteps; ++step) UpdateScene(*scene);
  window.RenderFrame(*scene);
  EXPECT_TRUE(run.Rgb == window.ReadRgbTopDown());
}

TEST(HeadlessSurfaceStart, ASurfaceOSMesaCannotMakeFailsTheRunSayingSo) {
  HeadlessOptions options = ParseHeadlessOptions({"--png", "never.png"});
  options.Size.Width = 0;  // no pixels: OSMesa refuses the context
  std::ostringstream out, err;
  EXPECT_EQ(
      RunHeadless(
          options, [] { return StoreHolding(kDefaultSettings); }, out, err, MakeHeadlessBuffer),
      1);
  EXPECT_THAT(err.str(), HasSubstr("Can't Create A GL Rendering Context."));
  EXPECT_THAT(err.str(), HasSubstr("OSMesa cannot start"));
  EXPECT_FALSE(std::filesystem::exists("never.png"));
}

}  // namespace
