#!/bin/sh
# The Wine bench of a test run: an X server, a Wine prefix under the
# build folder and one persistent wineserver.
#   bench.sh start BENCHDIR    sets it up (and writes BENCHDIR/env)
#   bench.sh stop BENCHDIR     ends the wineserver and the X server
set -u
action=$1
bench=$2
mkdir -p "$bench"

export WINEPREFIX="$bench/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES=winemenubuilder.exe=d
export PATH="/usr/lib/wine:$PATH"

start() {
    # X first: the desktop process that the first Wine process starts
    # keeps the display it found for the server's whole life.
    if [ -s "$bench/xvfb.pid" ] && kill -0 "$(cat "$bench/xvfb.pid")" 2>/dev/null; then
        :
    else
        rm -f "$bench/display"
        setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
            3>"$bench/display" >"$bench/xvfb.log" 2>&1 </dev/null &
        echo $! >"$bench/xvfb.pid"
        i=0
        while [ ! -s "$bench/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
        if [ ! -s "$bench/display" ]; then
            echo "bench: Xvfb did not start"; cat "$bench/xvfb.log"; exit 1
        fi
    fi
    DISPLAY=":$(tr -d '\n' <"$bench/display")"
    export DISPLAY

    # The first Wine process leaves services behind that keep its output
    # open: never let that be a pipe.
    wineserver -p >/dev/null 2>&1 </dev/null
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wine64 wineboot -i >"$bench/wineboot.log" 2>&1 </dev/null
        # Wine's own TrueType fonts (fonts-wine): Marlett draws the caption
        # buttons, which show letters without it.  This Wine does not look
        # in its data folder for them, only in the prefix's Fonts folder.
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
        # A virtual desktop: top-level windows then need no window
        # manager.  The desktop process reads it when it starts, so the
        # server is started anew with it.
        wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
        wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 </dev/null
        wineserver -k >/dev/null 2>&1 </dev/null
        wineserver -w >/dev/null 2>&1 </dev/null
        wineserver -p >/dev/null 2>&1 </dev/null
    fi
    wine64 wineboot >"$bench/wineboot.log" 2>&1 </dev/null
    {
        echo "export WINEPREFIX='$WINEPREFIX'"
        echo "export WINEDEBUG=-all"
        echo "export WINEDLLOVERRIDES=winemenubuilder.exe=d"
        echo "export DISPLAY='$DISPLAY'"
        echo "export PATH='/usr/lib/wine:'\"\$PATH\""
    } >"$bench/env"
    echo "bench: display $DISPLAY, prefix $WINEPREFIX"
}

stop() {
    if [ -f "$bench/env" ]; then
        wineserver -k >/dev/null 2>&1 </dev/null
    fi
    if [ -s "$bench/xvfb.pid" ]; then
        kill "$(cat "$bench/xvfb.pid")" 2>/dev/null
        rm -f "$bench/xvfb.pid"
    fi
    rm -f "$bench/env"
    echo "bench: stopped"
}

case "$action" in
start) start ;;
stop) stop ;;
*) echo "usage: bench.sh start|stop BENCHDIR"; exit 2 ;;
esac
