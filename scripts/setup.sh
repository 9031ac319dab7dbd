#!/bin/sh
# Installs what building and testing need on a Debian 12 machine (as root).
# Does nothing when everything is already there.
set -e
need=""
dpkg --print-foreign-architectures | grep -qx i386 || need="i386"
for p in cmake make g++ googletest libgtest-dev libbenchmark-dev g++-mingw-w64-i686 \
         g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb x11-utils groff flock python3 \
         fonts-wine fonts-liberation imagemagick xdotool nsis zip libjpeg62-turbo-dev dpkg-dev \
         libsodium-dev minisign autoconf automake libtool; do
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
    fonts-wine fonts-liberation imagemagick xdotool nsis zip libjpeg62-turbo-dev dpkg-dev \
    libsodium-dev minisign autoconf automake libtool >/dev/null
fi

# ---- libjpeg for the Windows builds ----
# The info window's logo is decoded with libjpeg-turbo. The native flavour
# links Debian's libjpeg62-turbo-dev; the Windows builds link a static
# libjpeg.a cross-built here from Debian's source package, once per MinGW
# toolchain (i686: the product; x86_64: the tests under 64-bit Wine). The
# result stays in deps/ (not in build/, so `make clean` keeps it); a second
# run finds it and skips the build. Only the static library is built: no
# tools, no TurboJPEG API, no SIMD (one small logo is decoded once).
root=$(cd "$(dirname "$0")/.." && pwd)
deps=$root/deps

# apt-get source needs the source index: switch on deb-src for the Debian
# entries that lack it, then read the indexes again.
enable_deb_src() { # package
  apt-get source --print-uris "$1" >/dev/null 2>&1 && return 0
  if [ "$(id -u)" != 0 ]; then echo "setup: run as root to enable deb-src" >&2; exit 1; fi
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
  fi
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list > /etc/apt/sources.list.d/zapotrix-src.list
  fi
  apt-get update -qq || { sleep 10; apt-get update -qq; } || echo "setup: apt-get update incomplete, going on"
}
jpeg_missing=""
for arch in i686 x86_64; do
  [ -f "$deps/libjpeg-$arch/lib/libjpeg.a" ] || jpeg_missing="$jpeg_missing $arch"
done
if [ -n "$jpeg_missing" ]; then
  echo "setup: cross-building libjpeg-turbo for:$jpeg_missing"
  src=$(ls -d "$deps"/src/libjpeg-turbo-*/ 2>/dev/null | head -n1)
  if [ -z "$src" ]; then
    enable_deb_src libjpeg-turbo
    mkdir -p "$deps/src"
    (cd "$deps/src" && apt-get source -qq libjpeg-turbo >/dev/null)
    src=$(ls -d "$deps"/src/libjpeg-turbo-*/ | head -n1)
  fi
  for arch in $jpeg_missing; do
    b=$deps/src/build-$arch
    cmake -S "$src" -B "$b" -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=$arch \
      -DCMAKE_C_COMPILER=$arch-w64-mingw32-gcc-win32 -DCMAKE_RC_COMPILER=$arch-w64-mingw32-windres \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/libjpeg-$arch" \
      -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF >"$b.log" 2>&1 \
      || { cat "$b.log"; exit 1; }
    cmake --build "$b" --target jpeg-static -j 2 >>"$b.log" 2>&1 || { tail -n 40 "$b.log"; exit 1; }
    mkdir -p "$deps/libjpeg-$arch/include" "$deps/libjpeg-$arch/lib"
    cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$b/jconfig.h" "$deps/libjpeg-$arch/include/"
    cp "$b/libjpeg.a" "$deps/libjpeg-$arch/lib/"
  done
fi
# ---- libsodium for the Windows builds ----
# The updater checks the signature of a downloaded rule database with
# libsodium (Ed25519, BLAKE2b). Natively Debian's libsodium-dev; for Windows
# a static libsodium.a cross-built here from Debian's source package, once per
# MinGW toolchain, into deps/libsodium-<processor>/. The minimal build has
# all that verification needs. Verification needs no randomness, and the
# library's Windows random source imports RtlGenRandom (SystemFunction036),
# which Windows 98, Me and 2000 lack: the build names no default random
# source (the library's own switches for that), so nothing pulls it into
# the program. A call that needs random bytes would fail at once; the
# program makes none (it never calls sodium_init).
sodium_missing=""
for arch in i686 x86_64; do
  [ -f "$deps/libsodium-$arch/lib/libsodium.a" ] || sodium_missing="$sodium_missing $arch"
done
if [ -n "$sodium_missing" ]; then
  echo "setup: cross-building libsodium for:$sodium_missing"
  src=$(ls -d "$deps"/src/libsodium-*/ 2>/dev/null | head -n1)
  if [ -z "$src" ]; then
    enable_deb_src libsodium
    mkdir -p "$deps/src"
    (cd "$deps/src" && apt-get source -qq libsodium >/dev/null)
    src=$(ls -d "$deps"/src/libsodium-*/ | head -n1)
  fi
  # Debian's source has no generated configure script.
  [ -x "$src/configure" ] || (cd "$src" && autoreconf -fi >/dev/null 2>&1)
  for arch in $sodium_missing; do
    b=$deps/src/sodium-build-$arch
    rm -rf "$b"; mkdir -p "$b"
    (cd "$b" && "$src/configure" --host=$arch-w64-mingw32 CC=$arch-w64-mingw32-gcc-win32 \
      CFLAGS="-O2" CPPFLAGS="-DRANDOMBYTES_CUSTOM_IMPLEMENTATION -DRANDOMBYTES_DEFAULT_IMPLEMENTATION=NULL" \
      --prefix="$deps/libsodium-$arch" \
      --disable-shared --enable-static --enable-minimal --disable-ssp --disable-pie \
      --without-pthreads >"$b.log" 2>&1 && make -j 2 install >>"$b.log" 2>&1) \
      || { tail -n 40 "$b.log"; exit 1; }
  done
fi
exit 0
