// The installer's custom actions, in a DLL the MSI carries: they choose the installed saver as
// the user's screen saver, give the choice up on uninstalling only while it still names our
// file, and find where an installed copy lives when it is maintained.
//
// The choice is written by code rather than by the package's registry table because Windows
// Installer removes every value of that table on uninstalling, whatever the user chose since.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>
#include <vector>

#include "saver_selection.h"

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kSaverValue[] = L"SCRNSAVE.EXE";
constexpr wchar_t kActiveValue[] = L"ScreenSaveActive";

// The text of `formatted` with the installer's [..] references filled in.
std::wstring Format(MSIHANDLE install, const wchar_t* formatted) {
  PMSIHANDLE record = MsiCreateRecord(0);
  MsiRecordSetStringW(record, 0, formatted);
  DWORD size = 0;
  wchar_t none[1] = L"";
  MsiFormatRecordW(install, record, none, &size);
  std::wstring text(size + 1, L'\0');
  size = static_cast<DWORD>(text.size());
  if (MsiFormatRecordW(install, record, text.data(), &size) != ERROR_SUCCESS) return {};
  text.resize(size);
  return text;
}

std::wstring Property(MSIHANDLE install, const wchar_t* name) {
  DWORD size = 0;
  wchar_t none[1] = L"";
  MsiGetPropertyW(install, name, none, &size);
  std::wstring value(size + 1, L'\0');
  size = static_cast<DWORD>(value.size());
  if (MsiGetPropertyW(install, name, value.data(), &size) != ERROR_SUCCESS) return {};
  value.resize(size);
  return value;
}

// The path in one of its two forms; the path itself when the file system has no other.
std::wstring PathForm(const std::wstring& path, bool shortForm) {
  const auto convert = shortForm ? &GetShortPathNameW : &GetLongPathNameW;
  const DWORD size = convert(path.c_str(), nullptr, 0);
  if (size == 0) return path;
  std::wstring converted(size, L'\0');
  const DWORD length = convert(path.c_str(), converted.data(), size);
  if (length == 0 || length >= size) return path;
  converted.resize(length);
  return converted;
}

bool SetText(HKEY key, const wchar_t* name, const std::wstring& text) {
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
         ERROR_SUCCESS;
}

std::wstring GetText(HKEY key, const wchar_t* name) {
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return {};
  }
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

// True when a product other than this one also holds the saver's component, as a newer
// version does while it takes this one's place: the file then stays, and so does the choice.
// (Not every installer engine marks that removal with UPGRADINGPRODUCTCODE.)
bool AnotherProductKeepsTheFile(MSIHANDLE install) {
  const std::wstring product = Property(install, L"ProductCode");
  const std::wstring component = Property(install, L"ORVANTA_SAVER_COMPONENT");
  wchar_t client[39] = L"";
  for (DWORD i = 0; MsiEnumClientsW(component.c_str(), i, client) == ERROR_SUCCESS; ++i) {
    if (_wcsicmp(client, product.c_str()) != 0) return true;
  }
  return false;
}

}  // namespace

// After the files are in place: the installed saver becomes the user's screen saver. The path
// is written in its short 8.3 form, as the classic screen-saver settings write it: the system
// runs the value as a command line, where a long path with a space in it (a user name with a
// space, say) would break.
extern "C" __declspec(dllexport) UINT __stdcall SelectSaver(MSIHANDLE install) {
  const std::wstring installed = Format(install, L"[#OrvantaScr]");
  if (installed.empty()) return ERROR_SUCCESS;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return ERROR_SUCCESS;
  }
  SetText(key, kSaverValue, PathForm(installed, true));
  SetText(key, kActiveValue, L"1");
  RegCloseKey(key);
  return ERROR_SUCCESS;
}

// Before the files go: the user's choice goes too, but only while it still names our file.
extern "C" __declspec(dllexport) UINT __stdcall DeselectSaver(MSIHANDLE install) {
  const std::wstring installed = Format(install, L"[#OrvantaScr]");
  if (installed.empty() || AnotherProductKeepsTheFile(install)) return ERROR_SUCCESS;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) !=
      ERROR_SUCCESS) {
    return ERROR_SUCCESS;
  }
  const std::wstring chosen = GetText(key, kSaverValue);
  const std::vector<std::wstring> ours{installed, PathForm(installed, true),
                                       PathForm(installed, false)};
  if (SelectionNamesSaver(chosen, ours) || SelectionNamesSaver(PathForm(chosen, false), ours)) {
    RegDeleteValueW(key, kSaverValue);
    SetText(key, kActiveValue, L"0");
  }
  RegCloseKey(key);
  return ERROR_SUCCESS;
}

// When an installed copy is maintained (repaired, upgraded, removed): the folder it was put in,
// whichever way it was installed, so that the installer finds its file there. ALLUSERS alone
// does not tell every installer engine that a copy went to the system folder.
extern "C" __declspec(dllexport) UINT __stdcall LocateInstalledSaver(MSIHANDLE install) {
  const std::wstring product = Property(install, L"ProductCode");
  const std::wstring component = Property(install, L"ORVANTA_SAVER_COMPONENT");
  wchar_t path[MAX_PATH + 1] = L"";
  DWORD size = MAX_PATH;
  if (MsiGetComponentPathW(product.c_str(), component.c_str(), path, &size) != INSTALLSTATE_LOCAL) {
    return ERROR_SUCCESS;
  }
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L'\\') + 1);
  if (!folder.empty()) MsiSetPropertyW(install, L"INSTALLDIR", folder.c_str());
  return ERROR_SUCCESS;
}
