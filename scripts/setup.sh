#!/bin/sh
# Installs what building and testing need on a Debian 12 machine (as root).
# Does nothing when everything is already there.
set -e
need=""
dpkg --print-foreign-architectures | grep -qx i386 || need="i386"
for p in cmake make g++ googletest libgtest-dev libbenchmark-dev g++-mingw-w64-i686 \
         wine wine32:i386 wine64 xvfb x11-utils groff flock python3; do
  case $p in flock) command -v flock >/dev/null || need="$need util-linux";; \
    python3) command -v python3 >/dev/null || need="$need python3";; \
    *) dpkg -s "$p" >/dev/null 2>&1 || need="$need $p";; esac
done
[ -z "$need" ] && exit 0
echo "setup: installing:$need"
if [ "$(id -u)" != 0 ]; then echo "setup: run as root to install packages" >&2; exit 1; fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
  cmake make g++ googletest libgtest-dev libbenchmark-dev g++-mingw-w64-i686 \
  wine wine32:i386 wine64 xvfb x11-utils groff util-linux python3 >/dev/null
