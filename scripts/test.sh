#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test lane:
# native (host compiler, sanitizers, fuzz smoke run), Win32 (in-process
# under Wine) and end-to-end (the real vornel.exe under Wine), the last two
# for each Windows architecture this machine can run (VORNEL_ARCHS narrows
# them: x86, x64 or x86,x64), and the 32-bit end-to-end lane once more where
# Wine reports Windows 98. Ends with CTest's summary.
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
lanes=
left_out=
cleanup() {
    local lane
    stop_desktop_keepers
    for lane in $lanes; do
        use_wine_prefix "$(lane_arch "$lane")" "$(lane_prefix "$lane")"
        stop_wineserver
    done
    stop_private_display
}
if [ -n "$VORNEL_RUN_ARCHS" ]; then
    # Each lane's Windows tests share one prefix and one wineserver; all
    # lanes share one private X server. All of it is stopped again whatever
    # happens.
    start_private_display || exit 1
    trap cleanup EXIT
    trap 'exit 130' INT TERM HUP
    for arch in $VORNEL_RUN_ARCHS; do
        for lane in $(arch_lanes "$arch"); do
            version=$(lane_windows_version "$lane")
            use_wine_prefix "$arch" "$(lane_prefix "$lane")"
            lanes="${lanes:+$lanes }$lane"
            # The version is set before the session's first program starts.
            if ensure_wine_prefix && { [ -z "$version" ] || report_windows_version "$version"; } &&
               start_wine_session "$arch"; then
                [ "$lane" = "$arch" ] && subdirs+=("$(basename "$(arch_build_dir "$arch")")")
            elif [ "$lane" = "$arch" ]; then
                say "Wine could not create the prefix $WINEPREFIX: the $arch Win32 and end-to-end lanes do not run."
                break
            else
                say "Wine could not ready the prefix $WINEPREFIX: the $lane lane does not run."
                left_out="${left_out:+$left_out|}$lane"
            fi
        done
    done
fi

# One CTest run over the build trees, so one summary covers every lane, less
# the tests of a lane whose prefix could not be readied.
{
    for dir in "${subdirs[@]}"; do echo "subdirs(\"$dir\")"; done
} > "$VORNEL_BUILD/CTestTestfile.cmake"
say "Running the tests${DISPLAY:+ on $DISPLAY} ..."
ctest --test-dir "$VORNEL_BUILD" --output-on-failure ${left_out:+-E "^e2e\\.($left_out)\\."} "$@"
