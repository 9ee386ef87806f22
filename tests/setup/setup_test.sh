#!/bin/bash
# scripts/deps.sh and the programs-only configuration that ./run saver relies on:
# - the saver's set is part of the test set and holds none of the heavy tools;
# - installing prints one line per step and keeps apt's output in build/deps.log, and a
#   failing step shows the log's tail and fails (apt-get, dpkg-query and sudo are stand-ins
#   here, so nothing is installed);
# - the tree configures orvanta and orvanta-headless with GoogleTest and Google Benchmark
#   out of reach, and refuses to when the tests are wanted.
set -euo pipefail
: "${SOURCE_DIR:?}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
deps="$SOURCE_DIR/scripts/deps.sh"

echo "the saver's packages are a part of the test set, without the heavy tools"
"$deps" --list saver >"$tmp/saver"
"$deps" --list test >"$tmp/test"
[ -s "$tmp/saver" ] || fail "the saver's set is empty"
missing="$(sort "$tmp/saver" | comm -23 - <(sort "$tmp/test"))"
[ -z "$missing" ] || fail "the test set lacks $missing"
heavy="$(grep -xE 'wine.*|g\+\+-mingw.*|wixl|lintian|clang.*|libgtest-dev|libbenchmark-dev|xvfb|mate-screensaver' "$tmp/saver" || true)"
[ -z "$heavy" ] || fail "./run saver would install $heavy"
for p in mate-screensaver wixl wine lintian appstream desktop-file-utils; do
  grep -qx "$p" "$tmp/test" || fail "the test set lacks $p"
done
code=0
"$deps" --list nonsense >/dev/null 2>&1 || code=$?
[ "$code" = 2 ] || fail "an unknown set gave exit code $code, expected 2"

# A copy of the script in a tree of its own, so that its log lands there, with stand-ins
# that report every package missing and an apt-get that talks a lot.
mkdir -p "$tmp/tree/scripts" "$tmp/bin"
cp "$deps" "$tmp/tree/scripts/deps.sh"
cat >"$tmp/bin/dpkg-query" <<'STUB'
#!/bin/bash
exit 1
STUB
cat >"$tmp/bin/sudo" <<'STUB'
#!/bin/bash
exec "$@"
STUB
cat >"$tmp/bin/apt-get" <<'STUB'
#!/bin/bash
for i in $(seq 40); do echo "apt line $i of $*"; done
[ "$1" = install ] && [ -n "${APT_FAILS:-}" ] && { echo "E: Unable to locate package $APT_FAILS"; exit 100; }
exit 0
STUB
chmod +x "$tmp/bin/"*

echo "installing prints one line per step, apt's output goes to the log"
count="$(wc -l <"$tmp/saver")"
(cd "$tmp/tree" && PATH="$tmp/bin:$PATH" scripts/deps.sh saver) >"$tmp/out" 2>&1 ||
  fail "deps.sh failed: $(cat "$tmp/out")"
expected="Updating the package lists (log: build/deps.log)…
Installing $count packages (log: build/deps.log)…"
[ "$(cat "$tmp/out")" = "$expected" ] || fail "unexpected output: $(cat "$tmp/out")"
grep -q "apt line 40 of install -y $(head -n1 "$tmp/saver")" "$tmp/tree/build/deps.log" ||
  fail "the log lacks apt's output: $(head -n3 "$tmp/tree/build/deps.log")"

echo "a failing step shows the log's tail and fails"
code=0
(cd "$tmp/tree" && PATH="$tmp/bin:$PATH" APT_FAILS=nosuch scripts/deps.sh test) >"$tmp/out" 2>&1 ||
  code=$?
[ "$code" != 0 ] || fail "a failed install exited with 0"
grep -q "E: Unable to locate package nosuch" "$tmp/out" || fail "no log tail: $(cat "$tmp/out")"
grep -q "apt line 1 of update" "$tmp/out" && fail "the whole log was printed, not its tail"

echo "the programs configure without GoogleTest and Google Benchmark"
cmake -S "$SOURCE_DIR" -B "$tmp/programs" -G Ninja -DORVANTA_BUILD_TESTS=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
  >"$tmp/cmake.log" 2>&1 || fail "configure failed: $(tail -n 20 "$tmp/cmake.log")"
ninja -C "$tmp/programs" -t targets all >"$tmp/targets"
for target in orvanta orvanta-headless; do
  grep -q "^$target: " "$tmp/targets" || fail "no target $target"
done
grep -q "^scene_bench: " "$tmp/targets" && fail "the benchmarks are built without the tests"
[ -z "$(cd "$tmp/programs" && ctest -N | grep -E '^ +Test +#' | grep -v TextureGenerator || true)" ] ||
  fail "tests are defined: $(cd "$tmp/programs" && ctest -N)"
code=0
cmake -S "$SOURCE_DIR" -B "$tmp/tests" -G Ninja -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  >"$tmp/cmake.log" 2>&1 || code=$?
[ "$code" != 0 ] || fail "the tests configured without GoogleTest"
echo PASS
