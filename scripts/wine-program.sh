#!/usr/bin/env bash
# Runs one Windows program under Wine for the tests (CTest's emulator and
# scripts/run-test-programs.sh):
#   scripts/wine-program.sh <program.exe> [arguments]
# Now and then wine64 ends at once with a failure and without a word, before
# the program has started (seen in a full test run: no output at all, 0.02 s;
# a test program's start alone takes about 0.1 s here). Such a start is tried
# once more and said on stderr. A run that lasted longer keeps its result.
set -u
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
now_ms() { echo $(( ${EPOCHREALTIME/[.,]/} / 1000 )); }

start=$(now_ms)
"$wine" "$@"
status=$?
elapsed=$(( $(now_ms) - start ))
if [ "$status" -ne 0 ] && [ "$elapsed" -lt 50 ]; then
    echo "wine-program.sh: wine64 ended with code $status after $elapsed ms, before $1 could start; starting it once more" >&2
    "$wine" "$@"
    status=$?
fi
exit "$status"
