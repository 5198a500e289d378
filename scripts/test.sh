#!/usr/bin/env bash
# The whole test suite, from a fresh Debian machine:
#   1. installs what it needs,
#   2. builds the portable core natively and runs its unit tests, then the
#      same tests under AddressSanitizer and UndefinedBehaviorSanitizer,
#   3. static analysis (clang-tidy, cppcheck), a short fuzzing round and,
#      beside it, the check of MSVC's language rules with clang-cl,
#   4. cross-builds the Windows programs with mingw-w64 and runs the Win32,
#      end-to-end and installer tests under Wine on a virtual display, the
#      window and end-to-end ones at 96 and again at 144 DPI.
# Ends with one line "N passed, N failed" over all stages; a static-analysis
# or fuzzing stage counts as one check.
# ZANTOLI_FUZZ_SECONDS sets the fuzzing time per target (default 45).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh || { echo "dependency installation failed"; exit 1; }

total_passed=0
total_failed=0
status=0
logdir="$root/build/test-logs"
mkdir -p "$logdir"

# Runs one ctest stage and adds its counts to the totals.
ctest_stage() {
    local name=$1
    shift
    local log="$logdir/$name.log"
    echo "== $name"
    "$@" >"$log" 2>&1
    local rc=$?
    # Only what needs reading: failures, skips and the summary.
    grep -E '\*\*\*|tests passed|The following tests|^\s+[0-9]+ - ' "$log" || true
    local summary
    summary=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -n 1)
    if [ -n "$summary" ]; then
        local failed total
        failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
        total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")
        total_passed=$((total_passed + total - failed))
        total_failed=$((total_failed + failed))
    else
        total_failed=$((total_failed + 1))
    fi
    [ "$rc" -eq 0 ] || status=1
}

# Runs one stage that is a single check and counts it as such.
check_stage() {
    local name=$1
    shift
    echo "== $name"
    "$@" >"$logdir/$name.log" 2>&1
    report_check "$name" $?
}

# Counts a single-check stage whose log is written and whose exit code is $2.
report_check() {
    local name=$1
    local log="$logdir/$name.log"
    if [ "$2" -eq 0 ]; then
        tail -n 5 "$log"
        total_passed=$((total_passed + 1))
    else
        tail -n 40 "$log"
        echo "$name failed; full log in build/test-logs/$name.log"
        total_failed=$((total_failed + 1))
        status=1
    fi
}

build() {
    local preset=$1
    echo "== build $preset"
    if ! { cmake --preset "$preset" >"$logdir/configure-$preset.log" 2>&1 &&
           cmake --build --preset "$preset" >"$logdir/build-$preset.log" 2>&1; }; then
        tail -n 40 "$logdir/configure-$preset.log" "$logdir/build-$preset.log" 2>/dev/null
        echo "build of $preset failed"
        total_failed=$((total_failed + 1))
        status=1
        return 1
    fi
}

start=$(date +%s)

if build native; then
    ctest_stage unit ctest --preset native --timeout 60
fi

if build asan; then
    ctest_stage unit-sanitizers ctest --preset asan --timeout 120
fi

check_stage static-analysis scripts/static-analysis.sh --win32 --no-msvc-rules
# The fuzzers use one core for minutes: the MSVC language rules check runs
# beside them.
scripts/static-analysis.sh --only-msvc-rules >"$logdir/msvc-language-rules.log" 2>&1 &
msvc_rules_pid=$!
check_stage fuzz scripts/fuzz.sh "${ZANTOLI_FUZZ_SECONDS:-45}"
echo "== msvc-language-rules"
wait "$msvc_rules_pid"
report_check msvc-language-rules $?

if build mingw; then
    ctest_stage wine scripts/with-wine.sh ctest --preset mingw --timeout 180
    # Most users run at 125-150 % scaling: the Win32 and end-to-end tests
    # again at 144 DPI, in a Wine prefix of its own: the windows and the
    # whole programs (files, keys and the installer do not depend on it).
    ctest_stage wine-144dpi env ZANTOLI_DPI=144 ZANTOLI_WINEPREFIX="$root/build/wineprefix-144" \
        scripts/with-wine.sh ctest --preset mingw --timeout 180 --label-regex '^(forms|e2e)$'
fi

echo "== done in $(( $(date +%s) - start )) s; logs in build/test-logs"
echo "$total_passed passed, $total_failed failed"
exit $status
