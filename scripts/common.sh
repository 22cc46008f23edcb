# Shared by the scripts: where things live, the Wine environment of a
# prefix under build/, and a private X server when one is needed.
# Sourced, not run.

VORNEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VORNEL_BUILD="$VORNEL_ROOT/build"

say() { printf '%s\n' "$*" >&2; }

# Use the prefix $1 (a directory under build/) for everything Wine does from
# here on. The user's own prefix (~/.wine) is never touched.
use_wine_prefix() {
    export WINEPREFIX="$1"
    export WINEARCH=win32
    export WINEDEBUG="${WINEDEBUG:--all}"
    # No Mono or Gecko installer dialogs in a fresh prefix.
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Creates the prefix on first use and waits until Wine has finished with it.
ensure_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        say "Creating the Wine prefix $WINEPREFIX ..."
        mkdir -p "$(dirname "$WINEPREFIX")"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
}

# With no window manager on a private X server, Wine would wait two seconds
# for a manager's answer on every hide and destroy: let Wine place its
# windows itself. Without a manager, though, Wine cannot keep a hidden
# window active while its popup menu opens, so the tests of menus owned by
# a hidden button run in their own program with managed windows.
use_unmanaged_windows() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\AppDefaults\win32_managed_tests.exe\X11 Driver' \
        /v Managed /d Y /f >/dev/null 2>&1
}

# Readies the prefix for a run of Windows test programs on a private X
# server: unmanaged windows set before the desktop process starts (it reads
# them once), one persistent wineserver so no program pays for starting it,
# and a desktop that outlives each program (see tests/fixtures/desktop_keeper.cpp).
start_wine_session() {
    ensure_wine_prefix
    use_unmanaged_windows
    wineserver -k
    wineserver -p >/dev/null 2>&1 </dev/null
    wine "$VORNEL_BUILD/win32/desktop_keeper.exe" >/dev/null 2>&1 </dev/null &
}

# Starts Xvfb on a free display and exports DISPLAY; the caller stops it
# with stop_private_display. Sets VORNEL_XVFB_PID.
start_private_display() {
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        VORNEL_XVFB_PID=$!
        local tries=0
        while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $tries -lt 100 ]; do
            kill -0 "$VORNEL_XVFB_PID" 2>/dev/null || break
            sleep 0.05
            tries=$((tries + 1))
        done
        if [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            return 0
        fi
    done
    say "Could not start Xvfb."
    return 1
}

stop_private_display() {
    if [ -n "${VORNEL_XVFB_PID:-}" ]; then
        kill "$VORNEL_XVFB_PID" 2>/dev/null
        wait "$VORNEL_XVFB_PID" 2>/dev/null
        VORNEL_XVFB_PID=
    fi
}

# Stops the wineserver of the current prefix only.
stop_wineserver() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
    true
}

configure_and_build() {
    local dir="$1"; shift
    cmake -S "$VORNEL_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null || return 1
    cmake --build "$dir" --parallel "$(nproc)" -- --no-print-directory >/dev/null || {
        # Run again in the open so the error is shown.
        cmake --build "$dir" -- --no-print-directory
        return 1
    }
}

build_windows() {
    configure_and_build "$VORNEL_BUILD/win32" -DCMAKE_TOOLCHAIN_FILE="$VORNEL_ROOT/cmake/mingw-i686.cmake"
}

build_native() {
    CC=clang CXX=clang++ configure_and_build "$VORNEL_BUILD/native"
}
