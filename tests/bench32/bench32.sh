#!/bin/sh
# The 32-bit bench: the released i686 programs and the i686 build of the
# test programs, run on 32-bit Wine in an emulated machine.
#   bench32.sh run SOURCEDIR TESTBINDIR WORKDIR PROGRAM...
#     builds the guest image when its recipe changed (cached in
#     QK_BENCH32_CACHE, /var/cache/quillkit-bench32 unless set), makes the
#     release with scripts/release.sh, signed with a throw-away key as a
#     shipped release is signed, boots the guest with both and
#     leaves each test program's results in WORKDIR/out.
#   bench32.sh result WORKDIR PROGRAM
#     one program's outcome: its output, and 0 only when it ran tests and
#     none failed.
set -u
# Seconds one test program may take in the guest.
limit=900

run() {
    src=$1 testbin=$2 work=$3
    shift 3
    programs="$*"
    cache=${QK_BENCH32_CACHE:-/var/cache/quillkit-bench32}
    here="$src/tests/bench32"
    rm -rf "$work/in" "$work/out" "$work/dist" "$work/key"
    mkdir -p "$work/in/bin" "$work/out"
    : >"$work/phases"
    t0=$(date +%s)
    sh "$here/image.sh" "$cache" || exit 1
    t1=$(date +%s)
    echo "guest image: $((t1 - t0)) s" >>"$work/phases"
    # Signed, as a release is shipped, with a throw-away key.
    sh "$src/tests/release/testkey.sh" "$work/key" bench32 >/dev/null 2>&1 || exit 1
    QK_SKIP_SETUP=1 QK_SIGN_PFX="$work/key/signer.pfx" QK_SIGN_PASSWORD=bench32 \
        sh "$src/scripts/release.sh" "$work/dist" >"$work/release.log" 2>&1 || {
        cat "$work/release.log"; exit 1; }
    osslsigncode verify -CAfile "$work/key/ca.pem" -in "$work/dist/Pelmor.exe" >/dev/null 2>&1 || {
        echo "bench32: the release is not signed"; exit 1; }
    t2=$(date +%s)
    echo "release: $((t2 - t1)) s" >>"$work/phases"
    cp "$work/dist/Pelmor.exe" "$work/dist/Typebind.exe" "$work/dist/SHA256SUMS" "$work/in/bin/"
    cp "$work/dist/SHA256SUMS" "$work/in/"
    cp "$testbin/kitpack.exe" "$work/in/bin/"
    for program in $programs; do
        cp "$testbin/$program.exe" "$work/in/bin/" || exit 1
    done
    echo "$programs" >"$work/in/programs"
    echo "$limit" >"$work/in/limit"
    cp "$here/guest-run.sh" "$work/in/"
    sh "$here/boot.sh" "$cache/guest.img" "$cache" run "$work/in" "$work/out" 3000
    rc=$?
    t3=$(date +%s)
    echo "guest run: $((t3 - t2)) s" >>"$work/phases"
    sed -n 's/.*\(guest: .*\)/\1/p' "$cache/console-run.log" >>"$work/phases"
    cat "$work/phases"
    exit $rc
}

result() {
    work=$1 program=$2
    out="$work/out"
    if [ ! -f "$out/$program.rc" ]; then
        echo "bench32: $program did not run in the guest"
        exit 1
    fi
    cat "$out/$program.log"
    rc=$(cat "$out/$program.rc")
    tests=$(sed -n 's/.*<testsuites tests="\([0-9]*\)".*/\1/p' "$out/$program.xml" 2>/dev/null | head -n 1)
    failures=$(sed -n 's/.*<testsuites tests="[0-9]*" failures="\([0-9]*\)".*/\1/p' "$out/$program.xml" 2>/dev/null | head -n 1)
    echo "bench32: $program on 32-bit Wine: exit $rc, ${tests:-no} tests, ${failures:-?} failed"
    [ "$rc" = 0 ] && [ "${tests:-0}" -gt 0 ] && [ "${failures:-1}" = 0 ]
}

case "${1:-}" in
run) shift; run "$@" ;;
result) shift; result "$@" ;;
*) echo "usage: bench32.sh run SOURCEDIR TESTBINDIR WORKDIR PROGRAM... | result WORKDIR PROGRAM"; exit 2 ;;
esac
