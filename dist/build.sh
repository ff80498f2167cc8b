#!/usr/bin/env bash
# Builds the school's package from the shipped 32-bit programs:
#   JW-Lirabo-<version>.msi, JW-Lirabo-<version>.zip (the same files) and SHA256SUMS.
# Usage: dist/build.sh <bin folder> <icon> <output folder> [version]
# The version is read from common/version.h; the fourth argument exists only so the
# upgrade test can build an older package from the same source.
set -Eeuo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(dirname "$HERE")
[ $# -ge 3 ] || { echo "usage: $0 <bin folder> <icon> <output folder> [version]" >&2; exit 2; }
BIN=$1 ICON=$2 OUT=$3

version_part() {
  sed -n "s/^#define LIRABO_VERSION_$1[[:space:]]\{1,\}\([0-9]\{1,\}\)[[:space:]]*$/\1/p" "$ROOT/common/version.h"
}
if [ -n "${4:-}" ]; then
  VERSION=$4
else
  VERSION="$(version_part MAJOR).$(version_part MINOR).$(version_part REVISION)"
fi
# Windows Installer compares major.minor.build with limits 255.255.65535.
if ! [[ $VERSION =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] || [ "${BASH_REMATCH[1]}" -gt 255 ] \
  || [ "${BASH_REMATCH[2]}" -gt 255 ] || [ "${BASH_REMATCH[3]}" -gt 65535 ]; then
  echo "not a Windows Installer version: '$VERSION' (common/version.h, or the argument)" >&2
  exit 1
fi

for f in "$BIN/tafelwahl.exe" "$BIN/regelpult.exe" "$ICON"; do
  [ -f "$f" ] || { echo "missing: $f" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# One staged folder feeds both the package and the zip, so they cannot differ.
stage="$work/JW Lirabo"
mkdir -p "$stage/Protokoll_2"
cp "$BIN/tafelwahl.exe" "$BIN/regelpult.exe" "$stage/"
cp "$ROOT/demo/options.ini" "$stage/options.ini"
cp "$ROOT/demo/Namen.ini" "$stage/Protokoll_2/Namen.ini"
python3 "$ROOT/demo/make_word_list.py" "$stage/wortlst.j_"
cp "$stage/wortlst.j_" "$stage/wortlst.jw1"

mkdir -p "$OUT"
rm -f "$OUT"/JW-Lirabo-*.msi "$OUT"/JW-Lirabo-*.zip "$OUT/SHA256SUMS"
msi=JW-Lirabo-$VERSION.msi
zip=JW-Lirabo-$VERSION.zip

cp "$ICON" "$work/lirabo.ico"
# wixl finds sources by relative paths only. It warns that it ignores NeverOverwrite
# and Permanent; the attributes are set below.
(cd "$work" && wixl -a x86 -D Version="$VERSION" -D Stage="JW Lirabo" -D Icon=lirabo.ico \
  -o "$msi" "$HERE/lirabo.wxs") 2>"$work/wixl.log" || { cat "$work/wixl.log" >&2; exit 1; }

# What wixl cannot write is set with msibuild on its output (dist/MAINTAINING.md).
# The teachers' master options.ini and word list: never overwritten (128) and left
# behind by an uninstall (16), beside whatever bits wixl chose.
msiinfo export "$work/$msi" Component >"$work/Component.idt"
for component in Master WordList; do
  attributes=$(awk -F'\t' -v c="$component" 'NR > 3 && $1 == c { print $4 }' "$work/Component.idt")
  [ -n "$attributes" ] || { echo "no component $component in $msi" >&2; exit 1; }
  msibuild "$work/$msi" -q \
    "UPDATE Component SET Attributes = $((attributes | 144)) WHERE Component = '$component'"
done

# wixl marks the database codepage 0 (the installing PC's own) although it writes the
# strings in 1252: on a Greek or Russian PC "für" and "–" would read wrong.
printf '\r\n\r\n1252\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
msibuild "$work/$msi" -i "$work/_ForceCodepage.idt"

# Without a File.Version the programs count as unversioned data files, replaced by
# hash; with it, by version. It is read from each program's own version resource.
file_version() {  # exe -> a.b.c.d from VS_FIXEDFILEINFO
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find("VS_VERSION_INFO".encode("utf-16-le"))
at = data.find(struct.pack("<I", 0xFEEF04BD), at) if at >= 0 else -1
if at < 0: sys.exit("no version resource in " + sys.argv[1])
ms, ls = struct.unpack_from("<II", data, at + 8)
print(f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
PY
}
for exe in tafelwahl.exe regelpult.exe; do
  fv=$(file_version "$BIN/$exe")
  # Programs built from another version.h than the package's are a stale build.
  IFS=. read -r a b _ d <<<"$fv"
  if [ -z "${4:-}" ] && [ "$a.$b.$d" != "$VERSION" ]; then
    echo "$BIN/$exe has version $fv, the package $VERSION: rebuild the programs" >&2; exit 1
  fi
  msibuild "$work/$msi" -q "UPDATE File SET Version = '$fv' WHERE File = '$exe'"
done

# Another build of the same version (a new ProductCode) replaces the installed one
# instead of standing beside it in "Programs and Features": the row that removes older
# versions includes its maximum (512), as WiX's AllowSameVersionUpgrades does, which
# wixl lacks. Attributes belongs to the row's key, hence delete and insert.
upgrade_code=$(msiinfo export "$work/$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "UpgradeCode" { print $2 }')
msibuild "$work/$msi" -q "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'"
msibuild "$work/$msi" -q "INSERT INTO Upgrade (UpgradeCode, VersionMin, VersionMax, Language, Attributes, \
Remove, ActionProperty) VALUES ('$upgrade_code', '', '$VERSION', '', 513, '', 'WIX_UPGRADE_DETECTED')"

# wixl writes the template language as 1033; the package is German.
msibuild "$work/$msi" -s "JW Lirabo $VERSION" "JW Lirabo" "Intel;1031"

(cd "$work" && zip -q -X -r "$zip" "JW Lirabo")
mv "$work/$msi" "$work/$zip" "$OUT/"
(cd "$OUT" && sha256sum "$msi" "$zip" >SHA256SUMS)
echo "$OUT/$msi"
echo "$OUT/$zip"
