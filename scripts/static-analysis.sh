#!/usr/bin/env bash
# Static analysis of the project's own code; fails on any finding.
#   clang-tidy (checks in .clang-tidy) over the native compile database:
#     the portable core in src/;
#   cppcheck (warning, performance, portability) over src/, tools/ and bench/, with
#     the suppressions in cppcheck-suppressions.txt.
#
#   scripts/static-analysis.sh [--win32 [--no-msvc-rules]] | --only-msvc-rules
#
# --win32 also runs clang-tidy over the Windows code (src/win32,
# tools/cad-standin, bench/) with the mingw-w64 compile
# database, clang targeting x86_64-w64-mingw32 with mingw's C++ headers,
# and checks MSVC's language rules over every source of that database,
# product and tests (scripts/msvc-language-rules.py: clang-cl in MSVC mode
# against mingw-w64's headers; a check of the rules, not an MSVC build).
# The test command runs that check on its own (--only-msvc-rules) beside
# the single-core fuzzing, and the rest with --win32 --no-msvc-rules.
# Variables: ZANTOLI_ANALYSIS_DIR (build folders, default build/analysis).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

win32=0 msvc_rules=1 only_msvc_rules=0
for arg in "$@"; do
    case $arg in
        --win32) win32=1 ;;
        --no-msvc-rules) msvc_rules=0 ;;
        --only-msvc-rules) only_msvc_rules=1 ;;
        *) echo "static-analysis.sh: unknown option $arg"; exit 2 ;;
    esac
done
dir=${ZANTOLI_ANALYSIS_DIR:-build/analysis}
jobs=$(nproc 2>/dev/null || echo 2)
status=0

# Prints the .cpp files of a compile database whose path matches $2.
sources() {
    python3 - "$1" "$2" <<'PY'
import json, re, sys
for entry in json.load(open(sys.argv[1])):
    if entry["file"].endswith(".cpp") and re.search(sys.argv[2], entry["file"]):
        print(entry["file"])
PY
}

# Runs clang-tidy over the files read from stdin; $1 names the stage.
tidy() {
    local name=$1
    shift
    local log="$dir/clang-tidy-$name.log"
    local start=$SECONDS
    xargs -r -n 2 -P "$jobs" clang-tidy --quiet "$@" >"$log" 2>&1
    local rc=$?
    local findings
    findings=$(grep -E '(warning|error): ' "$log" | sort -u | wc -l)
    if [ "$rc" -ne 0 ] || [ "$findings" -ne 0 ]; then
        grep -E '(warning|error): ' "$log" | sort -u
        echo "clang-tidy $name: $findings findings ($(( SECONDS - start )) s); log in $log"
        status=1
    else
        echo "clang-tidy $name: clean ($(( SECONDS - start )) s)"
    fi
}

# Configures the mingw compile database (product and tests) and sets $cxx.
configure_mingw() {
    if ! cmake --preset mingw -B "$dir/mingw" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
            -DZANTOLI_BUILD_TESTS=ON >"$dir/configure-mingw.log" 2>&1; then
        tail -n 20 "$dir/configure-mingw.log"
        echo "static analysis: mingw configure failed"
        return 1
    fi
    cxx=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))[0]["command"].split()[0])' \
        "$dir/mingw/compile_commands.json")
}

tidy_win32() {
    local args=(-p "$dir/mingw" --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-nostdinc++)
    # mingw's own C++ headers, as its compiler lists them.
    while read -r include; do
        case $include in */c++*) args+=("--extra-arg=-isystem$include") ;; esac
    done < <(echo | "$cxx" -xc++ -E -v - 2>&1 | sed -n '/#include <...>/,/End of search/p' | sed 's/^ //')
    sources "$dir/mingw/compile_commands.json" '/(src/win32|tools|bench)/' | tidy win32 "${args[@]}"
}

check_msvc_rules() {
    local start=$SECONDS
    if python3 scripts/msvc-language-rules.py "$dir/mingw/compile_commands.json" "$cxx" "$jobs" \
            >"$dir/msvc-language-rules.log" 2>&1; then
        echo "$(tail -n 1 "$dir/msvc-language-rules.log") ($(( SECONDS - start )) s)"
    else
        cat "$dir/msvc-language-rules.log"
        echo "MSVC language rules: findings ($(( SECONDS - start )) s)"
        status=1
    fi
}

mkdir -p "$dir"
if [ "$only_msvc_rules" -eq 1 ]; then
    configure_mingw && check_msvc_rules || status=1
    exit $status
fi

if ! cmake --preset native -B "$dir/native" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
        -DZANTOLI_BUILD_TESTS=OFF >"$dir/configure-native.log" 2>&1; then
    tail -n 20 "$dir/configure-native.log"
    echo "static analysis: configure failed"
    exit 1
fi
sources "$dir/native/compile_commands.json" '/src/' |
    tidy native -p "$dir/native"

if [ "$win32" -eq 1 ]; then
    if configure_mingw; then
        tidy_win32
        [ "$msvc_rules" -eq 1 ] && check_msvc_rules
    else
        status=1
    fi
fi

start=$SECONDS
if cppcheck --enable=warning,performance,portability --std=c++17 --language=c++ \
        --error-exitcode=1 --inline-suppr --suppressions-list=cppcheck-suppressions.txt \
        -q -j "$jobs" -I src -DUNICODE -D_UNICODE \
        --template='{file}:{line}: {severity}: {message} [{id}]' \
        src tools bench >"$dir/cppcheck.log" 2>&1; then
    echo "cppcheck: clean ($(( SECONDS - start )) s)"
else
    cat "$dir/cppcheck.log"
    echo "cppcheck: findings ($(( SECONDS - start )) s)"
    status=1
fi
exit $status
