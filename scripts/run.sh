#!/usr/bin/env bash
# Runs Zantoli for real: installs what it needs, builds the Windows programs,
# lays out an installation in build/demo/app, starts the CAD stand-in and
# then Zantoli through Pellix under Wine, types a few commands as a user
# would and saves screenshots in build/demo/.
# Without a display a private Xvfb is started, the title window and the final
# state are copied to docs/, and everything is closed at the end. On your
# desktop (DISPLAY set) the programs stay open afterwards for you to use.
#   scripts/run.sh
# Environment: ZANTOLI_BUILD_DIR (default build/mingw), ZANTOLI_WINEPREFIX
#              (default build/demo-wineprefix), ZANTOLI_DEMO_DISPLAY (default :99),
#              ZANTOLI_DPI (default 96: the screen's DPI; at another DPI the
#              copies in docs/ are named zantoli-<dpi>dpi.png, splash-<dpi>dpi.png),
#              ZANTOLI_DEMO_DOCS (default yes; no: the test command's run, which
#              leaves docs/ as it is).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZANTOLI_BUILD_DIR:-$root/build/mingw}
demo=$root/build/demo
app=$demo/app
cad_title="Trazalia R14 - [Dibujo1]"

step() { printf '== %s\n' "$*"; }
fail() { printf 'run.sh: %s\n' "$*" >&2; exit 1; }
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
built() { printf '%s/bin/%s' "$build" "$1"; }  # every program of a build lies in bin/

if [ -x "$root/scripts/install-deps.sh" ]; then
    step "Checking the packages it needs"
    "$root/scripts/install-deps.sh"
fi

step "Building the Windows programs in $build"
cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" --target zantoli pellix cad-standin zantoli-demo-driver

step "Laying out the installation in $app"
rm -rf "$demo"
mkdir -p "$app/var" "$demo/cad"
cp "$(built zantoli.exe)" "$app/"
cp "$(built pellix.exe)" "$app/"
cp "$root/dist/alias.dat" "$app/"
cp "$(built cad-standin.exe)" "$demo/cad/"
driver_exe=$(built zantoli-demo-driver.exe)

own_xvfb=""
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    step "Using your display $DISPLAY"
else
    export DISPLAY=${ZANTOLI_DEMO_DISPLAY:-:99}
    xdpyinfo >/dev/null 2>&1 && fail "display $DISPLAY is taken; set ZANTOLI_DEMO_DISPLAY to a free one"
    step "Starting a private X server on $DISPLAY"
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    own_xvfb=$!
    # A loaded machine (the test command's other stages) can take seconds.
    for _ in $(seq 200); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 || { kill "$own_xvfb" 2>/dev/null; fail "Xvfb did not start on $DISPLAY"; }
fi

# Wine set up as for the tests (own prefix, crash dialogs off, quiet), in a
# prefix of the demo's own since the private X server gets a Wine desktop.
export ZANTOLI_WINEPREFIX=${ZANTOLI_WINEPREFIX:-$root/build/demo-wineprefix}
"$root/scripts/with-wine.sh" true
export WINEPREFIX=$ZANTOLI_WINEPREFIX
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=${LC_ALL:-C.UTF-8}
export PATH="/usr/lib/wine:$PATH"
# A bare X server has no window manager to draw title bars: let Wine draw
# them in a desktop of its own. On your desktop the windows are your WM's.
if [ -n "$own_xvfb" ]; then
    wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Zantoli /f >/dev/null 2>&1
    wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Zantoli /d 1024x768 /f >/dev/null 2>&1
else
    wine64 reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
fi

finish() {
    if [ -n "$own_xvfb" ]; then
        wineserver -k >/dev/null 2>&1 || true
        kill "$own_xvfb" >/dev/null 2>&1 || true
        # Gone before the next run asks for the same display.
        wait "$own_xvfb" 2>/dev/null || true
    fi
}
trap finish EXIT

driver() { wine64 "$driver_exe" "$@"; }
shoot() {
    import -display "$DISPLAY" -window root "$demo/$1.png"
    echo "   screenshot build/demo/$1.png"
}
received() { [ -f "$demo/cad.log" ] && wc -l <"$demo/cad.log" || echo 0; }
wait_received() {
    for _ in $(seq 100); do [ "$(received)" -ge "$1" ] && return 0; sleep 0.05; done
    shoot failure
    fail "the CAD stand-in received $(received) expressions, expected $1"
}
enter() {
    step "Typing \"$1\" and Enter"
    driver enter "$1"
}

step "Starting the CAD stand-in \"$cad_title\""
wine64 "$demo/cad/cad-standin.exe" --appdir "$(winpath "$app")" --log "$(winpath "$demo/cad.log")" \
    >>"$demo/wine.log" 2>&1 &
driver wait-window "$cad_title"

started=$(date +%s%N)
step "Starting Zantoli through Pellix"
wine64 "$app/pellix.exe" >>"$demo/wine.log" 2>&1
driver wait-window "Linea de comando"
shoot 01-splash
shot_ms=$((($(date +%s%N) - started) / 1000000))
echo "   taken $shot_ms ms after the start"
[ "$shot_ms" -lt 3000 ] || echo "   (late: the title window shows only for the first 3 s)"

sleep 3.5 # the title window goes after three seconds

enter l
wait_received 1
shoot 02-line

enter circle
wait_received 2
shoot 03-circle

enter menu
step "Message: $(driver wait-box Error | tr -d '\r')"
shoot 04-refused
driver ok Error

enter ""
wait_received 3
sleep 0.3 # let both windows repaint after the hotkey
shoot 05-repeat

step "Typing \"c\": the suggestions under the input line"
driver type c
sleep 0.5
shoot 06-suggestions

step "What the CAD side received (build/demo/cad.log)"
sed 's/\r$//; s/^/   /' "$demo/cad.log"
step "History of \"Linea de comando\""
driver history | sed 's/\r$//; s/^/   [/; s/$/]/'

if [ -n "$own_xvfb" ]; then
  if [ "${ZANTOLI_DEMO_DOCS:-yes}" != no ]; then
    # Only shots of the private screen go into the documentation, never of yours.
    mkdir -p "$root/docs"
    dpi=${ZANTOLI_DPI:-96}
    suffix=""
    [ "$dpi" = 96 ] || suffix="-${dpi}dpi"
    cp "$demo/01-splash.png" "$root/docs/splash$suffix.png"
    cp "$demo/05-repeat.png" "$root/docs/zantoli$suffix.png"
    cp "$demo/06-suggestions.png" "$root/docs/suggestions$suffix.png"
    step "Copied the title window, the final state and the suggestions to docs/ (splash, zantoli, suggestions$suffix.png)"
  fi

    step "Closing Zantoli with its close button"
    driver close
    # The close removes the marker, then saves the placement.
    for _ in $(seq 50); do [ ! -f "$app/zantoli.000" ] && [ -f "$app/zantoli.ini" ] && break; sleep 0.1; done
    [ -f "$app/zantoli.000" ] && fail "the marker file is still there after the close"
    [ -f "$app/zantoli.ini" ] || fail "no zantoli.ini after the close"
    echo "   saved placement: $(tr -d '\r' <"$app/zantoli.ini" | tr '\n' '|')"
else
    step "Zantoli and the CAD stand-in stay open on $DISPLAY: type into \"Linea de comando\"."
    echo "   Close them with their close buttons; the installation is $app"
fi
