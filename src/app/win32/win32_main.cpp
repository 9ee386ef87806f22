// The entry of orvanta.scr.
#include <windows.h>

#include "app/win32/win32_saver_process.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const GraphicsLibraryStatus graphics = PrepareProcess();
  Win32RenderingSurface surface;
  return RunSaverProcess(instance, graphics, surface);
}
