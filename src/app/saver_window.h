// TForm1: the one window of the saver and preview modes, as portable logic. Its creation
// handler gives the window a GL context, sets up projection and scene and switches the
// frame timer on; the timer handlers draw and advance the scene; the message filter ends
// the full-screen saver on input. The platform shells own the real window and call these
// handlers; everything they need of the window system goes through the two seams.
#pragma once

#include <cstdint>

#include "app/application.h"
#include "app/saver_input.h"
#include "app/saver_platform.h"
#include "config/settings.h"
#include "gl/gl_types.h"
#include "render/frame_rate_overlay.h"
#include "render/scene_drawing.h"
#include "scene/scene.h"
#include "timer/frame_clock.h"
#include "timer/power_timer.h"

inline constexpr const char* kContextErrorTitle = "Error";
inline constexpr const char* kNoPixelFormatText = "Cant't Find A Suitable PixelFormat.";
inline constexpr const char* kSetPixelFormatText = "Can't Set The PixelFormat.";
inline constexpr const char* kCreateContextText = "Can't Create A GL Rendering Context.";
inline constexpr const char* kMakeCurrentText = "Can't activate GLRC.";

class TForm1 {
 public:
  TForm1(Application& app, SaverHost& host, RenderingSurface& surface, FrameClock& clock,
         const Settings& settings, bool preview);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;
  ~TForm1();

  void FormCreate();
  void FormResize(int32_t width, int32_t height);
  void FormShow();
  void PowerTimer1Render(void* Sender);
  void PowerTimer1Process(void* Sender);
  void PowerTimer1AppDeactivate(void* Sender);
  void AppMessage(const InputEvent& message, bool& handled);

  // Deletes the quadric, while the context is still current. A shell that releases its
  // context when the loop ends calls this first; one that leaves everything to the process's
  // end need not.
  void ReleaseGraphics();

  // Seeds the scene from this value instead of the clock (tests and reproducible runs).
  void SetSceneSeed(uint64_t seed) { sceneSeed_ = seed, seedGiven_ = true; }
  // Draws the frame rate over every frame (XScreenSaver's "-fps").
  void SetShowFrameRate(bool show) { showFrameRate_ = show; }
  // How frames are drawn: the saver's own way unless a comparison asks for the literal one.
  void SetDrawingMethod(DrawingMethod method) { drawingMethod_ = method; }

  TPowerTimer PowerTimer1;
  bool Preview;
  int64_t PreviewParent = 0;

  const Scene& SceneState() const { return scene_; }
  bool ContextReady() const { return contextIsCurrent_; }
  bool ScreenSaverFlagSet() const { return screenSaverRunningSet_; }
  CursorPoint StartCursorPos() const { return StartCursorPos_; }
  // Frames drawn and simulation frames run since creation.
  int64_t FramesDrawn() const { return drawnCount_; }
  int64_t FramesProcessed() const { return processedCount_; }

 private:
  bool CreateRenderingContext();
  void ReportContextFailure(const char* text);
  RenderTarget Target();
  double ClockSeconds();

  Application& app_;
  SaverHost& host_;
  RenderingSurface& surface_;
  FrameClock& clock_;
  const Settings& settings_;
  Scene scene_;
  GLUquadric* Quadric_ = nullptr;
  CursorPoint StartCursorPos_;
  bool contextIsCurrent_ = false;
  bool screenSaverRunningSet_ = false;
  uint64_t sceneSeed_ = 0;
  bool seedGiven_ = false;
  bool showFrameRate_ = false;
  DrawingMethod drawingMethod_ = DrawingMethod::Arrays;
  FrameRateMeter frameRate_;
  int64_t drawnCount_ = 0;
  int64_t processedCount_ = 0;
};
