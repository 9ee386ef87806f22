// The application object on Windows: a top-level window that owns every other window of the
// process and carries the title (hidden, except as the configuration mode's task-bar entry), the
// message loop with its idle pass, and the activation of the whole application, seen through
// WM_ACTIVATEAPP on our windows.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "app/application.h"

// The object behind a window whose creation passed it as CreateWindowExW's last argument;
// null for the few messages that come before WM_NCCREATE.
template <class Window>
Window* WindowObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// What differs between the window classes of ours; the rest of the class stays zero.
struct Win32WindowClass {
  const wchar_t* Name = nullptr;
  UINT Style = 0;
  HCURSOR Cursor = nullptr;
  HBRUSH Background = nullptr;
  HICON Icon = nullptr;
};

// Registers a class of ours; a second registration of the same name (a second object of the
// same kind) finds it there already, which is fine.
void RegisterWindowClass(HINSTANCE instance, WNDPROC proc, const Win32WindowClass& windowClass);

// The window procedure of every window of ours: the object behind the window answers through
// its HandleMessage, and an error it raises is shown by the application instead of leaving
// the window procedure. Window needs Application() and HandleMessage(HWND, UINT, WPARAM,
// LPARAM); the object passes itself as CreateWindowExW's last argument.
template <class Window>
LRESULT CALLBACK WindowProcOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = WindowObject<Window>(window, message, lParam);
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  auto& app = self->Application();
  // Whichever window of ours hears it: the application as a whole gained or lost activation.
  if (message == WM_ACTIVATEAPP) app.ActivateApp(wParam != FALSE);
  return app.Answer(window, message, wParam, lParam,
                    [&] { return self->HandleMessage(window, message, wParam, lParam); });
}

// The system asking to start the screen saver, which a running saver refuses: no second
// saver on top of this one.
inline bool IsScreenSaverStart(UINT message, WPARAM wParam) {
  return message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SCREENSAVE;
}

class Win32Application final : public Application {
 public:
  explicit Win32Application(HINSTANCE instance);
  ~Win32Application() override;
  Win32Application(const Win32Application&) = delete;
  Win32Application& operator=(const Win32Application&) = delete;

  void SetTitle(const std::string& title) override;
  const std::string& Title() const override { return title_; }
  int Run() override;
  void Terminate() override;

  HINSTANCE Instance() const { return instance_; }
  Win32Application& Application() { return *this; }
  // The hidden window's own messages: the activation of the whole application.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The hidden window that owns every other window.
  HWND Handle() const { return handle_; }

  // The window Run shows first and how; destroying it ends the application.
  void SetMainWindow(HWND window, int showCommand);
  HWND MainWindow() const { return mainWindow_; }
  // Tab and arrow keys of this window's controls are routed through IsDialogMessage.
  void SetDialogWindow(HWND window) { dialogWindow_ = window; }
  // Shows the application window, zero-sized at (x, y), so that the program has a task-bar
  // button and an Alt+Tab entry titled with the title; activating it brings the window it
  // owns forward, and closing it closes the main window. The configuration mode's way.
  void ShowTaskbarEntry(int x, int y);

  // Our windows forward WM_ACTIVATEAPP here; the events fire once per change.
  void ActivateApp(bool active);
  // An error raised while the loop runs: shown in a box titled with the title, and the
  // loop goes on.
  void ShowException(const std::exception& error);
  // Where ShowException sends the text and title; a message box unless replaced (tests).
  using ErrorReporter = std::function<void(const std::string& text, const std::string& title)>;
  void SetErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }
  // Runs `step`, showing any error it raises instead of letting it leave the loop.
  template <class F>
  void Guarded(F&& step) {
    try {
      step();
    } catch (const std::exception& error) {
      ShowException(error);
    }
  }
  // A window procedure's answer from `handle`, or the default answer when it raised an
  // error (which is shown instead of leaving the window procedure).
  template <class F>
  LRESULT Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, F&& handle) {
    LRESULT result = 0;
    bool answered = false;
    Guarded([&] {
      result = handle();
      answered = true;
    });
    return answered ? result : DefWindowProcW(window, message, wParam, lParam);
  }

 private:
  bool ProcessMessage(MSG& msg);
  bool Idle();

  HINSTANCE instance_;
  HWND handle_ = nullptr;
  HWND mainWindow_ = nullptr;
  HWND dialogWindow_ = nullptr;
  int mainShowCommand_ = SW_SHOWNORMAL;
  bool taskbarEntry_ = false;
  std::string title_;
  bool active_ = false;
  ErrorReporter reporter_;
};
