#!/bin/bash
# The configuration dialog: opened by /C, by no argument and by /c:1234; "Zapisz" stores the
# four values as REG_DWORD, clamped into the sliders' ranges; "Anuluj" and the close button
# store nothing, even after a slider moved. Its frame stands at 223,116; the program has a
# task-bar entry titled with the application title; the keyboard works as in any dialog
# (real keys through xdotool). A key that may not be written fails the save in a box.
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
start_display
prepare_wine
reg_clear
CAPTION="Konfiguracja screensavera"

probe_focus() { probe dialog "$CAPTION" 2000 | grep '^focus=' || true; }

open_dialog() {  # open_dialog args...: starts the dialog; SEEN is what the probe sees there
  start_bg CFG wine "$ORVANTA_SCR" "$@"
  SEEN="$(probe dialog "$CAPTION" 20000)" ||
    fail "'$*' opened no dialog; it said: $(what_it_said CFG)"
}

# Defaults, saved as they are.
open_dialog /C
seen="$SEEN"
echo "$seen"
check "/C opens the dialog with its caption" grep -qx "caption=$CAPTION" <<<"$seen"
check "the client area is 500 x 227" grep -qx "client=500x227" <<<"$seen"
check "the window's frame stands at 223,116" grep -qx "frame=223,116" <<<"$seen"
check "the focus starts on Anuluj, the first tab stop" grep -qx "focus=Anuluj" <<<"$seen"
TITLE="Quorvel orvanta screensaver konfiguracja"
check "the application window is the visible, zero-sized, unowned task-bar entry" \
  test "$(probe appwindow "$TITLE")" = "visible=1 toolwindow=0 owner=0 size=0x0"
app_x="$(window_of "$TITLE" 5)" || fail "Wine maps no X window for the application window"
dialog_x="$(window_of "$CAPTION" 5)" || fail "no X window for the dialog"
check "Wine offers the application window to a task bar (no skip-taskbar state)" \
  bash -c "! xprop -id '$app_x' _NET_WM_STATE | grep -q SKIP_TASKBAR"
check "the dialog is left out of a task bar, as a window of the application window" \
  bash -c "xprop -id '$dialog_x' _NET_WM_STATE | grep -q SKIP_TASKBAR && xprop -id '$dialog_x' WM_TRANSIENT_FOR | grep -qi '$(printf '%#x' "$app_x")'"
check "the labels show the defaults" test "$(grep '^value=' <<<"$seen" | cut -d= -f2 | paste -sd,)" = "1500,1500,50,15"
check "the pointer shows over the dialog" test "$(probe cursor)" = showing
check "the sliders' ranges" test "$(grep '^slider' <<<"$seen" | sed 's/@.*//' | cut -d= -f2 | paste -sd,)" = "50..2000,50..2000,10..300,1..50"
probe click "$CAPTION" Zapisz
expect_exit "Zapisz closes the dialog with exit code 0" "$CFG" 10 0
check "Zapisz stores the four values as REG_DWORD" test "$(reg_values | sort | paste -sd,)" = \
  "Dym REG_DWORD 0x5dc,Gwiazd REG_DWORD 0x5dc,Swiatel REG_DWORD 0xf,Wybuch REG_DWORD 0x32"

# Out-of-range values are shown and saved clamped.
reg_set_dword Gwiazd 20
reg_set_dword Dym 5000
open_dialog
seen="$SEEN"
check "no argument opens the dialog" grep -qx "caption=$CAPTION" <<<"$seen"
check "a stored 20 shows 50 and 5000 shows 2000" test "$(grep '^value=' <<<"$seen" | cut -d= -f2 | paste -sd,)" = "50,2000,50,15"
probe click "$CAPTION" Zapisz
expect_exit "the dialog ends with exit code 0" "$CFG" 10 0
check "20 is saved as 50 and 5000 as 2000" test "$(reg_values | sort | paste -sd,)" = \
  "Dym REG_DWORD 0x7d0,Gwiazd REG_DWORD 0x32,Swiatel REG_DWORD 0xf,Wybuch REG_DWORD 0x32"

# Anuluj after moving a slider.
before="$(reg_values | sort)"
open_dialog /c:1234
seen="$SEEN"
check "/c:1234 opens the dialog" grep -qx "caption=$CAPTION" <<<"$seen"
probe slide "$CAPTION" 2 300
seen="$(probe dialog "$CAPTION" 5000)"
check "moving the explosions slider to its end shows 300 and nothing else changes" \
  test "$(grep '^value=' <<<"$seen" | cut -d= -f2 | paste -sd,)" = "50,2000,300,15"
probe click "$CAPTION" Anuluj
expect_exit "Anuluj closes the dialog with exit code 0" "$CFG" 10 0
check "Anuluj leaves the registry as it was" test "$(reg_values | sort)" = "$before"

# The keyboard. From Anuluj, Tab reaches the meteors' slider: arrows move it by 1, Page Down
# and Page Up by 2; Enter and Escape do nothing; Tab then reaches Zapisz and Space presses it.
reg_clear
open_dialog /C
dialog_x="$(window_of "$CAPTION" 5)"
xdotool windowfocus "$dialog_x"
xdotool key Tab Right Right Next Prior Left
sleep 0.5
check "arrows and Page keys move the focused slider by 1 and 2 (1500 to 1501)" \
  test "$(probe dialog "$CAPTION" 5000 | grep '^value=' | head -1)" = "value=1501"
xdotool key Return Escape
sleep 1
check "Enter and Escape neither close nor save" \
  bash -c "kill -0 $CFG && ! wine reg query '$REGKEY' /v Gwiazd >/dev/null 2>&1"
xdotool key Tab space
expect_exit "Tab to Zapisz and Space save and close (exit code 0)" "$CFG" 10 0
check "the keyboard's 1501 is stored" test "$(reg_values | grep '^Gwiazd ')" = "Gwiazd REG_DWORD 0x5dd"

# Tab, Tab, Space from the opening focus presses Zapisz.
reg_clear
open_dialog /C
xdotool windowfocus "$(window_of "$CAPTION" 5)"
xdotool key Tab Tab space
expect_exit "Tab, Tab, Space presses Zapisz" "$CFG" 10 0
check "and the defaults are stored" test "$(reg_values | wc -l)" = 4

# Picking the task-bar entry after another application was in front brings the dialog back,
# with the focus on the control that had it. (Wine without a window manager activates
# nothing on X focus alone, so the probe picks the entry as the task bar would.)
open_dialog /C
xdotool windowfocus "$(window_of "$CAPTION" 5)"
xdotool key Tab
probe front 1500 || fail "the other application did not come to the front"
check "the dialog has no focus while another application is in front" test -z "$(probe_focus)"
probe activate "$TITLE" || fail "the task-bar entry could not be picked"
sleep 0.5
check "picking the task-bar entry gives the focus back to the meteors' slider" \
  test "$(probe_focus)" = "focus=msctls_trackbar32"
xdotool key Right
sleep 0.5
check "and the keys reach it again" \
  test "$(probe dialog "$CAPTION" 5000 | grep '^value=' | head -1)" = "value=1501"
probe close "$CAPTION"
expect_exit "the dialog closes" "$CFG" 10 0
before="$(reg_values | sort)"

# The close button after moving a slider.
open_dialog /C
probe slide "$CAPTION" 0 777
probe close "$CAPTION"
expect_exit "the close button ends the dialog with exit code 0" "$CFG" 10 0
check "the close button leaves the registry as it was" test "$(reg_values | sort)" = "$before"

# A key that nobody may set values under: the dialog opens with the defaults (the key cannot
# be opened with full access), Zapisz shows the registry's error in a box titled with the
# application title, the dialog stays for Anuluj, and the stored value stays.
reg_clear
reg_set_dword Dym 200
KEY_PATH='Software\QuorvelTarnwickFellworks\orvantaSS'
probe keyaccess "$KEY_PATH" deny-writes || fail "the key's security could not be set"
open_dialog /C
check "a key that cannot be opened for writing shows the defaults" \
  test "$(grep '^value=' <<<"$SEEN" | cut -d= -f2 | paste -sd,)" = "1500,1500,50,15"
probe click "$CAPTION" Zapisz
check "the failed save is shown in a box titled with the application title" \
  test "$(probe box "$TITLE" 10000)" = 'Failed to create key \Software\QuorvelTarnwickFellworks\orvantaSS'
check "the dialog stays open after the box" \
  grep -qx "caption=$CAPTION" <<<"$(probe dialog "$CAPTION" 2000)"
probe click "$CAPTION" Anuluj
expect_exit "Anuluj then ends it with exit code 0" "$CFG" 10 0
check "the stored value is kept" test "$(reg_values)" = "Dym REG_DWORD 0xc8"
probe keyaccess "$KEY_PATH" allow-all || fail "the key's security could not be lifted"
reg_clear
finish
