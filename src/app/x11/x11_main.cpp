// The entry of the Linux saver: module set-up, then the shared start-up with the X11
// application object, the settings file, the GTK dialog and the GLX saver window. Besides
// the Windows-style "/S" and "/P <window>" it takes XScreenSaver's options (-root,
// -window-id, $XSCREENSAVER_WINDOW), which draw into a window XScreenSaver owns.
#include <malloc.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/gtk/gtk_cfg_dialog.h"
#include "app/gtk/gtk_message_box.h"
#include "app/saver_startup.h"
#include "app/saver_window.h"
#include "app/x11/x11_application.h"
#include "app/x11/x11_ending_watch.h"
#include "app/x11/x11_errors.h"
#include "app/x11/x11_glx_surface.h"
#include "app/x11/x11_saver_window.h"
#include "app/x11/x11_screensaver_options.h"
#include "gl/fpu_control.h"
#include "gl/gl_library.h"
#include "timer/frame_clock.h"

// Xlib last: its macros (Status, None, Bool) would rewrite names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// While it draws, Mesa now and then allocates and frees blocks of a few hundred kilobytes
// (most of them 144 KiB). glibc maps such a block at first, but raises its mapping threshold
// past every mapped block freed; from then on they come from the heap, which keeps the gaps
// they leave. The saver's resident size rose by a tenth over its first minutes that way and
// stayed up. With a fixed threshold they stay mapped and go back to the system when freed;
// the frames cost the same.
void ReturnFreedBlocksToTheSystem() {
  constexpr int kMappedFrom = 256 * 1024;
  mallopt(M_MMAP_THRESHOLD, kMappedFrom);
}

// Desktops that draw their icons in a window over the root mark it __SWM_VROOT; savers
// asked to draw on the root draw there, or nobody would see them.
Window VirtualRoot(Display* display) {
  const Window root = DefaultRootWindow(display);
  const Atom vroot = XInternAtom(display, "__SWM_VROOT", False);
  Window rootReturn, parent, *children = nullptr;
  unsigned int count = 0;
  Window found = root;
  if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count)) return root;
  for (unsigned int i = 0; i < count && found == root; ++i) {
    Atom type;
    int format;
    unsigned long items, remaining;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, children[i], vroot, 0, 1, False, XA_WINDOW, &type, &format,
                           &items, &remaining, &data) == Success &&
        data && items == 1) {
      found = *reinterpret_cast<Window*>(data);
    }
    if (data) XFree(data);
  }
  if (children) XFree(children);
  return found;
}

std::string CannotOpenDisplayText() {
  const char* name = std::getenv("DISPLAY");
  return std::string("Cannot open display '") + (name ? name : "") + "'";
}

// A window named by the host must exist; drawing into nothing would leave a saver running
// that nobody can see or end.
Window RequireWindow(Display* display, int64_t id) {
  const bool possible = id > 0 && id <= 0x1FFFFFFF;
  if (!possible || !X11WindowExists(display, static_cast<Window>(id))) throw NotAWindowError(id);
  return static_cast<Window>(id);
}

// What XScreenSaver's options change in how the saver runs; the Windows-style modes keep
// the defaults (a loop that never waits, no frame rate).
struct RunOptions {
  int64_t DelayMicroseconds = 0;
  bool ShowFrameRate = false;
};

// With ORVANTA_FRAME_STATS set (to anything but empty), one line on standard error at the
// end: the seconds the loop ran, frames drawn, simulation frames, the pool sizes the scene
// was made with and the swap-interval extension used. For benchmarks and tests.
void ReportFrameStats(const TForm1& form, const X11GlxSurface& surface, double seconds) {
  const char* wanted = std::getenv("ORVANTA_FRAME_STATS");
  if (wanted == nullptr || *wanted == '\0') return;
  const Scene& scene = form.SceneState();
  std::fprintf(stderr,
               "orvanta frame stats: seconds=%.3f drawn=%lld simulated=%lld meteors=%zu "
               "smoke=%zu explosions=%zu lights=%d swap=%.*s\n",
               seconds, static_cast<long long>(form.FramesDrawn()),
               static_cast<long long>(form.FramesProcessed()), scene.Particles.size(),
               scene.SmokePuffs.size(), scene.Flashes.size(), scene.Config.LightCount,
               static_cast<int>(surface.SwapControlUsed().size()),
               surface.SwapControlUsed().data());
}

// Where a mode's messages go: a box with its copy on standard error, or where no box can be
// answered, the line on standard error alone.
MessageBoxFunction MessagesFor(SaverMode mode) {
  if (ModeShowsBoxes(mode)) return ShowMessageBoxGtk;
  return [](std::string_view text, std::string_view title, MessageBoxIcon) {
    WriteMessageLine(text, title);
  };
}

// The saver window and TForm1 over one display connection, until the loop ends.
int RunSaverWindow(Display* display, const Settings& settings, const std::string& title,
                   X11SaverKind kind, Window host, const MessageBoxFunction& messages,
                   const RunOptions& options = {}) {
  X11Application app(display);
  app.SetTitle(title);
  app.SetTurnDelay(options.DelayMicroseconds);
  app.ShowException = [&messages](const std::string& text, const std::string& caption) {
    messages(text, caption, MessageBoxIcon::Error);
  };
  X11GlxSurface surface(display);
  X11SaverWindow window(display, app, kind, host, surface, messages);
  const X11EndingWatch watch(display, kind == X11SaverKind::FullScreen ? None : host);
  TForm1 form(app, window, surface, SystemFrameClock(), settings, kind != X11SaverKind::FullScreen);
  window.OnShow = [&form] { form.FormShow(); };
  window.OnResize = [&form](int32_t width, int32_t height) { form.FormResize(width, height); };
  app.ShowMainWindow = [&window] { window.Show(); };
  app.OnEvent = [&window](XEvent& event) { window.HandleEvent(event); };
  form.SetShowFrameRate(options.ShowFrameRate);
  form.FormCreate();
  const auto start = std::chrono::steady_clock::now();
  const int exitCode = app.Run();
  ReportFrameStats(form, surface,
                   std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  // What GL made goes first, while its context is still current; the window then releases
  // the surface and the X resources in the reverse order of their making.
  form.ReleaseGraphics();
  return exitCode;
}

class X11SaverPlatform final : public SaverPlatform {
 public:
  explicit X11SaverPlatform(std::string graphicsUnavailable)
      : graphicsUnavailable_(std::move(graphicsUnavailable)) {}
  ~X11SaverPlatform() override {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  X11SaverPlatform(const X11SaverPlatform&) = delete;
  X11SaverPlatform& operator=(const X11SaverPlatform&) = delete;

  std::unique_ptr<SettingsStore> OpenSettingsStore() override { return MakeUserSettingsStore(); }

  CommandLine ReadCommandLine(std::span<const std::string> args) override {
    external_ = ParseXScreenSaverOptions(args, std::getenv("XSCREENSAVER_WINDOW"));
    if (!external_) return ParseCommandLine(args);
    for (const std::string& note : external_->Notes) std::fprintf(stderr, "%s\n", note.c_str());
    CommandLine command;
    command.Mode = SaverMode::External;
    command.Title = std::string(TitleForMode(command.Mode));
    return command;
  }

  SaverMode ModeNamedBy(std::span<const std::string> args) override {
    if (NamesXScreenSaverTarget(args, std::getenv("XSCREENSAVER_WINDOW"))) {
      return SaverMode::External;
    }
    return ::ModeNamedBy(args);
  }

  void SetTitle(const std::string& title) override { title_ = title; }
  std::string GraphicsUnavailable() override { return graphicsUnavailable_; }

  int RunConfiguration(Settings& settings, SettingsStore& store) override {
    if (!GtkDisplayAvailable()) throw StartupError(CannotOpenDisplayText());
    RunConfigurationDialog(settings, store, title_);
    return 0;
  }

  int RunSaver(const CommandLine& command, const Settings& settings) override {
    // Mesa writes its shader cache from a thread of the lowest priority, and a process cannot
    // end before each of its threads has run once more: on a busy machine that kept a preview
    // alive for seconds after its host had gone. The saver's few shaders are compiled anew
    // instead (a value the user set stays).
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    ReturnFreedBlocksToTheSystem();
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) throw StartupError(CannotOpenDisplayText());
    InstallX11ErrorHandlers();
    const MessageBoxFunction messages = MessagesFor(command.Mode);
    if (command.Mode == SaverMode::External) {
      const Window drawn = external_->Root ? VirtualRoot(display_) : external_->Window;
      // The settings file was read first, as in every mode; the options override it.
      return RunSaverWindow(display_, ApplyCountOptions(settings, *external_), title_,
                            X11SaverKind::External,
                            RequireWindow(display_, static_cast<int64_t>(drawn)), messages,
                            {external_->DelayMicroseconds, external_->ShowFrameRate});
    }
    if (command.Mode == SaverMode::Preview) {
      return RunSaverWindow(display_, settings, title_, X11SaverKind::Preview,
                            RequireWindow(display_, command.PreviewParent), messages);
    }
    return RunSaverWindow(display_, settings, title_, X11SaverKind::FullScreen, None, messages);
  }

  void ShowStartupError(const std::string& text) override {
    // GTK's boxes are modal for the whole program already.
    ShowMessageBoxGtk(text, kStartupErrorTitle, MessageBoxIcon::Error);
  }
  void WriteStartupError(const std::string& text) override {
    WriteMessageLine(text, kStartupErrorTitle);
  }

 private:
  std::string graphicsUnavailable_;
  std::optional<XScreenSaverOptions> external_;
  std::string title_;
  Display* display_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  EndOnTerminationSignals();
  const std::vector<std::string> args(argv + 1, argv + argc);
  // Answered before anything else: no display, no settings and no GL library needed.
  switch (FindInformationRequest(args)) {
    case InformationRequest::Help:
      std::fputs(HelpText("orvanta").c_str(), stdout);
      return 0;
    case InformationRequest::Version:
      std::puts(VersionText().c_str());
      return 0;
    case InformationRequest::Run:
      break;
  }
  MaskFloatingPointExceptions();
  // A write to a display that has gone must reach the lost-display handler, not kill us.
  std::signal(SIGPIPE, SIG_IGN);
  OnGtkDisplayOpened(InstallDisplayLostHandler);  // one line when the display goes, GTK's too
  X11SaverPlatform platform(LoadSystemGraphicsLibraries());
  return RunSaverProcess(args, platform);
}
