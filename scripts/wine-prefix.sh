#!/bin/bash
# Makes the scratch wine prefix given as $1 if it does not exist yet.
set -euo pipefail
prefix="$1"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
