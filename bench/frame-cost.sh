#!/bin/bash
# What a frame costs with the literal drawing (orvanta-headless --reference-drawing, A) and
# with the saver's own (B), run alternately A B A B ... in one run so that whatever else
# the machine is doing weighs on both alike. For 1280x720 at the default pool sizes and
# 1920x1080 at the dialog's maximum it prints the median over the rounds of each figure of
# --benchmark's line (frame time median and 95th percentile, processor time per frame of
# the process and of the drawing thread) and the ratios B / A.
#
#   bench/frame-cost.sh [rounds, default 5] [frames per run, default 600] [orvanta-headless]
#
# Every run is bounded by a timeout; the temporary folder goes on exit, and a run still
# going then is ended by its process id.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rounds="${1:-5}"
frames="${2:-600}"
headless="${3:-$root/build/linux/tools/orvanta-headless}"
[ -x "$headless" ] || { echo "no program at $headless (build the linux preset first)" >&2; exit 1; }
seed=20261208
limit=900  # seconds a single run may take

tmp="$(mktemp -d)"
running=""
cleanup() {
  if [ -n "$running" ]; then kill "$running" 2>/dev/null || true; wait "$running" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

# One --benchmark run; its line goes to the results file of its configuration and drawing.
measure() {
  local size="$1" pools="$2" drawing="$3" out="$4"
  local extra=()
  [ "$drawing" = reference ] && extra=(--reference-drawing)
  timeout "$limit" "$headless" --seed "$seed" --frames "$frames" --settings "$pools" \
    --size "$size" --benchmark "${extra[@]}" >"$tmp/line" &
  running=$!
  wait "$running" || { echo "the $drawing run at $size failed" >&2; exit 1; }
  running=""
  cat "$tmp/line" >>"$out"
}

# Medians of the figures in a results file: median p95 cpu thread.
medians() {
  awk '{ m[NR] = $4; p[NR] = $7; c[NR] = $10; t[NR] = $13 }
       function median(a, n,   i, j, x) {
         for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
         return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
       }
       END { printf "%.2f %.2f %.2f %.2f\n", median(m, NR), median(p, NR), median(c, NR), median(t, NR) }' "$1"
}

configs=("1280x720 1500,1500,50,15" "1920x1080 2000,2000,300,50")
echo "orvanta-headless --benchmark: $frames frames a run, $rounds rounds A B (A = --reference-drawing),"
echo "$(nproc) processors, load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
for config in "${configs[@]}"; do
  read -r size pools <<<"$config"
  : >"$tmp/reference" && : >"$tmp/arrays"
  for ((round = 1; round <= rounds; round++)); do
    measure "$size" "$pools" reference "$tmp/reference"
    measure "$size" "$pools" arrays "$tmp/arrays"
  done
  read -r am ap ac at <<<"$(medians "$tmp/reference")"
  read -r bm bp bc bt <<<"$(medians "$tmp/arrays")"
  echo
  printf "%s, pools %s, medians of %d runs each   median ms   p95 ms   cpu ms/frame   thread ms/frame\n" \
    "$size" "$pools" "$rounds"
  printf "  A  reference drawing                  %8.1f %8.1f %14.1f %17.1f\n" "$am" "$ap" "$ac" "$at"
  printf "  B  the saver's drawing                %8.1f %8.1f %14.1f %17.1f\n" "$bm" "$bp" "$bc" "$bt"
  # What the process took beyond the drawing thread is roughly llvmpipe's raster threads,
  # which shade the same pixels in both drawings: it shows how far the drawing thread alone
  # can still move the ratio of processor time.
  awk -v am="$am" -v ap="$ap" -v ac="$ac" -v at="$at" -v bm="$bm" -v bp="$bp" -v bc="$bc" -v bt="$bt" \
    'BEGIN { printf "     ratio B / A                      %8.2f %8.2f %14.2f %17.2f\n", bm / am, bp / ap, bc / ac, bt / at
             printf "     the other threads (cpu - thread): A %.1f ms, B %.1f ms a frame\n", ac - at, bc - bt }'
done
echo
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
