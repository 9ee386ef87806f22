# Shared pieces of the Linux end-to-end tests: a private Xvfb, processes cleaned up by PID,
# a private settings directory, and checks on what is on the screen.
# Sourced by the x11_*_test.sh scripts; ORVANTA and HOST_HELPER name the programs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xvfb.sh"

E2E_PIDS=()
E2E_TMP="$(mktemp -d)"

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  xvfb_stop
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts a 1024x768 Xvfb (its PID in XVFB_PID); $1: extension options (default +extension GLX).
start_xvfb() {
  xvfb_start "$E2E_TMP" 1024x768 "${1:-}" || exit 1
}

# Settings of this test only, optionally with stored lines ("Gwiazd=20" ...).
use_settings() {
  export XDG_CONFIG_HOME="$E2E_TMP/config"
  mkdir -p "$XDG_CONFIG_HOME/QuorvelTarnwickFellworks"
  SETTINGS_FILE="$XDG_CONFIG_HOME/QuorvelTarnwickFellworks/orvantaSS.conf"
  : >"$SETTINGS_FILE"
  local line
  for line in "$@"; do echo "$line" >>"$SETTINGS_FILE"; done
}

# Starts the saver in the background with a time limit; its PID lands in SAVER_PID, its
# standard error in $E2E_TMP/saver.err.
start_saver() {
  timeout 60 "$ORVANTA" "$@" 2>"$E2E_TMP/saver.err" &
  SAVER_PID=$!
  E2E_PIDS+=("$SAVER_PID")
}

# start_saver with the words of a test table: HOST stands for $HOST_WINDOW and a NAME=VALUE
# word sets that variable for the saver.
start_saver_words() {
  local environment=() args=() word
  for word in "$@"; do
    word="${word//HOST/${HOST_WINDOW:-}}"
    if [[ "$word" == *=* ]]; then environment+=("$word"); else args+=("$word"); fi
  done
  timeout 60 env "${environment[@]}" "$ORVANTA" "${args[@]}" 2>"$E2E_TMP/saver.err" </dev/null &
  SAVER_PID=$!
  E2E_PIDS+=("$SAVER_PID")
}

running() { kill -0 "$1" 2>/dev/null; }

# Waits up to $2 seconds for process $1 to end and checks its exit code is $3.
expect_exit() {
  local pid="$1" seconds="$2" want="$3" deadline=$((SECONDS + $2 + 1)) i
  # Counted in loop turns, not only in seconds: a loaded machine slows the loop too.
  for i in $(seq $((seconds * 20))); do
    running "$pid" || break
    sleep 0.05
  done
  while running "$pid" && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
  running "$pid" && fail "process $pid still running after ${seconds}s"
  expect_exit_code "$pid" "$want"
}

# Process $1 has ended; checks its exit code is $2.
expect_exit_code() {
  local code=0
  wait "$1" || code=$?
  [ "$code" = "$2" ] || fail "exit code $code, expected $2 ($(cat "$E2E_TMP/saver.err" 2>/dev/null))"
}

# Causes an event with the stopwatch (the arguments of "$HOST_HELPER --destroy" or "--kill")
# and checks that the process it watches ends within $1 ms of the event itself, however
# late this script gets to look. $2 names the event in messages and in $ORVANTA_E2E_TIMINGS,
# a file that collects the figures when set.
expect_end_within() {
  local limit="$1" what="$2" ms
  shift 2
  ms="$("$HOST_HELPER" "$@")" || fail "$what: $ms"
  echo "$what: the process ended $ms ms after it"
  [ -z "${ORVANTA_E2E_TIMINGS:-}" ] || echo "$what $ms" >>"$ORVANTA_E2E_TIMINGS"
  [ "$ms" -le "$limit" ] || fail "$what: the process ended $ms ms after it, over $limit ms"
}

# A digest of what window $1 shows.
picture_digest() {
  import -window "$1" -depth 8 rgb:- 2>/dev/null | md5sum
}

# Checks that input sent before the call did not end process $1 that draws in window $2
# (named $3 in the message). The loop handles all queued events before it draws, so two new
# frames after the call prove the input was seen and let be; however slow the machine, the
# check waits for them rather than for a fixed time.
expect_still_running() {
  local pid="$1" window="$2" what="$3" seen shot changes=0 i
  seen="$(picture_digest "$window")"
  for i in $(seq 400); do
    running "$pid" || fail "$what ended the saver"
    shot="$(picture_digest "$window")"
    [ "$shot" != "$seen" ] && changes=$((changes + 1)) && seen="$shot"
    if [ "$changes" -ge 2 ]; then
      running "$pid" || fail "$what ended the saver"
      return 0
    fi
    sleep 0.05
  done
  fail "window $window drew no new frame for 20s after $what"
}

# The brightest channel value (0..1) in window $1, optionally within geometry $2 (WxH+X+Y).
brightest() {
  local crop=()
  [ -n "${2:-}" ] && crop=(-crop "$2")
  import -window "$1" "$E2E_TMP/shot.png" 2>/dev/null || { echo 0; return; }
  convert "$E2E_TMP/shot.png" "${crop[@]}" -format '%[fx:maxima]' info: 2>/dev/null || echo 0
}

# Waits up to $2 seconds for window $1 to show something other than black.
expect_picture() {
  local window="$1" seconds="$2" geometry="${3:-}" i level
  for i in $(seq $((seconds * 4))); do
    level="$(brightest "$window" "$geometry")"
    awk -v l="$level" 'BEGIN { exit !(l > 0.1) }' && return 0
    sleep 0.25
  done
  fail "window $window stayed black for ${seconds}s (brightest $level)"
}

# The id of the first window whose name matches $1, waiting up to $2 seconds.
find_window() {
  local i id
  for i in $(seq $(($2 * 10))); do
    id="$(xdotool search --name "$1" 2>/dev/null | head -n1 || true)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window named '$1' within $2s"
}

# Starts the stand-in host with a window of $1 x $2 ($3: --vroot to mark it as the virtual
# root); sets HOST_PID and HOST_WINDOW.
start_host() {
  rm -f "$E2E_TMP/host.id"  # a second host must not be taken for the first
  "$HOST_HELPER" "$@" >"$E2E_TMP/host.id" &
  HOST_PID=$!
  E2E_PIDS+=("$HOST_PID")
  local i
  for i in $(seq 100); do
    [ -s "$E2E_TMP/host.id" ] && break
    sleep 0.05
  done
  HOST_WINDOW="$(head -n1 "$E2E_TMP/host.id")"
  [ -n "$HOST_WINDOW" ] || fail "the host window did not appear"
}

# Width and height of window $1's first child, as "WxH".
child_size() {
  local child
  child="$(xwininfo -children -id "$1" | awk '/^ +0x[0-9a-f]+ /{print $1; exit}')"
  [ -n "$child" ] || { echo none; return; }
  xwininfo -id "$child" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'
}

# Presses OK in the message box $1 (its only button, which has the focus).
dismiss_box() {
  timeout 3 xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.2
  xdotool key Return
}
