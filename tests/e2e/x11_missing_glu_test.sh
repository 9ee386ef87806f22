#!/bin/bash
# A GLU library without the functions the saver draws with: the saver modes refuse to start
# with an "Application Error" naming the first missing function and exit code 1 (a box where
# one can be answered), and the configuration dialog still opens. STAND_IN_GLU_DIR holds a libGLU.so.1 of that kind.
source "$(dirname "$0")/x11_e2e_lib.sh"
: "${STAND_IN_GLU_DIR:?}"
use_settings
export LD_LIBRARY_PATH="$STAND_IN_GLU_DIR${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
want="Application Error: Start-up error: The graphics library lacks the function gluPerspective"

echo "every saver mode refuses, before it needs a display"
for args in "/S" "/p 1234" "--root" "-window-id 0x400001"; do
  code=0
  # shellcheck disable=SC2086
  env -u DISPLAY timeout 20 "$ORVANTA" $args 2>"$E2E_TMP/err" || code=$?
  [ "$code" = 1 ] || fail "'$args' exited with $code, expected 1"
  grep -qxF "$want" "$E2E_TMP/err" || fail "'$args' said '$(cat "$E2E_TMP/err")', expected '$want'"
done

echo "with a display: the box, then exit code 1"
start_xvfb
start_saver /S
box="$(find_window "^Application Error$" 5)"
dismiss_box "$box"
expect_exit "$SAVER_PID" 3 1

echo "in XScreenSaver's mode no box: the line and exit code 1 at once"
start_saver --root
expect_exit "$SAVER_PID" 3 1
[ "$(cat "$E2E_TMP/saver.err")" = "$want" ] || fail "--root said '$(cat "$E2E_TMP/saver.err")'"

echo "the dialog opens all the same and closes with Anuluj"
start_saver
dialog="$(find_window "^Konfiguracja screensavera$" 5)"
timeout 3 xdotool windowfocus --sync "$dialog" 2>/dev/null || true
sleep 0.3
xdotool mousemove --window "$dialog" 457 193 click 1
expect_exit "$SAVER_PID" 3 0
echo PASS
