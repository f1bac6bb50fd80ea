#!/usr/bin/env bash
# End-to-end tests of the native Wayland saver under Debian's sway on its
# headless backend, two outputs side by side: the saver on the overlay layer
# of both (over a panel of the top layer), one scene across them, the
# desktop copied with screencopy under the characters, and a one-pixel
# pointer move or a key ending it; the outputs switched off stop the frames
# and the tune; an output at scale 2 drawn at its device pixels; an output
# plugged in or unplugged during the run. Screenshots (grim) are kept under
# build/artifacts/linux-e2e-sway. Build the linux preset first.
#
# sway refuses to run as root: as root the tests run it, and the program, as
# the unprivileged user quimbel-e2e, created when missing, on a copy of the
# program and its tunes that the user can read.
set -u
[ -n "${SWAY_DEBUG:-}" ] && set -x
root="$(cd "$(dirname "$0")/../../.." && pwd)"
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
name="sway end-to-end"
e2e_linux_build "$name" linux-e2e-sway
e2e_need "$name" sway swaymsg swaybg swaynag grim wtype convert

e2e_unprivileged_run "$name" "$build"/quimbel_e2e_wayland_pointer \
  "$build"/tests/e2e/linux/quimbel_e2e_fake_output_power.so "$build"/tests/e2e/linux/quimbel_e2e_fake_mixer.so
mkdir "$work/shots"
home="$work/home" run="$work/run"
mkdir -p "$home/.config/quimbel" "$run"
settings="$home/.config/quimbel/SetupQor.ini"
# Each output its own colour, easy to tell from the characters.
left=208040 right=3050A0
cat >"$work/sway.config" <<CONFIG
output HEADLESS-1 resolution 1280x720 position 0 0 bg #$left solid_color
output HEADLESS-2 resolution 1024x768 position 1280 0 bg #$right solid_color
xwayland disable
CONFIG
chmod a+r "$work/sway.config"
chown -R "$user" "$home" "$run" "$work/shots"
chmod 700 "$run"

# A Wayland session without XWayland: nothing of a caller's X display or Qt
# platform (run-linux.sh sets both) may leak into it.
unset DISPLAY QT_QPA_PLATFORM WAYLAND_DISPLAY
session=(HOME="$home" XDG_RUNTIME_DIR="$run" XDG_CONFIG_HOME="$home/.config" SDL_AUDIODRIVER=dummy)
e2e_bg as_user "${session[@]}" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  WLR_HEADLESS_OUTPUTS=2 sway -c "$work/sway.config" >"$art/sway.log" 2>&1
end=$(($(now_ms) + 10000))
sock=""
while [ -z "$sock" ] && [ "$(now_ms)" -lt "$end" ]; do
  sock="$(ls "$run"/sway-ipc.*.sock 2>/dev/null | head -n 1)"
  sleep 0.1
done
[ -n "$sock" ] && [ -S "$run/wayland-1" ] || e2e_abort "$name" "sway did not start: $(tail -3 "$art/sway.log")"
session+=(WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$sock")
swaymsg() { as_user "${session[@]}" swaymsg "$@" >/dev/null; }
# The headless seat has no devices: a virtual pointer gives it one, which
# sway's "cursor move" then moves and which clicks on "click" lines.
mkfifo "$work/pointer.in"
chmod a+rw "$work/pointer.in"
# Not through e2e_bg: the shell itself would wait on the fifo there.
as_user "${session[@]}" "$work/bin/quimbel_e2e_wayland_pointer" <"$work/pointer.in" >"$work/pointer.out" 2>&1 &
e2e_track $!
exec {pointer}>"$work/pointer.in"
for _ in $(seq 100); do [ -s "$work/pointer.out" ] && break; sleep 0.05; done
grep -qx ready "$work/pointer.out" || e2e_abort "$name" "no virtual pointer: $(cat "$work/pointer.out")"
# The panel the saver must cover, on the top layer of the first output.
e2e_bg as_user "${session[@]}" swaynag -o HEADLESS-1 -m "quimbel e2e panel" >/dev/null 2>&1

# Screenshot $1.png of both outputs: 2304 x 768, the first output's 1280 x 720
# at the left, the second's 1024 x 768 right of it.
shot() {
  rm -f "$work/shots/$1.png"
  as_user "${session[@]}" grim "$work/shots/$1.png" && cp "$work/shots/$1.png" "$art/$1.png"
}
first=1280x720+0+0 second=1024x768+1280+0
# Pixels of screenshot $1 inside crop $2 of exactly colour $3 (RRGGBB).
count_colour() {
  convert "$art/$1.png" -alpha off -crop "$2" +repage -fill black +opaque "#$3" -fill white -opaque "#$3" \
    -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info: | awk '{printf "%d", $1}'
}
# Pixels inside crop $2 that are none of black and the colours $3...: the characters.
count_others() {
  local args=() c
  for c in 000000 "${@:3}"; do args+=(-fill black -opaque "#$c"); done
  convert "$art/$1.png" -alpha off -crop "$2" +repage "${args[@]}" -fill white +opaque black \
    -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info: | awk '{printf "%d", $1}'
}
write_settings() {
  printf '[QuimbelSaver]\nnumber of cara=%s\ntype of cara=%s\nsaver type=%s\nmusic mode=%s\n' \
    "$1" "$2" "$3" "${4:-0}" >"$settings"
  chown "$user" "$settings"
}
start_saver() {
  e2e_bg as_user "${session[@]}" "${1:-$bin}" /s 2>>"$work/stderr"
  saver=$!
}
# Screenshots $1 until check $2 passes on it (shown names the screenshot
# for the check), for up to ten seconds: on a busy machine the first frames
# take their time.
shot_until() {
  local end=$(($(now_ms) + 10000))
  while :; do
    shot "$1"
    shown="$1"
    "$2" && return 0
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.3
  done
}
# Gives the input (the command $3...) that process $1 must end on, with exit
# status 0, within 2 s; $2 names it.
ends_on() {
  local pid=$1 input=$2 t0 status
  shift 2
  t0=$(now_ms)
  "$@"
  if ! wait_exit "$pid" 2000; then
    fail "still running 2 s after $input"
    e2e_stop "$pid"
    return
  fi
  wait "$pid"
  status=$?
  echo "   ended $(($(now_ms) - t0)) ms after $input, status $status"
  [ "$status" -eq 0 ] || fail "exit status $status after $input"
}

# The window titled $1 in sway's tree: "floating" or "tiled", then its
# content's width and height, then its content's place on the screen as a
# crop (WxH+X+Y).
sway_window() {
  as_user "${session[@]}" swaymsg -t get_tree | python3 -c 'import json, sys
def walk(n, floating):
    if n.get("name") == sys.argv[1]:
        r, w = n["rect"], n["window_rect"]
        print("floating" if floating else "tiled", w["width"], w["height"],
              "%dx%d+%d+%d" % (w["width"], w["height"], r["x"] + w["x"], r["y"] + w["y"]))
    for c in n.get("nodes", []):
        walk(c, floating)
    for c in n.get("floating_nodes", []):
        walk(c, True)
walk(json.load(sys.stdin), False)' "$1"
}
# Waits up to $2 ms for the window titled $1; prints what sway_window says.
wait_sway_window() {
  local end=$(($(now_ms) + $2)) found
  while :; do
    found="$(sway_window "$1")"
    [ -n "$found" ] && { echo "$found"; return 0; }
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.2
  done
}

# ---------------------------------------------------------------- the tests

begin "the desktop: each output its colour, the panel on the first"
panel() { [ "$(count_colour "$shown" "$first" 900000)" -gt 5000 ]; }
shot_until desktop panel
green="$(count_colour desktop "$first" "$left")"
blue="$(count_colour desktop "$second" "$right")"
nag="$(count_colour desktop "$first" 900000)"
echo "   first output $green of its colour, second $blue, panel $nag"
if [ "$green" -lt 600000 ] || [ "$blue" -lt 700000 ] || [ "$nag" -lt 5000 ]; then
  fail "the desktop is not as configured: $green, $blue, $nag"
fi
ok

begin "/s on black covers both outputs and the panel, characters on each; a one-pixel move ends it"
write_settings 20 8 2
start_saver
covered() {
  [ "$(count_colour "$shown" "$first" "$left")" -eq 0 ] &&
    [ "$(count_colour "$shown" "$second" "$right")" -eq 0 ] &&
    [ "$(count_others "$shown" "$first")" -gt 1000 ] &&
    [ "$(count_others "$shown" "$second")" -gt 1000 ]
}
shot_until saver-black covered
sleep 0.5
shot saver-black-later
green="$(count_colour saver-black "$first" "$left")"
blue="$(count_colour saver-black "$second" "$right")"
nag="$(count_colour saver-black "$first" 900000)"
cast1="$(count_others saver-black "$first")"
cast2="$(count_others saver-black "$second")"
moved="$(compare -metric AE "$art/saver-black.png" "$art/saver-black-later.png" null: 2>&1 | cut -d' ' -f1)"
echo "   desktop pixels left $green + $blue, panel $nag, character pixels $cast1 + $cast2, changed $moved"
if ! alive "$saver"; then
  fail "the saver ended by itself: $(tail -3 "$work/stderr" 2>/dev/null)"
elif [ "$green" -gt 0 ] || [ "$blue" -gt 0 ] || [ "$nag" -gt 0 ]; then
  fail "the desktop still shows: $green + $blue desktop pixels, $nag of the panel"
elif [ "$cast1" -lt 1000 ] || [ "$cast2" -lt 1000 ]; then
  fail "characters missing on an output: $cast1, $cast2"
elif ! [[ "$moved" =~ ^[0-9]+$ ]] || [ "$moved" -lt 500 ]; then
  fail "frames do not change ($moved pixels)"
else
  ends_on "$saver" "a one-pixel move" swaymsg "seat seat0 cursor move 1 0"
fi
alive "$saver" && e2e_stop "$saver"
ok

begin "/s ends on a key, and on a click"
write_settings 5 0 2
start_saver
lit() { [ "$(count_others "$shown" "$first")" -gt 200 ] || [ "$(count_others "$shown" "$second")" -gt 200 ]; }
shown=saver-key
if ! shot_until saver-key lit; then
  fail "no characters drawn"
else
  # wtype's keyboard is new to the seat: the key comes once the saver has it,
  # as a keyboard that was there all along would.
  ends_on "$saver" "a key" as_user "${session[@]}" wtype -s 500 x
fi
alive "$saver" && e2e_stop "$saver"
start_saver
shown=saver-click
if ! shot_until saver-click lit; then
  fail "no characters drawn"
else
  ends_on "$saver" "a click" eval 'echo click >&"$pointer"'
fi
alive "$saver" && e2e_stop "$saver"
ok

begin "a box during the run comes above the saver; Return answers it, the saver goes on and ends on a key"
# The tune plays, then the sound output breaks: the restart fails, which the
# program reports in a box captioned with the command. The tune's poll
# sleeps until shortly before its end (the wave tune lasts 9 s), so the
# break is found there, not at once.
write_settings 10 8 2 1
mixer="$work/mixer"
echo ok >"$mixer"
chmod a+r "$mixer"
e2e_bg as_user "${session[@]}" LD_PRELOAD="$work/bin/quimbel_e2e_fake_mixer.so" QUIMBEL_FAKE_MIXER="$mixer" \
  "$bin" /s 2>>"$work/stderr"
saver=$!
shot_until saver-before-box covered || fail "the saver did not cover the outputs"
echo broken >"$mixer"
if ! box="$(wait_sway_window "play bgm notify" 15000)"; then
  fail "no box 15 s after the tune broke (the saver $(alive "$saver" && echo runs || echo ended))"
else
  read -r how width height crop <<<"$box"
  sleep 0.5
  shot saver-box
  # The box's own light face where it lies, the saver's black and
  # characters around it.
  light="$(convert "$art/saver-box.png" -alpha off -crop "$crop" +repage -colorspace gray \
    -threshold 70% -format "%[fx:int(mean*w*h+0.5)]" info:)"
  dark="$(convert "$art/saver-box.png" -alpha off -crop "$first" +repage -colorspace gray \
    -threshold 3% -negate -format "%[fx:int(mean*w*h+0.5)]" info:)"
  green="$(count_colour saver-box "$first" "$left")"
  blue="$(count_colour saver-box "$second" "$right")"
  echo "   box: $box; light pixels in it $light of $((width * height)); black on the first output $dark; desktop $green + $blue"
  if [ "$how" != floating ] || [ "$width" -gt 800 ] || [ "$height" -gt 400 ]; then
    fail "the box is not a small floating window: $box"
  elif [ "$light" -lt $((width * height / 2)) ]; then
    fail "the box is not seen: $light light pixels of $((width * height))"
  elif [ "$green" -gt 0 ] || [ "$blue" -gt 0 ]; then
    fail "the desktop shows beside the box: $green + $blue pixels"
  elif [ "$dark" -lt 700000 ]; then
    fail "the saver's black is not around the box ($dark pixels on the first output)"
  fi
  echo ok >"$mixer"
  as_user "${session[@]}" wtype -s 500 -k Return
  end=$(($(now_ms) + 5000))
  while [ -n "$(sway_window "play bgm notify")" ] && [ "$(now_ms)" -lt "$end" ]; do sleep 0.2; done
  [ -z "$(sway_window "play bgm notify")" ] || fail "Return did not answer the box"
  sleep 1
  shot saver-after-box
  sleep 0.5
  shot saver-after-box-later
  moved="$(compare -metric AE "$art/saver-after-box.png" "$art/saver-after-box-later.png" null: 2>&1 | cut -d' ' -f1)"
  green="$(count_colour saver-after-box "$first" "$left")"
  nag="$(count_colour saver-after-box "$first" 900000)"
  echo "   after the box: changed $moved, desktop $green, panel $nag"
  if ! alive "$saver"; then
    fail "the saver ended with the box"
  elif ! [[ "$moved" =~ ^[0-9]+$ ]] || [ "$moved" -lt 500 ]; then
    fail "the frames stopped after the box ($moved pixels changed)"
  elif [ "$green" -gt 0 ] || [ "$nag" -gt 0 ]; then
    fail "the saver is not back above the panel: $green desktop, $nag panel pixels"
  else
    ends_on "$saver" "a key" as_user "${session[@]}" wtype -s 500 x
  fi
fi
alive "$saver" && e2e_stop "$saver"
ok

begin "an error nothing traps during the run: its report comes above the saver, and answering it ends the program"
write_settings 10 8 2 1
echo ok >"$mixer"
e2e_bg as_user "${session[@]}" LD_PRELOAD="$work/bin/quimbel_e2e_fake_mixer.so" QUIMBEL_FAKE_MIXER="$mixer" \
  "$bin" /s 2>"$work/report.txt"
saver=$!
shot_until saver-before-report covered || fail "the saver did not cover the outputs"
echo exhausted >"$mixer"
if ! report="$(wait_sway_window quimbel 15000)"; then
  fail "no report 15 s after the error (the saver $(alive "$saver" && echo runs || echo ended)): $(cat "$work/report.txt")"
else
  read -r how width height crop <<<"$report"
  sleep 0.5
  shot saver-report
  light="$(convert "$art/saver-report.png" -alpha off -crop "$crop" +repage -colorspace gray \
    -threshold 70% -format "%[fx:int(mean*w*h+0.5)]" info:)"
  echo "   report: $report; light pixels in it $light of $((width * height))"
  [ "$light" -ge $((width * height / 2)) ] || fail "the report is not seen: $light light pixels"
  echo ok >"$mixer"
  as_user "${session[@]}" wtype -s 500 -k Return
  if ! wait_exit "$saver" 5000; then
    fail "still running 5 s after the report was answered"
  else
    wait "$saver"
    status=$?
    echo "   status $status: $(tr '\n' ' ' <"$work/report.txt")"
    [ "$status" -eq 1 ] || fail "exit status $status after the report"
    grep -q "実行時エラー" "$work/report.txt" || fail "no report on stderr"
  fi
fi
alive "$saver" && e2e_stop "$saver"
ok

begin "one saver at a time: a second /s ends at once while the first goes on; once the first is killed, /s starts again"
write_settings 10 8 2
start_saver
first_saver=$saver
shot_until saver-first covered || fail "the first saver did not cover the outputs"
t0=$(now_ms)
as_user "${session[@]}" timeout 10 "$bin" /s 2>>"$work/stderr"
status=$?
elapsed=$(($(now_ms) - t0))
sleep 0.5
shot saver-second
echo "   the second /s ended with status $status after $elapsed ms"
if [ "$status" -ne 0 ] || [ "$elapsed" -gt 5000 ]; then
  fail "the second /s did not end at once with status 0 (status $status after $elapsed ms)"
elif ! alive "$first_saver"; then
  fail "the first saver ended with the second"
elif [ "$(count_colour saver-second "$first" "$left")" -ne 0 ] ||
  [ "$(count_colour saver-second "$second" "$right")" -ne 0 ]; then
  fail "the first saver no longer covers the outputs"
fi
# The program itself, not the shell and runuser in front of it.
descendants() {
  local c
  for c in $(pgrep -P "$1"); do
    echo "$c"
    descendants "$c"
  done
}
victim=""
for p in "$first_saver" $(descendants "$first_saver"); do
  [ "$(readlink "/proc/$p/exe" 2>/dev/null)" = "$bin" ] && victim=$p
done
echo "   killing the first saver, process ${victim:-(not found)}"
[ -z "$victim" ] || kill -KILL "$victim"
wait "$first_saver" 2>/dev/null
shot_until saver-killed panel || fail "the desktop did not come back after the kill"
start_saver
if ! shot_until saver-after-kill covered; then
  fail "no saver after the first was killed (it $(alive "$saver" && echo runs || echo ended))"
elif ! alive "$saver"; then
  fail "the new saver ended at once: the killed one still counts"
else
  ends_on "$saver" "a one-pixel move" swaymsg "seat seat0 cursor move 1 0"
fi
alive "$saver" && e2e_stop "$saver"
ok

begin "/s on the desktop: each output's own colours under the characters"
write_settings 20 8 1
start_saver
# Pixels in which screenshot $1 differs from the desktop: the characters.
characters() {
  local n
  n="$(compare -metric AE "$art/desktop.png" "$art/$1.png" null: 2>&1 | cut -d' ' -f1)"
  [[ "$n" =~ ^[0-9]+$ ]] && echo "$n" || echo 0
}
desktop_under() {
  [ "$(count_colour saver-desktop "$first" "$left")" -gt 500000 ] &&
    [ "$(count_colour saver-desktop "$second" "$right")" -gt 600000 ] &&
    [ "$(characters saver-desktop)" -gt 2000 ]
}
shot_until saver-desktop desktop_under
green="$(count_colour saver-desktop "$first" "$left")"
blue="$(count_colour saver-desktop "$second" "$right")"
cast="$(characters saver-desktop)"
echo "   desktop pixels $green + $blue, pixels unlike the desktop $cast"
if [ "$green" -lt 500000 ] || [ "$blue" -lt 600000 ]; then
  fail "the desktop's colours are not under the characters: $green, $blue"
elif [ "$cast" -lt 1000 ]; then
  fail "no characters on the desktop ($cast pixels)"
fi
alive "$saver" && e2e_stop "$saver"
ok

begin "the outputs switched off: no frames, the tune closed; one lit again brings both back"
# sway's headless backend cannot disable an output ("output NAME dpms off"
# fails to commit there), so a preloaded stand-in tells the program's power
# objects, which sway's own power manager gave it, the modes the file holds.
write_settings 10 8 2 2
power="$home/power" tune="$home/tune.raw"
echo "on on" >"$power"
chown "$user" "$power"
# Its requests and sway's events as libwayland logs them (the stand-in's
# modes bypass the log): the power objects are sway's, and never set.
e2e_bg as_user "${session[@]}" LD_PRELOAD="$work/bin/quimbel_e2e_fake_output_power.so" \
  QUIMBEL_FAKE_OUTPUT_POWER="$power" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$tune" WAYLAND_DEBUG=1 \
  "$bin" /s 2>"$work/power-wayland.log"
saver=$!
secs="${QUIMBEL_WAKE_SECONDS:-10}"
# The program's own process (runuser's child).
program() { pgrep -u "$user" -f "^$bin /s\$" | head -n 1; }
device_open() { ls -l /proc/"$1"/fd 2>/dev/null | grep -q "$tune"; }
# The output closes beside the program once its last chunks have played
# out, about a second after the tune is let go of.
device_closed() { ! device_open "$1"; }
# Whether the outputs change within 0.7 s.
frames_go_on() {
  shot power-a
  sleep 0.7
  shot power-b
  local n
  n="$(compare -metric AE "$art/power-a.png" "$art/power-b.png" null: 2>&1 | cut -d' ' -f1)"
  [ "$n" != 0 ]
}
drawn() { [ "$(count_others power-drawn "$first")" -gt 200 ] || [ "$(count_others power-drawn "$second")" -gt 200 ]; }
pid=""
shot_until power-drawn drawn && sleep 1 && pid="$(program)"
if [ -z "$pid" ]; then
  fail "no saver drawing"
else
  device_open "$pid" || fail "lit: the tune's device is not open"
  frames_go_on || fail "lit: the frames stand still"
  lit="$(wakeups "$pid")"
  echo "off on" >"$power"
  sleep 1
  { device_open "$pid" && frames_go_on; } || fail "one output off: the run did not go on"
  echo "off off" >"$power"
  within 3000 device_closed "$pid" || fail "both off: the tune's device is still open"
  frames_go_on && fail "both off: frames are still drawn"
  dark="$(wakeups "$pid")"
  echo "on off" >"$power"
  sleep 1
  device_open "$pid" || fail "one lit again: the tune's device was not opened again"
  frames_go_on || fail "one lit again: the frames stand still"
  echo "   wake-ups per second over $secs s: lit $lit, dark $dark"
  echo "off off" >"$power"
  sleep 1
  ends_on "$saver" "a one-pixel move while dark" swaymsg "seat seat0 cursor move 1 0"
fi
alive "$saver" && e2e_stop "$saver"
asked="$(grep -c 'zwlr_output_power_manager_v1@[0-9]*\.get_output_power(' "$work/power-wayland.log")"
told="$(grep -c 'zwlr_output_power_v1@[0-9]*\.mode(1)' "$work/power-wayland.log")"
set="$(grep -c 'zwlr_output_power_v1@[0-9]*\.set_mode(' "$work/power-wayland.log")"
echo "   power objects asked of sway $asked, its modes on $told, modes set $set"
if [ "$asked" -ne 2 ] || [ "$told" -lt 2 ]; then
  fail "sway's power objects were not used: $asked asked, $told modes told"
elif [ "$set" -ne 0 ]; then
  fail "the saver set an output's power $set times"
fi
ok

begin "/c without XWayland: the dialog on Wayland, floating at its own size"
e2e_bg as_user "${session[@]}" "$bin" /c 2>>"$work/stderr"
dialog=$!
found=""
# Qt's first start on Wayland takes its time on a busy machine.
end=$(($(now_ms) + 20000))
while [ -z "$found" ] && [ "$(now_ms)" -lt "$end" ]; do
  found="$(sway_window "Saver Setting")"
  sleep 0.2
done
shot dialog
echo "   Saver Setting: $found"
read -r how width height _ <<<"$found"
if [ -z "$found" ]; then
  alive "$dialog" && state="still running" || state="ended"
  fail "no window named Saver Setting after 20 s (the program $state): $(tail -2 "$work/stderr" 2>/dev/null)"
elif [ "$how" != floating ] || [ "$width" -ne 540 ] || [ "$height" -lt 330 ] || [ "$height" -gt 370 ]; then
  fail "not at its own size: $found"
else
  as_user "${session[@]}" timeout 10 "$bin" /s 2>>"$work/stderr"
  status=$?
  sleep 0.5
  shot dialog-refuses-saver
  green="$(count_colour dialog-refuses-saver "$second" "$right")"
  echo "   /s beside the dialog: status $status, second output's own colour $green"
  [ "$status" -eq 0 ] && [ "$green" -gt 700000 ] || fail "/s beside the dialog was not refused"
fi
e2e_stop "$dialog"
ok

begin "/c without XWayland: help, introduction and About open from the menu, each floating at its own size"
# Each window from its menu item, the dialog's menu bar reached with Alt;
# $1 the title, $2 the item's letter, $3 the content's width and height
# (nothing for a message box: small), $4 the screenshot's name.
own_window() {
  local found how width height crop light
  swaymsg '[title="^Saver Setting$"] focus'
  as_user "${session[@]}" wtype -s 500 -M alt h -m alt -s 300 "$2"
  if ! found="$(wait_sway_window "$1" 10000)"; then
    fail "no window titled $1 after Alt+H, $2"
    return 1
  fi
  sleep 0.5
  shot "$4"
  read -r how width height crop <<<"$found"
  # The window's own face, not the desktop's colours through it.
  light="$(convert "$art/$4.png" -alpha off -crop "$crop" +repage -fill "#FFFFFE" -opaque black \
    -fill black -opaque "#$left" -opaque "#$right" -fill white +opaque black -colorspace gray \
    -format "%[fx:int(mean*w*h+0.5)]" info:)"
  echo "   $1: $found, drawn $light of $((width * height))"
  if [ "$how" != floating ]; then
    fail "$1 is tiled: $found"
  elif [ -n "$3" ] && [ "$width $height" != "$3" ]; then
    fail "$1 is not at its own size $3: $found"
  elif [ -z "$3" ] && { [ "$width" -gt 640 ] || [ "$height" -gt 480 ]; }; then
    fail "$1 is not a small box: $found"
  elif [ "$light" -lt $((width * height * 9 / 10)) ]; then
    fail "$1 is not drawn: $light of $((width * height)) pixels"
  fi
}
e2e_bg as_user "${session[@]}" "$bin" /c 2>>"$work/stderr"
dialog=$!
if ! wait_sway_window "Saver Setting" 20000 >/dev/null; then
  fail "no window named Saver Setting after 20 s"
else
  own_window "くいんべるスクリーンセイバーについて" h "640 430" help &&
    own_window "作者ソフト紹介" e "502 394" intro &&
    own_window "くいんべる　スクリーンセイバー Ver1.40" a "" about
fi
e2e_stop "$dialog"
ok

begin "/p without XWayland: no X window to draw into, said plainly, no crash"
out="$(as_user "${session[@]}" timeout 10 "$bin" /p 12345 2>&1)"
status=$?
echo "   status $status: $out"
if [ "$status" -ne 1 ] || ! grep -q "^quimbel: /p needs an X display" <<<"$out"; then
  fail "not the plain failure: status $status, $out"
fi
ok

begin "swayidle starts the saver after its timeout, as docs/linux.md says"
if ! command -v swayidle >/dev/null; then
  fail "missing swayidle: run .ci/install-deps"
else
  write_settings 10 8 2
  e2e_bg as_user "${session[@]}" swayidle -w timeout 2 "$bin /s" 2>>"$work/stderr"
  idle=$!
  saver=""
  end=$(($(now_ms) + 10000))
  while [ -z "$saver" ] && [ "$(now_ms)" -lt "$end" ]; do
    saver="$(pgrep -u "$user" -f "^$bin /s\$" | head -n 1)"
    sleep 0.1
  done
  if [ -z "$saver" ]; then
    fail "no saver 10 s after a 2 s timeout"
  else
    idle_covered() {
      [ "$(count_colour saver-idle "$first" "$left")" -eq 0 ] &&
        [ "$(count_colour saver-idle "$second" "$right")" -eq 0 ]
    }
    shot_until saver-idle idle_covered || fail "the outputs are not covered"
    swaymsg "seat seat0 cursor move 1 0"
    wait_exit "$saver" 2000 || fail "the saver swayidle started outlived a one-pixel move"
  fi
  e2e_stop "$idle"
  [ -z "$saver" ] || ! alive "$saver" || e2e_stop "$saver"
fi
ok

# What is left changes the outputs: scale and desktop, then a third one.
begin "an output at scale 2: its device pixels drawn, the desktop sharp under the characters, the cast twice as tall"
# The one character on black, on the first output: its lit box "w h" once it
# lies whole there, in the device pixels of screenshot $1 ($2 x $3).
one_character() {
  local w h x y
  for _ in $(seq 150); do
    as_user "${session[@]}" grim -o HEADLESS-1 "$work/shots/$1.png" || return 1
    # A black border makes the corner colour the trim takes off black.
    read -r w h x y < <(convert "$work/shots/$1.png" -bordercolor black -border 1 -trim \
      -format "%w %h %X %Y" info: 2>/dev/null | tr -d '+')
    if [ "${h:-0}" -gt 20 ] && [ "$x" -gt 1 ] && [ "$y" -gt 1 ] &&
      [ $((x - 1 + w)) -lt "$2" ] && [ $((y - 1 + h)) -lt "$3" ]; then
      cp "$work/shots/$1.png" "$art/$1.png"
      echo "$w $h"
      return 0
    fi
    # Clear of both sides yet cut by the bottom: its lane runs below this
    # output (the second one is taller), where it never lies whole.
    if [ "${h:-0}" -gt 20 ] && [ "$x" -gt 1 ] && [ $((x - 1 + w)) -lt "$2" ] &&
      [ $((y - 1 + h)) -ge "$3" ]; then
      return 2
    fi
    sleep 0.2
  done
  return 1
}
write_settings 1 0 2
declare -A tall=()
for scale in 1 2; do
  [ "$scale" = 2 ] && swaymsg "output HEADLESS-1 resolution 2560x1440 scale 2"
  # A new run draws a new lane, until one lies on the first output. The
  # pointer waits on the second output: sway's renderer draws it into the
  # first one's screenshots, where it would pass for a character.
  for _ in 1 2 3 4; do
    swaymsg "seat seat0 cursor set 1800 400"
    start_saver
    measured="$(one_character "one-character-scale$scale" $((1280 * scale)) $((720 * scale)))"
    found=$?
    ends_on "$saver" "a one-pixel move" swaymsg "seat seat0 cursor move 1 0"
    [ "$found" -ne 2 ] && break
  done
  if [ "$found" -eq 0 ]; then
    read -r w h <<<"$measured"
    tall[$scale]=$h
    echo "   at scale $scale the character measures $w x $h device pixels"
  fi
done
a=${tall[1]:-0} b=${tall[2]:-0}
# Two walking steps may differ by a pixel or two in height: within 5 %.
if [ "$a" -eq 0 ] || [ "$b" -eq 0 ]; then
  fail "the character never lay whole on the first output (${a} at scale 1, ${b} at 2)"
elif [ $((b % 2)) -ne 0 ] || [ $((b * 10)) -lt $((a * 19)) ] || [ $((b * 10)) -gt $((a * 21)) ]; then
  fail "$b device pixels at scale 2 against $a at scale 1"
fi
# Every output a tile of random pixels: detail of one device pixel, which any
# enlargement, reduction or shift of the picture would change almost
# everywhere.
convert -size 61x53 xc: +noise Random -depth 8 "$work/tile.png" && chmod a+r "$work/tile.png"
swaymsg "output * bg $work/tile.png tile"
sleep 1
as_user "${session[@]}" grim -o HEADLESS-1 "$work/shots/tiled-1.png"
as_user "${session[@]}" grim -o HEADLESS-2 "$work/shots/tiled-2.png"
cp "$work/shots/tiled-1.png" "$work/shots/tiled-2.png" "$art/"
# The tile as sharp as it should be: reduced by 2 and enlarged again, most
# pixels change.
# Pixels in which images $1 and $2 differ (compare writes large counts as
# 2.6e+06); a failed comparison counts as all of them.
ae() {
  compare -metric AE "$1" "$2" null: 2>&1 | awk '$1 ~ /^[0-9.e+]+$/ {printf "%d", $1; next} {print 99999999}'
}
convert "$art/tiled-1.png" -sample 50% -sample 200% "$work/coarse.png"
coarse="$(ae "$art/tiled-1.png" "$work/coarse.png")"
size="$(identify -format "%wx%h" "$art/tiled-1.png")"
write_settings 3 0 1
start_saver
unlike() { ae "$art/tiled-$2.png" "$art/$1.png"; }
cast_shown() {
  as_user "${session[@]}" grim -o HEADLESS-1 "$work/shots/saver-tiled-1.png" &&
    as_user "${session[@]}" grim -o HEADLESS-2 "$work/shots/saver-tiled-2.png" &&
    cp "$work/shots/saver-tiled-1.png" "$work/shots/saver-tiled-2.png" "$art/" &&
    [ $(($(unlike saver-tiled-1 1) + $(unlike saver-tiled-2 2))) -gt 2000 ]
}
end=$(($(now_ms) + 10000))
until cast_shown || [ "$(now_ms)" -ge "$end" ]; do sleep 0.3; done
on1="$(unlike saver-tiled-1 1)" on2="$(unlike saver-tiled-2 2)"
# Three characters of at most 80 x 140 sprite pixels, each 2 x 2 device
# pixels, and an imprint or two: nothing else may differ.
most=$((5 * 160 * 280))
echo "   desktop $size, unlike it when halved: $coarse; under the saver unlike the desktop: $on1 + $on2 (at most $most)"
if [ "$size" != 2560x1440 ]; then
  fail "the first output is $size, not 2560x1440"
elif [ "$coarse" -lt 1000000 ]; then
  fail "the desktop has no detail of one device pixel ($coarse)"
elif [ $((on1 + on2)) -le 2000 ]; then
  fail "no characters on the desktop ($on1 + $on2 pixels)"
elif [ "$on1" -gt "$most" ] || [ "$on2" -gt "$most" ]; then
  fail "the desktop under the saver is not the desktop: $on1, $on2 pixels differ"
fi
ends_on "$saver" "a one-pixel move" swaymsg "seat seat0 cursor move 1 0"
ok

begin "a monitor plugged in during the run is covered too"
write_settings 10 8 2
start_saver
# The saver up, before the monitor comes: the first output no longer shows
# the desktop.
up() {
  as_user "${session[@]}" grim -o HEADLESS-1 "$work/shots/plugged-before.png" &&
    [ "$(ae "$art/tiled-1.png" "$work/shots/plugged-before.png")" -gt 100000 ]
}
end=$(($(now_ms) + 10000))
until up || [ "$(now_ms)" -ge "$end" ]; do sleep 0.3; done
as_user "${session[@]}" swaymsg create_output >/dev/null
# The new output lies outside the scene, which keeps its place: the saver
# covers it in black.
third() {
  rm -f "$work/shots/$1.png"
  as_user "${session[@]}" grim -o HEADLESS-3 "$work/shots/$1.png" && cp "$work/shots/$1.png" "$art/$1.png" &&
    [ "$(count_others "$1" 100000x100000+0+0)" -eq 0 ]
}
end=$(($(now_ms) + 10000))
until third plugged-covered || [ "$(now_ms)" -ge "$end" ]; do sleep 0.3; done
lit="$(count_others plugged-covered 100000x100000+0+0)"
echo "   the new output under the saver: $lit pixels not black"
if ! alive "$saver"; then
  fail "the saver ended when an output was plugged in: $(tail -3 "$work/stderr" 2>/dev/null)"
elif [ "$lit" -ne 0 ]; then
  fail "the new output is not covered in black ($lit pixels not black)"
else
  ends_on "$saver" "a one-pixel move" swaymsg "seat seat0 cursor move 1 0"
fi
alive "$saver" && e2e_stop "$saver"
# Without the saver the new output shows its desktop: the check above can fail.
sleep 0.5
third plugged-after
bare="$(count_others plugged-after 100000x100000+0+0)"
echo "   the new output without the saver: $bare pixels not black"
[ "$bare" -gt 100000 ] || fail "the new output never showed its desktop ($bare pixels not black)"
ok

begin "a monitor unplugged during the run: its surface goes, the saver goes on over the others"
# sway 1.7's headless outputs cannot be removed; a sway nested in this one,
# whose outputs are windows here, loses an output when its window is closed.
inner="$work/inner"
mkdir -m 700 "$inner" && chown "$user" "$inner"
printf 'output WL-1 bg #%s solid_color\noutput WL-2 bg #%s solid_color\nxwayland disable\n' \
  "$left" "$right" >"$work/inner.config"
chmod a+r "$work/inner.config"
e2e_bg as_user HOME="$home" XDG_RUNTIME_DIR="$inner" WAYLAND_DISPLAY="$run/wayland-1" WLR_BACKENDS=wayland \
  WLR_RENDERER=pixman WLR_WL_OUTPUTS=2 WLR_LIBINPUT_NO_DEVICES=1 sway -c "$work/inner.config" \
  >"$art/inner-sway.log" 2>&1
nested_sway=$!
end=$(($(now_ms) + 10000))
isock=""
while [ -z "$isock" ] && [ "$(now_ms)" -lt "$end" ]; do
  isock="$(ls "$inner"/sway-ipc.*.sock 2>/dev/null | head -n 1)"
  sleep 0.1
done
nested=(HOME="$home" XDG_RUNTIME_DIR="$inner" XDG_CONFIG_HOME="$home/.config" SDL_AUDIODRIVER=dummy
  WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$isock")
inner_outputs() { as_user "${nested[@]}" swaymsg -t get_outputs | grep -c '"name"'; }
# Screenshot $1 of the nested sway: no output's colour left, characters drawn.
inner_covered() {
  rm -f "$work/shots/$1.png"
  as_user "${nested[@]}" grim "$work/shots/$1.png" && cp "$work/shots/$1.png" "$art/$1.png" &&
    [ "$(count_colour "$1" 100000x100000+0+0 "$left")" -eq 0 ] &&
    [ "$(count_colour "$1" 100000x100000+0+0 "$right")" -eq 0 ] &&
    [ "$(count_others "$1" 100000x100000+0+0)" -gt 1000 ]
}
if [ -z "$isock" ] || [ ! -S "$inner/wayland-1" ] || [ "$(inner_outputs)" != 2 ]; then
  fail "no nested sway with two outputs: $(tail -3 "$art/inner-sway.log")"
else
  write_settings 10 8 2
  # libwayland's log of its requests: what it lets go of, and when.
  e2e_bg as_user "${nested[@]}" WAYLAND_DEBUG=1 "$bin" /s 2>"$work/unplug-wayland.log"
  saver=$!
  end=$(($(now_ms) + 10000))
  until inner_covered unplug-before || [ "$(now_ms)" -ge "$end" ]; do sleep 0.3; done
  inner_covered unplug-before || fail "the nested outputs were not covered"
  swaymsg '[title="wlroots - WL-2"] kill'
  end=$(($(now_ms) + 5000))
  until [ "$(inner_outputs)" = 1 ] || [ "$(now_ms)" -ge "$end" ]; do sleep 0.1; done
  left_over="$(inner_outputs)"
  sleep 1
  end=$(($(now_ms) + 5000))
  until inner_covered unplug-after || [ "$(now_ms)" -ge "$end" ]; do sleep 0.3; done
  # Before the end, which lets go of everything.
  dropped="$(grep -cE -- '-> (zwlr_layer_surface_v1|wl_surface)@[0-9]+\.destroy\(\)' "$work/unplug-wayland.log")"
  echo "   surfaces let go of at the unplugging: $dropped (a layer surface and its surface)"
  echo "   outputs left $left_over; the one left: $(count_colour unplug-after 100000x100000+0+0 "$left") of its colour, $(count_others unplug-after 100000x100000+0+0) character pixels"
  if [ "$left_over" != 1 ]; then
    fail "the nested output was not unplugged ($left_over outputs)"
  elif ! alive "$saver"; then
    fail "the saver ended when an output was unplugged: $(tail -3 "$work/stderr" 2>/dev/null)"
  elif ! inner_covered unplug-after; then
    fail "the output left is no longer covered"
  elif [ "$dropped" -ne 2 ]; then
    fail "the unplugged output's surfaces were not let go of ($dropped destroyed)"
  else
    ends_on "$saver" "SIGTERM" eval 'kill -TERM "$(pgrep -u "$user" -f "^$bin /s\$")"'
  fi
  alive "$saver" && e2e_stop "$saver"
fi
e2e_stop "$nested_sway"
ok

[ -s "$work/stderr" ] && cp "$work/stderr" "$art/stderr.txt"
echo "screenshots: $art"
e2e_summary "$name"
