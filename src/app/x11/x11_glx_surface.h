// The rendering surface on X11: GLX draws into a window of its own, made with the visual GLX
// chooses once the pixel format is asked for, as a child of the window the saver shows (or,
// when XScreenSaver made its window for GL already, into that window itself). Kept apart from
// the window so that the window can exist before the pixel format is known, as the creation
// order of TForm1 needs.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/saver_platform.h"
#include "app/x11/x11_types.h"

class X11GlxSurface final : public RenderingSurface {
 public:
  explicit X11GlxSurface(Display* display);
  ~X11GlxSurface() override;
  X11GlxSurface(const X11GlxSurface&) = delete;
  X11GlxSurface& operator=(const X11GlxSurface&) = delete;

  // Where the drawing goes: a child of `parent`, or `parent` itself when `drawIntoParent` and
  // its visual suits GL. With `showAtOnce` the child is mapped as soon as it exists (inside a
  // window that is shown later); otherwise Show maps it.
  void Attach(Window parent, bool drawIntoParent, bool showAtOnce);
  // Follows the size of the window the saver shows; the child takes it on.
  void Resize(int32_t width, int32_t height);
  // Maps the child, once it exists.
  void Show();
  // The window drawn in went away with its host: no more swaps, nothing left to destroy.
  void Lost();
  // Releases the context, the child, its colormap and the visual, in that order; the parent
  // belongs to whoever made it. Called again, does nothing.
  void Release();

  Window Drawable() const { return drawWindow_; }
  bool OwnsDrawable() const { return ownDrawWindow_; }
  // The extension SetSwapInterval used, "none" when there was none (or it was not called).
  std::string_view SwapControlUsed() const { return swapControlUsed_; }

  // RenderingSurface
  void PrepareDrawable() override;
  bool ChoosePixelFormat() override;
  bool SetPixelFormat() override;
  bool CreateContext() override;
  bool MakeCurrent() override;
  void SetSwapInterval(int32_t interval) override;
  void SwapBuffers() override;
  int32_t ClientWidth() const override { return width_; }
  int32_t ClientHeight() const override { return height_; }

 private:
  bool ParentVisualIsUsable();

  Display* display_;
  int screen_;
  Window parent_ = 0;  // 0 is Xlib's None
  bool drawIntoParent_ = false;
  bool showAtOnce_ = false;
  Window drawWindow_ = 0;  // where GL draws: our child, or the parent itself
  bool ownDrawWindow_ = false;
  Colormap colormap_ = 0;
  void* visual_ = nullptr;  // the XVisualInfo chosen, untyped so that Xutil stays in the .cpp
  GLXContext context_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  bool lost_ = false;
  std::string_view swapControlUsed_ = "none";
};
