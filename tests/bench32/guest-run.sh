#!/bin/sh
# Runs inside the 32-bit bench's guest (32-bit Wine, win32 prefix):
# proves that the programs brought in are the released bytes, then runs
# each test program named in IN/programs and leaves, per program, its
# output, its exit code and its XML report in OUT.
#   guest-run.sh IN OUT
in=$1 out=$2
bin="$WINEPREFIX/drive_c/qkbin"
rm -rf "$bin"
mkdir -p "$bin"
cp "$in"/bin/* "$bin/"
if ! (cd "$bin" && sha256sum -c "$in/SHA256SUMS") >"$out/sha256.log" 2>&1; then
    echo "guest: the programs are not the released ones"; cat "$out/sha256.log"
    exit 6
fi
cat "$out/sha256.log"
wineserver -p >/dev/null 2>&1 </dev/null
t0=$(date +%s)
wine wineboot >/dev/null 2>&1 </dev/null
echo "guest: wine up in $(( $(date +%s) - t0 )) s"
# A GoogleTest filter, when one is given (to look at a few tests).
filter=""
[ -f "$in/filter" ] && filter="--gtest_filter=$(cat "$in/filter")"
for program in $(cat "$in/programs"); do
    t1=$(date +%s)
    # Every wait is bounded: a hung program fails its own test only.
    # The code page 932 tests run under the Japanese locale, from which
    # Wine takes the program's code page.
    locale=C.UTF-8
    [ "$program" = test_dbcs ] && locale=ja_JP.UTF-8
    (cd "$bin" && LANG=$locale LC_ALL=$locale timeout -k 5 "$(cat "$in/limit")" wine "$program.exe" \
        "--gtest_output=xml:C:\\qkbin\\$program.xml" $filter >"$out/$program.log" 2>&1 </dev/null)
    echo $? >"$out/$program.rc"
    cp "$bin/$program.xml" "$out/" 2>/dev/null
    echo "guest: $program exit $(cat "$out/$program.rc") in $(( $(date +%s) - t1 )) s"
done
wineserver -k >/dev/null 2>&1 </dev/null
exit 0
