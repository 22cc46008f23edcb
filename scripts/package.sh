#!/usr/bin/env bash
# Builds both programs (installing what is missing, as the other scripts do)
# and writes the two release archives:
#   build/dist/vornel-<version>-x86.zip   the 32-bit program, for every Windows
#   build/dist/vornel-<version>-x64.zip   the 64-bit program
# each holding vornel.exe (linked stripped), README.txt (the user's guide) and
# LICENSE.txt, with Windows line ends. The archives are reproducible: the
# same commit gives the same bytes (fixed order, fixed times taken from the
# commit, no extra attributes). Prints each archive's size and SHA-256.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$VORNEL_ROOT/scripts/install-deps.sh" || exit 1
VERSION=$(sed -n 's/^#define PRODUCT_VERSION_TEXT *"\(.*\)"/\1/p' "$VORNEL_ROOT/base/product.h")
[ -n "$VERSION" ] || { say "No version in base/product.h."; exit 1; }
# The time stamp of every file in the archives: the commit's, or a fixed
# one outside a git checkout.
STAMP=$(git -C "$VORNEL_ROOT" log -1 --format=%ct 2>/dev/null || echo 946684800)

DIST="$VORNEL_BUILD/dist"
mkdir -p "$DIST"
for arch in $VORNEL_ALL_ARCHS; do
    dir=$(arch_build_dir "$arch")
    say "Building the $arch program ..."
    cmake -S "$VORNEL_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$(arch_toolchain "$arch")" >/dev/null || exit 1
    cmake --build "$dir" --parallel "$(nproc)" --target vornel -- --no-print-directory >/dev/null ||
        cmake --build "$dir" --target vornel -- --no-print-directory || exit 1

    stage=$(mktemp -d "$VORNEL_BUILD/package.XXXXXX")
    # Linked stripped and without a time stamp; running strip again would
    # stamp the file with the present time.
    cp "$dir/vornel.exe" "$stage/vornel.exe"
    sed "s/@VERSION@/$VERSION/; s/\$/\r/" "$VORNEL_ROOT/docs/user-guide.txt" > "$stage/README.txt"
    sed 's/$/\r/' "$VORNEL_ROOT/LICENSE" > "$stage/LICENSE.txt"
    touch -d "@$STAMP" "$stage"/*
    chmod 644 "$stage"/*
    archive="$DIST/vornel-$VERSION-$arch.zip"
    rm -f "$archive"
    (cd "$stage" && TZ=UTC zip -q -X -D "$archive" vornel.exe README.txt LICENSE.txt) || exit 1
    rm -rf "$stage"
    printf '%s  %s bytes  sha256 %s\n' "$(basename "$archive")" "$(stat -c %s "$archive")" \
        "$(sha256sum "$archive" | cut -d' ' -f1)"
done
