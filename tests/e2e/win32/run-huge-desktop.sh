#!/usr/bin/env bash
# The 32-bit build on a desktop far larger than its address space can hold
# surfaces for: a second RandR monitor far from the first makes Wine's
# virtual screen 31024 x 30768 pixels (with its XRandR use off, as for two
# monitors), while Xvfb's own screen stays small. Runs the driver's start-up
# failure test there.
#   run-huge-desktop.sh <artifacts dir>
# Expects WINEPREFIX prepared by wine-prefix.sh; uses a display of its own.
set -uo pipefail
artifacts=$1
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$root/build/win32
mkdir -p "$artifacts"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

display=
for n in $(seq 191 240); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
    display=$n
    break
  fi
done
[[ -n $display ]] || { echo "run-huge-desktop: no free X display"; exit 1; }
Xvfb ":$display" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X$display ]] && break
  sleep 0.1
done
export DISPLAY=:$display
xrandr --setmonitor A 1024/270x768/203+0+0 none
xrandr --setmonitor B 1024/270x768/203+30000+30000 none

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
  timeout 120 wine "$build/quimbel_e2e_win32.exe" --gtest_color=no \
  --gtest_filter='StartUpFailureE2e.*' >"$artifacts/driver.log" 2>&1
status=$?
grep -E '^\[ +(OK|FAILED|SKIPPED) +\]|Failure|Expected|Which is|actual' "$artifacts/driver.log" |
  grep -v ' tests, listed below' | sed 's/^/  /'
for bmp in "$artifacts"/*.bmp; do
  [[ -e $bmp ]] || continue
  convert "$bmp" -alpha off "${bmp%.bmp}.png" && rm -f "$bmp"
done
ran=$(grep -c '^\[ *OK *\]' "$artifacts/driver.log")
echo "run-huge-desktop: exit $status, $ran passed"
# A skip means Wine did not see the large desktop: the set-up failed.
[[ $status -eq 0 && $ran -eq 1 ]]
