// The saver window's platform seams without a window system: a clock that moves only when
// the run says so, an application whose loop is one timer step per tick of that clock, a
// host whose message boxes become lines on standard error, and the off-screen surfaces the
// frames are drawn into. orvanta-headless runs TForm1 on these exactly as the shells do.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "app/application.h"
#include "app/saver_platform.h"
#include "gl/gl_recording.h"
#include "timer/frame_clock.h"

// The run's own time: 1/60 s a step, counted in whole ticks so that the frame timer sees
// exactly 60 steps a second and owes exactly one simulation frame per step.
class HeadlessClock final : public FrameClock {
 public:
  static constexpr int64_t kTicksPerSecond = 60'000;
  static constexpr int64_t kTicksPerStep = kTicksPerSecond / 60;

  void Step() { ticks_ += kTicksPerStep; }

  std::optional<int64_t> TicksPerSecond() override { return kTicksPerSecond; }
  int64_t Ticks() override { return ticks_; }
  uint32_t Milliseconds() override {
    return static_cast<uint32_t>(ticks_ * 1000 / kTicksPerSecond);
  }

 private:
  int64_t ticks_ = 0;
};

// The message loop of a run: the queue is always empty, so every turn moves the clock one
// step and raises idle, until Terminate. BeforeStep may end the run or change what the
// coming step does; AfterStep sees its result.
class HeadlessApplication final : public Application {
 public:
  explicit HeadlessApplication(HeadlessClock& clock) : clock_(clock) {}

  void SetTitle(const std::string& title) override { title_ = title; }
  const std::string& Title() const override { return title_; }
  int Run() override;
  void Terminate() override { terminated_ = true; }

  std::function<void()> BeforeStep;
  std::function<void()> AfterStep;

 private:
  HeadlessClock& clock_;
  std::string title_;
  bool terminated_ = false;
};

// No window, no pointer and no screen-saver flag; a box is one line on `err` per text
// line, "orvanta-headless: <title>: <text>", and quitting ends the loop.
class HeadlessHost final : public SaverHost {
 public:
  HeadlessHost(Application& app, std::ostream& err) : app_(app), err_(err) {}

  void SetApplicationToolWindow() override {}
  void SetScreenSaverRunning(bool) override {}
  void CaptureMouse() override {}
  CursorPoint GetCursorPos() override { return {}; }
  void ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon) override;
  void PostQuitMessage(int) override { app_.Terminate(); }
  void CloseMainWindow() override { app_.Terminate(); }

 private:
  Application& app_;
  std::ostream& err_;
};

// An off-screen rendering surface: a swap finishes the frame and tells the observer,
// which may then ask for the picture to be written.
class HeadlessSurface : public RenderingSurface {
 public:
  // An off-screen buffer has no window to prepare and takes the format it was made with.
  void PrepareDrawable() override {}
  bool ChoosePixelFormat() override { return true; }
  bool SetPixelFormat() override { return true; }
  // Nothing shows the frames, so there is no display to wait for.
  void SetSwapInterval(int32_t) override {}

  void SetSwapObserver(const std::function<void()>& observer) { swapObserver_ = observer; }
  // Writes the last finished picture to `path`; throws when it cannot.
  virtual void WritePicture(const std::string& path) = 0;
  // Completes the outputs after the last frame (the GL log); throws when one failed.
  virtual void Finish() {}
  // Why the last step that failed did, when it knows more than the step's own message.
  virtual std::string Failure() const { return {}; }

 protected:
  void SwapDone() {
    if (swapObserver_) swapObserver_();
  }

 private:
  std::function<void()> swapObserver_;
};

// A surface for runs that want no pixels (a trace): GL is the recording layer without a
// context behind it, which answers every call harmlessly and draws nothing. Any build can
// run the saver window on it, the Windows unit tests under wine included.
class NullSurface final : public HeadlessSurface {
 public:
  NullSurface(int32_t width, int32_t height) : width_(width), height_(height) {}

  bool CreateContext() override { return true; }
  bool MakeCurrent() override;
  void SwapBuffers() override { SwapDone(); }
  int32_t ClientWidth() const override { return width_; }
  int32_t ClientHeight() const override { return height_; }
  void WritePicture(const std::string& path) override;

 private:
  int32_t width_;
  int32_t height_;
  GlRecorder gl_{GlRecorder::Forwarding::Off};
};
