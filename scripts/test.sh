#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test lane:
# native (host compiler, sanitizers, fuzz smoke run), Win32 (in-process
# under Wine) and end-to-end (the real vornel.exe under Wine), the last two
# for each Windows architecture this machine can run (VORNEL_ARCHS narrows
# them: x86, x64 or x86,x64). Ends with CTest's summary.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$VORNEL_ROOT/scripts/install-deps.sh" || exit 1
say "Building the native lane ..."
build_native || exit 1
for arch in $VORNEL_ALL_ARCHS; do
    say "Building vornel.exe and the Windows tests for $arch ..."
    build_windows "$arch" || exit 1
done

choose_archs
subdirs=("native")
cleanup() {
    local arch
    stop_desktop_keepers
    for arch in $VORNEL_RUN_ARCHS; do
        use_wine_prefix "$arch" "$VORNEL_BUILD/wine/test-$arch"
        stop_wineserver
    done
    stop_private_display
}
if [ -n "$VORNEL_RUN_ARCHS" ]; then
    # The Windows tests of an architecture share one prefix and one
    # wineserver; both architectures share one private X server. All of it
    # is stopped again whatever happens.
    start_private_display || exit 1
    trap cleanup EXIT
    trap 'exit 130' INT TERM HUP
    ran=
    for arch in $VORNEL_RUN_ARCHS; do
        use_wine_prefix "$arch" "$VORNEL_BUILD/wine/test-$arch"
        if start_wine_session "$arch"; then
            subdirs+=("$(basename "$(arch_build_dir "$arch")")")
            ran="${ran:+$ran }$arch"
        else
            say "Wine could not create the prefix $WINEPREFIX: the $arch Win32 and end-to-end lanes do not run."
        fi
    done
    VORNEL_RUN_ARCHS=$ran
fi

# One CTest run over the build trees, so one summary covers every lane.
{
    for dir in "${subdirs[@]}"; do echo "subdirs(\"$dir\")"; done
} > "$VORNEL_BUILD/CTestTestfile.cmake"
say "Running the tests${DISPLAY:+ on $DISPLAY} ..."
ctest --test-dir "$VORNEL_BUILD" --output-on-failure "$@"
