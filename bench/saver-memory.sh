#!/bin/bash
# What holds the memory of `orvanta --root`: runs the saver on a private 1280x720 Xvfb for a
# fixed time, once per variant of its environment, and prints its resident size, the
# anonymous and file-backed parts, and the anonymous memory by kind of mapping:
#   heap     the main malloc arena ([heap])
#   arenas   the malloc arenas of other threads (anonymous regions inside 64 MiB blocks)
#   code     anonymous executable mappings (the shaders llvmpipe compiles)
#   other    every other anonymous mapping (large mallocs, thread stacks, buffers)
#
#   bench/saver-memory.sh [seconds, default 60] [path to orvanta]
#
# Starts nothing it does not stop: Xvfb and each saver are ended by process id on exit.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
orvanta="${2:-$root/build/linux/src/app/orvanta}"
[ -x "$orvanta" ] || { echo "no program at $orvanta (build the linux preset first)" >&2; exit 1; }

source "$root/bench/x11_bench_lib.sh"
tmp="$BENCH_TMP"
start_private_xvfb 1280x720

# Kilobytes of the saver's anonymous mappings by kind, from /proc/PID/smaps.
anonymous_by_kind() {
  awk '
    function hex(text,   i, n) {
      n = 0
      for (i = 1; i <= length(text); i++) n = n * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
      return n
    }
    /^[0-9a-f]+-[0-9a-f]+ / {
      split($1, range, "-"); perms = $2; name = $6
      kind = ""
      if (name == "[heap]") kind = "heap"
      else if (name == "" && perms ~ /x/) kind = "code"
      # A thread arena starts a block aligned to its 64 MiB.
      else if (name == "") kind = hex(range[1]) % 67108864 == 0 ? "arena" : "other"
      next
    }
    /^Anonymous:/ && kind != "" { sum[kind] += $2 }
    END { printf "%d %d %d %d\n", sum["heap"], sum["arena"], sum["code"], sum["other"] }
  ' "/proc/$1/smaps"
}

run() {
  local label="$1"
  shift
  env "$@" "$orvanta" --root 2>"$tmp/saver.err" &
  local saver=$!
  BENCH_PIDS+=("$saver")
  sleep "$seconds"
  kill -0 "$saver" 2>/dev/null || { echo "the saver ended early: $(cat "$tmp/saver.err")" >&2; exit 1; }
  local rss anon file kinds
  rss="$(awk '/^VmRSS:/ { print $2 }' "/proc/$saver/status")"
  anon="$(awk '/^RssAnon:/ { print $2 }' "/proc/$saver/status")"
  file="$(awk '/^RssFile:/ { print $2 }' "/proc/$saver/status")"
  kinds="$(anonymous_by_kind "$saver")"
  kill -TERM "$saver"
  wait "$saver" || true
  read -r heap arenas code other <<<"$kinds"
  awk -v label="$label" -v values="$rss $anon $file $heap $arenas $code $other" 'BEGIN {
    n = split(values, kb, " ")
    printf "%-28s", label
    for (i = 1; i <= n; i++) printf " %7.1f", kb[i] / 1024
    printf "\n"
  }'
}

echo "orvanta --root on Xvfb 1280x720, default pools, after ${seconds}s; MiB"
printf "%-28s %7s %7s %7s %7s %7s %7s %7s\n" "environment" "rss" "anon" "file" "heap" "arenas" \
  "code" "other"
run "(as installed)"
run "MALLOC_ARENA_MAX=2" MALLOC_ARENA_MAX=2
run "MALLOC_ARENA_MAX=1" MALLOC_ARENA_MAX=1
run "LP_NUM_THREADS=1" LP_NUM_THREADS=1
