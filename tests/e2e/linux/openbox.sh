# Sourced by tests/e2e/run-linux.sh (its helpers, display and counters): the
# same program under Debian's openbox, a window manager with frames, docks
# and layers. The saver must cover a panel and a window kept above the
# others, end on a key or a one-pixel move; the dialogs must be centred with
# their frames from the first show.

if ! command -v openbox >/dev/null; then
  begin "openbox is installed (.ci/install-deps)"
  fail "no openbox"
  return 0
fi

e2e_bg openbox --sm-disable >"$work/openbox.log" 2>&1
openbox_pid=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.05
done
# It announces itself before it has finished starting.
sleep 1

# Starts a #13579B window in role $5 ("dock" or "above") at $3,$4, $1 x $2.
keepers=()
start_keeper() {
  local fifo="$work/keeper-$5.in" out="$work/keeper-$5.out"
  mkfifo "$fifo"
  "$hostbin" "$1" "$2" "$3" "$4" "$5" <"$fifo" >"$out" &
  e2e_track $!
  exec {keeper_fd}>"$fifo"
  keepers+=("$keeper_fd")
  for _ in $(seq 100); do [ -s "$out" ] && break; sleep 0.02; done
}
# Where openbox put the frame of client window $1: "left top width height",
# from the client's place and _NET_FRAME_EXTENTS (left, right, top, bottom).
frame_of() {
  local x y w h l r t b
  read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}')
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  echo "$((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))"
}
# Fails unless window $1's frame is centred on the 1024 x 768 screen (within
# a pixel of rounding); $2 names it.
expect_centred() {
  local fx fy fw fh
  read -r fx fy fw fh < <(frame_of "$1")
  local dx=$((2 * fx + fw - 1024)) dy=$((2 * fy + fh - 768))
  echo "   $2: frame ${fw}x${fh}+${fx}+${fy}, off centre by $dx/2, $dy/2 px"
  if [ "$dx" -lt -2 ] || [ "$dx" -gt 2 ] || [ "$dy" -lt -2 ] || [ "$dy" -gt 2 ]; then
    fail "$2 not centred with its frame: ${fw}x${fh}+${fx}+${fy}"
  fi
}

begin "openbox: a panel and a window kept above are up"
start_keeper 1024 40 0 0 dock
start_keeper 300 200 600 400 above
# Where openbox put the window kept above (its frame moves it).
above_rect="300x200+600+400"
for _ in $(seq 25); do
  sleep 0.2
  read -r ax ay < <(xwininfo -name "quimbel test above" 2>/dev/null |
    awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}')
  above_rect="300x200+${ax:-600}+${ay:-400}"
  shot openbox-desktop
  panel="$(count_colour openbox-desktop 1024x40+0+0 13579B)"
  above="$(count_colour openbox-desktop "$above_rect" 13579B)"
  [ "$panel" -ge 40000 ] && [ "$above" -ge 59000 ] && break
done
if ! alive "$openbox_pid"; then
  fail "openbox did not start: $(tail -3 "$work/openbox.log")"
elif [ "$panel" -lt 40000 ] || [ "$above" -lt 59000 ]; then
  fail "panel $panel of 40960, above-window $above of 60000 pixels shown;" \
    "openbox: $(tr '\n' ' ' <"$work/openbox.log"); map states: $(for r in dock above; do
      xwininfo -name "quimbel test $r" | grep -o "Map State: .*"; done | tr '\n' ' ')"
fi
ok

begin "openbox: /s covers the panel and the window kept above; a key ends it"
write_settings 20 8 2 0
if ! start_saver; then
  fail "no window titled SAVER Screen"
else
  sleep 0.8
  shot openbox-saver
  panel="$(count_colour openbox-saver 1024x40+0+0 13579B)"
  above="$(count_colour openbox-saver "$above_rect" 13579B)"
  black="$(count_colour openbox-saver 1024x768+0+0 000000)"
  echo "   panel pixels left $panel, above-window pixels left $above, black $black"
  if [ "$panel" -gt 0 ] || [ "$above" -gt 0 ]; then
    fail "the saver is not above them ($panel panel, $above above-window pixels seen)"
  elif [ "$black" -lt 600000 ]; then
    fail "the black background covers only $black pixels"
  fi
  ends_on "$saver" "a key" key space
fi
ok

begin "openbox: /s ends on a one-pixel move"
xdotool mousemove 300 300
if ! start_saver; then
  fail "no window titled SAVER Screen"
else
  sleep 0.6
  ends_on "$saver" "a one-pixel move" mousemove_relative 0 1
fi
ok

begin "openbox: the dialog, help, introduction and About box are centred with their frames"
e2e_bg "$bin" /c 2>>"$work/stderr"
dialog=$!
if ! win="$(wait_window "Saver Setting" 3000)"; then
  fail "no window titled Saver Setting"
else
  sleep 0.4
  shot openbox-dialog
  expect_centred "$win" "settings dialog"
  xdotool windowactivate --sync "$win" key alt+h key h
  if ! help="$(wait_window "くいんべるスクリーンセイバーについて" 3000)"; then
    fail "the help window did not open"
  else
    sleep 0.3
    expect_centred "$help" "help window"
  fi
  xdotool windowactivate --sync "$win" key alt+h key e
  if ! intro="$(wait_window "作者ソフト紹介" 3000)"; then
    fail "the introduction window did not open"
  else
    sleep 0.3
    shot openbox-intro
    expect_centred "$intro" "introduction window"
  fi
  xdotool windowactivate --sync "$win" key alt+h key a
  if ! about="$(wait_window "くいんべる　スクリーンセイバー Ver1.40" 3000)"; then
    fail "the About box did not open"
  else
    sleep 0.3
    shot openbox-about
    expect_centred "$about" "About box"
    xdotool windowactivate --sync "$about" key Return
  fi
  xdotool windowactivate --sync "$win" key alt+x
  wait_exit "$dialog" 3000 || fail "the dialog did not end on Alt+X"
fi
alive "$dialog" && kill "$dialog" 2>/dev/null
ok

for fd in "${keepers[@]}"; do destroy_host "$fd"; done
kill "$openbox_pid" 2>/dev/null
wait "$openbox_pid" 2>/dev/null
