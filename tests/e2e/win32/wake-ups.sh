#!/usr/bin/env bash
# The saver's wake-ups per second under Wine with the displays on and off:
# runs the display-power end-to-end test with its phases held, and counts the
# voluntary context switches of every thread of the quimbel.scr process (and
# of the Wine server, which each of its calls wakes) over each phase.
#   wake-ups.sh <preset> [seconds]
# Needs the preset built; sets up its own display, and the prefix
# tests/e2e/win32/wine-prefix.sh gives (QUIMBEL_WINEPREFIX chooses it).
set -uo pipefail
cd "$(dirname "$0")/../../.." || exit 1
root=$(pwd)
# shellcheck source=tests/e2e/lib.sh
. tests/e2e/lib.sh
preset=$1
secs=${2:-10}
build=$root/build/$preset
artifacts=$root/build/artifacts/wake-ups-$preset
rm -rf "$artifacts" && mkdir -p "$artifacts"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX
WINEPREFIX=$(tests/e2e/win32/wine-prefix.sh 96 | tail -n1) || exit 1
e2e_start_xvfb 95 1024x768 || exit 1
e2e_at_exit wine_restart
wine_restart

phase() { cat "$artifacts/phase" 2>/dev/null; }
await() {
  for _ in $(seq 600); do
    [ "$(phase)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
measure() {
  local a s b t
  a=$(switches "$saver") s=$(switches "$server")
  sleep "$secs"
  b=$(switches "$saver") t=$(switches "$server")
  echo "$1: quimbel.scr $(((b - a) / secs))/s, wineserver $(((t - s) / secs))/s"
}

e2e_bg env QUIMBEL_E2E_HOLD_MS=$(((secs + 2) * 1000)) \
  QUIMBEL_ARTIFACTS="$(winepath -w "$artifacts" 2>/dev/null)" \
  wine "$build/quimbel_e2e_win32.exe" --gtest_filter='DisplayPowerE2e.*' >"$artifacts/driver.log" 2>&1
driver=$!
await lit || { echo "the test never reached its lit phase"; exit 1; }
# Ours, not another prefix's.
ours() {
  local p
  for p in "$@"; do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done | tail -n 1
}
# shellcheck disable=SC2046 # one id a word
saver=$(ours $(pgrep -f 'quimbel\.scr'))
# shellcheck disable=SC2046
server=$(ours $(pgrep -f '/wineserver'))
[ -n "$saver" ] && [ -n "$server" ] || { echo "no quimbel.scr or wineserver of ours"; exit 1; }
sleep 1
measure lit
await dark || { echo "the test never reached its dark phase"; exit 1; }
sleep 1
measure dark
wait "$driver"
status=$?
grep -E '^\[ +(OK|FAILED|PASSED) +\]' "$artifacts/driver.log"
exit "$status"
