#!/bin/bash
# orvanta.scr /P <hwnd>: the preview becomes a child filling the host's window, draws nothing
# outside it, and ends, exit code 0, within a second of the host destroying that window.
#
# Whether the picture shows inside the host is not checked here: Wine 8 keeps the GL surface
# of a child window whose parent belongs to another process off screen, so under Wine the
# host's window stays black even though the preview draws.
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
start_display
prepare_wine
reg_clear

ready="$WORK/ready.txt" go="$WORK/go.txt" out="$WORK/out.txt"
start_bg HOST wine "$ORVANTA_PROBE" host "Z:$ORVANTA_SCR" "Z:$ready" "Z:$go" "Z:$out"
for _ in $(seq 300); do [ -s "$ready" ] && break; sleep 0.1; done
read -r _x _y w h cw ch <"$ready" || { fail "the host window was not made"; finish; }
check "the preview is a child window filling the host's client area (${cw}x${ch})" \
  test "${cw}x${ch}" = "${w}x${h}"
sleep 2
check "nothing is drawn outside the host's window" \
  awk -v s="$(bright_share "400x200+400+400")" 'BEGIN { exit !(s < 0.0001) }'
touch "$go"
wait_exit "$HOST" 10
[ "$EXIT_CODE" = 0 ] || fail "the host program failed ($EXIT_CODE)"
result="$(cat "$out" 2>/dev/null || echo missing)"
echo "host saw: $result"
check "the preview ends with exit code 0 within 1 s of its window's destruction" \
  awk -v r="$result" 'BEGIN { split(r, f, " "); exit !(f[1] == "ended" && f[2] <= 1000 && f[3] == 0) }'
finish
