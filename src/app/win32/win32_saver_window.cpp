// TForm1's window on Windows: creation, the window procedure that feeds TForm1's
// handlers, WGL and the host services.
#include "app/win32/win32_saver_window.h"

#include <stdexcept>

#include "app/win32/win32_text.h"
#include "gl/gl_entries.h"
#include "gl/swap_control.h"

namespace {

constexpr wchar_t kSaverClass[] = L"TForm1";
constexpr UINT_PTR kPreviewWatchTimer = 1;
constexpr UINT kPreviewWatchMs = 100;

}  // namespace

PIXELFORMATDESCRIPTOR SaverPixelFormat() {
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 32;
  pfd.iLayerType = PFD_MAIN_PLANE;
  return pfd;
}

// ---- WGL surface -------------------------------------------------------------------------

void Win32RenderingSurface::PrepareDrawable() {
  // The window class has a device context of its own, so this one stays valid (and the
  // context bound to it) for the life of the window.
  dc_ = GetDC(window_);
}

bool Win32RenderingSurface::ChoosePixelFormat() {
  const PIXELFORMATDESCRIPTOR pfd = SaverPixelFormat();
  format_ = GL.ChoosePixelFormat != nullptr ? GL.ChoosePixelFormat(dc_, &pfd) : 0;
  return format_ != 0;
}

bool Win32RenderingSurface::SetPixelFormat() {
  const PIXELFORMATDESCRIPTOR pfd = SaverPixelFormat();
  return ::SetPixelFormat(dc_, format_, &pfd) != FALSE;
}

bool Win32RenderingSurface::CreateContext() {
  context_ = wglCreateContext(dc_);
  return context_ != nullptr;
}

bool Win32RenderingSurface::MakeCurrent() {
  return wglMakeCurrent(dc_, context_) != FALSE;
}

void Win32RenderingSurface::SetSwapInterval(int32_t interval) {
  // With the extension, SwapBuffers waits for the vertical blank, so the message loop, which
  // never sleeps, turns at the display's rate instead of spinning a core. Without it nothing
  // changes.
  RequestSwapIntervalWgl(interval);
}

void Win32RenderingSurface::SwapBuffers() {
  ::SwapBuffers(dc_);
}

int32_t Win32RenderingSurface::ClientWidth() const {
  RECT r{};
  GetClientRect(window_, &r);
  return r.right - r.left;
}

int32_t Win32RenderingSurface::ClientHeight() const {
  RECT r{};
  GetClientRect(window_, &r);
  return r.bottom - r.top;
}

// ---- Host services -----------------------------------------------------------------------

void Win32SaverHost::SetApplicationToolWindow() {
  // Keeps the hidden application window out of the task bar and the Alt+Tab list.
  SetWindowLongA(app_.Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
}

void Win32SaverHost::SetScreenSaverRunning(bool running) {
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, nullptr, 0);
}

void Win32SaverHost::CaptureMouse() {
  SetCapture(window_);
}

CursorPoint Win32SaverHost::GetCursorPos() {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

void Win32SaverHost::ShowMessageBox(std::string_view text, std::string_view title,
                                    MessageBoxIcon icon) {
  ShowMessageBoxUtf8(nullptr, text, title,
                     MB_OK | (icon == MessageBoxIcon::Error ? MB_ICONERROR : 0));
}

void Win32SaverHost::PostQuitMessage(int exitCode) {
  ::PostQuitMessage(exitCode);
}

void Win32SaverHost::CloseMainWindow() {
  if (app_.MainWindow() != nullptr) PostMessageW(app_.MainWindow(), WM_CLOSE, 0, 0);
}

// ---- The window ----------------------------------------------------------------------------

Win32SaverWindow::Win32SaverWindow(Win32Application& app, Win32RenderingSurface& surface,
                                   const Settings& settings, bool preview)
    : app_(app),
      surface_(surface),
      host_(app),
      form_(app, host_, surface, SystemFrameClock(), settings, preview),
      covers_(app) {}

Win32SaverWindow::~Win32SaverWindow() {
  // The window is left for the process's end to take away: destroying it here first hands
  // the activation to another window, which under Wine alone costs seconds. It only must
  // not call back into this object any more.
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

void Win32SaverWindow::Create() {
  // Its own device context: the GL context is bound to it for the life of the process.
  RegisterWindowClass(app_.Instance(), &WindowProcOf<Win32SaverWindow>,
                      {.Name = kSaverClass,
                       .Style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW,
                       .Cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),  // IDC_ARROW
                       .Background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))});
  // The design size and place matter only until the window is shown maximized.
  window_ = CreateWindowExW(WS_EX_TOPMOST, kSaverClass, L"Form1",
                            WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 479, 368, 768, 548,
                            app_.Handle(), nullptr, app_.Instance(), this);
  if (window_ == nullptr) throw std::runtime_error("Could not create the saver window");
  surface_.Attach(window_);
  host_.Attach(window_);
  app_.SetMainWindow(window_, SW_SHOWMAXIMIZED);
  form_.FormCreate();
  if (!form_.Preview) CoverScreen();
}

void Win32SaverWindow::CoverScreen() {
  SaverPlacement placement = PlaceSaver(monitors_());
  if (placement.Scene.Empty()) {
    placement.Scene = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  // Maximizing alone leaves the window at its design size where no window manager acts on
  // it (Wine without a desktop manager, say), so the primary monitor is also asked for by
  // place and size.
  const ScreenRect& scene = placement.Scene;
  SetWindowPos(window_, HWND_TOPMOST, scene.Left, scene.Top, scene.Width(), scene.Height(),
               SWP_NOACTIVATE);
  covers_.Create(placement.Covers);
}

HWND PreviewWindowFromHandle(int64_t value) {
  if (value < INT32_MIN || value > int64_t{UINT32_MAX}) return nullptr;
  const auto handle = static_cast<int32_t>(static_cast<uint32_t>(value));
  return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

void Win32SaverWindow::AdoptPreviewParent() {
  HWND parent = PreviewWindowFromHandle(form_.PreviewParent);
  previewParent_ = parent;
  SetWindowLongPtrW(window_, GWL_STYLE, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
  SetWindowLongPtrW(window_, GWL_EXSTYLE, 0);
  SetParent(window_, parent);
  RECT client{};
  GetClientRect(parent, &client);
  SetWindowPos(window_, nullptr, 0, 0, client.right, client.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // A child is shown without taking the focus from the host.
  app_.SetMainWindow(window_, SW_SHOWNA);
  // The host may destroy its window at any time; a preview must never outlive it.
  SetTimer(window_, kPreviewWatchTimer, kPreviewWatchMs, nullptr);
}

LRESULT Win32SaverWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      form_.FormResize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_WINDOWPOSCHANGED:
      // Every way of showing a window ends here, while WM_SHOWWINDOW is skipped for some
      // (a maximized show among them). The default handling then sends WM_SIZE.
      if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0) {
        covers_.Show(window);
        form_.FormShow();
      }
      break;
    case WM_ERASEBKGND:
      // Once GL draws the window, erasing it in between frames would only flicker.
      if (form_.ContextReady()) return 1;
      break;
    case WM_TIMER:
      if (wParam == kPreviewWatchTimer && !IsWindow(previewParent_)) app_.Terminate();
      return 0;
    case WM_DESTROY:
      window_ = nullptr;
      app_.Terminate();
      return 0;
    default:
      break;
  }
  if (IsScreenSaverStart(message, wParam)) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}
