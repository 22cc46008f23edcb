#!/usr/bin/env bash
# Runs one Windows program under Wine in the test prefix (build/wine/test).
# CTest calls this for every Windows test program. With no X server around
# it brings its own Xvfb for this one run.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

use_wine_prefix "${VORNEL_WINEPREFIX:-$VORNEL_BUILD/wine/test}"
own_display=
if [ -z "${DISPLAY:-}" ]; then
    start_private_display || exit 1
    own_display=1
fi
ensure_wine_prefix
[ -n "$own_display" ] && use_unmanaged_windows

wine "$@"
status=$?

if [ -n "$own_display" ]; then
    stop_wineserver
    stop_private_display
fi
exit $status
