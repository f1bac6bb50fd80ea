#!/usr/bin/env bash
# End-to-end tests of the program in a Wayland session: Debian's weston on
# its headless backend, with XWayland. The program must put its windows on
# XWayland, where its title look-ups, pointer checks and captures look, unless
# the user chose a Qt platform. Screenshots are kept under
# build/artifacts/linux-e2e-weston. Build the linux preset first.
set -u
root="$(cd "$(dirname "$0")/../../.." && pwd)"
build="${QUIMBEL_BUILD_DIR:-$root/build/linux}"
bin="$build/quimbel"
art="$root/build/artifacts/linux-e2e-weston"
summary() { echo "wayland end-to-end: $1 passed, $2 failed"; }
[ -x "$bin" ] || { echo "missing $bin: build the linux preset first"; summary 0 1; exit 1; }
for f in weston Xwayland xdotool import; do
  command -v "$f" >/dev/null || { echo "missing $f: run .ci/install-deps"; summary 0 1; exit 1; }
done
# Without Qt's Wayland platform Qt could not choose Wayland at all, and the
# tests would prove nothing.
if ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1; then
  echo "missing qt6-wayland: run .ci/install-deps"
  summary 0 1
  exit 1
fi
rm -rf "$art" && mkdir -p "$art"

work="$(mktemp -d)"
pids=()
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" "$work/config/quimbel" && chmod 700 "$XDG_RUNTIME_DIR"
socket="quimbel-e2e-$$"
weston --backend=headless-backend.so --xwayland --socket="$socket" --width=1280 --height=720 \
  --log="$work/weston.log" >/dev/null 2>&1 &
weston=$!
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  kill "$weston" 2>/dev/null
  wait 2>/dev/null
  cp "$work/weston.log" "$art/weston.log" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

now_ms() { date +%s%3N; }
end=$(($(now_ms) + 10000))
display=""
while [ -z "$display" ] && [ "$(now_ms)" -lt "$end" ]; do
  display="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null)"
  sleep 0.1
done
if [ -z "$display" ]; then
  echo "weston started no XWayland"
  summary 0 1
  exit 1
fi
# A Wayland session as a desktop sets it up.
unset QT_QPA_PLATFORM
export WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland DISPLAY="$display"
export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy
printf '[QuimbelSaver]\nnumber of cara=5\ntype of cara=0\nsaver type=2\nmusic mode=0\n' \
  >"$XDG_CONFIG_HOME/quimbel/SetupQor.ini"

passed=0
failed=0
current=""
fail() {
  echo "FAIL - $current: $*"
  [ -n "$current" ] && failed=$((failed + 1))
  current=""
}
ok() {
  [ -n "$current" ] || return 0
  echo "ok - $current"
  passed=$((passed + 1))
  current=""
}
begin() { current="$1"; }
alive() { [ -r "/proc/$1/stat" ] && ! awk '{exit !($3 == "Z")}' "/proc/$1/stat" 2>/dev/null; }
wait_exit() {
  local end=$(($(now_ms) + $2))
  while alive "$1"; do
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.01
  done
}
# Waits up to $2 ms for an X window titled exactly $1 on XWayland; prints its id.
# (No pointer moves here: XWayland on the headless backend crashes on them.)
wait_window() {
  local end=$(($(now_ms) + $2)) id
  while :; do
    id="$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.1
  done
}
# Pixels of a screenshot that are not black.
count_lit() {
  convert "$art/$1.png" -fill white +opaque black -colorspace gray \
    -format "%[fx:int(mean*w*h+0.5)]" info:
}

begin "/s makes its saver window on XWayland and draws there"
"$bin" /s 2>>"$work/stderr" &
saver=$!
pids+=($saver)
if ! id="$(wait_window "SAVER Screen" 8000)"; then
  fail "no X window titled SAVER Screen on $display"
else
  # On a busy machine the first frames take their time.
  end=$(($(now_ms) + 10000))
  while :; do
    import -window "$id" "$art/saver.png"
    lit="$(count_lit saver)"
    [ "$lit" -gt 1000 ] || [ "$(now_ms)" -ge "$end" ] && break
    sleep 0.3
  done
  echo "   saver window $(xdotool getwindowgeometry "$id" | tr -s ' \n' ' '), lit pixels $lit"
  [ "$lit" -gt 1000 ] || fail "no characters drawn ($lit lit pixels)"
fi
kill -TERM "$saver"
wait_exit "$saver" 2000 || fail "still running 2 s after SIGTERM"
ok

begin "/c opens Saver Setting on XWayland"
"$bin" /c 2>>"$work/stderr" &
dialog=$!
pids+=($dialog)
if ! id="$(wait_window "Saver Setting" 8000)"; then
  fail "no X window titled Saver Setting on $display"
else
  end=$(($(now_ms) + 10000))
  while :; do
    import -window "$id" "$art/dialog.png"
    lit="$(count_lit dialog)"
    [ "$lit" -gt 10000 ] || [ "$(now_ms)" -ge "$end" ] && break
    sleep 0.3
  done
  [ "$lit" -gt 10000 ] || fail "the dialog is not drawn ($lit lit pixels)"
fi
kill "$dialog"
wait_exit "$dialog" 2000
ok

begin "a Qt platform the user chose is kept: with wayland, no X window"
QT_QPA_PLATFORM=wayland "$bin" /c 2>>"$work/stderr" &
dialog=$!
pids+=($dialog)
sleep 3
if ! alive "$dialog"; then
  fail "the program ended"
elif wait_window "Saver Setting" 100 >/dev/null; then
  fail "the dialog went to XWayland"
fi
kill "$dialog"
wait_exit "$dialog" 2000
ok

[ -s "$work/stderr" ] && cp "$work/stderr" "$art/stderr.txt"
echo "screenshots: $art"
summary "$passed" "$failed"
[ "$failed" -eq 0 ]
