// orvanta.scr that also reads back every frame it draws, for the end-to-end test of the
// preview. Under Wine a GL child window whose parent belongs to another process is drawn off
// screen, so the host cannot see the picture; this build reports it instead. Before each
// swap it appends "frame <width>x<height> lit <pixels> parent <handle>" to the file named by
// ORVANTA_FRAME_REPORT: the size of the picture, how many of its pixels are not black, and
// the window the saver's window is a child of (0 for a top-level window).
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/win32/win32_saver_process.h"
#include "gl/gl_constants.h"
#include "gl/gl_entries.h"

namespace {

// A pixel counts as lit when any channel is above the fog's black by a visible margin.
size_t LitPixels(const std::vector<uint8_t>& rgba) {
  size_t lit = 0;
  for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
    if (rgba[i] > 24 || rgba[i + 1] > 24 || rgba[i + 2] > 24) ++lit;
  }
  return lit;
}

class ReadingBackSurface final : public Win32RenderingSurface {
 public:
  explicit ReadingBackSurface(const char* reportPath) : reportPath_(reportPath) {}

  void SwapBuffers() override {
    Report();
    Win32RenderingSurface::SwapBuffers();
  }

 private:
  void Report() {
    const int32_t width = ClientWidth(), height = ClientHeight();
    if (reportPath_ == nullptr || width <= 0 || height <= 0) return;
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    GL.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    GL.glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    HWND parent = GetAncestor(window_, GA_PARENT);
    if (parent == GetDesktopWindow()) parent = nullptr;
    if (FILE* report = std::fopen(reportPath_, "ab")) {
      std::fprintf(report, "frame %dx%d lit %zu parent %lld\n", width, height, LitPixels(rgba),
                   static_cast<long long>(reinterpret_cast<intptr_t>(parent)));
      std::fclose(report);
    }
  }

  const char* reportPath_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::string graphicsUnavailable = PrepareProcess();
  ReadingBackSurface surface(std::getenv("ORVANTA_FRAME_REPORT"));
  return RunWin32SaverProcess(instance, graphicsUnavailable, surface);
}
