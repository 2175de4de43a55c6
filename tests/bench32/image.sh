#!/bin/sh
# The 32-bit bench's guest: a Debian 12 amd64 system with i386 multiarch,
# 32-bit Wine and Xvfb, as an ext4 image with its kernel and initrd beside
# it, and a win32 Wine prefix made once at its first boot.  Built from
# Debian's packages alone; rebuilt only when this recipe changes.
#   image.sh CACHEDIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache=$1
mkdir -p "$cache"
recipe=$(cat "$here/image.sh" "$here/guest-init.sh" | sha256sum | cut -c1-16)
if [ -f "$cache/ready" ] && [ "$(cat "$cache/ready")" = "$recipe" ]; then
    echo "bench32: guest image $recipe is up to date in $cache"
    exit 0
fi
rm -f "$cache/ready"
t0=$(date +%s)
tree="$cache/tree"
rm -rf "$tree" "$cache/guest.img" "$cache/guest.img.tmp"

# The host's own sources: the guest reaches the same mirror.
sources=/etc/apt/sources.list.d/debian.sources
[ -f "$sources" ] || sources=/etc/apt/sources.list
i386="wine32:i386 libx11-6:i386 libxext6:i386 libxrender1:i386 libxrandr2:i386 libxi6:i386
      libxcursor1:i386 libxfixes3:i386 libxcomposite1:i386 libxinerama1:i386 libxxf86vm1:i386
      libfreetype6:i386 libfontconfig1:i386"
amd64="linux-image-amd64 wine wine64 xvfb xauth x11-xkb-utils xkb-data fonts-wine kmod procps mount
       locales"
mmdebstrap --variant=apt --architectures=amd64,i386 --skip=check/empty \
    --include="$(echo $amd64 $i386 | tr ' ' ',')" \
    --customize-hook='rm -rf "$1"/var/cache/apt/archives/*.deb "$1"/var/lib/apt/lists/*' \
    --customize-hook='chroot "$1" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8' \
    bookworm "$tree" "$sources" >"$cache/mmdebstrap.log" 2>&1 || {
    echo "bench32: mmdebstrap failed"; tail -n 40 "$cache/mmdebstrap.log"; exit 1; }
install -m 0755 "$here/guest-init.sh" "$tree/sbin/qk-init"
cp "$(ls "$tree"/boot/vmlinuz-* | tail -n 1)" "$cache/vmlinuz"
cp "$(ls "$tree"/boot/initrd.img-* | tail -n 1)" "$cache/initrd"
chmod 0644 "$cache/vmlinuz" "$cache/initrd"
t1=$(date +%s)
echo "bench32: guest tree in $((t1 - t0)) s"

# Room for the Wine prefix and the runs beside the tree.
size=$(( $(du -sm "$tree" | cut -f1) + 1536 ))
mke2fs -q -t ext4 -L qkguest -d "$tree" "$cache/guest.img.tmp" "${size}M"
rm -rf "$tree"
t2=$(date +%s)
echo "bench32: ext4 image of $size MB in $((t2 - t1)) s"

# First boot: the win32 prefix is made and kept in the image.
sh "$here/boot.sh" "$cache/guest.img.tmp" "$cache" prepare "" "" 600
mv "$cache/guest.img.tmp" "$cache/guest.img"
echo "$recipe" >"$cache/ready"
echo "bench32: prefix made in $(( $(date +%s) - t2 )) s; image ready"
