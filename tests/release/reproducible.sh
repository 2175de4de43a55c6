#!/bin/sh
# Two release builds of the same sources, in folders of different names
# and depths, must give the same bytes, and no file may hold the folder
# it was built in.  With a third argument, the shipped build that the
# tests checked must be those same bytes too.
#   reproducible.sh SOURCE_DIR WORK_DIR [SHIPPED_DIR]
set -e
src=$1
work=$2
shipped=${3:-}
rm -rf "$work"
one="$work/one/src"
two="$work/second place/deeper/quillkit"
for copy in "$one" "$two"; do
    mkdir -p "$copy"
    tar -C "$src" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$copy" -xf -
done
QK_SKIP_SETUP=1 sh "$one/scripts/release.sh" "$work/one/dist" >/dev/null
# A second later, under another umask and time zone.
sleep 1
(umask 077 && TZ=Asia/Tokyo QK_SKIP_SETUP=1 sh "$two/scripts/release.sh" "$work/two/dist" >/dev/null)

status=0
for name in Pelmor.exe Typebind.exe SHA256SUMS; do
    if cmp "$work/one/dist/$name" "$work/two/dist/$name"; then
        echo "same bytes: $name"
    else
        echo "DIFFERENT: $name" >&2
        status=1
    fi
    if [ -n "$shipped" ] && [ "$name" != SHA256SUMS ]; then
        if cmp "$work/one/dist/$name" "$shipped/$name"; then
            echo "same bytes as the tested build: $name"
        else
            echo "DIFFERENT from the tested build: $name" >&2
            status=1
        fi
    fi
done
for name in Pelmor.exe Typebind.exe; do
    for copy in "$one" "$two" "$work"; do
        if grep -aqF "$copy" "$work/one/dist/$name" "$work/two/dist/$name"; then
            echo "build path inside $name: $copy" >&2
            status=1
        fi
    done
done
(cd "$work/one/dist" && sha256sum -c SHA256SUMS)
cat "$work/one/dist/SHA256SUMS"
[ "$status" = 0 ] && rm -rf "$work"
exit "$status"
