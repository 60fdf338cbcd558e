#!/usr/bin/env bash
# Runs one end-to-end scenario: makes an empty disc folder for each of its drive letters, links the letters to
# them in the test prefix, runs the driver program on the scenario under Wine, and removes the links again.
#   run-scenario.sh WINE_ENV ARCH BUILD_DIR DRIVER PROGRAM FILTER LETTERS [SMALL_DISK_KB]
# With SMALL_DISK_KB, a file system of that size is mounted (tmpfs; root only) as the folder small of the scenario
# and named in ZV_E2E_SMALL_FOLDER, so that a scenario can fill a disk; where it cannot be mounted the variable is
# not set and the scenario says what it left out.
set -euo pipefail
wine_env="$1" arch="$2" build="$3" driver="$4" program="$5" filter="$6" letters="$7" small_kb="${8:-}"

root="$build/e2e/${filter//[^A-Za-z0-9]/_}"
prefix="$build/wineprefix"
# The prefix must exist before links go into it: a quick run of the driver makes it when it is missing.
"$wine_env" run "$arch" "$build" "$driver" --gtest_list_tests >/dev/null

rm -rf "$root"
mkdir -p "$root"
links=()
mounted=""
cleanup() {
    local link
    for link in "${links[@]}"; do rm -f "$link"; done
    if [ -n "$mounted" ]; then umount "$mounted" 2>/dev/null || umount -l "$mounted" 2>/dev/null || true; fi
}
trap cleanup EXIT
for ((i = 0; i < ${#letters}; i++)); do
    letter="${letters:i:1}"
    lower="$(printf '%s' "$letter" | tr 'A-Z' 'a-z')"
    mkdir -p "$root/disc_$lower"
    ln -sfn "$root/disc_$lower" "$prefix/dosdevices/$lower:"
    links+=("$prefix/dosdevices/$lower:")
done

export ZV_E2E_ROOT="$root" ZV_E2E_LETTERS="$letters" ZV_E2E_PROGRAM="$program"
# For a start under another locale, which goes out through the Unix side and back in through the environment.
export ZV_E2E_WINE_ENV="$wine_env" ZV_E2E_ARCH="$arch" ZV_E2E_BUILD="$build"
if [ -n "$small_kb" ]; then
    mkdir -p "$root/small"
    if mount -t tmpfs -o "size=${small_kb}k" zv-small-disk "$root/small" 2>/dev/null; then
        mounted="$root/small"
        export ZV_E2E_SMALL_FOLDER="$root/small"
    fi
fi
status=0
"$wine_env" run "$arch" "$build" "$driver" --gtest_filter="$filter" || status=$?
if command -v convert >/dev/null; then
    for picture in "$root"/*.bmp; do
        [ -f "$picture" ] && { convert "$picture" "${picture%.bmp}.png" || true; }
    done
fi
exit $status
