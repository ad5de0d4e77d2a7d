# shellcheck shell=bash
# Shared by the end-to-end test and tools/screenshots.sh (sourced after
# tools/wine-env.sh, with wine_env done, a display and the wine server up):
# the program from a private copy of build/windows/dist, found on the screen
# with window_probe.exe, driven with real X mouse and key events (xdotool) and
# captured with xwd. Every wait polls with a timeout in seconds.

MIVOKA_ROOT=${MIVOKA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
GUI_PROBE=${GUI_PROBE:-$MIVOKA_ROOT/build/windows/tests/e2e/window_probe.exe}
GUI_FOLDER=
# Where gui_launch sends the program's Wine output (default: its folder).
GUI_LOG=
GUI_PID=
GUI_RECT=()
GUI_DECODED=

# The value of an id of resources/resource.h (gui_id IDC_TEXT prints 1029).
gui_id() {
  sed -n "s/^#define $1 \\([0-9][0-9]*\\)\$/\\1/p" "$MIVOKA_ROOT/resources/resource.h"
}

# Tools of the scripts that Debian packages (tools/deps.sh lists them).
gui_check_tools() {
  local tool missing=()
  for tool in xdotool xwd zbarimg wine; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  /usr/bin/python3 -c 'import PIL' 2>/dev/null || missing+=("python3-pil")
  [ -n "${DISPLAY:-}" ] || missing+=("a display (DISPLAY)")
  [ "${#missing[@]}" -eq 0 ] && return 0
  echo "error: missing ${missing[*]}" >&2
  return 1
}

# gui_prepare FOLDER DIST [INI_LINE...]: a private program folder: the files
# of DIST, "use.ini" so the settings stay in the folder, and Mivoka.ini with
# section Base holding the lines given. A version stamp and a start counter
# of at least 1 (_version=2125825, _count=1) make the start quiet; without
# them the start is a first start.
gui_prepare() {
  local folder=$1 from=$2
  shift 2
  { rm -rf "$folder" && mkdir -p "$folder" && cp -r "$from"/. "$folder"/; } || return 1
  : >"$folder/use.ini"
  { printf '[Base]\r\n'
    [ "$#" -gt 0 ] && printf '%s\r\n' "$@"
  } >"$folder/Mivoka.ini"
  GUI_FOLDER=$folder
}

# gui_poll TIMEOUT COMMAND...: runs the command every 0.2 s until it succeeds.
gui_poll() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}

# gui_window_shown TITLE: a mapped top-level window of that title (a window
# still being created is not mapped yet).
gui_window_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# gui_wait_window TITLE TIMEOUT: a top-level window of that title is on the screen.
gui_wait_window() {
  gui_poll "$2" gui_window_shown "$1" || { echo "error: no window \"$1\" after $2 s" >&2; return 1; }
}

# gui_launch [ARG...]: starts Mivoka.exe of the prepared folder. Refuses when
# a Mivoka window is already up: the probe would find that one.
gui_launch() {
  if gui_window_shown Mivoka; then
    echo "error: a Mivoka window is already on display $DISPLAY" >&2
    return 1
  fi
  wine "$GUI_FOLDER/Mivoka.exe" "$@" </dev/null >"${GUI_LOG:-$GUI_FOLDER/wine.log}" 2>&1 &
  GUI_PID=$!
}

# gui_wait_main TIMEOUT: the main window is on the screen with its preview.
gui_wait_main() {
  gui_wait_window Mivoka "$1" && gui_poll "$1" gui_rect "$(gui_id IDC_PREVIEW)" && return 0
  echo "error: the Mivoka window did not come up (wine log: ${GUI_LOG:-$GUI_FOLDER/wine.log})" >&2
  return 1
}

# gui_start [ARG...]: launches the program and waits for its window.
gui_start() { gui_launch "$@" && gui_wait_main 60; }

# gui_running: the started program is still there.
gui_running() { [ -n "$GUI_PID" ] && kill -0 "$GUI_PID" 2>/dev/null; }

# gui_stop: closes the window with Alt+F4 as a user would and waits for the
# program to end (it saves its settings); ends it by its pid after 20 s.
gui_stop() {
  gui_running || { GUI_PID=; return 0; }
  local rc=0
  # A click on the toolbar's empty right end gives the window the keyboard.
  gui_window_shown Mivoka && gui_rect 0 && gui_click 0 $((GUI_RECT[2] - 20)) 10 && xdotool key alt+F4
  if ! gui_poll 20 eval '! gui_running'; then
    echo "warning: Mivoka did not end after Alt+F4; ending it" >&2
    kill "$GUI_PID" 2>/dev/null
    rc=1
  fi
  wait "$GUI_PID" 2>/dev/null
  GUI_PID=
  return "$rc"
}

# gui_rect ID: GUI_RECT=(x y width height) of the visible control ID on the
# screen (0: the main window's client area).
gui_rect() {
  local out
  out=$(wine "$GUI_PROBE" rect "$1" 2>/dev/null | tr -d '\r') || return 1
  read -r -a GUI_RECT <<<"$out"
  [ "${#GUI_RECT[@]}" -eq 4 ]
}

# gui_text ID: the control's text (UTF-8).
gui_text() { wine "$GUI_PROBE" text "$1" 2>/dev/null | tr -d '\r'; }

gui_focus_is() { [ "$(wine "$GUI_PROBE" focus 2>/dev/null | tr -d '\r')" = "$1" ]; }

# gui_click ID [DX DY]: a real left click at the control's centre, or DX, DY
# pixels from its top-left corner.
gui_click() {
  gui_rect "$1" || { echo "error: control $1 is not on the screen" >&2; return 1; }
  local x=$((GUI_RECT[0] + ${2:-$((GUI_RECT[2] / 2))})) y=$((GUI_RECT[1] + ${3:-$((GUI_RECT[3] / 2))}))
  xdotool mousemove --sync "$x" "$y" click 1
}

# gui_focus_control ID: clicks into the control until it has the keyboard
# focus (three tries).
gui_focus_control() {
  for _ in 1 2 3; do
    gui_click "$1" && gui_poll 3 gui_focus_is "$1" && return 0
  done
  echo "error: control $1 did not take the focus" >&2
  return 1
}

# gui_type_into ID TEXT: clicks into the field, selects what it holds and
# types the text (ASCII) over it with real key events; waits until the field
# holds exactly the text.
gui_type_into() {
  local id=$1 text=$2
  gui_focus_control "$id" || return 1
  xdotool key ctrl+a && xdotool type --delay 15 -- "$text" || return 1
  gui_poll 10 gui_text_is "$id" "$text" ||
    { echo "error: control $id holds \"$(gui_text "$id")\", not \"$text\"" >&2; return 1; }
}

gui_text_is() { [ "$(gui_text "$1")" = "$2" ]; }

# gui_capture_area OUT.png [X Y WIDTH HEIGHT]: the screen, or that part of it.
gui_capture_area() {
  local out=$1
  shift
  xwd -root -silent >"$out.xwd" && /usr/bin/python3 "$MIVOKA_ROOT/tools/xwd_to_png.py" "$out.xwd" "$out" "$@"
  local rc=$?
  rm -f "$out.xwd"
  return "$rc"
}

# gui_capture OUT.png [ID]: the whole screen, or only the control ID.
gui_capture() {
  if [ -n "${2:-}" ]; then
    gui_rect "$2" && gui_capture_area "$1" "${GUI_RECT[@]}"
  else
    gui_capture_area "$1"
  fi
}

# gui_decode PNG: the texts of the QR Code symbols zbar reads in the picture,
# one per line; false when there is none.
gui_decode() {
  zbarimg --quiet --raw -Sdisable -Sqrcode.enable "$1" 2>/dev/null
}

# gui_symbol_in_preview OUT.png [PREFIX]: captures the preview area into
# OUT.png; true when zbar reads a symbol there whose text starts with PREFIX
# (any text without one), the text then in GUI_DECODED.
gui_symbol_in_preview() {
  gui_capture "$1" "$(gui_id IDC_PREVIEW)" || return 1
  GUI_DECODED=$(gui_decode "$1") || return 1
  case "$GUI_DECODED" in
    "${2:-}"*) return 0 ;;
  esac
  return 1
}

# gui_capture_ids OUT.png ID...: these X windows, lowest first, cropped
# from the screen to the part they cover. Each window's own dump is laid on
# a dump of the whole screen: the X server keeps the pixels of some windows
# (Wine's message boxes and file dialogs here) out of the screen's dump, and
# elsewhere out of the window's own; a dump of one solid colour is left out.
gui_capture_ids() {
  # shellcheck disable=SC2034  # SCREEN and WINDOW: set by the eval of xdotool's output, kept local
  local out=$1 id n=0 left=100000 top=100000 right=0 bottom=0 X Y WIDTH HEIGHT SCREEN WINDOW
  local layers=()
  shift
  [ "$#" -gt 0 ] || { echo "error: no window to capture" >&2; return 1; }
  for id in "$@"; do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    n=$((n + 1))
    xwd -id "$id" -silent >"$out.$n.xwd" || return 1
    layers+=("$out.$n.xwd" "$X" "$Y")
    [ "$X" -lt "$left" ] && left=$X
    [ "$Y" -lt "$top" ] && top=$Y
    [ $((X + WIDTH)) -gt "$right" ] && right=$((X + WIDTH))
    [ $((Y + HEIGHT)) -gt "$bottom" ] && bottom=$((Y + HEIGHT))
  done
  xwd -root -silent >"$out.root.xwd" || return 1
  local i
  for ((i = 1; i < ${#layers[@]}; i += 3)); do
    layers[i]=$((layers[i] - left))
    layers[i + 1]=$((layers[i + 1] - top))
  done
  /usr/bin/python3 "$MIVOKA_ROOT/tools/xwd_to_png.py" --layers "$out" "$out.root.xwd" "$left" "$top" \
    $((right - left)) $((bottom - top)) "${layers[@]}"
  local rc=$?
  rm -f "$out".*.xwd
  return "$rc"
}

# gui_capture_windows OUT.png TITLE...: the shown top-level windows of these
# titles, laid in the order given (gui_capture_ids).
gui_capture_windows() {
  local out=$1 title ids=()
  shift
  for title in "$@"; do
    mapfile -t -O "${#ids[@]}" ids < <(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null)
  done
  [ "${#ids[@]}" -gt 0 ] || { echo "error: none of the windows $* is shown" >&2; return 1; }
  gui_capture_ids "$out" "${ids[@]}"
}

# gui_capture_program OUT.png: every shown window of the program (the main
# window, its dialogs, message boxes and popup menus) in their stacking
# order, lowest first.
gui_capture_program() {
  local ids
  mapfile -t ids < <(xdotool search --onlyvisible --class '^mivoka\.exe$' 2>/dev/null)
  [ "${#ids[@]}" -gt 0 ] || { echo "error: no window of the program is shown" >&2; return 1; }
  gui_capture_ids "$1" "${ids[@]}"
}

# gui_wait_painted TITLE TIMEOUT: the window of that title shows more than
# one colour (a window is mapped before it is painted).
gui_wait_painted() { gui_poll "$2" gui_painted "${GUI_FOLDER:-/tmp}/painted.png" "$1"; }

# gui_painted OUT.png TITLE: the window's capture into OUT.png has more than one colour.
gui_painted() { gui_capture_windows "$1" "$2" 2>/dev/null && ! gui_one_colour "$1"; }

gui_one_colour() {
  /usr/bin/python3 -c '
import sys
from PIL import Image
sys.exit(0 if len(Image.open(sys.argv[1]).convert("RGB").getcolors(1) or []) == 1 else 1)' "$1"
}

# gui_has_red PNG: the picture holds red drawing (a generation error's text).
gui_has_red() {
  /usr/bin/python3 -c '
import sys
from PIL import Image
pixels = Image.open(sys.argv[1]).convert("RGB").getdata()
sys.exit(0 if any(r > 180 and g < 90 and b < 90 for r, g, b in pixels) else 1)' "$1"
}

# gui_open_windows: the program's windows other than the main one, as the
# probe lists them, a line "window CLASS TITLE" each (empty when none). Fails
# when the window does not answer within 2 s: while the system opens or closes
# a file dialog the list says nothing, and an empty list must not pass for
# "nothing open".
gui_open_windows() {
  local out
  out=$(wine "$GUI_PROBE" check 2>/dev/null | tr -d '\r')
  grep -q '^answer [0-9]' <<<"$out" || return 1
  grep '^window ' <<<"$out" || true
}

# gui_no_window_open: the program answers and has no window open but the main one.
gui_no_window_open() {
  local open
  open=$(gui_open_windows) && [ -z "$open" ]
}

# gui_dialog_ready TITLE: the program has the dialog TITLE open with its
# file-name field. Asked of the program, not of the X screen, where a dialog
# the system is still closing may keep its window mapped for a moment.
gui_dialog_ready() {
  local open
  open=$(gui_open_windows) && grep -qxF "window #32770 $1" <<<"$open" && { gui_rect 1148 || gui_rect 1152; }
}

# gui_file_dialog TITLE NAME: in the system's file dialog TITLE (ready within
# 10 s), NAME typed into its file-name field, then Return.
gui_file_dialog() {
  gui_poll 10 gui_dialog_ready "$1" || return 1
  xdotool mousemove $((GUI_RECT[0] + GUI_RECT[2] / 2)) $((GUI_RECT[1] + GUI_RECT[3] / 2)) click 1
  xdotool key ctrl+a && xdotool type --delay 5 -- "$2" && xdotool key Return
}
