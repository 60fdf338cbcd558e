#!/usr/bin/env bash
# The install benchmark: a disc of 4 files of 32 MiB and 2,000 files of 4 KiB, copied with cp -r, copied by our
# own plain Win32 copy loop under Wine (bench/CopyFloor.cpp, the floor) and installed by ZVSetup.exe under Wine
# through its real dialogs (bench/InstallBench.cpp installs and prints the figures). The disc's second install
# type is the whole disc; its first (the large files and 1,000 small ones) is the one the cancels are tried on.
#   install-bench.sh BUILD_DIR WINE_ARCH
# ZV_BENCH_PROGRAM names another ZVSetup.exe to measure instead of the build's. ZV_BENCH_COMPARE names one more to
# measure after it in the same run, on the same disc and Wine (an older build: the figures before and after).
set -euo pipefail
build="$(cd "$1" && pwd)"
arch="$2"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "$arch" = win64 ]; then windows="$build/windows64"; else windows="$build/windows"; fi
work="$build/install-bench"
disc="$work/disc"

rm -rf "$work"
mkdir -p "$disc/big" "$disc/small" "$work/base"
for i in 1 2 3 4; do head -c 33554432 /dev/urandom >"$disc/big/big$i.bin"; done
head -c $((2000 * 4096)) /dev/urandom | split -b 4096 -a 4 -d --additional-suffix=.dat - "$disc/small/s"
cp "$root/examples/disc1/splash.bmp" "$disc/"
cp "${ZV_BENCH_PROGRAM:-$windows/ZVSetup.exe}" "$disc/ZVSetup.exe"
printf '%s\r\n' '$gametitle = ZVBench' '$installsubdir = ZVBench' '$installtypecount = 2' \
    '$installtypename = 一部,全部' '$installrequire = 0,0' \
    '$registryroot = ZVBench' '$registrykey = ZVBench' '$registryinstalldirvalue = InstallDir' \
    '&start' 'big\*.bin' 'small\s0*.dat' '&end' '&start' 'small\s1*.dat' '&end' | iconv -f UTF-8 -t CP932 >"$disc/Install.ifo"

# Every copy is taken three times and the fastest counts: the machine may be busy with other work for a moment.
# The install itself is set against floors taken right before each of its runs (InstallBench.cpp).
fastest() { sort -g | head -n 1; }
cp_seconds=$(for run in 1 2 3; do
    sync
    start=$(date +%s.%N)
    cp -r "$disc" "$work/cp-copy"
    sync
    awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f\n", b - a }'
    rm -rf "$work/cp-copy"
done | fastest)

to_dos() { printf 'Z:%s' "$1" | tr '/' '\\'; }
"$root/tools/wine-env.sh" start "$arch" "$work"
status=0
floor_seconds=$(for run in 1 2 3; do
    sync
    "$root/tools/wine-env.sh" run "$arch" "$work" "$windows/bench/copy_floor.exe" "$(to_dos "$disc")" \
        "$(to_dos "$work/floor-copy")" | tr -d '\r' || exit 1
    rm -rf "$work/floor-copy"
done | fastest) || status=$?
sync
measure() {
    cp "$1" "$disc/ZVSetup.exe"
    echo "== $1"
    "$root/tools/wine-env.sh" run "$arch" "$work" "$windows/bench/install_bench.exe" "$(to_dos "$disc")" \
        "$(to_dos "$work/base")" "$cp_seconds" "$floor_seconds"
}
if [ $status -eq 0 ] && [ -n "$floor_seconds" ]; then
    measure "${ZV_BENCH_PROGRAM:-$windows/ZVSetup.exe}" || status=$?
    if [ $status -eq 0 ] && [ -n "${ZV_BENCH_COMPARE:-}" ]; then
        measure "$ZV_BENCH_COMPARE" || status=$?
    fi
fi
"$root/tools/wine-env.sh" stop "$work"
rm -rf "$disc" "$work/base"
exit $status
