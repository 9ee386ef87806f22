#!/bin/bash
# The configuration dialog on a scaled display (144 pixels per inch, in a prefix of its own):
# the frame still stands at 223,116, the client area is 750 x 341 (500 x 227 designed), every
# control has its designed box scaled by 1.5 and the sliders' thumbs 27 pixels. A picture of
# it is kept as e2e-work/dialog-144dpi.png. (That no text is cut is measured inside the
# dialog's own process by win32_window_test_144dpi: fonts cannot be read from outside.)
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
: "${ORVANTA_E2E_DPI:?}"
DESIGN_AT_DPI="$(dirname "${BASH_SOURCE[0]}")/../data/cfg_dialog_dpi.txt"
start_display 1280x800  # room for the whole dialog at 1.5 times its size
prepare_wine
set_display_dpi "$ORVANTA_E2E_DPI"
reg_clear
CAPTION="Konfiguracja screensavera"

start_bg CFG wine "$ORVANTA_SCR" /C
layout="$(probe layout "$CAPTION" 20000)" ||
  fail "the dialog did not open; it said: $(what_it_said CFG)"
echo "$layout"
check "the frame stands at 223,116 at $ORVANTA_E2E_DPI DPI too" grep -qx "frame=223,116" <<<"$layout"
read -r cw ch cx cy < <(sed -n 's/^client=\([0-9]*\)x\([0-9]*\)+\([0-9-]*\)+\([0-9-]*\)$/\1 \2 \3 \4/p' <<<"$layout")
check "the client area is 750 x 340 (within a pixel): ${cw}x${ch}" \
  awk -v w="$cw" -v h="$ch" 'BEGIN { exit !(w >= 749 && w <= 751 && h >= 339 && h <= 341) }'

# Every control's box against the design at this density (the link's width follows its text).
boxes() {  # "left top width height" per control, sorted; the link without its width
  sed -n '/^\(Static\|Button\|msctls_trackbar32\) /p' <<<"$layout" |
    awk -F'[ |]' '{ w = ($0 ~ /[|]Quorvel Tarnwick/) ? "*" : $4; print $2, $3, w, $5 }' | sort
}
expected_boxes() {
  awk -v dpi="$ORVANTA_E2E_DPI" '$1 == "dpi" { on = ($2 == dpi) } on && NF == 5 && $1 != "dpi" {
      print $2, $3, ($1 == "Label3" ? "*" : $4), $5 }' "$DESIGN_AT_DPI" | sort
}
check "every control has its designed box scaled to the density (15 controls)" \
  test "$(boxes)" = "$(expected_boxes)" -a "$(boxes | wc -l)" = 15
check "the sliders' thumbs are scaled to 27 pixels" \
  test "$(grep -c '^msctls_trackbar32 .* 27|' <<<"$layout")" = 4

sleep 1
shot="$ORVANTA_E2E_WORK/dialog-${ORVANTA_E2E_DPI}dpi.png"
import -window root -crop "${cw}x${ch}+${cx}+${cy}" +repage "$shot" 2>/dev/null
check "the picture of the dialog shows its texts and sliders" \
  awk -v s="$(convert "$shot" -colorspace Gray -threshold 50% -format '%[fx:mean]' info:)" \
  'BEGIN { exit !(s > 0.01) }'
echo "picture: $shot"

probe click "$CAPTION" Zapisz
expect_exit "Zapisz closes the dialog with exit code 0" "$CFG" 10 0
check "and stores the four values" test "$(reg_values | wc -l)" = 4
finish
