# Sourced by the long-running scripts (fuzzing, the soak): `bounded SECONDS COMMAND...` runs
# the command in the background for at most SECONDS, so that an interrupt reaches the traps
# below, and returns its status (124 when the time ran out). Whatever is still running when
# the script ends is stopped, by its process id.
bounded_child=""
bounded_cleanup() {
  if [ -n "$bounded_child" ]; then
    kill "$bounded_child" 2>/dev/null || true
    wait "$bounded_child" 2>/dev/null || true
  fi
}
trap bounded_cleanup EXIT
trap 'exit 130' INT TERM

bounded() {
  local limit="$1" status=0
  shift
  timeout "$limit" "$@" &
  bounded_child=$!
  wait "$bounded_child" || status=$?
  bounded_child=""
  return "$status"
}
