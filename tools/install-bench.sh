#!/usr/bin/env bash
# The install benchmark: a disc of 4 files of 32 MiB and 2,000 files of 4 KiB, copied once with cp -r and once
# installed by ZVSetup.exe under Wine through its real dialogs (bench/InstallBench.cpp prints the figures).
#   install-bench.sh BUILD_DIR WINE_ARCH
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
cp "$windows/ZVSetup.exe" "$root/examples/disc1/splash.bmp" "$disc/"
printf '%s\r\n' '$gametitle = ZVBench' '$installsubdir = ZVBench' '$installtypecount = 1' \
    '$registryroot = ZVBench' '$registrykey = ZVBench' '$registryinstalldirvalue = InstallDir' \
    '&start' 'big\*.bin' 'small\*.dat' >"$disc/Install.ifo"

sync
start=$(date +%s.%N)
cp -r "$disc" "$work/cp-copy"
sync
cp_seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }')
rm -rf "$work/cp-copy"

to_dos() { printf 'Z:%s' "$1" | tr '/' '\\'; }
"$root/tools/wine-env.sh" start "$arch" "$work"
status=0
"$root/tools/wine-env.sh" run "$arch" "$work" "$windows/bench/install_bench.exe" "$(to_dos "$disc")" \
    "$(to_dos "$work/base")" "$cp_seconds" || status=$?
"$root/tools/wine-env.sh" stop "$work"
rm -rf "$disc" "$work/base"
exit $status
