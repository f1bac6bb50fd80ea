#!/usr/bin/env bash
# The saver's full-screen request over two monitors under a window manager
# that honours _NET_WM_FULLSCREEN_MONITORS: Debian's IceWM on a wide Xvfb
# split into two RandR monitors of different sizes. The program asks for the
# full-screen state over every monitor when it runs in a Wayland session on
# XWayland without a layer shell (GNOME, weston); here WAYLAND_DISPLAY names
# no compositor, so the program takes that road with an X11 manager deciding
# (mutter.sh has GNOME's compositor decide). Screenshots are kept under
# build/artifacts/linux-e2e-icewm. Build the linux preset first.
set -u
root="$(cd "$(dirname "$0")/../../.." && pwd)"
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
name="icewm end-to-end"
e2e_linux_build "$name" linux-e2e-icewm
e2e_need "$name" icewm wmctrl Xvfb xdotool xrandr xwininfo xprop import convert
work="$(mktemp -d)"
e2e_at_exit rm -rf "$work"
e2e_start_xvfb 91 2304x768 "$work/xvfb.log" || e2e_abort "$name" "no Xvfb"
# A at the left, 1280 x 720; B right of it, 1024 x 768, in place of Xvfb's
# own whole-screen monitor.
xrandr --setmonitor A 1280/338x720/190+0+0 none >/dev/null &&
  xrandr --setmonitor B 1024/270x768/203+1280+0 screen >/dev/null ||
  e2e_abort "$name" "no RandR monitors: $(xrandr --listmonitors 2>&1)"
xsetroot -solid "#208040"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" HOME="$work"
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY=quimbel-e2e-no-compositor
mkdir -p "$XDG_CONFIG_HOME/quimbel" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[QuimbelSaver]\nnumber of cara=20\ntype of cara=8\nsaver type=2\nmusic mode=0\n' \
  >"$XDG_CONFIG_HOME/quimbel/SetupQor.ini"
e2e_bg icewm >"$work/icewm.log" 2>&1
wm=$!

# The outer rectangle of window $1 as "x y width height".
window_box() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}
# Pixels of the root's colour in screenshot $1 inside crop $2.
desktop_left() {
  convert "$art/$1.png" -alpha off -crop "$2" +repage -fill black +opaque "#208040" \
    -fill white -opaque "#208040" -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info:
}
# Pixels inside crop $2 that are neither black nor the root's colour.
lit() {
  convert "$art/$1.png" -alpha off -crop "$2" +repage -fill black -opaque "#208040" \
    -fill white +opaque black -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info:
}

begin "IceWM manages the screen and offers _NET_WM_FULLSCREEN_MONITORS"
supported=""
end=$(($(now_ms) + 10000))
while ! grep -q _NET_WM_FULLSCREEN_MONITORS <<<"$supported" && [ "$(now_ms)" -lt "$end" ]; do
  sleep 0.2
  supported="$(xprop -root _NET_SUPPORTED 2>/dev/null)"
done
alive "$wm" || fail "icewm ended: $(tail -3 "$work/icewm.log")"
grep -q _NET_WM_FULLSCREEN_MONITORS <<<"$supported" || fail "icewm does not offer it: $supported"
sleep 0.5
import -window root "$art/desktop.png"
ok

begin "IceWM's own full screen covers one monitor"
# The manager's answer to the full-screen state alone: without the monitors
# named, one monitor. The saver's window must come out larger than this.
start_host 300 200 100 100
wmctrl -i -r "$host_hex" -b add,fullscreen
box=""
end=$(($(now_ms) + 5000))
while [ "$box" != "0 0 1280 720" ] && [ "$(now_ms)" -lt "$end" ]; do
  sleep 0.2
  box="$(window_box "$host_id")"
done
echo "   a window in the full-screen state: $box"
[ "$box" = "0 0 1280 720" ] || fail "not monitor A's rectangle: $box"
destroy_host "$host_fd"
ok

begin "/s spans both monitors from the corner, without a frame; a one-pixel move ends it"
xdotool mousemove 600 400
e2e_bg "$bin" /s 2>>"$work/stderr"
saver=$!
if ! id="$(wait_window "SAVER Screen" 8000)"; then
  fail "no window titled SAVER Screen"
else
  box=""
  end=$(($(now_ms) + 5000))
  while [ "$box" != "0 0 2304 768" ] && [ "$(now_ms)" -lt "$end" ]; do
    sleep 0.2
    box="$(window_box "$id")"
  done
  state="$(xprop -id "$id" _NET_WM_STATE)"
  shot_ok=""
  end=$(($(now_ms) + 10000))
  while [ -z "$shot_ok" ] && [ "$(now_ms)" -lt "$end" ]; do
    import -window root "$art/saver.png"
    green="$(desktop_left saver 2304x768+0+0)"
    cast_a="$(lit saver 1280x720+0+0)"
    cast_b="$(lit saver 1024x768+1280+0)"
    # The window spans the monitors' bounding box, the strip below A too.
    [ "$green" -eq 0 ] && [ "$cast_a" -gt 500 ] && [ "$cast_b" -gt 500 ] && shot_ok=1
    sleep 0.3
  done
  echo "   saver window $box; $state; root colour left $green, character pixels $cast_a + $cast_b"
  if [ "$box" != "0 0 2304 768" ]; then
    fail "not over both monitors: $box"
  elif ! grep -q _NET_WM_STATE_FULLSCREEN <<<"$state"; then
    fail "not in the full-screen state: $state"
  elif [ -z "$shot_ok" ]; then
    fail "the monitors are not covered: $green desktop pixels, $cast_a + $cast_b character pixels"
  else
    xdotool mousemove_relative 1 0
    if ! wait_exit "$saver" 2000; then
      fail "still running 2 s after a one-pixel move"
    else
      wait "$saver"
      status=$?
      [ "$status" -eq 0 ] || fail "exit status $status"
    fi
  fi
fi
alive "$saver" && e2e_stop "$saver"
ok

[ -s "$work/stderr" ] && cp "$work/stderr" "$art/stderr.txt"
echo "screenshots: $art"
e2e_summary "$name"
