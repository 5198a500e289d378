#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset, clang with ASan and UBSan) and
# runs each for the given number of seconds, starting from its committed seed
# corpus. Fails on any crash, sanitizer report, broken invariant or timeout.
#
#   scripts/fuzz.sh [seconds-per-target] [target...]
#
# CI: ZANTOLI_FUZZ_PARALLEL=2 scripts/fuzz.sh 45. A longer local run, before a release or after a
# change to alias resolution, the settings reader or the key-string parser:
#   ZANTOLI_FUZZ_JOBS=4 scripts/fuzz.sh 1800
# Inputs found on the way are kept in build/fuzz/corpus/<target> and reused
# by the next run; a crash leaves its input in build/fuzz/artifacts/<target>.
# Keep a crashing input as a regression: add it to fuzz/corpus/<target>/ and
# write a unit test for the fault it found.
# Variables: ZANTOLI_FUZZ_BUILD_DIR (default build/fuzz), ZANTOLI_FUZZ_JOBS
# (parallel workers per target, default 1), ZANTOLI_FUZZ_PARALLEL (targets
# run at the same time, default 1; each still gets its seconds).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(alias settings keystring options history)
build_dir=${ZANTOLI_FUZZ_BUILD_DIR:-build/fuzz}
jobs=${ZANTOLI_FUZZ_JOBS:-1}
lanes=${ZANTOLI_FUZZ_PARALLEL:-1}

if ! { cmake --preset fuzz -B "$build_dir" >/dev/null &&
       cmake --build "$build_dir" >/dev/null; }; then
    echo "fuzz: build failed"
    cmake --build "$build_dir" 2>&1 | tail -n 40
    exit 1
fi

# Runs one target; prints its one-line result (and what failed) and exits
# non-zero when it failed.
fuzz_target() {
    local target=$1
    local binary="$build_dir/fuzz/fuzz_$target" seeds="fuzz/corpus/$target"
    local work="$build_dir/corpus/$target" artifacts="$build_dir/artifacts/$target"
    local log="$build_dir/fuzz-$target.log"
    if [ ! -x "$binary" ] || [ ! -d "$seeds" ]; then
        echo "fuzz: unknown target $target"
        return 1
    fi
    mkdir -p "$work" "$artifacts"
    # Every seed must pass before any mutation does.
    if ! "$binary" -runs=0 "$seeds" >"$log" 2>&1; then
        echo "fuzz $target: a seed input fails"
        tail -n 40 "$log"
        return 1
    fi
    local extra=()
    [ "$jobs" -gt 1 ] && extra=(-fork="$jobs")
    local start rc runs
    start=$(date +%s)
    "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "${extra[@]}" \
        "$work" "$seeds" >"$log" 2>&1
    rc=$?
    runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{s += $2} END {print s + 0}')
    # Fork mode prints no final stats, only its progress lines.
    [ "$runs" -gt 0 ] || runs=$(grep -oE '^#[0-9]+' "$log" | tail -n 1 | tr -d '#')
    if [ "$rc" -ne 0 ]; then
        echo "fuzz $target: FAILED after $(( $(date +%s) - start )) s ($runs runs); input in $artifacts"
        grep -E 'invariant broken|ERROR:|runtime error|SUMMARY|terminate called|what\(\)' "$log" | head -n 10
        return 1
    fi
    echo "fuzz $target: $runs runs in $(( $(date +%s) - start )) s, no failure"
}

# Up to $lanes targets at a time; each one's result is kept in a file of its
# own and printed in the targets' order.
results="$build_dir/results"
rm -rf "$results" && mkdir -p "$results"
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$lanes" ]; do wait -n; done
    { fuzz_target "$target" >"$results/$target.txt" 2>&1; echo $? >"$results/$target.rc"; } &
done
wait
status=0
for target in "${targets[@]}"; do
    cat "$results/$target.txt"
    [ "$(cat "$results/$target.rc" 2>/dev/null)" = 0 ] || status=1
done
exit $status
