# shellcheck shell=bash
# The environment every Wine run of ours shares: a scratch 64-bit prefix that is never the
# user's own, no debug chatter, and neither the .NET nor the browser engine Wine would
# otherwise offer to download when it makes a prefix. Sourced; bash only.
#
#   wine_env PREFIX   exports WINEPREFIX=PREFIX and the settings above, and TMPDIR=PREFIX.tmp:
#                     Wine's server keeps its socket in a folder it makes under TMPDIR and
#                     never removes, so beside the prefix it goes with the build tree
#                     instead of piling up in /tmp, one for every prefix made.
#   wine_prefix       makes $WINEPREFIX on first use, under a lock: CTest may start several
#                     programs in one prefix at once, and only one may make it.
wine_env() {
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  export TMPDIR="$1.tmp"
  mkdir -p "$TMPDIR"
}

wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w
    fi
  ) 9>"$WINEPREFIX.lock"
}
