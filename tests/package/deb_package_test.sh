#!/bin/bash
# The Debian package as a user gets it: cpack builds it from this build tree, lintian finds no
# error in it, dpkg installs it, its desktop entries and software-centre description pass
# their validators, the installed program answers --help and --version and draws on a
# private Xvfb as XScreenSaver would start it, and dpkg --purge takes every path it installed
# away again. The machine is left as it was (see deb_lib.sh).
source "$(dirname "$0")/deb_lib.sh"
METAINFO=/usr/share/metainfo/example.quorvel_tarnwick.orvanta.metainfo.xml
MENU_ENTRY=/usr/share/applications/orvanta.desktop
MATE_ENTRY=/usr/share/applications/screensavers/orvanta.desktop

echo "cpack builds orvanta_${ORVANTA_VERSION}_amd64.deb"
build_deb

echo "lintian finds no error"
lintian --fail-on error "$DEB" >"$E2E_TMP/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$E2E_TMP/lintian.log")"
cat "$E2E_TMP/lintian.log"

echo "dpkg installs it"
install_deb
dpkg -L orvanta >"$E2E_TMP/paths"
for path in /usr/bin/orvanta /usr/libexec/xscreensaver/orvanta \
  /usr/share/xscreensaver/config/orvanta.xml /usr/share/man/man6/orvanta.6.gz \
  "$MENU_ENTRY" "$MATE_ENTRY" "$METAINFO" /usr/share/icons/hicolor/256x256/apps/orvanta.png \
  /usr/share/doc/orvanta/copyright /usr/share/doc/orvanta/changelog.gz; do
  [ -f "$path" ] || fail "$path is not installed"
  grep -qx "$path" "$E2E_TMP/paths" || fail "dpkg does not list $path"
done
zcat /usr/share/man/man6/orvanta.6.gz | grep -q '^\.TH ORVANTA 6 ' || fail "the manual page has no section 6 title"
grep -q '^Exec=orvanta$' "$MENU_ENTRY" || fail "the menu entry does not open the dialog"

echo "the desktop entries and the software-centre description pass their validators"
for entry in "$MENU_ENTRY" "$MATE_ENTRY"; do
  desktop-file-validate "$entry" >"$E2E_TMP/validate.log" 2>&1 ||
    fail "desktop-file-validate $entry: $(cat "$E2E_TMP/validate.log")"
done
# MATE runs a saver only from XScreenSaver's folder, and lets XSCREENSAVER_WINDOW name its window.
grep -qx 'Exec=/usr/libexec/xscreensaver/orvanta --root' "$MATE_ENTRY" ||
  fail "MATE's entry does not start XScreenSaver's copy: $(grep Exec= "$MATE_ENTRY")"
appstreamcli validate --no-net "$METAINFO" >"$E2E_TMP/validate.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$E2E_TMP/validate.log")"
grep -q "<launchable type=\"desktop-id\">${MENU_ENTRY##*/}</launchable>" "$METAINFO" ||
  fail "the description does not launch the menu entry"
grep -q "<release version=\"$ORVANTA_VERSION\"" "$METAINFO" ||
  fail "the description's newest release is not $ORVANTA_VERSION"

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
purge_deb
while read -r path; do
  [ -e "$path" ] || continue
  # Folders such as /usr/bin stay, as long as another package owns them.
  [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
  fail "$path is left after the purge"
done <"$E2E_TMP/paths"
echo PASS
