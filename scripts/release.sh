#!/bin/sh
# Release: builds the shipped i686 programs from this tree in a build
# folder of their own and puts them, with SHA256SUMS, into dist/.  The
# same commit gives the same bytes wherever it is built: the programs hold
# no time stamp and no build path.
#   sh scripts/release.sh [DIST_DIR]      (default: dist/ of the tree)
# QK_SKIP_SETUP=1 skips the package check (the tests set it).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
dist=${1:-$root/dist}
build="$root/build/release"
if [ -z "${QK_SKIP_SETUP:-}" ]; then
    sh "$root/scripts/setup-debian.sh"
fi
# Nothing of the build machine's clock or locale reaches the files.
export LC_ALL=C TZ=UTC
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)
export SOURCE_DATE_EPOCH
rm -rf "$build"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" --target Pelmor Typebind -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
mkdir -p "$dist"
rm -f "$dist/Pelmor.exe" "$dist/Typebind.exe" "$dist/SHA256SUMS"
cp "$build/bin/Pelmor.exe" "$build/bin/Typebind.exe" "$dist/"
(cd "$dist" && sha256sum Pelmor.exe Typebind.exe > SHA256SUMS)
cat "$dist/SHA256SUMS"
