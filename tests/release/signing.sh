#!/bin/sh
# The release's Authenticode signing, with a throw-away certificate
# authority: signed programs verify against it and name themselves, the
# signature removed gives back the unsigned reproducible bytes, and a key
# that cannot be used stops the release with no program released.
#   signing.sh SOURCE_DIR WORK_DIR [SHIPPED_DIR]
set -u
src=$1
work=$2
shipped=${3:-}
rm -rf "$work"
mkdir -p "$work"
passed=0
failed=0
check() {
    what=$1
    shift
    if "$@" >"$work/check.log" 2>&1; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $what"
        sed 's/^/    /' "$work/check.log" | tail -n 20
    fi
}
has_text() {
    grep -qF "$2" "$1"
}
# The signature block itself holds the program's name (ASCII or UTF-16)
# and the SHA-256 algorithm's identifier, whatever a tool prints of it.
signature_has() {
    python3 - "$1" "$2" <<'PY'
import sys
sig = open(sys.argv[1], "rb").read()
what = sys.argv[2]
if what == "sha256":
    needle = [bytes.fromhex("608648016503040201")]
elif what == "timestamp":
    # An RFC 3161 time stamp, as Authenticode carries it (1.3.6.1.4.1.311.3.3.1).
    needle = [bytes.fromhex("2b060104018237030301")]
else:
    needle = [what.encode(), what.encode("utf-16-be"), what.encode("utf-16-le")]
sys.exit(0 if any(n in sig for n in needle) else 1)
PY
}
signature_lacks() {
    ! signature_has "$1" "$2"
}
no_programs() {
    [ ! -e "$1/Pelmor.exe" ] && [ ! -e "$1/Typebind.exe" ]
}

sh "$src/tests/release/testkey.sh" "$work/key" 's3cret pass' >/dev/null
sh "$src/tests/release/testkey.sh" "$work/other" '' >/dev/null

dist="$work/dist"
check "release with a key" env QK_SIGN_PFX="$work/key/signer.pfx" QK_SIGN_PASSWORD='s3cret pass' \
    sh -c "QK_SKIP_SETUP=1 sh '$src/scripts/release.sh' '$dist'"
check "SHA256SUMS lists the signed files" sh -c "cd '$dist' && sha256sum -c SHA256SUMS"
for exe in Pelmor.exe Typebind.exe; do
    name=${exe%.exe}
    version=$(python3 "$src/scripts/peversion.py" "$dist/$exe")
    osslsigncode verify -CAfile "$work/key/ca.pem" -in "$dist/$exe" >"$work/verify-$name.log" 2>&1
    check "$exe verifies against the test CA" test $? = 0
    osslsigncode extract-signature -in "$dist/$exe" -out "$work/$name.sig" >/dev/null 2>&1
    check "$exe's signature is SHA-256" signature_has "$work/$name.sig" sha256
    check "$exe's signature names it: $name $version" signature_has "$work/$name.sig" "$name $version"
    check "$exe does not verify against another CA" \
        sh -c "! osslsigncode verify -CAfile '$work/other/ca.pem' -in '$dist/$exe'"
    osslsigncode remove-signature -in "$dist/$exe" -out "$work/$exe.unsigned" >/dev/null 2>&1
    check "$exe unsigned again is in SHA256SUMS.unsigned" \
        has_text "$dist/SHA256SUMS.unsigned" "$(sha256sum "$work/$exe.unsigned" | cut -d' ' -f1)  $exe"
    if [ -n "$shipped" ]; then
        check "$exe unsigned again is the tested build" cmp "$work/$exe.unsigned" "$shipped/$exe"
    fi
done

# Time-stamped by a time-stamping authority on the loopback address.
python3 "$src/tests/release/tsa.py" "$work/key" >"$work/tsa.url" 2>"$work/tsa.log" &
tsa=$!
trap 'kill $tsa 2>/dev/null' EXIT
i=0
while [ ! -s "$work/tsa.url" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
check "release with a time-stamping server" env QK_SIGN_PFX="$work/key/signer.pfx" \
    QK_SIGN_PASSWORD='s3cret pass' QK_SIGN_TIMESTAMP="$(cat "$work/tsa.url")" \
    sh -c "QK_SKIP_SETUP=1 sh '$src/scripts/release.sh' '$work/dist-stamped'"
check "both programs were stamped" test "$(cat "$work/key/tsa.requests" 2>/dev/null | wc -l)" = 2
for exe in Pelmor.exe Typebind.exe; do
    osslsigncode extract-signature -in "$work/dist-stamped/$exe" -out "$work/$exe.stamped.sig" >/dev/null 2>&1
    check "$exe carries its time stamp" signature_has "$work/$exe.stamped.sig" timestamp
    check "$exe verifies with its time stamp" osslsigncode verify -CAfile "$work/key/ca.pem" \
        -TSA-CAfile "$work/key/ca.pem" -in "$work/dist-stamped/$exe"
done
check "an unstamped signature has no time stamp" signature_lacks "$work/Pelmor.sig" timestamp
kill $tsa 2>/dev/null

# A key without a password.
check "release with a key whose password is empty" env QK_SIGN_PFX="$work/other/signer.pfx" \
    sh -c "QK_SKIP_SETUP=1 sh '$src/scripts/release.sh' '$work/dist-empty'"
check "that release verifies" osslsigncode verify -CAfile "$work/other/ca.pem" \
    -in "$work/dist-empty/Typebind.exe"

# Keys that cannot be used: the release stops, says why, and leaves no
# program behind, not even one of an earlier release.
head -c 2048 /dev/urandom >"$work/corrupt.pfx"
for case in "wrong password|$work/key/signer.pfx|not this one|wrong password" \
            "missing key file|$work/none.pfx||is not there" \
            "corrupt key file|$work/corrupt.pfx||not a PKCS#12 file"; do
    what=${case%%|*}; rest=${case#*|}
    pfx=${rest%%|*}; rest=${rest#*|}
    password=${rest%%|*}; said=${rest#*|}
    bad="$work/dist-bad"
    mkdir -p "$bad"
    echo "an earlier release" >"$bad/Pelmor.exe"
    cp "$bad/Pelmor.exe" "$bad/Typebind.exe"
    QK_SIGN_PFX="$pfx" QK_SIGN_PASSWORD="$password" QK_SKIP_SETUP=1 \
        sh "$src/scripts/release.sh" "$bad" >"$work/bad.log" 2>&1
    check "$what: the release fails" test $? != 0
    check "$what: it says so" has_text "$work/bad.log" "$said"
    check "$what: no program is left in the release folder" no_programs "$bad"
done

echo "$passed passed, $failed failed"
[ "$failed" = 0 ] && rm -rf "$work"
[ "$failed" = 0 ]
