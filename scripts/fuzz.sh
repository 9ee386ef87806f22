#!/bin/bash
# Fuzzes the readers of outside input with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer: the TGA reader, the settings file and the command line.
#   scripts/fuzz.sh [runs=1000000] [target ...]      targets: tga settings_file command_line
# Builds the targets with clang into build/fuzz and runs each for the given number of inputs,
# starting from its seeds in tests/fuzz/corpus/<target> (never written to) and keeping what it
# learns in build/fuzz/corpus/<target>. A target is stopped after FUZZ_MAX_SECONDS (default
# 3600) whatever its count. A finding leaves its input in build/fuzz/artifacts/ and makes the
# script exit 1; once fixed, keep that input among the seeds as a regression case.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-1000000}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(tga settings_file command_line)
max_seconds="${FUZZ_MAX_SECONDS:-3600}"
out="$root/build/fuzz"

declare -A max_len=([tga]=70000 [settings_file]=4096 [command_line]=1024)
for target in "${targets[@]}"; do
  [ -n "${max_len[$target]:-}" ] || { echo "unknown target '$target'" >&2; exit 2; }
done

source "$root/scripts/bounded.sh"

echo "building ${targets[*]/%/_fuzz} with clang in $out"
CC=clang CXX=clang++ cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  >"$out.configure.log" 2>&1 || { cat "$out.configure.log"; exit 1; }
cmake --build "$out" --target "${targets[@]/%/_fuzz}" >"$out.build.log" 2>&1 ||
  { tail -n 30 "$out.build.log"; exit 1; }

status=0
mkdir -p "$out/artifacts"
for target in "${targets[@]}"; do
  mkdir -p "$out/corpus/$target"
  log="$out/$target.log"
  started="$(date +%s.%N)"
  result=0
  bounded "$max_seconds" "$out/tests/fuzz/${target}_fuzz" -runs="$runs" \
    -max_len="${max_len[$target]}" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/artifacts/${target}-" \
    "$out/corpus/$target" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1 || result=$?
  seconds="$(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN {print b - a}')"
  done_runs="$(sed -nE 's/^Done ([0-9]+) runs.*/\1/p' "$log" | tail -n 1)"
  if [ "$result" -eq 0 ] && [ -n "$done_runs" ]; then
    awk -v t="$target" -v n="$done_runs" -v s="$seconds" \
      'BEGIN {printf "%s: %d runs in %.0f s (%.0f runs/s), no finding\n", t, n, s, n / s}'
  elif [ "$result" -eq 124 ]; then
    echo "$target: stopped after $max_seconds s before $runs runs ($(grep -oE '^#[0-9]+' "$log" | tail -n 1) done), no finding so far"
    status=1
  else
    echo "$target: FINDING (exit $result), input in $out/artifacts/ - see $log"
    grep -E 'ERROR|SUMMARY|deadly signal' "$log" | head -n 5 || true
    status=1
  fi
done
exit "$status"
