#!/bin/bash
# Runs a Windows executable under wine in a scratch prefix that belongs to the build
# tree, never the user's own. The prefix is made on first use (under a lock, since
# CTest may start several programs at once).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
exe="$1"
prefix="${ORVANTA_WINEPREFIX:-$(cd "$(dirname "$exe")" && pwd)/wineprefix}"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
"$here/wine-prefix.sh" "$prefix"
exec wine "$@"
