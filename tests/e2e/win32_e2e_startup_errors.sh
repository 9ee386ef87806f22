#!/bin/bash
# Errors before the message loop: an "Application Error" box naming the error, exit code 1.
# A bad /P handle, a /P handle that names no window, and a stored value of the wrong type
# (which stops the dialog as well as the saver).
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
start_display
prepare_wine
reg_clear

expect_startup_error() {  # expect_startup_error "expected text" args...
  local expected="$1"
  shift
  start_bg SAVER wine "$ORVANTA_SCR" "$@"
  local text
  text="$(probe box "Application Error" 15000)" || true
  echo "box for '$*': $text"
  check "'$*' shows an Application Error box with \"$expected\"" grep -qF -- "$expected" <<<"$text"
  expect_exit "'$*' exits with code 1" "$SAVER" 10 1
}

expect_startup_error "'' is not a valid integer value" /P
expect_startup_error "'abc' is not a valid integer value" /P abc
expect_startup_error "'0' is not a window handle" /p 0

# A short text is a value of the wrong type; a longer one cannot even be read as a number.
reg_set_sz Gwiazd 7
expect_startup_error "Invalid data type for 'Gwiazd'" /S
reg_set_sz Gwiazd 1500
expect_startup_error "'Gwiazd'" /C
finish
