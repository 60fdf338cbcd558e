#!/usr/bin/env bash
# The menu start benchmark: the sample disc (examples/disc1) with the built ZVSetup.exe and the bare window programs
# in it becomes a CD-ROM drive of a prefix of its own, and bench/MenuStartBench.cpp starts both from there in turns.
#   menu-bench.sh BUILD_DIR WINE_ARCH
# ZV_BENCH_PROGRAM names another ZVSetup.exe to measure instead of the build's; ZV_BENCH_COMPARE names one more to
# measure after it in the same run, on the same disc and Wine (an older build: the figures before and after).
set -euo pipefail
build="$(cd "$1" && pwd)"
arch="$2"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "$arch" = win64 ]; then windows="$build/windows64"; else windows="$build/windows"; fi
work="$build/menu-bench"
disc="$work/disc"
letter=m

rm -rf "$work"
mkdir -p "$work"
cp -r "$root/examples/disc1" "$disc"
cp "$windows/bench/bare_window.exe" "$windows/bench/bare_relaunch.exe" "$disc/"
"$root/tools/wine-env.sh" start "$arch" "$work"
link="$work/wineprefix/dosdevices/$letter:"
trap 'rm -f "$link"' EXIT
ln -sfn "$disc" "$link"
status=0
measure() {
    cp "$1" "$disc/ZVSetup.exe"
    echo "== $1 ($(stat -c %s "$1") bytes)"
    "$root/tools/wine-env.sh" run "$arch" "$work" "$windows/bench/menu_start_bench.exe" "$letter" "$disc" \
        | tr -d '\r' || status=1
}
measure "${ZV_BENCH_PROGRAM:-$windows/ZVSetup.exe}"
if [ -n "${ZV_BENCH_COMPARE:-}" ]; then measure "$ZV_BENCH_COMPARE"; fi
"$root/tools/wine-env.sh" stop "$work"
rm -rf "$disc"
exit $status
