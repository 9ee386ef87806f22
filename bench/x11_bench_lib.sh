# Shared by the benchmark scripts that run the saver: a scratch folder, every process they
# start ended by its id on exit, and a private Xvfb. Sourced; sets BENCH_TMP and BENCH_PIDS.
BENCH_TMP="$(mktemp -d)"
BENCH_PIDS=()
bench_cleanup() {
  local pid
  for pid in "${BENCH_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${BENCH_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$BENCH_TMP"
}
trap bench_cleanup EXIT

# start_private_xvfb WxH: an Xvfb with GLX on a display number it picks itself; exports
# DISPLAY for it.
start_private_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$1x24" +extension GLX -nolisten tcp -noreset \
    3>"$BENCH_TMP/display" 2>"$BENCH_TMP/xvfb.log" &
  BENCH_PIDS+=("$!")
  for _ in $(seq 100); do [ -s "$BENCH_TMP/display" ] && break; sleep 0.05; done
  [ -s "$BENCH_TMP/display" ] || { echo "Xvfb did not start: $(cat "$BENCH_TMP/xvfb.log")" >&2; exit 2; }
  export DISPLAY=":$(head -n1 "$BENCH_TMP/display")"
}

clock_ticks="$(getconf CLK_TCK)"
# Processor time of process $1 so far, in clock ticks (user + system, all its threads).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
