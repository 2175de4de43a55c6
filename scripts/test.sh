#!/bin/sh
# Everything needed for a test run, then every test.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/scripts/setup-debian.sh"
sh "$root/scripts/build.sh"
cd "$root/build/x86_64"
ctest --output-on-failure "$@"
# The text operations, fuzzed natively for a minute.
sh "$root/tests/fuzz/run.sh" "$root/build/fuzz"
