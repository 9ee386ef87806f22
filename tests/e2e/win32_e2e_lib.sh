# Shared by the Windows end-to-end tests: a private Xvfb display, the scratch wine prefix,
# registry helpers, pixel checks, bounded waits, and clean-up of every process started.
# Sourced by the win32_e2e_*.sh scripts; CTest passes the paths in the environment
# (ORVANTA_SCR, ORVANTA_FAILING_SCR and ORVANTA_PROBE for the programs under test).
set -euo pipefail

: "${ORVANTA_E2E_PREFIX:?}" "${ORVANTA_E2E_WORK:?}"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xvfb.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/wine-env.sh"
wine_env "$ORVANTA_E2E_PREFIX"
REGKEY='HKCU\Software\QuorvelTarnwickFellworks\orvantaSS'
mkdir -p "$ORVANTA_E2E_WORK"
WORK="$(mktemp -d "$ORVANTA_E2E_WORK/run.XXXXXX")"
STARTED=()
FAILURES=0

cleanup() {
  local pid
  for pid in "${STARTED[@]}"; do kill "$pid" 2>/dev/null || true; done
  # Only our own scratch prefix: this ends the wine processes the test started there.
  wineserver -k 2>/dev/null || true
  xvfb_stop
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  FAILURES=$((FAILURES + 1))
}

check() {  # check "what" command... : records a failure when the command fails
  local what="$1"
  shift
  if "$@"; then echo "ok: $what"; else fail "$what"; fi
}

finish() {
  if [ "$FAILURES" -ne 0 ]; then
    echo "$FAILURES check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
}

start_display() {  # start_display [WxH]: a fresh Xvfb with GLX (800x600) on a free display number
  xvfb_start "$WORK" "${1:-800x600}" || exit 1
}

prepare_wine() {  # the prefix exists and no wine process of an earlier test is left
  wine_prefix
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# set_display_dpi DPI: the prefix's display density, as a scaled Windows display sets it.
# Wine reads it when its server starts, so a change restarts the server. Tests that use it run
# in a prefix of their own, so the other tests keep 96.
set_display_dpi() {
  local key='HKCU\Control Panel\Desktop' now
  now="$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' |
    awk '$1 == "LogPixels" { print $3 }')" || now=""
  [ "$now" = "$(printf '0x%x' "$1")" ] && return 0
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

start_bg() {  # start_bg VAR command...: runs the command in the background, pid in VAR
  local var="$1"
  shift
  "$@" >"$WORK/$var.out" 2>"$WORK/$var.err" &
  local pid=$!
  STARTED+=("$pid")
  printf -v "$var" '%s' "$pid"
}

# wait_exit PID SECONDS: sets EXIT_CODE to the exit code, or to "running" after SECONDS.
# Not for $(...): only this shell, the parent, can collect the code.
wait_exit() {
  local pid="$1" limit="$2" waited=0
  while kill -0 "$pid" 2>/dev/null; do
    if [ "$waited" -ge "$((limit * 10))" ]; then
      EXIT_CODE=running
      return 0
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  EXIT_CODE=0
  wait "$pid" || EXIT_CODE=$?
}

expect_exit() {  # expect_exit "what" PID SECONDS CODE
  wait_exit "$2" "$3"
  if [ "$EXIT_CODE" = "$4" ]; then echo "ok: $1"; else fail "$1 (exit: $EXIT_CODE)"; fi
}

# what_it_said NAME: the last lines written to $WORK/NAME.err, by a program started by
# start_bg or by the probe.
what_it_said() { tr -d '\r' <"$WORK/$1.err" | tail -n 5; }

# When the probe fails, the log says how (its exit code, how long it ran and what Wine
# wrote), so that a probe that could not run is told apart from a window that never came.
probe() {
  local started="$EPOCHREALTIME" status
  # The code goes through a file: a failing pipeline would end a `set -e` script at once.
  {
    code=0
    wine "$ORVANTA_PROBE" "$@" 2>"$WORK/probe.err" || code=$?
    echo "$code" >"$WORK/probe.status"
  } | tr -d '\r'
  status="$(cat "$WORK/probe.status")"
  if [ "$status" -ne 0 ]; then
    awk -v what="$1" -v code="$status" -v t0="$started" -v t1="$EPOCHREALTIME" \
      'BEGIN { printf "probe %s: exit code %d after %.1f s\n", what, code, t1 - t0 }' >&2
    what_it_said probe >&2
  fi
  return "$status"
}


reg_clear() { wine reg delete "$REGKEY" /f >/dev/null 2>&1 || true; }
reg_set_dword() { wine reg add "$REGKEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
reg_set_sz() { wine reg add "$REGKEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
# "name type value" lines for every value under the key; fails when the key is missing.
reg_values() {
  local out
  out="$(wine reg query "$REGKEY" 2>/dev/null | tr -d '\r')" || return 1
  printf '%s\n' "$out" | awk 'NF == 3 && $2 ~ /^REG_/ { print $1, $2, $3 }'
}
reg_key_exists() { wine reg query "$REGKEY" >/dev/null 2>&1; }

# The share of pixels in the screen region (WxH+X+Y, whole screen when omitted) brighter
# than a tenth of full scale, as a decimal between 0 and 1.
bright_share() {
  local region="${1:-}"
  local shot="$WORK/shot.png"
  import -window root "$shot" 2>/dev/null
  if [ -n "$region" ]; then
    convert "$shot" -crop "$region" +repage -colorspace Gray -threshold 10% -format '%[fx:mean]' info:
  else
    convert "$shot" -colorspace Gray -threshold 10% -format '%[fx:mean]' info:
  fi
}

# Waits up to SECONDS for the region to show a picture (more than 0.1 % bright pixels).
wait_for_picture() {
  local seconds="$1" region="${2:-}" i
  for i in $(seq "$((seconds * 2))"); do
    if awk -v s="$(bright_share "$region")" 'BEGIN { exit !(s > 0.001) }'; then return 0; fi
    sleep 0.5
  done
  return 1
}

# keeps_drawing PID: input sent before the call was handled and did not end PID. The saver's
# loop handles its queue before each frame, so two new frames on the screen while PID lives
# show it; however slow the machine, this waits for them (up to 30 s) rather than for a time.
keeps_drawing() {
  local pid="$1" seen shot changes=0
  seen="$(import -window root -depth 8 rgb:- 2>/dev/null | md5sum)"
  for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || return 1
    shot="$(import -window root -depth 8 rgb:- 2>/dev/null | md5sum)"
    [ "$shot" != "$seen" ] && changes=$((changes + 1)) && seen="$shot"
    [ "$changes" -ge 2 ] && break
    sleep 0.1
  done
  [ "$changes" -ge 2 ] && kill -0 "$pid" 2>/dev/null
}

window_of() {  # the X window id of the first window named $1, waiting up to $2 seconds
  local i id
  for i in $(seq "$(($2 * 10))"); do
    id="$(xdotool search --name "^$1\$" 2>/dev/null | head -1 || true)"
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
