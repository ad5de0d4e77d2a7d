#!/bin/bash
# A read-only program folder: Mivoka.ini and resume.txt cannot be written
# there. Root ignores permission bits, so the folder is bind-mounted
# read-only in a mount namespace of its own (unshare -m), where the program
# runs. It must start, make a symbol zbar reads, and end on Alt+F4 without a
# message box, leaving the folder as it was.
# usage: read_only_folder.sh DIST WINDOW_PROBE_EXE WORK_FOLDER
set -uo pipefail
if [ -z "${MIVOKA_READ_ONLY_INNER:-}" ]; then
  exec unshare -m env MIVOKA_READ_ONLY_INNER=1 bash "$0" "$@"
fi
. "$(dirname "$0")/../wine_script.sh" "DIST GUI_PROBE WORK" "$@"
# Wine's server does the program's file writes. The run's shared server was
# started outside this mount namespace and would see the folder writable, so
# this test starts its own server, inside, for a prefix of its own.
wine_env
export WINEPREFIX=$MIVOKA_ROOT/build/wineprefix-readonly
MIVOKA_WINESERVER_STARTED=
trap wine_server_stop EXIT
{ wine_server_start && wine_prefix_up; } || { echo "FAIL: cannot prepare the prefix $WINEPREFIX" >&2; exit 1; }
TYPED='read-only folder 123'

fail() {
  echo "FAIL: $*" >&2
  gui_stop
  exit 1
}

gui_check_tools || exit 1
gui_prepare "$WORK/program" "$DIST" _version=2125825 _count=1 autoencode=0 mode=0 carrier=2 resume=1 ||
  fail "cannot prepare $WORK/program"
mount --make-rprivate / 2>/dev/null
{ mount --bind "$WORK/program" "$WORK/program" && mount -o remount,bind,ro "$WORK/program"; } ||
  fail "cannot bind-mount $WORK/program read-only (needs root)"
touch "$WORK/program/probe" 2>/dev/null && fail "the folder is still writable"
before=$(cd "$WORK/program" && ls -l --time-style=full-iso && sha1sum Mivoka.ini)

# gui_launch would put its log into the program's folder.
wine "$GUI_FOLDER/Mivoka.exe" </dev/null >"$WORK/wine.log" 2>&1 &
GUI_PID=$!
gui_wait_main 60 || fail "the window did not open in a read-only folder (log: $WORK/wine.log)"
gui_type_into "$(gui_id IDC_TEXT)" "$TYPED" || fail "typing into the text field"
gui_click "$(gui_id IDC_CREATE)" || fail "clicking 作成"
gui_poll 30 gui_symbol_in_preview "$WORK/after.png" || fail "no symbol in the preview"
[ "$GUI_DECODED" = "$TYPED" ] || fail "zbar read \"$GUI_DECODED\""
out=$(wine "$GUI_PROBE" check 2>/dev/null | tr -d '\r')
grep -q '^window ' <<<"$out" && fail "a window is open: $(grep '^window ' <<<"$out")"
gui_stop || fail "Mivoka did not end with Alt+F4 (a message box?)"
after=$(cd "$WORK/program" && ls -l --time-style=full-iso && sha1sum Mivoka.ini)
[ "$before" = "$after" ] || { diff <(echo "$before") <(echo "$after") >&2; fail "the read-only folder changed"; }
echo "PASS: started, made a symbol and ended in a read-only folder"
