#!/bin/bash
# XScreenSaver's settings for the saver: every argument list its settings window can write
# from res/orvanta.xml is accepted as given (no value changed, a picture drawn, a normal
# ending), and the counts it gives are the pool sizes the scene is made with. A count out of
# range is clamped with a note, a count that is not a number stops the start with the
# "Application Error" line on standard error (no box: XScreenSaver has the screen), and --help
# and --version need neither display nor settings.
source "$(dirname "$0")/x11_e2e_lib.sh"
[ -n "${XML_ARGUMENTS:-}" ] && [ -n "${SAVER_XML:-}" ] || fail "XML_ARGUMENTS and SAVER_XML must be set"

echo "--help and --version with a damaged settings file and no display"
use_settings "Gwiazd=many"
(unset DISPLAY; "$ORVANTA" --help >"$E2E_TMP/help.out" 2>&1) || fail "--help failed: $(cat "$E2E_TMP/help.out")"
grep -q -- "--meteors N" "$E2E_TMP/help.out" || fail "--help names no --meteors: $(cat "$E2E_TMP/help.out")"
(unset DISPLAY; "$ORVANTA" -version >"$E2E_TMP/version.out" 2>&1) || fail "-version failed"
[ "$(cat "$E2E_TMP/version.out")" = "orvanta $ORVANTA_VERSION" ] ||
  fail "-version printed '$(cat "$E2E_TMP/version.out")', expected 'orvanta $ORVANTA_VERSION'"

start_xvfb
use_settings "Gwiazd=700" "Dym=800" "Wybuch=90" "Swiatel=20"
export ORVANTA_FRAME_STATS=1

# Runs the saver with the arguments given until it has drawn, ends it, and leaves its frame
# statistics line in STATS.
run_briefly() {
  start_saver "$@"
  # The root keeps the last saver's picture: new frames are what show this one draws.
  expect_still_running "$SAVER_PID" root "'$*'"
  running "$SAVER_PID" || fail "'$*' ended by itself: $(cat "$E2E_TMP/saver.err")"
  kill -TERM "$SAVER_PID"
  expect_exit "$SAVER_PID" 10 0
  STATS="$(grep '^orvanta frame stats:' "$E2E_TMP/saver.err")" ||
    fail "'$*' printed no frame stats: $(cat "$E2E_TMP/saver.err")"
}
stat() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$STATS"; }

lines=0
while read -r -a args; do
  lines=$((lines + 1))
  echo "${args[*]}"
  # shellcheck disable=SC2068
  run_briefly ${args[@]}
  if grep -v '^orvanta frame stats:' "$E2E_TMP/saver.err" | grep -q .; then
    fail "'${args[*]}' was not taken as given: $(cat "$E2E_TMP/saver.err")"
  fi
  [ "$(stat drawn)" -gt 0 ] || fail "'${args[*]}' drew nothing: $STATS"
  # The counts: given ones reach the pools, the others keep the settings file's values.
  want_meteors=700 want_smoke=800 want_explosions=90 want_lights=20
  for i in "${!args[@]}"; do
    case "${args[$i]}" in
      --meteors) want_meteors="${args[$((i + 1))]}" ;;
      --smoke) want_smoke="${args[$((i + 1))]}" ;;
      --explosions) want_explosions="${args[$((i + 1))]}" ;;
      --lights) want_lights="${args[$((i + 1))]}" ;;
    esac
  done
  got="$(stat meteors) $(stat smoke) $(stat explosions) $(stat lights)"
  want="$want_meteors $want_smoke $want_explosions $want_lights"
  [ "$got" = "$want" ] || fail "'${args[*]}' made pools of $got, expected $want"
done < <("$XML_ARGUMENTS" "$SAVER_XML")
[ "$lines" -ge 16 ] || fail "only $lines argument lists from $SAVER_XML"

echo "a count out of range is clamped, and says so"
run_briefly -root -meteors 5000 -lights 0
grep -q "^orvanta: -meteors 5000 is more than 2000; using 2000$" "$E2E_TMP/saver.err" ||
  fail "no note for -meteors 5000: $(cat "$E2E_TMP/saver.err")"
[ "$(stat meteors) $(stat lights)" = "2000 1" ] || fail "clamped counts: $STATS"

echo "a count that is not a number stops the start"
start_saver --root --smoke lots
expect_exit "$SAVER_PID" 3 1
[ "$(cat "$E2E_TMP/saver.err")" = "Application Error: Start-up error: 'lots' is not a valid integer value" ] ||
  fail "unexpected message: $(cat "$E2E_TMP/saver.err")"
echo PASS
