#!/bin/bash
# Runs a Windows test program under wine on a private Xvfb display, in the end-to-end
# tests' scratch prefix (at the display density ORVANTA_E2E_DPI when that is set); its exit
# code is the test's.
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
start_display
prepare_wine
if [ -n "${ORVANTA_E2E_DPI:-}" ]; then set_display_dpi "$ORVANTA_E2E_DPI"; fi
rc=0
timeout 60 wine "$@" || rc=$?
exit "$rc"
