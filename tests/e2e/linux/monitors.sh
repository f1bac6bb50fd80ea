# Two monitors side by side, sourced by run-linux.sh (uses its helpers): a
# wide Xvfb split into two RandR monitors with xrandr --setmonitor, once with
# the primary on the left and once on the right. "/s" covers both with one
# scene and ends on a one-pixel move; the settings dialog, the help window,
# the introduction and the About box open centred on the primary.

# The window's outer rectangle as "x y width height".
window_box() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}

# Fails unless window $1 (named $2) is centred on the monitor from $3 to $4
# across, 0 to $5 down, within 2 pixels.
expect_centred() {
  local x y w h
  read -r x y w h < <(window_box "$1")
  local dx=$((2 * x + w - $3 - $4)) dy=$((2 * y + h - $5))
  if [ "${dx#-}" -gt 2 ] || [ "${dy#-}" -gt 2 ]; then
    fail "$2 at $x,$y size ${w}x$h is not centred on the monitor $3..$4"
  fi
}

# Splits the wide screen: monitor A from 0 to 1280, B from 1280 to 2560, the
# primary named by $1. The other one takes Xvfb's own whole-screen monitor.
split_screen() {
  xrandr --delmonitor A >/dev/null 2>&1
  xrandr --delmonitor B >/dev/null 2>&1
  if [ "$1" = A ]; then
    xrandr --setmonitor '*A' 1280/338x1024/270+0+0 none >/dev/null
    xrandr --setmonitor B 1280/338x1024/270+1280+0 screen >/dev/null
  else
    xrandr --setmonitor '*B' 1280/338x1024/270+1280+0 none >/dev/null
    xrandr --setmonitor A 1280/338x1024/270+0+0 screen >/dev/null
  fi
}

monitor_dialogs() {
  local side=$1 left=$2 right=$3
  begin "two monitors, primary on the $side: the dialog, help, introduction and About box open on it"
  split_screen "$( [ "$side" = left ] && echo A || echo B)"
  xdotool mousemove $((2560 - left - 600)) 500 # the pointer on the other monitor
  e2e_bg "$bin" /c 2>>"$work/stderr"
  local dialog=$!
  local win help intro
  if ! win="$(wait_window "Saver Setting" 3000)"; then
    fail "no window titled Saver Setting"
  else
    sleep 0.3
    expect_centred "$win" "the dialog" "$left" "$right" 1024
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key alt+h
    sleep 0.3
    xdotool key h
    if ! help="$(wait_window "くいんべるスクリーンセイバーについて" 3000)"; then
      fail "the help window did not open"
    else
      sleep 0.3
      expect_centred "$help" "the help window" "$left" "$right" 1024
    fi
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key alt+h
    sleep 0.3
    xdotool key e
    if ! intro="$(wait_window "作者ソフト紹介" 3000)"; then
      fail "the introduction did not open"
    else
      sleep 0.3
      expect_centred "$intro" "the introduction" "$left" "$right" 1024
    fi
    shot "monitors-dialogs-primary-$side"
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key alt+h
    sleep 0.3
    xdotool key a
    local about
    if ! about="$(wait_window "くいんべる　スクリーンセイバー Ver1.40" 3000)"; then
      fail "the About box did not open"
    else
      sleep 0.3
      expect_centred "$about" "the About box" "$left" "$right" 1024
      xdotool key Return
    fi
  fi
  kill "$dialog" 2>/dev/null
  wait_exit "$dialog" 2000
  ok
}

monitor_saver() {
  begin "two monitors: /s covers both with one scene over the snapshot; one pixel ends it"
  split_screen B
  write_settings 50 8 3 0
  # A white window on each monitor, for the snapshot to show.
  start_host 400 300 300 200
  local first_fd=$host_fd
  start_host 400 300 1600 500
  local second_fd=$host_fd
  xdotool mousemove 200 900
  sleep 0.5
  shot monitors-desktop
  e2e_bg "$bin" /s 2>>"$work/stderr"
  local saver=$!
  if ! wait_window "SAVER Screen" 3000 >/dev/null; then
    fail "no saver window"
  else
    sleep 1.5
    shot monitors-saver
    local geometry
    geometry="$(window_box "$(wait_window "SAVER Screen" 100)")"
    local white1 white2 moved1 moved2
    white1="$(count_colour monitors-saver 400x300+300+200 FFFFFF)"
    white2="$(count_colour monitors-saver 400x300+1600+500 FFFFFF)"
    moved1="$(differ monitors-desktop monitors-saver 1280x1024+0+0)"
    moved2="$(differ monitors-desktop monitors-saver 1280x1024+1280+0)"
    echo "   saver at $geometry; white in the snapshot $white1 / $white2 of 120000;" \
      "pixels changed $moved1 / $moved2"
    if [ "$geometry" != "0 0 2560 1024" ]; then
      fail "saver window at/size $geometry"
    elif [ "$white1" -lt 60000 ] || [ "$white2" -lt 60000 ]; then
      fail "the snapshot lacks a monitor's desktop"
    elif [ "$moved1" -lt 500 ] || [ "$moved2" -lt 500 ]; then
      fail "no characters on one of the monitors"
    else
      xdotool mousemove_relative 1 0
      wait_exit "$saver" 1000 || fail "still running 1 s after a one-pixel move"
    fi
  fi
  kill "$saver" 2>/dev/null
  destroy_host "$first_fd"
  destroy_host "$second_fd"
  ok
}

run_monitor_cases() {
  local display_before=$DISPLAY number_before=$e2e_display
  e2e_start_xvfb $((e2e_display + 1)) 2560x1024 "$work/xvfb-wide.log" || {
    begin "two monitors: a wide screen of their own"
    fail "no Xvfb"
    return 0
  }
  local wide=$e2e_xvfb
  monitor_dialogs left 0 1280
  monitor_dialogs right 1280 2560
  monitor_saver
  e2e_stop "$wide"
  export DISPLAY=$display_before
  e2e_display=$number_before
}
