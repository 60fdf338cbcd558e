#!/usr/bin/env bash
# Runs the installer on the sample disc under Wine.
#   demo.sh BUILD_DIR WINE_ARCH
# The sample disc (examples/disc1 with ZVSetup.exe beside it) is copied into BUILD_DIR/demo and the installer is
# started there as the work copy (-temp -dir:"<folder>"), which shows the menu at once. With a DISPLAY of the
# user's, the menu stays open until it is closed. Without one it runs on a private Xvfb screen: the screenshot of
# the menu window is saved as BUILD_DIR/demo/menu.png and the installer is closed. A failed step is reported and
# the demo still ends with 0: it shows the build, it does not judge it.
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

# The disc: disc 1 with the installer beside the script, disc 2 next to it.
rm -rf "$demo/disc1" "$demo/disc2" "$demo/menu.png"
mkdir -p "$demo"
cp -r "$root/examples/disc1" "$root/examples/disc2" "$demo/"
cp "$exe" "$demo/disc1/ZVSetup.exe"
disc_dos="Z:$(printf '%s' "$demo/disc1" | tr '/' '\\')"

user_display="${DISPLAY:-}"
# The environment of the Windows tests, with a prefix of its own under BUILD_DIR/demo.
if [ -n "$user_display" ]; then
    say "showing the menu on $user_display; close it to end the demo"
else
    say "no DISPLAY: the menu runs on a private Xvfb screen"
fi
"$wine_env" start "$arch" "$demo" || { say "Wine did not start"; exit 0; }
state="$demo/wine-state"
if [ -z "$user_display" ]; then
    # No window manager on Xvfb: Wine draws the captions and frames itself.
    "$wine_env" run "$arch" "$demo" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi

# The work copy's start: the disc folder is the working directory and the dir option. The helper starts it, as
# the quotes of the dir option would not reach the program through Wine's own command line.
"$wine_env" run "$arch" "$demo" "$watch" run "$disc_dos\\ZVSetup.exe" "$disc_dos" >"$demo/installer.log" 2>&1 &
installer=$!

if [ -n "$user_display" ]; then
    wait "$installer"
    "$wine_env" stop "$demo"
    exit 0
fi

found="$("$wine_env" run "$arch" "$demo" "$watch" menu 60000 2>>"$demo/installer.log" | tr -d '\r' |
    iconv -f CP932 -t UTF-8 2>/dev/null)"
geometry="$(printf '%s\n' "$found" | grep -E '^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+$' | tail -n 1)"
printf '%s\n' "$found" | grep '^box: ' | sed 's/^/demo: answered /'
if [ -n "$geometry" ]; then
    title="$(printf '%s\n' "$found" | grep -A1 -xF "$geometry" | tail -n 1)"
    say "window \"$title\" at $geometry"
    sleep 1 # let the window finish painting
    if DISPLAY="$(cat "$state/display")" import -window root -crop "$geometry" +repage "$demo/menu.png" 2>>"$demo/installer.log"; then
        say "screenshot of the menu: $demo/menu.png"
    else
        say "the screenshot failed (see $demo/installer.log)"
    fi
else
    say "the installer's window did not appear (see $demo/installer.log)"
fi

"$wine_env" run "$arch" "$demo" "$watch" close 20000 >>"$demo/installer.log" 2>&1 || say "the installer did not close"
wait "$installer" 2>/dev/null
"$wine_env" stop "$demo"
exit 0
