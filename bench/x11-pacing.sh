#!/bin/bash
# How much processor time `orvanta --root` takes with XScreenSaver's pacing, and what it
# draws and simulates for it: runs the saver on a private 1280x720 Xvfb for a fixed time
# with the default delay, with --delay 33333 and with --delay 0, and prints for each the
# processor seconds the saver used per wall-clock second, frames drawn per second and
# simulation frames per second (from the ORVANTA_FRAME_STATS line the saver prints at exit).
#
#   bench/x11-pacing.sh [seconds per run, default 10] [path to orvanta]
#
# Starts nothing it does not stop: Xvfb and each saver are ended by process id on exit.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-10}"
orvanta="${2:-$root/build/linux/src/app/orvanta}"
[ -x "$orvanta" ] || { echo "no program at $orvanta (build the linux preset first)" >&2; exit 1; }

source "$root/bench/x11_bench_lib.sh"
tmp="$BENCH_TMP"
start_private_xvfb 1280x720
xvfb="$XVFB_PID"
export ORVANTA_FRAME_STATS=1

run() {
  local label="$1"
  shift
  "$orvanta" --root "$@" 2>"$tmp/saver.err" &
  local saver=$!
  BENCH_PIDS+=("$saver")
  sleep 1  # start-up (textures, pools) is not what is measured
  local cpu0 xcpu0 t0 cpu1 xcpu1 t1
  cpu0="$(cpu_ticks "$saver")"
  xcpu0="$(cpu_ticks "$xvfb")"
  t0="$(date +%s.%N)"
  sleep "$seconds"
  cpu1="$(cpu_ticks "$saver")"
  xcpu1="$(cpu_ticks "$xvfb")"
  t1="$(date +%s.%N)"
  kill -TERM "$saver"
  wait "$saver" || { echo "the saver failed: $(cat "$tmp/saver.err")" >&2; exit 1; }
  local stats
  stats="$(grep '^orvanta frame stats:' "$tmp/saver.err")" ||
    { echo "no frame stats: $(cat "$tmp/saver.err")" >&2; exit 1; }
  # The counts cover the whole run, start-up second included; the rates use its length.
  awk -v label="$label" -v c0="$cpu0" -v c1="$cpu1" -v x0="$xcpu0" -v x1="$xcpu1" \
    -v t0="$t0" -v t1="$t1" -v hz="$clock_ticks" -v stats="$stats" 'BEGIN {
      n = split(stats, f, /[ =]/)
      for (i = 1; i < n; i++) v[f[i]] = f[i + 1]
      wall = t1 - t0
      printf "%-16s %8.2f %8.2f %9.1f %9.1f   %s\n", label, (c1 - c0) / hz / wall,
             (x1 - x0) / hz / wall, v["drawn"] / v["seconds"], v["simulated"] / v["seconds"],
             v["swap"]
    }'
}

echo "orvanta --root on Xvfb 1280x720, ${seconds}s a run, $(nproc) processors"
printf "%-16s %8s %8s %9s %9s   %s\n" "run" "cpu/s" "Xvfb/s" "drawn/s" "sim/s" "swap control"
run "default delay"
run "--delay 33333" --delay 33333
run "--delay 0" --delay 0
