#!/bin/bash
# Started the way XScreenSaver starts its savers: into a window named by -window-id (hex
# here) or by XSCREENSAVER_WINDOW, or onto the root with -root; SIGTERM ends it with exit
# code 0; a start-up error is a line on standard error and exit code 1, never a box.
source "$(dirname "$0")/x11_e2e_lib.sh"
start_xvfb
use_settings

echo "-window-id 0x..."
start_host 320 240
start_saver -window-id "$(printf '0x%x' "$HOST_WINDOW")"
expect_picture "$HOST_WINDOW" 10
kill -TERM "$SAVER_PID"
expect_exit "$SAVER_PID" 10 0

echo "XSCREENSAVER_WINDOW"
XSCREENSAVER_WINDOW="$HOST_WINDOW" start_saver
expect_picture "$HOST_WINDOW" 10
xdotool key a
expect_still_running "$SAVER_PID" "$HOST_WINDOW" "a key"
kill -TERM "$SAVER_PID"
expect_exit "$SAVER_PID" 10 0

echo "-root"
kill -TERM "$HOST_PID"
start_saver -root
expect_picture root 10
kill -TERM "$SAVER_PID"
expect_exit "$SAVER_PID" 10 0

echo "start-up errors: one line on standard error and exit code 1 at once, never a box"
# XScreenSaver has grabbed the screen: a box would wait for an answer nobody can give.
start_host 320 240
while IFS='|' read -r stored words want; do
  [[ "$stored" =~ ^[[:space:]]*# ]] && continue
  stored="$(echo $stored)" want="$(echo $want)"
  [ "$stored" = - ] && use_settings || use_settings "$stored"
  echo "  $words"
  # shellcheck disable=SC2086
  start_saver_words $words
  expect_exit "$SAVER_PID" 3 1
  [ "$(cat "$E2E_TMP/saver.err")" = "$want" ] ||
    fail "'$words' said '$(cat "$E2E_TMP/saver.err")', expected '$want'"
done <"$(dirname "$0")/../data/xscreensaver_startup_errors.txt"
echo PASS
