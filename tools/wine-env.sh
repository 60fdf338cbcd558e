#!/usr/bin/env bash
# The one Wine environment of the Windows tests.
#   wine-env.sh start ARCH BUILD_DIR      a fresh prefix, Xvfb when there is no display, one warm wineserver
#   wine-env.sh run ARCH BUILD_DIR EXE..  run a Windows program in that environment (CTest's emulator);
#                                         starts whatever is not running yet, so plain ctest works too
#   wine-env.sh stop BUILD_DIR            shut the wineserver, its processes and Xvfb down
#   wine-env.sh can-run ARCH              exit 0 when this machine can run Wine for ARCH (win32 or win64)
# ARCH is win32 (i686 programs, 32-bit Wine) or win64 (x86_64 programs, 64-bit Wine).
# Programs run under LANG=ja_JP.UTF-8 (code page 932), or under the locale ZV_WINE_LANG names (en_US.UTF-8: 1252,
# zh_CN.UTF-8: 936, ru_RU.UTF-8: 1251). The system must have generated the locale: Wine still takes the code page from
# its name without it, but then fails every file name outside ASCII. Wine takes a process's code page from LANG and
# LC_ALL when the process starts: neither the warm wineserver nor the prefix's registry keeps an earlier one, so one
# prefix serves every locale. A Windows program started by another keeps its parent's code page whatever the
# environment it is given says: to start one under another locale, a program goes through the Unix side (Wine runs a
# Unix program such as /usr/bin/env when asked to) and this script's run.
set -euo pipefail

command="${1:-}"
shift || true

loader_for() {
    case "$1" in
        win32) echo /usr/lib/wine/wine ;;
        win64) echo /usr/lib/wine/wine64 ;;
        *) echo "wine-env.sh: unknown architecture '$1'" >&2; exit 2 ;;
    esac
}

# The machine may lack IA-32 execution (some virtual machines have none); 32-bit Wine cannot run there.
can_run() {
    case "$1" in
        win32) [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1 ;;
        win64) [ -x /usr/lib/wine/wine64 ] && /usr/lib/wine/wine64 --version >/dev/null 2>&1 ;;
        *) return 1 ;;
    esac
}

setup_env() {
    local arch="$1" build="$2"
    state="$build/wine-state"
    mkdir -p "$state"
    export WINEPREFIX="$build/wineprefix"
    export WINEARCH="$arch"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export LANG="${ZV_WINE_LANG:-ja_JP.UTF-8}"
    export LC_ALL="$LANG"
    WINELOADER="$(loader_for "$arch")"
    export WINELOADER
    if [ -f "$state/display" ]; then
        DISPLAY="$(cat "$state/display")"
        export DISPLAY
    fi
}

xvfb_alive() { [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; }

start_xvfb() {
    if [ -n "${DISPLAY:-}" ] && { [ ! -f "$state/display" ] || xvfb_alive; }; then return 0; fi
    rm -f "$state/display" "$state/xvfb.pid"
    local fifo="$state/xvfb.displayfd"
    rm -f "$fifo"
    mkfifo "$fifo"
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 9>&- </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    local number
    read -r -t 30 number <"$fifo" || { echo "wine-env.sh: Xvfb did not start" >&2; exit 1; }
    rm -f "$fifo"
    echo ":$number" >"$state/display"
    export DISPLAY=":$number"
}

# The registry files appear only when the server saves them, so a marker of our own tells a finished prefix.
make_prefix() {
    [ -f "$state/prefix-ready" ] && [ -d "$WINEPREFIX" ] && return 0
    rm -rf "$WINEPREFIX"
    "$WINELOADER" wineboot -i 9>&- </dev/null >"$state/wineboot.log" 2>&1
    # A crashing test must end, not wait in a debugger dialog nobody sees.
    "$WINELOADER" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f 9>&- \
        </dev/null >>"$state/wineboot.log" 2>&1 || true
    # The user's shell folders (desktop, documents, ...) are links to the host's home in a new prefix: made real
    # folders of the prefix, so that nothing a test or the demo makes there lands outside the build folder.
    local folder
    for folder in "$WINEPREFIX/drive_c/users/$(id -un)"/*; do
        if [ -L "$folder" ]; then rm -f "$folder" && mkdir -p "$folder"; fi
    done
    # On the private screen no window manager runs: Wine then draws the frames itself, and does not wait for a
    # manager (two seconds each time) to confirm that a window was hidden, as when a message box closes.
    if [ -f "$state/xvfb.pid" ]; then
        "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f 9>&- </dev/null \
            >>"$state/wineboot.log" 2>&1 || true
    fi
    # The fonts a Windows with Japanese support has: Marlett, in which the frames' caption buttons are drawn (without
    # it they read "0 1 r"), from fonts-wine, which this Wine does not look in by itself; and the link that lets the
    # frames' own face (Tahoma, whatever the locale) show Japanese from the IPA font, as Windows links it to its own.
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    "$WINELOADER" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
        /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f 9>&- </dev/null >>"$state/wineboot.log" 2>&1 || true
    touch "$state/prefix-ready"
}

# Every program started while the lock is held gets the lock's descriptor closed (9>&-): a server that kept it
# would hold the lock for ever.

# Keeps Wine's own service processes up between test processes (they leave when the last program ends), so that
# they are started once, with their output away from the tests' pipes.
start_server() {
    wineserver -p 9>&- </dev/null >/dev/null 2>&1 || true  # fails when one is running already
    if [ -f "$state/keepalive.pid" ] && kill -0 "$(cat "$state/keepalive.pid")" 2>/dev/null; then return 0; fi
    setsid bash -c 'exec sleep infinity | exec "$WINELOADER" cmd.exe' 9>&- </dev/null >/dev/null 2>&1 &
    echo $! >"$state/keepalive.pid"
    # Wine's services and its desktop start with the first program that needs them and keep that program's output
    # open: a test's output is CTest's pipe, on which CTest would then wait until the test's time is up. Here they
    # start with nothing open: rundll32 makes a window (so the desktop starts) and the call itself does nothing.
    "$WINELOADER" rundll32.exe user32.dll,GetDesktopWindow 9>&- </dev/null >/dev/null 2>&1 || true
}

ensure() {
    local arch="$1" build="$2"
    setup_env "$arch" "$build"
    (
        flock 9
        start_xvfb
        make_prefix
        start_server
    ) 9>"$state/lock"
    setup_env "$arch" "$build"
}

stop() {
    local build="$1" pid
    state="$build/wine-state"
    [ -d "$state" ] || return 0
    export WINEPREFIX="$build/wineprefix"
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true  # the server saves the registry as it leaves
    fi
    for pid in keepalive xvfb; do
        if [ -f "$state/$pid.pid" ]; then
            kill -- -"$(cat "$state/$pid.pid")" 2>/dev/null || kill "$(cat "$state/$pid.pid")" 2>/dev/null || true
            rm -f "$state/$pid.pid"
        fi
    done
    rm -f "$state/display"
}

case "$command" in
    start)
        arch="$1" build="$2"
        stop "$build"
        rm -rf "$build/wineprefix" "$build/wine-state/prefix-ready"
        ensure "$arch" "$build"
        ;;
    run)
        arch="$1" build="$2"
        shift 2
        ensure "$arch" "$build"
        exec "$WINELOADER" "$@"
        ;;
    stop) stop "$1" ;;
    can-run) can_run "$1" ;;
    *)
        echo "usage: wine-env.sh start|run|stop|can-run ..." >&2
        exit 2
        ;;
esac
