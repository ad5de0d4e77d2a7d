#!/bin/bash
# Builds the Windows program as run.sh does (or takes build/windows as it
# is), starts it under its own Xvfb display and saves PNG screenshots of its
# main states under build/screenshots/, for looking at. The states are
# reached the way a user reaches them: real clicks and typing
# (tools/wine-gui.sh). A state that does not come up is reported and
# skipped; the exit code then is 1.
# --dpi N runs the program at that display scale (LogPixels N: 120 is 125 %,
# 144 is 150 %, 192 is 200 %) and saves under build/screenshots/dpi-N/.
# usage: tools/screenshots.sh [--no-build] [--dpi N] [docomo] [softbank] [first-start]  (all by default)
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
. tools/deps.sh
. tools/wine-env.sh
. tools/wine-gui.sh

OUT=$MIVOKA_ROOT/build/screenshots
WORK=$MIVOKA_ROOT/build/screenshots-work
DIST=$MIVOKA_ROOT/build/windows/dist
# A quiet start (no first-start message), manual generation, a larger symbol
# and the window at its start size.
DPI=96
SKIPPED=()

# The start size 780 x 590 at the display's scale.
quiet_settings() {
  QUIET=(_version=2125825 _count=1 autoencode=0 sliderpos=3 wleft=40 wtop=40 wwidth=$((780 * DPI / 96))
    wheight=$((590 * DPI / 96)))
}

cleanup() {
  [ "$DPI" = 96 ] || wine_set_dpi 96
  gui_stop
  wine_server_stop
  xvfb_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# shot NAME: every window the program shows (the main window with its open
# dialog, message box or menu) into NAME.png.
shot() {
  gui_capture_program "$OUT/$1.png" && echo "   $1.png"
}

skip() {
  echo "   skipped $1: $2" >&2
  SKIPPED+=("$1")
}

id() { gui_id "$1"; }

# create_and_wait PREFIX: presses "作成" and waits for a symbol whose text
# starts with PREFIX.
create_and_wait() {
  gui_click "$(id IDC_CREATE)" && gui_poll 30 gui_symbol_in_preview "$WORK/preview.png" "$1" && return 0
  echo "error: no symbol starting \"$1\" (last read: \"$GUI_DECODED\")" >&2
  return 1
}

# error_shown: the preview shows red text.
error_shown() {
  gui_capture "$WORK/preview.png" "$(id IDC_PREVIEW)" && gui_has_red "$WORK/preview.png"
}

# choose_mode RADIO FIELD: clicks the mode's radio until its field shows.
choose_mode() {
  gui_click "$(id "$1")" && gui_poll 10 gui_rect "$(id "$2")"
}

text_states() {
  { gui_type_into "$(id IDC_TEXT)" 'Mivoka makes QR Code symbols for mobile phones.' &&
    create_and_wait 'Mivoka makes' && shot text-symbol; } || skip text-symbol "no symbol"
  if gui_click "$(id IDC_TEXT_VIEW_BUTTON)" && gui_poll 10 gui_rect "$(id IDC_TEXT_VIEW)"; then
    shot text-data-view
  else
    skip text-data-view "the text-data view did not show"
  fi
  gui_click "$(id IDC_CODE_VIEW_BUTTON)" && gui_poll 10 gui_rect "$(id IDC_PREVIEW)"
}

# Three codes from two split marks (Ctrl+Enter), then ▼ once.
split_state() {
  { gui_type_into "$(id IDC_TEXT)" 'First code' &&
    xdotool key ctrl+Return && xdotool type --delay 15 'Second code' &&
    xdotool key ctrl+Return && xdotool type --delay 15 'Third code' &&
    create_and_wait 'First code' && gui_poll 20 gui_text_is "$(id IDC_POSITION)" ' 1/ 3' &&
    gui_click "$(id IDC_DOWN)" && gui_poll 10 gui_text_is "$(id IDC_POSITION)" ' 2/ 3' &&
    gui_poll 20 gui_symbol_in_preview "$WORK/preview.png" 'Second code' && shot split-code-2-of-3; } || skip split-code-2-of-3 "no second of three codes"
}

mail_state() {
  { choose_mode IDC_MODE_MAIL IDC_BODY &&
    gui_type_into "$(id IDC_TO)" 'taro@example.jp' &&
    gui_type_into "$(id IDC_SUBJECT)" 'Meeting' &&
    gui_type_into "$(id IDC_BODY)" 'See you at ten.' &&
    create_and_wait 'MATMSG:' && shot mail-docomo; } || skip mail-docomo "no mail symbol"
}

# An address entry with neither name nor telephone: the error in red, then
# the same entry with a name.
address_states() {
  if choose_mode IDC_MODE_ADDRESS IDC_NAME && gui_type_into "$(id IDC_MAIL1)" 'hanako@example.jp' &&
    gui_click "$(id IDC_CREATE)" && gui_poll 20 error_shown; then
    shot address-error
  else
    skip address-error "no error shown in red"
  fi
  { gui_type_into "$(id IDC_NAME)" 'Yamada Hanako' && gui_type_into "$(id IDC_PHONE1)" '09012345678' &&
    create_and_wait 'MECARD:' && shot address-docomo; } || skip address-docomo "no address symbol"
}

# Help menu → "バージョン情報" with the keyboard (Alt+H, A).
version_state() {
  gui_click 0 $((GUI_RECT[2] - 20)) 10 && xdotool key alt+h && sleep 0.3 && xdotool key a
  if gui_wait_window 'バージョン情報' 10 && gui_wait_painted 'バージョン情報' 10; then
    shot version-box
    xdotool key Escape
    gui_poll 10 eval '! gui_window_shown バージョン情報'
  else
    xdotool key Escape Escape
    skip version-box "the version box did not open"
  fi
}

# dialog_state NAME TITLE: waits for the program's window TITLE (a regular
# expression, as xdotool takes window names), saves it alone as NAME.png and
# closes it with Escape.
dialog_state() {
  if gui_wait_window "$2" 10 && gui_wait_painted "$2" 10; then
    gui_capture_windows "$OUT/$1.png" "$2" && echo "   $1.png"
    xdotool key Escape
    gui_poll 10 eval "! gui_window_shown '$2'"
  else
    xdotool key Escape Escape
    skip "$1" "the window \"$2\" did not open"
  fi
}

# The options sheet (menu "表示" → "オプション") on its two pages, "ファイル"
# and then "表示" (by the keyboard), and the print settings (Ctrl+P).
other_dialogs() {
  gui_click 0 $((GUI_RECT[2] - 20)) 10 && xdotool key alt+v && sleep 0.3 && xdotool key o
  if gui_wait_window 'オプション' 10 && gui_wait_painted 'オプション' 10; then
    gui_capture_windows "$OUT/options-sheet.png" 'オプション' && echo "   options-sheet.png"
    # From the page's field back to the tabs, then the next one: "表示", at any scale.
    xdotool key shift+Tab && sleep 0.2 && xdotool key Right && sleep 0.5
    dialog_state options-display 'オプション'
  else
    xdotool key Escape Escape
    skip options-sheet "the options sheet did not open"
    skip options-display "the options sheet did not open"
  fi
  gui_click 0 $((GUI_RECT[2] - 20)) 10 && xdotool key ctrl+p
  dialog_state print-settings '印刷設定'
}

# The emoji palette ("絵文字") of a window just started.
palette_state() {
  gui_click "$(id IDC_EMOJI)"
  dialog_state emoji-palette '\*\*\*　docomo 絵文字　\*\*\*'   # a pattern: the stars escaped
}

# popup_shown: a popup menu of the program is on the screen (a window of
# the program without a title).
popup_shown() {
  local id
  for id in $(xdotool search --onlyvisible --class '^mivoka\.exe$' 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] && return 0
  done
  return 1
}

# Mail mode: the "+" menu, then "左のアドレスを履歴に追加" opens the
# add-address dialog.
add_address_state() {
  if gui_click "$(id IDC_HISTORY_MENU)" && gui_poll 10 popup_shown; then
    sleep 0.3
    shot history-menu
    xdotool key Down Return
    dialog_state add-address 'メールアドレスを履歴に追加'
  else
    xdotool key Escape
    skip history-menu "the \"+\" menu did not open"
    skip add-address "the \"+\" menu did not open"
  fi
}

# Nothing generated yet: "BMPを保存" (Ctrl+S) says "No Data".
no_data_state() {
  gui_click 0 $((GUI_RECT[2] - 20)) 10 && xdotool key ctrl+s
  if gui_wait_window 'No Data' 10 && gui_wait_painted 'No Data' 10; then
    shot no-data
    xdotool key Return
    gui_poll 10 eval '! gui_window_shown "No Data"'
  else
    xdotool key Escape
    skip no-data "no \"No Data\" message"
  fi
}

# The question is a second window titled "テキストを保存" over the dialog.
question_shown() { [ "$(xdotool search --onlyvisible --name '^テキストを保存$' 2>/dev/null | wc -l)" -ge 2 ]; }

# "テキストを保存" (menu "ファイル", T): the save dialog with its panel; a
# name whose ".txt" exists then asks, and No (the default, Return) goes
# back to the dialog, which Escape closes.
text_save_states() {
  local memo
  memo=$(winepath -w "$WORK/memo" 2>/dev/null | tr -d '\r')
  printf '< Text >\r\nkept\r\n' >"$WORK/memo.txt"
  gui_click 0 $((GUI_RECT[2] - 20)) 10 && xdotool key alt+f && sleep 0.3 && xdotool key t
  if gui_wait_window 'テキストを保存' 10 && gui_wait_painted 'テキストを保存' 10; then
    sleep 0.5
    gui_capture_windows "$OUT/save-text-dialog.png" 'テキストを保存' && echo "   save-text-dialog.png"
    xdotool key alt+n ctrl+a && xdotool type --delay 15 "$memo" && xdotool key Return
    if gui_poll 10 question_shown; then
      sleep 0.3
      shot save-replace-question
      xdotool key Return
    else
      skip save-replace-question "no question about memo.txt"
    fi
    sleep 0.5
    xdotool key Escape
    gui_poll 10 eval '! gui_window_shown テキストを保存'
  else
    xdotool key Escape Escape
    skip save-text-dialog "the text save dialog did not open"
    skip save-replace-question "the text save dialog did not open"
  fi
}

# "インポート" (menu "ファイル", I) of an Outlook export with two contacts:
# address mode with the import panel and the first record.
import_state() {
  local title='Outlookのエクスポートファイルを開く'
  printf '%s\r\n' '表示名,フリガナ,携帯電話,電子メール アドレス,誕生日' \
    '鈴木 一郎,スズキ イチロウ,090-1111-2222,ichiro@example.jp,19900102' \
    '佐藤 花子,サトウ ハナコ,080-3333-4444,hanako@example.jp,' | iconv -f UTF-8 -t CP932 >"$WORK/contacts.csv"
  gui_click 0 $((GUI_RECT[2] - 20)) 10 && xdotool key alt+f && sleep 0.3 && xdotool key i
  if gui_wait_window "$title" 10 && gui_wait_painted "$title" 10; then
    sleep 0.5
    xdotool key alt+n ctrl+a && xdotool type --delay 15 "$(winepath -w "$WORK/contacts.csv" 2>/dev/null | tr -d '\r')" &&
      xdotool key Return
  fi
  if gui_poll 10 gui_rect "$(id IDC_IMPORT_CLEAR)" && gui_poll 10 gui_text_is "$(id IDC_PHONE1)" '090-1111-2222'; then
    shot import-record
  else
    xdotool key Escape
    skip import-record "the import panel did not show a record"
  fi
}

session_docomo() {
  echo "== docomo: text, text-data view, split codes, mail, address, dialogs"
  gui_prepare "$WORK/docomo" "$DIST" "${QUIET[@]}" mode=0 carrier=2 && gui_start || return 1
  gui_rect 0 && no_data_state
  palette_state
  text_states
  gui_rect 0 && text_save_states
  split_state
  mail_state
  add_address_state
  address_states
  gui_rect 0 && import_state
  gui_rect 0 && version_state && other_dialogs
  gui_stop
}

session_softbank() {
  echo "== softbank: address"
  gui_prepare "$WORK/softbank" "$DIST" "${QUIET[@]}" mode=2 carrier=1 && gui_start || return 1
  { gui_type_into "$(id IDC_NAME)" 'Yamada Hanako' && gui_type_into "$(id IDC_PHONE1)" '09012345678' &&
    gui_type_into "$(id IDC_MAIL1)" 'hanako@example.jp' &&
    create_and_wait 'MEMORY:' && shot address-softbank; } || skip address-softbank "no address symbol"
  gui_stop
}

# A folder without settings: a first start, which greets with "First Message"
# while the main window is being created, before it shows.
first_or_main() { gui_window_shown 'First Message' || gui_window_shown Mivoka; }

session_first_start() {
  echo "== first start"
  gui_prepare "$WORK/first" "$DIST" wleft=40 wtop=40 "${QUIET[@]:6}" && gui_launch || return 1
  gui_poll 60 first_or_main
  if gui_wait_window 'First Message' 3 && gui_wait_painted 'First Message' 10; then
    shot first-message
    xdotool search --name '^First Message$' windowfocus --sync 2>/dev/null
    xdotool key Return
  else
    skip first-message "no First Message dialog"
  fi
  gui_wait_main 30
  gui_stop
}

# The program and the probe from build/windows: built (configured first when
# the tree is not), or taken as they are with --no-build or when the tree was
# configured in another folder (a copy: building it would reach into the
# original).
prepare_program() {
  local tree=$MIVOKA_ROOT/build/windows
  if [ "$1" = 1 ]; then
    echo "== using build/windows as it is (--no-build)"
  elif [ -f "$tree/CMakeCache.txt" ] && ! grep -qxF "CMAKE_CACHEFILE_DIR:INTERNAL=$tree" "$tree/CMakeCache.txt"; then
    echo "== build/windows was configured in another folder: using it as it is"
  else
    echo "== building build/windows (Mivoka.exe and window_probe.exe)"
    if [ ! -f "$tree/build.ninja" ]; then logged windows configure configure_windows || return 1; fi
    logged windows build build_tree windows dist window_probe || return 1
  fi
  [ -f "$DIST/Mivoka.exe" ] && [ -f "$GUI_PROBE" ] && return 0
  echo "error: $DIST/Mivoka.exe or $GUI_PROBE is missing; build the Windows tree first" >&2
  return 1
}

main() {
  local no_build=0
  if [ "${1:-}" = --no-build ]; then
    no_build=1
    shift
  fi
  if [ "${1:-}" = --dpi ]; then
    DPI=${2:?--dpi needs a number}
    shift 2
    OUT=$OUT/dpi-$DPI
    # A screen as large as 1280 x 1024 at that scale.
    export MIVOKA_XVFB_SCREEN="$((1280 * DPI / 96))x$((1024 * DPI / 96))"
  fi
  quiet_settings
  install_missing_packages || exit 1
  prepare_program "$no_build" || exit 1
  # Always a private display of a known size.
  unset DISPLAY
  wine_env
  xvfb_start && wine_server_start && wine_prefix_up || exit 1
  gui_check_tools || exit 1
  wine_set_dpi "$DPI" || exit 1
  # A full run replaces every picture; a run of some sessions only theirs.
  [ "$#" -gt 0 ] || rm -f "$OUT"/*.png
  rm -rf "$WORK" && mkdir -p "$OUT" "$WORK"
  local session sessions=("$@")
  [ "$#" -gt 0 ] || sessions=(docomo softbank first-start)
  for session in "${sessions[@]}"; do
    case "$session" in
      docomo) session_docomo || skip docomo "the window did not open" ;;
      softbank) session_softbank || skip softbank "the window did not open" ;;
      first-start) session_first_start || skip first-start "the program did not start" ;;
      *) echo "error: no session $session" >&2; exit 2 ;;
    esac
  done
  echo "== $(find "$OUT" -mindepth 1 -maxdepth 1 | wc -l) screenshots in $OUT"
  [ "${#SKIPPED[@]}" -eq 0 ] || { echo "skipped: ${SKIPPED[*]}"; exit 1; }
}

main "$@"
