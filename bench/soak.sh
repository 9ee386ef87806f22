#!/bin/bash
# The week-long flight in one go: the scene at the dialog's maximum settings (2000 meteors,
# 2000 smoke puffs, 300 flashes, 50 lights) for STEPS updates, with every invariant of
# bench/scene_invariants.cpp checked every 10,000 steps (values finite, positions, speeds,
# sizes and colours within the spawners' ranges, pools and lights within their counts,
# clocks whose steps are still resolved).
#   bench/soak.sh [STEPS=100000000]
# 10^8 steps are 19 days at 60 steps a second. Prints the steps it ran, the steps per second,
# how far the growing clocks came and the first broken invariant, if any; exit code 0 when
# none broke. Bounded by SOAK_MAX_SECONDS (default 7200): a run stopped there reports the
# steps it managed and exits 3. Builds the program with the linux preset when needed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
steps="${1:-100000000}"
max_seconds="${SOAK_MAX_SECONDS:-7200}"
program="$root/build/linux/bench/scene_soak"

cd "$root"
[ -f build/linux/build.ninja ] || cmake --preset linux >/dev/null
cmake --build --preset linux --target scene_soak >/dev/null

source "$root/scripts/bounded.sh"
# The program answers the SIGTERM of the time limit with its report.
status=0
bounded "$max_seconds" "$program" --steps "$steps" --check-every 10000 || status=$?
[ "$status" -eq 124 ] && exit 3
exit "$status"
