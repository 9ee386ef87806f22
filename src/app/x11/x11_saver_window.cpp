// The X11 + GLX saver window. GL draws into a child window created with the visual GLX
// chooses, so that the window the saver shows (ours, or a host's) can exist before the
// pixel format is known, as the creation order of TForm1 needs.
#include "app/x11/x11_saver_window.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <initializer_list>
#include <thread>
#include <utility>
#include <vector>

#include "app/x11/x11_errors.h"
#include "app/x11/x11_swap_control.h"

namespace {

XVisualInfo* AsVisual(void* visual) {
  return static_cast<XVisualInfo*>(visual);
}

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
                               Window host, MessageBoxFunction messageBox)
    : display_(display),
      app_(app),
      kind_(kind),
      host_(host),
      messageBox_(std::move(messageBox)),
      screen_(DefaultScreen(display)),
      root_(RootWindow(display, screen_)) {
  if (kind_ == X11SaverKind::FullScreen) {
    CreateFullScreenWindow();
  } else {
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, host_, &attributes);
    width_ = attributes.width;
    height_ = attributes.height;
    // Size changes and the host's destruction reach us through its structure events.
    XSelectInput(display_, host_, StructureNotifyMask);
  }
}

// What the window made, undone in the reverse order of its making: the context, the window
// GL drew in, the top window, the colormap, the visual, the cursor. Windows the host took
// away with its own, or that closing already destroyed, are not destroyed twice; an external
// window is XScreenSaver's and stays. The display belongs to whoever opened it.
X11SaverWindow::~X11SaverWindow() {
  X11ErrorTrap trap(display_);  // a host may vanish at any moment; nothing here may end us
  if (context_ != nullptr) {
    glXMakeCurrent(display_, None, nullptr);
    glXDestroyContext(display_, context_);
  }
  if (!gone_ && ownDrawWindow_) XDestroyWindow(display_, drawWindow_);
  if (!gone_ && topWindow_ != None) XDestroyWindow(display_, topWindow_);
  if (colormap_ != None) XFreeColormap(display_, colormap_);
  if (visual_) XFree(visual_);
  if (blankCursor_ != None) XFreeCursor(display_, blankCursor_);
  trap.Failed();
}

void X11SaverWindow::CreateFullScreenWindow() {
  width_ = DisplayWidth(display_, screen_);
  height_ = DisplayHeight(display_, screen_);
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = BlackPixel(display_, screen_);
  attributes.event_mask =
      KeyPressMask | PointerMotionMask | ButtonPressMask | FocusChangeMask | StructureNotifyMask;
  // Without a window manager nothing would keep a normal window on top or borderless; an
  // override-redirect window is both by itself.
  attributes.override_redirect = WindowManagerRunning() ? False : True;
  topWindow_ =
      XCreateWindow(display_, root_, 0, 0, width_, height_, 0, CopyFromParent, InputOutput,
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

void X11SaverWindow::ShowMessageBox(std::string_view text, std::string_view title, uint32_t style) {
  if (messageBox_) messageBox_(text, title, style);
}

void X11SaverWindow::CloseMainWindow() {
  const Window main = topWindow_ != None ? topWindow_ : (ownDrawWindow_ ? drawWindow_ : None);
  if (main != None && !gone_) XDestroyWindow(display_, main);
  gone_ = true;
  app_.Terminate();
}

// ---- Rendering surface -------------------------------------------------------------------

void X11SaverWindow::AcquireDeviceContext() {
  // The display connection is the device context; nothing to fetch.
}

bool X11SaverWindow::ChoosePixelFormat() {
  int errorBase, eventBase;
  if (!glXQueryExtension(display_, &errorBase, &eventBase)) return false;
  if (kind_ == X11SaverKind::External && ExternalVisualIsUsable()) return true;
  int attributes[] = {GLX_RGBA,
                      GLX_DOUBLEBUFFER,
                      GLX_RED_SIZE,
                      1,
                      GLX_GREEN_SIZE,
                      1,
                      GLX_BLUE_SIZE,
                      1,
                      GLX_DEPTH_SIZE,
                      1,
                      None};
  visual_ = glXChooseVisual(display_, screen_, attributes);
  return visual_ != nullptr;
}

// XScreenSaver picks a GL-capable visual for the windows it hands to GL savers; when it has,
// we draw straight into its window.
bool X11SaverWindow::ExternalVisualIsUsable() {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display_, host_, &attributes)) return false;
  XVisualInfo wanted = {};
  wanted.visualid = XVisualIDFromVisual(attributes.visual);
  int count = 0;
  XVisualInfo* info = XGetVisualInfo(display_, VisualIDMask, &wanted, &count);
  if (!info) return false;
  int useGl = 0, rgba = 0, doubleBuffer = 0, depth = 0;
  glXGetConfig(display_, info, GLX_USE_GL, &useGl);
  glXGetConfig(display_, info, GLX_RGBA, &rgba);
  glXGetConfig(display_, info, GLX_DOUBLEBUFFER, &doubleBuffer);
  glXGetConfig(display_, info, GLX_DEPTH_SIZE, &depth);
  if (useGl && rgba && doubleBuffer && depth > 0) {
    visual_ = info;
    drawWindow_ = host_;
    return true;
  }
  XFree(info);
  return false;
}

bool X11SaverWindow::SetPixelFormat() {
  if (drawWindow_ != None) return true;  // drawing into the external window itself
  const Window parent = topWindow_ != None ? topWindow_ : host_;
  X11ErrorTrap trap(display_);
  colormap_ = XCreateColormap(display_, parent, AsVisual(visual_)->visual, AllocNone);
  XSetWindowAttributes attributes = {};
  attributes.colormap = colormap_;
  attributes.background_pixel = BlackPixel(display_, screen_);
  attributes.border_pixel = 0;
  attributes.event_mask = StructureNotifyMask;
  drawWindow_ =
      XCreateWindow(display_, parent, 0, 0, width_ > 0 ? width_ : 1, height_ > 0 ? height_ : 1, 0,
                    AsVisual(visual_)->depth, InputOutput, AsVisual(visual_)->visual,
                    CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
  if (trap.Failed()) {
    drawWindow_ = None;
    return false;
  }
  ownDrawWindow_ = true;
  if (kind_ == X11SaverKind::FullScreen) XMapWindow(display_, drawWindow_);
  return true;
}

bool X11SaverWindow::CreateContext() {
  context_ = glXCreateContext(display_, AsVisual(visual_), nullptr, True);
  return context_ != nullptr;
}

bool X11SaverWindow::MakeCurrent() {
  X11ErrorTrap trap(display_);
  return glXMakeCurrent(display_, drawWindow_, context_) && !trap.Failed();
}

// Both entries are looked up at run time: a libGL without the extension has no symbol to
// link against.
void X11SaverWindow::SetSwapInterval(int32_t interval) {
  const char* extensions = glXQueryExtensionsString(display_, screen_);
  const SwapControl control = ChooseSwapControl(extensions ? extensions : "");
  X11ErrorTrap trap(display_);  // a driver that refuses leaves swaps as they were
  if (control == SwapControl::Ext) {
    using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
    const auto set = reinterpret_cast<SwapIntervalExt>(
        glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
    if (set == nullptr) return;
    set(display_, drawWindow_, interval);
  } else if (control == SwapControl::Mesa) {
    using SwapIntervalMesa = int (*)(unsigned int);
    const auto set = reinterpret_cast<SwapIntervalMesa>(
        glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
    if (set == nullptr || set(static_cast<unsigned int>(interval)) != 0) return;
  } else {
    return;
  }
  if (!trap.Failed()) swapControlUsed_ = SwapControlName(control);
}

void X11SaverWindow::SwapBuffers() {
  if (!gone_) glXSwapBuffers(display_, drawWindow_);
}

// ---- Showing and events ------------------------------------------------------------------

void X11SaverWindow::Show() {
  switch (kind_) {
    case X11SaverKind::FullScreen:
      XMapRaised(display_, topWindow_);
      break;
    case X11SaverKind::Preview:
      if (drawWindow_ != None) XMapWindow(display_, drawWindow_);
      break;
    case X11SaverKind::External:
      if (ownDrawWindow_) XMapWindow(display_, drawWindow_);
      if (!ownDrawWindow_ && OnShow) OnShow();  // already visible: shown from the start
      shown_ = !ownDrawWindow_;
      break;
  }
}

void X11SaverWindow::HandleEvent(const XEvent& event) {
  switch (event.type) {
    case MapNotify: {
      const Window shownWindow = kind_ == X11SaverKind::FullScreen ? topWindow_ : drawWindow_;
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
      if (event.xdestroywindow.window == host_ || event.xdestroywindow.window == drawWindow_ ||
          event.xdestroywindow.window == topWindow_) {
        HostGone();
      }
      break;
    default:
      break;
  }
}

void X11SaverWindow::FollowHostSize(int32_t width, int32_t height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  if (ownDrawWindow_ && !gone_) XResizeWindow(display_, drawWindow_, width, height);
  if (OnResize) OnResize(width, height);
}

// The window we draw in went away with its host: a preview must never outlive it.
void X11SaverWindow::HostGone() {
  gone_ = true;
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
