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
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
build=$root/build/$preset
mkdir -p "$artifacts"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/tests/e2e/win32/wine-prefix.sh" "$dpi" >/dev/null

# The primary on the right, the second monitor left of it.
wine_two_monitors 141 2048x768 1024/270x768/203+1024+0 1024/270x768/203+0+0 ||
  e2e_abort "run-monitors $preset ($dpi dpi)" "run-monitors: no two-monitor display"

wine_driver "$build" "$artifacts" 300 --gtest_filter='MonitorsE2e.*'
status=$?
ran=$(grep -c '^\[ *OK *\]' "$artifacts/driver.log")
skipped=$(grep -c '^\[ *SKIPPED *\]' "$artifacts/driver.log")
echo "run-monitors $preset ($dpi dpi): exit $status, $ran passed, $skipped skipped"
# A skipped test here means Wine saw one monitor: the set-up failed.
[[ $status -eq 0 && $skipped -eq 0 && $ran -ge 3 ]]
