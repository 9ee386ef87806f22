#!/bin/bash
# Picks the frames the drawing-identity test (tests/render/drawing_identity_test.cpp)
# compares, by scanning a trace of each flight for the states worth drawing both ways:
#   shot    the first frame after the warm-up with a shot running, a flash and debris
#   loop    the first frame after the warm-up halfway through a loop
#   lights  the first frame with the most lights of the flight (more than the six spotlights)
# and prints the lines of tests/data/drawing_identity_cases.txt, frame 1 (the first with a
# view, drawn over the state start-up leaves) first in each.
#
#   scripts/pick-identity-frames.sh [frames of flight, default 3600] [orvanta-headless]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
flight="${1:-3600}"
headless="${2:-$root/build/linux/tools/orvanta-headless}"
[ -x "$headless" ] || { echo "no program at $headless (build the linux preset first)" >&2; exit 1; }
warmup=300

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# seed, pool sizes, picture size: every seed at both sizes, defaults and maximum crossed.
cases=(
  "1 1500,1500,50,15 1280x720"
  "1 2000,2000,300,50 1920x1080"
  "2 1500,1500,50,15 1920x1080"
  "2 2000,2000,300,50 1280x720"
  "3 1500,1500,50,15 1280x720"
  "3 2000,2000,300,50 1920x1080"
)

echo "# seed  M,S,E,L  WxH  frames...   (written by scripts/pick-identity-frames.sh $flight)"
for row in "${cases[@]}"; do
  read -r seed settings size <<<"$row"
  "$headless" --seed "$seed" --settings "$settings" --frames "$flight" --trace "$tmp/trace.jsonl"
  # One line per frame: frame FlightMode ManoeuvreAngle ShotCooldown flashes debris lights.
  awk 'function field(name,   m) {
         if (match($0, "\"" name "\":-?[0-9.e+-]+")) return substr($0, RSTART + length(name) + 3, RLENGTH - length(name) - 3)
         return "" }
       { print field("frame"), field("FlightMode"), field("ManoeuvreAngle"), field("ShotCooldown"),
               field("flashes"), field("debris"), field("lights") }' "$tmp/trace.jsonl" >"$tmp/states"
  picked="$(awk -v warmup="$warmup" '
    $1 >= warmup && !shot && $4 > 0 && $5 > 0 && $6 > 0 { shot = $1 }
    $1 >= warmup && !loop && $2 == 1 && $3 >= 180 { loop = $1 }
    $7 > most { most = $7; lights = $1 }
    END {
      if (!shot || !loop || most <= 6) { print "missing"; exit }
      printf "%d %d %d  # shot %d, loop %d, %d lights at %d\n", shot, loop, lights, shot, loop, most, lights
    }' "$tmp/states")"
  [ "$picked" != missing ] || { echo "seed $seed $settings: no shot, loop or many lights in $flight frames" >&2; exit 1; }
  echo "$seed $settings $size 1 $picked"
done
