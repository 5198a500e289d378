#!/usr/bin/env bash
# The Wine part of scripts/run.sh, run inside scripts/with-wine.sh: the CAD
# stand-in, then Zantoli through Pellix, a few commands typed as a user
# would, screenshots in the demo folder. On a private display everything is
# closed at the end; on yours it stays open.
#   scripts/demo-session.sh <demo folder (holds app/ and cad/)> <bin folder (the demo driver)>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/winpath.sh"
demo=$1 bin=$2
app=$demo/app
cad_title="Trazalia R14 - [Dibujo1]"

step() { printf '== %s\n' "$*"; }
fail() { printf 'run.sh: %s\n' "$*" >&2; exit 1; }

# A bare X server has no window manager to draw title bars: let Wine draw
# them in a desktop of its own. On your desktop the windows are your WM's.
if [ "$ZANTOLI_PRIVATE_DISPLAY" = yes ]; then
    step "On a private X server, $DISPLAY"
    wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Zantoli /f >/dev/null 2>&1
    wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Zantoli /d 1024x768 /f >/dev/null 2>&1
else
    step "Using your display $DISPLAY"
    wine64 reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
fi

driver() { wine64 "$bin/zantoli-demo-driver.exe" "$@"; }
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

if [ "$ZANTOLI_PRIVATE_DISPLAY" = yes ]; then
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
