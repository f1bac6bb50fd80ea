#!/usr/bin/env bash
# End-to-end tests of the program in a Wayland session: Debian's weston on
# its headless backend, with XWayland. The program must put its windows on
# XWayland, where its title look-ups, pointer checks and captures look, unless
# the user chose a Qt platform. Screenshots are kept under
# build/artifacts/linux-e2e-weston. Build the linux preset first.
set -u
root="$(cd "$(dirname "$0")/../../.." && pwd)"
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
name="wayland end-to-end"
e2e_linux_build "$name" linux-e2e-weston
e2e_need "$name" weston Xwayland xdotool import
# Without Qt's Wayland platform Qt could not choose Wayland at all, and the
# tests would prove nothing.
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  e2e_abort "$name" "missing qt6-wayland: run .ci/install-deps"

work="$(mktemp -d)"
e2e_at_exit rm -rf "$work"
e2e_at_exit cp "$work/weston.log" "$art/weston.log"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" "$work/config/quimbel" && chmod 700 "$XDG_RUNTIME_DIR"
socket="quimbel-e2e-$$"
# XWayland's socket folder; weston crashes where it is missing (a machine
# that has run no X server yet), as an X server would have made it.
if [ ! -d /tmp/.X11-unix ]; then
  mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix
fi
e2e_bg weston --backend=headless-backend.so --xwayland --socket="$socket" \
  --width=1280 --height=720 --log="$work/weston.log" >/dev/null 2>&1

end=$(($(now_ms) + 10000))
display=""
while [ -z "$display" ] && [ "$(now_ms)" -lt "$end" ]; do
  display="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null)"
  sleep 0.1
done
[ -n "$display" ] || e2e_abort "$name" "weston started no XWayland"
# A Wayland session as a desktop sets it up.
unset QT_QPA_PLATFORM
export WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland DISPLAY="$display"
export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy
printf '[QuimbelSaver]\nnumber of cara=5\ntype of cara=0\nsaver type=2\nmusic mode=0\n' \
  >"$XDG_CONFIG_HOME/quimbel/SetupQor.ini"

# X windows on XWayland, shown or not. (No pointer moves here: XWayland on
# the headless backend crashes on them.)
e2e_any_window=1
# Pixels of a screenshot that are not black; 0 when there is no picture.
count_lit() {
  local n
  n="$(convert "$art/$1.png" -fill white +opaque black -colorspace gray \
    -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null)"
  echo "${n:-0}"
}
# Screenshots window $1 into $2.png until more than $3 pixels are lit or ten
# seconds pass (on a busy machine the first frames take their time); prints
# the last count.
shoot_until_lit() {
  local end lit
  end=$(($(now_ms) + 10000))
  while :; do
    import -window "$1" "$art/$2.png" 2>/dev/null
    lit="$(count_lit "$2")"
    [ "$lit" -gt "$3" ] || [ "$(now_ms)" -ge "$end" ] && break
    sleep 0.3
  done
  echo "$lit"
}

begin "/s makes its saver window on XWayland, full screen, and draws there"
e2e_bg "$bin" /s 2>>"$work/stderr"
saver=$!
if ! id="$(wait_window "SAVER Screen" 8000)"; then
  fail "no X window titled SAVER Screen on $display"
else
  lit="$(shoot_until_lit "$id" saver 1000)"
  geometry="$(xdotool getwindowgeometry "$id" | tr -s ' \n' ' ')"
  echo "   saver window $geometry, lit pixels $lit"
  # Full screen as the compositor grants it: at the corner, the output's size.
  if [[ "$geometry" != *"Position: 0,0 "*"Geometry: 1280x720 "* ]]; then
    fail "not full screen: $geometry"
  elif [ "$lit" -le 1000 ]; then
    fail "no characters drawn ($lit lit pixels)"
  fi
fi
kill -TERM "$saver"
wait_exit "$saver" 2000 || fail "still running 2 s after SIGTERM"
ok

begin "/c opens Saver Setting on XWayland"
e2e_bg "$bin" /c 2>>"$work/stderr"
dialog=$!
if ! id="$(wait_window "Saver Setting" 8000)"; then
  fail "no X window titled Saver Setting on $display"
else
  lit="$(shoot_until_lit "$id" dialog 10000)"
  [ "$lit" -gt 10000 ] || fail "the dialog is not drawn ($lit lit pixels)"
fi
kill "$dialog"
wait_exit "$dialog" 2000
ok

begin "a Qt platform the user chose is kept: with wayland, no X window"
QT_QPA_PLATFORM=wayland e2e_bg "$bin" /c 2>>"$work/stderr"
dialog=$!
sleep 3
if ! alive "$dialog"; then
  fail "the program ended"
elif wait_window "Saver Setting" 100 >/dev/null; then
  fail "the dialog went to XWayland"
fi
kill "$dialog"
wait_exit "$dialog" 2000
ok

begin "/p draws into an XWayland window; an id that names no window ends at once, said on stderr"
# A white host window of 200 x 150 on XWayland, as an X11 settings program
# would hold its preview pane.
start_host 200 150 100 100
e2e_bg "$bin" /p "$host_id" 2>>"$work/stderr"
preview=$!
if [ -z "${host_hex:-}" ]; then
  fail "no host window"
else
  # The picture (175 x 140, from the corner) where the host was white.
  shot_white() {
    import -window "$host_hex" "$art/preview.png" 2>/dev/null
    white="$(convert "$art/preview.png" -crop 175x140+0+0 +repage -fill black +opaque white \
      -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null)"
    [ "${white:-24500}" -lt 1000 ]
  }
  end=$(($(now_ms) + 10000))
  until shot_white || [ "$(now_ms)" -ge "$end" ]; do sleep 0.3; done
  echo "   host $host_hex: white pixels left under the picture $white of 24500"
  if ! alive "$preview"; then
    fail "the preview ended by itself: $(tail -2 "$work/stderr")"
  elif [ "${white:-24500}" -ge 1000 ]; then
    fail "no picture in the host window ($white white pixels)"
  else
    echo destroy >&"$host_fd"
    wait_exit "$preview" 3000 || fail "the preview outlived its host window"
  fi
fi
exec {host_fd}>&-
alive "$preview" && e2e_stop "$preview"
out="$(timeout 10 "$bin" /p 12345 2>&1)"
status=$?
echo "   /p 12345: status $status, $out"
if [ "$status" -ne 0 ] || ! grep -q "no X window 0x3039 (12345)" <<<"$out"; then
  fail "an id that names no window: status $status, $out"
fi
ok

[ -s "$work/stderr" ] && cp "$work/stderr" "$art/stderr.txt"
echo "screenshots: $art"
e2e_summary "$name"
