#!/bin/sh
# Everything needed for a test run, then every test: ctest (the wine64
# tests, the release checks and the 32-bit bench) and the fuzzer.  Prints
# the time of each phase at the end.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
phases=""
t=$(date +%s)
phase() {
    now=$(date +%s)
    phases="$phases
  $1: $((now - t)) s"
    t=$now
}
sh "$root/scripts/setup-debian.sh"
phase "set-up"
sh "$root/scripts/build.sh"
phase "build"
cd "$root/build/x86_64"
status=0
ctest --output-on-failure "$@" || status=$?
phase "ctest"
if [ -f bench32/phases ]; then
    echo "32-bit bench:"
    sed 's/^/  /' bench32/phases
fi
# The text operations, fuzzed natively for a minute.
sh "$root/tests/fuzz/run.sh" "$root/build/fuzz" || status=$?
phase "fuzzing"
echo "phases:$phases"
exit $status
