// The Win32 application object and its message loop.
#include "app/win32/win32_application.h"

#include <optional>

#include "app/win32/win32_input.h"
#include "app/win32/win32_text.h"

namespace {

constexpr wchar_t kApplicationClass[] = L"OrvantaApplication";
// Posted to itself: activation is handed on once the activation under way has settled.
constexpr UINT kActivateOwned = WM_APP + 1;

}  // namespace

void RegisterWindowClass(HINSTANCE instance, WNDPROC proc, const Win32WindowClass& windowClass) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = windowClass.Style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = windowClass.Icon;
  wc.hCursor = windowClass.Cursor;
  wc.hbrBackground = windowClass.Background;
  wc.lpszClassName = windowClass.Name;
  RegisterClassExW(&wc);
}

Win32Application::Win32Application(HINSTANCE instance) : instance_(instance) {
  RegisterWindowClass(instance, &WindowProcOf<Win32Application>,
                      {.Name = kApplicationClass,
                       .Icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512))});  // IDI_APPLICATION
  // Hidden unless it stands for the program in the task bar: it is there to own the other
  // windows and to hold the title.
  handle_ = CreateWindowExW(0, kApplicationClass, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0,
                            0, nullptr, nullptr, instance, this);
}

Win32Application::~Win32Application() {
  // Like the other windows, the application window goes with the process.
  if (handle_ != nullptr) SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
}

void Win32Application::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_ != nullptr) SetWindowTextW(handle_, Utf8ToWide(title).c_str());
}

void Win32Application::SetMainWindow(HWND window, int showCommand) {
  mainWindow_ = window;
  mainShowCommand_ = showCommand;
}

void Win32Application::ShowTaskbarEntry(int x, int y) {
  taskbarEntry_ = true;
  // Unowned, not a tool window and visible: what the shell lists. Zero-sized, it shows
  // nothing of itself.
  const LONG_PTR exStyle = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
  SetWindowLongPtrW(handle_, GWL_EXSTYLE, exStyle & ~WS_EX_TOOLWINDOW);
  SetWindowPos(handle_, nullptr, x, y, 0, 0,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
}

void Win32Application::Terminate() {
  PostQuitMessage(0);
}

void Win32Application::ActivateApp(bool active) {
  if (active == active_) return;
  active_ = active;
  Guarded([&] { active ? Events.RaiseActivate(this) : Events.RaiseDeactivate(this); });
}

void Win32Application::ShowException(const std::exception& error) {
  if (reporter_) return reporter_(error.what(), title_);
  ShowMessageBoxUtf8(mainWindow_, error.what(), title_, MB_OK | MB_ICONERROR);
}

int Win32Application::Run() {
  if (mainWindow_ != nullptr) {
    ShowWindow(mainWindow_, mainShowCommand_);
    // The main window takes the keyboard and the pointer, unless it is someone's child.
    if (mainShowCommand_ != SW_SHOWNA) SetForegroundWindow(mainWindow_);
  }
  MSG msg{};
  for (;;) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) break;
      ProcessMessage(msg);
    } else if (Idle()) {
      WaitMessage();
    }
  }
  return static_cast<int>(msg.wParam);
}

bool Win32Application::ProcessMessage(MSG& msg) {
  bool handled = false;
  if (OnMessage) {
    if (const std::optional<InputEvent> input = InputFromMessage(msg)) {
      Guarded([&] { OnMessage(*input, handled); });
    }
  }
  if (handled) return true;
  if (dialogWindow_ != nullptr && IsDialogMessageW(dialogWindow_, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

bool Win32Application::Idle() {
  // An error skips the wait as well: the next turn comes at once, so a saver whose frame
  // failed goes on drawing instead of stalling until some message arrives.
  bool done = false;
  Guarded([&] { done = Events.RaiseIdle(this); });
  return done;
}

LRESULT Win32Application::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      // Picked from the task bar or Alt+Tab: the window it stands for comes forward.
      if (taskbarEntry_ && LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
        PostMessageW(window, kActivateOwned, 0, 0);
      }
      break;
    case kActivateOwned: {
      // The last active window it owns: the dialog, or a message box the dialog shows.
      HWND owned = GetLastActivePopup(window);
      if (owned == window) owned = mainWindow_;
      if (owned != nullptr && IsWindowVisible(owned) && GetActiveWindow() == window) {
        SetActiveWindow(owned);
      }
      return 0;
    }
    case WM_CLOSE:
      // "Close window" on the task-bar button closes what it stands for, as the user would.
      if (mainWindow_ != nullptr) PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
