#!/bin/sh
# Installs what building and testing need on a Debian 12 machine (as root).
# Does nothing when everything is already there.
set -e
need=""
dpkg --print-foreign-architectures | grep -qx i386 || need="i386"
for p in cmake make g++ googletest libgtest-dev libbenchmark-dev g++-mingw-w64-i686 \
         g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb x11-utils groff flock python3 \
         fonts-wine fonts-liberation imagemagick xdotool nsis zip; do
  case $p in flock) command -v flock >/dev/null || need="$need util-linux";; \
    python3) command -v python3 >/dev/null || need="$need python3";; \
    *) dpkg -s "$p" >/dev/null 2>&1 || need="$need $p";; esac
done
if [ -n "$need" ]; then
  echo "setup: installing:$need"
  if [ "$(id -u)" != 0 ]; then echo "setup: run as root to install packages" >&2; exit 1; fi
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  # A mirror in the middle of a sync fails one index now and then: try again,
  # then go on with what was fetched.
  apt-get update -qq || { sleep 10; apt-get update -qq; } || echo "setup: apt-get update incomplete, going on"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    cmake make g++ googletest libgtest-dev libbenchmark-dev g++-mingw-w64-i686 \
    g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb x11-utils groff util-linux python3 \
    fonts-wine fonts-liberation imagemagick xdotool nsis zip >/dev/null
fi
exit 0
