#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test lane:
# native (host compiler, sanitizers, fuzz smoke run), Win32 (in-process
# under Wine) and end-to-end (the real vornel.exe under Wine). Ends with
# CTest's summary.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$VORNEL_ROOT/scripts/install-deps.sh" || exit 1
say "Building the native lane ..."
build_native || exit 1
say "Building vornel.exe and the Windows tests ..."
build_windows || exit 1

# The Windows tests share one prefix, one wineserver and one private X
# server, all stopped again whatever happens.
use_wine_prefix "$VORNEL_BUILD/wine/test"
start_private_display || exit 1
trap 'stop_wineserver; stop_private_display' EXIT
start_wine_session

# One CTest run over both build trees, so one summary covers every lane.
cat > "$VORNEL_BUILD/CTestTestfile.cmake" <<CTEST
subdirs("native")
subdirs("win32")
CTEST
say "Running the tests on $DISPLAY ..."
ctest --test-dir "$VORNEL_BUILD" --output-on-failure "$@"
