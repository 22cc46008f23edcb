#!/usr/bin/env bash
# The release archives: each holds the program, the guide and the licence,
# and a second packaging of the same commit gives the same bytes.
set -u
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
version=$(sed -n 's/^#define PRODUCT_VERSION_TEXT *"\(.*\)"/\1/p' "$root/base/product.h")
first=$("$root/scripts/package.sh" 2>/dev/null) || { echo "FAILED: the first packaging"; exit 1; }
second=$("$root/scripts/package.sh" 2>/dev/null) || { echo "FAILED: the second packaging"; exit 1; }
failures=0
for arch in x86 x64; do
    archive="$root/build/dist/vornel-$version-$arch.zip"
    listing=$(unzip -Z1 "$archive" 2>/dev/null | tr '\n' ' ')
    if [ "$listing" != "vornel.exe README.txt LICENSE.txt " ]; then
        echo "FAILED: $archive holds '$listing'"
        failures=$((failures + 1))
    fi
done
if [ "$first" != "$second" ] || [ -z "$first" ]; then
    printf 'FAILED: two packagings differ:\n%s\n--\n%s\n' "$first" "$second"
    failures=$((failures + 1))
fi
echo "$first"
[ "$failures" -eq 0 ] && echo "3 passed, 0 failed" || { echo "$((3 - failures)) passed, $failures failed"; exit 1; }
