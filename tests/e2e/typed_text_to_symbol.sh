#!/bin/bash
# End to end, nothing faked: Mivoka.exe copied from dist/ starts under Wine
# with automatic generation off; a real click goes into the text field, real
# key events type a text, a real click presses "作成", and zbar must read
# exactly that text from the screen's preview area.
# usage: typed_text_to_symbol.sh DIST_FOLDER WINDOW_PROBE_EXE WORK_FOLDER
set -uo pipefail
. "$(dirname "$0")/../wine_script.sh" "DIST GUI_PROBE WORK" "$@"
[ -n "${WINEPREFIX:-}" ] || wine_env

TYPED='Mivoka e2e: typed, not set! 0123456789 ABC xyz'
T0=$SECONDS

fail() {
  echo "FAIL: $*" >&2
  gui_stop
  exit 1
}

gui_check_tools || exit 1
gui_prepare "$WORK/program" "$DIST" _version=2125825 _count=1 autoencode=0 mode=0 carrier=2 ||
  fail "cannot prepare $WORK/program"
gui_start || fail "the window did not open"
echo "window up after $((SECONDS - T0)) s"

# Typing alone must not make a symbol: automatic generation is off.
gui_type_into "$(gui_id IDC_TEXT)" "$TYPED" || fail "typing into the text field"
gui_capture "$WORK/before.png" "$(gui_id IDC_PREVIEW)" || fail "capturing the preview"
if before=$(gui_decode "$WORK/before.png"); then
  fail "a symbol ($before) is shown before 作成 was pressed"
fi

[ "$(gui_text "$(gui_id IDC_CREATE)")" = "作成" ] || fail "the create button shown is not \"作成\""
gui_click "$(gui_id IDC_CREATE)" || fail "clicking 作成"
gui_poll 30 gui_symbol_in_preview "$WORK/after.png" || fail "no symbol in the preview 30 s after 作成 (see $WORK/after.png)"
[ "$GUI_DECODED" = "$TYPED" ] || fail "zbar read \"$GUI_DECODED\", typed was \"$TYPED\""
position=$(gui_text "$(gui_id IDC_POSITION)")
[ "$position" = " 1/ 1" ] || fail "the position indicator shows \"$position\", not \" 1/ 1\""
echo "zbar read the typed text after $((SECONDS - T0)) s"

gui_stop || fail "Mivoka did not end with Alt+F4"
echo "PASS in $((SECONDS - T0)) s"
