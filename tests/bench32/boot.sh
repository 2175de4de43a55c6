#!/bin/sh
# Boots the 32-bit bench's guest under full-system emulation (no KVM here)
# and waits, at most LIMIT seconds, for it to power itself off.
#   boot.sh IMAGE CACHEDIR MODE INDIR OUTDIR LIMIT
# MODE run keeps the image as it is (-snapshot) and shares INDIR (read
# only) and OUTDIR with the guest.  The guest's console goes to
# CACHEDIR/console-MODE.log, shown when the run fails.
set -u
image=$1 cache=$2 mode=$3 indir=$4 outdir=$5 limit=$6
log="$cache/console-$mode.log"
rm -f "$log"
set -- -accel tcg,thread=multi -smp 2 -m 4G -cpu max,-smap \
    -display none -monitor none -serial "file:$log" -no-reboot -net none \
    -kernel "$cache/vmlinuz" -initrd "$cache/initrd" \
    -append "root=/dev/vda rw console=ttyS0 init=/sbin/qk-init qk.mode=$mode quiet" \
    -drive "file=$image,if=virtio,format=raw"
if [ "$mode" = run ]; then
    set -- "$@" -snapshot \
        -virtfs "local,path=$indir,mount_tag=qkin,security_model=none,readonly=on" \
        -virtfs "local,path=$outdir,mount_tag=qkout,security_model=none"
fi
t0=$(date +%s)
# The 32-bit guest's kernel oopses at Wine's first signal return when the
# emulated CPU has SMAP: it is switched off above.
timeout -k 10 "$limit" qemu-system-x86_64 "$@"
rc=$?
t1=$(date +%s)
end=$(sed -n 's/.*qk-init: end \([0-9]*\).*/\1/p' "$log" 2>/dev/null | tail -n 1)
if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
    echo "bench32: the guest did not power off within $limit s; its console:"
    tail -n 60 "$log"
    exit 1
fi
if [ "$end" != 0 ]; then
    echo "bench32: guest ($mode) ended with '${end:-nothing}' after $((t1 - t0)) s (qemu $rc); its console:"
    tail -n 60 "$log"
    exit 1
fi
echo "bench32: guest ($mode) ran $((t1 - t0)) s"
