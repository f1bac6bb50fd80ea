#!/usr/bin/env bash
# Runs the Windows builds' tests under Wine in a private Xvfb: the unit, port
# and scenario tests of both presets (ctest), then the end-to-end tests of the
# real quimbel.scr. Expects `cmake --build --preset win64` and `... win32` done.
# Screenshots go to build/artifacts/win32/. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
root=$(pwd)
# shellcheck source=tests/e2e/lib.sh
. tests/e2e/lib.sh
artifacts=$root/build/artifacts/win32
mkdir -p "$artifacts"

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX
WINEPREFIX=$(tests/e2e/win32/wine-prefix.sh 96 | tail -n1) || {
  echo "run-win32: could not prepare the Wine prefix"
  exit 1
}

e2e_start_xvfb 91 1024x768 || e2e_abort run-win32 "run-win32: no X display"
# The Wine server ends before its display does; a server left from another
# display would draw our windows there.
e2e_at_exit wine_restart
wine_restart

failures=()
skipped=0
step() {
  local name=$1
  shift
  local start=$SECONDS
  echo "--- $name"
  if e2e_run "$@"; then
    passed=$((passed + 1))
    echo "--- $name: ok ($((SECONDS - start)) s)"
  else
    failed=$((failed + 1))
    failures+=("$name")
    echo "--- $name: FAILED ($((SECONDS - start)) s)"
  fi
}

# The 32-bit build runs only where the kernel runs 32-bit programs.
presets=(win64)
if wine_runs_32bit; then
  presets+=(win32)
else
  echo "run-win32: this machine's kernel does not run 32-bit programs (Wine's 32-bit" \
    "loader: \"Exec format error\"): the win32 build's tests are skipped"
  skipped=$((skipped + 4))
fi

for preset in "${presets[@]}"; do
  step "$preset ctest" ctest --preset "$preset" --timeout 300
done

# End-to-end tests of the real program, then the driver's tests again at
# 120 dpi (fonts scale, client sizes stay), then the prefix back at 96.
for preset in "${presets[@]}"; do
  if [[ -x $root/build/$preset/quimbel_e2e_win32.exe ]]; then
    step "$preset end-to-end (96 dpi)" tests/e2e/win32/run-e2e.sh "$preset" "$artifacts/$preset-96dpi" 96
  fi
done
if [[ -x $root/build/win64/quimbel_e2e_win32.exe || -x $root/build/win32/quimbel_e2e_win32.exe ]]; then
  tests/e2e/win32/wine-prefix.sh 120 >/dev/null
  for preset in "${presets[@]}"; do
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

# One character at 96 and 192 dpi: twice as tall on the denser screen.
if [[ -x $root/build/win64/quimbel_e2e_win32.exe ]]; then
  step "win64 scene scale (96 and 192 dpi)" tests/e2e/win32/run-scale.sh win64 \
    "$artifacts/win64-scale"
fi

# A start-up that cannot have its memory: the 32-bit build on a vast desktop.
if [[ -x $root/build/win32/quimbel_e2e_win32.exe ]] && wine_runs_32bit; then
  step "win32 start-up without memory" tests/e2e/win32/run-huge-desktop.sh \
    "$artifacts/win32-huge-desktop"
fi

for f in "${failures[@]}"; do echo "run-win32: failed: $f"; done
[ "$skipped" -gt 0 ] && echo "run-win32: $skipped steps of the 32-bit build skipped"
e2e_summary run-win32
