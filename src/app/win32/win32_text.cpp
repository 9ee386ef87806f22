// UTF-8 <-> UTF-16 conversion, the command line and message boxes for the Win32 shell.
#include "app/win32/win32_text.h"

#include <shellapi.h>

std::wstring Utf8ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

std::vector<std::string> ProcessArguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  if (argv == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(WideToUtf8(argv[i]));
  LocalFree(argv);
  return args;
}

int ShowMessageBoxUtf8(HWND owner, std::string_view text, std::string_view title, UINT style) {
  return MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(), style);
}
