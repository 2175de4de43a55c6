#!/bin/sh
# Builds the shipped i686 programs into build/i686, the x86_64 test
# build, with the tests, into build/x86_64, and the i686 test programs
# for the 32-bit bench into build/i686-tests.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$root" -B "$root/build/i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686.cmake" >/dev/null
cmake --build "$root/build/i686" -j "$jobs"
cmake -S "$root" -B "$root/build/i686-tests" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-tests.cmake" \
    -DQK_TESTS=ON >/dev/null
cmake --build "$root/build/i686-tests" -j "$jobs"
cmake -S "$root" -B "$root/build/x86_64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" \
    -DQK_TESTS=ON -DQK_SHIPPED_DIR="$root/build/i686/bin" -DQK_GUEST_TESTBIN="$root/build/i686-tests/bin" >/dev/null
cmake --build "$root/build/x86_64" -j "$jobs"
