#!/usr/bin/env bash
# Soak run under Wine: COUNT commands (default 10000) through one command
# window with the CAD stand-in, first repeating one command (the history
# stays one entry), then a new command each time (the history grows by one
# per command). Reports what zantoli.exe holds after a warm-up and at the
# end, and the time from Enter to the stand-in receiving the hotkey against
# two reference senders measured in the same run: a minimal one, and one
# doing the command window's work (alias file read, exchange file written),
# with the median of the paired ratios (each command against the same-work
# sender's send right after it) and their middle half. Mode key brings the
# command window by the system-wide key for every command.
# Not part of CI.
#   scripts/soak.sh [count] [repeat|vary|key|both]
# Environment: ZANTOLI_SOAK_BUILD (build folder, default build/soak),
# ZANTOLI_SOAK_BASELINE_EVERY (a sample of each sender after every K-th
# command, default 1), ZANTOLI_SOAK_OPTIONS (an opciones.ini for the
# command window) and those of scripts/with-wine.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/winpath.sh"
count=${1:-10000}
modes=${2:-both}
[ "$modes" = both ] && modes="repeat vary"
build=${ZANTOLI_SOAK_BUILD:-$root/build/soak}
every=${ZANTOLI_SOAK_BASELINE_EVERY:-1}

cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" --target zantoli cad-standin soak soak-minimal-sender >/dev/null

out="$build/soak-reports"
mkdir -p "$out"
status=0
for mode in $modes; do
    report="$out/soak-$mode-$count.txt"
    echo "== $mode, $count commands =="
    "$root/scripts/with-wine.sh" wine64 "$build/bin/soak.exe" \
        --zantoli "$(winpath "$build/bin/zantoli.exe")" \
        --standin "$(winpath "$build/bin/cad-standin.exe")" \
        --sender "$(winpath "$build/bin/soak-minimal-sender.exe")" \
        --aliases "$(winpath "$root/dist/alias.dat")" \
        --count "$count" --mode "$mode" --baseline-every "$every" \
        ${ZANTOLI_SOAK_OPTIONS:+--options "$(winpath "$ZANTOLI_SOAK_OPTIONS")"} \
        --report "$(winpath "$report")" || status=1
    echo "(report: $report)"
done
exit $status
