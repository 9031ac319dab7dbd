#!/bin/sh
# Signs the updater's test databases (tests/data/updater/*.ini) with key
# pairs made here, for the native and Wine tests of the updater:
#   sign_fixtures.sh SOURCE_DIR OUT_DIR
# OUT_DIR gets test.pub and foreign.pub (their secret halves stay in OUT_DIR,
# a build folder), each database with NAME.minisig (pre-hashed, test key),
# and for published.ini also the legacy form, one by the foreign key and one
# without a timestamp. The trusted comments carry fixed timestamps: older.ini
# is older than the others.
set -eu
src=$1/tests/data/updater
out=$2
command -v minisign >/dev/null || { echo "sign_fixtures: minisign is missing (scripts/setup.sh installs it)" >&2; exit 1; }
rm -rf "$out"
mkdir -p "$out"
minisign -G -W -f -p "$out/test.pub" -s "$out/test.key" >/dev/null
minisign -G -W -f -p "$out/foreign.pub" -s "$out/foreign.key" >/dev/null
tab=$(printf '\t')
sign() { # file sigfile key timestamp-comment [-l]
  minisign -S -s "$out/$3.key" -m "$out/$1" -x "$out/$2" -t "$4" ${5:-} >/dev/null
}
for f in "$src"/*.ini; do
  name=$(basename "$f")
  cp "$f" "$out/$name"
  case $name in older.ini) stamp=1700000000 ;; *) stamp=1800000000 ;; esac
  sign "$name" "$name.minisig" test "timestamp:$stamp${tab}file:zapotrix_mainDB.ini"
done
sign published.ini published.ini.legacy.minisig test "timestamp:1800000000${tab}file:zapotrix_mainDB.ini" -l
sign published.ini published.ini.foreign.minisig foreign "timestamp:1800000000${tab}file:zapotrix_mainDB.ini"
sign published.ini published.ini.undated.minisig test "file:zapotrix_mainDB.ini"
touch "$out/stamp"
