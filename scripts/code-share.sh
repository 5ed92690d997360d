#!/bin/sh
# Prints the C++ lines (blank lines not counted) of the program, its tests and
# its benchmarks, and the tests' share of all three. The share should stay at
# a third or below.
cd "$(dirname "$0")/.."
lines() { git ls-files -- "$@" | grep -E '\.(cpp|h)$' | xargs cat | grep -cv '^[[:space:]]*$'; }
program=$(lines . ':!tests' ':!bench')
tests=$(lines tests)
bench=$(lines bench)
total=$((program + tests + bench))
echo "C++ lines without blanks: program $program, tests $tests, benchmarks $bench"
echo "tests' share: $(awk "BEGIN { printf \"%.1f\", 100 * $tests / $total }") % (at most 33.3 %)"
