// Start-up and mode dispatch on Windows.
#include "app/win32/win32_saver_process.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "app/win32/win32_cfg_dialog.h"
#include "app/win32/win32_text.h"
#include "config/settings_store.h"
#include "gl/fpu_control.h"
#include "gl/gl_entries.h"
#include "gl/gl_library.h"

namespace {

std::string LoadLibraries() {
  std::string error;
  // Both are tried, as each library's own set-up would be; the first failure is kept.
  try {
    LoadGLLibrary(std::string(DefaultGLLibraryName));
  } catch (const GlLoadError& e) {
    error = e.what();
  }
  try {
    LoadGLuLibrary(std::string(DefaultGLuLibraryName));
  } catch (const GlLoadError& e) {
    if (error.empty()) error = e.what();
  }
  if (!error.empty()) return error;
  auto missing = MissingGlEntries();
  for (auto name : MissingGluEntries()) missing.push_back(name);
  if (missing.empty()) return {};
  return "The graphics library lacks the function " + std::string(missing.front());
}

HWND RequirePreviewWindow(int64_t value) {
  HWND parent = PreviewWindowFromHandle(value);
  // Without a host window the preview would cover the screen with no way to end it but
  // switching applications; refusing is the sound answer.
  if (parent == nullptr || !IsWindow(parent)) {
    throw StartupError("'" + std::to_string(value) + "' is not a window handle");
  }
  return parent;
}

int RunConfiguration(Win32Application& app, Settings& settings, SettingsStore& store) {
  Win32CfgDialog dialog(
      app, settings, [&](const Settings& positions) { SaveSettings(positions, settings, store); });
  dialog.Create();
  return app.Run();
}

int RunSaver(Win32Application& app, const Settings& settings, const CommandLine& command,
             const GraphicsLibraryStatus& graphics, Win32RenderingSurface& surface) {
  if (!graphics.Error.empty()) throw StartupError(graphics.Error);
  const bool preview = command.Mode == SaverMode::Preview;
  HWND parent = preview ? RequirePreviewWindow(command.PreviewParent) : nullptr;
  Win32SaverWindow window(app, surface, settings, preview);
  window.Form().PreviewParent = command.PreviewParent;
  window.Create();
  if (preview) {
    window.AdoptPreviewParent(parent);
  } else {
    ShowCursor(FALSE);
  }
  return app.Run();
}

// The error's kind, then its message, as the start-up box shows them.
std::string DescribeStartupError(const std::exception& error) {
  if (dynamic_cast<const StartupError*>(&error) != nullptr) {
    return std::string("Start-up error: ") + error.what();
  }
  if (dynamic_cast<const SettingsError*>(&error) != nullptr) {
    return std::string("Settings error: ") + error.what();
  }
  return std::string("Error: ") + error.what();
}

}  // namespace

HWND PreviewWindowFromHandle(int64_t value) {
  if (value < INT32_MIN || value > int64_t{UINT32_MAX}) return nullptr;
  const auto handle = static_cast<int32_t>(static_cast<uint32_t>(value));
  return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

GraphicsLibraryStatus PrepareProcess() {
  MaskFloatingPointExceptions();
  return {LoadLibraries()};
}

int RunSaverProcess(HINSTANCE instance, const GraphicsLibraryStatus& graphics,
                    Win32RenderingSurface& surface) {
  try {
    Win32Application app(instance);
    // Every mode reads the settings first, so a damaged value stops even the dialog.
    const std::unique_ptr<SettingsStore> store = MakeUserSettingsStore();
    Settings settings = LoadSettings(*store);
    const CommandLine command = ParseCommandLine(ProcessArguments());
    app.SetTitle(command.Title);
    if (command.Mode == SaverMode::Configuration) return RunConfiguration(app, settings, *store);
    return RunSaver(app, settings, command, graphics, surface);
  } catch (const std::exception& error) {
    ShowMessageBoxUtf8(nullptr, DescribeStartupError(error), kStartupErrorTitle,
                       MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return 1;
  }
}
