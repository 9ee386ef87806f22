# Shared by the tests that install the Debian package: cpack builds it from this build tree,
# dpkg installs it for the test's duration only, and it is purged again on any ending. A
# machine that already has orvanta installed is not touched (the test is skipped, exit 77).
# BUILD_DIR names the build tree (its CPackConfig.cmake), ORVANTA_VERSION the version.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/x11_e2e_lib.sh"
[ -n "${BUILD_DIR:-}" ] && [ -n "${ORVANTA_VERSION:-}" ] || fail "BUILD_DIR and ORVANTA_VERSION must be set"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: installing a package needs root"
  exit 77
fi
if dpkg-query -W -f='${Status}' orvanta 2>/dev/null | grep -q "installed"; then
  echo "SKIP: orvanta is already installed here; the test would replace and then remove it"
  exit 77
fi

DEB_INSTALLED_BY_TEST=0
DEB_CLEANUPS=()  # further commands the test wants run at the end, before the purge
deb_cleanup() {
  local command
  for command in "${DEB_CLEANUPS[@]}"; do eval "$command" || true; done
  if [ "$DEB_INSTALLED_BY_TEST" = 1 ]; then
    dpkg --purge orvanta >/dev/null 2>&1 || echo "could not purge orvanta" >&2
  fi
  e2e_cleanup
}
trap deb_cleanup EXIT

# Builds orvanta_<version>_amd64.deb in the test's scratch folder; its path lands in DEB.
build_deb() {
  (cd "$E2E_TMP" && cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$E2E_TMP/pkg") \
    >"$E2E_TMP/cpack.log" 2>&1 || fail "cpack failed: $(cat "$E2E_TMP/cpack.log")"
  DEB="$E2E_TMP/pkg/orvanta_${ORVANTA_VERSION}_amd64.deb"
  [ -f "$DEB" ] || fail "no $DEB: $(ls "$E2E_TMP/pkg")"
}

install_deb() {
  DEB_INSTALLED_BY_TEST=1
  dpkg -i "$DEB" >"$E2E_TMP/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$E2E_TMP/dpkg.log")"
}

purge_deb() {
  dpkg --purge orvanta >"$E2E_TMP/dpkg.log" 2>&1 || fail "dpkg --purge: $(cat "$E2E_TMP/dpkg.log")"
  DEB_INSTALLED_BY_TEST=0
  if dpkg-query -W -f='${Status}' orvanta 2>/dev/null | grep -q "installed"; then
    fail "orvanta is still installed after the purge"
  fi
}
