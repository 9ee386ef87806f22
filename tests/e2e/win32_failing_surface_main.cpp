// orvanta.scr with a rendering surface that finds no pixel format, for the end-to-end test
// of a context failure (Wine always finds one). Every frame it would draw is reported on
// stderr, so the test can tell that none was.
#include <windows.h>

#include <cstdio>

#include "app/win32/win32_saver_process.h"

namespace {

class NoPixelFormatSurface final : public Win32RenderingSurface {
 public:
  bool ChoosePixelFormat() override { return false; }
  void SwapBuffers() override {
    std::fprintf(stderr, "frame drawn\n");
    Win32RenderingSurface::SwapBuffers();
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::string graphicsUnavailable = PrepareProcess();
  NoPixelFormatSurface surface;
  return RunWin32SaverProcess(instance, graphicsUnavailable, surface);
}
