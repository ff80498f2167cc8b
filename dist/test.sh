#!/usr/bin/env bash
# Installs, upgrades and removes the school's package under Wine, silently, in a fresh
# 32-bit prefix of its own, as an admin would on a classroom PC.
# Usage: dist/test.sh <build folder>   (after dist/build.sh has written <build>/dist)
# Ends with "N passed, M failed" and exits non-zero on any failure.
# shellcheck disable=SC2317  # the helpers below run through check()
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(dirname "$HERE")
BUILD=$(cd "${1:?usage: $0 <build folder>}" && pwd)

# The menu needs a display; one display serves the whole run.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi

WINE=/usr/lib/wine/wine
if ! "$WINE" --version >/dev/null 2>&1; then
  echo "dist tests skipped: this kernel cannot run 32-bit Wine"
  echo "0 passed, 0 failed"
  exit 0
fi
# winemenubuilder would copy the shortcuts into the Linux desktop's menu.
export WINEARCH=win32 WINEPREFIX=$BUILD/wineprefix-dist WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINELOADER=$WINE WINESERVER=/usr/lib/wine/wineserver

T=$BUILD/dist-test
rm -rf "$T"
mkdir -p "$T"
LOG=$T/wine.log
passed=0 failed=0

check() {  # description, command...
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what" >&2; fi
}
finish() {
  "$WINESERVER" -k 2>/dev/null || true
  echo "$passed passed, $failed failed"
  exit $((failed > 0))
}

# ---- the packages ------------------------------------------------------------------
shopt -s nullglob
msis=("$BUILD"/dist/JW-Lirabo-*.msi)
zips=("$BUILD"/dist/JW-Lirabo-*.zip)
shopt -u nullglob
if [ ${#msis[@]} -ne 1 ] || [ ${#zips[@]} -ne 1 ]; then
  echo "FAIL: expected one package and one zip in $BUILD/dist" >&2; failed=1; finish
fi
MSI=${msis[0]} ZIP=${zips[0]}
VERSION=$(msiinfo export "$MSI" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" { print $2 }')
HEADER_VERSION=$(awk '$1 == "#define" { v[$2] = $3 }
  END { print v["LIRABO_VERSION_MAJOR"] "." v["LIRABO_VERSION_MINOR"] "." v["LIRABO_VERSION_REVISION"] }' \
  "$ROOT/common/version.h")
check "package version $VERSION is common/version.h's" [ "$VERSION" = "$HEADER_VERSION" ]
check "package named after its version" [ "$(basename "$MSI")" = "JW-Lirabo-$VERSION.msi" ]
check "SHA256SUMS matches both files" bash -c "cd '$BUILD/dist' && sha256sum --quiet -c SHA256SUMS"

component_attributes() {  # component -> its Attributes in the package
  msiinfo export "$MSI" Component | tr -d '\r' | awk -F'\t' -v c="$1" 'NR > 3 && $1 == c { print $4 }'
}
never_overwritten_and_permanent() { local a; a=$(component_attributes "$1"); [ -n "$a" ] && [ $((a & 144)) -eq 144 ]; }
replaced_and_removed() { local a; a=$(component_attributes "$1"); [ -n "$a" ] && [ $((a & 144)) -eq 0 ]; }
check "options.ini: never overwritten, permanent" never_overwritten_and_permanent Master
check "wortlst.jw1: never overwritten, permanent" never_overwritten_and_permanent WordList
for c in Menu OptionsProgram DeliveryWordList Names; do
  check "$c: replaced and removed" replaced_and_removed "$c"
done

# What a fresh installation holds, made from the sources rather than from the package.
expected=$T/expected
mkdir -p "$expected/Protokoll_2"
cp "$BUILD/win32/bin/tafelwahl.exe" "$BUILD/win32/bin/regelpult.exe" "$expected/"
cp "$ROOT/demo/options.ini" "$expected/"
cp "$ROOT/demo/Namen.ini" "$expected/Protokoll_2/"
python3 "$ROOT/demo/make_word_list.py" "$expected/wortlst.j_"
cp "$expected/wortlst.j_" "$expected/wortlst.jw1"

# An older package from the same source: programs that differ in their bytes, so the
# test can tell which version's programs are installed.
IFS=. read -r major minor build <<<"$VERSION"
if [ "$build" -gt 0 ]; then OLD_VERSION=$major.$minor.$((build - 1))
elif [ "$minor" -gt 0 ]; then OLD_VERSION=$major.$((minor - 1)).0
else OLD_VERSION=$((major - 1)).0.0; fi
mkdir -p "$T/old-bin"
for exe in tafelwahl.exe regelpult.exe; do
  { cat "$BUILD/win32/bin/$exe"; printf 'older build'; } >"$T/old-bin/$exe"
done
if ! "$HERE/build.sh" "$T/old-bin" "$BUILD/win32/art/lirabo.ico" "$T/old" "$OLD_VERSION" >/dev/null; then
  echo "FAIL: building the older package $OLD_VERSION" >&2; failed=$((failed + 1)); finish
fi
OLD_MSI=$T/old/JW-Lirabo-$OLD_VERSION.msi

# ---- the prefix ------------------------------------------------------------------------
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
wine_quiet() { "$WINE" "$@" >>"$LOG" 2>&1 </dev/null; }

rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$WINESERVER" -p
wine_quiet wineboot -i
# The persistent server keeps the registry in memory: judge the prefix by its files.
if [ ! -f "$WINEPREFIX/drive_c/windows/system32/msiexec.exe" ]; then
  echo "FAIL: wineboot made no prefix" >&2; tail -20 "$LOG" >&2; failed=$((failed + 1)); finish
fi
# No crash dialogs; a virtual desktop, so the menu's full-screen mode stays inside it.
wine_quiet reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
wine_quiet reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f
wine_quiet reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f

C=$WINEPREFIX/drive_c
DEFAULT_DIR="$C/Program Files/JW Lirabo"
SHARE_WIN='C:\Schule\JW Lirabo'
SHARE_DIR="$C/Schule/JW Lirabo"
users=("$C"/users/*/AppData/Roaming)
APPDATA_DIR=${users[0]}
COMMON_MENU="$C/ProgramData/Microsoft/Windows/Start Menu/Programs"
USER_MENU="$APPDATA_DIR/Microsoft/Windows/Start Menu/Programs"
MENU_NAME="JW Lirabo.lnk" OPTIONS_NAME="JW Lirabo – Optionen.lnk"
ANNA="$APPDATA_DIR/DE Zuzururu/Lirabo/Protokoll_2/Anna.txt"

msiexec_rc() {  # arguments -> exit code of msiexec
  local rc=0
  "$WINE" msiexec "$@" >>"$LOG" 2>&1 </dev/null || rc=$?
  echo "$rc"
}

UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
PRODUCTS_KEY='HKLM\Software\Classes\Installer\Products'
# The product's entries under a registry key (those whose DisplayName or ProductName
# is "JW Lirabo"), one line each: the named values joined by "|".
product_entries() {  # key, value names...
  local key=$1; shift
  "$WINE" reg query "$key" /s >"$T/reg.txt" 2>/dev/null </dev/null
  tr -d '\r' <"$T/reg.txt" | awk -v names="$*" '
    BEGIN { n = split(names, want, " ") }
    function flush(  i, out) {
      if (v["DisplayName"] == "JW Lirabo" || v["ProductName"] == "JW Lirabo") {
        out = v[want[1]]; for (i = 2; i <= n; i++) out = out "|" v[want[i]]; print out }
      split("", v) }
    /^HKEY_/ { flush(); next }
    { line = $0; sub(/^ +/, "", line); i = index(line, "    "); if (!i) next
      name = substr(line, 1, i - 1); value = substr(line, i); sub(/^ +REG_[A-Z_]+ */, "", value)
      v[name] = value }
    END { flush() }'
}
arp_count() { product_entries "$UNINSTALL_KEY" DisplayName | grep -c . || true; }

unix_path() {  # C:\a\b -> the prefix's file
  local p=${1#[Cc]:}; p=${p//\\//}; printf '%s%s' "$C" "$p"
}
# A shortcut names its target as an ANSI or UTF-16 path; Windows paths ignore case.
lnk_points_at() {  # lnk, Windows path
  [ -f "$1" ] && python3 - "$1" "$2" <<'EOF'
import sys
data = open(sys.argv[1], "rb").read().lower()
path = sys.argv[2].lower()
sys.exit(0 if path.encode("cp1252") in data or path.encode("utf-16-le") in data else 1)
EOF
}
same_tree() { diff -r "$1" "$2" >>"$T/diff.log" 2>&1; }
same_file() { cmp -s "$1" "$2"; }
differs() { ! cmp -s "$1" "$2"; }
msiexec_remove_command() { [[ $1 =~ ^[Mm]si[Ee]xec(\.exe)?\ /[Xx]\{[0-9A-F-]{36}\}$ ]]; }
gone() { local f; for f; do [ ! -e "$f" ] || return 1; done; }
one_of() { local f n=0; for f; do [ ! -e "$f" ] || n=$((n + 1)); done; [ "$n" = 1 ]; }
present() { local f; for f; do [ -f "$f" ] || return 1; done; }
icon_exists() { [ -n "$1" ] && [ -f "$(unix_path "${1%,*}")" ]; }

# ---- 1. a fresh installation into Program Files -------------------------------------------
check "install $VERSION: exit 0" [ "$(msiexec_rc /i "$(winpath "$MSI")" /qn)" = 0 ]
check "installed files byte for byte as built" same_tree "$expected" "$DEFAULT_DIR"
# A per-machine package's ProgramMenuFolder is the all-users start menu on Windows;
# Wine 8's msiexec resolves it to the installing user's menu whatever ALLUSERS says.
# Accept either, never both.
check "package installs per machine (ALLUSERS=1)" \
  [ "$(msiinfo export "$MSI" Property | tr -d '\r' | awk -F'\t' '$1 == "ALLUSERS" { print $2 }')" = 1 ]
if [ -e "$COMMON_MENU/$MENU_NAME" ]; then MENU_DIR=$COMMON_MENU; else
  MENU_DIR=$USER_MENU; echo "note: Wine put the shortcuts into the user's start menu"; fi
MENU_LNK=$MENU_DIR/$MENU_NAME OPTIONS_LNK=$MENU_DIR/$OPTIONS_NAME
check "shortcuts in one start menu only" one_of "$USER_MENU/$MENU_NAME" "$COMMON_MENU/$MENU_NAME"
check "menu shortcut points at tafelwahl.exe" \
  lnk_points_at "$MENU_LNK" 'C:\Program Files\JW Lirabo\tafelwahl.exe'
check "options shortcut points at regelpult.exe" \
  lnk_points_at "$OPTIONS_LNK" 'C:\Program Files\JW Lirabo\regelpult.exe'
check "menu shortcut carries the program icon" lnk_points_at "$MENU_LNK" 'lirabo.ico'
check "options shortcut carries the program icon" lnk_points_at "$OPTIONS_LNK" 'lirabo.ico'
# Programs and Features takes an installer package's icon from its registration.
IFS='|' read -r icon <<<"$(product_entries "$PRODUCTS_KEY" ProductIcon)"
check "registered for the machine with the program icon ($icon)" icon_exists "$icon"
IFS='|' read -r publisher arp_version location uninstall \
  <<<"$(product_entries "$UNINSTALL_KEY" Publisher DisplayVersion InstallLocation UninstallString)"
check "one Add/Remove Programs entry" [ "$(arp_count)" = 1 ]
check "entry names the publisher" [ "$publisher" = "JW Lirabo" ]
check "entry names the version" [ "$arp_version" = "$VERSION" ]
check "entry names the folder ($location)" [ "$location" = 'C:\Program Files\JW Lirabo\' ]

unzip -q "$ZIP" -d "$T/zip"
check "zip holds the installed files" same_tree "$T/zip/JW Lirabo" "$DEFAULT_DIR"

# The installed menu greets Anna: it writes her log at start-up (line 10 of the
# delivered options.ini is 1). demo_start gives the exact command line /n="Anna",
# waits for the menu, saves a picture and ends it through its end button.
rc=0
timeout 60 "$WINE" "$BUILD/win32/bin/demo_start.exe" 'C:\Program Files\JW Lirabo' \
  "$(winpath "$T/menu.bmp")" >>"$LOG" 2>&1 </dev/null || rc=$?
check "installed menu starts and ends (demo_start exit $rc)" [ "$rc" = 0 ]
check "installed menu greeted Anna (her log in %APPDATA%)" [ -f "$ANNA" ]

# The entry's own uninstall command, as Programs and Features runs it, made silent.
read -ra command <<<"$uninstall"
check "uninstall command is msiexec /X{product} ($uninstall)" msiexec_remove_command "$uninstall"
check "uninstall through the entry: exit 0" [ "$(msiexec_rc "${command[@]:1}" /qn)" = 0 ]
check "uninstall removed the programs" gone "$DEFAULT_DIR/tafelwahl.exe" "$DEFAULT_DIR/regelpult.exe"
check "uninstall removed the delivery data" gone "$DEFAULT_DIR/wortlst.j_" "$DEFAULT_DIR/Protokoll_2/Namen.ini"
check "uninstall removed the shortcuts" gone "$MENU_LNK" "$OPTIONS_LNK"
check "uninstall removed the entry" [ "$(arp_count)" = 0 ]
check "uninstall left the master" same_file "$expected/options.ini" "$DEFAULT_DIR/options.ini"
check "uninstall left the word list" same_file "$expected/wortlst.jw1" "$DEFAULT_DIR/wortlst.jw1"
check "uninstall left the pupil's data" [ -f "$ANNA" ]

# ---- 2. an older version on a share, changed by teachers, upgraded, removed -----------------
rm -rf "$DEFAULT_DIR"
check "install $OLD_VERSION with INSTALLDIR: exit 0" \
  [ "$(msiexec_rc /i "$(winpath "$OLD_MSI")" /qn "INSTALLDIR=$SHARE_WIN")" = 0 ]
check "older programs in the folder given" same_file "$T/old-bin/tafelwahl.exe" "$SHARE_DIR/tafelwahl.exe"
check "nothing in Program Files" gone "$DEFAULT_DIR"
check "shortcut points into the folder given" lnk_points_at "$MENU_LNK" "$SHARE_WIN\\tafelwahl.exe"

# Teachers change the master and the word list; the exercise programs and help are
# copied in beside the package's files.
printf ' 1 \r\n' >"$T/options.ini"; tail -n +2 "$SHARE_DIR/options.ini" >>"$T/options.ini"
cp "$T/options.ini" "$SHARE_DIR/options.ini"
head -c 80 "$expected/wortlst.jw1" >"$SHARE_DIR/wortlst.jw1"
cp "$SHARE_DIR/wortlst.jw1" "$T/wortlst.jw1"
cp "$BUILD/win32/bin/placeholder.exe" "$SHARE_DIR/Kamu1.exe"
printf 'help' >"$SHARE_DIR/LiraboHilfe.chm"
check "the teachers' changes differ from the delivery" differs "$T/options.ini" "$expected/options.ini"

check "upgrade to $VERSION: exit 0" [ "$(msiexec_rc /i "$(winpath "$MSI")" /qn)" = 0 ]
check "upgrade stays in the installed folder" gone "$DEFAULT_DIR"
check "upgrade installed the new menu" same_file "$expected/tafelwahl.exe" "$SHARE_DIR/tafelwahl.exe"
check "upgrade installed the new options program" same_file "$expected/regelpult.exe" "$SHARE_DIR/regelpult.exe"
check "upgrade kept the changed master" same_file "$T/options.ini" "$SHARE_DIR/options.ini"
check "upgrade kept the changed word list" same_file "$T/wortlst.jw1" "$SHARE_DIR/wortlst.jw1"
check "upgrade delivered the name register" same_file "$expected/Protokoll_2/Namen.ini" "$SHARE_DIR/Protokoll_2/Namen.ini"
check "upgrade left the exercise programs and help" present "$SHARE_DIR/Kamu1.exe" "$SHARE_DIR/LiraboHilfe.chm"
IFS='|' read -r arp_version location \
  <<<"$(product_entries "$UNINSTALL_KEY" DisplayVersion InstallLocation)"
check "upgrade left one entry" [ "$(arp_count)" = 1 ]
check "upgrade's entry names the new version" [ "$arp_version" = "$VERSION" ]
check "upgrade's entry names the folder ($location)" [ "$location" = "$SHARE_WIN\\" ]
check "upgraded menu shortcut points into the folder" lnk_points_at "$MENU_LNK" "$SHARE_WIN\\tafelwahl.exe"
check "upgraded options shortcut points into the folder" lnk_points_at "$OPTIONS_LNK" "$SHARE_WIN\\regelpult.exe"

# msiexec's 1603 (ERROR_INSTALL_FAILURE) reaches Linux as its low byte.
check "the older package is refused over the newer one" \
  [ "$(msiexec_rc /i "$(winpath "$OLD_MSI")" /qn)" = $((1603 % 256)) ]
check "the refused package left the new programs" same_file "$expected/tafelwahl.exe" "$SHARE_DIR/tafelwahl.exe"

check "remove with msiexec /x: exit 0" [ "$(msiexec_rc /x "$(winpath "$MSI")" /qn)" = 0 ]
check "removal took the programs" gone "$SHARE_DIR/tafelwahl.exe" "$SHARE_DIR/regelpult.exe"
check "removal took the shortcuts" gone "$MENU_LNK" "$OPTIONS_LNK"
check "removal took the entry" [ "$(arp_count)" = 0 ]
check "removal kept the changed master" same_file "$T/options.ini" "$SHARE_DIR/options.ini"
check "removal kept the changed word list" same_file "$T/wortlst.jw1" "$SHARE_DIR/wortlst.jw1"
check "removal left the exercise programs and help" present "$SHARE_DIR/Kamu1.exe" "$SHARE_DIR/LiraboHilfe.chm"
check "removal left the pupil's data" [ -f "$ANNA" ]

[ "$failed" -eq 0 ] || { echo "Wine output: $LOG; differences: $T/diff.log" >&2; }
finish
