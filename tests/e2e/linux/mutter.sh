#!/usr/bin/env bash
# The program on GNOME's compositor, which offers no layer shell: Debian's
# Mutter on its headless backend with two virtual monitors of different
# sizes side by side, and XWayland. The saver is then an X11 window that
# asks the compositor for full screen over every monitor; Mutter honours
# that. Mutter has no screenshot of its own outputs for other programs, so
# the checks read the X windows' places and contents. Screenshots of the
# windows are kept under build/artifacts/linux-e2e-mutter. Build the linux
# preset first.
set -u
root="$(cd "$(dirname "$0")/../../.." && pwd)"
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
name="mutter end-to-end"
e2e_linux_build "$name" linux-e2e-mutter
e2e_need "$name" mutter dbus-run-session Xwayland wmctrl xdotool xwininfo xprop import convert

work="$(mktemp -d)"
e2e_at_exit rm -rf "$work"
e2e_at_exit cp "$work/mutter.log" "$art/mutter.log"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" "$work/config/quimbel" && chmod 700 "$XDG_RUNTIME_DIR"
# XWayland's socket folder, as an X server would have made it.
if [ ! -d /tmp/.X11-unix ]; then
  mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix
fi
socket="quimbel-e2e-mutter-$$"
e2e_bg dbus-run-session -- mutter --headless --wayland --wayland-display="$socket" \
  --virtual-monitor 1280x720 --virtual-monitor 1024x768 >"$work/mutter.log" 2>&1
session_pid=$!

end=$(($(now_ms) + 15000))
display=""
while [ -z "$display" ] && [ "$(now_ms)" -lt "$end" ]; do
  display="$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$work/mutter.log" 2>/dev/null)"
  sleep 0.1
done
[ -n "$display" ] || e2e_abort "$name" "mutter started no XWayland: $(tail -3 "$work/mutter.log")"
# The session's end does not end mutter: it is ended first, by itself.
mutter_pid="$(pgrep -P "$session_pid" -x mutter | head -n 1)"
[ -z "$mutter_pid" ] || e2e_track "$mutter_pid"
auth=""
for _ in $(seq 100); do
  auth="$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name '.mutter-Xwaylandauth.*' | head -n 1)"
  [ -n "$auth" ] && xwininfo -root -display "$display" >/dev/null 2>&1 && break
  sleep 0.1
done
unset QT_QPA_PLATFORM
export WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland DISPLAY="$display" XAUTHORITY="$auth"
export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy
printf '[QuimbelSaver]\nnumber of cara=20\ntype of cara=8\nsaver type=2\nmusic mode=0\n' \
  >"$XDG_CONFIG_HOME/quimbel/SetupQor.ini"
# X windows on XWayland, shown or not.
e2e_any_window=1

# The outer rectangle of window $1 as "x y width height".
window_box() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}
# Waits up to 5 s for window $1's rectangle to be $2; prints the last one.
box_becomes() {
  local end=$(($(now_ms) + 5000)) box=""
  while :; do
    box="$(window_box "$1")"
    [ "$box" = "$2" ] || [ "$(now_ms)" -ge "$end" ] && break
    sleep 0.2
  done
  echo "$box"
}
# Pixels of screenshot $1 that are not black.
count_lit() {
  local n
  n="$(convert "$art/$1.png" -fill white +opaque black -colorspace gray \
    -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null)"
  echo "${n:-0}"
}

begin "Mutter: two monitors side by side, and full screen as it grants it covers one"
monitors="$(xrandr --listmonitors 2>/dev/null | tail -n +2 | awk '{print $3}' | tr '\n' ' ')"
echo "   monitors: $monitors"
start_host 300 200 100 100
wmctrl -i -r "$host_hex" -b add,fullscreen
box="$(box_becomes "$host_id" "0 0 1280 720")"
echo "   a window in the full-screen state: $box"
if [ "$monitors" != "1280/339x720/190+0+0 1024/271x768/203+1280+0 " ]; then
  fail "not the two monitors asked for: $monitors"
elif [ "$box" != "0 0 1280 720" ]; then
  fail "not the first monitor's rectangle: $box"
fi
destroy_host "$host_fd"
ok

begin "Mutter: /s is an X11 window over both monitors, drawn; a second /s ends at once"
e2e_bg "$bin" /s 2>>"$work/stderr"
saver=$!
if ! id="$(wait_window "SAVER Screen" 10000)"; then
  fail "no X window titled SAVER Screen on $display"
else
  box="$(box_becomes "$id" "0 0 2304 768")"
  # Mutter records the monitors once it has handled the request, which may
  # come after the window already has its size.
  end=$(($(now_ms) + 5000))
  until span="$(xprop -id "$id" _NET_WM_FULLSCREEN_MONITORS)" && [[ "$span" == *"= 0, 1, 0, 1" ]] ||
    [ "$(now_ms)" -ge "$end" ]; do
    sleep 0.1
  done
  # Characters on each monitor's part of the window.
  lit1=0 lit2=0
  end=$(($(now_ms) + 10000))
  while { [ "$lit1" -le 500 ] || [ "$lit2" -le 500 ]; } && [ "$(now_ms)" -lt "$end" ]; do
    import -window "$id" "$art/saver.png" 2>/dev/null
    convert "$art/saver.png" -crop 1280x720+0+0 +repage "$art/saver-first.png" 2>/dev/null
    convert "$art/saver.png" -crop 1024x768+1280+0 +repage "$art/saver-second.png" 2>/dev/null
    lit1="$(count_lit saver-first)" lit2="$(count_lit saver-second)"
    sleep 0.3
  done
  echo "   saver window $box; $span; lit pixels $lit1 + $lit2"
  timeout 10 "$bin" /s 2>>"$work/stderr"
  second=$?
  windows="$(xdotool search --name "^SAVER Screen\$" 2>/dev/null | wc -l)"
  if [ "$box" != "0 0 2304 768" ]; then
    fail "not over both monitors: $box"
  elif [[ "$span" != *"= 0, 1, 0, 1" ]]; then
    fail "Mutter did not take the monitors asked for: $span"
  elif [ "$lit1" -le 500 ] || [ "$lit2" -le 500 ]; then
    fail "characters missing on a monitor: $lit1, $lit2"
  elif [ "$second" -ne 0 ] || [ "$windows" -ne 1 ]; then
    fail "a second /s was not refused (status $second, $windows saver windows)"
  fi
fi
kill -TERM "$saver"
if ! wait_exit "$saver" 2000; then
  fail "still running 2 s after SIGTERM"
else
  wait "$saver"
  status=$?
  [ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
fi
ok

begin "Mutter: a box during the run comes above the saver with the keyboard; Return answers it and the saver goes on"
# The tune breaks (the sleeping poll finds it at the wave tune's end, 9 s):
# the restart fails in a box. XWayland here often misses the release of the
# Return that closes the box and repeats the key into the saver, which must
# not take those repeats for the user's key.
printf '[QuimbelSaver]\nnumber of cara=20\ntype of cara=8\nsaver type=2\nmusic mode=1\n' \
  >"$XDG_CONFIG_HOME/quimbel/SetupQor.ini"
echo ok >"$work/mixer"
LD_PRELOAD="$build/tests/e2e/linux/quimbel_e2e_fake_mixer.so" QUIMBEL_FAKE_MIXER="$work/mixer" \
  e2e_bg "$bin" /s 2>>"$work/stderr"
saver=$!
if ! id="$(wait_window "SAVER Screen" 10000)"; then
  fail "no X window titled SAVER Screen on $display"
else
  sleep 1
  echo broken >"$work/mixer"
  if ! box="$(wait_window "play bgm notify" 15000)"; then
    fail "no box 15 s after the tune broke"
  else
    sleep 0.5
    # Bottom to top: the box must come after the saver.
    stacking="$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')"
    active="$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //')"
    order="$(for w in $stacking; do
      [ "$((w))" = "$id" ] && echo saver
      [ "$((w))" = "$box" ] && echo box
    done | tr '\n' ' ')"
    import -window "$box" "$art/box.png" 2>/dev/null
    echo "   stacking bottom to top: $order; active $active (box $(printf 0x%x "$box"))"
    if [ "$order" != "saver box " ]; then
      fail "the box is not above the saver: $order"
    elif [ "$((active))" != "$box" ]; then
      fail "the box does not have the keyboard: $active"
    fi
    echo ok >"$work/mixer"
    xdotool key --window "$box" Return 2>/dev/null
    end=$(($(now_ms) + 5000))
    while xdotool search --onlyvisible --name "^play bgm notify\$" >/dev/null 2>&1 && [ "$(now_ms)" -lt "$end" ]; do
      sleep 0.2
    done
    sleep 0.5
    alive "$saver" || { wait "$saver"; echo "   the saver ended with status $?: $(tail -3 "$work/stderr")"; }
    timeout 5 import -window "$id" "$art/after-box-1.png" 2>/dev/null
    sleep 0.5
    timeout 5 import -window "$id" "$art/after-box-2.png" 2>/dev/null
    moved="$(compare -metric AE "$art/after-box-1.png" "$art/after-box-2.png" null: 2>&1 | cut -d' ' -f1)"
    echo "   after the box: changed $moved"
    if xdotool search --onlyvisible --name "^play bgm notify\$" >/dev/null 2>&1; then
      fail "Return did not answer the box"
    elif ! alive "$saver"; then
      fail "the saver ended with the box"
    elif ! [[ "$moved" =~ ^[0-9]+$ ]] || [ "$moved" -lt 200 ]; then
      fail "the frames stopped after the box ($moved pixels changed)"
    fi
  fi
fi
alive "$saver" && e2e_stop "$saver"
ok

begin "Mutter: /c opens Saver Setting with its 540 x 330 client area, and help, introduction and About at their own sizes"
e2e_bg "$bin" /c 2>>"$work/stderr"
dialog=$!
if ! win="$(wait_window "Saver Setting" 10000)"; then
  fail "no X window titled Saver Setting on $display"
else
  sleep 0.5
  import -window "$win" "$art/dialog.png" 2>/dev/null
  client="$(xwininfo -tree -id "$win" | awk '$0 ~ /540x330\+0\+/ {print $1; exit}')"
  echo "   dialog $(window_box "$win"), client ${client:-none}, lit $(count_lit dialog)"
  [ -n "$client" ] || fail "no 540 x 330 client area: $(xwininfo -tree -id "$win" | grep -E '[0-9]+x[0-9]+\+' | head -3)"
  [ "$(count_lit dialog)" -gt 100000 ] || fail "the dialog is not drawn"
  # Help, the introduction and About from the menu, each drawn at its own
  # size: its client area $3, or for a message box a small window.
  menu_window() {
    local w box
    xdotool windowactivate --sync "$win" key alt+h key "$2" 2>/dev/null
    if ! w="$(wait_window "$1" 5000)"; then
      fail "no window titled $1 after Alt+H, $2"
      return
    fi
    sleep 0.5
    import -window "$w" "$art/$4.png" 2>/dev/null
    box="$(window_box "$w")"
    echo "   $1: $box, lit $(count_lit "$4")"
    if [ "$3" = box ]; then
      read -r _ _ bw bh <<<"$box"
      [ "$bw" -le 640 ] && [ "$bh" -le 480 ] || fail "$1 is not a small box: $box"
    elif ! xwininfo -tree -id "$w" | grep -q " $3+0+"; then
      fail "$1 has no $3 client area: $box"
    fi
    [ "$(count_lit "$4")" -gt 20000 ] || fail "$1 is not drawn"
  }
  menu_window "くいんべるスクリーンセイバーについて" h 640x430 help
  menu_window "作者ソフト紹介" e 502x394 intro
  menu_window "くいんべる　スクリーンセイバー Ver1.40" a box about
fi
e2e_stop "$dialog"
ok

[ -s "$work/stderr" ] && cp "$work/stderr" "$art/stderr.txt"
echo "screenshots: $art"
e2e_summary "$name"
