#!/bin/bash
# Runs the display-scale checks of the window tests at other display scales:
# Wine's LogPixels set to each DPI in turn for the run of the test program,
# on a desktop of its own as large as a 1280 x 1024 one at that scale (a
# Wine virtual desktop on an X screen of that size), and back to 96
# afterwards, whatever happens.
# usage: at_dpi.sh SHELL_TESTS_EXE DPI...
set -uo pipefail
. "$(dirname "$0")/../../tools/wine-env.sh"
exe=$1
shift
log=$(mktemp)
usual_display=${DISPLAY:-}
# A virtual desktop leaves the server with desktops the next programs on the
# usual display cannot be brought to the front of: the server that ran is
# started again afresh (kept, as the runs of the tests keep theirs), on the
# usual display. Its background processes (services, the desktop) start with
# the first program it runs: that is the LogPixels reset here, output to
# /dev/null, and not the next test, whose output ctest would then wait on
# for as long as they run.
# shellcheck disable=SC2317  # run by back_to_usual, the EXIT trap
restart_server() {
  wineserver -k </dev/null >/dev/null 2>&1 && wineserver -p </dev/null >/dev/null 2>&1
  return 0
}
# shellcheck disable=SC2317  # the EXIT trap
back_to_usual() {
  xvfb_stop
  if [ -n "$usual_display" ]; then export DISPLAY=$usual_display; else unset DISPLAY; fi
  restart_server
  wine_set_dpi 96
  rm -f "$log"
}
trap back_to_usual EXIT
status=0
for dpi in "$@"; do
  echo "== at $dpi dpi"
  wine_set_dpi "$dpi" || { echo "error: cannot set LogPixels $dpi" >&2; exit 1; }
  unset DISPLAY
  MIVOKA_XVFB_SCREEN="$((1280 * dpi / 96))x$((1024 * dpi / 96))" xvfb_start >/dev/null || exit 1
  # The desktop does not hand on the program's exit code: its report does.
  wine explorer "/desktop=dpi$dpi,$((1280 * dpi / 96))x$((1024 * dpi / 96))" "$exe" \
    --gtest_filter='DisplayScaleAtTheSystemDpi.*' </dev/null 2>&1 | tee "$log"
  grep -q '^\[  PASSED  \] 3 tests\.' "$log" && ! grep -q '^\[  FAILED  \]' "$log" || status=1
  xvfb_stop
done
exit $status
