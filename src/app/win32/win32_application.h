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
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
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
