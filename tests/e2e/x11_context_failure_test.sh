#!/bin/bash
# A display without GLX: the saver cannot find a pixel format, says so in its "Error" box,
# draws nothing and ends normally (exit code 0) once the box is closed.
source "$(dirname "$0")/x11_e2e_lib.sh"
start_xvfb "-extension GLX"
use_settings

start_saver /S
box="$(find_window "^Error$" 5)"
running "$SAVER_PID" || fail "the saver ended before its box was closed"
dismiss_box "$box"
expect_exit "$SAVER_PID" 3 0
[ "$(cat "$E2E_TMP/saver.err")" = "Error: Cant't Find A Suitable PixelFormat." ] ||
  fail "unexpected messages: $(cat "$E2E_TMP/saver.err")"
echo PASS
