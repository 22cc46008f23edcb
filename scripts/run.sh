#!/usr/bin/env bash
# Installs what is missing, builds vornel.exe and runs it under Wine in its
# own prefix (build/wine/run-<arch>): the 32-bit program where this machine
# can run 32-bit Wine, else the 64-bit one. Without a display it starts Xvfb
# and says so.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$VORNEL_ROOT/scripts/install-deps.sh" || exit 1
choose_program_arch
say "Building vornel.exe ..."
build_windows "$VORNEL_ARCH" || exit 1

use_wine_prefix "$VORNEL_ARCH" "$VORNEL_BUILD/wine/run-$VORNEL_ARCH"
private=
if [ -z "${DISPLAY:-}" ]; then
    start_private_display || exit 1
    private=1
    say "No display found: started Xvfb on $DISPLAY; the button is drawn there (use xdotool or import -window root to see it)."
fi
trap 'stop_wineserver; stop_private_display' EXIT
trap 'exit 130' INT TERM HUP
ensure_wine_prefix || { say "Wine could not create the prefix $WINEPREFIX."; exit 1; }
if [ -n "$private" ]; then
    use_unmanaged_windows
    vwineserver -k   # the desktop process reads the window settings when it starts
fi

say "Starting Vornel (right-click the button for its menu; \"Exit\" ends it) ..."
vwine "$(arch_build_dir "$VORNEL_ARCH")/vornel.exe"
