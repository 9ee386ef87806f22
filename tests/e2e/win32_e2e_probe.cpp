// A small Win32 program the end-to-end tests run beside orvanta.scr under Wine. It sees
// what X tools cannot: the text inside a message box, the controls of the dialog, a
// preview host window whose handle goes on the saver's command line.
//
//   probe box <title> <wait-ms>      wait for a box titled <title>, print its text, press OK;
//                                    exit 0 when one was found, 2 when none appeared
//   probe nobox <title> <wait-ms>    exit 0 when no box titled <title> appears, 3 otherwise
//   probe dialog <caption> <wait-ms> wait for the dialog, print "caption=...", its frame's
//                                    place and client size, the text (or class) of the control
//                                    holding the keyboard focus, every value label and slider;
//                                    exit 2 when it never appears
//   probe layout <caption> <wait-ms> wait for the dialog; print its frame's place,
//                                    "client=WxH+X+Y" (the client area's size and screen
//                                    place), then per control "<class> <left> <top> <width>
//                                    <height> <thumb>|<text>" (thumb: a slider's thumb length,
//                                    0 for the others). Fonts and text extents cannot be read
//                                    from another process: win32_window_test measures those.
//   probe appwindow <title>          the application window titled <title>: visible, tool
//                                    window, owner and size
//   probe version <file>            print the file version in its version resource (a.b.c.d)
//   probe manifest <file>            print the program's manifest (resource 1 of RT_MANIFEST)
//   probe paths <path>               print "short=..." and "long=...": the path's two forms
//   probe count <class>              print how many top-level windows of that class exist
//   probe activate <title>           bring the top-level window titled <title> to the front,
//                                    as picking it in the task bar does
//   probe click <caption> <text>     press the dialog's button labelled <text>
//   probe slide <caption> <n> <pos>  move the n-th slider (0-based) to <pos> as a user would
//   probe close <caption>            close the dialog through its title bar's close button
//   probe front <ms>                 show a window of another program in front for <ms>
//   probe cursor                     print "showing" or "hidden": the pointer as the
//                                    application in front has left it
//   probe keyaccess <key> deny-writes|allow-all
//                                    deny everyone the right to set values under the key
//                                    (a path under HKEY_CURRENT_USER), or lift that again
//   probe host <scr> <ready> <go> <out>
//                                    make a 320x240 window, start "<scr> /P <hwnd>", write
//                                    the window's client rectangle on the screen, the
//                                    client size of the saver's child window and the
//                                    host window's handle to <ready>,
//                                    wait for <go> to exist, destroy the window and write
//                                    "ended <ms> <exit code>" or "running" to <out>
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "unit/win32_key_access.h"

namespace {

std::wstring Widen(const char* text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

std::string Narrow(const std::wstring& text) {
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), length, nullptr, nullptr);
  narrow.resize(strlen(narrow.c_str()));
  return narrow;
}

std::wstring TextOf(HWND window) {
  wchar_t buffer[512] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[128] = {};
  GetClassNameW(window, buffer, 128);
  return buffer;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The window once it is shown: a program lays its window out between creating and showing it.
HWND WaitForWindow(const wchar_t* className, const std::wstring& title, DWORD waitMs) {
  const DWORD start = GetTickCount();
  do {
    HWND found = FindWindowW(className, title.c_str());
    if (found != nullptr && IsWindowVisible(found)) return found;
    Sleep(50);
  } while (GetTickCount() - start < waitMs);
  return nullptr;
}

int Box(const char* title, DWORD waitMs) {
  HWND box = WaitForWindow(L"#32770", Widen(title), waitMs);
  if (box == nullptr) return 2;
  for (HWND child : Children(box)) {
    if (ClassOf(child) == L"Static" && !TextOf(child).empty()) {
      std::printf("%s\n", Narrow(TextOf(child)).c_str());
    }
  }
  std::fflush(stdout);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  // Gone before this returns, so that a look for a second box cannot find this one.
  const DWORD start = GetTickCount();
  while (IsWindow(box) && GetTickCount() - start < 5000) Sleep(20);
  return IsWindow(box) ? 7 : 0;
}

int NoBox(const char* title, DWORD waitMs) {
  return WaitForWindow(L"#32770", Widen(title), waitMs) == nullptr ? 0 : 3;
}

HWND Dialog(const char* caption) {
  return FindWindowW(L"TCfgFrm", Widen(caption).c_str());
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className) {
  std::vector<HWND> found;
  for (HWND child : Children(parent)) {
    if (_wcsicmp(ClassOf(child).c_str(), className.c_str()) == 0) found.push_back(child);
  }
  return found;
}

int DescribeDialog(const char* caption, DWORD waitMs) {
  HWND dialog = WaitForWindow(L"TCfgFrm", Widen(caption), waitMs);
  if (dialog == nullptr) return 2;
  RECT client{}, frame{};
  GetClientRect(dialog, &client);
  GetWindowRect(dialog, &frame);
  std::printf("caption=%s\nframe=%ld,%ld\nclient=%ldx%ld\n", Narrow(TextOf(dialog)).c_str(),
              frame.left, frame.top, client.right, client.bottom);
  // The focus lives in the dialog's thread; another process asks that thread for it.
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread) &&
      thread.hwndFocus != nullptr) {
    const std::wstring text = TextOf(thread.hwndFocus);
    std::printf("focus=%s\n", Narrow(text.empty() ? ClassOf(thread.hwndFocus) : text).c_str());
  }
  for (HWND label : ChildrenOfClass(dialog, L"Static")) {
    if ((GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK) == SS_RIGHT) {
      std::printf("value=%s\n", Narrow(TextOf(label)).c_str());
    }
  }
  int index = 0;
  for (HWND slider : ChildrenOfClass(dialog, TRACKBAR_CLASSW)) {
    std::printf("slider%d=%ld..%ld@%ld\n", index++,
                static_cast<long>(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0)),
                static_cast<long>(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0)),
                static_cast<long>(SendMessageW(slider, TBM_GETPOS, 0, 0)));
  }
  std::fflush(stdout);
  return 0;
}

int Layout(const char* caption, DWORD waitMs) {
  HWND dialog = WaitForWindow(L"TCfgFrm", Widen(caption), waitMs);
  if (dialog == nullptr) return 2;
  RECT client{}, frame{};
  GetClientRect(dialog, &client);
  GetWindowRect(dialog, &frame);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  std::printf("frame=%ld,%ld\nclient=%ldx%ld+%ld+%ld\n", frame.left, frame.top, client.right,
              client.bottom, origin.x, origin.y);
  for (HWND control : Children(dialog)) {
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    const bool slider = _wcsicmp(ClassOf(control).c_str(), TRACKBAR_CLASSW) == 0;
    const long thumb =
        slider ? static_cast<long>(SendMessageW(control, TBM_GETTHUMBLENGTH, 0, 0)) : 0;
    std::printf("%s %ld %ld %ld %ld %ld|%s\n", Narrow(ClassOf(control)).c_str(), box.left, box.top,
                box.right - box.left, box.bottom - box.top, thumb, Narrow(TextOf(control)).c_str());
  }
  std::fflush(stdout);
  return 0;
}

int AppWindow(const char* title) {
  HWND app = FindWindowW(L"OrvantaApplication", Widen(title).c_str());
  if (app == nullptr) return 2;
  RECT r{};
  GetWindowRect(app, &r);
  std::printf("visible=%d toolwindow=%d owner=%d size=%ldx%ld\n", IsWindowVisible(app) ? 1 : 0,
              (GetWindowLongW(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0 ? 1 : 0,
              GetWindow(app, GW_OWNER) != nullptr ? 1 : 0, r.right - r.left, r.bottom - r.top);
  std::fflush(stdout);
  return 0;
}

int Version(const char* file) {
  const std::wstring path = Widen(file);
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
    return 2;
  }
  std::printf("%d.%d.%d.%d\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
              HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
  std::fflush(stdout);
  return 0;
}

int Manifest(const char* file) {
  HMODULE module = LoadLibraryExW(Widen(file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return 2;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  if (loaded == nullptr) return 3;
  std::fwrite(LockResource(loaded), 1, SizeofResource(module, found), stdout);
  std::fflush(stdout);
  return 0;
}

int Paths(const char* file) {
  const std::wstring path = Widen(file);
  wchar_t shortForm[MAX_PATH] = L"", longForm[MAX_PATH] = L"";
  if (GetShortPathNameW(path.c_str(), shortForm, MAX_PATH) == 0) return 2;
  if (GetLongPathNameW(path.c_str(), longForm, MAX_PATH) == 0) return 2;
  std::printf("short=%s\nlong=%s\n", Narrow(shortForm).c_str(), Narrow(longForm).c_str());
  std::fflush(stdout);
  return 0;
}

int Count(const char* className) {
  int count = 0;
  for (HWND w = FindWindowExW(nullptr, nullptr, Widen(className).c_str(), nullptr); w != nullptr;
       w = FindWindowExW(nullptr, w, Widen(className).c_str(), nullptr)) {
    ++count;
  }
  std::printf("%d\n", count);
  std::fflush(stdout);
  return 0;
}

int Activate(const char* title) {
  HWND window = FindWindowW(nullptr, Widen(title).c_str());
  if (window == nullptr) return 2;
  return SetForegroundWindow(window) ? 0 : 5;
}

int Click(const char* caption, const char* text) {
  HWND dialog = Dialog(caption);
  if (dialog == nullptr) return 2;
  for (HWND button : ChildrenOfClass(dialog, L"Button")) {
    if (TextOf(button) == Widen(text)) {
      PostMessageW(button, BM_CLICK, 0, 0);
      return 0;
    }
  }
  return 4;
}

int Slide(const char* caption, int index, int position) {
  HWND dialog = Dialog(caption);
  if (dialog == nullptr) return 2;
  const std::vector<HWND> sliders = ChildrenOfClass(dialog, TRACKBAR_CLASSW);
  if (index < 0 || index >= static_cast<int>(sliders.size())) return 4;
  HWND slider = sliders[static_cast<size_t>(index)];
  // What a drag does: the trackbar moves, then tells its parent.
  SendMessageW(slider, TBM_SETPOS, TRUE, position);
  SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
               reinterpret_cast<LPARAM>(slider));
  return 0;
}

int Close(const char* caption) {
  HWND dialog = Dialog(caption);
  if (dialog == nullptr) return 2;
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

// The cursor's show count belongs to the input queue of the window in front, so another
// program can see whether the saver hid the pointer. The shape is not looked at: a window
// holding the mouse capture may never have been asked for one.
int Cursor() {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  if (!GetCursorInfo(&info)) return 8;
  const bool showing = (info.flags & CURSOR_SHOWING) != 0;
  std::printf("%s\n", showing ? "showing" : "hidden");
  std::fflush(stdout);
  return 0;
}

// ---- Preview host ---------------------------------------------------------------------------

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

bool FileExists(const char* path) {
  return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFile(const char* path, const std::string& text) {
  if (FILE* f = _wfopen(Widen(path).c_str(), L"wb")) {
    std::fputs(text.c_str(), f);
    std::fclose(f);
  }
}

// Another application coming to the front, as a user switching to it would.
int Front(DWORD ms) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"OrvantaOtherApplication";
  RegisterClassW(&wc);
  HWND other = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Another application",
                               WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, nullptr, nullptr,
                               wc.hInstance, nullptr);
  if (other == nullptr) return 5;
  SetForegroundWindow(other);
  Pump(ms);
  return 0;
}

int Host(const char* scr, const char* ready, const char* go, const char* out) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  // Black, so that whatever shows in it is the preview's drawing.
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = L"OrvantaPreviewHost";
  RegisterClassW(&wc);
  HWND host = CreateWindowExW(0, wc.lpszClassName, L"Preview host",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 40, 40, 336, 278,
                              nullptr, nullptr, wc.hInstance, nullptr);
  if (host == nullptr) return 5;
  Pump(300);
  const auto handle = static_cast<long long>(reinterpret_cast<intptr_t>(host));
  std::wstring command = L"\"" + Widen(scr) + L"\" /P " + std::to_wstring(handle);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return 6;
  }
  // Ready once the saver's window is a visible child of ours, or after 20 s without one.
  HWND child = nullptr;
  const DWORD childWait = GetTickCount();
  while (child == nullptr && GetTickCount() - childWait < 20000) {
    Pump(50);
    child = FindWindowExW(host, nullptr, L"TForm1", nullptr);
    // Visible only once the saver has placed it and its loop runs.
    if (child != nullptr && !IsWindowVisible(child)) child = nullptr;
  }
  RECT client{}, childClient{};
  GetClientRect(host, &client);
  if (child != nullptr) GetClientRect(child, &childClient);
  POINT origin{0, 0};
  ClientToScreen(host, &origin);
  WriteFile(ready, std::to_string(origin.x) + " " + std::to_string(origin.y) + " " +
                       std::to_string(client.right) + " " + std::to_string(client.bottom) + " " +
                       std::to_string(childClient.right) + " " +
                       std::to_string(childClient.bottom) + " " + std::to_string(handle) + "\n");
  const DWORD waitStart = GetTickCount();
  while (!FileExists(go) && GetTickCount() - waitStart < 60000) Pump(50);
  if (WaitForSingleObject(pi.hProcess, 0) != WAIT_TIMEOUT) {
    WriteFile(out, "ended before the window was destroyed\n");
    return 0;
  }
  DestroyWindow(host);
  const DWORD destroyed = GetTickCount();
  std::string result = "running\n";
  while (GetTickCount() - destroyed < 3000) {
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(pi.hProcess, &code);
      result =
          "ended " + std::to_string(GetTickCount() - destroyed) + " " + std::to_string(code) + "\n";
      break;
    }
    Pump(10);
  }
  if (result == "running\n") TerminateProcess(pi.hProcess, 9);
  WriteFile(out, result);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "box" && argc == 4) return Box(argv[2], std::strtoul(argv[3], nullptr, 10));
  if (command == "nobox" && argc == 4) return NoBox(argv[2], std::strtoul(argv[3], nullptr, 10));
  if (command == "dialog" && argc == 4) {
    return DescribeDialog(argv[2], std::strtoul(argv[3], nullptr, 10));
  }
  if (command == "click" && argc == 4) return Click(argv[2], argv[3]);
  if (command == "appwindow" && argc == 3) return AppWindow(argv[2]);
  if (command == "layout" && argc == 4) return Layout(argv[2], std::strtoul(argv[3], nullptr, 10));
  if (command == "activate" && argc == 3) return Activate(argv[2]);
  if (command == "count" && argc == 3) return Count(argv[2]);
  if (command == "version" && argc == 3) return Version(argv[2]);
  if (command == "manifest" && argc == 3) return Manifest(argv[2]);
  if (command == "paths" && argc == 3) return Paths(argv[2]);
  if (command == "slide" && argc == 5)
    return Slide(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  if (command == "close" && argc == 3) return Close(argv[2]);
  if (command == "cursor" && argc == 2) return Cursor();
  if (command == "front" && argc == 3) return Front(std::strtoul(argv[2], nullptr, 10));
  if (command == "keyaccess" && argc == 4) {
    const std::string what = argv[3];
    if (what != "deny-writes" && what != "allow-all") return 4;
    return SetEveryonesAccess(argv[2], what == "deny-writes" ? KEY_SET_VALUE : 0) == ERROR_SUCCESS
               ? 0
               : 5;
  }
  if (command == "host" && argc == 6) return Host(argv[2], argv[3], argv[4], argv[5]);
  std::fprintf(stderr, "usage: see the comment at the top of win32_e2e_probe.cpp\n");
  return 64;
}
