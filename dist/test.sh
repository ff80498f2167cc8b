#!/usr/bin/env bash
# Installs, upgrades and removes the school's package silently, as an admin would, in a
# fresh 64-bit Wine prefix (as every current school PC runs the 32-bit programs), and a
# 32-bit one where the kernel runs 32-bit Wine. Usage: dist/test.sh <build folder>, after
# dist/build.sh wrote <build>/dist. Ends with "N passed, M failed"; non-zero on failure.
# shellcheck disable=SC2317  # the helpers below run through check()
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(dirname "$HERE")
BUILD=$(cd "${1:?usage: $0 <build folder>}" && pwd)
# The menu needs a display; one display serves the whole run.
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"

T=$BUILD/dist-test LOG=$BUILD/dist-test/wine.log passed=0 failed=0
rm -rf "$T"; mkdir -p "$T"
check() {  # description, command [&& command]...
  local what=$1 a ok=1 part=(); shift
  for a in "$@" '&&'; do
    if [ "$a" != '&&' ]; then part+=("$a"); continue; fi
    "${part[@]}" || { ok=0; break; }; part=()
  done
  if [ $ok = 1 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what" >&2; fi
}
finish() { [ "$failed" = 0 ] || echo "Wine: $LOG; differences: $T/diff.log" >&2; echo "$passed passed, $failed failed"; exit $((failed > 0)); }
same_tree() { diff -r "$1" "$2" >>"$T/diff.log" 2>&1; }
field() { tr -d '\r' | awk -F'\t' -v k="$1" -v c="$2" 'NR > 3 && $1 == k { print $c }'; }  # key, column

# ---- the package's tables --------------------------------------------------------------
shopt -s nullglob; msis=("$BUILD"/dist/JW-Lirabo-*.msi); zips=("$BUILD"/dist/JW-Lirabo-*.zip); shopt -u nullglob
[ ${#msis[@]} = 1 ] && [ ${#zips[@]} = 1 ] || { echo "FAIL: not one package and one zip in $BUILD/dist" >&2; failed=1; finish; }
MSI=${msis[0]} ZIP=${zips[0]}
VERSION=$(msiinfo export "$MSI" Property | field ProductVersion 2)
read -r major minor build < <(awk '$1 == "#define" { v[$2] = $3 } END { print v["LIRABO_VERSION_MAJOR"],
  v["LIRABO_VERSION_MINOR"], v["LIRABO_VERSION_REVISION"] }' "$ROOT/common/version.h")
check "package version $VERSION and name are common/version.h's" \
  [ "$VERSION|$(basename "$MSI")" = "$major.$minor.$build|JW-Lirabo-$major.$minor.$build.msi" ]
check "SHA256SUMS matches both files" bash -c "cd '$BUILD/dist' && sha256sum --quiet -c SHA256SUMS"
for c in Master:144 WordList:144 Menu:0 OptionsProgram:0 DeliveryWordList:0 Names:0; do
  a=$(msiinfo export "$MSI" Component | field "${c%:*}" 4)
  check "${c%:*}: never-overwrite and permanent bits ${c#*:}" [ -n "$a" ] '&&' [ $((${a:-0} & 144)) = "${c#*:}" ]
done
# Windows reads the strings in the database's codepage; 0 would mean the PC's own.
check "database codepage 1252" [ "$(msiinfo export "$MSI" _ForceCodepage | tr -d '\r\0' | awk 'NF { print $1 }')" = 1252 ]
for f in tafelwahl.exe regelpult.exe; do  # the version resource's a.b.0.c
  check "$f versioned $major.$minor.0.$build" [ "$(msiinfo export "$MSI" File | field $f 5)" = "$major.$minor.0.$build" ]
done

# What a fresh installation holds, made from the sources rather than from the package.
E=$T/expected; mkdir -p "$E/Protokoll_2"
cp "$BUILD/win32/bin/tafelwahl.exe" "$BUILD/win32/bin/regelpult.exe" "$ROOT/demo/options.ini" "$E/"
cp "$ROOT/demo/Namen.ini" "$E/Protokoll_2/"
python3 "$ROOT/demo/make_word_list.py" "$E/wortlst.j_"; cp "$E/wortlst.j_" "$E/wortlst.jw1"
unzip -q "$ZIP" -d "$T/zip"
check "zip holds the files of an installation" same_tree "$E" "$T/zip/JW Lirabo"

# An older package (programs that differ in their bytes) and a second build of this one.
if [ "$build" -gt 0 ]; then OLD=$major.$minor.$((build - 1))
elif [ "$minor" -gt 0 ]; then OLD=$major.$((minor - 1)).0; else OLD=$((major - 1)).0.0; fi
mkdir -p "$T/old-bin"
for f in tafelwahl.exe regelpult.exe; do { cat "$E/$f"; printf 'older build'; } >"$T/old-bin/$f"; done
"$HERE/build.sh" "$T/old-bin" "$BUILD/win32/art/lirabo.ico" "$T/old" "$OLD" >/dev/null \
  && "$HERE/build.sh" "$BUILD/win32/bin" "$BUILD/win32/art/lirabo.ico" "$T/again" >/dev/null \
  || { echo "FAIL: building the older package or the second build" >&2; failed=$((failed + 1)); finish; }
OLD_MSI=$T/old/JW-Lirabo-$OLD.msi AGAIN_MSI=$T/again/JW-Lirabo-$VERSION.msi

# ---- helpers for a prefix ----------------------------------------------------------------
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
msiexec_rc() { local rc=0; "$WINE" msiexec "$@" >>"$LOG" 2>&1 </dev/null || rc=$?; echo "$rc"; }
# The product's entries under a key (DisplayName or ProductName "JW Lirabo"), one line
# each: the named values joined by "|". reg writes in the OEM codepage when redirected.
product_entries() {  # key, reg options, value names...
  local key=$1 opts=$2; shift 2
  # shellcheck disable=SC2086
  "$WINE" reg query "$key" /s $opts 2>/dev/null </dev/null | iconv -f CP437 -t UTF-8 | tr -d '\r' | awk -v names="$*" '
    BEGIN { n = split(names, want, " ") }
    function flush(  i, out) {
      if (v["DisplayName"] == "JW Lirabo" || v["ProductName"] == "JW Lirabo") {
        out = v[want[1]]; for (i = 2; i <= n; i++) out = out "|" v[want[i]]; print out }
      split("", v) }
    /^HKEY_/ { flush(); next }
    { line = $0; sub(/^ +/, "", line); i = index(line, "    "); if (!i) next
      name = substr(line, 1, i - 1); value = substr(line, i); sub(/^ +REG_[A-Z_]+ */, "", value); v[name] = value }
    END { flush() }'
}
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
entries() { product_entries "$UNINSTALL" /reg:32 "$@"; }   # a 32-bit package's view
arp_count() { entries DisplayName | grep -c . || true; }
installed_folder() { "$WINE" reg query 'HKLM\Software\JW Lirabo' /v InstallDir /reg:32 2>/dev/null </dev/null \
  | tr -d '\r' | sed -n 's/^ *InstallDir *REG_SZ *//p'; }
# A shortcut holds its target and description as ANSI or UTF-16; paths ignore case.
lnk_holds() {  # lnk, text
  [ -f "$1" ] && python3 -c 'import sys; d = open(sys.argv[1], "rb").read().lower(); t = sys.argv[2].lower()
sys.exit(not (t.encode("cp1252") in d or t.encode("utf-16-le") in d))' "$1" "$2"
}
same() { cmp -s "$1" "$2"; }
gone() { local f; for f; do [ ! -e "$f" ] || return 1; done; }
icon_exists() { local p=${1#[Cc]:}; p=${p%,*}; [ -n "$1" ] && [ -f "$C${p//\\//}" ]; }

prefix_tests() {  # win64 | win32
  local arch=$1 pf=$2 run_bin=$3
  export WINEARCH=$arch WINEPREFIX=$BUILD/wineprefix-dist-$arch WINEDEBUG=-all
  # winemenubuilder would copy the shortcuts into the Linux desktop's menu.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINESERVER=/usr/lib/wine/wineserver
  WINE=/usr/lib/wine/wine; [ "$arch" = win32 ] || WINE=/usr/lib/wine/wine64
  export WINELOADER=$WINE
  echo "== package tests in a $arch prefix"
  rm -rf "$WINEPREFIX"; mkdir -p "$WINEPREFIX"; "$WINESERVER" -p
  "$WINE" wineboot -i >>"$LOG" 2>&1 </dev/null
  if [ ! -f "$WINEPREFIX/drive_c/windows/system32/msiexec.exe" ]; then
    echo "FAIL: wineboot made no $arch prefix" >&2; failed=$((failed + 1)); "$WINESERVER" -k; return; fi
  local r; for r in 'WineDbg /v ShowCrashDialog /t REG_DWORD /d 0' 'Explorer /v Desktop /t REG_SZ /d Default' \
    'Explorer\Desktops /v Default /t REG_SZ /d 1024x768'; do
    # shellcheck disable=SC2086
    "$WINE" reg add "HKCU\\Software\\Wine\\${r%% /*}" ${r#* } /f >>"$LOG" 2>&1 </dev/null; done
  C=$WINEPREFIX/drive_c; cp /usr/share/wine/fonts/*.ttf "$C/windows/Fonts/" 2>/dev/null  # title-bar glyphs
  local dir="$C/$pf/JW Lirabo" win="C:\\$pf\\JW Lirabo" share_win='C:\Schule\JW Lirabo' share="$C/Schule/JW Lirabo"
  local users=("$C"/users/*/AppData/Roaming); local appdata=${users[0]}
  local common="$C/ProgramData/Microsoft/Windows/Start Menu/Programs" menu_dir
  local anna="$appdata/DE Zuzururu/Lirabo/Protokoll_2/Anna.txt"

  # ---- a fresh installation, the same version again, removal through the entry
  check "$arch: install $VERSION: exit 0" [ "$(msiexec_rc /i "$(winpath "$MSI")" /qn)" = 0 ]
  check "$arch: files byte for byte in $pf" same_tree "$E" "$dir"
  check "$arch: folder in the registry's 32-bit view" [ "$(installed_folder)" = "$win\\" ]
  # Wine 8's msiexec puts per-machine shortcuts into the user's menu: accept either, never both.
  menu_dir=$common; [ -e "$common/JW Lirabo.lnk" ] || menu_dir="$appdata/Microsoft/Windows/Start Menu/Programs"
  local menu_lnk="$menu_dir/JW Lirabo.lnk" options_lnk="$menu_dir/JW Lirabo – Optionen.lnk"
  check "$arch: shortcuts in one start menu only" [ "$(find "$C" -name 'JW Lirabo*.lnk' | wc -l)" = 2 ]
  check "$arch: menu shortcut: program and icon" lnk_holds "$menu_lnk" "$win\\tafelwahl.exe" '&&' lnk_holds "$menu_lnk" lirabo.ico
  check "$arch: options shortcut: name, program, description with umlauts" lnk_holds "$options_lnk" "$win\\regelpult.exe" \
    '&&' lnk_holds "$options_lnk" "Optionen für alle Schüler"
  local icon publisher version location comments uninstall
  IFS='|' read -r icon <<<"$(product_entries 'HKLM\Software\Classes\Installer\Products' '' ProductIcon)"
  check "$arch: registered with the program icon ($icon)" icon_exists "$icon"
  IFS='|' read -r publisher version location comments uninstall \
    <<<"$(entries Publisher DisplayVersion InstallLocation Comments UninstallString)"
  check "$arch: one entry in Programs and Features" [ "$(arp_count)" = 1 ]
  check "$arch: entry: publisher, version, folder, comment" [ "$publisher|$version|$location|$comments" \
    = "JW Lirabo|$VERSION|$win\\|Schnellstarter für Schüler, Optionen für Lehrer" ]
  # The installed menu greets Anna: it writes her log at start-up (line 10 of the
  # delivered options.ini is 1). Where the kernel runs no 32-bit code, the 64-bit
  # build of the same menu stands in for the installed one for this one start.
  [ "$run_bin" = "$BUILD/win32/bin" ] || cp "$run_bin/tafelwahl.exe" "$dir/tafelwahl.exe"
  local rc=0
  timeout 60 "$WINE" "$run_bin/demo_start.exe" "$win" "$(winpath "$T/menu-$arch.bmp")" >>"$LOG" 2>&1 </dev/null || rc=$?
  cp "$E/tafelwahl.exe" "$dir/tafelwahl.exe"
  check "$arch: installed menu started, greeted Anna (her log) and ended ($rc)" [ "$rc" = 0 ] '&&' [ -f "$anna" ]

  check "$arch: another build of $VERSION: exit 0" [ "$(msiexec_rc /i "$(winpath "$AGAIN_MSI")" /qn)" = 0 ]
  local again; IFS='|' read -r again <<<"$(entries UninstallString)"
  check "$arch: it replaced the first: one entry, another product" [ "$(arp_count)" = 1 ] '&&' [ "$again" != "$uninstall" ]
  check "$arch: files byte for byte after it" same_tree "$E" "$dir"

  # The entry's own uninstall command, as Programs and Features runs it, made silent
  # (an /I there would repair and leave the files, which the next check sees).
  read -ra command <<<"$again"
  check "$arch: uninstall through the entry: exit 0" [ "$(msiexec_rc "${command[@]:1}" /qn)" = 0 ]
  check "$arch: uninstall took programs, delivery data, shortcuts, entry" gone "$dir/tafelwahl.exe" "$dir/regelpult.exe" \
    "$dir/wortlst.j_" "$dir/Protokoll_2/Namen.ini" "$menu_lnk" "$options_lnk" '&&' [ "$(arp_count)" = 0 ]
  check "$arch: uninstall left master, word list, pupil's data" same "$E/options.ini" "$dir/options.ini" \
    '&&' same "$E/wortlst.jw1" "$dir/wortlst.jw1" '&&' [ -f "$anna" ]

  # ---- an older version on a share, changed by teachers, upgraded, downgrade refused, removed
  rm -rf "$dir"
  check "$arch: install $OLD with INSTALLDIR: exit 0" [ "$(msiexec_rc /i "$(winpath "$OLD_MSI")" /qn "INSTALLDIR=$share_win")" = 0 ]
  check "$arch: older programs in the folder given, none in $pf" same "$T/old-bin/tafelwahl.exe" "$share/tafelwahl.exe" '&&' gone "$dir"
  printf ' 1 \r\n' >"$T/options.ini"; tail -n +2 "$share/options.ini" >>"$T/options.ini"
  head -c 80 "$E/wortlst.jw1" >"$T/wortlst.jw1"
  cp "$T/options.ini" "$T/wortlst.jw1" "$share/"
  cp "$E/tafelwahl.exe" "$share/Kamu1.exe"; printf 'help' >"$share/LiraboHilfe.chm"

  check "$arch: upgrade to $VERSION: exit 0" [ "$(msiexec_rc /i "$(winpath "$MSI")" /qn)" = 0 ]
  check "$arch: upgrade: new programs and register, in the installed folder" same "$E/tafelwahl.exe" "$share/tafelwahl.exe" \
    '&&' same "$E/regelpult.exe" "$share/regelpult.exe" '&&' same "$E/Protokoll_2/Namen.ini" "$share/Protokoll_2/Namen.ini" '&&' gone "$dir"
  check "$arch: upgrade kept the teachers' master and word list" same "$T/options.ini" "$share/options.ini" \
    '&&' same "$T/wortlst.jw1" "$share/wortlst.jw1"
  IFS='|' read -r version location <<<"$(entries DisplayVersion InstallLocation)"
  check "$arch: upgrade: one entry, new version, the share" [ "$(arp_count)|$version|$location" = "1|$VERSION|$share_win\\" ]
  check "$arch: upgraded shortcuts point into the share" lnk_holds "$menu_lnk" "$share_win\\tafelwahl.exe" \
    '&&' lnk_holds "$options_lnk" "$share_win\\regelpult.exe"
  # msiexec's 1603 (ERROR_INSTALL_FAILURE) reaches Linux as its low byte.
  check "$arch: the older package refused (1603), new programs kept" [ "$(msiexec_rc /i "$(winpath "$OLD_MSI")" /qn)" = $((1603 % 256)) ] \
    '&&' same "$E/tafelwahl.exe" "$share/tafelwahl.exe"
  check "$arch: remove with msiexec /x: exit 0" [ "$(msiexec_rc /x "$(winpath "$MSI")" /qn)" = 0 ]
  check "$arch: removal took programs, shortcuts, entry" gone "$share/tafelwahl.exe" "$share/regelpult.exe" "$menu_lnk" \
    "$options_lnk" '&&' [ "$(arp_count)" = 0 ]
  check "$arch: removal kept master, word list, exercise programs, help" same "$T/options.ini" "$share/options.ini" \
    '&&' same "$T/wortlst.jw1" "$share/wortlst.jw1" '&&' [ -f "$share/Kamu1.exe" ] '&&' [ -f "$share/LiraboHilfe.chm" ]
  "$WINESERVER" -k 2>/dev/null || true
}

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  prefix_tests win64 'Program Files (x86)' "$BUILD/win32/bin"
  prefix_tests win32 'Program Files' "$BUILD/win32/bin"
else
  echo "note: this kernel runs no 32-bit code: no 32-bit prefix; the 64-bit menu stands in at its start"
  prefix_tests win64 'Program Files (x86)' "$BUILD/win64/bin"
fi
finish
