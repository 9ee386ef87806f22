#!/bin/bash
# The installer, end to end under Wine, in a prefix of its own. By default for every user: the
# file in the system folder (the only folder whose savers the screen-saver settings always
# list), the user's screen-saver choice, the entry among the installed apps with version and
# publisher, the installed saver running from that choice; an upgrade to a newer version leaves
# one entry and one file; uninstalling removes the file, and the choice only while it still
# names our file, and leaves the user's settings alone. With MSIINSTALLPERUSER=1 for the
# current user alone, in the user's programs folder and out again; a folder given on the
# command line, with spaces in its name.
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
: "${ORVANTA_MSI:?}" "${ORVANTA_NEXT_MSI:?}" "${ORVANTA_VERSION:?}" "${ORVANTA_NEXT_VERSION:?}"
if [ ! -f "$ORVANTA_MSI" ] || [ ! -f "$ORVANTA_NEXT_MSI" ]; then
  echo "FAIL: no installer was built (is wixl installed? scripts/deps.sh installs it)" >&2
  exit 1
fi
start_display
prepare_wine
DESKTOP='HKCU\Control Panel\Desktop'
PUBLISHER="Quorvel Tarnwick Fellworks"

# One run beside two busy loops stopped for minutes in the per-user install below, with
# nothing in the log to say where. Every Wine step here is bounded, and one that does not
# finish fails by name instead of running into the test's time limit. The name goes to the
# test's own standard error (kept as descriptor 3), also from steps whose output is dropped.
exec 3>&2
bounded() {  # bounded command...: the command, given two minutes
  local status=0
  timeout -k 5 120 "$@" || status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "did not finish within 120 s: $*" >&3
  fi
  return "$status"
}
msi() { bounded wine msiexec "$@" /qn >/dev/null 2>&1; }
desktop_value() {  # the text of a value under the desktop key, empty when it is not there
  wine reg query "$DESKTOP" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }' || true
}
entries() { wine uninstaller --list 2>/dev/null | tr -d '\r' | grep -c '|||Orvanta$' || true; }
product_code() { wine uninstaller --list 2>/dev/null | tr -d '\r' | sed -n 's/|||Orvanta$//p' | head -1; }
entry_value() {  # a value of the installed-apps entry
  wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(product_code)" \
    /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
unix_path() { winepath -u "$1" 2>/dev/null; }
saver_files() { find "$WINEPREFIX/drive_c" -iname orvanta.scr 2>/dev/null | wc -l; }

# A clean start, whatever an interrupted earlier run left in this prefix.
for code in $(wine uninstaller --list 2>/dev/null | tr -d '\r' | sed -n 's/|||Orvanta$//p'); do
  msi /x "$code" || true
done
wine reg delete "$DESKTOP" /v SCRNSAVE.EXE /f >/dev/null 2>&1 || true

# The user's settings exist before; nothing of the installer's may touch them.
reg_clear
reg_set_dword Gwiazd 200

# ---- for every user: the default ---------------------------------------------------------------
system_copy='C:\windows\system32\orvanta.scr'
check "msiexec /i installs without a word (exit code 0)" msi /i "$ORVANTA_MSI"
check "the saver is in the system folder, not in the user's programs folder" \
  test -f "$(unix_path "$system_copy")" -a "$(saver_files)" = 1
check "the file carries the project's version $ORVANTA_VERSION" \
  test "$(probe version "$system_copy")" = "$ORVANTA_VERSION.0"
check "its manifest declares per-monitor DPI awareness and the version" \
  bash -c "wine '$ORVANTA_PROBE' manifest '$system_copy' 2>/dev/null | grep -q 'PerMonitorV2,PerMonitor' &&
           wine '$ORVANTA_PROBE' manifest '$system_copy' 2>/dev/null | grep -q 'version=\"$ORVANTA_VERSION.0\"'"
chosen="$(desktop_value SCRNSAVE.EXE)"
check "it is the user's screen saver ($chosen)" \
  test -n "$chosen" -a "$(probe paths "$chosen" | sed -n 's/^long=//p')" = "$system_copy"
check "the screen saver is switched on" test "$(desktop_value ScreenSaveActive)" = 1
check "one entry among the installed apps" test "$(entries)" = 1
check "the entry shows the version $ORVANTA_VERSION" test "$(entry_value DisplayVersion)" = "$ORVANTA_VERSION"
check "the entry shows the publisher" test "$(entry_value Publisher)" = "$PUBLISHER"
check "the user's settings are untouched" test "$(reg_values | paste -sd,)" = "Gwiazd REG_DWORD 0xc8"

# The installed saver, started the way the system starts the chosen one.
xdotool mousemove 400 300
start_bg SAVER wine "$chosen" /s
check "the chosen saver draws (a non-black screen)" wait_for_picture 15
xdotool key a
expect_exit "and a key ends it (exit code 0)" "$SAVER" 5 0

# ---- upgrade ---------------------------------------------------------------------------------
check "a newer version installs over it" msi /i "$ORVANTA_NEXT_MSI"
check "one entry remains, with the newer version $ORVANTA_NEXT_VERSION" \
  test "$(entries)" = 1 -a "$(entry_value DisplayVersion)" = "$ORVANTA_NEXT_VERSION"
check "one saver file remains, in the system folder" \
  test "$(saver_files)" = 1 -a -f "$(unix_path "$system_copy")"
check "the choice still names it" test "$(desktop_value SCRNSAVE.EXE)" = "$chosen"

# ---- uninstalling after the user chose another saver -----------------------------------------
wine reg add "$DESKTOP" /v SCRNSAVE.EXE /t REG_SZ /d 'C:\windows\system32\other.scr' /f >/dev/null 2>&1
check "msiexec /x uninstalls (exit code 0)" msi /x "$ORVANTA_NEXT_MSI"
check "the system folder's copy is gone, and no entry remains" \
  test "$(saver_files)" = 0 -a "$(entries)" = 0
check "the other saver the user chose stays chosen" \
  test "$(desktop_value SCRNSAVE.EXE)" = 'C:\windows\system32\other.scr'
check "the user's settings stay (they are the user's data)" \
  test "$(reg_values | paste -sd,)" = "Gwiazd REG_DWORD 0xc8"

# ---- for the current user alone ----------------------------------------------------------------
local_appdata="$(bounded wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')"
installed="$local_appdata\\Programs\\Orvanta\\orvanta.scr"
check "MSIINSTALLPERUSER=1 installs too" msi /i "$ORVANTA_MSI" MSIINSTALLPERUSER=1
check "into the user's programs folder, not the system folder: $installed" \
  test -f "$(unix_path "$installed")" -a "$(saver_files)" = 1
chosen="$(desktop_value SCRNSAVE.EXE)"
short="$(probe paths "$installed" | sed -n 's/^short=//p')"
check "it is the user's screen saver, in the short form of its path ($chosen)" \
  test -n "$chosen" -a "$chosen" = "$short"
check "uninstalls without being told it was for one user" msi /x "$ORVANTA_MSI"
check "the file and its folder are gone" \
  test "$(saver_files)" = 0 -a ! -e "$(unix_path "$local_appdata\\Programs\\Orvanta")"
check "the choice that named our file is gone, and the saver switched off" \
  test -z "$(desktop_value SCRNSAVE.EXE)" -a "$(desktop_value ScreenSaveActive)" = 0

# ---- a folder given on the command line, with spaces in its name --------------------------------
spaced='C:\Orvanta Saver Test\'
check "installs into a folder with spaces in its name" msi /i "$ORVANTA_MSI" "INSTALLDIR=$spaced"
chosen="$(desktop_value SCRNSAVE.EXE)"
check "the choice has no space in it and names the installed file ($chosen)" \
  test -n "$chosen" -a "$chosen" = "${chosen// /}" -a \
  "$(probe paths "$chosen" | sed -n 's/^long=//p')" = "${spaced}orvanta.scr"
check "uninstalls" msi /x "$ORVANTA_MSI"
check "the folder with spaces is gone, and no entry remains" \
  test ! -e "$(unix_path "$spaced")" -a "$(entries)" = 0
finish
