#!/usr/bin/env bash
# Makes the release package, dist/zvsetup-<version>.zip (the version from VERSION), from a built tree:
#   package.sh BUILD_DIR
# BUILD_DIR holds windows/ (the shipped i686 build) and native-release/ (the Linux tools, a release build without
# sanitizers). The zip holds one folder, zvsetup-<version>/, with what a title maker needs and nothing else:
#   ZVSetup.exe                    as it ships
#   tools/windows/*.exe            ifocheck and fpkpack for Windows
#   tools/linux-x86_64/*           ifocheck and fpkpack for Linux
#   docs/                          the script reference, the unattended runs, putting a title on discs
#   sample/disc1, sample/disc2     the sample title, disc 1 with ZVSetup.exe, ready to try
#   README.md, CHANGELOG.md
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "$1" && pwd)"
version="$(head -n 1 "$root/VERSION")"
name="zvsetup-$version"
stage="$build/package/$name"

rm -rf "$build/package"
mkdir -p "$stage/tools/windows" "$stage/tools/linux-x86_64" "$stage/docs" "$stage/sample" "$root/dist"
cp "$build/windows/ZVSetup.exe" "$stage/"
for tool in ifocheck fpkpack; do
    i686-w64-mingw32-strip -o "$stage/tools/windows/$tool.exe" "$build/windows/tools/$tool/$tool.exe"
    strip -o "$stage/tools/linux-x86_64/$tool" "$build/native-release/tools/$tool/$tool"
done
cp "$root/docs/install-script.md" "$root/docs/unattended.md" "$root/docs/discs.md" "$stage/docs/"
cp -r "$root/examples/disc1" "$root/examples/disc2" "$stage/sample/"
cp "$stage/ZVSetup.exe" "$stage/sample/disc1/"
cp "$root/README.md" "$root/CHANGELOG.md" "$stage/"

rm -f "$root/dist/$name.zip"
(cd "$build/package" && cmake -E tar cf "$root/dist/$name.zip" --format=zip "$name")
echo "$root/dist/$name.zip"
