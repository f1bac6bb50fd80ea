#!/usr/bin/env bash
# The saver's scale under Wine: the driver measures one character over black
# at 96 and at 192 dpi, each against the sprite sheet times the screen's scale,
# and here the two heights are compared: twice as tall at 192 dpi.
#   run-scale.sh <preset> <artifacts dir>
# Expects WINEPREFIX prepared by wine-prefix.sh; uses a display of its own and
# leaves the prefix at 96 dpi.
set -uo pipefail
preset=$1
artifacts=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
build=$root/build/$preset
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

e2e_start_xvfb 151 1024x768 || e2e_abort "run-scale $preset" "run-scale: no X display"
e2e_at_exit wine_restart
declare -A tall
status=0
for dpi in 96 192; do
  "$root/tests/e2e/win32/wine-prefix.sh" "$dpi" >/dev/null
  wine_restart
  mkdir -p "$artifacts/$dpi"
  wine_driver "$build" "$artifacts/$dpi" 200 --gtest_filter='SaverScaleE2e.*' || status=1
  line=$(grep -m1 'the character measures' "$artifacts/$dpi/driver.log")
  echo "  $dpi dpi: ${line:-no measurement}"
  tall[$dpi]=$(sed -n 's/.* x \([0-9]*\) pixels.*/\1/p' <<<"$line")
done
"$root/tests/e2e/win32/wine-prefix.sh" 96 >/dev/null
# Two walking steps may differ by a pixel or two in height: within 5 %.
ratio_ok=$(awk -v a="${tall[96]:-0}" -v b="${tall[192]:-0}" \
  'BEGIN { print (a > 0 && b >= 1.9 * a && b <= 2.1 * a) ? "ok" : "no" }')
echo "run-scale $preset: ${tall[192]:-?} px tall at 192 dpi, ${tall[96]:-?} px at 96 dpi"
[[ $status -eq 0 && $ratio_ok == ok ]]
