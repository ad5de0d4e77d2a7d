#!/bin/bash
# End to end by the keyboard alone: Mivoka.exe from dist/ under Wine, the
# focus put into the text field, then only real Tab, Shift+Tab and arrow
# key events: Tab must visit every control of the text mode in reading
# order (the encoding box and the emoji history included) and come back to
# the text field, Shift+Tab must go back, and Down in the encoding box must
# change the target to au.
# usage: keyboard_tab_ring.sh DIST_FOLDER WINDOW_PROBE_EXE WORK_FOLDER
set -uo pipefail
. "$(dirname "$0")/../wine_script.sh" "DIST GUI_PROBE WORK" "$@"
[ -n "${WINEPREFIX:-}" ] || wine_env

# Text mode under docomo with two history entries, nothing made yet (▲ and
# ▼ disabled, "作成" shown): the mode radio, the encoding box, "絵文字", the
# two history labels and pictures, margin, colour, "...", size, "自動",
# "作成", "クリア", the view switch, "区切り", the text field.
EXPECTED="3001 1853 1747 1801 1811 1802 1812 1768 1769 1772 1260 1271 106 1028 1850 1851 1486 1029"
T0=$SECONDS

fail() {
  echo "FAIL: $*" >&2
  gui_stop
  exit 1
}

focus_id() { wine "$GUI_PROBE" focus 2>/dev/null | tr -d '\r'; }

# focus_moved_from ID: the focus is on another control than ID.
focus_moved_from() { [ "$(focus_id)" != "$1" ]; }

# press KEY: one real key event, then the id of the control that has the focus
# once it moved away from the one before.
press() {
  xdotool key "$1" || return 1
  gui_poll 5 focus_moved_from "$FOCUS" || return 1
  FOCUS=$(focus_id)
}

gui_check_tools || exit 1
gui_prepare "$WORK/program" "$DIST" _version=2125825 _count=1 autoencode=0 mode=0 carrier=2 \
  histemojid1=1 histemojid2=2 || fail "cannot prepare $WORK/program"
gui_start || fail "the window did not open"
gui_focus_control "$(gui_id IDC_TEXT)" || fail "the text field did not take the focus"
FOCUS=$(focus_id)

visited=()
for _ in $EXPECTED; do
  press Tab || fail "Tab did not move the focus after: ${visited[*]}"
  visited+=("$FOCUS")
done
[ "${visited[*]}" = "$EXPECTED" ] || fail "Tab visited \"${visited[*]}\", expected \"$EXPECTED\""
echo "Tab went round the form in reading order after $((SECONDS - T0)) s"

# Back from the text field: "区切り", then the view switch.
{ press shift+Tab && [ "$FOCUS" = 1486 ]; } || fail "Shift+Tab from the text field went to $FOCUS"
{ press shift+Tab && [ "$FOCUS" = 1851 ]; } || fail "Shift+Tab from 区切り went to $FOCUS"

# Round to the encoding box by Tab, then Down picks au.
for _ in 1 2 3 4 5 6 7; do
  [ "$FOCUS" = 1853 ] && break
  press Tab || fail "Tab did not move the focus"
done
[ "$FOCUS" = 1853 ] || fail "Tab did not come to the encoding box"
xdotool key Down
gui_poll 5 gui_text_is 1853 'S_JIS (従来型 au)' || fail "Down in the encoding box shows \"$(gui_text 1853)\""
gui_focus_control "$(gui_id IDC_TEXT)" || fail "the text field did not take the focus again"
gui_stop || fail "Mivoka did not end with Alt+F4"
grep -q '^carrier=3' "$WORK/program/Mivoka.ini" || fail "the stored target is not au: $(grep carrier "$WORK/program/Mivoka.ini")"
echo "PASS in $((SECONDS - T0)) s"
