#!/bin/bash
# A saver whose surface finds no pixel format: exactly one "Error" box with its text, no
# frame drawn, exit code 0.
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
start_display
prepare_wine
reg_clear

start_bg SAVER wine "$ORVANTA_FAILING_SCR" /S
text="$(probe box "Error" 15000)" || true
echo "box: $text"
check "the box says \"Cant't Find A Suitable PixelFormat.\"" test "$text" = "Cant't Find A Suitable PixelFormat."
check "no second box follows" probe nobox "Error" 2000
expect_exit "the saver exits with code 0" "$SAVER" 10 0
check "no frame was drawn" bash -c '! grep -q "frame drawn" "$0"' "$WORK/SAVER.err"
finish
