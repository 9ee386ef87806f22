#!/bin/bash
# Resident memory over a long drawn run, for both programs that draw, side by side:
#   orvanta --root on a private 1280x720 Xvfb for SECONDS (default 600), sampled every 5 s;
#   orvanta-headless drawing FRAMES frames (default 36000, ten minutes of flight at 60 a
#   second) of SIZE (default 1280x720) with the default settings, sampled every 2 s.
# Prints the resident size (VmRSS) at each minute and at every tenth of the frames, and the
# growth of its level after the first minute (after frame FRAMES/10 for the headless run):
# the level of a minute (a tenth) is the median of its samples, and the growth is the highest
# later level over the first one. Mesa holds a block for a few seconds now and then, so single
# samples jump by a few per cent and are back 5 s later; the level moves only when memory is
# kept. A growth of more than 5 % is a fault: the script then exits with 1.
# Usage: bench/memory-soak.sh [SECONDS] [FRAMES] [SIZE]   (BUILD_DIR: default build/linux)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build/linux}"
seconds="${1:-600}" frames="${2:-36000}" size="${3:-1280x720}"
saver="$build/src/app/orvanta" headless="$build/tools/orvanta-headless"
[ -x "$saver" ] && [ -x "$headless" ] || { echo "build first: $saver, $headless" >&2; exit 2; }

source "$root/bench/x11_bench_lib.sh"
source "$root/bench/rss_level.sh"
work="$BENCH_TMP"

rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }

# Where the largest value of $1 was: "N MiB at P".
largest() { sort -k2 -n "$1" | tail -n1 | awk '{printf "%.1f MiB at %d", $2 / 1024, $1}'; }

# ---- the saver on a private server ------------------------------------------------------
start_private_xvfb 1280x720
mkdir -p "$work/config/QuorvelTarnwickFellworks"
: >"$work/config/QuorvelTarnwickFellworks/orvantaSS.conf"  # the default counts
XDG_CONFIG_HOME="$work/config" ORVANTA_FRAME_STATS=1 "$saver" --root 2>"$work/saver.err" &
saver_pid=$!
BENCH_PIDS+=("$saver_pid")

# ---- the off-screen program, its pictures removed as they come ---------------------------
mkdir "$work/frames"
"$headless" --seed 1 --settings 1500,1500,50,15 --frames "$frames" --size "$size" \
  --png "$work/frames/%06d.png" 2>"$work/headless.err" &
headless_pid=$!
BENCH_PIDS+=("$headless_pid")

start=$SECONDS next_saver=0
: >"$work/saver.rss"
: >"$work/headless.rss"
while kill -0 "$saver_pid" 2>/dev/null || kill -0 "$headless_pid" 2>/dev/null; do
  elapsed=$((SECONDS - start))
  if kill -0 "$saver_pid" 2>/dev/null; then
    if [ "$elapsed" -ge "$next_saver" ]; then
      echo "$elapsed $(rss_kib "$saver_pid")" >>"$work/saver.rss"
      next_saver=$((next_saver + 5))
    fi
    [ "$elapsed" -lt "$seconds" ] || kill -TERM "$saver_pid"
  fi
  if kill -0 "$headless_pid" 2>/dev/null; then
    newest="$(ls "$work/frames" | tail -n1)"
    if [ -n "$newest" ]; then
      echo "$((10#${newest%.png})) $(rss_kib "$headless_pid")" >>"$work/headless.rss"
      find "$work/frames" -name '*.png' ! -name "$newest" -delete
    fi
  fi
  sleep 2
done
wait "$headless_pid" || { echo "orvanta-headless failed: $(cat "$work/headless.err")" >&2; exit 2; }

status=0
echo "orvanta --root on 1280x720 Xvfb, ${seconds} s: VmRSS"
for minute in $(seq 1 $((seconds / 60))); do
  awk -v t=$((minute * 60)) '$1 >= t {printf "  minute %2d: %7.1f MiB\n", t / 60, $2 / 1024; exit}' \
    "$work/saver.rss"
done
awk '$1 >= 60' "$work/saver.rss" >"$work/saver.after"
saver_growth="$(growth "$work/saver.after" 60)"
echo "  growth of the level after the first minute: ${saver_growth} % (largest sample $(largest "$work/saver.after") s)"
grep '^orvanta frame stats:' "$work/saver.err" | sed 's/^/  /' || true

tenth=$((frames / 10))
echo "orvanta-headless, ${frames} frames of ${size}: VmRSS"
for step in $(seq 1 10); do
  awk -v f=$((step * tenth)) '$1 >= f {printf "  frame %6d: %7.1f MiB\n", $1, $2 / 1024; exit}' \
    "$work/headless.rss"
done
awk -v f="$tenth" '$1 >= f' "$work/headless.rss" >"$work/headless.after"
headless_growth="$(growth "$work/headless.after" "$tenth")"
echo "  growth of the level after frame ${tenth}: ${headless_growth} % (largest sample $(largest "$work/headless.after"))"

for pair in "orvanta:$saver_growth" "orvanta-headless:$headless_growth"; do
  if awk -v g="${pair#*:}" 'BEGIN {exit !(g > 5)}'; then
    echo "FAULT: ${pair%%:*} grew by ${pair#*:} % after its first minute" >&2
    status=1
  fi
done
exit "$status"
