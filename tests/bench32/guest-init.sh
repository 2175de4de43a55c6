#!/bin/sh
# init of the 32-bit bench's guest (kernel argument qk.mode):
#   prepare  makes the win32 Wine prefix, kept in the image
#   run      runs /mnt/in/guest-run.sh with the share qkout as its output
# and then powers the machine off.  "qk-init: end N" on the console is
# the outcome the host reads.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
hostname qkguest

finish() {
    sync
    echo "qk-init: end $1"
    echo o >/proc/sysrq-trigger
    sleep 60
}

mode=$(sed -n 's/.*qk\.mode=\([a-z]*\).*/\1/p' /proc/cmdline)
export WINEARCH=win32 WINEPREFIX=/root/prefix32 WINEDEBUG=-all
export WINEDLLOVERRIDES=winemenubuilder.exe=d

Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >/tmp/xvfb.log 2>&1 </dev/null &
i=0
while [ ! -S /tmp/.X11-unix/X7 ] && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
if [ ! -S /tmp/.X11-unix/X7 ]; then
    echo "qk-init: Xvfb did not start"; cat /tmp/xvfb.log; finish 3
fi
export DISPLAY=:7

case "$mode" in
prepare)
    echo "qk-init: making the win32 prefix"
    rm -rf "$WINEPREFIX"
    wineserver -p >/dev/null 2>&1 </dev/null
    wine wineboot -i >/tmp/wineboot.log 2>&1 </dev/null
    # A virtual desktop: no window manager needed for top-level windows.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 </dev/null
    # Wine's own Marlett, where this Wine looks for it: caption buttons.
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    wineserver -k >/dev/null 2>&1 </dev/null
    i=0
    while pgrep -x wineserver >/dev/null && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
    if [ -f "$WINEPREFIX/system.reg" ] && [ -d "$WINEPREFIX/drive_c/windows/system32" ]; then
        finish 0
    fi
    tail -n 30 /tmp/wineboot.log
    finish 4
    ;;
run)
    modprobe 9pnet_virtio 2>/dev/null
    modprobe 9p 2>/dev/null
    mkdir -p /mnt/in /mnt/out
    if ! mount -t 9p -o trans=virtio,version=9p2000.L qkin /mnt/in ||
       ! mount -t 9p -o trans=virtio,version=9p2000.L qkout /mnt/out; then
        echo "qk-init: the shares did not mount"; finish 5
    fi
    sh /mnt/in/guest-run.sh /mnt/in /mnt/out
    finish $?
    ;;
*)
    echo "qk-init: unknown mode '$mode'"
    finish 2
    ;;
esac
