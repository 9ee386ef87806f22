#!/bin/bash
# Installs the Debian 12 packages of one set:
#   scripts/deps.sh saver         building and showing the saver (./run saver)
#   scripts/deps.sh [test]        everything: the tests, the Windows build under wine, the
#                                 packages and installers, fuzzing (./run test, CI)
#   scripts/deps.sh --list SET    prints the set's packages, one a line, and installs nothing
# Idempotent: when every package of the set is there it does nothing. apt's output goes to
# build/deps.log; the terminal gets one line per step, and the log's tail if a step fails.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What building orvanta and orvanta-headless needs, and nothing more.
saver_packages=(
  g++ cmake ninja-build pkg-config
  libgl-dev libglu1-mesa-dev libosmesa6-dev libx11-dev libgtk-3-dev libpng-dev
)
# Everything else the tests and the other builds use.
test_packages=(
  "${saver_packages[@]}" git
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64 wixl
  xvfb xdotool imagemagick x11-utils
  dpkg-dev lintian desktop-file-utils appstream
  mate-screensaver dbus libglib2.0-bin
  clang clang-format clang-tidy libclang-rt-14-dev
)

usage() {
  echo "usage: scripts/deps.sh [--list] [saver|test]" >&2
  exit 2
}

list=0
if [ "${1:-}" = --list ]; then
  list=1
  shift
fi
case "${1:-test}" in
  saver) packages=("${saver_packages[@]}") ;;
  test) packages=("${test_packages[@]}") ;;
  *) usage ;;
esac
[ $# -le 1 ] || usage
if [ "$list" = 1 ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

mkdir -p "$root/build"
log="$root/build/deps.log"
shown_log="${log#"$PWD"/}"
: >"$log"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# step <message> <command...>: one line on the terminal, the command's output in the log.
step() {
  local message="$1"
  shift
  echo "$message (log: $shown_log)…"
  if ! "$@" >>"$log" 2>&1; then
    echo "Failed: $*" >&2
    echo "Last lines of $shown_log:" >&2
    tail -n 25 "$log" >&2
    exit 1
  fi
}

export DEBIAN_FRONTEND=noninteractive
step "Updating the package lists" "${sudo_cmd[@]}" apt-get update
step "Installing ${#missing[@]} packages" "${sudo_cmd[@]}" apt-get install -y "${missing[@]}"
