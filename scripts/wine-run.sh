#!/bin/bash
# Runs a Windows executable under wine in a scratch prefix that belongs to the build
# tree, never the user's own; the prefix is made on first use.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/wine-env.sh"
exe="$1"
wine_env "${ORVANTA_WINEPREFIX:-$(cd "$(dirname "$exe")" && pwd)/wineprefix}"
wine_prefix
exec wine "$@"
