#!/bin/bash
# A glu32.dll without the functions the saver draws with, beside a copy of orvanta.scr: /S
# and /P refuse with an "Application Error" box naming the first missing function and exit
# code 1; the configuration dialog opens all the same.
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
: "${ORVANTA_STAND_IN_GLU32:?}"
start_display
prepare_wine
reg_clear

dir="$WORK/missing-glu"
mkdir -p "$dir"
cp "$ORVANTA_SCR" "$dir/orvanta.scr"
cp "$ORVANTA_STAND_IN_GLU32" "$dir/glu32.dll"
# Wine would otherwise prefer its own glu32 to the one beside the program.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;glu32=n"
want="The graphics library lacks the function gluPerspective"

# The libraries are checked before the preview's window is looked for, so any handle will do.
for args in "/S" "/P 1234"; do
  # shellcheck disable=SC2086
  start_bg SAVER wine "$dir/orvanta.scr" $args
  text="$(probe box "Application Error" 15000)" || true
  echo "box for $args: $text"
  check "$args without GLU shows \"$want\"" grep -qF -- "$want" <<<"$text"
  expect_exit "$args without GLU exits with code 1" "$SAVER" 10 1
done

start_bg CFG wine "$dir/orvanta.scr" /C
seen="$(probe dialog "Konfiguracja screensavera" 20000)" ||
  fail "/C opened no dialog without GLU; it said: $(what_it_said CFG)"
check "the dialog opens without GLU" grep -qx "caption=Konfiguracja screensavera" <<<"$seen"
probe click "Konfiguracja screensavera" Anuluj
expect_exit "Anuluj closes it with exit code 0" "$CFG" 10 0
finish
