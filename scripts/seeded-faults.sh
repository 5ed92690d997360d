#!/bin/bash
# Applies each seeded fault in scripts/seeded-faults/ to the work tree in turn,
# builds, runs the tests and tells which faults the tests catch ("killed") and
# which they miss ("survived"). The tree is put back after each fault, also
# when the run is interrupted.
#
#   scripts/seeded-faults.sh [--quick] [build-folder] [patch...]
#
# --quick runs only the suites named on a patch's "# Suites:" line instead of
# every suite. Logs go to <build-folder>/seeded-faults/.
set -u
cd "$(dirname "$0")/.." || exit 2

quick=0
if [ "${1:-}" = "--quick" ]; then
    quick=1
    shift
fi
build=${1:-build}
shift || true
if [ $# -gt 0 ]; then
    patches=("$@")
else
    patches=(scripts/seeded-faults/*.patch)
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "No configured build in '$build'." >&2
    exit 2
fi
if ! git diff --quiet HEAD -- . ':!scripts'; then
    echo "The work tree has changes; commit or stash them first." >&2
    exit 2
fi

logs="$build/seeded-faults"
mkdir -p "$logs"
applied=""

revert() {
    if [ -n "$applied" ]; then
        git apply -R "$applied" || echo "Could not take $applied out again: check 'git status'." >&2
        applied=""
    fi
}
trap revert EXIT
trap 'revert; exit 130' INT TERM

rows=()
killed=0
total=0
started=$(date +%s)
for patch in "${patches[@]}"; do
    name=$(basename "$patch" .patch)
    what=$(sed -n '1s/^# //p' "$patch")
    suites=$(sed -n 's/^# Suites: //p' "$patch")
    log="$logs/$name.log"
    total=$((total + 1))
    began=$(date +%s)
    echo "== $name: $what"
    if ! git apply "$patch"; then
        rows+=("| $name | $what | does not apply | |")
        continue
    fi
    applied=$patch
    if ! cmake --build "$build" -j2 >"$log" 2>&1; then
        result="killed (build)"
    else
        filter=()
        if [ $quick -eq 1 ] && [ -n "$suites" ]; then
            filter=(-R "$suites")
        fi
        if ctest --test-dir "$build" --timeout 300 -j2 "${filter[@]}" >>"$log" 2>&1; then
            result="survived"
        else
            failed=$(sed -n 's/^[[:space:]]*[0-9]\{1,\} - \([^ ]*\) (.*/\1/p' "$log" | paste -sd, -)
            result="killed (${failed:-ctest failed})"
        fi
    fi
    revert
    case $result in killed*) killed=$((killed + 1)) ;; esac
    seconds=$(($(date +%s) - began))
    echo "   $result, ${seconds} s"
    rows+=("| $name | $what | $result | $seconds s |")
done

echo
echo "| Fault | What it breaks | Result | Time |"
echo "|---|---|---|---|"
printf '%s\n' "${rows[@]}"
echo
echo "killed $killed of $total ($(($(date +%s) - started)) s$([ $quick -eq 1 ] && echo ', named suites only'))"
