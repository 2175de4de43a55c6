#!/bin/sh
# Release: builds the shipped i686 programs from this tree in a build
# folder of their own and puts them, with SHA256SUMS, into dist/.  The
# same commit gives the same bytes wherever it is built: the programs hold
# no time stamp and no build path.
#   sh scripts/release.sh [DIST_DIR]      (default: dist/ of the tree)
# Signing (Authenticode, SHA-256), when a key is given:
#   QK_SIGN_PFX         PKCS#12 file with the code-signing certificate and key
#   QK_SIGN_PASSWORD    its password (may be empty)
#   QK_SIGN_TIMESTAMP   an RFC 3161 time-stamping server's URL (optional)
# The programs are signed as files after the build, so the unsigned bytes
# stay the reproducible ones: SHA256SUMS lists the files as shipped,
# SHA256SUMS.unsigned the bytes before signing.  Any signing failure stops
# the release with no program in DIST_DIR.
# QK_SKIP_SETUP=1 skips the package check (the tests set it).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
dist=${1:-$root/dist}
build="$root/build/release"
programs="Pelmor.exe Typebind.exe"
if [ -z "${QK_SKIP_SETUP:-}" ]; then
    sh "$root/scripts/setup-debian.sh"
fi

fail() {
    echo "release: $*" >&2
    exit 1
}

# Nothing of an earlier release may be taken for this one.
mkdir -p "$dist"
for f in $programs SHA256SUMS SHA256SUMS.unsigned; do
    rm -f "$dist/$f"
done

# The key is tried before anything is built: a wrong password or a bad
# file is told at once.
if [ -n "${QK_SIGN_PFX:-}" ]; then
    [ -f "$QK_SIGN_PFX" ] || fail "the signing key QK_SIGN_PFX=$QK_SIGN_PFX is not there"
    # The password never appears on a command line: openssl reads it from
    # the environment, osslsigncode from a file only this user can read.
    QK_SIGN_PASSWORD=${QK_SIGN_PASSWORD:-}
    export QK_SIGN_PASSWORD
    openssl pkcs12 -in "$QK_SIGN_PFX" -passin env:QK_SIGN_PASSWORD -nokeys -noout 2>/dev/null ||
        openssl pkcs12 -legacy -in "$QK_SIGN_PFX" -passin env:QK_SIGN_PASSWORD -nokeys -noout 2>/dev/null ||
        fail "cannot open the signing key $QK_SIGN_PFX: wrong password (QK_SIGN_PASSWORD) or not a PKCS#12 file"
    if [ -n "$QK_SIGN_PASSWORD" ]; then
        passfile=$(mktemp)
        trap 'rm -f "$passfile"' EXIT
        chmod 600 "$passfile"
        printf '%s' "$QK_SIGN_PASSWORD" >"$passfile"
    fi
fi

# Nothing of the build machine's clock or locale reaches the files.
export LC_ALL=C TZ=UTC
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)
export SOURCE_DATE_EPOCH
rm -rf "$build"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" --target Pelmor Typebind -j "$(nproc 2>/dev/null || echo 2)" >/dev/null

stage="$build/stage"
mkdir -p "$stage/unsigned" "$stage/shipped"
for f in $programs; do
    cp "$build/bin/$f" "$stage/unsigned/"
done
(cd "$stage/unsigned" && sha256sum $programs >../SHA256SUMS.unsigned)

if [ -n "${QK_SIGN_PFX:-}" ]; then
    for f in $programs; do
        name=${f%.exe}
        version=$(python3 "$root/scripts/peversion.py" "$stage/unsigned/$f") ||
            fail "$f has no version block"
        if [ -n "$QK_SIGN_PASSWORD" ]; then
            set -- -readpass "$passfile"
        else
            set -- -pass ""
        fi
        set -- "$@" -pkcs12 "$QK_SIGN_PFX" -h sha256 -n "$name $version"
        if [ -n "${QK_SIGN_TIMESTAMP:-}" ]; then
            set -- "$@" -ts "$QK_SIGN_TIMESTAMP"
        fi
        osslsigncode sign "$@" -in "$stage/unsigned/$f" -out "$stage/shipped/$f" \
            >"$stage/sign.log" 2>&1 || {
            cat "$stage/sign.log" >&2
            fail "signing $f failed; nothing was released"
        }
    done
else
    cp "$stage/unsigned/"* "$stage/shipped/"
fi
(cd "$stage/shipped" && sha256sum $programs >../SHA256SUMS)

# Only a complete set reaches the release folder.
cp "$stage/shipped/"* "$stage/SHA256SUMS" "$dist/"
if [ -n "${QK_SIGN_PFX:-}" ]; then
    cp "$stage/SHA256SUMS.unsigned" "$dist/"
fi
cat "$dist/SHA256SUMS"
