// The Win32 platform of the shared start-up.
#include "app/win32/win32_saver_process.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "app/saver_startup.h"
#include "app/win32/win32_cfg_dialog.h"
#include "app/win32/win32_text.h"
#include "gl/fpu_control.h"
#include "gl/gl_library.h"

namespace {

// Without a host window the preview would cover the screen with no way to end it but
// switching applications; refusing is the sound answer.
void RequirePreviewWindow(int64_t value) {
  HWND parent = PreviewWindowFromHandle(value);
  if (parent == nullptr || !IsWindow(parent)) throw NotAWindowError(value);
}

class Win32SaverPlatform final : public SaverPlatform {
 public:
  Win32SaverPlatform(HINSTANCE instance, const std::string& graphicsUnavailable,
                     Win32RenderingSurface& surface)
      : app_(instance), graphicsUnavailable_(graphicsUnavailable), surface_(surface) {}

  std::unique_ptr<SettingsStore> OpenSettingsStore() override { return MakeUserSettingsStore(); }
  CommandLine ReadCommandLine(std::span<const std::string> args) override {
    return ParseCommandLine(args);
  }
  void SetTitle(const std::string& title) override { app_.SetTitle(title); }
  std::string GraphicsUnavailable() override { return graphicsUnavailable_; }

  int RunConfiguration(Settings& settings, SettingsStore& store) override {
    Win32CfgDialog dialog(app_, settings, [&](const Settings& positions) {
      SaveSettings(positions, settings, store);
    });
    dialog.Create();
    return app_.Run();
  }

  int RunSaver(const CommandLine& command, const Settings& settings) override {
    const bool preview = command.Mode == SaverMode::Preview;
    if (preview) RequirePreviewWindow(command.PreviewParent);
    Win32SaverWindow window(app_, surface_, settings, preview);
    window.Form().PreviewParent = command.PreviewParent;
    window.Create();
    if (preview) {
      window.AdoptPreviewParent();
    } else {
      ShowCursor(FALSE);  // nothing shows it again: the process ends with the saver
    }
    return app_.Run();
  }

  void ShowStartupError(const std::string& text) override {
    ShowMessageBoxUtf8(nullptr, text, kStartupErrorTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
  // No Windows mode draws into another program's window, so this is not reached today.
  void WriteStartupError(const std::string& text) override {
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(kStartupErrorTitle.size()),
                 kStartupErrorTitle.data(), text.c_str());
  }

 private:
  Win32Application app_;
  std::string graphicsUnavailable_;
  Win32RenderingSurface& surface_;
};

}  // namespace

std::string PrepareProcess() {
  MaskFloatingPointExceptions();
  return LoadSystemGraphicsLibraries();
}

int RunWin32SaverProcess(HINSTANCE instance, const std::string& graphicsUnavailable,
                         Win32RenderingSurface& surface) {
  Win32SaverPlatform platform(instance, graphicsUnavailable, surface);
  const std::vector<std::string> args = ProcessArguments();
  return RunSaverProcess(args, platform);
}
