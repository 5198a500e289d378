#!/usr/bin/env bash
# Measures under Wine how long zantoli.exe takes from its start to a visible
# "Linea de comando" window, against a minimal window program, and compares
# the medians (target: at most 1.2 times the baseline).
#   bench/startup/run.sh [repetitions]
# Environment: ZANTOLI_BENCH_BUILD (build folder, default build/startup-bench),
# and those of scripts/with-wine.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/winpath.sh"
build=${ZANTOLI_BENCH_BUILD:-$root/build/startup-bench}
repetitions=${1:-15}

cmake --preset mingw -B "$build" -DZANTOLI_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target zantoli startup-baseline startup-yardstick startup-bench >/dev/null

# zantoli.exe in an AppDir of its own, as installed.
appdir=$(mktemp -d /tmp/zantoli-startup.XXXXXX)
trap 'rm -rf "$appdir"' EXIT
mkdir -p "$appdir/var"
cp "$build/bin/zantoli.exe" "$appdir/"
cp "$build/bin/startup-baseline.exe" "$appdir/"
cp "$build/bin/startup-yardstick.exe" "$appdir/"
printf 'L;*LINE\r\n' > "$appdir/alias.dat"

"$root/scripts/with-wine.sh" wine64 "$build/bin/startup-bench.exe" \
    "$(winpath "$appdir/zantoli.exe")" "$(winpath "$appdir/startup-baseline.exe")" \
    "$repetitions" "$(winpath "$appdir/startup-yardstick.exe")"
