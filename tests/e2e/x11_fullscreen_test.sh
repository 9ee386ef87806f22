#!/bin/bash
# orvanta /S: a picture; the pointer may wander 15 pixels but not 16; a key ends
# the saver too (not Alt, F10 or an Alt chord), and so does another window taking the focus. Each ending is a normal one (exit code 0).
source "$(dirname "$0")/x11_e2e_lib.sh"
start_xvfb
use_settings

echo "pointer tolerance"
xdotool mousemove 500 400
start_saver /S
expect_picture root 10
xdotool mousemove 515 415
expect_still_running "$SAVER_PID" root "a move of 15 pixels"
xdotool mousemove 516 400
expect_exit "$SAVER_PID" 10 0

echo "a key ends it"
start_saver /s ignored-argument
expect_picture root 10
xdotool key a
expect_exit "$SAVER_PID" 10 0

echo "Alt, F10 and Alt chords are system keys and do not end it; a plain key does"
start_saver /S
expect_picture root 10
xdotool key --delay 100 alt F10 alt+x
expect_still_running "$SAVER_PID" root "a system key"
xdotool key a
expect_exit "$SAVER_PID" 10 0

echo "a click alone does not; 16 pixels up does"
xdotool mousemove 500 400
start_saver /S
expect_picture root 10
xdotool click 1
expect_still_running "$SAVER_PID" root "a click without movement"
xdotool mousemove 500 384
expect_exit "$SAVER_PID" 10 0

echo "another window taking the focus ends it"
start_host 50 50
start_saver /S
expect_picture root 10
xdotool windowfocus "$HOST_WINDOW"
expect_exit "$SAVER_PID" 10 0
echo PASS
