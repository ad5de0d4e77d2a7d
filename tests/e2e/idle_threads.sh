#!/bin/bash
# An idle window starts no threads: Mivoka.exe from dist/ under Wine, with
# automatic generation on and a symbol made, is left alone while its pump
# ticks every 40 ms ("quick" 0). Every 0.1 s the kernel's list of the
# process's threads must be the one taken at the start (a thread started and
# ended per tick would bring a new id). The CPU time used meanwhile is
# printed. A text typed afterwards is still made into its symbol.
# MIVOKA_IDLE_SECONDS sets the idle time (10 s by default).
# usage: idle_threads.sh DIST WINDOW_PROBE_EXE WORK_FOLDER
set -uo pipefail
. "$(dirname "$0")/../wine_script.sh" "DIST GUI_PROBE WORK" "$@"
[ -n "${WINEPREFIX:-}" ] || wine_env
IDLE=${MIVOKA_IDLE_SECONDS:-10}

fail() {
  echo "FAIL: $*" >&2
  gui_stop
  exit 1
}

threads() { find "/proc/$GUI_PID/task" -mindepth 1 -maxdepth 1 -printf '%f\n' 2>/dev/null | sort -n | tr '\n' ' '; }
# Clock ticks of user and system time of the process (all its threads).
cpu_ticks() { awk '{print $14 + $15}' "/proc/$GUI_PID/stat"; }

gui_check_tools || exit 1
gui_prepare "$WORK/program" "$DIST" _version=2125825 _count=1 autoencode=1 quick=0 mode=0 carrier=2 ||
  fail "cannot prepare $WORK/program"
gui_start || fail "the window did not open"
gui_type_into "$(gui_id IDC_TEXT)" "idle 1" || fail "typing into the text field"
{ gui_poll 30 gui_symbol_in_preview "$WORK/before.png" "idle 1" && [ "$GUI_DECODED" = "idle 1" ]; } ||
  fail "no symbol of \"idle 1\" (zbar read \"${GUI_DECODED:-}\")"
# The probe's own start and the first paints settle.
sleep 2
BEFORE=$(threads)
[ -n "$BEFORE" ] || fail "no threads listed for pid $GUI_PID"
CPU0=$(cpu_ticks)
END=$((SECONDS + IDLE))
SAMPLES=0
while [ "$SECONDS" -lt "$END" ]; do
  NOW=$(threads)
  [ "$NOW" = "$BEFORE" ] || fail "the threads changed while idle after $SAMPLES samples: [$BEFORE] became [$NOW]"
  SAMPLES=$((SAMPLES + 1))
  sleep 0.1
done
CPU1=$(cpu_ticks)
HZ=$(getconf CLK_TCK)
echo "idle $IDLE s: $(wc -w <<<"$BEFORE") threads throughout ($SAMPLES samples), CPU $(( (CPU1 - CPU0) * 1000 / HZ )) ms"
# The pump still makes what is typed.
gui_type_into "$(gui_id IDC_TEXT)" "idle 2" || fail "typing into the text field"
{ gui_poll 30 gui_symbol_in_preview "$WORK/after.png" "idle 2" && [ "$GUI_DECODED" = "idle 2" ]; } ||
  fail "no symbol of \"idle 2\" after the idle time (zbar read \"${GUI_DECODED:-}\")"
gui_stop || fail "Mivoka did not end with Alt+F4"
echo "PASS: no thread started or ended in $IDLE idle seconds; the typed text was made after them"
