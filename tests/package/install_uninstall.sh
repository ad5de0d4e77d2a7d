#!/bin/bash
# The Windows packages, nothing faked: tools/package.sh builds the installer
# and the portable zip; the zip must hold exactly the dist files under
# Mivoka/ and the version resources must read back with their fields. Then,
# in a fresh Wine prefix of its own, the installer runs silently (/S); the
# files, the Start-menu shortcut and the uninstall entry must be there; the
# installed Mivoka.exe must come up (answering its First Message) and, while
# it runs, the installer must refuse; a setting written then must survive an
# install over it and a silent uninstall, which must take the program files,
# the shortcut and the entry. Last, "/S /REMOVESETTINGS" (what the
# uninstaller's tick box does) must remove the settings as the program's own
# reset command does, the maker's shared "tools" counter included. At the
# end, the installed program in folders named outside code page 932
# (unicode_folders.sh).
# usage: install_uninstall.sh DIST_FOLDER WINDOW_PROBE_EXE WORK_FOLDER
set -uo pipefail
. "$(dirname "$0")/../wine_script.sh" "DIST GUI_PROBE WORK" "$@"
T0=$SECONDS

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mivoka'
MAKER_KEY='HKCU\Software\Velmora Tools'
SETTINGS_KEY='HKCU\Software\Velmora Tools\Mivoka'
USER_FILES=(resume.txt Mivoka.ini use.ini)

cleanup() {
  gui_stop >/dev/null 2>&1
  wine_server_stop
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

step() { echo "== $* ($((SECONDS - T0)) s)"; }

# --- The packages ---------------------------------------------------------------

{ rm -rf "$WORK" && mkdir -p "$WORK"; } || fail "no work folder $WORK"
WORK=$(cd "$WORK" && pwd)

step "tools/package.sh"
VERSION=$("$MIVOKA_ROOT/tools/package.sh" --version) || fail "no version"
"$MIVOKA_ROOT/tools/package.sh" >"$WORK/package.log" 2>&1 || { cat "$WORK/package.log"; fail "tools/package.sh"; }
SETUP=$MIVOKA_ROOT/build/package/Mivoka-$VERSION-setup.exe
ZIP=$MIVOKA_ROOT/build/package/Mivoka-$VERSION-portable.zip
{ [ -f "$SETUP" ] && [ -f "$ZIP" ]; } || fail "no $SETUP and $ZIP"

# The dist files, relative to the dist folder, sorted.
dist_files() { (cd "$DIST" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

step "the portable zip holds exactly the dist files under Mivoka/"
for notice in winpthreads zlib; do
  cmp -s "$DIST/licenses/$notice.txt" "$MIVOKA_ROOT/notices/$notice.txt" || fail "dist/licenses/$notice.txt is not notices/$notice.txt"
done
/usr/bin/python3 - "$ZIP" "$DIST" <<'EOF' || fail "the zip's content"
import os, sys, zipfile
archive, dist = zipfile.ZipFile(sys.argv[1]), sys.argv[2]
want = {os.path.relpath(os.path.join(d, f), dist) for d, _, fs in os.walk(dist) for f in fs}
files = [i for i in archive.infolist() if not i.is_dir()]
names = {i.filename for i in files}
expected = {"Mivoka/" + w for w in want}
if names != expected:
    sys.exit("zip: extra %s, missing %s" % (sorted(names - expected), sorted(expected - names)))
for i in files:
    if archive.read(i) != open(os.path.join(dist, i.filename[len("Mivoka/"):]), "rb").read():
        sys.exit("zip: %s differs from the dist file" % i.filename)
print("zip: %d files, all equal to dist" % len(files))
EOF

step "version resources"
# check_version FILE TYPE DESCRIPTION_JA DESCRIPTION_EN
check_version() {
  local file=$1 got want block
  got=$(/usr/bin/python3 "$MIVOKA_ROOT/tests/package/versioninfo.py" "$DIST/$file") || fail "no version resource in $file"
  want="fixed file $VERSION.0.0 product $VERSION.0.0 type $2"
  for block in "041104B0 $3" "040904B0 $4"; do
    want+=$'\n'"${block%% *} CompanyName=Velmora Tools"
    want+=$'\n'"${block%% *} FileDescription=${block#* }"
    want+=$'\n'"${block%% *} FileVersion=$VERSION"
    want+=$'\n'"${block%% *} LegalCopyright=Copyright (C) 2026 Velmora Tools"
    want+=$'\n'"${block%% *} OriginalFilename=$file"
    want+=$'\n'"${block%% *} ProductName=Mivoka"
    want+=$'\n'"${block%% *} ProductVersion=$VERSION"
  done
  want+=$'\n'"translation 0411/1200 0409/1200"
  [ "$got" = "$want" ] || fail "$file's version resource reads"$'\n'"$got"$'\n'"instead of"$'\n'"$want"
}
check_version Mivoka.exe app "携帯電話向け QR コード作成ツール" "QR Code maker for Japanese mobile phones"
check_version mivoka-cli.exe app "Mivoka コマンドライン版" "Mivoka command-line tool"
check_version QR2DLL.dll dll "Mivoka の外部 QR コード エンコーダー" "Mivoka external QR Code encoder"

# --- A fresh prefix -------------------------------------------------------------

step "a fresh Wine prefix"
wine_env
export WINEPREFIX=$MIVOKA_ROOT/build/wineprefix-install
# No menu entries on the machine running the test for the shortcuts made.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
gui_check_tools || exit 1
# A server left by an earlier run of this test, on this test's own prefix.
wineserver -k >/dev/null 2>&1
rm -rf "$WINEPREFIX"
{ wine_server_start && wine_prefix_up; } || fail "the prefix $WINEPREFIX"

unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_value() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
INSTDIR_WIN="$(windows_value LOCALAPPDATA)\\Programs\\Mivoka"
INSTDIR=$(unix_path "$INSTDIR_WIN")
SHORTCUT="$(unix_path "$(windows_value APPDATA)")/Microsoft/Windows/Start Menu/Programs/Mivoka.lnk"
{ [ -n "$INSTDIR" ] && [ "$INSTDIR" != / ]; } || fail "no install folder from %LOCALAPPDATA%"

# reg_value KEY NAME: the value's data as reg query prints it (REG_DWORD as
# 0x..); false when the value or the key is missing.
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^    $2    REG_[A-Z_]*    //p" | grep .
}
expect_value() {
  local got
  got=$(reg_value "$1" "$2") || fail "$1 has no $2"
  [ "$got" = "$3" ] || fail "$1 $2 is \"$got\", not \"$3\""
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }

# install [ARG...]: the installer, silently; its exit code.
install() { wine "$SETUP" /S "$@" </dev/null >>"$WORK/wine.log" 2>&1; }

check_installed() {
  local file
  while read -r file; do
    cmp -s "$DIST/$file" "$INSTDIR/$file" || fail "$file not installed as in dist"
  done < <(dist_files)
  [ -f "$INSTDIR/Uninstall.exe" ] || fail "no Uninstall.exe"
  [ -f "$SHORTCUT" ] || fail "no Start-menu shortcut $SHORTCUT"
  # The link names the installed program (as UTF-16 or as 8-bit text).
  /usr/bin/python3 -c '
import sys
data, target = open(sys.argv[1], "rb").read(), sys.argv[2]
sys.exit(0 if target.encode("utf-16-le") in data or target.encode() in data else 1)' \
    "$SHORTCUT" "$INSTDIR_WIN\\Mivoka.exe" || fail "the shortcut does not point at $INSTDIR_WIN\\Mivoka.exe"
  expect_value "$UNINSTALL_KEY" DisplayName "Mivoka"
  expect_value "$UNINSTALL_KEY" DisplayVersion "$VERSION"
  expect_value "$UNINSTALL_KEY" Publisher "Velmora Tools"
  expect_value "$UNINSTALL_KEY" DisplayIcon "$INSTDIR_WIN\\Mivoka.exe,0"
  expect_value "$UNINSTALL_KEY" UninstallString "\"$INSTDIR_WIN\\Uninstall.exe\""
  expect_value "$UNINSTALL_KEY" QuietUninstallString "\"$INSTDIR_WIN\\Uninstall.exe\" /S"
  expect_value "$UNINSTALL_KEY" InstallLocation "$INSTDIR_WIN"
  expect_value "$UNINSTALL_KEY" NoModify 0x1
  expect_value "$UNINSTALL_KEY" NoRepair 0x1
  # EstimatedSize in KiB, within 10% of what the folder holds.
  local size kib
  size=$(reg_value "$UNINSTALL_KEY" EstimatedSize) || fail "no EstimatedSize"
  kib=$(du -sk "$INSTDIR" | cut -f1)
  { [ $((size * 10)) -ge $((kib * 9)) ] && [ $((size * 10)) -le $((kib * 11)) ]; } ||
    fail "EstimatedSize $((size)) KiB for a folder of $kib KiB"
}

# uninstaller_running: the uninstaller's copy in %TEMP% still runs in our prefix.
uninstaller_running() {
  local pid
  for pid in $(pgrep -f 'nsu[^ ]*\.tmp.Un\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
program_removed() {
  local file
  while read -r file; do
    [ -e "$INSTDIR/$file" ] && return 1
  done < <(dist_files)
  [ ! -e "$INSTDIR/Uninstall.exe" ] && [ ! -e "$INSTDIR/help" ] && [ ! -e "$INSTDIR/licenses" ] &&
    [ ! -e "$SHORTCUT" ] && ! key_exists "$UNINSTALL_KEY" && ! uninstaller_running
}

# uninstall [ARG...]: the uninstaller returns at once and goes on from a copy
# of itself; wait for its work and its end.
uninstall() {
  wine "$INSTDIR/Uninstall.exe" /S "$@" </dev/null >>"$WORK/wine.log" 2>&1 || fail "Uninstall.exe $* exited $?"
  gui_poll 60 program_removed || fail "the program was not removed 60 s after Uninstall.exe $*"
}

# user_files_digest: the settings files beside the program, with their sums.
user_files_digest() { (cd "$INSTDIR" && sha1sum "${USER_FILES[@]}"); }

# --- Install, run, upgrade, uninstall ---------------------------------------------

step "setup /S into a fresh prefix"
install || fail "setup /S exited $?"
{ [ "$INSTDIR" = "$(unix_path "$INSTDIR_WIN")" ] && [ -d "$INSTDIR" ]; } || fail "nothing in $INSTDIR"
check_installed

step "the installed Mivoka.exe"
GUI_FOLDER=$INSTDIR
GUI_LOG=$WORK/mivoka.log
first_or_main() { gui_window_shown 'First Message' || gui_window_shown Mivoka; }
gui_launch || fail "starting $INSTDIR/Mivoka.exe"
gui_poll 60 first_or_main || fail "neither the First Message nor the window came up"
# A fresh prefix holds no settings: a first start.
gui_wait_window 'First Message' 10 || fail "no First Message at the first start"
xdotool search --name '^First Message$' windowfocus --sync >/dev/null 2>&1
xdotool key Return
gui_wait_main 60 || fail "the window of the installed program did not come up"

step "setup /S while Mivoka runs"
install
rc=$?
[ "$rc" -eq 3 ] || fail "setup /S exited $rc while Mivoka ran, not 3"
gui_running || fail "Mivoka ended while setup ran"
gui_stop || fail "Mivoka did not end with Alt+F4"
expect_value "$SETTINGS_KEY" _count 0x1
expect_value "$SETTINGS_KEY" _version 0x207001
expect_value "$MAKER_KEY" tools 0x1
[ -f "$INSTDIR/resume.txt" ] || fail "no resume.txt beside the installed program"

step "a setting written, then setup /S over it"
wine reg add "$SETTINGS_KEY" /v carrier /t REG_DWORD /d 3 /f >/dev/null 2>&1 || fail "writing carrier"
printf '[Base]\r\ncarrier=3\r\n' >"$INSTDIR/Mivoka.ini"
: >"$INSTDIR/use.ini"
digest=$(user_files_digest) || fail "the settings files"
install || fail "setup /S over the installed version exited $?"
check_installed
expect_value "$SETTINGS_KEY" carrier 0x3
expect_value "$SETTINGS_KEY" _count 0x1
[ "$(user_files_digest)" = "$digest" ] || fail "the install changed ${USER_FILES[*]}"

step "silent uninstall keeps the settings"
uninstall
expect_value "$SETTINGS_KEY" carrier 0x3
expect_value "$MAKER_KEY" tools 0x1
[ "$(user_files_digest)" = "$digest" ] || fail "the uninstall changed ${USER_FILES[*]}"
left=$(cd "$INSTDIR" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
[ "$left" = "Mivoka.ini resume.txt use.ini " ] || fail "the folder holds \"$left\" after the uninstall"

step "uninstall removing the settings, another program of the maker installed"
install || fail "setup /S again exited $?"
wine reg add "$MAKER_KEY" /v tools /t REG_DWORD /d 3 /f >/dev/null 2>&1 || fail "writing tools"
uninstall /REMOVESETTINGS
[ ! -e "$INSTDIR" ] || fail "$INSTDIR still there after removing the settings"
! key_exists "$SETTINGS_KEY" || fail "$SETTINGS_KEY still there"
expect_value "$MAKER_KEY" tools 0x2

step "uninstall removing the settings of the maker's last program"
install || fail "setup /S again exited $?"
wine reg add "$SETTINGS_KEY" /v _count /t REG_DWORD /d 4 /f >/dev/null 2>&1 || fail "writing _count"
wine reg add "$MAKER_KEY" /v tools /t REG_DWORD /d 1 /f >/dev/null 2>&1 || fail "writing tools"
uninstall /REMOVESETTINGS
! key_exists "$MAKER_KEY" || fail "$MAKER_KEY still there when its counter was 1"

. "$MIVOKA_ROOT/tests/package/unicode_folders.sh"
check_unicode_folders

echo "PASS in $((SECONDS - T0)) s"
