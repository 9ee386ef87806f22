#!/bin/bash
# Runs the end-to-end tests again and again on a loaded machine and counts how often each one
# passes: N rounds of the whole native suite (its end-to-end tests counted, the rest of the
# suite running beside them) and WINE_N rounds of the Windows end-to-end tests under Wine.
# The load is LOAD busy loops (default 2) that this script starts and stops itself.
# Prints a table of pass counts and the slowest preview ending measured from the
# destruction of its host (every e2e test that times an ending writes it to a file).
# Exits 1 when any test failed in any round.
# Usage: scripts/flake-check.sh N [WINE_N]   (WINE_N defaults to N; 0 skips a side)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rounds="${1:?usage: scripts/flake-check.sh N [WINE_N]}" wine_rounds="${2:-$1}"
load="${LOAD:-2}"
jobs="$(nproc 2>/dev/null || echo 2)"

work="$(mktemp -d)"
busy=()
stop_load() {
  local pid
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${busy[@]}"; do wait "$pid" 2>/dev/null || true; done
  busy=()
}
trap 'stop_load; rm -rf "$work"' EXIT

start_load() {
  local i
  for i in $(seq "$load"); do
    (while :; do :; done) &
    busy+=("$!")
  done
}

# One round: ctest in build folder $1 with the options after it; each test's outcome is
# appended to $work/results as "name passed|failed".
round() {
  local dir="$1" log="$work/ctest.log"
  shift
  ctest --test-dir "$dir" "$@" >"$log" 2>&1 || true
  sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) \.*[* ]*\(Passed\|Failed\|Timeout\|Not Run\|Exception\).*/\1 \2/p' \
    "$log" >>"$work/results"
  if grep -q 'tests failed out of' "$log" && ! grep -q ' 0 tests failed' "$log"; then
    cp "$log" "$work/failed-$(date +%s%N).log"
    sed -n '/The following tests FAILED/,$p' "$log" >&2
  fi
}

export ORVANTA_E2E_TIMINGS="$work/timings"
: >"$work/results"
: >"$ORVANTA_E2E_TIMINGS"
start_load
echo "load: $load busy loops (PIDs ${busy[*]}); $rounds native rounds, $wine_rounds Wine rounds"
for i in $(seq "$rounds"); do
  echo "native round $i"
  # The whole suite but the package test (it installs into the machine) and the soak.
  round "$root/build/linux" -j "$jobs" -LE 'package|soak'
done
for i in $(seq "$wine_rounds"); do
  echo "Wine round $i"
  round "$root/build/windows" -L e2e
done
stop_load

echo
printf '%-40s %s\n' "test" "passed"
status=0
while read -r name; do
  total="$(grep -c "^$name " "$work/results")"
  passed="$(grep -c "^$name Passed$" "$work/results" || true)"
  printf '%-40s %s of %s\n' "$name" "$passed" "$total"
  [ "$passed" = "$total" ] || status=1
done < <(awk '{print $1}' "$work/results" | grep -E '^(e2e|win32_e2e)_' | sort -u)
if grep -q . "$ORVANTA_E2E_TIMINGS"; then
  echo
  echo "endings timed from their event (ms): worst, count"
  awk '{name = $0; sub(/ [0-9]+$/, "", name); ms = $NF
        if (!(name in worst) || ms > worst[name]) worst[name] = ms; count[name]++}
       END {for (n in worst) printf "  %-36s %5d  %d\n", n, worst[n], count[n]}' \
    "$ORVANTA_E2E_TIMINGS" | sort
fi
exit "$status"
