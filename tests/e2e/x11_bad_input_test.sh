#!/bin/bash
# Start-up errors: each gives its "Application Error" line on standard error (and a box
# when there is a display) and exit code 1, before any window of the saver appears.
source "$(dirname "$0")/x11_e2e_lib.sh"
use_settings

# $1: the expected stderr line; the rest: the arguments.
expect_startup_error() {
  local want="$1" code=0
  shift
  env -u DISPLAY timeout 20 "$ORVANTA" "$@" 2>"$E2E_TMP/err" || code=$?
  [ "$code" = 1 ] || fail "'$*' exited with $code, expected 1"
  grep -qxF "$want" "$E2E_TMP/err" || fail "'$*' said '$(cat "$E2E_TMP/err")', expected '$want'"
}

echo "preview handle missing or not a number"
expect_startup_error "Application Error: Start-up error: '' is not a valid integer value" /P
expect_startup_error "Application Error: Start-up error: 'abc' is not a valid integer value" /p abc
expect_startup_error "Application Error: Start-up error: '12x' is not a valid integer value" /P 12x

echo "a stored value that is not a number stops every mode"
use_settings "Gwiazd=many"
expect_startup_error "Application Error: Settings error: Invalid data type for 'Gwiazd'" /S
expect_startup_error "Application Error: Settings error: Invalid data type for 'Gwiazd'"
expect_startup_error "Application Error: Settings error: Invalid data type for 'Gwiazd'" /c
use_settings "Dym=99999999999"
expect_startup_error "Application Error: Settings error: Failed to get data for 'Dym'" /P 1234

echo "with a display: the box, then exit code 1"
use_settings
start_xvfb
start_saver /P 123456789
box="$(find_window "^Application Error$" 5)"
dismiss_box "$box"
expect_exit "$SAVER_PID" 3 1
grep -qxF "Application Error: Start-up error: '123456789' is not a window handle" "$E2E_TMP/saver.err" ||
  fail "unexpected message: $(cat "$E2E_TMP/saver.err")"
echo PASS
