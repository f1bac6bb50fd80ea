#!/usr/bin/env bash
# Runs the Windows builds' tests under Wine in a private Xvfb: the unit, port
# and scenario tests of both presets (ctest), then the end-to-end tests of the
# real quimbel.scr. Expects `cmake --build --preset win64` and `... win32` done.
# Screenshots go to build/artifacts/win32/. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
artifacts=$root/build/artifacts/win32
mkdir -p "$artifacts"

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX
WINEPREFIX=$(tests/e2e/win32/wine-prefix.sh 96 | tail -n1) || {
  echo "run-win32: could not prepare the Wine prefix"
  exit 1
}

# A display nobody else uses.
display=
for n in $(seq 91 140); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
    display=$n
    break
  fi
done
[[ -n $display ]] || { echo "run-win32: no free X display"; exit 1; }
# -noreset: otherwise the server resets when its last client leaves and loses
# the root colour and the pointer position between tests.
Xvfb ":$display" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X$display ]] && break
  sleep 0.1
done
export DISPLAY=:$display

cleanup() {
  wineserver -k 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
}
trap cleanup EXIT
# A server left from another display would draw our windows there.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null

passed=0
failed=0
failures=()
step() {
  local name=$1
  shift
  local start=$SECONDS
  echo "--- $name"
  if "$@"; then
    passed=$((passed + 1))
    echo "--- $name: ok ($((SECONDS - start)) s)"
  else
    failed=$((failed + 1))
    failures+=("$name")
    echo "--- $name: FAILED ($((SECONDS - start)) s)"
  fi
}

for preset in win64 win32; do
  step "$preset ctest" ctest --preset "$preset" --timeout 300
done

# End-to-end tests of the real program, then the driver's tests again at
# 120 dpi (fonts scale, client sizes stay), then the prefix back at 96.
for preset in win64 win32; do
  if [[ -x $root/build/$preset/quimbel_e2e_win32.exe ]]; then
    step "$preset end-to-end (96 dpi)" tests/e2e/win32/run-e2e.sh "$preset" "$artifacts/$preset-96dpi" 96
  fi
done
if [[ -x $root/build/win64/quimbel_e2e_win32.exe || -x $root/build/win32/quimbel_e2e_win32.exe ]]; then
  tests/e2e/win32/wine-prefix.sh 120 >/dev/null
  for preset in win64 win32; do
    if [[ -x $root/build/$preset/quimbel_e2e_win32.exe ]]; then
      step "$preset end-to-end (120 dpi)" tests/e2e/win32/run-e2e.sh "$preset" \
        "$artifacts/$preset-120dpi" 120 driver-only
    fi
  done
  tests/e2e/win32/wine-prefix.sh 96 >/dev/null
fi

# Two monitors, the second left of the primary, at two scales.
for dpi in 96 144; do
  if [[ -x $root/build/win64/quimbel_e2e_win32.exe ]]; then
    step "win64 two monitors ($dpi dpi)" tests/e2e/win32/run-monitors.sh win64 \
      "$artifacts/win64-monitors-${dpi}dpi" "$dpi"
  fi
done
tests/e2e/win32/wine-prefix.sh 96 >/dev/null

# A start-up that cannot have its memory: the 32-bit build on a vast desktop.
if [[ -x $root/build/win32/quimbel_e2e_win32.exe ]]; then
  step "win32 start-up without memory" tests/e2e/win32/run-huge-desktop.sh \
    "$artifacts/win32-huge-desktop"
fi

for f in "${failures[@]}"; do echo "run-win32: failed: $f"; done
echo "run-win32: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
