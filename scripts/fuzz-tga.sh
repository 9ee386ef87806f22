#!/bin/bash
# Fuzzes the TGA reader with libFuzzer and AddressSanitizer.
#   scripts/fuzz-tga.sh [seconds=60] [extra libFuzzer options...]
# Builds into build/fuzz-tga (clang, no CMake needed), starts from the seeds in
# tests/fuzz/corpus/tga and keeps what it learns in build/fuzz-tga/corpus, so the
# seeds in the tree stay as they are. A crash leaves its input in build/fuzz-tga/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
out="$root/build/fuzz-tga"
mkdir -p "$out/corpus"

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" \
  "$root/tests/fuzz/tga_fuzz.cpp" "$root/src/textures/tga_reader.cpp" \
  "$root/tests/fuzz/tga_fuzz_store.cpp" \
  -o "$out/tga_fuzz"

cd "$out"
exec ./tga_fuzz -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=70000 \
  -artifact_prefix="$out/" "$@" corpus "$root/tests/fuzz/corpus/tga"
