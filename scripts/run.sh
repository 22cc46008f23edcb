#!/usr/bin/env bash
# Installs what is missing, builds vornel.exe and runs it under Wine in its
# own prefix (build/wine/run). Without a display it starts Xvfb and says so.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$VORNEL_ROOT/scripts/install-deps.sh" || exit 1
say "Building vornel.exe ..."
build_windows || exit 1

use_wine_prefix "$VORNEL_BUILD/wine/run"
private=
if [ -z "${DISPLAY:-}" ]; then
    start_private_display || exit 1
    private=1
    say "No display found: started Xvfb on $DISPLAY; the button is drawn there (use xdotool or import -window root to see it)."
fi
trap 'stop_wineserver; stop_private_display' EXIT
ensure_wine_prefix
if [ -n "$private" ]; then
    use_unmanaged_windows
    wineserver -k   # the desktop process reads the window settings when it starts
fi

say "Starting Vornel (right-click the button for its menu; \"Exit\" ends it) ..."
wine "$VORNEL_BUILD/win32/vornel.exe"
