#!/bin/bash
# With no settings key the saver runs on the defaults and leaves the key behind, empty.
source "$(dirname "${BASH_SOURCE[0]}")/win32_e2e_lib.sh"
start_display
prepare_wine
reg_clear
check "there is no settings key before the first run" bash -c '! wine reg query "$0" >/dev/null 2>&1' "$REGKEY"

xdotool mousemove 400 300
start_bg SAVER wine "$ORVANTA_SCR" /S
window_of Form1 15 >/dev/null || true
check "the saver draws without any stored settings" wait_for_picture 10
xdotool key space
expect_exit "it ends with exit code 0" "$SAVER" 5 0
check "the settings key exists afterwards" reg_key_exists
check "and holds no values" test -z "$(reg_values)"
check "wine's server folder lies beside the prefix, not in /tmp" \
  bash -c 'compgen -G "$0/wine-*/server-*" >/dev/null' "$ORVANTA_E2E_PREFIX.tmp"
finish
