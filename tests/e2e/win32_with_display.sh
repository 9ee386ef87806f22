#!/bin/bash
# Runs a Windows test program under wine on a private Xvfb display, in the end-to-end
# tests' scratch prefix; its exit code is the test's.
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
start_display
prepare_wine
rc=0
timeout 60 wine "$@" || rc=$?
exit "$rc"
