// TForm1's handlers: creation in the fixed order the saver relies on, the timer wiring and
// the input filter.
#include "app/saver_window.h"

#include <optional>
#include <string>

#include "render/render_state.h"
#include "scene/scene_random.h"

TForm1::TForm1(Application& app, SaverHost& host, RenderingSurface& surface, FrameClock& clock,
               const Settings& settings, bool preview)
    : PowerTimer1(app.Events, clock),
      Preview(preview),
      app_(app),
      host_(host),
      surface_(surface),
      clock_(clock),
      settings_(settings) {
  PowerTimer1.SetFPS(60);
  PowerTimer1.OnRender = TNotifyEvent::Bind<&TForm1::PowerTimer1Render>(this);
  PowerTimer1.OnProcess = TNotifyEvent::Bind<&TForm1::PowerTimer1Process>(this);
  PowerTimer1.OnAppDeactivate = TNotifyEvent::Bind<&TForm1::PowerTimer1AppDeactivate>(this);
}

TForm1::~TForm1() {
  // The running flag is a system-wide setting; leaving it set would keep the system
  // believing a saver runs after this one has gone.
  if (screenSaverRunningSet_) host_.SetScreenSaverRunning(false);
  if (app_.OnMessage.Target() == this) app_.OnMessage = {};
}

void TForm1::FormCreate() {
  host_.SetApplicationToolWindow();
  if (!Preview) {
    host_.SetScreenSaverRunning(true);
    screenSaverRunningSet_ = true;
    host_.CaptureMouse();
  }
  if (!CreateRenderingContext()) return;
  surface_.SetSwapInterval(1);
  InitGL(surface_.ClientWidth(), surface_.ClientHeight());
  Quadric_ = CreateQuadric();
  const MessageSink report = [this](std::string_view text, std::string_view title) {
    host_.ShowMessageBox(text, title, MessageBoxIcon::None);
  };
  InitScene(scene_, settings_, seedGiven_ ? sceneSeed_ : SeedFromClock(), RenderInitHooks(report));
  PowerTimer1.SetMayProcess(true);
  PowerTimer1.SetMayRender(true);
}

bool TForm1::CreateRenderingContext() {
  surface_.PrepareDrawable();
  if (!surface_.ChoosePixelFormat()) return ReportContextFailure(kNoPixelFormatText), false;
  if (!surface_.SetPixelFormat()) return ReportContextFailure(kSetPixelFormatText), false;
  if (!surface_.CreateContext()) return ReportContextFailure(kCreateContextText), false;
  if (!surface_.MakeCurrent()) return ReportContextFailure(kMakeCurrentText), false;
  contextIsCurrent_ = true;
  return true;
}

void TForm1::ReportContextFailure(const char* text) {
  host_.ShowMessageBox(text, kContextErrorTitle, MessageBoxIcon::Error);
  host_.PostQuitMessage(0);
}

void TForm1::ReleaseGraphics() {
  if (Quadric_ != nullptr && contextIsCurrent_) DeleteQuadric(Quadric_);
  Quadric_ = nullptr;
}

void TForm1::FormResize(int32_t width, int32_t height) {
  // A size change can arrive while the window is still being created, before there is a
  // context to act on; the first frame sets the projection anyway.
  if (!contextIsCurrent_) return;
  ResizeGL(width, height, scene_.FlightSpeed);
}

void TForm1::FormShow() {
  StartCursorPos_ = host_.GetCursorPos();
  if (!Preview) app_.OnMessage = TMessageEvent::Bind<&TForm1::AppMessage>(this);
}

RenderTarget TForm1::Target() {
  RenderTarget target{
      surface_.ClientWidth(), surface_.ClientHeight(), [this] { surface_.SwapBuffers(); }, {}};
  if (showFrameRate_) {
    target.DrawOverlay = [this, width = target.Width, height = target.Height] {
      DrawFrameRateText(frameRate_.Text(), width, height);
    };
  }
  return target;
}

double TForm1::ClockSeconds() {
  const std::optional<int64_t> ticksPerSecond = clock_.TicksPerSecond();
  if (ticksPerSecond && *ticksPerSecond > 0) {
    return static_cast<double>(clock_.Ticks()) / static_cast<double>(*ticksPerSecond);
  }
  return clock_.Milliseconds() / 1000.0;
}

void TForm1::PowerTimer1Render(void*) {
  ++drawnCount_;
  if (showFrameRate_) frameRate_.FrameDrawn(ClockSeconds());
  RenderFrame(scene_, Target(), Quadric_, drawingMethod_);
}

void TForm1::PowerTimer1Process(void*) {
  ++processedCount_;
  UpdateScene(scene_);
}

void TForm1::PowerTimer1AppDeactivate(void*) {
  host_.CloseMainWindow();
}

void TForm1::AppMessage(const InputEvent& message, bool&) {
  if (InputEndsSaver(message, Preview, StartCursorPos_)) app_.Terminate();
}
