#!/bin/sh
# make dist: the release artefacts in build/release/ from the 32-bit build:
#   zapotrix-<version>-setup.exe     the installer (installer/zapotrix.nsi)
#   zapotrix-<version>-portable.zip  the program folder as installed + read-me
#   SHA256SUMS                       for both
# and, with ZAPOTRIX_SIGNING_KEY=<path of a minisign secret key>, the update
# server's files beside them:
#   zapotrix_mainDB.ini              the rule database as the program ships it
#   zapotrix_mainDB.ini.minisig      its signature (the updater takes no
#                                    database without one by a trusted key)
#
# scripts/dist.sh BUILD_DIR OUT_DIR makes the same two artefacts from
# another configured build; a 64-bit build gives a 64-bit installer (named
# ...-setup-x64-test.exe), used by the installer tests where Wine runs no
# 32-bit programs.
set -eu
cd "$(dirname "$0")/.."
export LANG=C.UTF-8 LC_ALL=C.UTF-8
root=$PWD
version=$(sed -n 's/.*kVersion = "\([0-9.]*\)".*/\1/p' lang/texts.h)
[ -n "$version" ] || { echo "dist: no version found in lang/texts.h" >&2; exit 1; }

b=${1:-build/win32}
out=${2:-build/release}
case $b in /*) ;; *) b=$root/$b ;; esac
case $out in /*) ;; *) out=$root/$out ;; esac
if [ ! -f "$b/CMakeCache.txt" ]; then
  mkdir -p "$(dirname "$b")"
  cmake -S . -B "$b" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >"$b.configure.log" 2>&1 || { cat "$b.configure.log"; exit 1; }
fi
echo "dist: building zapotrix.exe and the manual in $b"
cmake --build "$b" -j 2 --target zapotrix >"$b.dist.log" 2>&1 || { tail -n 40 "$b.dist.log"; exit 1; }
grep -h '^manual:' "$b.dist.log" || true

if grep -q 'x86_64' "$b/CMakeCache.txt"; then
  target=amd64-unicode suffix=-x64-test
else
  target=x86-ansi suffix=
fi
setup=zapotrix-$version-setup$suffix.exe
portable=zapotrix-$version-portable$suffix.zip
mkdir -p "$out"
rm -f "$out/$setup" "$out/$portable" "$out/SHA256SUMS"

echo "dist: $setup ($target)"
makensis -WX -INPUTCHARSET UTF8 -V2 -DVERSION="$version" -DTARGET=$target \
  -DSRCDIR="$b/dist" -DOUTFILE="$out/$setup" installer/zapotrix.nsi

# The portable folder: what the installer puts into the program folder,
# plus the read-me, all dated as the last commit (not as the build).
echo "dist: $portable"
stage=$b/portable
rm -rf "$stage"
mkdir -p "$stage/Zapotrix"
cp -r "$b/dist/zapotrix.exe" "$b/dist/config" "$b/dist/help" "$stage/Zapotrix/"
sed "s/@VERSION@/$version/" installer/portable-readme.txt | sed 's/$/\r/' | iconv -f UTF-8 -t CP1252 \
  >"$stage/Zapotrix/LIESMICH.txt"
find "$stage" -exec touch -d "@${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}" {} +
(cd "$stage" && find Zapotrix | LC_ALL=C sort | zip -q -X -9 "$out/$portable" -@)

(cd "$out" && sha256sum "$setup" "$portable" >SHA256SUMS)

# The update server's files. minisign's trusted comment carries the time of
# signing, which the program compares with the newest database it took: a
# database signed earlier is refused as a roll-back.
rm -f "$out/zapotrix_mainDB.ini" "$out/zapotrix_mainDB.ini.minisig"
server_files=""
if [ -n "${ZAPOTRIX_SIGNING_KEY:-}" ]; then
  [ -f "$ZAPOTRIX_SIGNING_KEY" ] || { echo "dist: no secret key at $ZAPOTRIX_SIGNING_KEY" >&2; exit 1; }
  cp "$b/dist/config/zapotrix_mainDB.ini" "$out/zapotrix_mainDB.ini"
  minisign -S -s "$ZAPOTRIX_SIGNING_KEY" -m "$out/zapotrix_mainDB.ini" -x "$out/zapotrix_mainDB.ini.minisig" >/dev/null \
    || { rm -f "$out/zapotrix_mainDB.ini"; echo "dist: signing the rule database failed" >&2; exit 1; }
  echo "dist: zapotrix_mainDB.ini and zapotrix_mainDB.ini.minisig for the update server"
  server_files="zapotrix_mainDB.ini zapotrix_mainDB.ini.minisig"
else
  echo "dist: no ZAPOTRIX_SIGNING_KEY given: skipped the update server's zapotrix_mainDB.ini and its signature"
fi
echo "dist: written to $out"
# shellcheck disable=SC2086  # two file names or none
(cd "$out" && ls -l "$setup" "$portable" SHA256SUMS $server_files)
