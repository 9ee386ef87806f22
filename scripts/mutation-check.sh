#!/bin/bash
# Checks that the fast unit tests catch plausible faults. Each fault of the list (default
# scripts/mutations.txt) is put into a scratch copy of the tracked files, one at a time;
# the unit test programs are rebuilt there (incrementally, one configure for all) and run.
# A fault is "caught" when a test program fails, and "SURVIVED" when they all pass. Exits
# non-zero unless every fault was applied, built and caught. Not part of CI: it takes some
# minutes.
#
#   scripts/mutation-check.sh [list of faults]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
list="$(realpath "${1:-$root/scripts/mutations.txt}")"

# The fast native unit tests of the subjects the faults touch (no e2e, no soak).
tests=(scene_test scene_reference_test render_calls_test texture_loading_test power_timer_test app_test
  tga_reader_test settings_test posix_file_settings_store_test gl_swap_control_test
  x11_shell_test)
build_limit=600 # seconds for the first build; a rebuild gets half
test_limit=60   # seconds for one test program

scratch="$(mktemp -d "${TMPDIR:-/tmp}/orvanta-mutation.XXXXXX")"
source "$root/scripts/bounded.sh"
trap 'bounded_cleanup; rm -rf "$scratch"' EXIT

build() {
  bounded "$1" cmake --build "$scratch/build" --target "${tests[@]}" >"$scratch/build.log" 2>&1
}

# 0 when every test program passes.
run_tests() {
  local program
  for program in "${tests[@]}"; do
    if ! bounded "$test_limit" "$scratch/build/tests/unit/$program" --gtest_brief=1 \
      >"$scratch/test.log" 2>&1; then
      failed_program="$program"
      return 1
    fi
  done
}

echo "copying the tracked files to $scratch/tree"
mkdir -p "$scratch/tree"
(cd "$root" && git ls-files -z | tar --null -T - -cf -) | tar -xf - -C "$scratch/tree"

# ccache keys paths relative to the scratch folder, so a later check reuses this one's work.
export CCACHE_BASEDIR="$scratch"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
echo "configuring and building ${#tests[@]} test programs (once)"
cmake -S "$scratch/tree" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "${launcher[@]}" >"$scratch/configure.log" 2>&1 || {
  cat "$scratch/configure.log"
  exit 1
}
if ! build "$build_limit"; then
  tail -n 30 "$scratch/build.log"
  echo "the unchanged tree does not build"
  exit 1
fi
failed_program=""
if ! run_tests; then
  tail -n 30 "$scratch/test.log"
  echo "the unchanged tree fails $failed_program"
  exit 1
fi

total=0 caught=0 survived=0 broken=0
check_fault() {
  local file="$1" script="$2" fault="$3" target="$scratch/tree/$1"
  total=$((total + 1))
  if [ ! -f "$target" ]; then
    printf '%-12s %s (%s: no such file)\n' "not applied" "$fault" "$file"
    broken=$((broken + 1))
    return
  fi
  cp "$target" "$scratch/original"
  if ! sed -i -e "$script" "$target" 2>"$scratch/sed.log" || cmp -s "$target" "$scratch/original"; then
    printf '%-12s %s (%s)\n' "not applied" "$fault" "$file"
    broken=$((broken + 1))
  elif ! build $((build_limit / 2)); then
    printf '%-12s %s (%s)\n' "not built" "$fault" "$file"
    broken=$((broken + 1))
  else
    failed_program=""
    if run_tests; then
      printf '%-12s %s (%s)\n' "SURVIVED" "$fault" "$file"
      survived=$((survived + 1))
    else
      printf '%-12s %s (%s: %s)\n' "caught" "$fault" "$file" "$failed_program"
      caught=$((caught + 1))
    fi
  fi
  # A plain copy gives the restored file a new time, so the next build compiles it again.
  cp "$scratch/original" "$target"
}

file="" script="" fault=""
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    "file: "*) file="${line#file: }" ;;
    "sed: "*) script="${line#sed: }" ;;
    "fault: "*) fault="${line#fault: }" ;;
  esac
  if [ -n "$file" ] && [ -n "$script" ] && [ -n "$fault" ]; then
    check_fault "$file" "$script" "$fault"
    file="" script="" fault=""
  fi
done <"$list"

echo "$total faults: $caught caught, $survived survived, $broken not applied or not built"
[ "$caught" -eq "$total" ] && [ "$total" -gt 0 ]
