#!/usr/bin/env bash
# The whole test suite, from a fresh Debian machine:
#   1. installs what it needs,
#   2. builds the portable core natively and runs its unit tests, then the
#      same tests under AddressSanitizer and UndefinedBehaviorSanitizer,
#   3. static analysis (clang-tidy, cppcheck), a short fuzzing round and,
#      beside it, the check of MSVC's language rules with clang-cl,
#   4. cross-builds the Windows programs with mingw-w64 (signed with a
#      throwaway certificate, the signatures checked), checks the Windows
#      workflow, and runs the Win32, end-to-end and installer tests under
#      Wine on a virtual display (the test programs from bin/ by the script
#      the workflow runs on Windows), the window and end-to-end ones again
#      at 144 DPI; then the demo of scripts/run.sh, headless.
# Ends with one line "N passed, N failed, N skipped" over all stages; a
# static-analysis or fuzzing stage counts as one check.
# ZANTOLI_FUZZ_SECONDS sets the fuzzing time per target (default 45).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh || { echo "dependency installation failed"; exit 1; }

total_passed=0
total_failed=0
total_skipped=0
status=0
logdir="$root/build/test-logs"
mkdir -p "$logdir"

# Prints "<passed> <failed> <skipped>" of a stage: from CTest's JUnit report
# when the stage wrote one, else from the closing "N passed, N failed,
# N skipped" line of scripts/run-test-programs.sh in its log.
stage_counts() {
    if [ -f "$2" ]; then
        python3 -c 'import sys, xml.etree.ElementTree as ET
suite = ET.parse(sys.argv[1]).getroot()
count = lambda name: int(suite.get(name, 0))
failed, skipped = count("failures") + count("errors"), count("skipped")
print(count("tests") - failed - skipped, failed, skipped)' "$2"
    else
        grep -E '^[0-9]+ passed, [0-9]+ failed, [0-9]+ skipped' "$1" | tail -n 1 | awk '{ print $1, $3, $5 }'
    fi
}

# Runs one stage of many tests and adds its counts to the totals.
counted_stage() {
    local name=$1
    shift
    local log="$logdir/$name.log" junit="$logdir/$name.xml"
    echo "== $name"
    rm -f "$junit"
    # A CTest stage is given --output-junit "$logdir/<stage>.xml".
    "$@" >"$log" 2>&1
    local rc=$?
    # Only what needs reading: failures, skips and the summary.
    grep -E '\*\*\*|tests passed|The following tests|^\s+[0-9]+ - |^(FAILED|skipped):|^[0-9]+ passed, ' "$log" || true
    local passed failed skipped
    read -r passed failed skipped < <(stage_counts "$log" "$junit")
    if [ -n "${skipped:-}" ]; then
        total_passed=$((total_passed + passed))
        total_failed=$((total_failed + failed))
        total_skipped=$((total_skipped + skipped))
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

# GoogleTest from its sources in every build, found the way the workflow's
# MSVC job finds it.
export ZANTOLI_GTEST_SOURCE_DIR=/usr/src/googletest

# Signing with a throwaway certificate made now, handed over as the
# workflow hands over its secret; the signatures are checked after the build.
signing=$root/build/test-signing
rm -rf "$signing" && mkdir -p "$signing"
export ZANTOLI_SIGN_PASSWORD="throwaway-$RANDOM$RANDOM"
if openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Zantoli test signing" \
        -addext extendedKeyUsage=codeSigning -keyout "$signing/key.pem" -out "$signing/cert.pem" \
        >"$logdir/signing-certificate.log" 2>&1 &&
    openssl pkcs12 -export -inkey "$signing/key.pem" -in "$signing/cert.pem" \
        -passout env:ZANTOLI_SIGN_PASSWORD -out "$signing/test.pfx" >>"$logdir/signing-certificate.log" 2>&1; then
    ZANTOLI_SIGN_PFX_BASE64=$(base64 -w0 "$signing/test.pfx")
    export ZANTOLI_SIGN_PFX_BASE64
fi
rm -f "$signing/key.pem" "$signing/test.pfx"

# Every shipped program, the installer and the uninstaller in it (kept as
# signed in build/mingw/uninstaller/) carry a valid signature by it.
check_signatures() {
    local release=$root/build/mingw/release count=0
    [ -f "$signing/cert.pem" ] || { echo "no test certificate was made"; return 1; }
    for exe in "$release"/Zantoli/*.exe "$release"/*-setup.exe "$root"/build/mingw/uninstaller/desinstalar.exe; do
        osslsigncode verify -CAfile "$signing/cert.pem" -in "$exe" >"$signing/verify.log" 2>&1 ||
            { cat "$signing/verify.log"; echo "bad or missing signature: $exe"; return 1; }
        count=$((count + 1))
    done
    [ "$count" -eq 5 ] || { echo "expected 5 signed files, checked $count"; return 1; }
    echo "$count files signed and verified"
}

# The Windows workflow cannot run here: its schema, and that every script,
# preset, target, path and variable it names exists.
check_workflow() {
    "$root/build/tools/node_modules/.bin/action-validator" "$root/.github/workflows/windows.yml" &&
        python3 "$root/scripts/check-workflow.py" "$root/.github/workflows/windows.yml" "$root/build/mingw"
}

if build native; then
    counted_stage unit ctest --preset native --timeout 60 --output-junit "$logdir/unit.xml"
fi

if build asan; then
    counted_stage unit-sanitizers ctest --preset asan --timeout 120 --output-junit "$logdir/unit-sanitizers.xml"
fi

check_stage static-analysis scripts/static-analysis.sh --win32 --no-msvc-rules
# The fuzzers run two at a time, each for its full time, with the MSVC
# language rules check beside them.
scripts/static-analysis.sh --only-msvc-rules >"$logdir/msvc-language-rules.log" 2>&1 &
msvc_rules_pid=$!
check_stage fuzz env ZANTOLI_FUZZ_PARALLEL=2 scripts/fuzz.sh "${ZANTOLI_FUZZ_SECONDS:-45}"
echo "== msvc-language-rules"
wait "$msvc_rules_pid"
report_check msvc-language-rules $?

# The Windows programs, test programs, zip and installer, as the workflow
# builds them for real Windows.
echo "== build-windows"
if bash scripts/build-windows.sh >"$logdir/build-windows.log" 2>&1; then
    check_stage signatures check_signatures
    check_stage workflow check_workflow
    # Every Win32 and end-to-end test program from bin/, as the workflow
    # runs them on Windows, then the installer's tests.
    counted_stage wine scripts/with-wine.sh scripts/run-test-programs.sh "$root/build/mingw/bin"
    counted_stage installer scripts/with-wine.sh ctest --preset mingw -L installer --timeout 180 \
        --output-junit "$logdir/installer.xml"
    # Most users run at 125-150 % scaling: the tests the scaling can change
    # again at 144 DPI, in a Wine prefix of its own.
    counted_stage wine-144dpi env ZANTOLI_DPI=144 ZANTOLI_WINEPREFIX="$root/build/wineprefix-144" \
        scripts/with-wine.sh ctest --preset mingw-scaling --timeout 180 --output-junit "$logdir/wine-144dpi.xml"
    # The README's run command, headless: a demo that loses a command fails.
    check_stage demo env ZANTOLI_DEMO_DOCS=no scripts/run.sh
else
    tail -n 40 "$logdir/build-windows.log"
    echo "build-windows failed; full log in build/test-logs/build-windows.log"
    total_failed=$((total_failed + 1))
    status=1
fi

echo "== done in $(( $(date +%s) - start )) s; logs in build/test-logs"
echo "$total_passed passed, $total_failed failed, $total_skipped skipped"
exit $status
