#!/usr/bin/env bash
# Runs the Win32 and end-to-end test programs of a build's bin/ folder (or
# of the bundle made from it) one test at a time, each in a process of its
# own and with a time limit, as CTest does in the build tree:
#   scripts/run-test-programs.sh <bin folder> [label regex]
# The programs and their labels come from <bin folder>/test-programs.txt.
# On Windows (Git Bash) they run directly; elsewhere under Wine, in the
# environment scripts/with-wine.sh sets up. Ends with "N passed, N failed".
set -uo pipefail
bin=$(cd "${1:?usage: run-test-programs.sh <bin folder> [label regex]}" && pwd)
filter=${2:-.}
case "$(uname -s)" in
    MINGW* | MSYS* | CYGWIN*) runner=() ;;
    *) runner=("$(cd "$(dirname "$0")" && pwd)/wine-program.sh") ;;
esac
list=$bin/test-programs.txt
[ -f "$list" ] || { echo "no $list: build the tests first"; exit 2; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT

passed=0 failed=0 skipped=0
fail() { echo "FAILED: $1"; failed=$((failed + 1)); }
while read -r program label; do
    [[ $label =~ $filter ]] || continue
    if [ ! -f "$bin/$program.exe" ]; then
        fail "$program.exe is not in $bin"
        continue
    fi
    # "Suite." lines, then "  Name  # GetParam() = ..." lines.
    names=$(cd "$bin" && "${runner[@]}" "./$program.exe" --gtest_list_tests </dev/null 2>/dev/null |
        tr -d '\r' | awk '/^[^ ]/ { suite = $1; next } /^  / { print suite $1 }')
    [ -n "$names" ] || { fail "$program.exe lists no tests"; continue; }
    echo "== $program ($label): $(wc -w <<<"$names") tests"
    for name in $names; do
        if (cd "$bin" && timeout 120 "${runner[@]}" "./$program.exe" --gtest_filter="$name" </dev/null >"$log" 2>&1); then
            if grep -q '^\[  SKIPPED \]' "$log"; then
                skipped=$((skipped + 1))
                echo "skipped: $name"
            else
                passed=$((passed + 1))
            fi
        else
            fail "$name"
            tr -d '\r' <"$log" | tail -n 30
        fi
    done
done < <(tr -d '\r' <"$list")

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
