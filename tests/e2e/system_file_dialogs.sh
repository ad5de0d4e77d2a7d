#!/bin/bash
# The system's own file dialogs, driven by real keys: "テキストを保存" makes a
# document under a new name (".txt" added); a second save under that name
# gets exactly one question, the program's, about "new.txt", and Yes replaces
# the file; "BMPを保存" makes a new bitmap; "テキストを開く" reads the
# document back into the form.
# usage: system_file_dialogs.sh DIST WINDOW_PROBE_EXE WORK_FOLDER
set -uo pipefail
. "$(dirname "$0")/../wine_script.sh" "DIST GUI_PROBE WORK" "$@"
[ -n "${WINEPREFIX:-}" ] || wine_env

fail() {
  echo "FAIL: $*" >&2
  gui_capture "$WORK/failure.png" >/dev/null 2>&1 && echo "screen: $WORK/failure.png" >&2
  gui_stop
  exit 1
}

# menu KEY: the menu "ファイル" by the keyboard, then its item KEY.
file_menu() {
  gui_rect 0 && gui_click 0 $((GUI_RECT[2] - 20)) 10 && xdotool key alt+f && sleep 0.3 && xdotool key "$1"
}
# Two windows of the title: the dialog and the question over it.
question_shown() { [ "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l)" -ge 2 ]; }

gui_check_tools || exit 1
gui_prepare "$WORK/program" "$DIST" _version=2125825 _count=1 autoencode=0 mode=0 carrier=2 resume=0 ||
  fail "cannot prepare $WORK/program"
SAVED=$WORK/saved
rm -rf "$SAVED" && mkdir -p "$SAVED"
SAVED_WIN=$(winepath -w "$SAVED" 2>/dev/null | tr -d '\r')
gui_start || fail "the window did not open"

gui_type_into "$(gui_id IDC_TEXT)" 'first document' || fail "typing into the text field"
file_menu t || fail "the menu item テキストを保存"
gui_file_dialog 'テキストを保存' "$SAVED_WIN\\new" || fail "no text save dialog"
gui_poll 10 test -s "$SAVED/new.txt" || fail "no new.txt after saving under the new name \"new\""
gui_poll 5 gui_no_window_open || fail "a window is left open: $(gui_open_windows)"
grep -q 'first document' "$SAVED/new.txt" || fail "new.txt does not hold the text"
echo "a new document under a new name"

gui_type_into "$(gui_id IDC_TEXT)" 'second document' || fail "typing into the text field"
file_menu t || fail "the menu item テキストを保存"
gui_file_dialog 'テキストを保存' "$SAVED_WIN\\new.txt" || fail "no text save dialog"
gui_poll 10 question_shown 'テキストを保存' || fail "no question about replacing new.txt"
asked=$(gui_text 65535)
[[ "$asked" == "new.txt は既に存在します。"* ]] || fail "the question asked is \"$asked\""
gui_click 6 || fail "no Yes button"
gui_poll 10 gui_no_window_open || fail "another window after Yes: $(gui_open_windows) \"$(gui_text 65535)\""
gui_poll 5 grep -q 'second document' "$SAVED/new.txt" || fail "Yes did not replace new.txt"
echo "one question, the program's, and Yes replaced the document"

gui_click "$(gui_id IDC_CREATE)" || fail "clicking 作成"
gui_poll 30 gui_symbol_in_preview "$WORK/preview.png" 'second document' || fail "no symbol in the preview"
xdotool key ctrl+s
gui_file_dialog 'BMPを保存' "$SAVED_WIN\\pic" || fail "no bitmap save dialog"
gui_poll 10 test -s "$SAVED/pic.bmp" || fail "no pic.bmp after saving under the new name \"pic\""
[ "$(head -c 2 "$SAVED/pic.bmp")" = BM ] || fail "pic.bmp is no bitmap"
gui_poll 5 gui_no_window_open || fail "a window is left open: $(gui_open_windows)"
echo "a new bitmap under a new name"

gui_type_into "$(gui_id IDC_TEXT)" 'replaced by the document' || fail "typing into the text field"
xdotool key ctrl+o
gui_file_dialog 'テキストファイルを開く' "$SAVED_WIN\\new.txt" || fail "no open dialog"
gui_poll 10 gui_text_is "$(gui_id IDC_TEXT)" 'second document' ||
  fail "the field holds \"$(gui_text "$(gui_id IDC_TEXT)")\" after opening new.txt"
gui_stop || fail "Mivoka did not end with Alt+F4"
echo "PASS: new names saved, one question before a replace, the document read back"
