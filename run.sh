#!/bin/bash
# Installs what is missing, builds the Windows program into build/windows/dist
# and starts it under Wine; without a window to show, explains the
# command-line tool instead.
set -uo pipefail
cd "$(dirname "$0")" || exit 1
. tools/deps.sh
. tools/wine-env.sh

EXE=build/windows/dist/Mivoka.exe
NATIVE_CLI=build/native/cli/mivoka
WINDOWS_CLI=build/windows/dist/mivoka-cli.exe

show_cli_usage() {
  echo
  echo "The command-line tool, native and under Wine:"
  echo "  $NATIVE_CLI <subcommand> [options]"
  echo "  wine $WINDOWS_CLI <subcommand> [options]"
  echo
  "$NATIVE_CLI" --help
  echo
  echo "For example, $NATIVE_CLI show --text 'https://example.jp/' draws the symbol in the terminal:"
  "$NATIVE_CLI" show --text 'https://example.jp/'
}

install_missing_packages || exit 1
echo "== building build/windows and the native command-line tool (with libQR2DLL.so beside it)"
logged windows configure configure_windows && logged windows build build_tree windows dist &&
  logged native configure configure_native && logged native build build_tree native mivoka QR2DLL ||
  exit 1
echo "   done: $(cd build/windows/dist && printf '%s ' *)"

if [ -z "${DISPLAY:-}" ]; then
  echo
  echo "There is no display (DISPLAY is unset), so the Mivoka window cannot open here."
  show_cli_usage
  exit 0
fi
wine_env
wine_prefix_up || exit 1
echo "== starting $EXE under Wine"
exec wine "$EXE" "$@"
