// The entry of the Linux saver: loads GL and GLU and the settings, then picks the mode from
// the command line (the Windows-style "/S", "/P <window>", or XScreenSaver's options) and
// runs the saver window or the configuration dialog. Start-up errors end the process with
// an "Application Error" box and exit code 1.
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/gtk/gtk_cfg_dialog.h"
#include "app/gtk/gtk_message_box.h"
#include "app/saver_window.h"
#include "app/x11/x11_screensaver_options.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "gl/fpu_control.h"
#include "gl/gl_library.h"
#include "timer/frame_clock.h"

// Xlib last: its macros (Status, None, Bool) would rewrite names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "app/x11/x11_application.h"
#include "app/x11/x11_errors.h"
#include "app/x11/x11_saver_window.h"

namespace {

constexpr const char* kApplicationErrorTitle = "Application Error";

int StartupFailure(const std::string& text) {
  ShowMessageBoxGtk(text, kApplicationErrorTitle, kMbOk | kMbIconError | kMbTaskModal);
  return 1;
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

struct SaverTarget {
  X11SaverKind Kind;
  Window Host = None;
};

int RunSaver(Display* display, const Settings& settings, const std::string& title,
             SaverTarget target) {
  X11Application app(display);
  app.SetTitle(title);
  app.QuitOnTerminationSignals();
  app.ShowException = [](const std::string& text, const std::string& title) {
    ShowMessageBoxGtk(text, title, kMbOk | kMbIconError);
  };
  X11SaverWindow window(display, app, target.Kind, target.Host, ShowMessageBoxGtk);
  TForm1 form(app, window, window, SystemFrameClock(), settings,
              target.Kind != X11SaverKind::FullScreen);
  form.PreviewParent = static_cast<int64_t>(target.Host);
  window.OnShow = [&form] { form.FormShow(); };
  window.OnResize = [&form](int32_t width, int32_t height) { form.FormResize(width, height); };
  app.ShowMainWindow = [&window] { window.Show(); };
  app.OnEvent = [&window](XEvent& event) { window.HandleEvent(event); };
  form.FormCreate();
  return app.Run();
}

Display* OpenDisplayOrNull() {
  Display* display = XOpenDisplay(nullptr);
  if (display) InstallX11ErrorHandlers();
  return display;
}

std::string CannotOpenDisplayText() {
  const char* name = std::getenv("DISPLAY");
  return std::string("Cannot open display '") + (name ? name : "") + "'";
}

// A window named by the host must exist; drawing into nothing would leave a saver running
// that nobody can see or end.
std::optional<Window> ExistingWindow(Display* display, int64_t id) {
  if (id <= 0 || id > 0x1FFFFFFF) return std::nullopt;
  const Window window = static_cast<Window>(id);
  if (!X11WindowExists(display, window)) return std::nullopt;
  return window;
}

std::string NoSuchWindowText(int64_t id) {
  return "'" + std::to_string(id) + "' is not a window on this display";
}

int Dispatch(const std::vector<std::string>& args, Settings& settings, SettingsStore& store) {
  const std::optional<XScreenSaverTarget> xss =
      ParseXScreenSaverOptions(args, std::getenv("XSCREENSAVER_WINDOW"));
  const CommandLine command =
      xss ? CommandLine{SaverMode::FullScreen, 0, std::string(kSaverTitle), 0}
          : ParseCommandLine(args);
  if (command.Mode == SaverMode::Configuration) {
    if (!GtkDisplayAvailable()) return StartupFailure(CannotOpenDisplayText());
    RunConfigurationDialog(settings, store, command.Title);
    return 0;
  }
  Display* display = OpenDisplayOrNull();
  if (!display) return StartupFailure(CannotOpenDisplayText());
  if (xss) {
    const Window window = xss->Root ? VirtualRoot(display) : static_cast<Window>(xss->Window);
    if (!ExistingWindow(display, static_cast<int64_t>(window))) {
      return StartupFailure(NoSuchWindowText(static_cast<int64_t>(window)));
    }
    return RunSaver(display, settings, command.Title, {X11SaverKind::External, window});
  }
  if (command.Mode == SaverMode::Preview) {
    const std::optional<Window> host = ExistingWindow(display, command.PreviewParent);
    if (!host) return StartupFailure(NoSuchWindowText(command.PreviewParent));
    return RunSaver(display, settings, command.Title, {X11SaverKind::Preview, *host});
  }
  return RunSaver(display, settings, command.Title, {X11SaverKind::FullScreen});
}

}  // namespace

int main(int argc, char** argv) {
  MaskFloatingPointExceptions();
  try {
    LoadGLLibrary(std::string(DefaultGLLibraryName));
    LoadGLuLibrary(std::string(DefaultGLuLibraryName));
    const std::unique_ptr<SettingsStore> store = MakeUserSettingsStore();
    Settings settings = LoadSettings(*store);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return Dispatch(args, settings, *store);
  } catch (const std::exception& error) {
    return StartupFailure(error.what());
  }
}
