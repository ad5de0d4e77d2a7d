#!/bin/bash
# The end of a Windows session, nothing faked: Mivoka.exe copied from dist/
# starts under Wine, real key events type a text into the form, and
# `wineboot -e` ends the session as Windows does at a logoff or shutdown:
# each window gets WM_QUERYENDSESSION, then WM_ENDSESSION, and the process
# is ended without a WM_CLOSE or WM_DESTROY. resume.txt must hold the typed
# text afterwards, and the next start must show it.
# usage: end_of_session.sh DIST_FOLDER WINDOW_PROBE_EXE WORK_FOLDER
set -uo pipefail
. "$(dirname "$0")/../wine_script.sh" "DIST GUI_PROBE WORK" "$@"
[ -n "${WINEPREFIX:-}" ] || wine_env

TYPED='typed before the end of the session'
T0=$SECONDS

fail() {
  echo "FAIL: $*" >&2
  gui_stop
  exit 1
}

gui_check_tools || exit 1
gui_prepare "$WORK/program" "$DIST" _version=2125825 _count=1 autoencode=0 mode=0 resume=1 ||
  fail "cannot prepare $WORK/program"
RESUME=$WORK/program/resume.txt
gui_start || fail "the window did not open"
gui_type_into "$(gui_id IDC_TEXT)" "$TYPED" || fail "typing into the text field"
! grep -qF "$TYPED" "$RESUME" 2>/dev/null || fail "resume.txt held the text before the session ended"

wineboot -e </dev/null >/dev/null 2>&1 || fail "wineboot -e exited $?"
gui_poll 20 eval '! gui_running' || fail "Mivoka still runs 20 s after wineboot -e"
wait "$GUI_PID" 2>/dev/null
GUI_PID=
grep -qF "$TYPED" "$RESUME" 2>/dev/null || fail "resume.txt does not hold the typed text after wineboot -e"
echo "the session's end kept the text after $((SECONDS - T0)) s"

gui_start || fail "the window did not open again"
shown=$(gui_text "$(gui_id IDC_TEXT)")
[ "$shown" = "$TYPED" ] || fail "the next start shows \"$shown\", not \"$TYPED\""
gui_stop || fail "Mivoka did not end with Alt+F4"
echo "PASS in $((SECONDS - T0)) s"
