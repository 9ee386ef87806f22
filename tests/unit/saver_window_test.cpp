// The saver window's portable logic over fake window-system seams and a GL recorder that
// needs no context: creation order, the four context failures, resize before the context,
// the timer wiring and the input filter.
#include "app/saver_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gl/gl_recording.h"
#include "unit/fake_frame_clock.h"

namespace {

using Journal = std::vector<std::string>;

class FakeApplication : public Application {
 public:
  explicit FakeApplication(Journal& journal) : journal_(journal) {}
  void SetTitle(const std::string& title) override { title_ = title; }
  const std::string& Title() const override { return title_; }
  int Run() override { return 0; }
  void Terminate() override { journal_.push_back("Terminate"); }

 private:
  Journal& journal_;
  std::string title_;
};

class FakeSurface : public RenderingSurface {
 public:
  explicit FakeSurface(Journal& journal) : journal_(journal) {}
  int FailAt = 0;  // 1..4: that step of context creation fails
  void PrepareDrawable() override { journal_.push_back("PrepareDrawable"); }
  bool ChoosePixelFormat() override { return Step("ChoosePixelFormat", 1); }
  bool SetPixelFormat() override { return Step("SetPixelFormat", 2); }
  bool CreateContext() override { return Step("CreateContext", 3); }
  bool MakeCurrent() override { return Step("MakeCurrent", 4); }
  void SetSwapInterval(int32_t interval) override {
    journal_.push_back("SwapInterval(" + std::to_string(interval) + ")");
  }
  void SwapBuffers() override { journal_.push_back("SwapBuffers"); }
  int32_t ClientWidth() const override { return 640; }
  int32_t ClientHeight() const override { return 480; }

 private:
  bool Step(const char* name, int step) {
    journal_.push_back(name);
    return FailAt != step;
  }
  Journal& journal_;
};

class FakeHost : public SaverHost {
 public:
  explicit FakeHost(Journal& journal) : journal_(journal) {}
  CursorPoint Cursor{500, 400};
  void SetApplicationToolWindow() override { journal_.push_back("ToolWindow"); }
  void SetScreenSaverRunning(bool running) override {
    journal_.push_back(running ? "ScreenSaverRunning(1)" : "ScreenSaverRunning(0)");
  }
  void CaptureMouse() override { journal_.push_back("SetCapture"); }
  CursorPoint GetCursorPos() override { return Cursor; }
  void ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon icon) override {
    journal_.push_back("Box(" + std::string(title) + "|" + std::string(text) +
                       (icon == MessageBoxIcon::Error ? "|error)" : ")"));
  }
  void PostQuitMessage(int code) override {
    journal_.push_back("PostQuit(" + std::to_string(code) + ")");
  }
  void CloseMainWindow() override { journal_.push_back("Close"); }

 private:
  Journal& journal_;
};

constexpr Settings kSmall{40, 40, 5, 3};

class SaverWindow : public ::testing::Test {
 protected:
  SaverWindow() { recorder_.Start(); }

  TForm1& Make(bool preview) {
    form_ = std::make_unique<TForm1>(app_, host_, surface_, clock_, kSmall, preview);
    form_->SetSceneSeed(42);
    return *form_;
  }

  bool Logged(const std::string& prefix) const {
    return std::any_of(recorder_.Lines().begin(), recorder_.Lines().end(),
                       [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
  }

  std::size_t Position(const std::string& entry) const {
    return std::find(journal_.begin(), journal_.end(), entry) - journal_.begin();
  }

  Journal journal_;
  FakeApplication app_{journal_};
  FakeSurface surface_{journal_};
  FakeHost host_{journal_};
  FakeFrameClock clock_;
  GlRecorder recorder_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(SaverWindow, FullScreenCreationRunsInOrderAndSwitchesTheTimerOn) {
  TForm1& f = Make(false);
  f.FormCreate();
  const Journal expected{"ToolWindow",      "ScreenSaverRunning(1)", "SetCapture",
                         "PrepareDrawable", "ChoosePixelFormat",     "SetPixelFormat",
                         "CreateContext",   "MakeCurrent",           "SwapInterval(1)"};
  EXPECT_EQ(journal_, expected);
  EXPECT_TRUE(f.PowerTimer1.MayProcess());
  EXPECT_TRUE(f.PowerTimer1.MayRender());
  ASSERT_FALSE(recorder_.Lines().empty());
  // The projection is set up before the quadric exists and before the textures load.
  const auto& lines = recorder_.Lines();
  const auto at = [&](const std::string& prefix) {
    return std::find_if(lines.begin(), lines.end(),
                        [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }) -
           lines.begin();
  };
  EXPECT_LT(at("gluPerspective(120"), at("gluNewQuadric"));
  EXPECT_LT(at("gluNewQuadric"), at("glGenTextures(10)"));
  EXPECT_LT(at("glGenTextures(10)"), at("glEnable(2912)"));  // fog comes last
  EXPECT_EQ(f.SceneState().Particles.size(), 40u);
}

TEST_F(SaverWindow, PreviewNeitherCapturesTheMouseNorClaimsTheScreen) {
  Make(true).FormCreate();
  EXPECT_EQ(Position("SetCapture"), journal_.size());
  EXPECT_EQ(Position("ScreenSaverRunning(1)"), journal_.size());
  EXPECT_LT(Position("ToolWindow"), Position("PrepareDrawable"));
}

TEST_F(SaverWindow, EachContextFailureShowsItsOneBoxQuitsAndDrawsNothing) {
  const char* texts[] = {"Cant't Find A Suitable PixelFormat.", "Can't Set The PixelFormat.",
                         "Can't Create A GL Rendering Context.", "Can't activate GLRC."};
  for (int step = 1; step <= 4; ++step) {
    journal_.clear();
    recorder_.Clear();
    surface_.FailAt = step;
    TForm1& f = Make(false);
    f.FormCreate();
    const std::string box = "Box(Error|" + std::string(texts[step - 1]) + "|error)";
    EXPECT_EQ(std::count(journal_.begin(), journal_.end(), box), 1) << "step " << step;
    EXPECT_EQ(std::count_if(journal_.begin(), journal_.end(),
                            [](const std::string& e) { return e.rfind("Box(", 0) == 0; }),
              1);
    ASSERT_LT(Position("PostQuit(0)"), journal_.size()) << "step " << step;
    EXPECT_EQ(Position("PostQuit(0)"), Position(box) + 1);
    EXPECT_FALSE(f.PowerTimer1.MayRender());
    EXPECT_FALSE(f.PowerTimer1.MayProcess());
    EXPECT_TRUE(recorder_.Lines().empty()) << "no GL call without a context, step " << step;
    f.FormResize(800, 600);
    EXPECT_TRUE(recorder_.Lines().empty()) << "resize without a context touches no GL";
  }
}

TEST_F(SaverWindow, ResizeAfterCreationRebuildsTheProjection) {
  TForm1& f = Make(false);
  f.FormCreate();
  recorder_.Clear();
  f.FormResize(800, 0);
  EXPECT_TRUE(Logged("glViewport(0,0,800,1)"));
}

TEST_F(SaverWindow, TimerRendersThenProcessesOnEachIdleStep) {
  TForm1& f = Make(false);
  f.FormCreate();
  recorder_.Clear();
  clock_.Counter += clock_.Frequency / 60;  // one frame's worth of time
  EXPECT_FALSE(app_.Events.RaiseIdle(&app_)) << "the loop must never wait while the saver runs";
  EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "SwapBuffers"), 1);
  EXPECT_TRUE(Logged("glClear("));
  EXPECT_NE(f.SceneState().FlightSpeed, 0.0) << "one update ran after the frame";
}

TEST_F(SaverWindow, FrameRateIsDrawnOverEachFrameOnlyWhenAskedAndFramesAreCounted) {
  for (const bool shown : {false, true}) {
    recorder_.Clear();
    journal_.clear();
    TForm1& f = Make(false);
    f.SetShowFrameRate(shown);
    f.FormCreate();
    for (int step = 0; step < 90; ++step) {  // a second and a half at 60 frames a second
      clock_.Counter += clock_.Frequency / 60;
      app_.Events.RaiseIdle(&app_);
    }
    EXPECT_EQ(f.FramesDrawn(), 90);
    EXPECT_EQ(f.FramesProcessed(), 90);
    const auto ortho =
        std::count(recorder_.Lines().begin(), recorder_.Lines().end(), "glOrtho(0,640,0,480,-1,1)");
    EXPECT_EQ(ortho, shown ? 90 : 0);
  }
}

TEST_F(SaverWindow, FullScreenFilterEndsOnKeysAndLongMovesOnly) {
  TForm1& f = Make(false);
  f.FormCreate();
  f.FormShow();
  ASSERT_TRUE(app_.OnMessage);
  bool handled = false;
  app_.OnMessage({InputKind::PointerMoved, {515, 415}}, handled);
  app_.OnMessage({InputKind::ButtonPressed, {}}, handled);
  EXPECT_EQ(Position("Terminate"), journal_.size());
  app_.OnMessage({InputKind::PointerMoved, {516, 400}}, handled);
  app_.OnMessage({InputKind::KeyPressed, {}}, handled);
  EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "Terminate"), 2);
  EXPECT_FALSE(handled) << "every message is still dispatched";
}

TEST_F(SaverWindow, PreviewInstallsNoFilterAndDeactivationClosesTheWindow) {
  TForm1& f = Make(true);
  f.FormCreate();
  f.FormShow();
  EXPECT_FALSE(app_.OnMessage);
  app_.Events.RaiseDeactivate(&app_);
  EXPECT_FALSE(f.PowerTimer1.MayRender()) << "rendering pauses before the window closes";
  EXPECT_LT(Position("Close"), journal_.size());
}

TEST_F(SaverWindow, ScreenSaverFlagIsClearedWhenTheWindowGoes) {
  Make(false).FormCreate();
  form_.reset();
  EXPECT_LT(Position("ScreenSaverRunning(0)"), journal_.size());
}

}  // namespace
