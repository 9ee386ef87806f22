#!/bin/bash
# The picture follows its window's size in every mode that draws (tests/data/x11_modes.txt):
# the host's window (a preview, XScreenSaver's window named by -window-id or
# XSCREENSAVER_WINDOW, or its virtual root for -root) grows from 320 x 240 to 640 x 480 as
# XScreenSaver's does after a monitor change, and the full-screen window is made smaller and
# larger again. A picture in the quarter of the grown window that the old size cannot reach
# shows that the projection and viewport followed, not only the window.
source "$(dirname "$0")/x11_e2e_lib.sh"
use_settings
start_xvfb
mapfile -t MODES < <(grep -v '^#' "$(dirname "$0")/../data/x11_modes.txt")
[ "${#MODES[@]}" -ge 6 ] || fail "no mode table"

# Waits up to 5 s for window $1's first child to be $2.
expect_child_size() {
  local i
  for i in $(seq 50); do [ "$(child_size "$1")" = "$2" ] && return 0; sleep 0.1; done
  fail "the drawn window is $(child_size "$1"), not $2"
}

for mode in "${MODES[@]}"; do
  read -r name shows args <<<"$mode"
  [ "$shows" = dialog ] && continue
  echo "$name"
  if [ "$name" = fullscreen ]; then
    # shellcheck disable=SC2086
    start_saver $args
    expect_picture root 10
    top="$(find_window "^Form1$" 5)"
    xdotool windowsize "$top" 512 384
    expect_child_size "$top" 512x384
    xdotool windowsize "$top" 1024 768
    expect_child_size "$top" 1024x768
    expect_picture "$top" 10 512x384+512+0
  else
    # -root draws on the virtual root XScreenSaver marks; the others into the host itself.
    marked=()
    [ "$name" = root ] && marked=(--vroot)
    start_host 320 240 "${marked[@]}"
    # shellcheck disable=SC2086
    start_saver_words $args
    expect_picture "$HOST_WINDOW" 10
    kill -USR1 "$HOST_PID"
    expect_picture "$HOST_WINDOW" 10 320x240+320+0
  fi
  kill -TERM "$SAVER_PID"
  expect_exit "$SAVER_PID" 10 0
  [ "$name" = fullscreen ] || { kill -TERM "$HOST_PID"; wait "$HOST_PID" || true; }
done
echo PASS
