#!/usr/bin/env bash
# Runs one Windows program of architecture $1 (x86 or x64) under Wine in
# that architecture's test prefix (build/wine/test-<arch>). CTest calls
# this for every Windows test program. VORNEL_WINE_VERSION (win98) names a
# lane where Wine reports that Windows version, in a prefix of its own
# (build/wine/test-<arch>-win98). With no X server around it brings its
# own Xvfb for this one run. Whatever it started is stopped when the
# program ends or when this script is told to stop (CTest's time-out).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

arch="$1"; shift
version="${VORNEL_WINE_VERSION:-}"
use_wine_prefix "$arch" "$(lane_prefix "$arch${version:+-$version}")"
own_display=
child=
stop_everything() {
    [ -n "$child" ] && kill "$child" 2>/dev/null
    if [ -n "$own_display" ]; then
        stop_wineserver
        stop_private_display
    fi
}
trap stop_everything EXIT
trap 'exit 143' TERM INT HUP

if [ -z "${DISPLAY:-}" ]; then
    start_private_display || exit 1
    own_display=1
fi
fresh=
[ -f "$WINEPREFIX/system.reg" ] || fresh=1
ensure_wine_prefix || { say "Wine could not create the prefix $WINEPREFIX."; exit 1; }
[ -n "$own_display" ] && use_unmanaged_windows
# scripts/test.sh sets the version once for its whole run; a prefix made
# here, or a run of its own, sets it now.
if [ -n "$version" ] && [ -n "$own_display$fresh" ]; then
    report_windows_version "$version" || { say "Wine cannot report $version in $WINEPREFIX."; exit 1; }
fi

# In the background, so a signal reaches the trap at once.
vwine "$@" &
child=$!
wait "$child"
status=$?
child=
exit $status
