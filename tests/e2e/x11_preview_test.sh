#!/bin/bash
# orvanta /P <window>: the picture fills the host's window and follows its size; keys and
# the pointer leave it running; destroying the host ends it within a second of the
# destruction, exit code 0.
source "$(dirname "$0")/x11_e2e_lib.sh"
start_xvfb
use_settings

start_host 200 150
start_saver /p "$HOST_WINDOW"
expect_picture "$HOST_WINDOW" 10

echo "fills the host and follows its size"
[ "$(child_size "$HOST_WINDOW")" = "200x150" ] || fail "preview is $(child_size "$HOST_WINDOW"), not 200x150"
kill -USR1 "$HOST_PID"
for i in $(seq 20); do [ "$(child_size "$HOST_WINDOW")" = "400x300" ] && break; sleep 0.1; done
[ "$(child_size "$HOST_WINDOW")" = "400x300" ] || fail "preview is $(child_size "$HOST_WINDOW") after the host grew to 400x300"
# Something is drawn in the part of the host that was not there before.
expect_picture "$HOST_WINDOW" 10 200x150+200+150

echo "input does not end it"
xdotool mousemove 100 100
xdotool mousemove 300 250
xdotool key a
expect_still_running "$SAVER_PID" "$HOST_WINDOW" "input"

echo "ends with its host"
expect_end_within 1000 "host destroyed" --destroy "$HOST_WINDOW" "$SAVER_PID"
expect_exit_code "$SAVER_PID" 0
echo PASS
