#!/bin/bash
# Started the way XScreenSaver starts its savers: into a window named by -window-id (hex
# here) or by XSCREENSAVER_WINDOW, or onto the root with -root; SIGTERM ends it with exit
# code 0.
source "$(dirname "$0")/x11_e2e_lib.sh"
start_xvfb
use_settings

echo "-window-id 0x..."
start_host 320 240
start_saver -window-id "$(printf '0x%x' "$HOST_WINDOW")"
expect_picture "$HOST_WINDOW" 3
kill -TERM "$SAVER_PID"
expect_exit "$SAVER_PID" 1 0

echo "XSCREENSAVER_WINDOW"
XSCREENSAVER_WINDOW="$HOST_WINDOW" start_saver
expect_picture "$HOST_WINDOW" 3
xdotool key a
sleep 0.3
running "$SAVER_PID" || fail "a key ended a saver whose input belongs to XScreenSaver"
kill -TERM "$SAVER_PID"
expect_exit "$SAVER_PID" 1 0

echo "-root"
kill -TERM "$HOST_PID"
start_saver -root
expect_picture root 3
kill -TERM "$SAVER_PID"
expect_exit "$SAVER_PID" 1 0

echo "a window that does not exist"
start_saver --window-id 0x1fffff00
box="$(find_window "^Application Error$" 5)"
dismiss_box "$box"
expect_exit "$SAVER_PID" 3 1
grep -q "Application Error: Start-up error: '536870656' is not a window handle" "$E2E_TMP/saver.err" ||
  fail "unexpected message: $(cat "$E2E_TMP/saver.err")"
echo PASS
