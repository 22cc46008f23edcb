#!/usr/bin/env bash
# The scripts' choice of Wine lanes: by running each loader, narrowed by
# VORNEL_ARCHS, told in one line that names the Windows 98 lane of the
# 32-bit program with it. Loaders are stood in for by small scripts:
# one that answers, and one that fails as a kernel without 32-bit support does.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
printf '#!/bin/sh\necho wine-8.0\n' > "$scratch/runs"
printf '#!/bin/sh\necho "exec: /usr/lib/wine/wine: Exec format error" >&2\nexit 126\n' > "$scratch/fails"
chmod +x "$scratch/runs" "$scratch/fails"
failures=0

# expect <x86 loader> <x64 loader> <VORNEL_ARCHS> <lanes> <text in the line> <program arch>
expect() {
    local line program
    line=$(VORNEL_WINE_X86="$scratch/$1" VORNEL_WINE_X64="$scratch/$2" VORNEL_ARCHS="$3" \
           bash -c 'source scripts/common.sh; choose_archs; echo "lanes=$VORNEL_RUN_ARCHS" >&2' 2>&1)
    program=$(VORNEL_WINE_X86="$scratch/$1" VORNEL_WINE_X64="$scratch/$2" VORNEL_ARCHS="$3" \
              bash -c 'source scripts/common.sh; choose_program_arch 2>/dev/null; echo "$VORNEL_ARCH"')
    if [[ "$line" != *"lanes=$4"* || "$line" != *"$5"* || "$program" != "$6" ]]; then
        echo "FAILED: x86 $1, x64 $2, VORNEL_ARCHS=$3: got '$line', program $program"
        failures=$((failures + 1))
    fi
}
cd "$VORNEL_ROOT"
expect runs runs  x86,x64 "x86 x64" "Wine lanes: x86 x86-win98 x64"         x86
expect fails runs x86,x64 "x64"     "x86 and x86-win98 cannot run here (exec: /usr/lib/wine/wine: Exec format error)" x64
expect runs runs  x64     "x64"     "x86 and x86-win98 left out by VORNEL_ARCHS=x64" x64
expect fails fails x86,x64 ""       "Wine lanes: none"                      x64
[ "$failures" -eq 0 ] && echo "4 passed, 0 failed" || { echo "$((4 - failures)) passed, $failures failed"; exit 1; }
