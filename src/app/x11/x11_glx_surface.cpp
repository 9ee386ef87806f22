// The GLX rendering surface: visual, drawing window, context, swap interval and swaps.
#include "app/x11/x11_glx_surface.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "app/x11/x11_errors.h"
#include "gl/x11_swap_control.h"

namespace {

XVisualInfo* AsVisual(void* visual) {
  return static_cast<XVisualInfo*>(visual);
}

}  // namespace

X11GlxSurface::X11GlxSurface(Display* display)
    : display_(display), screen_(DefaultScreen(display)) {}

X11GlxSurface::~X11GlxSurface() {
  Release();
}

void X11GlxSurface::Attach(Window parent, bool drawIntoParent, bool showAtOnce) {
  parent_ = parent;
  drawIntoParent_ = drawIntoParent;
  showAtOnce_ = showAtOnce;
}

void X11GlxSurface::Release() {
  X11ErrorTrap trap(display_);  // a host may vanish at any moment; nothing here may end us
  if (context_ != nullptr) {
    glXMakeCurrent(display_, None, nullptr);
    glXDestroyContext(display_, context_);
    context_ = nullptr;
  }
  if (!lost_ && ownDrawWindow_) XDestroyWindow(display_, drawWindow_);
  ownDrawWindow_ = false;
  drawWindow_ = None;
  if (colormap_ != None) XFreeColormap(display_, colormap_);
  colormap_ = None;
  if (visual_) XFree(visual_);
  visual_ = nullptr;
  trap.Failed();
}

void X11GlxSurface::PrepareDrawable() {
  // Nothing to fetch: the display connection is what GL draws through, and the window it
  // draws in needs the visual, so SetPixelFormat makes it.
}

bool X11GlxSurface::ChoosePixelFormat() {
  int errorBase, eventBase;
  if (!glXQueryExtension(display_, &errorBase, &eventBase)) return false;
  if (drawIntoParent_ && ParentVisualIsUsable()) return true;
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
bool X11GlxSurface::ParentVisualIsUsable() {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display_, parent_, &attributes)) return false;
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
    drawWindow_ = parent_;
    return true;
  }
  XFree(info);
  return false;
}

// On X11 a window's visual is fixed when the window is made, so setting the format means
// making the window GL draws in, with the chosen visual and a colormap for it.
bool X11GlxSurface::SetPixelFormat() {
  if (drawWindow_ != None) return true;  // drawing into the parent itself
  X11ErrorTrap trap(display_);
  colormap_ = XCreateColormap(display_, parent_, AsVisual(visual_)->visual, AllocNone);
  XSetWindowAttributes attributes = {};
  attributes.colormap = colormap_;
  attributes.background_pixel = BlackPixel(display_, screen_);
  attributes.border_pixel = 0;
  attributes.event_mask = StructureNotifyMask;
  drawWindow_ =
      XCreateWindow(display_, parent_, 0, 0, width_ > 0 ? width_ : 1, height_ > 0 ? height_ : 1, 0,
                    AsVisual(visual_)->depth, InputOutput, AsVisual(visual_)->visual,
                    CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
  if (trap.Failed()) {
    drawWindow_ = None;
    return false;
  }
  ownDrawWindow_ = true;
  if (showAtOnce_) XMapWindow(display_, drawWindow_);
  return true;
}

bool X11GlxSurface::CreateContext() {
  context_ = glXCreateContext(display_, AsVisual(visual_), nullptr, True);
  return context_ != nullptr;
}

bool X11GlxSurface::MakeCurrent() {
  X11ErrorTrap trap(display_);
  return glXMakeCurrent(display_, drawWindow_, context_) && !trap.Failed();
}

void X11GlxSurface::SetSwapInterval(int32_t interval) {
  X11ErrorTrap trap(display_);  // a driver that refuses leaves swaps as they were
  const SwapControl used = RequestSwapIntervalGlx(display_, screen_, drawWindow_, interval);
  if (!trap.Failed() && used != SwapControl::Unavailable) swapControlUsed_ = SwapControlName(used);
}

void X11GlxSurface::SwapBuffers() {
  if (!lost_) glXSwapBuffers(display_, drawWindow_);
}

void X11GlxSurface::Resize(int32_t width, int32_t height) {
  width_ = width;
  height_ = height;
  if (ownDrawWindow_ && !lost_) XResizeWindow(display_, drawWindow_, width, height);
}

void X11GlxSurface::Show() {
  if (ownDrawWindow_ && !lost_) XMapWindow(display_, drawWindow_);
}

void X11GlxSurface::Lost() {
  lost_ = true;
}
