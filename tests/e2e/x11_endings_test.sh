#!/bin/bash
# How every Linux mode ends when it is asked to or when its display goes. SIGTERM, SIGINT and
# SIGHUP end each one normally (exit code 0), and so they do while start-up still waits on a
# box; the X server going away ends each one within a second with exit code 1 and one line on
# standard error. The modes are listed in tests/data/x11_modes.txt.
source "$(dirname "$0")/x11_e2e_lib.sh"
use_settings
# GTK warns on standard error when it finds no accessibility bus; this test reads every line.
export NO_AT_BRIDGE=1
modes="$(dirname "$0")/../data/x11_modes.txt"
mapfile -t MODES < <(grep -v '^#' "$modes")
[ "${#MODES[@]}" -ge 6 ] || fail "no mode table at $modes"

# Starts mode $@ (a line of the table) on the current display and waits until it draws (or
# its dialog is up), so that it is past its start-up when the test acts.
start_mode() {
  local name="$1" shows="$2"
  shift 2
  if [ "$shows" = HOST ] || [[ "$*" == *HOST* ]]; then start_host 320 240; fi
  shows="${shows/HOST/${HOST_WINDOW:-}}"
  start_saver_words "$@"
  if [ "$shows" = dialog ]; then
    find_window "^Konfiguracja screensavera$" 10 >/dev/null
  else
    # New frames, not just a picture: the root keeps the last run's.
    expect_still_running "$SAVER_PID" "$shows" "starting"
  fi
}

start_xvfb
echo "SIGTERM, SIGINT and SIGHUP: exit code 0"
for mode in "${MODES[@]}"; do
  read -r name shows args <<<"$mode"
  for signal in TERM INT HUP; do
    echo "$name, SIG$signal"
    # shellcheck disable=SC2086
    start_mode "$name" "$shows" $args
    kill -"$signal" "$SAVER_PID"
    expect_exit "$SAVER_PID" 10 0
    [ ! -s "$E2E_TMP/saver.err" ] || fail "$name said on SIG$signal: $(cat "$E2E_TMP/saver.err")"
  done
done

echo "a signal while start-up waits on its box: exit code 0"
for signal in TERM INT HUP; do
  echo "SIG$signal"
  start_saver /P 123456789
  find_window "^Application Error$" 5 >/dev/null
  kill -"$signal" "$SAVER_PID"
  expect_exit "$SAVER_PID" 3 0
done

echo "the X server goes away: within a second, exit code 1, one line"
for mode in "${MODES[@]}"; do
  read -r name shows args <<<"$mode"
  echo "$name"
  start_xvfb
  # shellcheck disable=SC2086
  start_mode "$name" "$shows" $args
  expect_end_within 1000 "display lost ($name)" --kill 9 "$XVFB_PID" "$SAVER_PID"
  expect_exit_code "$SAVER_PID" 1
  [ "$(cat "$E2E_TMP/saver.err")" = "orvanta: lost the connection to the display $DISPLAY" ] ||
    fail "$name said: $(cat "$E2E_TMP/saver.err")"
done
echo PASS
