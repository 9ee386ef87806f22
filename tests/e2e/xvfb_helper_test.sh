#!/bin/bash
# The private Xvfb every X11 test and benchmark starts: each server of the table comes up on
# a display of its own with the size and extensions asked for (all in one folder, as when a
# test starts a second one), one that cannot start says so and fails, and xvfb_stop leaves
# none of them running.
set -euo pipefail
here="$(dirname "$0")"
source "$here/../../scripts/lib/xvfb.sh"
tmp="$(mktemp -d)"
trap 'xvfb_stop; rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
trim() { sed 's/^ *//; s/ *$//' <<<"$1"; }

pids=() displays=() n=0
while IFS='|' read -r size options want; do
  size="$(trim "$size")" options="$(trim "$options")" want="$(trim "$want")"
  n=$((n + 1))
  echo "$size, options '$options': $want"
  if [ "$want" = fails ]; then
    if xvfb_start "$tmp" "$size" "$options" 2>"$tmp/err"; then fail "it started"; fi
    grep -q '^Xvfb did not start: ' "$tmp/err" || fail "it did not say why: $(cat "$tmp/err")"
    ! kill -0 "$XVFB_PID" 2>/dev/null || fail "the server that failed is left running"
    continue
  fi
  xvfb_start "$tmp" "$size" "$options" || fail "it did not start"
  for other in "${displays[@]}"; do [ "$other" != "$DISPLAY" ] || fail "$DISPLAY is taken twice"; done
  pids+=("$XVFB_PID") displays+=("$DISPLAY")
  xdpyinfo -queryExtensions >"$tmp/info" || fail "no server on $DISPLAY"
  grep -q "dimensions: *${size} pixels" "$tmp/info" || fail "$(grep dimensions: "$tmp/info")"
  has=no-glx
  grep -q '^ *GLX' "$tmp/info" && has=glx
  [ "$has" = "$want" ] || fail "$DISPLAY: $has"
done < <(grep -v '^#' "$here/../data/xvfb_helper_cases.txt")
[ "${#pids[@]}" -ge 2 ] || fail "no table"

echo "xvfb_stop ends every one of them"
xvfb_stop
for pid in "${pids[@]}"; do ! kill -0 "$pid" 2>/dev/null || fail "Xvfb $pid is still running"; done
for display in "${displays[@]}"; do
  [ ! -e "/tmp/.X${display#:}-lock" ] || fail "the lock of $display is left"
done
echo PASS
