# shellcheck shell=bash
# Shared by run.sh and test.sh (sourced): the Wine prefix under build/, one
# persistent wine server for a whole run, and an Xvfb display when there is
# none. By hand: `. tools/wine-env.sh && wine_env && wine_prefix_up`, then
# wine or ctest.

MIVOKA_ROOT=${MIVOKA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
MIVOKA_XVFB_PID=
MIVOKA_WINESERVER_STARTED=

# Exports the variables every Wine process of ours runs with: our own prefix,
# no debug output, no Mono or Gecko install prompts, a UTF-8 C locale.
wine_env() {
  export WINEPREFIX=$MIVOKA_ROOT/build/wineprefix
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=C.UTF-8
}

# Writes the font replacements as regedit reads them: UTF-16LE with a BOM and
# CR LF line ends.
wine_fonts_reg() {
  local out=$1
  { printf '\xff\xfe'
    sed 's/$/\r/' "$MIVOKA_ROOT/tools/wine-fonts.reg" | iconv -f UTF-8 -t UTF-16LE
  } >"$out"
}

# Warns when a font the replacements name is not installed.
wine_check_fonts() {
  local family
  command -v fc-list >/dev/null || return 0
  for family in IPAPGothic IPAGothic IPAMincho; do
    fc-list ":family=$family" family | grep -q . ||
      echo "warning: font $family not found (package fonts-ipafont)" >&2
  done
}

# Creates the prefix once, starts its background processes (services, the
# desktop) with their output sent to /dev/null, and (re)imports the font
# replacements when they or Wine changed. Started later by a test instead, those
# processes would keep its output pipe open and ctest would wait for them.
wine_prefix_up() {
  local stamp=$WINEPREFIX/.mivoka-stamp want boot=()
  [ -f "$WINEPREFIX/system.reg" ] || boot=(-i)
  [ "${#boot[@]}" -gt 0 ] && echo "== wine: creating the prefix $WINEPREFIX"
  wineboot "${boot[@]}" </dev/null >/dev/null 2>&1 || { echo "error: wineboot failed" >&2; return 1; }
  want="$(wine --version 2>/dev/null) $(sha1sum <"$MIVOKA_ROOT/tools/wine-fonts.reg")"
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ] && return 0
  wine_check_fonts
  wine_fonts_reg "$WINEPREFIX/mivoka-fonts.reg"
  (cd "$WINEPREFIX" && wine regedit /S mivoka-fonts.reg </dev/null >/dev/null 2>&1) ||
    { echo "error: importing the font replacements failed" >&2; return 1; }
  echo "$want" >"$stamp"
}

# Starts one persistent wine server for this prefix: without it every Wine
# process waits for the helper processes of the last one to wind down.
wine_server_start() {
  mkdir -p "$WINEPREFIX"
  if wineserver -p >/dev/null 2>&1; then
    MIVOKA_WINESERVER_STARTED=1
  else
    echo "== wine: a server already runs for $WINEPREFIX; using it"
  fi
}

# Stops the server of our prefix and every Wine process in it.
wine_server_stop() {
  [ -n "$MIVOKA_WINESERVER_STARTED" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  MIVOKA_WINESERVER_STARTED=
}

# Starts Xvfb on a free display when DISPLAY is unset; Xvfb picks the number.
# The screen is 1280 x 1024 unless MIVOKA_XVFB_SCREEN gives another size.
xvfb_start() {
  [ -n "${DISPLAY:-}" ] && return 0
  local numfile
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${MIVOKA_XVFB_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  MIVOKA_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$numfile" ] && break
    sleep 0.1
  done
  if [ ! -s "$numfile" ]; then
    echo "warning: Xvfb did not start; tests that open windows will fail" >&2
    rm -f "$numfile"
    xvfb_stop
    return 1
  fi
  DISPLAY=":$(head -n1 "$numfile")"
  export DISPLAY
  rm -f "$numfile"
  echo "== Xvfb on display $DISPLAY"
}

xvfb_stop() {
  [ -n "$MIVOKA_XVFB_PID" ] || return 0
  kill "$MIVOKA_XVFB_PID" 2>/dev/null || true
  wait "$MIVOKA_XVFB_PID" 2>/dev/null || true
  MIVOKA_XVFB_PID=
}

# wine_set_dpi DPI: the display scale every Wine program started afterwards
# runs at (96 is 100 %, 144 is 150 %). Wine 8 takes it from the desktop
# settings of the user; the fonts key is set alike for the font code.
wine_set_dpi() {
  local key
  for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1 || return 1
  done
}
