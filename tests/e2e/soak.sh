#!/bin/bash
# Soak of the real window: Mivoka.exe from dist/ under Wine, driven by a
# seeded random sequence of real mouse and key events (typing, pasting
# Japanese and long texts, split marks, modes, carriers, 作成, ▲/▼, the
# text-data view, margin, colour and size, the options sheet's OK and Cancel,
# the emoji palette and history, saving bitmaps and documents into a scratch
# folder and opening them again, clearing). At every checkpoint the process
# lives, its window answers a message within 2 s and no window of it is left
# open; after the warm-up its memory grows by less than 10 %. At the end,
# with black, margin 2 and size step 3, zbar must read from the screen the
# bytes of that code of what `mivoka codes` makes of the same fields.
# The seed is printed; MIVOKA_SOAK_SEED=N repeats a run.
# usage: soak.sh DIST WINDOW_PROBE_EXE NATIVE_CLI WORK_FOLDER
set -uo pipefail
. "$(dirname "$0")/../wine_script.sh" "DIST GUI_PROBE CLI WORK" "$@"
[ -n "${WINEPREFIX:-}" ] || wine_env

SEED=${MIVOKA_SOAK_SEED:-$(( $(date +%s) % 1000000 ))}
ACTIONS=${MIVOKA_SOAK_ACTIONS:-300}
# 300 actions take 140 to 190 s here; the cap leaves room for a slower machine.
TIME_CAP=${MIVOKA_SOAK_SECONDS:-210}
RANDOM=$SEED
echo "soak seed $SEED (repeat with MIVOKA_SOAK_SEED=$SEED)"
SCRATCH=$WORK/scratch
SCRATCH_WIN="Z:${SCRATCH//\//\\}"
T0=$SECONDS
CLIP_PID=
DONE=0
declare -A RECT

fail() {
  echo "FAIL after $DONE actions (seed $SEED): $*" >&2
  [ -n "$CLIP_PID" ] && kill "$CLIP_PID" 2>/dev/null
  gui_capture "$WORK/failure.png" >/dev/null 2>&1 && echo "screen: $WORK/failure.png" >&2
  gui_stop
  exit 1
}

id() { gui_id "$1"; }

# The visible controls of the main window, by id (the first of an id).
refresh_rects() {
  local cid x y w h
  RECT=()
  while read -r cid x y w h; do
    [ -n "$h" ] && [ -z "${RECT[$cid]:-}" ] && RECT[$cid]="$x $y $w $h"
  done < <(wine "$GUI_PROBE" rects 2>/dev/null | tr -d '\r')
}

# click ID: a real click at the control's centre (nothing when not shown).
click() {
  local r
  read -r -a r <<<"${RECT[$1]:-}"
  [ "${#r[@]}" -eq 4 ] || return 1
  xdotool mousemove $((r[0] + r[2] / 2)) $((r[1] + r[3] / 2)) click 1
}

# paste TEXT: the X clipboard holds TEXT (UTF-8) while Ctrl+V pastes it.
paste() {
  printf '%s' "$1" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
  CLIP_PID=$!
  sleep 0.15
  xdotool key ctrl+v
  sleep 0.2
  kill "$CLIP_PID" 2>/dev/null
  wait "$CLIP_PID" 2>/dev/null
  CLIP_PID=
}

WORDS=(Mivoka QR code phone 0123 ABC xyz 'hello world' '[i9F]' '[e1]' 'a,b;c:d' 'mail@example.jp' '090-1234-5678')
JAPANESE=(こんにちは 漢字かな交じり文 ｶﾀｶﾅ 携帯電話 '東京都港区１－２－３' 絵文字[i9F]です 全角ＡＢＣ１２３ 'メモ：会議は十時')

# A field of the mode shown, clicked into.
click_field() {
  local fields=(IDC_TEXT IDC_TO IDC_SUBJECT IDC_BODY IDC_NAME IDC_FURIGANA IDC_PHONE1 IDC_MAIL1 IDC_NOTE IDC_POSTAL IDC_BIRTHDAY IDC_WEB)
  local i _
  for _ in 1 2 3 4 5 6; do
    i=$((RANDOM % ${#fields[@]}))
    click "$(id "${fields[i]}")" && return 0
  done
  return 1
}

# LONG: a long random text (no command substitution anywhere: a subshell
# would not advance the seeded RANDOM of this shell).
long_text() {
  local out="" n=$((20 + RANDOM % 120))
  for ((k = 0; k < n; k++)); do
    if [ $((k % 3)) -eq 0 ]; then out+="${JAPANESE[$((RANDOM % ${#JAPANESE[@]}))]}"; else out+="${WORDS[$((RANDOM % ${#WORDS[@]}))]} "; fi
    [ $((k % 17)) -eq 16 ] && out+=$'\n'
  done
  LONG=$out
}

# window_up TITLE: the program's window of that title appears within 5 s.
window_up() { gui_poll 5 gui_window_shown "$1"; }
window_gone() { gui_poll 5 eval "! gui_window_shown '$1'"; }

# click_button ID: a real click on a button of the program's other windows.
click_button() {
  gui_rect "$1" || return 1
  xdotool mousemove $((GUI_RECT[0] + GUI_RECT[2] / 2)) $((GUI_RECT[1] + GUI_RECT[3] / 2)) click 1
}

# answer_boxes: the questions and notes an action may bring up are answered
# until none is left open. The replace question has No as its default, so its
# Yes button (IDYES, 6) is clicked; a note ("No Data") takes Return. A window
# still open after that, such as a file dialog that came up late or did not
# take its name, is cancelled (IDCANCEL, 2, or Escape) until it is gone.
# While the program does not answer (the system opens or closes a dialog) no
# key is pressed: it would land wherever the focus ends up.
answer_boxes() {
  local n open
  for n in 1 2 3 4 5 6 7 8 9 10 11 12; do
    sleep 0.3
    open=$(gui_open_windows) || continue
    [ -z "$open" ] && return 0
    if [ "$n" -le 4 ]; then click_button 6 || xdotool key Return
    else click_button 2 || xdotool key Escape; fi
  done
  return 1
}

# some_window_up: a dialog or note of the program appears within 3 s.
some_window_up() { gui_poll 3 windows_open; }
windows_open() { local open; open=$(gui_open_windows) && [ -n "$open" ]; }

# menu ALT_KEY ITEM_KEY: a click on the toolbar's empty right end gives the
# window the keyboard, then the menu by its keys.
menu() {
  xdotool mousemove $((MAIN[0] + MAIN[2] - 20)) $((MAIN[1] + 10)) click 1
  xdotool key "$1"; sleep 0.25; xdotool key "$2"
}

act_type() { click_field && xdotool type --delay 4 -- "${WORDS[$((RANDOM % ${#WORDS[@]}))]}"; }
act_japanese() { click_field && paste "${JAPANESE[$((RANDOM % ${#JAPANESE[@]}))]}"; }
act_paste_long() { click "$(id IDC_TEXT)" || click "$(id IDC_BODY)" || return 0; long_text; paste "$LONG"; }
act_split() { if [ "$((RANDOM % 2))" -eq 0 ]; then click "$(id IDC_TEXT)" && xdotool key ctrl+Return; else click "$(id IDC_SPLIT)"; fi; }
act_mode() { local radios=(IDC_MODE_TEXT IDC_MODE_MAIL IDC_MODE_ADDRESS); click "$(id "${radios[$((RANDOM % 3))]}")"; sleep 0.2; refresh_rects; }
act_carrier() {
  click "$(id IDC_ENCODING)" && xdotool key Home && for ((k = $((RANDOM % 4)); k > 0; k--)); do xdotool key Down; done
  xdotool key Return; sleep 0.2; refresh_rects
}
act_create() { click "$(id IDC_CREATE)"; }
act_updown() { if [ "$((RANDOM % 2))" -eq 0 ]; then click "$(id IDC_UP)"; else click "$(id IDC_DOWN)"; fi; }
act_view() {
  if [ "$((RANDOM % 2))" -eq 0 ]; then click "$(id IDC_TEXT_VIEW_BUTTON)"; else click "$(id IDC_CODE_VIEW_BUTTON)"; fi
  sleep 0.2; refresh_rects
}
act_margin() { click "$(id IDC_MARGIN)" && xdotool key Home && for ((k = $((RANDOM % 7)); k > 0; k--)); do xdotool key Down; done; xdotool key Return; }
act_colour() { click "$(id IDC_COLOUR)" && xdotool key Home && for ((k = $((RANDOM % 12)); k > 0; k--)); do xdotool key Down; done; xdotool key Return; }
act_size() { click "$(id IDC_SIZE_SLIDER)" && xdotool key Home && for ((k = $((RANDOM % 8)); k > 0; k--)); do xdotool key Right; done; }
act_options() {
  menu alt+v o
  window_up 'オプション' || return 1
  if [ "$((RANDOM % 2))" -eq 0 ]; then xdotool key Return; else xdotool key Escape; fi
  window_gone 'オプション'
}
act_emoji() {
  click "$(id IDC_EMOJI)"
  window_up '.*絵文字.*' || return 1
  if gui_rect $((2001 + $((RANDOM % 30)))); then
    xdotool mousemove $((GUI_RECT[0] + GUI_RECT[2] / 2)) $((GUI_RECT[1] + GUI_RECT[3] / 2)) click 1
  fi
  sleep 0.3
  gui_window_shown '.*絵文字.*' && xdotool key Escape
  window_gone '.*絵文字.*'
  refresh_rects
}
act_history() { click $(( $(id IDC_HISTORY_PICTURE_FIRST) + $((RANDOM % 5)) )) || true; }
act_save_bmp() {
  xdotool key ctrl+s
  some_window_up || return 0
  if gui_open_windows | grep -q 'BMPを保存'; then gui_file_dialog 'BMPを保存' "$SCRATCH_WIN\\bmp$((RANDOM % 3)).bmp"; fi
  answer_boxes
}
act_save_text() {
  menu alt+f t
  gui_file_dialog 'テキストを保存' "$SCRATCH_WIN\\doc$((RANDOM % 3)).txt"
  answer_boxes
}
act_open_text() {
  local doc
  local docs=() k
  for doc in "$SCRATCH"/doc*.txt; do [ -f "$doc" ] && docs+=("${doc##*/}"); done
  # The first, second or third document, the last when there are fewer.
  k=$((RANDOM % 3))
  [ "${#docs[@]}" -gt 0 ] || return 0
  [ "$k" -lt "${#docs[@]}" ] || k=$((${#docs[@]} - 1))
  doc=${docs[k]}
  xdotool key ctrl+o
  gui_file_dialog 'テキストファイルを開く' "$SCRATCH_WIN\\$doc"
  answer_boxes
}
act_clear() { click "$(id IDC_CLEAR)"; }

# Weights: quick actions often, dialogs seldom.
QUICK=(type type type type type japanese japanese japanese paste_long split split split mode mode carrier carrier
       create create create create updown updown updown updown view view margin colour size size clear history history)
KINDS=("${QUICK[@]}" "${QUICK[@]}" options emoji save_bmp save_text open_text)
ALL_KINDS=(type japanese paste_long split mode carrier create updown view margin colour size clear options emoji
           history save_bmp save_text open_text)

# MIVOKA_SOAK_TRACE=1 prints every action with its seconds.
run_action() {
  local t=$SECONDS
  "act_$1" >/dev/null 2>&1
  DONE=$((DONE + 1))
  [ -n "${MIVOKA_SOAK_TRACE:-}" ] && echo "action $DONE $1 $((SECONDS - t)) s"
  return 0
}

# checkpoint NAME: alive, answering, nothing left open; MEMORY in kB.
checkpoint() {
  gui_running || fail "the program died ($1)"
  local out
  out=$(wine "$GUI_PROBE" check 2>/dev/null | tr -d '\r')
  local rc=$?
  grep -q '^answer [0-9]' <<<"$out" || fail "the window did not answer within 2 s ($1)"
  if grep -q '^window ' <<<"$out"; then
    fail "a window was left open ($1): $(grep '^window ' <<<"$out" | tr '\n' ' ')"
  fi
  MEMORY=$(sed -n 's/^VmRSS: *\([0-9]*\) kB/\1/p' "/proc/$GUI_PID/status" 2>/dev/null)
  [ -n "$MEMORY" ] || MEMORY=$(( $(sed -n 's/^memory [0-9]* \([0-9]*\)$/\1/p' <<<"$out") / 1024 ))
  return "$rc"
}

gui_check_tools || exit 1
command -v xclip >/dev/null || { echo "error: missing xclip" >&2; exit 1; }
rm -rf "$SCRATCH" && mkdir -p "$SCRATCH"
gui_prepare "$WORK/program" "$DIST" _version=2125825 _count=1 autoencode=$((SEED % 2)) mode=0 carrier=2 \
  redunrate=1 qrver1=0 qrver2=19 onecode=0 || fail "cannot prepare $WORK/program"
gui_start || fail "the window did not open"
echo "window up after $((SECONDS - T0)) s"
T0=$SECONDS
refresh_rects
read -r -a MAIN <<<"${RECT[0]}"

# Warm-up: every kind once, so each dialog and library is loaded before the
# memory is measured.
for kind in "${ALL_KINDS[@]}"; do run_action "$kind"; done
checkpoint warm-up
for ((i = 0; i < 20; i++)); do run_action "${KINDS[$((RANDOM % ${#KINDS[@]}))]}"; done
checkpoint baseline
BASELINE=$MEMORY
echo "warm-up done after $((SECONDS - T0)) s, $DONE actions, memory $BASELINE kB"

while [ "$DONE" -lt "$ACTIONS" ] || [ $((SECONDS - T0)) -lt 60 ]; do
  [ $((SECONDS - T0)) -ge "$TIME_CAP" ] && break
  run_action "${KINDS[$((RANDOM % ${#KINDS[@]}))]}"
  [ $((DONE % 20)) -eq 0 ] && checkpoint "action $DONE"
done
[ "$DONE" -ge "$ACTIONS" ] || fail "only $DONE of $ACTIONS actions in $TIME_CAP s"
checkpoint end
echo "$DONE actions in $((SECONDS - T0)) s, memory $BASELINE kB after the warm-up, $MEMORY kB at the end"
[ $((MEMORY * 100)) -lt $((BASELINE * 110)) ] || fail "memory grew from $BASELINE to $MEMORY kB"

# The end: text mode, a fresh text with a split mark, black, margin 2, size
# step 3, 作成, a random code, and zbar against the command-line tool.
click "$(id IDC_CODE_VIEW_BUTTON)"
click "$(id IDC_MODE_TEXT)"; sleep 0.3; refresh_rects
click "$(id IDC_CLEAR)"; sleep 0.3
{ click "$(id IDC_TEXT)" && xdotool type --delay 5 -- "End $SEED ${WORDS[$((RANDOM % ${#WORDS[@]}))]}" &&
  paste "${JAPANESE[$((RANDOM % ${#JAPANESE[@]}))]}" && xdotool key ctrl+Return &&
  xdotool type --delay 5 -- "second ${WORDS[$((RANDOM % ${#WORDS[@]}))]}"; } || fail "typing the last text"
click "$(id IDC_COLOUR)" && xdotool key Home Return
click "$(id IDC_MARGIN)" && xdotool key Home Down Down Return
click "$(id IDC_SIZE_SLIDER)" && xdotool key Home Right Right Right
[ "$(gui_text "$(id IDC_MARGIN)" | tr -d ' ')" = 2 ] || fail "the margin shows \"$(gui_text "$(id IDC_MARGIN)")\""
click "$(id IDC_CREATE)"
gui_poll 30 gui_text_is "$(id IDC_POSITION)" " 1/ 2" ||
  fail "no two codes after 作成 (position \"$(gui_text "$(id IDC_POSITION)")\")"
K=1
if [ "$((RANDOM % 2))" -eq 1 ]; then
  click "$(id IDC_DOWN)" && K=2
  gui_poll 10 gui_text_is "$(id IDC_POSITION)" " 2/ 2" || fail "▼ did not show code 2"
fi
case "$(gui_text "$(id IDC_ENCODING)")" in
  *docomo*) CARRIER=docomo ;; *au*) CARRIER=au ;; *softbank*) CARRIER=softbank ;; *) CARRIER=utf8 ;;
esac
FIELD=$(gui_text "$(id IDC_TEXT)")
EXPECTED=$("$CLI" codes --carrier "$CARRIER" --text "$FIELD" | sed -n "/^code $K /{n;p;}")
[ -n "$EXPECTED" ] || fail "mivoka codes made no code $K of \"$FIELD\" ($CARRIER)"
read_shown() {
  gui_capture "$WORK/final.png" "$(id IDC_PREVIEW)" || return 1
  SHOWN=$(zbarimg --quiet --raw -Sdisable -Sqrcode.enable -Sbinary "$WORK/final.png" 2>/dev/null | xxd -p | tr -d '\n')
  [ "$SHOWN" = "$EXPECTED" ] || [ "$SHOWN" = "${EXPECTED}0a" ]
}
gui_poll 20 read_shown || fail "zbar read \"$SHOWN\" from code $K, mivoka codes gives \"$EXPECTED\" ($CARRIER: $FIELD)"
echo "code $K of 2 ($CARRIER) reads as mivoka codes makes it"
checkpoint final
gui_stop || fail "Mivoka did not end with Alt+F4"
echo "PASS: $DONE actions in $((SECONDS - T0)) s (seed $SEED)"
