#!/usr/bin/env bash
# Runs a command with a ready Wine: its own prefix (never ~/.wine), a
# persistent wineserver so every .exe starts fast, crash dialogs off, and an
# X display (the current one, else a private Xvfb started here).
#   scripts/with-wine.sh ctest --preset mingw
# Environment: ZANTOLI_WINEPREFIX (default build/wineprefix),
#              ZANTOLI_XVFB_DISPLAY (default :97), ZANTOLI_DPI (the screen's DPI, default 96).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

export WINEPREFIX=${ZANTOLI_WINEPREFIX:-$root/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=${LC_ALL:-C.UTF-8}
export PATH="/usr/lib/wine:$PATH"
dpi=${ZANTOLI_DPI:-96}

xvfb_pid=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    export DISPLAY=${ZANTOLI_XVFB_DISPLAY:-:97}
    if ! xdpyinfo >/dev/null 2>&1; then
        Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    fi
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wine64 wineboot --init >/dev/null 2>&1 || true
    wineserver -w
fi
# A crash must fail the test, not open the debugger dialog and hang it.
wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
logpixels=$(printf '%d' "$dpi")
wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$logpixels" /f >/dev/null 2>&1
wineserver -k >/dev/null 2>&1 || true
wineserver -w
wineserver -p >/dev/null 2>&1
# The first program of a fresh wineserver starts Wine's own background
# programs, which inherit its output handles: start them here, so that no
# pipe of the caller (CTest's test discovery) stays open until a timeout.
wine64 cmd /c exit </dev/null >/dev/null 2>&1 || true

"$@"
