#!/usr/bin/env bash
# Checks the release zip as a title maker gets it: exactly the listed files (tests/package/listing.txt), the
# program in it the very file the Windows tests ran, and Linux tools that need no C++ runtime of the host.
#   check-package.sh BUILD_DIR
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "$1" && pwd)"
version="$(head -n 1 "$root/VERSION")"
zip="$root/dist/zvsetup-$version.zip"
status=0
fail() { echo "package: $*" >&2; status=1; }

[ -f "$zip" ] || { echo "package: $zip was not made" >&2; exit 1; }
expected="$(grep -v '^#' "$root/tests/package/listing.txt" | sed "s/VERSION/$version/" | sort)"
actual="$(cmake -E tar tf "$zip" | grep -v '/$' | sort)"
if [ "$expected" != "$actual" ]; then
    fail "the zip's listing differs from tests/package/listing.txt (< expected, > in the zip):"
    diff <(echo "$expected") <(echo "$actual") >&2 || true
fi

unpacked="$build/package-check"
rm -rf "$unpacked" && mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
cmp -s "$unpacked/zvsetup-$version/ZVSetup.exe" "$build/windows/ZVSetup.exe" \
    || fail "ZVSetup.exe in the zip is not build/windows/ZVSetup.exe"
cmp -s "$unpacked/zvsetup-$version/sample/disc1/ZVSetup.exe" "$build/windows/ZVSetup.exe" \
    || fail "the sample's disc 1 does not hold the shipped ZVSetup.exe"
for tool in ifocheck fpkpack; do
    needed="$(readelf -d "$unpacked/zvsetup-$version/tools/linux-x86_64/$tool" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p' \
        | grep -v -E '^(libc|libm|ld-linux-x86-64)\.so' || true)"
    [ -z "$needed" ] || fail "tools/linux-x86_64/$tool needs $(echo $needed)"
    "$unpacked/zvsetup-$version/tools/linux-x86_64/$tool" --help >/dev/null 2>&1 || [ "$tool" = fpkpack ] \
        || fail "tools/linux-x86_64/$tool --help failed"
done
rm -rf "$unpacked"
[ $status -eq 0 ] && echo "package: $(basename "$zip") holds the $(echo "$expected" | wc -l) listed files"
exit $status
