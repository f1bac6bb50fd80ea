#!/usr/bin/env bash
# End-to-end tests of the native Wayland saver under Debian's sway on its
# headless backend, two outputs side by side: the saver on the overlay layer
# of both (over a panel of the top layer), one scene across them, the
# desktop copied with screencopy under the characters, and a one-pixel
# pointer move or a key ending it. Screenshots (grim) are kept under
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

e2e_unprivileged_run "$name" "$build"/quimbel_e2e_wayland_pointer "$build"/tests/e2e/linux/quimbel_e2e_fake_mixer.so
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
    -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info:
}
# Pixels inside crop $2 that are none of black and the colours $3...: the characters.
count_others() {
  local args=() c
  for c in 000000 "${@:3}"; do args+=(-fill black -opaque "#$c"); done
  convert "$art/$1.png" -alpha off -crop "$2" +repage "${args[@]}" -fill white +opaque black \
    -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info:
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
# Screenshots $1 until check $2 passes on it, for up to ten seconds: on a
# busy machine the first frames take their time.
shot_until() {
  local end=$(($(now_ms) + 10000))
  while :; do
    shot "$1"
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
panel() { [ "$(count_colour desktop "$first" 900000)" -gt 5000 ]; }
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
  [ "$(count_colour saver-black "$first" "$left")" -eq 0 ] &&
    [ "$(count_colour saver-black "$second" "$right")" -eq 0 ] &&
    [ "$(count_others saver-black "$first")" -gt 1000 ] &&
    [ "$(count_others saver-black "$second")" -gt 1000 ]
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
# program reports in a box captioned with the command.
write_settings 10 8 2 1
mixer="$work/mixer"
echo ok >"$mixer"
chmod a+r "$mixer"
e2e_bg as_user "${session[@]}" LD_PRELOAD="$work/bin/quimbel_e2e_fake_mixer.so" QUIMBEL_FAKE_MIXER="$mixer" \
  "$bin" /s 2>>"$work/stderr"
saver=$!
shot_until saver-before-box covered || fail "the saver did not cover the outputs"
echo broken >"$mixer"
if ! box="$(wait_sway_window "play bgm notify" 5000)"; then
  fail "no box 5 s after the tune broke (the saver $(alive "$saver" && echo runs || echo ended))"
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
if ! report="$(wait_sway_window quimbel 5000)"; then
  fail "no report 5 s after the error (the saver $(alive "$saver" && echo runs || echo ended)): $(cat "$work/report.txt")"
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
elif ! covered; then
  fail "the first saver no longer covers the outputs"
fi
kill -KILL "$first_saver" 2>/dev/null
wait "$first_saver" 2>/dev/null
shot_until saver-killed panel || fail "the desktop did not come back after the kill"
start_saver
if ! shot_until saver-after-kill covered; then
  fail "no saver after the first was killed (it $(alive "$saver" && echo runs || echo ended))"
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

[ -s "$work/stderr" ] && cp "$work/stderr" "$art/stderr.txt"
echo "screenshots: $art"
e2e_summary "$name"
