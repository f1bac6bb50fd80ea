#!/usr/bin/env bash
# End-to-end tests of one Windows build under Wine, in the display and prefix
# the caller set up (DISPLAY, WINEPREFIX): the driver's tests, then the input
# that ends the saver, given from the X side as a user would.
#   run-e2e.sh <preset> <artifacts dir> <dpi> [driver-only]
# Prints one line per check and "e2e <preset>: N passed, N failed" last.
set -uo pipefail
preset=$1
artifacts=$2
dpi=$3
mode=${4:-all}
root=$(cd "$(dirname "$0")/../../.." && pwd)
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
build=$root/build/$preset
mkdir -p "$artifacts"

# Wine's windows, as it maps them.
e2e_any_window=1

# The driver's own tests (GoogleTest).
QUIMBEL_DPI=$dpi wine_driver "$build" "$artifacts" 300
status=$?
check "$([[ $status -eq 0 ]] && echo ok)" "driver tests ($preset, $dpi dpi)"

if [[ $mode == all ]]; then
  # Each way of ending the saver: start it, let it run, act, time the end.
  reg_clear() {
    wine reg delete 'HKCU\Software\VB and VBA Program Settings\SetupQor' /f >/dev/null 2>&1
  }
  for action in move click key; do
    reg_clear
    xdotool mousemove 500 400
    e2e_bg wine "$build/quimbel.scr" /s >/dev/null 2>&1
    pid=$!
    if ! window=$(wait_window "SAVER Screen" 10000); then
      check fail "saver window appears ($action)"
      kill "$pid" 2>/dev/null
      continue
    fi
    sleep 1
    if ! kill -0 "$pid" 2>/dev/null; then
      check fail "saver still running before the $action"
      continue
    fi
    case $action in
      move) import -window root "$artifacts/saver-running.png" 2>/dev/null ;;
      key)
        # Wine gives keys only to a window that was activated, as a host does.
        xdotool windowfocus --sync "$window" 2>/dev/null
        sleep 0.3
        ;;
    esac
    if ! kill -0 "$pid" 2>/dev/null; then
      check fail "saver still running just before the $action"
      continue
    fi
    start=$(now_ms)
    case $action in
      move) xdotool mousemove_relative 1 0 ;;
      click) xdotool click 1 ;;
      key) xdotool key space ;;
    esac
    ended=
    wait_exit "$pid" 3000 && ended=$(($(now_ms) - start))
    if [[ -z $ended ]]; then
      kill "$pid" 2>/dev/null
      check fail "saver ends on a $action (still running after 3 s)"
      continue
    fi
    wait "$pid" 2>/dev/null
    code=$?
    echo "  saver ended ${ended} ms after the $action, exit code $code"
    limit=3000
    [[ $action == move ]] && limit=300
    check "$([[ $ended -le $limit && $code -eq 0 ]] && echo ok)" \
      "saver ends on a $action within $limit ms (${ended} ms)"
  done
fi

if [[ $mode == all ]]; then
  # The menu's access key from the keyboard: Alt+X is 終了(&X&ｻ), which closes
  # the dialog and so ends the program.
  e2e_bg wine "$build/quimbel.scr" /c >/dev/null 2>&1
  pid=$!
  if window=$(wait_window "Saver Setting" 10000); then
    sleep 0.5
    xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 0.3
    xdotool key alt+x
    ended=
    wait_exit "$pid" 3000 && ended=yes
    [[ -z $ended ]] && kill "$pid" 2>/dev/null
    check "$([[ -n $ended ]] && echo ok)" "Alt+X chooses 終了 in the dialog's menu"
  else
    kill "$pid" 2>/dev/null
    check fail "settings dialog appears for the keyboard test"
  fi
  wait "$pid" 2>/dev/null

  # The zip's install and uninstall scripts, from both kinds of command
  # prompt for the 64-bit zip; the 32-bit one's scripts are the same files.
  zip=$(find "$build" -maxdepth 1 -name 'quimbel-*.zip' | head -n1)
  prompts=(32 64)
  [[ $preset == win32 ]] && prompts=(32)
  if [[ -z $zip ]]; then
    check fail "distribution zip built ($preset)"
  else
    e2e_run "$root/tests/e2e/win32/install-e2e.sh" "$zip" "${prompts[@]}"
    status=$?
    check "$([[ $status -eq 0 ]] && echo ok)" "install and uninstall ($preset zip)"
  fi
fi

e2e_summary "e2e $preset"
