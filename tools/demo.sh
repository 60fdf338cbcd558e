#!/usr/bin/env bash
# Shows what the build made: the installer executable and the sample disc beside it.
#   demo.sh BUILD_DIR WINE_ARCH
set -euo pipefail
build="$1"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
exe="$build/windows/ZVSetup.exe"
if [ ! -f "$exe" ]; then
    echo "demo: $exe was not built" >&2
    exit 1
fi
echo "ZVSetup.exe: $exe"
i686-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format /  format: /p'
echo "Put it on a disc beside Install.ifo and the game's files."
if [ -d "$root/examples" ]; then echo "Sample disc: $root/examples"; fi
echo "The installer's menu window is not built yet: there is nothing to show on screen so far."
