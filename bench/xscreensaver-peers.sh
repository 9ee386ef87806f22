#!/bin/bash
# How much processor time XScreenSaver's own GL hacks take on this machine's renderer,
# beside `orvanta --root` (with the default pools and with 500 meteors and 500 puffs): runs
# each on a private 1280x720 Xvfb with XScreenSaver's default delay for a fixed time and
# prints the processor seconds it used per wall-clock second.
# The hacks come from the xscreensaver-gl package (not installed by this script).
#
#   bench/xscreensaver-peers.sh [seconds per run, default 15] [path to orvanta] [hack...]
#
# Starts nothing it does not stop: Xvfb and each program are ended by process id on exit.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-15}"
orvanta="${2:-$root/build/linux/src/app/orvanta}"
shift $(($# < 2 ? $# : 2))
hacks=("$@")
[ ${#hacks[@]} -gt 0 ] || hacks=(gears moebiusgears pipes cubestorm glmatrix flyingtoasters molecule)
hackdir=/usr/libexec/xscreensaver
[ -x "$orvanta" ] || { echo "no program at $orvanta (build the linux preset first)" >&2; exit 1; }

source "$root/bench/x11_bench_lib.sh"
tmp="$BENCH_TMP"
start_private_xvfb 1280x720

run() {
  local label="$1"
  shift
  "$@" >/dev/null 2>"$tmp/program.err" &
  local program=$!
  BENCH_PIDS+=("$program")
  sleep 2  # start-up is not what is measured
  kill -0 "$program" 2>/dev/null || { echo "$label ended early: $(cat "$tmp/program.err")" >&2; return; }
  local cpu0 t0 cpu1 t1
  cpu0="$(cpu_ticks "$program")"
  t0="$(date +%s.%N)"
  sleep "$seconds"
  cpu1="$(cpu_ticks "$program")"
  t1="$(date +%s.%N)"
  kill -TERM "$program"
  wait "$program" 2>/dev/null || true
  awk -v label="$label" -v c0="$cpu0" -v c1="$cpu1" -v t0="$t0" -v t1="$t1" -v hz="$clock_ticks" \
    'BEGIN { printf "%-16s %8.2f\n", label, (c1 - c0) / hz / (t1 - t0) }'
}

echo "on Xvfb 1280x720, ${seconds}s a run, $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-16s %8s\n" "program" "cpu/s"
# The pools are given, so that the stored settings do not weigh in: the defaults, and a
# smaller scene for what a user can save by choosing fewer meteors and puffs.
run "orvanta" "$orvanta" --root --meteors 1500 --smoke 1500 --explosions 50 --lights 15
run "orvanta 500/500" "$orvanta" --root --meteors 500 --smoke 500 --explosions 50 --lights 15
for hack in "${hacks[@]}"; do
  if [ -x "$hackdir/$hack" ]; then run "$hack" "$hackdir/$hack" -root; else echo "$hack: not installed" >&2; fi
done
