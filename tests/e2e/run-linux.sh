#!/usr/bin/env bash
# End-to-end tests of the Linux program: the real binary under a private Xvfb,
# driven from outside with xdotool, looked at with screenshots (kept under
# build/artifacts/linux-e2e). Build the linux preset first.
set -u
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
e2e_linux_build "linux end-to-end" linux-e2e
work="$(mktemp -d)"
e2e_at_exit rm -rf "$work"
e2e_start_xvfb 71 1024x768 "$work/xvfb.log" || e2e_abort "linux end-to-end" "no Xvfb"

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME/quimbel" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/quimbel/SetupQor.ini"

shot() { import -window root "$art/$1.png"; }
# The colour of one pixel of a screenshot, as RRGGBB.
pixel() { convert "$art/$1.png" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }
# The number of pixels in which two screenshots differ (inside an optional crop).
differ() {
  local a="$art/$1.png" b="$art/$2.png"
  if [ -n "${3:-}" ]; then
    convert "$a" -crop "$3" +repage "$work/crop-a.png"
    convert "$b" -crop "$3" +repage "$work/crop-b.png"
    a="$work/crop-a.png" b="$work/crop-b.png"
  fi
  local n
  n="$(compare -metric AE "$a" "$b" null: 2>&1 | cut -d' ' -f1)"
  # Anything but a number counts as "everything differs".
  [[ "$n" =~ ^[0-9]+$ ]] && echo "$n" || echo 999999999
}
# How many pixels of a screenshot (inside a crop) have colour $3.
count_colour() {
  convert "$art/$1.png" -crop "$2" +repage -fill "#123457" -opaque "#$3" \
    -fill black +opaque "#123457" -fill white -opaque "#123457" \
    -format "%[fx:int(mean*w*h+0.5)]" info:
}
write_settings() {
  printf '[QuimbelSaver]\nnumber of cara=%s\ntype of cara=%s\nsaver type=%s\nmusic mode=%s\n' \
    "$1" "$2" "$3" "$4" >"$settings"
}

# ---------------------------------------------------------------- the tests

begin "without a display the program says so and fails"
out="$(env -u DISPLAY timeout 5 "$bin" /s 2>&1)"
status=$?
if [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then
  fail "exit status $status"
elif ! grep -q "cannot open display" <<<"$out"; then
  fail "no message: $out"
fi
ok

begin "/p draws the preview into the host window and ends with it"
write_settings 20 8 2 0
start_host 200 150 100 100
e2e_bg "$bin" /p "$host_id" 2>>"$work/stderr"
p=$!
if ! wait_window "preview window" 3000 >/dev/null; then
  fail "no preview window inside the host"
else
  sleep 0.3
  shot preview
  # The picture covers the pane's top-left 175 x 140; the white host is gone there.
  inside="$(pixel preview 150 140)"
  right="$(pixel preview 295 245)"
  white="$(count_colour preview 175x140+100+100 FFFFFF)"
  black="$(count_colour preview 175x140+100+100 000000)"
  if [ "$white" -gt 2000 ]; then
    fail "$white white pixels where the picture should be"
  elif [ "$black" -gt 20000 ]; then
    fail "no picture: $black of 24500 pixels black"
  elif [ "$right" = "FFFFFF" ]; then
    fail "the pane's uncovered part stayed white, not black ($inside, $right)"
  else
    destroy_host "$host_fd"
    wait_exit "$p" 2000 || fail "still running after the host window was destroyed"
  fi
fi
ok

begin "/p with an id that names no window ends at once"
t0=$(now_ms)
timeout 5 "$bin" /p 12345 2>>"$work/stderr"
status=$?
elapsed=$(($(now_ms) - t0))
[ "$status" -eq 0 ] || fail "exit status $status after $elapsed ms"
ok

begin "an untrapped error (a host handle past 32 bits) ends with the report, shown and printed"
e2e_bg "$bin" /p 99999999999 2>"$work/report.txt"
p=$!
if ! wait_window "quimbel" 3000 >/dev/null; then
  fail "no report box"
else
  sleep 0.3
  shot error-report
  xdotool key Return
  if ! wait_exit "$p" 2000; then
    fail "still running after the report was closed"
  else
    wait "$p"
    status=$?
    if [ "$status" -eq 0 ]; then
      fail "exit status 0"
    elif ! grep -q "実行時エラー" "$work/report.txt"; then
      fail "nothing on stderr: $(cat "$work/report.txt")"
    elif xdotool search --name "^preview window\$" >/dev/null 2>&1; then
      fail "a preview window was made"
    fi
  fi
fi
alive "$p" && kill "$p" 2>/dev/null
ok

# The desktop the saver photographs: one colour, easy to recognise.
xsetroot -solid "#3366cc"
xdotool mousemove 512 700
shot desktop

start_saver() {
  e2e_bg "$bin" /s 2>>"$work/stderr"
  saver=$!
  wait_window "SAVER Screen" 3000 >/dev/null
}
# Gives the input $3... (xdotool's arguments), which process $1 must end on
# within 2 s; prints how soon it did. $2 names the input.
ends_on() {
  local pid=$1 input=$2 t0
  shift 2
  t0=$(now_ms)
  xdotool "$@"
  if wait_exit "$pid" 2000; then
    echo "   ended $(($(now_ms) - t0)) ms after $input"
  else
    fail "still running 2 s after $input"
    kill "$pid" 2>/dev/null
  fi
}

begin "/s covers the screen with the desktop and walking characters; a 1-pixel move ends it"
write_settings 20 8 3 0
if ! start_saver; then
  fail "no window titled SAVER Screen"
else
  sleep 0.6
  shot saver-1
  sleep 0.5
  shot saver-2
  geometry="$(xwininfo -name "SAVER Screen" | awk '/Absolute upper-left X|Absolute upper-left Y|Width:|Height:/{printf "%s ", $NF}')"
  blue="$(count_colour saver-1 1024x768+0+0 3366CC)"
  changed="$(differ saver-1 saver-2)"
  cast="$(differ desktop saver-1)"
  if [ "$geometry" != "0 0 1024 768 " ]; then
    fail "window at/size $geometry"
  elif [ "$blue" -lt 400000 ]; then
    fail "only $blue desktop-coloured pixels: the snapshot is not the background"
  elif [ "$cast" -lt 2000 ]; then
    fail "only $cast pixels differ from the desktop: no characters"
  elif [ "$changed" -lt 500 ]; then
    fail "frames do not change ($changed pixels)"
  else
    ends_on "$saver" "a one-pixel move" mousemove_relative 1 0
  fi
fi
ok

begin "/s draws through shared memory, and through Qt without it; a window over it is drawn again when it goes"
write_settings 20 8 3 0
for mode in shared qt; do
  if [ "$mode" = qt ]; then export QUIMBEL_NO_SHARED_FRAME=1; fi
  if ! start_saver; then
    fail "$mode: no window titled SAVER Screen"
    unset QUIMBEL_NO_SHARED_FRAME
    continue
  fi
  unset QUIMBEL_NO_SHARED_FRAME
  sleep 0.5
  # The segment is marked for removal once attached, but lives while used.
  segments="$(ipcs -m -p | awk -v p="$saver" '$3 == p' | wc -l)"
  if [ "$mode" = shared ] && [ "$segments" -lt 1 ]; then
    fail "shared: no shared memory segment of ours"
  elif [ "$mode" = qt ] && [ "$segments" -ne 0 ]; then
    fail "qt: $segments shared memory segments of ours"
  fi
  start_host 500 400 200 150 above
  sleep 0.4
  shot "cover-$mode-on"
  destroy_host "$host_fd"
  sleep 0.3
  shot "cover-$mode-off"
  over="$(count_colour "cover-$mode-on" 500x400+200+150 13579B)"
  left="$(count_colour "cover-$mode-off" 500x400+200+150 13579B)"
  desktop="$(count_colour "cover-$mode-off" 500x400+200+150 3366CC)"
  echo "   $mode: $segments segments; covered $over, left after it went $left, desktop $desktop"
  if [ "$over" -lt 150000 ]; then
    fail "$mode: the covering window did not show ($over pixels)"
  elif [ "$left" -ne 0 ] || [ "$desktop" -lt 100000 ]; then
    fail "$mode: not drawn again where the window was ($left of its pixels, $desktop desktop)"
  fi
  ends_on "$saver" "a one-pixel move" mousemove_relative 1 0
done
ok

begin "/s on black refuses a second /s and ends on a key press"
write_settings 5 0 2 0
if ! start_saver; then
  fail "no window titled SAVER Screen"
else
  sleep 0.4
  shot saver-black
  black="$(count_colour saver-black 1024x768+0+0 000000)"
  [ "$black" -gt 600000 ] || fail "black background expected, $black black pixels"
  timeout 5 "$bin" /s 2>>"$work/stderr"
  second=$?
  windows="$(xdotool search --name "^SAVER Screen\$" 2>/dev/null | wc -l)"
  if [ "$second" -ne 0 ] || [ "$windows" -ne 1 ]; then
    fail "a second /s was not refused (status $second, $windows saver windows)"
  fi
  ends_on "$saver" "a key" key space
fi
ok

begin "at Xft.dpi 192 one character measures twice as tall as at 96"
# Over black, one character: its lit box, once it lies whole on the screen.
write_settings 1 0 2 0
declare -A tall=()
for dpi in 96 192; do
  echo "Xft.dpi: $dpi" | xrdb -merge
  if ! start_saver; then
    fail "no window titled SAVER Screen at $dpi dpi"
    continue
  fi
  for _ in $(seq 200); do
    import -window root "$work/one.png"
    # A black border makes the corner colour the trim takes off black.
    read -r w h x y < <(convert "$work/one.png" -bordercolor black -border 1 -trim \
      -format "%w %h %X %Y" info: 2>/dev/null | tr -d '+')
    if [ "${h:-0}" -gt 20 ] && [ "$x" -gt 1 ] && [ "$y" -gt 1 ] &&
      [ $((x - 1 + w)) -lt 1024 ] && [ $((y - 1 + h)) -lt 768 ]; then
      tall[$dpi]=$h
      cp "$work/one.png" "$art/saver-one-character-${dpi}dpi.png"
      echo "   at $dpi dpi the character measures $w x $h pixels"
      break
    fi
    sleep 0.2
  done
  ends_on "$saver" "a key" key space
done
echo "Xft.dpi: 96" | xrdb -merge
a=${tall[96]:-0} b=${tall[192]:-0}
# Two walking steps may differ by a pixel or two in height: within 5 %.
if [ "$a" -eq 0 ] || [ "$b" -eq 0 ]; then
  fail "the character never lay whole on the screen (${a} at 96, ${b} at 192 dpi)"
elif [ $((b % 2)) -ne 0 ] || [ $((b * 10)) -lt $((a * 19)) ] || [ $((b * 10)) -gt $((a * 21)) ]; then
  fail "$b pixels at 192 dpi against $a at 96"
fi
ok

begin "/c opens Saver Setting (client 540 x 330); a second start is refused; Yes saves"
write_settings 20 8 2 2
e2e_bg "$bin" /c 2>>"$work/stderr"
dialog=$!
if ! win="$(wait_window "Saver Setting" 3000)"; then
  fail "no window titled Saver Setting"
else
  sleep 0.5
  shot dialog
  client="$(xwininfo -tree -id "$win" | awk '$0 ~ /540x330\+0\+/ {print $1; exit}')"
  timeout 5 "$bin" /s 2>>"$work/stderr"
  second=$?
  if [ -z "$client" ]; then
    fail "no 540 x 330 client area: $(xwininfo -tree -id "$win" | grep -E '[0-9]+x[0-9]+\+' | head -3)"
  elif [ "$second" -ne 0 ] || xdotool search --name "^SAVER Screen\$" >/dev/null 2>&1; then
    fail "a second start while the dialog is open was not refused (status $second)"
  else
    read -r cx cy < <(xwininfo -id "$client" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}')
    # "デスクトップ１", then the change button.
    xdotool mousemove $((cx + 163)) $((cy + 84)) click 1
    sleep 0.2
    xdotool mousemove $((cx + 268)) $((cy + 275)) click 1
    if ! wait_window "くいんべる　スクリーンセイバー Ver1.40" 3000 >/dev/null; then
      fail "no confirmation box"
    else
      sleep 0.3
      shot dialog-confirm
      xdotool key alt+y
      if ! wait_exit "$dialog" 3000; then
        fail "the dialog did not close after Yes"
      elif ! grep -qx "saver type=1" "$settings"; then
        fail "settings file: $(tr '\n' ' ' <"$settings")"
      fi
    fi
  fi
fi
alive "$dialog" && kill "$dialog" 2>/dev/null
ok

begin "at 120 dpi the dialog keeps its 540 x 330 client area, centred; Alt+X ends it"
echo "Xft.dpi: 120" | xrdb -merge
e2e_bg "$bin" /c 2>>"$work/stderr"
dialog=$!
if ! win="$(wait_window "Saver Setting" 3000)"; then
  fail "no window titled Saver Setting"
else
  sleep 0.3
  shot dialog-120dpi
  read -r x w < <(xwininfo -id "$win" | awk '/Absolute upper-left X/{x=$NF} /Width:/{w=$NF} END{print x, w}')
  if ! xwininfo -tree -id "$win" | grep -q "540x330+0+"; then
    fail "client area: $(xwininfo -tree -id "$win" | grep -oE '[0-9]+x[0-9]+\+0\+[0-9]+' | tr '\n' ' ')"
  elif [ $((2 * x + w - 1024)) -lt -2 ] || [ $((2 * x + w - 1024)) -gt 2 ]; then
    fail "not centred: left $x, width $w"
  fi
fi
# "終了(&X&ｻ)" on the menu bar: Alt with the first marked letter acts.
xdotool key alt+x
wait_exit "$dialog" 2000 || fail "Alt+X did not end the dialog"
kill "$dialog" 2>/dev/null
echo "Xft.dpi: 96" | xrdb -merge
ok

begin "--root draws into \$XSCREENSAVER_WINDOW and ends cleanly on SIGTERM"
write_settings 10 8 2 2
start_host 320 240 600 400
root_host_fd=$host_fd
XSCREENSAVER_WINDOW="$host_hex" e2e_bg "$bin" --root 2>>"$work/stderr"
hack=$!
sleep 1.2
shot hosted-1
sleep 0.5
shot hosted-2
white="$(count_colour hosted-1 320x240+600+400 FFFFFF)"
changed="$(differ hosted-1 hosted-2 320x240+600+400)"
outside="$(differ desktop hosted-1 300x300+100+100)"
if ! alive "$hack"; then
  fail "the hack ended by itself"
elif [ "$white" -gt 1000 ]; then
  fail "$white white pixels left in the daemon's window"
elif [ "$changed" -lt 200 ]; then
  fail "frames do not change ($changed pixels)"
elif [ "$outside" -gt 0 ]; then
  fail "drew outside the daemon's window ($outside pixels)"
else
  kill -TERM "$hack"
  if ! wait_exit "$hack" 2000; then
    fail "still running 2 s after SIGTERM"
  else
    wait "$hack"
    status=$?
    [ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
  fi
fi
destroy_host "$root_host_fd"
ok

begin "--window-id draws into that window and ends when the window goes"
start_host 240 180 50 450
e2e_bg "$bin" --window-id "$host_id" 2>>"$work/stderr"
hack=$!
sleep 1.0
shot window-id
white="$(count_colour window-id 240x180+50+450 FFFFFF)"
if [ "$white" -gt 1000 ]; then
  fail "$white white pixels left in the window"
else
  destroy_host "$host_fd"
  wait_exit "$hack" 2000 || fail "still running after its window was destroyed"
fi
alive "$hack" && kill "$hack" 2>/dev/null
ok

begin "a daemon window id that names no window ends the hack at once, without a crash"
XSCREENSAVER_WINDOW=0x7777777 timeout 5 "$bin" --root 2>>"$work/stderr"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
ok

begin "one hack per monitor: both draw, exactly one plays the tune"
write_settings 10 8 2 1
# Windows of the daemon's class: the tune is for saver windows only.
start_host 300 200 20 20 saver
first_fd=$host_fd
first_id=$host_hex
start_host 300 200 400 20 saver
second_fd=$host_fd
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/first.raw" XSCREENSAVER_WINDOW="$first_id" \
  "$bin" --root 2>>"$work/stderr" &
first=$!
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/second.raw" "$bin" --window-id "$host_hex" \
  2>>"$work/stderr" &
second=$!
e2e_track "$first" "$second"
sleep 2
shot monitors
loud() {
  # Non-silent 16-bit samples in an SDL disk-driver file (none if it is absent).
  python3 -c 'import sys, array
a = array.array("h")
try:
    a.frombytes(open(sys.argv[1], "rb").read())
except OSError:
    pass
print(sum(1 for v in a if abs(v) > 64))' "$1"
}
white1="$(count_colour monitors 300x200+20+20 FFFFFF)"
white2="$(count_colour monitors 300x200+400+20 FFFFFF)"
kill -TERM "$first" "$second" 2>/dev/null
if ! wait_exit "$first" 2000 || ! wait_exit "$second" 2000; then
  fail "a hack outlived SIGTERM"
fi
loud1="$(loud "$work/first.raw")"
loud2="$(loud "$work/second.raw")"
echo "   non-silent samples: first $loud1, second $loud2"
if [ "$white1" -gt 1000 ] || [ "$white2" -gt 1000 ]; then
  fail "a window was not drawn ($white1, $white2 white pixels)"
elif ! { [ "$loud1" -gt 1000 ] && [ "$loud2" -eq 0 ]; } &&
  ! { [ "$loud2" -gt 1000 ] && [ "$loud1" -eq 0 ]; }; then
  fail "expected exactly one hack to play"
fi
destroy_host "$first_fd"
destroy_host "$second_fd"
ok

# Passes of their own, with the helpers above.
# shellcheck source=tests/e2e/linux/switches.sh
. "$root/tests/e2e/linux/switches.sh"
# shellcheck source=tests/e2e/linux/killed-save.sh
. "$root/tests/e2e/linux/killed-save.sh"
# shellcheck source=tests/e2e/linux/openbox.sh
. "$root/tests/e2e/linux/openbox.sh"
# Two monitors, on a wide screen of their own.
# shellcheck source=tests/e2e/linux/monitors.sh
. "$root/tests/e2e/linux/monitors.sh"
run_monitor_cases

if [ -s "$work/stderr" ]; then
  cp "$work/stderr" "$art/stderr.txt"
fi
echo "screenshots: $art"
status=0
e2e_summary "linux end-to-end" || status=1
# Under Debian's xscreensaver daemon, in Wayland sessions (weston and Mutter
# without a layer shell, sway with one), full screen over two monitors under
# an X11 manager that honours the monitors asked for (IceWM) and with the
# displays' power switched: scripts of their own.
for extra in xscreensaver weston sway mutter icewm display-power; do
  e2e_run "$root/tests/e2e/linux/$extra.sh" || status=1
done
exit "$status"
