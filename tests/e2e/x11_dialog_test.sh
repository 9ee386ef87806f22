#!/bin/bash
# The configuration dialog: its window opens at 223, 116 with a 500 x 227 client area and
# the stored values clamped into the sliders' ranges, "Zapisz" writes all four values,
# "Anuluj" and the close button write nothing, the keys step the sliders by 1 and 2, and a
# failed save is reported while the dialog stays.
source "$(dirname "$0")/x11_e2e_lib.sh"
start_xvfb

# Client positions of the buttons' centres, as the dialog lays them out.
ZAPISZ=(362 193)
ANULUJ=(457 193)

open_dialog() {
  start_saver "$@"
  DIALOG="$(find_window "^Konfiguracja screensavera$" 5)"
  timeout 3 xdotool windowfocus --sync "$DIALOG" 2>/dev/null || true
  sleep 0.3
}

click() { xdotool mousemove --window "$DIALOG" "$1" "$2" click 1; }

expect_settings() {
  local want="$1"
  [ "$(cat "$SETTINGS_FILE")" = "$want" ] || fail "settings file holds '$(cat "$SETTINGS_FILE")', expected '$want'"
}

echo "stored 20 and 5000 show, and save, as 50 and 2000"
use_settings "Gwiazd=20" "Dym=5000"
open_dialog
# No window manager runs here, so nothing moves the window itself (not only its client area)
# from where the dialog puts it.
geometry="$(xwininfo -id "$DIALOG" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
  /Width:/{w=$NF} /Height:/{h=$NF} END{print x "," y " " w "x" h}')"
[ "$geometry" = "223,116 500x227" ] || fail "the dialog's window is at $geometry, expected 223,116 500x227"
click "${ZAPISZ[@]}"
expect_exit "$SAVER_PID" 3 0
expect_settings $'Gwiazd=50\nDym=2000\nWybuch=50\nSwiatel=15'

echo "arrows move a slider by 1, Page Down by 2"
use_settings "Gwiazd=100" "Wybuch=300"
open_dialog /c
# The focus starts on "Anuluj"; the first slider follows it in the tab order.
xdotool key --delay 150 Tab Right Right Page_Down Left
sleep 0.3
click "${ZAPISZ[@]}"
expect_exit "$SAVER_PID" 3 0
expect_settings $'Gwiazd=103\nWybuch=300\nDym=1500\nSwiatel=15'

echo "Anuluj writes nothing, even after a slider moved"
use_settings "Gwiazd=700" "# a comment the dialog must keep"
before="$(cat "$SETTINGS_FILE")"
open_dialog
xdotool key --delay 150 Tab Right Right
click "${ANULUJ[@]}"
expect_exit "$SAVER_PID" 3 0
expect_settings "$before"

echo "the close button writes nothing either"
open_dialog
xdotool key --delay 150 Tab Right
"$HOST_HELPER" --close "$DIALOG"
expect_exit "$SAVER_PID" 3 0
expect_settings "$before"

echo "a failed save is reported and the dialog stays open"
# Nobody, root included, can create directories here.
export XDG_CONFIG_HOME=/proc/self/fdinfo
open_dialog
click "${ZAPISZ[@]}"
for i in $(seq 50); do
  box="$(xdotool search --onlyvisible --name "^Quorvel orvanta screensaver konfiguracja$" 2>/dev/null | head -n1 || true)"
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no error box after a failed save"
dismiss_box "$box"
for i in $(seq 50); do
  xdotool search --onlyvisible --name "^Quorvel orvanta screensaver konfiguracja$" >/dev/null 2>&1 || break
  sleep 0.1
done
# The box is gone, so the handler that showed it has returned: a wrong ending would be done.
xdotool search --onlyvisible --name "^Konfiguracja screensavera$" >/dev/null 2>&1 ||
  fail "the dialog closed after a failed save"
running "$SAVER_PID" || fail "the dialog closed after a failed save"
grep -q "^Quorvel orvanta screensaver konfiguracja: Failed to create key /proc/self/fdinfo/" \
  "$E2E_TMP/saver.err" || fail "unexpected message: $(cat "$E2E_TMP/saver.err")"
click "${ANULUJ[@]}"
expect_exit "$SAVER_PID" 3 0
echo PASS
