# Shared by the benchmark scripts that run the saver: a scratch folder, every process they
# start ended by its id on exit, and a private Xvfb. Sourced; sets BENCH_TMP and BENCH_PIDS.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/xvfb.sh"
BENCH_TMP="$(mktemp -d)"
BENCH_PIDS=()
bench_cleanup() {
  local pid
  for pid in "${BENCH_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${BENCH_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  xvfb_stop
  rm -rf "$BENCH_TMP"
}
trap bench_cleanup EXIT

# start_private_xvfb WxH: an Xvfb with GLX (its PID in XVFB_PID); exports DISPLAY for it, and
# a settings folder of its own, so that the user's stored settings never change what is
# measured: the defaults, always.
start_private_xvfb() {
  xvfb_start "$BENCH_TMP" "$1" || exit 2
  export XDG_CONFIG_HOME="$BENCH_TMP/config"
}

clock_ticks="$(getconf CLK_TCK)"
# Processor time of process $1 so far, in clock ticks (user + system, all its threads).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
