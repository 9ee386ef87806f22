# Shared by the bench scripts that run programs on X: a temporary folder, a private Xvfb
# and a list of the processes a script starts, all ended by process id (and the folder
# removed) when the script exits. Source it, then call start_xvfb.
tmp="$(mktemp -d)"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT

# A private Xvfb of the given size (WxH) with GLX; exports DISPLAY and sets xvfb to its id.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${1}x24" +extension GLX -nolisten tcp -noreset \
    3>"$tmp/display" 2>"$tmp/xvfb.log" &
  xvfb=$!
  pids+=("$xvfb")
  for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
  [ -s "$tmp/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$tmp/display")"
  # The stored settings must not change what is measured: the defaults, always.
  export XDG_CONFIG_HOME="$tmp/config"
}

clock_ticks="$(getconf CLK_TCK)"
# Processor time of process $1 so far, in clock ticks (user + system, all its threads).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
