# shellcheck shell=bash
# A private Xvfb for the tests and benchmarks, started the same way everywhere. The server
# picks a free display number itself (-displayfd) and writes it once it accepts clients, so
# runs side by side never race for a number and no client connects too early. Every server
# started here is ended by its own process id, never by name. -noreset keeps the pointer
# where a test put it while no client is connected. Sourced; bash only.
#
#   xvfb_start DIR [WxH] [OPTIONS]  starts one (1024x768, depth 24; OPTIONS, split on spaces,
#                                   default "+extension GLX"); DIR holds its log and display
#                                   file. Sets XVFB_PID, exports DISPLAY. When it cannot
#                                   start, says why on standard error and returns 1.
#   xvfb_stop                       ends every server xvfb_start started and waits for them.
XVFB_PIDS=()

xvfb_start() {
  local dir="$1" size="${2:-1024x768}" options="${3:-+extension GLX}"
  rm -f "$dir/display" # a second server must not be taken for the first
  # shellcheck disable=SC2086
  Xvfb -displayfd 3 -screen 0 "${size}x24" $options -nolisten tcp -noreset \
    3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  XVFB_PID=$!
  XVFB_PIDS+=("$XVFB_PID")
  # Counted in loop turns (about 5 s): a server that has ended will not write any more.
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  if [ ! -s "$dir/display" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    echo "Xvfb did not start: $(cat "$dir/xvfb.log")" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$dir/display")"
}

xvfb_stop() {
  local pid
  for pid in "${XVFB_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${XVFB_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  XVFB_PIDS=()
}
