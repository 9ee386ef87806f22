// Comparing the chosen screen saver with the installed file.
#include "saver_selection.h"

namespace {

std::wstring Normalized(std::wstring_view path) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
  while (!path.empty() && blank(path.front())) path.remove_prefix(1);
  while (!path.empty() && blank(path.back())) path.remove_suffix(1);
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
    path = path.substr(1, path.size() - 2);
  }
  std::wstring text(path);
  for (wchar_t& c : text) {
    if (c == L'/') c = L'\\';
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return text;
}

}  // namespace

bool SelectionNamesSaver(std::wstring_view selection,
                         const std::vector<std::wstring>& namesOfOurFile) {
  const std::wstring chosen = Normalized(selection);
  if (chosen.empty()) return false;
  for (const std::wstring& name : namesOfOurFile) {
    if (!name.empty() && Normalized(name) == chosen) return true;
  }
  return false;
}
