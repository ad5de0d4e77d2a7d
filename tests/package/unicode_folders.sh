# shellcheck shell=bash
# Sourced by install_uninstall.sh, in its fresh prefix with its helpers
# (install, unix_path, windows_value, reg_value, fail, step): the installed
# program in folders named outside code page 932. For each folder, setup
# "/S /D=" installs there; the program starts with no message box (a failed
# load of QR2DLL would show one); a typed text becomes a symbol that zbar
# reads, which ASCII text only gets from QR2DLL; F1 asks the system to open
# the folder's own help\index.html (the test makes window_probe.exe the
# handler of .html files, so it records the name it is given); resume.txt is
# written there at exit and the next start shows its text. Beside "José" a
# decoy folder "Jose" (the name code page 932 best-fits it to) holds a
# QR2DLL.dll that is no library at all and a resume.txt of its own: loading
# the one would show the message box, reading the other would show its text,
# and neither file may change.

UNICODE_FOLDERS=(José 김민수 张伟 𠮷野 QR😀)
# The folder each name becomes through code page 932, where Windows can make
# one: the others best-fit to question marks, which no file name may hold.
declare -A BEST_FIT_FOLDER=([José]=Jose)
LOAD_FAILURE_CAPTION='Cannot Load QR2DLL.DLL'

# make_probe_the_html_handler RECORD_FILE: .html files open with
# "window_probe.exe record RECORD_FILE %1" (a UTF-16 .reg file, so that
# regedit takes the quotes and backslashes as they are).
make_probe_the_html_handler() {
  local probe_win record_win reg=$WORK/html-handler.reg
  probe_win=$(winepath -w "$GUI_PROBE" 2>/dev/null | tr -d '\r') || return 1
  record_win=$(winepath -w "$1" 2>/dev/null | tr -d '\r') || return 1
  /usr/bin/python3 - "$reg" "$probe_win" "$record_win" <<'EOF' || return 1
import sys
out, probe, record = sys.argv[1:]
command = '"%s" record "%s" "%%1"' % (probe, record)
quoted = lambda s: '"' + s.replace('\\', '\\\\').replace('"', '\\"') + '"'
text = "Windows Registry Editor Version 5.00\r\n\r\n" \
    "[HKEY_CLASSES_ROOT\\.html]\r\n@=\"htmlfile\"\r\n\r\n" \
    "[HKEY_CLASSES_ROOT\\htmlfile\\shell\\open\\command]\r\n@=" + quoted(command) + "\r\n"
open(out, "wb").write(b"\xff\xfe" + text.encode("utf-16-le"))
EOF
  wine regedit /S "$(winepath -w "$reg" 2>/dev/null | tr -d '\r')" >/dev/null 2>&1
}

# window_or_failure_shown: the main window or the message box of a failed load.
window_or_failure_shown() { gui_window_shown Mivoka || gui_window_shown "$LOAD_FAILURE_CAPTION"; }

# start_installed FOLDER_WIN: starts FOLDER_WIN\Mivoka.exe by its Windows
# name (so the program sees the folder as installed) and waits for its
# window or the message box of a failed load.
start_installed() {
  wine "$1\\Mivoka.exe" </dev/null >>"$WORK/mivoka.log" 2>&1 &
  # shellcheck disable=SC2034  # read by gui_stop (tools/wine-gui.sh, sourced by install_uninstall.sh)
  GUI_PID=$!
  gui_poll 60 window_or_failure_shown ||
    fail "neither the window nor a message box came up from $1"
  ! gui_window_shown "$LOAD_FAILURE_CAPTION" || fail "\"$LOAD_FAILURE_CAPTION\" from $1"
  gui_wait_main 60 || fail "the window of $1\\Mivoka.exe did not come up"
  only_the_main_window "$1"
}

# only_the_main_window FOLDER_WIN: no other window of the program (a message
# box) is up.
only_the_main_window() {
  local others
  others=$(wine "$GUI_PROBE" check 2>/dev/null | tr -d '\r' | grep '^window ')
  [ -z "$others" ] || fail "$1\\Mivoka.exe shows $others"
}

# file_state FILE...: each file's sha1 and modification time to the nanosecond.
file_state() {
  local file
  for file in "$@"; do
    echo "$(sha1sum <"$file" | cut -d' ' -f1) $(stat -c %y "$file") $file"
  done
}

check_unicode_folders() {
  local base_win name folder_win folder decoy decoy_state record=$WORK/help-opened.txt typed shown
  base_win="$(windows_value LOCALAPPDATA)\\Programs"
  make_probe_the_html_handler "$record" || fail "making window_probe.exe the .html handler"
  # Settings of a program that has run before: no First Message.
  { wine reg add "$SETTINGS_KEY" /v _version /t REG_DWORD /d 2125825 /f >/dev/null 2>&1 &&
    wine reg add "$SETTINGS_KEY" /v _count /t REG_DWORD /d 1 /f >/dev/null 2>&1; } || fail "writing the start counter"
  local n=0
  for name in "${UNICODE_FOLDERS[@]}"; do
    n=$((n + 1))
    step "setup /S /D= into $name"
    folder_win="$base_win\\$name"
    install "/D=$folder_win" || fail "setup /S /D=$folder_win exited $?"
    folder=$(unix_path "$folder_win")
    { [ -n "$folder" ] && cmp -s "$DIST/Mivoka.exe" "$folder/Mivoka.exe" && cmp -s "$DIST/QR2DLL.dll" "$folder/QR2DLL.dll"; } ||
      fail "the program is not installed in $folder_win"
    decoy=
    if [ -n "${BEST_FIT_FOLDER[$name]:-}" ]; then
      decoy=$(unix_path "$base_win\\${BEST_FIT_FOLDER[$name]}")
      mkdir -p "$decoy" || fail "no decoy folder $decoy"
      printf 'not a library\r\n' >"$decoy/QR2DLL.dll"
      printf '< Text >\r\nthe decoy folder\r\n' >"$decoy/resume.txt"
      decoy_state=$(file_state "$decoy/QR2DLL.dll" "$decoy/resume.txt")
    fi

    start_installed "$folder_win"
    typed="installed in folder $n, resumed"
    gui_type_into "$(gui_id IDC_TEXT)" "$typed" || fail "typing into the window from $name"
    gui_click "$(gui_id IDC_CREATE)" || fail "clicking 作成"
    gui_poll 30 gui_symbol_in_preview "$WORK/symbol-$n.png" ||
      fail "no symbol from QR2DLL in $name (see $WORK/symbol-$n.png)"
    [ "$GUI_DECODED" = "$typed" ] || fail "zbar read \"$GUI_DECODED\" in $name, typed was \"$typed\""

    rm -f "$record"
    { gui_focus_control "$(gui_id IDC_TEXT)" && xdotool key F1; } || fail "pressing F1"
    gui_poll 20 test -s "$record" || fail "F1 opened no page from $name"
    shown=$(cat "$record")
    [ "$shown" = "$folder_win\\help\\index.html" ] || fail "F1 opened \"$shown\", not $folder_win\\help\\index.html"
    only_the_main_window "$folder_win"

    gui_stop || fail "Mivoka in $name did not end with Alt+F4"
    grep -qF "$typed" "$folder/resume.txt" 2>/dev/null || fail "resume.txt in $name does not hold the typed text"
    start_installed "$folder_win"
    shown=$(gui_text "$(gui_id IDC_TEXT)")
    [ "$shown" = "$typed" ] || fail "the next start in $name shows \"$shown\", not \"$typed\""
    gui_stop || fail "Mivoka in $name did not end with Alt+F4"
    if [ -n "$decoy" ]; then
      [ "$(file_state "$decoy/QR2DLL.dll" "$decoy/resume.txt")" = "$decoy_state" ] ||
        fail "the files of the decoy folder $decoy changed"
    fi
  done
}
