#!/bin/bash
# Orvanta in MATE's screen saver, as a MATE user gets it: with the Debian package installed,
# a user who is not root chooses Orvanta as the only theme, the real mate-screensaver (on a
# private Xvfb, in a D-Bus session of its own) is activated and shows our picture, and once
# it is deactivated no orvanta process it started is left. The package, the user and every
# process of that user are gone again at the end, whatever happens.
set -euo pipefail
if [ "${1:-}" = --session ]; then
  # The user's part, inside dbus-run-session. Prints what it saw; the exit code says whether
  # it passed.
  fail() {
    echo "FAIL: $*" >&2
    exit 1
  }
  gsettings set org.mate.screensaver mode single
  gsettings set org.mate.screensaver themes "['screensavers-orvanta']"
  gsettings set org.mate.screensaver lock-enabled false
  gsettings set org.mate.screensaver idle-activation-enabled false
  mate-screensaver --no-daemon >"$HOME/daemon.log" 2>&1 &
  daemon=$!
  trap 'kill "$daemon" 2>/dev/null; wait "$daemon" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do
    mate-screensaver-command --query >/dev/null 2>&1 && break
    sleep 0.1
  done
  mate-screensaver-command --query >/dev/null 2>&1 || fail "mate-screensaver did not start: $(cat "$HOME/daemon.log")"

  # The saver processes mate-screensaver runs; in MATE's window they are its children.
  savers() {
    local pid
    for pid in $(ps -o pid= --ppid "$daemon"); do
      [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$SAVER" ] && echo "$pid"
    done
    return 0
  }
  echo "mate-screensaver-command --activate"
  mate-screensaver-command --activate >/dev/null
  for _ in $(seq 100); do
    [ -n "$(savers)" ] && break
    sleep 0.1
  done
  hack="$(savers | head -n1)"
  [ -n "$hack" ] || fail "mate-screensaver started no $SAVER: $(cat "$HOME/daemon.log")"
  grep -qz '^XSCREENSAVER_WINDOW=' "/proc/$hack/environ" || fail "$SAVER was not given MATE's window"
  echo "the screen shows Orvanta's picture"
  level=0
  for _ in $(seq 40); do
    import -window root "$HOME/screen.png" 2>/dev/null &&
      level="$(convert "$HOME/screen.png" -format '%[fx:maxima]' info:)"
    awk -v l="$level" 'BEGIN { exit !(l > 0.1) }' && break
    sleep 0.25
  done
  awk -v l="$level" 'BEGIN { exit !(l > 0.1) }' || fail "the screen stayed black (brightest $level)"

  echo "mate-screensaver-command --deactivate ends it"
  mate-screensaver-command --deactivate >/dev/null
  for _ in $(seq 50); do
    kill -0 "$hack" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$hack" 2>/dev/null && fail "$SAVER ($hack) is still running after the deactivation"
  [ -z "$(savers)" ] || fail "an orvanta process is left: $(savers)"
  exit 0
fi

source "$(dirname "$0")/deb_lib.sh"
if ! command -v mate-screensaver >/dev/null || ! command -v dbus-run-session >/dev/null; then
  echo "SKIP: mate-screensaver (and dbus-run-session) are not installed; scripts/deps.sh test installs them"
  exit 77
fi
SAVER=/usr/libexec/xscreensaver/orvanta

# A user of the test's own, with its home in the test's scratch folder.
USER_NAME="orvanta-mate-$$"
USER_HOME="$E2E_TMP/home"
remove_user() {
  id "$USER_NAME" >/dev/null 2>&1 || return 0
  local pid
  # Whatever still runs as that user was started by this test.
  for pid in $(ps -o pid= -u "$USER_NAME"); do kill "$pid" 2>/dev/null || true; done
  sleep 0.5
  for pid in $(ps -o pid= -u "$USER_NAME"); do kill -KILL "$pid" 2>/dev/null || true; done
  userdel "$USER_NAME" >/dev/null 2>&1 || echo "could not remove the user $USER_NAME" >&2
}
DEB_CLEANUPS+=(remove_user)

echo "the package installs MATE's entry"
build_deb
install_deb
[ -f /usr/share/applications/screensavers/orvanta.desktop ] || fail "no entry for MATE's screen saver"

chmod 755 "$E2E_TMP"
cp "$0" "$E2E_TMP/session.sh"  # readable by the user wherever the tree is
useradd --no-create-home --home-dir "$USER_HOME" --shell /bin/bash "$USER_NAME"
mkdir -p "$USER_HOME"
chown "$USER_NAME" "$USER_HOME"
start_xvfb

echo "as $USER_NAME, in a D-Bus session of its own:"
code=0
timeout 60 runuser -u "$USER_NAME" -- env -i PATH=/usr/bin:/bin HOME="$USER_HOME" \
  USER="$USER_NAME" DISPLAY="$DISPLAY" XDG_CONFIG_HOME="$USER_HOME/.config" \
  XDG_CURRENT_DESKTOP=MATE GSETTINGS_BACKEND=keyfile GIO_USE_VFS=local NO_AT_BRIDGE=1 \
  SAVER="$SAVER" \
  dbus-run-session -- bash "$E2E_TMP/session.sh" --session || code=$?
[ "$code" = 0 ] || fail "the session's part failed (exit code $code)"
# Ended processes whose parent has not collected them yet (state Z) are not running.
running_as_user() { ps -o pid=,stat= -u "$USER_NAME" | awk '$2 !~ /^Z/ { print $1 }'; }
sleep 0.5
[ -z "$(running_as_user)" ] || fail "processes of the session are left: $(ps -o pid,stat,args -u "$USER_NAME")"

echo "dpkg --purge removes the entry"
purge_deb
[ ! -e /usr/share/applications/screensavers/orvanta.desktop ] || fail "MATE's entry is left"
echo PASS
