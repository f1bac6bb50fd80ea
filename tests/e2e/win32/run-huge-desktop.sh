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
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
build=$root/build/win32
mkdir -p "$artifacts"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

wine_two_monitors 191 1024x768 1024/270x768/203+0+0 1024/270x768/203+30000+30000 ||
  e2e_abort run-huge-desktop "run-huge-desktop: no two-monitor display"

wine_driver "$build" "$artifacts" 120 --gtest_filter='StartUpFailureE2e.*'
status=$?
ran=$(grep -c '^\[ *OK *\]' "$artifacts/driver.log")
echo "run-huge-desktop: exit $status, $ran passed"
# A skip means Wine did not see the large desktop: the set-up failed.
[[ $status -eq 0 && $ran -eq 1 ]]
