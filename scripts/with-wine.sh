#!/usr/bin/env bash
# Runs a command with a ready Wine: its own prefix (never ~/.wine), a
# persistent wineserver so every .exe starts fast, crash dialogs off, and an
# X display (the current one, else a private Xvfb started here). The
# command sees ZANTOLI_PRIVATE_DISPLAY=yes when the display is that Xvfb.
# At the end every Wine program of the prefix is ended, and the Xvfb.
#   scripts/with-wine.sh ctest --preset mingw
# Environment: ZANTOLI_WINEPREFIX (default build/wineprefix),
#              ZANTOLI_XVFB_DISPLAY (default :97), ZANTOLI_XVFB_SCREEN (default 1280x1024x24),
#              ZANTOLI_DPI (the screen's DPI, default 96),
#              ZANTOLI_WINE_KEEP (yes: on an X display of yours the programs
#              the command started stay open afterwards).
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
    if [ -n "$xvfb_pid" ] || [ "${ZANTOLI_WINE_KEEP:-no}" != yes ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" >/dev/null 2>&1 || true
        # Gone before the next run asks for the same display.
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

export ZANTOLI_PRIVATE_DISPLAY=no
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    export DISPLAY=${ZANTOLI_XVFB_DISPLAY:-:97}
    if ! xdpyinfo >/dev/null 2>&1; then
        Xvfb "$DISPLAY" -screen 0 "${ZANTOLI_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        # A loaded machine (the test command's other stages) can take seconds.
        for _ in $(seq 200); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
        if ! xdpyinfo >/dev/null 2>&1; then
            echo "with-wine.sh: Xvfb did not start on $DISPLAY" >&2
            exit 1
        fi
        ZANTOLI_PRIVATE_DISPLAY=yes
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
