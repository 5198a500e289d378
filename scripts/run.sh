#!/usr/bin/env bash
# Runs Zantoli for real: installs what it needs, builds the Windows programs,
# lays out an installation in build/demo/app, then under Wine
# (scripts/demo-session.sh) starts the CAD stand-in and Zantoli through
# Pellix, types a few commands as a user would and saves screenshots in
# build/demo/.
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

step() { printf '== %s\n' "$*"; }
fail() { printf 'run.sh: %s\n' "$*" >&2; exit 1; }
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

# On your desktop (DISPLAY set) the programs stay open; else a private
# 1024x768 Xvfb on its own display, never one that is already taken.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    unset DISPLAY
    export ZANTOLI_XVFB_DISPLAY=${ZANTOLI_DEMO_DISPLAY:-:99}
    DISPLAY=$ZANTOLI_XVFB_DISPLAY xdpyinfo >/dev/null 2>&1 &&
        fail "display $ZANTOLI_XVFB_DISPLAY is taken; set ZANTOLI_DEMO_DISPLAY to a free one"
fi
# A prefix of the demo's own, since the private X server gets a Wine desktop.
export ZANTOLI_WINEPREFIX=${ZANTOLI_WINEPREFIX:-$root/build/demo-wineprefix}
export ZANTOLI_XVFB_SCREEN=1024x768x24 ZANTOLI_WINE_KEEP=yes
exec "$root/scripts/with-wine.sh" "$root/scripts/demo-session.sh" "$demo" "$build/bin"
