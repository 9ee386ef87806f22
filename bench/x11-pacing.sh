#!/bin/bash
# How much processor time `orvanta --root` takes with XScreenSaver's pacing, and what it
# draws and simulates for it: runs the saver on a private 1280x720 Xvfb for a fixed time
# with the default delay, with --delay 33333 and with --delay 0, and prints for each the
# processor seconds the saver used per wall-clock second, frames drawn per second and
# simulation frames per second (from the ORVANTA_FRAME_STATS line the saver prints at exit).
# Those rates cover the whole loop, its first seconds included, when a software renderer
# compiles the saver's shaders; a second, shorter run of WARM_UP seconds (default 5) gives the
# rates past them, from the difference of the two runs' counts ("past warm-up").
#
#   bench/x11-pacing.sh [seconds per run, default 10] [path to orvanta]
#
# Starts nothing it does not stop: Xvfb and each saver are ended by process id on exit.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-10}"
orvanta="${2:-$root/build/linux/src/app/orvanta}"
warm_up="${WARM_UP:-5}"
[ -x "$orvanta" ] || { echo "no program at $orvanta (build the linux preset first)" >&2; exit 1; }
[ "$seconds" -gt "$warm_up" ] || { echo "runs must be longer than WARM_UP ($warm_up s)" >&2; exit 1; }

source "$root/bench/x11_bench_lib.sh"
tmp="$BENCH_TMP"
start_private_xvfb 1280x720
xvfb="$XVFB_PID"
export ORVANTA_FRAME_STATS=1

# Starts the saver with the options given; its process id in SAVER, its standard error in
# the file $1 of the scratch folder.
start_saver() {
  local err="$tmp/$1"
  shift
  "$orvanta" --root "$@" 2>"$err" &
  SAVER=$!
  BENCH_PIDS+=("$SAVER")
}

# Ends the saver started last and puts the frame stats line it wrote to $1 in STATS.
end_saver() {
  local err="$tmp/$1"
  kill -TERM "$SAVER"
  wait "$SAVER" || { echo "the saver failed: $(cat "$err")" >&2; exit 1; }
  STATS="$(grep '^orvanta frame stats:' "$err")" ||
    { echo "no frame stats: $(cat "$err")" >&2; exit 1; }
}

run() {
  local label="$1"
  shift
  start_saver short.err "$@"
  sleep "$warm_up"
  end_saver short.err
  local short="$STATS"
  start_saver saver.err "$@"
  sleep 1  # start-up (textures, pools) is not what is measured
  local cpu0 xcpu0 t0 cpu1 xcpu1 t1
  cpu0="$(cpu_ticks "$SAVER")"
  xcpu0="$(cpu_ticks "$xvfb")"
  t0="$(date +%s.%N)"
  sleep "$seconds"
  cpu1="$(cpu_ticks "$SAVER")"
  xcpu1="$(cpu_ticks "$xvfb")"
  t1="$(date +%s.%N)"
  end_saver saver.err
  local stats="$STATS"
  # The counts cover the whole run, start-up second included; the rates use its length.
  awk -v label="$label" -v c0="$cpu0" -v c1="$cpu1" -v x0="$xcpu0" -v x1="$xcpu1" \
    -v t0="$t0" -v t1="$t1" -v hz="$clock_ticks" -v stats="$stats" -v short="$short" 'BEGIN {
      n = split(stats, f, /[ =]/)
      for (i = 1; i < n; i++) v[f[i]] = f[i + 1]
      n = split(short, f, /[ =]/)
      for (i = 1; i < n; i++) w[f[i]] = f[i + 1]
      wall = t1 - t0
      past = v["seconds"] - w["seconds"]
      printf "%-16s %8.2f %8.2f %9.1f %9.1f %9.1f %9.1f   %s\n", label, (c1 - c0) / hz / wall,
             (x1 - x0) / hz / wall, v["drawn"] / v["seconds"], v["simulated"] / v["seconds"],
             (v["drawn"] - w["drawn"]) / past, (v["simulated"] - w["simulated"]) / past, v["swap"]
    }'
}

echo "orvanta --root on Xvfb 1280x720, ${seconds}s a run, $(nproc) processors"
echo "the last two rates past the first ${warm_up}s: the difference of a ${warm_up}-s run's counts"
printf "%-16s %8s %8s %9s %9s %9s %9s   %s\n" "run" "cpu/s" "Xvfb/s" "drawn/s" "sim/s" \
  "drawn/s" "sim/s" "swap control"
run "default delay"
run "--delay 33333" --delay 33333
run "--delay 0" --delay 0
