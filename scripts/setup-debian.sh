#!/bin/sh
# Installs from Debian's packages what the build, the tests and the
# demonstration run need.  Run as root on Debian 12.
set -e
if [ "$(id -u)" != 0 ]; then
    echo "setup-debian.sh: run as root" >&2
    exit 1
fi
need=""
for pkg in cmake make python3 g++-mingw-w64-i686 g++-mingw-w64-x86-64 \
           binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 googletest wine64 \
           xvfb xauth imagemagick clang libclang-rt-14-dev locales \
           qemu-system-x86 mmdebstrap e2fsprogs fonts-wine \
           osslsigncode openssl; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
        need="$need $pkg"
done
if [ -n "$need" ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $need
fi
# The Japanese locale: under it Wine's programs use code page 932, whose
# double-byte characters the path tests need.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
