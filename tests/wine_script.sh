# shellcheck shell=bash
# The start of every script that drives Mivoka under Wine: its arguments into
# the variables named (else its usage and exit 2), the tree's root, and the
# Wine helpers of tools/.
# usage, sourced: . tests/wine_script.sh "DIST GUI_PROBE WORK" "$@"
read -r -a wine_script_names <<<"$1"
shift
if [ "$#" -ne "${#wine_script_names[@]}" ]; then
  echo "usage: $(basename "$0") ${wine_script_names[*]}" >&2
  exit 2
fi
for wine_script_i in "${!wine_script_names[@]}"; do
  printf -v "${wine_script_names[$wine_script_i]}" '%s' "${@:wine_script_i+1:1}"
done
MIVOKA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/wine-env.sh
. "$MIVOKA_ROOT/tools/wine-env.sh"
# shellcheck source=tools/wine-gui.sh
. "$MIVOKA_ROOT/tools/wine-gui.sh"
