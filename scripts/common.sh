# Shared by the scripts: where things live, the two Windows architectures
# and the Wine that runs each, the Wine environment of a prefix under build/,
# and a private X server when one is needed. Sourced, not run.

VORNEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VORNEL_BUILD="$VORNEL_ROOT/build"

say() { printf '%s\n' "$*" >&2; }

# ------------------------------------------------------------ architectures
# x86: the 32-bit program (i686, build/win32), the primary product.
# x64: the same sources for 64-bit Windows (x86_64, build/win64).
VORNEL_ALL_ARCHS="x86 x64"

arch_build_dir() { case "$1" in x86) echo "$VORNEL_BUILD/win32" ;; x64) echo "$VORNEL_BUILD/win64" ;; esac; }
arch_toolchain() { case "$1" in x86) echo "$VORNEL_ROOT/cmake/mingw-i686.cmake" ;; x64) echo "$VORNEL_ROOT/cmake/mingw-x86_64.cmake" ;; esac; }
arch_triplet() { case "$1" in x86) echo i686-w64-mingw32 ;; x64) echo x86_64-w64-mingw32 ;; esac; }

# Debian's `wine` wrapper takes the 32-bit loader whenever it is installed,
# even on a kernel that cannot execute it, so each architecture names its
# loader itself. The server is the 64-bit one on any x86-64 host.
# VORNEL_WINE_X86 and VORNEL_WINE_X64 name other loaders.
wine_loader() {
    case "$1" in
        x86) if [ -n "${VORNEL_WINE_X86:-}" ]; then echo "$VORNEL_WINE_X86"; elif [ -x /usr/lib/wine/wine ]; then echo /usr/lib/wine/wine; else command -v wine; fi ;;
        x64) if [ -n "${VORNEL_WINE_X64:-}" ]; then echo "$VORNEL_WINE_X64"; elif [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64; else command -v wine64 || command -v wine; fi ;;
    esac
}
wine_server() {
    if [ -x /usr/lib/wine/wineserver64 ]; then echo /usr/lib/wine/wineserver64; else command -v wineserver; fi
}

# The lanes of an architecture's Windows tests: its own, and for the 32-bit
# program a second end-to-end lane where Wine reports Windows 98, so the
# program takes its paths for the 9x family (x86-win98).
arch_lanes() { case "$1" in x86) echo "x86 x86-win98" ;; *) echo "$1" ;; esac; }

# Why the machine cannot run an architecture's Wine, found by running its
# loader (not guessed from the host); empty when it can.
arch_unrunnable_reason() {
    local loader output
    loader=$(wine_loader "$1")
    [ -n "$loader" ] || { echo "no Wine loader installed"; return; }
    if ! output=$("$loader" --version 2>&1 </dev/null); then
        output=$(printf '%s' "$output" | tail -n 1)
        echo "${output:-the loader $loader fails}"
    fi
}

# The architectures to run: those of VORNEL_ARCHS (x86, x64 or x86,x64;
# default both) that this machine can run. Prints one line to say which and
# why another did not; sets VORNEL_RUN_ARCHS.
choose_archs() {
    local wanted="${VORNEL_ARCHS:-x86,x64}" arch lanes shown= reason notes=()
    VORNEL_RUN_ARCHS=
    for arch in $VORNEL_ALL_ARCHS; do
        lanes=$(arch_lanes "$arch")
        if ! [[ ",${wanted// /}," == *",$arch,"* ]]; then
            notes+=("${lanes// / and } left out by VORNEL_ARCHS=$wanted")
            continue
        fi
        reason=$(arch_unrunnable_reason "$arch")
        if [ -n "$reason" ]; then
            notes+=("${lanes// / and } cannot run here ($reason)")
        else
            VORNEL_RUN_ARCHS="${VORNEL_RUN_ARCHS:+$VORNEL_RUN_ARCHS }$arch"
            shown="${shown:+$shown }$lanes"
        fi
    done
    local line="Wine lanes: ${shown:-none}"
    [ ${#notes[@]} -gt 0 ] && line="$line; $(IFS=';'; echo "${notes[*]}" | sed 's/;/; /g')"
    say "$line"
}

# ------------------------------------------------------------ Wine prefixes
# Use the prefix $2 (a directory under build/) for architecture $1 for
# everything Wine does from here on; VORNEL_WINE is its loader. The user's
# own prefix (~/.wine) is never touched.
use_wine_prefix() {
    export WINEPREFIX="$2"
    case "$1" in x86) export WINEARCH=win32 ;; x64) export WINEARCH=win64 ;; esac
    VORNEL_WINE=$(wine_loader "$1")
    export WINELOADER="$VORNEL_WINE"
    export WINESERVER
    WINESERVER=$(wine_server)
    export WINEDEBUG="${WINEDEBUG:--all}"
    # No Mono or Gecko installer dialogs in a fresh prefix.
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# The test prefix of lane $1: build/wine/test-x86, test-x64, test-x86-win98.
lane_prefix() { echo "$VORNEL_BUILD/wine/test-$1"; }
# The architecture a lane runs (x86 for x86-win98) and the Windows version
# it asks Wine to report (empty: Wine's default).
lane_arch() { echo "${1%%-*}"; }
lane_windows_version() { [[ "$1" == *-* ]] && echo "${1#*-}"; true; }

vwine() { "$VORNEL_WINE" "$@"; }
vwineserver() { "$WINESERVER" "$@"; }

# Creates the prefix on first use and waits until Wine has finished with it.
# Fails (and removes the half-made prefix) when Wine cannot make one.
ensure_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        say "Creating the Wine prefix $WINEPREFIX ..."
        mkdir -p "$(dirname "$WINEPREFIX")"
        vwine wineboot -i >/dev/null 2>&1
        vwineserver -w >/dev/null 2>&1
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            rm -rf "$WINEPREFIX"
            return 1
        fi
    fi
}

# With no window manager on a private X server, Wine would wait two seconds
# for a manager's answer on every hide and destroy: let Wine place its
# windows itself. Without a manager, though, Wine cannot keep a hidden
# window active while its popup menu opens, so the tests of menus owned by
# a hidden button run in their own program with managed windows.
use_unmanaged_windows() {
    vwine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    vwine reg add 'HKCU\Software\Wine\AppDefaults\win32_managed_tests.exe\X11 Driver' \
        /v Managed /d Y /f >/dev/null 2>&1
}

# The Windows version Wine reports to every program of the current prefix
# (win98, winxp, win7, ...); read by each program when it starts.
report_windows_version() {
    vwine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# Readies the current prefix for a run of Windows test programs on a
# private X server: unmanaged windows set before the desktop process starts
# (it reads them once), one persistent wineserver so no program pays for
# starting it, and a desktop that outlives each program (see
# tests/fixtures/desktop_keeper.cpp), built for architecture $1. Its process
# id is added to VORNEL_KEEPER_PIDS.
start_wine_session() {
    ensure_wine_prefix || return 1
    use_unmanaged_windows
    vwineserver -k >/dev/null 2>&1
    vwineserver -p >/dev/null 2>&1 </dev/null
    vwine "$(arch_build_dir "$1")/desktop_keeper.exe" >/dev/null 2>&1 </dev/null &
    VORNEL_KEEPER_PIDS="${VORNEL_KEEPER_PIDS:-} $!"
}

stop_desktop_keepers() {
    local pid
    for pid in ${VORNEL_KEEPER_PIDS:-}; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    VORNEL_KEEPER_PIDS=
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
    [ -n "${WINEPREFIX:-}" ] && [ -n "${WINESERVER:-}" ] && vwineserver -k >/dev/null 2>&1
    true
}

# ------------------------------------------------------------ building
configure_and_build() {
    local dir="$1"; shift
    cmake -S "$VORNEL_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null || return 1
    # On a failure, once more in the open and one job at a time, so the
    # error is shown.
    cmake --build "$dir" --parallel "$(nproc)" -- --no-print-directory >/dev/null ||
        cmake --build "$dir" -- --no-print-directory
}

# Builds everything of architecture $1 (default x86).
build_windows() {
    local arch="${1:-x86}"
    configure_and_build "$(arch_build_dir "$arch")" -DCMAKE_TOOLCHAIN_FILE="$(arch_toolchain "$arch")"
}

build_native() {
    CC=clang CXX=clang++ configure_and_build "$VORNEL_BUILD/native"
}

# The architecture whose program the user sees: the 32-bit one where this
# machine runs it, else the 64-bit one. Says which; sets VORNEL_ARCH.
choose_program_arch() {
    local reason
    reason=$(arch_unrunnable_reason x86)
    if [ -z "$reason" ] && [ "${VORNEL_ARCHS:-x86}" != x64 ]; then
        VORNEL_ARCH=x86
        say "Using the 32-bit vornel.exe (build/win32)."
    else
        VORNEL_ARCH=x64
        say "Using the 64-bit vornel.exe (build/win64)${reason:+: this machine cannot run 32-bit Wine ($reason)}."
    fi
}
