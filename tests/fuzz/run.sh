#!/bin/sh
# Fuzzes the text operations natively: builds them with clang, runs every
# kept input once (the regression cases), then new inputs for
# FUZZ_SECONDS (60 unless set).  Usage: run.sh [BUILD_DIR]
set -e
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../build/fuzz}
seconds=${FUZZ_SECONDS:-60}
mkdir -p "$out/corpus"
cmake -S "$here" -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$out"
fuzzer="$out/fuzz_text"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "fuzz: regression inputs"
# Whatever a run writes (a failing input above all) goes into the build
# folder, never into the source tree.
cd "$out"
"$fuzzer" -runs=0 -artifact_prefix="$out/" "$here/regressions" "$here/seeds"

echo "fuzz: $seconds s of new inputs"
"$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/" "$out/corpus" "$here/seeds"
