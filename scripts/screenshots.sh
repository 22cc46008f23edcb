#!/usr/bin/env bash
# Makes the README's pictures anew: runs the end-to-end lane on the real
# program (the 32-bit one where this machine runs it, else the 64-bit one)
# on a private X server, and copies the pictures it takes, each cut to its
# window, into docs/. Commit what changed.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PICTURES=(button button_large menu_tools favourites_dialog colours about calculator_sqrt
          spy_window windows_list_expanded processes_list processes_list_menu windows_list_menu)

"$VORNEL_ROOT/scripts/install-deps.sh" || exit 1
choose_program_arch
build_windows "$VORNEL_ARCH" || exit 1
dir=$(arch_build_dir "$VORNEL_ARCH")
rm -rf "$dir/screenshots"

use_wine_prefix "$VORNEL_ARCH" "$(lane_prefix "$VORNEL_ARCH")"
start_private_display || exit 1
trap 'stop_desktop_keepers; stop_wineserver; stop_private_display' EXIT
trap 'exit 130' INT TERM HUP
start_wine_session "$VORNEL_ARCH" || { say "Wine could not create the prefix $WINEPREFIX."; exit 1; }
# The architecture's own lane: the Windows 98 lane has a prefix of its own.
ctest --test-dir "$dir" -R "^e2e\\.$VORNEL_ARCH\\." --output-on-failure >/dev/null || say "Some end-to-end tests failed; their pictures may be missing."

mkdir -p "$VORNEL_ROOT/docs"
status=0
for name in "${PICTURES[@]}"; do
    if [ -f "$dir/screenshots/$name.png" ]; then
        cp "$dir/screenshots/$name.png" "$VORNEL_ROOT/docs/$name.png"
        say "docs/$name.png"
    else
        say "missing: $name.png"
        status=1
    fi
done
exit $status
