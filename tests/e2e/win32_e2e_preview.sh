#!/bin/bash
# orvanta.scr /P <hwnd>: the preview becomes a child filling the host's window, draws its
# picture at the host's size, draws nothing outside the host, and ends, exit code 0, within a
# second of the host destroying that window.
#
# Wine 8 keeps the GL surface of a child window whose parent belongs to another process off
# screen, so the host's window stays black under Wine even though the preview draws. The
# drawing is therefore checked through a build of the saver that reads back every frame it
# draws (win32_reading_back_surface_main.cpp); the real saver is checked for everything else.
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
start_display
prepare_wine
reg_clear

# run_host SCR NAME: the probe's host window starts "SCR /P <hwnd>"; sets HOST_READY to
# "x y width height child-width child-height handle" and leaves the go file to the caller.
run_host() {
  local scr="$1" name="$2"
  READY="$WORK/$name-ready.txt" GO="$WORK/$name-go.txt" OUT="$WORK/$name-out.txt"
  start_bg HOST wine "$ORVANTA_PROBE" host "Z:$scr" "Z:$READY" "Z:$GO" "Z:$OUT"
  local i
  # The probe itself gives the saver 20 s to attach; starting Wine's programs on a loaded
  # machine takes more besides, so wait well past that.
  for i in $(seq 900); do [ -s "$READY" ] && break; sleep 0.1; done
  HOST_READY="$(cat "$READY" 2>/dev/null || true)"
}

# end_host: destroys the host's window and checks that the preview ended with it.
end_host() {
  touch "$GO"
  wait_exit "$HOST" 10
  [ "$EXIT_CODE" = 0 ] || fail "the host program failed ($EXIT_CODE)"
  local result
  result="$(cat "$OUT" 2>/dev/null || echo missing)"
  echo "host saw: $result"
  check "the preview ends with exit code 0 within 1 s of its window's destruction" \
    awk -v r="$result" 'BEGIN { split(r, f, " "); exit !(f[1] == "ended" && f[2] <= 1000 && f[3] == 0) }'
}

# Frames of WIDTHxHEIGHT drawn as a child of HANDLE, counted from the report.
frames_in_host() {
  awk -v size="$1x$2" -v parent="$3" '$2 == size && $6 == parent { n++ } END { print n + 0 }' \
    "$REPORT" 2>/dev/null || echo 0
}

# The share of lit pixels in the newest frame of the report.
newest_lit_share() {
  tail -n 1 "$REPORT" 2>/dev/null |
    awk '{ split($2, s, "x"); if (s[1] * s[2] > 0) print $4 / (s[1] * s[2]); else print 0 }'
}

# ---- the real saver: attaching, nothing outside the host, ending -----------------------------
run_host "$ORVANTA_SCR" real
read -r _x _y w h cw ch _handle <<<"$HOST_READY" || { fail "the host window was not made"; finish; }
check "the preview is a child window filling the host's client area (${cw}x${ch})" \
  test "${cw}x${ch}" = "${w}x${h}"
sleep 2
check "the preview's application window stays a hidden tool window: no task-bar entry" \
  test "$(probe appwindow "Quorvel orvanta screensaver")" = "visible=0 toolwindow=1 owner=0 size=0x0"
check "nothing is drawn outside the host's window" \
  awk -v s="$(bright_share "400x200+400+400")" 'BEGIN { exit !(s < 0.0001) }'
end_host

# ---- the reading-back build: the picture it draws inside the host ----------------------------
REPORT="$WORK/frames.txt"
export ORVANTA_FRAME_REPORT="Z:$REPORT"
run_host "$ORVANTA_READING_BACK_SCR" reading
read -r _x _y w h _cw _ch handle <<<"$HOST_READY" || { fail "the host window was not made"; finish; }
# Up to 10 s for a run of frames with a picture in the newest.
lit=0 frames=0
for _ in $(seq 20); do
  lit="$(newest_lit_share)" frames="$(frames_in_host "$w" "$h" "$handle")"
  [ "$frames" -ge 10 ] && awk -v s="$lit" 'BEGIN { exit !(s > 0.001) }' && break
  sleep 0.5
done
echo "frames drawn at ${w}x${h} inside window $handle: $frames; lit share of the newest: $lit"
check "the preview draws frames of the host's size as a child of the host's window" \
  test "$frames" -ge 10
check "the preview's picture is not black" awk -v s="$lit" 'BEGIN { exit !(s > 0.001) }'
check "every frame the preview drew was inside the host" \
  test "$(awk -v size="${w}x$h" -v parent="$handle" '$2 != size || $6 != parent' "$REPORT")" = ""
end_host
finish
