#!/bin/sh
# Benchmark: the registrar, the installation step and the start-up timed
# under wine64 next to what a user would use instead, and the sizes of
# the shipped programs; prints one table.  Not part of the tests.
#   sh scripts/benchmark.sh [RUNS]      (7 runs per figure unless given)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/scripts/setup-debian.sh"
sh "$root/scripts/build.sh" >/dev/null
bench="$root/build/benchmark"
sh "$root/tests/bench/bench.sh" start "$bench"
trap 'sh "$root/tests/bench/bench.sh" stop "$bench"' EXIT
. "$bench/env"
wine64 "$root/build/x86_64/bin/qkbench.exe" "Z:$root/build/i686/bin" "${1:-7}"
