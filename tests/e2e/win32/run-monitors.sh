#!/usr/bin/env bash
# The Windows build on two monitors under Wine: a wide Xvfb screen split into
# two RandR monitors, which Wine reads as Xinerama heads once its XRandR use is
# off. The first head is Wine's primary at (0, 0), the second lies left of it:
# the virtual screen runs from (-1024, 0), 2048 × 768 (Wine also reports a
# third monitor covering both, Xvfb's own). Runs the driver's monitor tests.
#   run-monitors.sh <preset> <artifacts dir> <dpi>
# Expects WINEPREFIX prepared by wine-prefix.sh; uses a display of its own.
set -uo pipefail
preset=$1
artifacts=$2
dpi=$3
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$root/build/$preset
mkdir -p "$artifacts"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/tests/e2e/win32/wine-prefix.sh" "$dpi" >/dev/null

display=
for n in $(seq 141 190); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
    display=$n
    break
  fi
done
[[ -n $display ]] || { echo "run-monitors: no free X display"; exit 1; }
Xvfb ":$display" -screen 0 2048x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X$display ]] && break
  sleep 0.1
done
export DISPLAY=:$display
xrandr --setmonitor A 1024/270x768/203+1024+0 none
xrandr --setmonitor B 1024/270x768/203+0+0 none

# The Wine server belongs to one display at a time; the setting is read when
# it starts.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null

cleanup() {
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /f >/dev/null 2>&1
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
}
trap cleanup EXIT

QUIMBEL_ARTIFACTS=$(winepath -w "$artifacts" 2>/dev/null) \
  timeout 300 wine "$build/quimbel_e2e_win32.exe" --gtest_color=no \
  --gtest_filter='MonitorsE2e.*' >"$artifacts/driver.log" 2>&1
status=$?
grep -E '^\[ +(OK|FAILED|SKIPPED) +\]|Failure|Expected|Which is|actual' "$artifacts/driver.log" |
  grep -v ' tests, listed below' | sed 's/^/  /'
for bmp in "$artifacts"/*.bmp; do
  [[ -e $bmp ]] || continue
  convert "$bmp" -alpha off "${bmp%.bmp}.png" && rm -f "$bmp"
done
ran=$(grep -c '^\[ *OK *\]' "$artifacts/driver.log")
skipped=$(grep -c '^\[ *SKIPPED *\]' "$artifacts/driver.log")
echo "run-monitors $preset ($dpi dpi): exit $status, $ran passed, $skipped skipped"
# A skipped test here means Wine saw one monitor: the set-up failed.
[[ $status -eq 0 && $skipped -eq 0 && $ran -ge 3 ]]
