#!/bin/bash
# The Debian package as a user gets it: cpack builds it from this build tree, lintian finds no
# error in it, dpkg installs it, the installed program answers --help and --version and
# draws on a private Xvfb as XScreenSaver would start it, and dpkg --purge takes every path
# it installed away again. The machine is left as it was: a package installed here is
# purged on any ending, and a machine that already has orvanta installed is not touched
# (the test is skipped, exit code 77).
#
# BUILD_DIR names the build tree (its CPackConfig.cmake); ORVANTA_VERSION the version.
source "$(dirname "$0")/../e2e/x11_e2e_lib.sh"
[ -n "${BUILD_DIR:-}" ] && [ -n "${ORVANTA_VERSION:-}" ] || fail "BUILD_DIR and ORVANTA_VERSION must be set"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: installing a package needs root"
  exit 77
fi
if dpkg-query -W -f='${Status}' orvanta 2>/dev/null | grep -q "installed"; then
  echo "SKIP: orvanta is already installed here; the test would replace and then remove it"
  exit 77
fi

INSTALLED_BY_TEST=0
package_cleanup() {
  if [ "$INSTALLED_BY_TEST" = 1 ]; then
    dpkg --purge orvanta >/dev/null 2>&1 || echo "could not purge orvanta" >&2
  fi
  e2e_cleanup
}
trap package_cleanup EXIT

echo "cpack builds orvanta_${ORVANTA_VERSION}_amd64.deb"
(cd "$E2E_TMP" && cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$E2E_TMP/pkg") \
  >"$E2E_TMP/cpack.log" 2>&1 || fail "cpack failed: $(cat "$E2E_TMP/cpack.log")"
deb="$E2E_TMP/pkg/orvanta_${ORVANTA_VERSION}_amd64.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$E2E_TMP/pkg")"

echo "lintian finds no error"
lintian --fail-on error "$deb" >"$E2E_TMP/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$E2E_TMP/lintian.log")"
cat "$E2E_TMP/lintian.log"

echo "dpkg installs it"
INSTALLED_BY_TEST=1
dpkg -i "$deb" >"$E2E_TMP/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$E2E_TMP/dpkg.log")"
dpkg -L orvanta >"$E2E_TMP/paths"
for path in /usr/bin/orvanta /usr/libexec/xscreensaver/orvanta \
  /usr/share/xscreensaver/config/orvanta.xml /usr/share/man/man6/orvanta.6.gz \
  /usr/share/applications/orvanta.desktop /usr/share/icons/hicolor/256x256/apps/orvanta.png \
  /usr/share/doc/orvanta/copyright /usr/share/doc/orvanta/changelog.gz; do
  [ -f "$path" ] || fail "$path is not installed"
  grep -qx "$path" "$E2E_TMP/paths" || fail "dpkg does not list $path"
done
zcat /usr/share/man/man6/orvanta.6.gz | grep -q '^\.TH ORVANTA 6 ' || fail "the manual page has no section 6 title"
grep -q '^Exec=orvanta$' /usr/share/applications/orvanta.desktop || fail "the menu entry does not open the dialog"

echo "the installed program answers --help and --version without a display"
(unset DISPLAY; /usr/bin/orvanta --help >"$E2E_TMP/help.out") || fail "--help failed"
grep -q -- "--root" "$E2E_TMP/help.out" || fail "--help: $(cat "$E2E_TMP/help.out")"
[ "$(/usr/bin/orvanta --version)" = "orvanta $ORVANTA_VERSION" ] || fail "--version: $(/usr/bin/orvanta --version)"

echo "XScreenSaver's copy draws on the root window and ends on SIGTERM"
start_xvfb
use_settings
ORVANTA=/usr/libexec/xscreensaver/orvanta
start_saver --root --meteors 300
expect_picture root 5
kill -TERM "$SAVER_PID"
expect_exit "$SAVER_PID" 2 0

echo "dpkg --purge leaves nothing of it"
dpkg --purge orvanta >"$E2E_TMP/dpkg.log" 2>&1 || fail "dpkg --purge: $(cat "$E2E_TMP/dpkg.log")"
INSTALLED_BY_TEST=0
dpkg-query -W -f='${Status}' orvanta 2>/dev/null | grep -q "installed" && fail "still installed"
while read -r path; do
  [ -e "$path" ] || continue
  # Folders such as /usr/bin stay, as long as another package owns them.
  [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
  fail "$path is left after the purge"
done <"$E2E_TMP/paths"
echo PASS
