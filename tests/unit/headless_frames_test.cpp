// The drawing side of orvanta-headless as its command line and its run see it: the
// --png, --size, --gl-log, --reference-drawing and --benchmark options, the picture file
// names, and when the saver window draws during a run (on a stand-in for the OSMesa surface).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "gl/gl_recording.h"
#include "headless_options.h"
#include "headless_run.h"
#include "unit/settings_test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

using Args = std::vector<std::string>;

std::string PictureName(const std::string& pattern, int64_t frame) {
  return ParseFrameFileName("--png", pattern).For(frame);
}

// ---- options ----------------------------------------------------------------------------

TEST(HeadlessDrawingOptions, PngSizeAndGlLogAreReadWithADefaultSize) {
  const HeadlessOptions plain = ParseHeadlessOptions({"--png", "shot.png"});
  ASSERT_TRUE(plain.Png.has_value());
  EXPECT_FALSE(plain.Png->HasNumber);
  EXPECT_EQ(plain.Png->For(600), "shot.png");
  EXPECT_EQ(plain.Size.Width, 1280);
  EXPECT_EQ(plain.Size.Height, 720);
  EXPECT_TRUE(plain.RendersFrames());
  EXPECT_FALSE(plain.RendersEveryFrame());

  const HeadlessOptions all = ParseHeadlessOptions(
      {"--size=320x200", "--gl-log", "calls.txt", "--png=f%03d.png", "--frames", "2"});
  EXPECT_EQ(all.Size.Width, 320);
  EXPECT_EQ(all.Size.Height, 200);
  EXPECT_EQ(all.GlLogPath, "calls.txt");
  EXPECT_TRUE(all.RendersEveryFrame());

  const HeadlessOptions logOnly = ParseHeadlessOptions({"--gl-log", "calls.txt"});
  EXPECT_TRUE(logOnly.RendersFrames());
  EXPECT_FALSE(logOnly.Png.has_value());
  EXPECT_FALSE(ParseHeadlessOptions({"--frames", "9"}).RendersFrames());
}

TEST(HeadlessDrawingOptions, FrameNumbersAreWrittenAsPrintfWould) {
  EXPECT_EQ(PictureName("out/frame-%04d.png", 7), "out/frame-0007.png");
  EXPECT_EQ(PictureName("out/frame-%04d.png", 123456), "out/frame-123456.png");
  EXPECT_EQ(PictureName("%d.png", 42), "42.png");
  EXPECT_EQ(PictureName("f%5d.png", 42), "f   42.png");
  EXPECT_EQ(PictureName("%0d-%%.png", 3), "3-%.png");
  EXPECT_EQ(PictureName("100%%.png", 3), "100%.png");  // a percent sign, no number
  EXPECT_FALSE(ParseFrameFileName("--png", "100%%.png").HasNumber);
  EXPECT_EQ(PictureName("a%020d", 9223372036854775807), "a09223372036854775807");
}

TEST(HeadlessDrawingOptions, RefusesAnythingButOneFrameNumberAfterAPercentSign) {
  for (const char* name : {"x%s.png", "x%n.png", "x%x.png", "%d%d.png", "%-4d.png", "%+d.png",
                           "%.3d.png", "%100d.png", "%21d.png", "end%", "%ld.png", "%"}) {
    try {
      ParseHeadlessOptions({"--png", name, "--frames", "1"});
      ADD_FAILURE() << "accepted " << name;
    } catch (const UsageError& error) {
      EXPECT_THAT(error.what(), HasSubstr("--png")) << name;
    }
  }
  EXPECT_THROW(ParseHeadlessOptions({"--png", ""}), UsageError);
}

TEST(HeadlessDrawingOptions, RefusesWrongSizesAndPointlessCombinations) {
  for (const char* size : {"0x10", "10x0", "16385x10", "10x16385", "10", "x10", "10x", "10*10",
                           "-5x10", "10x10x10", "1e3x10", " 10x10"}) {
    EXPECT_THROW(ParseHeadlessOptions({"--png", "a.png", "--size", size}), UsageError) << size;
  }
  EXPECT_NO_THROW(ParseHeadlessOptions({"--png", "a.png", "--size", "16384x1"}));
  // Nothing would be drawn at that size, and no picture would be written at all.
  EXPECT_THROW(ParseHeadlessOptions({"--size", "10x10"}), UsageError);
  EXPECT_THROW(ParseHeadlessOptions({"--png", "f%d.png"}), UsageError);
  EXPECT_THROW(ParseHeadlessOptions({"--png", "f%d.png", "--frames", "0"}), UsageError);
  EXPECT_THROW(ParseHeadlessOptions({"--gl-log"}), UsageError);
}

TEST(HeadlessDrawingOptions, BenchmarkAndReferenceDrawingAskForFramesAndNoFiles) {
  const HeadlessOptions bench = ParseHeadlessOptions(
      {"--benchmark", "--frames", "5", "--reference-drawing", "--size", "640x360"});
  EXPECT_TRUE(bench.Benchmark);
  EXPECT_TRUE(bench.ReferenceDrawing);
  EXPECT_TRUE(bench.RendersFrames());
  EXPECT_TRUE(bench.RendersEveryFrame());
  EXPECT_TRUE(ParseHeadlessOptions({"--png", "a.png", "--reference-drawing"}).ReferenceDrawing);
  EXPECT_FALSE(ParseHeadlessOptions({"--png", "a.png"}).ReferenceDrawing);
  // A benchmark writes nothing and needs steps to time; the reference drawing needs frames.
  for (const Args& wrong : std::vector<Args>{{"--benchmark"},
                                             {"--benchmark", "--frames", "0"},
                                             {"--benchmark", "--frames", "3", "--png", "a.png"},
                                             {"--benchmark", "--frames", "3", "--gl-log", "l.txt"},
                                             {"--benchmark", "--frames", "3", "--trace", "-"},
                                             {"--benchmark=1", "--frames", "3"},
                                             {"--reference-drawing"},
                                             {"--reference-drawing", "--frames", "3"}}) {
    EXPECT_THROW(ParseHeadlessOptions(wrong), UsageError) << wrong.front() << " " << wrong.back();
  }
}

TEST(HeadlessDrawingOptions, HelpDescribesTheDrawingOptions) {
  const std::string help = HeadlessHelpText();
  for (const char* option : {"--png FILE", "--size WxH", "--gl-log FILE", "%04d", "SwapBuffers",
                             "--reference-drawing", "--benchmark"}) {
    EXPECT_THAT(help, HasSubstr(option));
  }
}

// ---- when a run draws -----------------------------------------------------------------

// Stands in for the OSMesa surface on the null GL and notes what the saver window and the
// run ask of it: each swap says whether its frame went through the quadric (the literal
// drawing) or through arrays.
struct DrawingNotes {
  std::vector<std::string> Events;
  std::string FailContext;    // CreateContext fails with this reason when not empty
  bool FailPictures = false;  // WritePicture throws
};

class NotingSurface final : public HeadlessSurface {
 public:
  explicit NotingSurface(DrawingNotes& notes) : notes_(notes) {}
  bool CreateContext() override {
    notes_.Events.push_back("context");
    return notes_.FailContext.empty();
  }
  bool MakeCurrent() override {
    gl_.SetSink([this](std::string_view line) {
      if (line.starts_with("gluSphere(")) literal_ = true;
    });
    gl_.Start();
    return true;
  }
  void SwapBuffers() override {
    notes_.Events.push_back(literal_ ? "swap literal" : "swap arrays");
    literal_ = false;
    SwapDone();
  }
  int32_t ClientWidth() const override { return 64; }
  int32_t ClientHeight() const override { return 48; }
  void WritePicture(const std::string& path) override {
    if (notes_.FailPictures) throw std::runtime_error("cannot write '" + path + "'");
    notes_.Events.push_back("picture " + path);
  }
  void Finish() override { notes_.Events.push_back("finish"); }
  std::string Failure() const override { return notes_.FailContext; }

 private:
  DrawingNotes& notes_;
  GlRecorder gl_{GlRecorder::Forwarding::Off};
  bool literal_ = false;
};

struct RunResult {
  int Code;
  std::string Err;
  std::string Out;
};

RunResult RunWith(const Args& args, const HeadlessSurfaceFactory& factory,
                  const CostClocks& clocks = ReadCostClocks) {
  std::ostringstream out, err;
  const int code = RunHeadless(
      ParseHeadlessOptions(args),
      [] {
        return StoreHolding(Settings{20, 20, 2, 2});
      },
      out, err, factory, clocks);
  return {code, err.str(), out.str()};
}

HeadlessSurfaceFactory Noting(DrawingNotes& notes) {
  return [&notes](const HeadlessOptions&) { return std::make_unique<NotingSurface>(notes); };
}

size_t LineCount(const std::string& text) {
  return std::ranges::count(text, '\n');
}

TEST(HeadlessDrawingRun, OnePictureAfterTheLastStep) {
  DrawingNotes notes;
  const RunResult result =
      RunWith({"--seed", "1", "--frames", "3", "--png", "shot.png", "--trace", "-"}, Noting(notes));
  EXPECT_EQ(result.Code, 0);
  EXPECT_THAT(notes.Events, ElementsAre("context", "swap arrays", "picture shot.png", "finish"));
  EXPECT_EQ(LineCount(result.Out), 4u);  // the states after 0, 1, 2 and 3 steps
}

TEST(HeadlessDrawingRun, AFrameNumberDrawsAfterEveryStep) {
  DrawingNotes notes;
  EXPECT_EQ(
      RunWith({"--frames", "3", "--png", "f%02d.png", "--gl-log", "l.txt"}, Noting(notes)).Code, 0);
  EXPECT_THAT(notes.Events,
              ElementsAre("context", "swap arrays", "picture f01.png", "swap arrays",
                          "picture f02.png", "swap arrays", "picture f03.png", "finish"));
}

TEST(HeadlessDrawingRun, AGlLogAloneDrawsOneFrameAndWritesNoPicture) {
  DrawingNotes notes;
  EXPECT_EQ(RunWith({"--gl-log", "calls.txt"}, Noting(notes)).Code, 0);
  EXPECT_THAT(notes.Events, ElementsAre("context", "swap arrays", "finish"));
}

// Clocks that move 10 ms of wall-clock time, 15 ms of the process's and 5 ms of the
// thread's processor time from one reading to the next.
TEST(HeadlessDrawingRun, ABenchmarkDrawsEveryStepWritesNothingAndPrintsOneLine) {
  DrawingNotes notes;
  CostReading now{100, 50, 20};
  const RunResult result =
      RunWith({"--frames", "3", "--benchmark", "--reference-drawing"}, Noting(notes), [&now] {
        const CostReading reading = now;
        now = {now.WallSeconds + 0.010, now.ProcessCpuSeconds + 0.015,
               now.ThreadCpuSeconds + 0.005};
        return reading;
      });
  EXPECT_EQ(result.Code, 0);
  EXPECT_EQ(result.Out,
            "frames 3 median 10.0 ms p95 10.0 ms cpu 15.0 ms/frame thread 5.0 ms/frame\n");
  EXPECT_THAT(notes.Events,
              ElementsAre("context", "swap literal", "swap literal", "swap literal", "finish"));
}

TEST(HeadlessDrawingRun, NoDrawingSurfaceUnlessAskedFor) {
  bool made = false;
  const RunResult result =
      RunWith({"--frames", "5", "--trace", "-"}, [&made](const HeadlessOptions&) {
        made = true;
        return std::unique_ptr<HeadlessSurface>();
      });
  EXPECT_EQ(result.Code, 0);
  EXPECT_FALSE(made);
  EXPECT_EQ(LineCount(result.Out), 6u);
  EXPECT_THAT(result.Err, IsEmpty());
}

TEST(HeadlessDrawingRun, DrawingThatCannotStartOrWriteFailsTheRunWithItsReason) {
  DrawingNotes noContext;
  noContext.FailContext = "no context";
  const RunResult noSurface = RunWith({"--png", "a.png"}, Noting(noContext));
  EXPECT_EQ(noSurface.Code, 1);
  // The saver window's own box first, then the reason behind it.
  EXPECT_EQ(noSurface.Err,
            "orvanta-headless: Error: Can't Create A GL Rendering Context.\n"
            "orvanta-headless: OSMesa cannot start: no context\n");

  DrawingNotes unwritable;
  unwritable.FailPictures = true;
  const RunResult noPicture = RunWith({"--png", "a.png"}, Noting(unwritable));
  EXPECT_EQ(noPicture.Code, 1);
  EXPECT_EQ(noPicture.Err, "orvanta-headless: cannot write 'a.png'\n");

  const RunResult noFactory = RunWith({"--png", "a.png"}, {});
  EXPECT_EQ(noFactory.Code, 1);
  EXPECT_THAT(noFactory.Err, HasSubstr("cannot draw frames"));
}

}  // namespace
