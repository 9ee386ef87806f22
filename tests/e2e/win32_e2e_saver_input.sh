#!/bin/bash
# orvanta.scr /S: a picture within a few seconds and no pointer over it; a key ends it with exit code 0; the pointer
# may wander 15 pixels each way, a click does nothing, and 16 pixels end it; another
# application coming to the front ends it too.
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
start_display
prepare_wine
reg_clear

# A key.
xdotool mousemove 400 300
start_bg SAVER wine "$ORVANTA_SCR" /S
check "the saver window is there, captioned Form1" window_of Form1 15 >/dev/null
check "a non-black picture appears within a few seconds" wait_for_picture 10
check "the saver hides the pointer" test "$(probe cursor)" = hidden
check "one monitor: no cover window beside the saver window" test "$(probe count OrvantaCover)" = 0
check "the saver window covers the whole screen" \
  test "$(xdotool getwindowgeometry "$(window_of Form1 1)" | awk '/Geometry/ { print $2 }')" = 800x600
check "the application window is a hidden tool window: no task-bar entry" \
  test "$(probe appwindow "Quorvel orvanta screensaver")" = "visible=0 toolwindow=1 owner=0 size=0x0"
xdotool key a
expect_exit "a key ends the saver with exit code 0" "$SAVER" 5 0

# The pointer.
xdotool mousemove 400 300
start_bg SAVER wine "$ORVANTA_SCR" /s
window_of Form1 15 >/dev/null || true
check "lower-case /s saves the screen too" wait_for_picture 10
xdotool mousemove 415 315
check "a move of 15 pixels down and right keeps the saver" keeps_drawing "$SAVER"
xdotool mousemove 385 285
check "a move of 15 pixels up and left keeps the saver" keeps_drawing "$SAVER"
xdotool click 1
check "a click without movement keeps the saver" keeps_drawing "$SAVER"
xdotool mousemove 416 300
expect_exit "a move of 16 pixels ends the saver with exit code 0" "$SAVER" 5 0

# Another application.
xdotool mousemove 400 300
start_bg SAVER wine "$ORVANTA_SCR" /S
window_of Form1 15 >/dev/null || true
wait_for_picture 10 || fail "no picture before switching applications"
start_bg OTHER wine "$ORVANTA_PROBE" front 8000
expect_exit "switching to another application ends the saver with exit code 0" "$SAVER" 6 0
finish
