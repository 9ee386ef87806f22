#!/bin/bash
# The memory soak's measure of growth against the cases of tests/data/rss_level_cases.txt.
set -uo pipefail
source "$SOURCE_DIR/bench/rss_level.sh"
samples="$(mktemp)"
trap 'rm -f "$samples"' EXIT
failures=0
while IFS='|' read -r expected span series; do
  series="${series%%#*}"
  tr ' ' '\n' <<<"$series" | awk -F: 'NF == 2 { print $1, $2 }' >"$samples"
  got="$(growth "$samples" "${span// /}")"
  if [ "$got" != "${expected// /}" ]; then
    echo "FAIL: span ${span// /}, samples${series}: growth $got, expected ${expected// /}"
    failures=$((failures + 1))
  fi
done < <(grep -v '^#' "$SOURCE_DIR/tests/data/rss_level_cases.txt")
exit $((failures > 0))
