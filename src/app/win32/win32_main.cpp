// The entry of orvanta.scr.
#include <windows.h>

#include "app/win32/win32_saver_process.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::string graphicsUnavailable = PrepareProcess();
  Win32RenderingSurface surface;
  return RunWin32SaverProcess(instance, graphicsUnavailable, surface);
}
