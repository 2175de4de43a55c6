#!/bin/sh
# The main job: builds everything, makes the sample archive, and runs
# Pelmor.exe under wine64 with it.  With a display (DISPLAY set) the
# installer opens in a window for a person to use; without one it runs
# in Xvfb, driven through every page, and the pictures of each page are
# left in build/demo/screenshots.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/scripts/setup-debian.sh"
sh "$root/scripts/build.sh"

demo="$root/build/demo"
bin="$root/build/x86_64/bin"
mkdir -p "$demo/screenshots"
rm -f "$demo/screenshots/"*
interactive=""
if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    interactive=1
    saved_display=$DISPLAY
fi
# The bench brings its own X server; a person's display is used instead
# when there is one.
sh "$root/tests/bench/bench.sh" start "$demo/bench"
trap 'sh "$root/tests/bench/bench.sh" stop "$demo/bench"' EXIT
. "$demo/bench/env"
start="$WINEPREFIX/drive_c/kitpack-demo"
rm -rf "$start"
mkdir -p "$start"
# The sample archive: the stand-in that lays out Bin, Include, Lib and
# Lib\PSDK with their marker files.
cp "$bin/Pelmor.exe" "$bin/kitpack.exe" "$start/"
export KITPACK_LOG='C:\kitpack-demo.log'
if [ -n "$interactive" ]; then
    export DISPLAY="$saved_display"
    echo "demo: starting the installer on $DISPLAY"
    (cd "$start" && wine64 Pelmor.exe)
else
    wine64 "$bin/demo_drive.exe" 'C:\kitpack-demo' "Z:$demo/screenshots"
    for f in "$demo/screenshots/"*.bmp; do
        [ -f "$f" ] && convert "$f" "${f%.bmp}.png" && rm -f "$f"
    done
    echo "demo: pictures in $demo/screenshots"
fi
echo "demo: the archive ran as: $(cat "$WINEPREFIX/drive_c/kitpack-demo.log" 2>/dev/null)"
