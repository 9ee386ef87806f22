// Text at the Win32 boundary: the core speaks UTF-8, the wide ("W") API speaks UTF-16,
// and going through the wide API is what lets Polish letters reach the screen intact.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// The process's arguments as the system splits them, without the program name, in UTF-8.
std::vector<std::string> ProcessArguments();

// A modal box through MessageBoxW. `owner` may be null.
int ShowMessageBoxUtf8(HWND owner, std::string_view text, std::string_view title, UINT style);
