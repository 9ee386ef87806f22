// TForm1's handlers: creation in the fixed order the saver relies on, the timer wiring and
// the input filter.
#include "app/saver_window.h"

#include <string>

#include "render/render_state.h"
#include "scene/scene_random.h"

TForm1::TForm1(Application& app, SaverHost& host, RenderingSurface& surface, FrameClock& clock,
               const Settings& settings, bool preview)
    : PowerTimer1(app.Events, clock),
      Preview(preview),
      App(app),
      Host(host),
      Surface(surface),
      Clock(clock),
      SaverSettings(settings) {
  PowerTimer1.SetFPS(60);
  PowerTimer1.OnRender = TNotifyEvent::Bind<&TForm1::PowerTimer1Render>(this);
  PowerTimer1.OnProcess = TNotifyEvent::Bind<&TForm1::PowerTimer1Process>(this);
  PowerTimer1.OnAppDeactivate = TNotifyEvent::Bind<&TForm1::PowerTimer1AppDeactivate>(this);
}

TForm1::~TForm1() {
  // The running flag is a system-wide setting; leaving it set would keep the system
  // believing a saver runs after this one has gone.
  if (ScreenSaverRunningSet) Host.SetScreenSaverRunning(false);
  if (App.OnMessage.Target() == this) App.OnMessage = {};
}

void TForm1::FormCreate() {
  Host.SetApplicationToolWindow();
  if (!Preview) {
    Host.SetScreenSaverRunning(true);
    ScreenSaverRunningSet = true;
    Host.CaptureMouse();
  }
  if (!CreateRenderingContext()) return;
  Surface.SetSwapInterval(1);
  InitGL(Surface.ClientWidth(), Surface.ClientHeight());
  Quadric = CreateQuadric();
  const MessageSink report = [this](std::string_view text, std::string_view title) {
    Host.ShowMessageBox(text, title, kMbOk);
  };
  InitScene(TheScene, SaverSettings, SeedGiven ? SceneSeed : SeedFromClock(),
            RenderInitHooks(report));
  PowerTimer1.SetMayProcess(true);
  PowerTimer1.SetMayRender(true);
}

bool TForm1::CreateRenderingContext() {
  Surface.AcquireDeviceContext();
  if (!Surface.ChoosePixelFormat()) return ReportContextFailure(kNoPixelFormatText), false;
  if (!Surface.SetPixelFormat()) return ReportContextFailure(kSetPixelFormatText), false;
  if (!Surface.CreateContext()) return ReportContextFailure(kCreateContextText), false;
  if (!Surface.MakeCurrent()) return ReportContextFailure(kMakeCurrentText), false;
  ContextIsCurrent = true;
  return true;
}

void TForm1::ReportContextFailure(const char* text) {
  Host.ShowMessageBox(text, kContextErrorTitle, kMbOk | kMbIconError);
  Host.PostQuitMessage(0);
}

void TForm1::ReleaseGraphics() {
  if (Quadric != nullptr && ContextIsCurrent) DeleteQuadric(Quadric);
  Quadric = nullptr;
}

void TForm1::FormResize(int32_t width, int32_t height) {
  // A size change can arrive while the window is still being created, before there is a
  // context to act on; the first frame sets the projection anyway.
  if (!ContextIsCurrent) return;
  ResizeGL(width, height, TheScene.FlightSpeed);
}

void TForm1::FormShow() {
  StartCursor = Host.GetCursorPos();
  if (!Preview) App.OnMessage = TMessageEvent::Bind<&TForm1::AppMessage>(this);
}

RenderTarget TForm1::Target() {
  RenderTarget target{
      Surface.ClientWidth(), Surface.ClientHeight(), [this] { Surface.SwapBuffers(); }, {}};
  if (ShowFrameRate) {
    target.DrawOverlay = [this, width = target.Width, height = target.Height] {
      DrawFrameRateText(FrameRate.Text(), width, height);
    };
  }
  return target;
}

double TForm1::ClockSeconds() {
  int64_t frequency = 0;
  if (Clock.QueryPerformanceFrequency(frequency) && frequency > 0) {
    return static_cast<double>(Clock.QueryPerformanceCounter()) / static_cast<double>(frequency);
  }
  return Clock.GetTickCount() / 1000.0;
}

void TForm1::PowerTimer1Render(void*) {
  ++DrawnCount;
  if (ShowFrameRate) FrameRate.FrameDrawn(ClockSeconds());
  RenderFrame(TheScene, Target(), Quadric);
}

void TForm1::PowerTimer1Process(void*) {
  ++ProcessedCount;
  UpdateScene(TheScene);
}

void TForm1::PowerTimer1AppDeactivate(void*) {
  Host.CloseMainWindow();
}

void TForm1::AppMessage(const AppMessageRecord& message, bool&) {
  if (MessageEndsSaver(message, Preview, StartCursor)) App.Terminate();
}
