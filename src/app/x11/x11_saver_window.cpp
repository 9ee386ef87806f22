// The X11 saver window: the window the saver shows, its input and the host services.
#include "app/x11/x11_saver_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <initializer_list>
#include <thread>
#include <utility>
#include <vector>

#include "app/x11/x11_errors.h"

namespace {

Atom Intern(Display* display, const char* name) {
  return XInternAtom(display, name, False);
}

// Borderless through the Motif hints every window manager still honours.
void RemoveDecorations(Display* display, Window window) {
  struct {
    unsigned long Flags, Functions, Decorations;
    long InputMode;
    unsigned long State;
  } hints = {2, 0, 0, 0, 0};  // Flags 2: only Decorations is given, and it is none
  const Atom atom = Intern(display, "_MOTIF_WM_HINTS");
  XChangeProperty(display, window, atom, atom, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&hints), 5);
}

void AddNetWmStates(Display* display, Window window, std::initializer_list<const char*> names) {
  std::vector<Atom> states;
  for (const char* name : names) states.push_back(Intern(display, name));
  XChangeProperty(display, window, Intern(display, "_NET_WM_STATE"), XA_ATOM, 32, PropModeAppend,
                  reinterpret_cast<unsigned char*>(states.data()), static_cast<int>(states.size()));
}

}  // namespace

X11SaverWindow::X11SaverWindow(Display* display, X11Application& app, X11SaverKind kind,
                               Window host, X11GlxSurface& surface, MessageBoxFunction messageBox)
    : display_(display),
      app_(app),
      kind_(kind),
      host_(host),
      surface_(surface),
      messageBox_(std::move(messageBox)),
      screen_(DefaultScreen(display)),
      root_(RootWindow(display, screen_)) {
  if (kind_ == X11SaverKind::FullScreen) {
    CreateFullScreenWindow();
    surface_.Attach(topWindow_, /*drawIntoParent=*/false, /*showAtOnce=*/true);
    surface_.Resize(DisplayWidth(display_, screen_), DisplayHeight(display_, screen_));
  } else {
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, host_, &attributes);
    // Size changes and the host's destruction reach us through its structure events.
    XSelectInput(display_, host_, StructureNotifyMask);
    surface_.Attach(host_, /*drawIntoParent=*/kind_ == X11SaverKind::External,
                    /*showAtOnce=*/false);
    surface_.Resize(attributes.width, attributes.height);
  }
}

// What was made, undone in the reverse order of its making: the surface's context, window,
// colormap and visual, then the top window and the cursor. Windows the host took away with
// its own, or that closing already destroyed, are not destroyed twice; an external window is
// XScreenSaver's and stays. The display belongs to whoever opened it.
X11SaverWindow::~X11SaverWindow() {
  surface_.Release();
  X11ErrorTrap trap(display_);  // a host may vanish at any moment; nothing here may end us
  if (!gone_ && topWindow_ != None) XDestroyWindow(display_, topWindow_);
  if (blankCursor_ != None) XFreeCursor(display_, blankCursor_);
  trap.Failed();
}

void X11SaverWindow::CreateFullScreenWindow() {
  const int width = DisplayWidth(display_, screen_);
  const int height = DisplayHeight(display_, screen_);
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = BlackPixel(display_, screen_);
  attributes.event_mask =
      KeyPressMask | PointerMotionMask | ButtonPressMask | FocusChangeMask | StructureNotifyMask;
  // Without a window manager nothing would keep a normal window on top or borderless; an
  // override-redirect window is both by itself.
  attributes.override_redirect = WindowManagerRunning() ? False : True;
  topWindow_ =
      XCreateWindow(display_, root_, 0, 0, width, height, 0, CopyFromParent, InputOutput,
                    CopyFromParent, CWBackPixel | CWEventMask | CWOverrideRedirect, &attributes);
  XStoreName(display_, topWindow_, "Form1");
  RemoveDecorations(display_, topWindow_);
  AddNetWmStates(display_, topWindow_, {"_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_ABOVE"});
  HideCursor(topWindow_);
  // The screen's size changes with its monitors (RandR); the root says so.
  XSelectInput(display_, root_, StructureNotifyMask);
}

bool X11SaverWindow::WindowManagerRunning() const {
  Atom type;
  int format;
  unsigned long count, remaining;
  unsigned char* data = nullptr;
  const int status =
      XGetWindowProperty(display_, root_, XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False),
                         0, 1, False, XA_WINDOW, &type, &format, &count, &remaining, &data);
  const bool found = status == Success && data != nullptr && count == 1;
  if (data) XFree(data);
  return found;
}

void X11SaverWindow::HideCursor(Window window) {
  if (blankCursor_ == None) {
    const char empty = 0;
    const Pixmap pixmap = XCreateBitmapFromData(display_, window, &empty, 1, 1);
    XColor black = {};
    blankCursor_ = XCreatePixmapCursor(display_, pixmap, pixmap, &black, &black, 0, 0);
    XFreePixmap(display_, pixmap);
  }
  XDefineCursor(display_, window, blankCursor_);
}

void X11SaverWindow::SetApplicationToolWindow() {
  // The nearest X11 has to a tool window: keep the saver out of task bars and pagers.
  if (topWindow_ != None) AddNetWmStates(display_, topWindow_, {"_NET_WM_STATE_SKIP_TASKBAR"});
}

void X11SaverWindow::CaptureMouse() {
  // A pointer grab needs a viewable window; it is taken as soon as the window is mapped.
  pointerCaptureWanted_ = true;
}

CursorPoint X11SaverWindow::GetCursorPos() {
  Window rootReturn, child;
  int rootX = 0, rootY = 0, x, y;
  unsigned int mask;
  XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask);
  return {rootX, rootY};
}

void X11SaverWindow::ShowMessageBox(std::string_view text, std::string_view title,
                                    MessageBoxIcon icon) {
  if (messageBox_) messageBox_(text, title, icon);
}

void X11SaverWindow::CloseMainWindow() {
  const Window main =
      topWindow_ != None ? topWindow_ : (surface_.OwnsDrawable() ? surface_.Drawable() : None);
  if (main != None && !gone_) XDestroyWindow(display_, main);
  gone_ = true;
  surface_.Lost();
  app_.Terminate();
}

// ---- Showing and events ------------------------------------------------------------------

void X11SaverWindow::Show() {
  switch (kind_) {
    case X11SaverKind::FullScreen:
      XMapRaised(display_, topWindow_);
      break;
    case X11SaverKind::Preview:
      surface_.Show();
      break;
    case X11SaverKind::External:
      surface_.Show();
      if (!surface_.OwnsDrawable() && OnShow) OnShow();  // already visible: shown from the start
      shown_ = !surface_.OwnsDrawable();
      break;
  }
}

void X11SaverWindow::HandleEvent(const XEvent& event) {
  switch (event.type) {
    case MapNotify: {
      const Window shownWindow =
          kind_ == X11SaverKind::FullScreen ? topWindow_ : surface_.Drawable();
      if (event.xmap.window != shownWindow || shown_) break;
      shown_ = true;
      if (kind_ == X11SaverKind::FullScreen) TakeInput();
      if (OnShow) OnShow();
      break;
    }
    case ConfigureNotify: {
      const Window sized = kind_ == X11SaverKind::FullScreen ? topWindow_ : host_;
      if (event.xconfigure.window == sized) {
        FollowHostSize(event.xconfigure.width, event.xconfigure.height);
      } else if (kind_ == X11SaverKind::FullScreen && event.xconfigure.window == root_) {
        // A full-screen window covers the new screen; its own ConfigureNotify follows.
        XMoveResizeWindow(display_, topWindow_, 0, 0, event.xconfigure.width,
                          event.xconfigure.height);
      }
      break;
    }
    case DestroyNotify:
      if (event.xdestroywindow.window == host_ ||
          event.xdestroywindow.window == surface_.Drawable() ||
          event.xdestroywindow.window == topWindow_) {
        HostGone();
      }
      break;
    default:
      break;
  }
}

void X11SaverWindow::FollowHostSize(int32_t width, int32_t height) {
  if (width == surface_.ClientWidth() && height == surface_.ClientHeight()) return;
  surface_.Resize(width, height);
  if (OnResize) OnResize(width, height);
}

// The window we draw in went away with its host: a preview must never outlive it.
void X11SaverWindow::HostGone() {
  gone_ = true;
  surface_.Lost();
  app_.Terminate();
}

// Keyboard and pointer for the full-screen saver. Another client may hold a grab for a
// moment (a key still held from starting us); retry briefly rather than give up.
void X11SaverWindow::TakeInput() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (XGrabKeyboard(display_, topWindow_, True, GrabModeAsync, GrabModeAsync, CurrentTime) ==
        GrabSuccess) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (pointerCaptureWanted_) {
    XGrabPointer(display_, topWindow_, True, PointerMotionMask | ButtonPressMask, GrabModeAsync,
                 GrabModeAsync, None, blankCursor_, CurrentTime);
  }
  XSetInputFocus(display_, topWindow_, RevertToParent, CurrentTime);
}
