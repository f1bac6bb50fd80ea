#!/usr/bin/env bash
# The X11 saver when the server's power saving darkens the displays. Neither
# Xvfb nor Xorg's dummy driver has DPMS, so a preloaded stand-in
# (quimbel_e2e_fake_dpms.so) answers the program's DPMS requests from a file
# the test writes; the rest is the real program on a private Xvfb, its tune
# on SDL's disk driver. Checks that the dark closes the audio device and
# stops the frames, that the light brings both back, that input ends a dark
# run, and prints the program's wake-ups per second lit and dark (voluntary
# context switches of all its threads over 10 s). Build the linux preset first.
set -u
root="$(cd "$(dirname "$0")/../../.." && pwd)"
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
name="display power end-to-end"
e2e_linux_build "$name" linux-e2e-display-power
e2e_need "$name" Xvfb xdotool import compare
fake="$build/tests/e2e/linux/quimbel_e2e_fake_dpms.so"
[ -f "$fake" ] || e2e_abort "$name" "missing $fake: build the linux preset first"
work="$(mktemp -d)"
e2e_at_exit rm -rf "$work"
e2e_start_xvfb 81 1024x768 "$work/xvfb.log" || e2e_abort "$name" "no Xvfb"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/tune.raw"
mkdir -p "$XDG_CONFIG_HOME/quimbel" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[QuimbelSaver]\nnumber of cara=10\ntype of cara=8\nsaver type=2\nmusic mode=2\n' \
  >"$XDG_CONFIG_HOME/quimbel/SetupQor.ini"
dpms="$work/dpms"
secs="${QUIMBEL_WAKE_SECONDS:-10}"

# Whether process $1 holds the disk audio file open: the device is open.
device_open() { ls -l /proc/"$1"/fd 2>/dev/null | grep -q "$SDL_DISKAUDIOFILE"; }
# The output closes beside the program once its last chunks have played
# out, about a second after the tune is let go of.
device_closed() { ! device_open "$1"; }
# Whether the screen changes within 0.7 s.
frames_go_on() {
  import -window root "$work/a.png"
  sleep 0.7
  import -window root "$work/b.png"
  local n
  n="$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1)"
  [ "$n" != 0 ]
}

echo on >"$dpms"
xdotool mousemove 500 400
e2e_bg env LD_PRELOAD="$fake" QUIMBEL_FAKE_DPMS="$dpms" "$bin" /s 2>>"$work/stderr"
pid=$!

begin "lit: the frames go on and the tune's device is open"
wait_window "SAVER Screen" 10000 >/dev/null || fail "no saver window"
sleep 2
device_open "$pid" || fail "the audio device is not open"
frames_go_on || fail "the frames stand still"
ok
lit="$(wakeups "$pid")"

begin "dark: the device is let go of and no frame is drawn"
echo off >"$dpms"
sleep 2
alive "$pid" || fail "the saver ended"
within 2000 device_closed "$pid" || fail "the audio device is still open"
size="$(stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null)"
frames_go_on && fail "frames are still drawn"
import -window root "$art/dark.png"
ok
dark="$(wakeups "$pid")"
[ "$(stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null)" = "$size" ] ||
  { begin "dark: silent"; fail "the tune went on being written"; }

begin "lit again: the tune and the frames come back"
echo on >"$dpms"
sleep 2
device_open "$pid" || fail "the audio device was not opened again"
frames_go_on || fail "the frames stand still"
import -window root "$art/lit-again.png"
ok

begin "standby counts as dark, power saving switched off as lit"
echo standby >"$dpms"
sleep 2
within 2000 device_closed "$pid" || fail "standby: the audio device is still open"
echo disabled >"$dpms"
sleep 2
device_open "$pid" || fail "disabled: the audio device was not opened again"
ok

begin "a one-pixel move ends a dark run"
echo off >"$dpms"
sleep 2
xdotool mousemove_relative 1 0
wait_exit "$pid" 3000 || fail "still running"
ok

echo "wake-ups per second over ${secs} s: lit $lit, dark $dark"
[ -s "$work/stderr" ] && cp "$work/stderr" "$art/stderr.txt"
e2e_summary "$name"
