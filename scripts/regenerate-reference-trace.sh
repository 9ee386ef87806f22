#!/bin/bash
# Writes tests/data/reference_flight.jsonl anew: the seeded flight that scene_reference_test
# compares field by field with the scene of the day. Run it only when a change is meant to
# alter the flight, and review the reference's diff as part of that change.
#
# The reference is orvanta-headless's own trace (--trace-objects) after a header line that
# names the run. To stay small it keeps every object on every tenth frame only; the other
# frames keep the scene-wide state, the counts and the lights.
#
#   scripts/regenerate-reference-trace.sh [build dir, default build/linux]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/linux}"
out="$root/tests/data/reference_flight.jsonl"

# A seed whose first 240 frames hold two shots, a full smoke pool, flashes, new lights
# and a whole manoeuvre, with small pools.
seed=2866
settings=24,30,6,4
frames=240
objectsEvery=10

if [ ! -f "$build/build.ninja" ]; then
  (cd "$root" && cmake --preset linux)
fi
cmake --build "$build" --target orvanta-headless

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
"$build/tools/orvanta-headless" --seed "$seed" --frames "$frames" --settings "$settings" \
  --trace "$scratch/full.jsonl" --trace-objects

{
  printf '{"seed":%s,"settings":[%s],"frames":%s,"objectsEvery":%s}\n' \
    "$seed" "$settings" "$frames" "$objectsEvery"
  # The object arrays come last in a line; frames between the kept ones drop them.
  awk -v every="$objectsEvery" \
    '{ if ((NR - 1) % every != 0) sub(/,"Particles":.*$/, "}"); print }' "$scratch/full.jsonl"
} >"$scratch/reference.jsonl"
mv "$scratch/reference.jsonl" "$out"
echo "wrote $out ($(wc -c <"$out") bytes, $((frames + 1)) frames)"
