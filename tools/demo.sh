#!/usr/bin/env bash
# Installs and uninstalls the sample title under Wine, as a person would.
#   demo.sh BUILD_DIR WINE_ARCH
# The sample discs (examples/disc1 with ZVSetup.exe beside its script, examples/disc2) are copied into
# BUILD_DIR/demo; disc 2's movie is made as large as a real one, so that the copy can be seen. A helper puts disc 1
# into a CD-ROM drive of a Wine prefix of the demo's own and starts ZVSetup.exe from it.
# With a DISPLAY of the user's, the person does the clicking; the helper only changes the disc when the installer
# asks for disc 2. Without one everything runs on a private Xvfb screen: the helper installs the second install
# type, swaps to disc 2, prints what landed (files, links, registry values), uninstalls and prints what is left;
# pictures of the menu, the settings dialog, the disc prompt, the copy dialog and the installed menu are saved as
# BUILD_DIR/demo/*.png. A failed step is reported and the demo still ends with 0: it shows the build, it does not
# judge it.
set -uo pipefail
build="$(cd "$1" && pwd)"
arch="${2:-win32}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "$arch" = win64 ]; then windows="$build/windows64"; else windows="$build/windows"; fi
exe="$windows/ZVSetup.exe"
watch="$windows/tools/demowatch/demowatch.exe"
demo="$build/demo"
wine_env="$root/tools/wine-env.sh"

say() { printf 'demo: %s\n' "$*"; }

if [ ! -f "$exe" ] || [ ! -f "$watch" ]; then
    say "$exe or its helper was not built; nothing to show"
    exit 0
fi
if [ "$arch" = win64 ]; then
    say "this machine runs no 32-bit x86 code: showing the x86_64 build under 64-bit Wine"
fi

rm -rf "$demo/disc1" "$demo/disc2" "$demo"/*.png "$demo"/*.bmp
mkdir -p "$demo"
cp -r "$root/examples/disc1" "$root/examples/disc2" "$demo/"
cp "$exe" "$demo/disc1/ZVSetup.exe"
dd if=/dev/zero of="$demo/disc2/movie/opening.dat" bs=1M count=640 status=none
demo_dos="Z:$(printf '%s' "$demo" | tr '/' '\\')"

user_display="${DISPLAY:-}"
if [ -n "$user_display" ]; then
    say "the installer shows on $user_display: install, uninstall, then close it to end the demo"
else
    say "no DISPLAY: the installer runs on a private Xvfb screen"
fi
"$wine_env" start "$arch" "$demo" || { say "Wine did not start"; exit 0; }

if [ -n "$user_display" ]; then
    "$wine_env" run "$arch" "$demo" "$watch" show "$demo/disc1" "$demo/disc2" 2>>"$demo/installer.log" |
        tr -d '\r' | iconv -f CP932 -t UTF-8 2>/dev/null | sed 's/^/demo: /'
else
    "$wine_env" run "$arch" "$demo" "$watch" auto "$demo/disc1" "$demo/disc2" "$demo_dos" 2>>"$demo/installer.log" |
        tr -d '\r' | iconv -f CP932 -t UTF-8 2>/dev/null | sed 's/^/demo: /'
    for picture in "$demo"/*.bmp; do
        [ -f "$picture" ] || continue
        if convert "$picture" "${picture%.bmp}.png" 2>>"$demo/installer.log"; then
            rm -f "$picture"
            say "picture: ${picture%.bmp}.png"
        fi
    done
fi
"$wine_env" stop "$demo"
exit 0
