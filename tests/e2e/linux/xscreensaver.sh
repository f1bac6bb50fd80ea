#!/usr/bin/env bash
# End-to-end tests of the program as a hack of Debian's own xscreensaver
# daemon, on a private Xvfb: activation, the desktop background, cycles and
# the tune, deactivation, the settings dialog left open, a settings
# program's preview, two monitors. Screenshots are kept under
# build/artifacts/linux-e2e-xscreensaver. Build the linux preset first.
#
# The daemon refuses to run as root: as root the tests run it as the
# unprivileged user quimbel-e2e, created when missing, on a copy of the
# program and its tunes that the user can read (a build tree under /root is
# not).
set -u
[ -n "${XSS_DEBUG:-}" ] && set -x
root="$(cd "$(dirname "$0")/../../.." && pwd)"
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"
name="xscreensaver end-to-end"
e2e_linux_build "$name" linux-e2e-xscreensaver
e2e_need "$name" xscreensaver xscreensaver-command Xvfb xsetroot xrandr xdotool import

e2e_unprivileged_run "$name"
home="$work/home" run="$work/run"
mkdir -p "$home/.config/quimbel" "$run" "$work/dialog/quimbel"
e2e_start_xvfb 71 1024x768 "$work/xvfb.log" || e2e_abort "$name" "no Xvfb"
n=$e2e_display
desktop=2A6E3F
xsetroot -solid "#$desktop"

# Desktop one (the desktop behind the characters), tune on.
printf '[QuimbelSaver]\nnumber of cara=5\ntype of cara=0\nsaver type=1\nmusic mode=2\n' \
  >"$home/.config/quimbel/SetupQor.ini"
cat >"$home/.xscreensaver" <<EOF
mode: one
selected: 0
timeout: 0:10:00
cycle: 0:10:00
fade: False
unfade: False
lock: False
splash: False
programs: "Quimbel" $bin --root \\n\\

EOF
chown -R "$user" "$home" "$run"
chmod 700 "$run"
lockfile="$run/quimbel-music-_${n}.lock"
session=(HOME="$home" DISPLAY=":$n" XDG_RUNTIME_DIR="$run" XDG_CONFIG_HOME="$home/.config"
  SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb)
xss() { as_user "${session[@]}" xscreensaver-command "$@"; }
# The daemon's own hacks go with it; any of ours it left after them.
e2e_at_exit stop_ours
e2e_bg as_user "${session[@]}" xscreensaver -no-splash >"$art/xscreensaver.log" 2>&1
daemon=$!
e2e_at_exit xss -exit
for _ in $(seq 100); do xss -time >/dev/null 2>&1 && break; sleep 0.1; done

# Our program's processes on this display, run by the daemon's user.
ours() {
  local p
  for p in $(pgrep -u "$user" -x quimbel); do
    alive "$p" && tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qE "^DISPLAY=:$n(\.[0-9]+)?$" && echo "$p"
  done
}
stop_ours() {
  local p
  for p in $(ours); do e2e_stop "$p"; done
}
# The daemon's hacks among them.
hacks() {
  local p
  for p in $(ours); do
    tr '\0' '\n' 2>/dev/null <"/proc/$p/cmdline" | grep -qx -- --root && echo "$p"
  done
}
# The processes that hold the display's music lock.
holders() {
  [ -e "$lockfile" ] || return 0
  local inode
  inode="$(stat -c %i "$lockfile")"
  awk -v i="$inode" '$2 == "FLOCK" { split($6, f, ":"); if (f[3] == i) print $5 }' /proc/locks |
    while read -r p; do alive "$p" && echo "$p"; done
}
# Waits up to $1 ms for exactly one hack; prints it.
wait_hack() {
  local end=$(($(now_ms) + $1)) h
  while :; do
    h="$(hacks)"
    [ -n "$h" ] && [ "$(echo "$h" | wc -l)" -eq 1 ] && { echo "$h"; return 0; }
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.05
  done
}
# Waits up to $1 ms until the music lock is held by exactly process $2.
wait_holder() {
  local end=$(($(now_ms) + $1))
  while [ "$(holders | tr '\n' ' ')" != "$2 " ]; do
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.05
  done
}
# What each hack left running is doing, for a failure's message: whether it
# holds the tune, and each thread's state and where it sleeps.
left_hacks() {
  local p t
  for p in $(hacks); do
    printf '%s%s [' "$p" "$(holders | grep -qx "$p" && echo ' (tune)')"
    for t in /proc/"$p"/task/*; do
      printf ' %s:%s:%s' "$(cat "$t/comm" 2>/dev/null)" \
        "$(awk '$1 == "State:" {print $2}' "$t/status" 2>/dev/null)" "$(cat "$t/wchan" 2>/dev/null)"
    done
    printf ' ] '
  done
  xss -time 2>&1 | head -1
}
# Waits up to $1 ms until no hack is left; prints how long it took.
wait_no_hacks() {
  local start end
  start=$(now_ms)
  end=$((start + $1))
  while [ -n "$(hacks)" ]; do
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.01
  done
  echo $(($(now_ms) - start))
}
shot() { import -window root "$art/$1.png"; }
# Takes screenshot $1 until check $3 passes on it, for up to $2 ms: on a busy
# machine the hack takes its time to start.
shot_until() {
  local end=$(($(now_ms) + $2))
  while :; do
    shot "$1"
    "$3" && return 0
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.3
  done
}
# Pixels of a screenshot of exactly colour $2 (RRGGBB).
count_colour() {
  convert "$art/$1.png" -fill black +opaque "#$2" -fill white -opaque "#$2" -colorspace gray \
    -format "%[fx:int(mean*w*h+0.5)]" info:
}
# Pixels that are neither the desktop's colour nor black: the characters.
count_others() {
  convert "$art/$1.png" -fill black -opaque "#$desktop" -fill black -opaque "#000000" \
    -fill white +opaque black -colorspace gray -format "%[fx:int(mean*w*h+0.5)]" info:
}

begin "activated, the hack draws characters on the desktop's own colours"
xss -activate >/dev/null
if ! hack="$(wait_hack 5000)"; then
  fail "no hack after activation: $(hacks | tr '\n' ' ')"
else
  drawn() {
    green="$(count_colour active "$desktop")"
    others="$(count_others active)"
    [ "$green" -ge 600000 ] && [ "$others" -ge 2000 ]
  }
  shot_until active 10000 drawn
  echo "   desktop-coloured pixels $green, character pixels $others"
  if [ "$green" -lt 600000 ]; then
    fail "the background is not the desktop ($green of 786432 pixels)"
  elif [ "$others" -lt 2000 ]; then
    fail "no characters drawn ($others pixels)"
  elif ! wait_holder 5000 "$hack"; then
    fail "the hack does not hold the tune (holders: $(holders | tr '\n' ' '))"
  fi
fi
ok

begin "each cycle ends the old hack and the new one takes the tune over"
for cycle in 1 2 3; do
  old="$(hacks)"
  xss -cycle >/dev/null
  end=$(($(now_ms) + 3000))
  new=""
  while [ "$(now_ms)" -lt "$end" ]; do
    new="$(hacks)"
    [ -n "$new" ] && ! echo "$new" | grep -qx "$old" && [ "$(echo "$new" | wc -l)" -eq 1 ] && break
    new=""
    sleep 0.05
  done
  if [ -z "$new" ]; then
    fail "cycle $cycle: no single new hack (was $old, now $(hacks | tr '\n' ' '))"
    break
  fi
  if ! wait_holder 5000 "$new"; then
    fail "cycle $cycle: hack $new, tune holders: $(holders | tr '\n' ' ')"
    break
  fi
  echo "   cycle $cycle: hack $old -> $new, one tune holder"
done
shot cycled
ok

begin "deactivated, the hack is gone within 2 s and leaves nothing"
xss -deactivate >/dev/null
if ! took="$(wait_no_hacks 2000)"; then
  fail "hacks left: $(hacks | tr '\n' ' ')"
else
  echo "   gone after $took ms"
  [ -z "$(holders)" ] || fail "the tune lock is still held by $(holders | tr '\n' ' ')"
  [ -z "$(ours)" ] || fail "processes left: $(ours | tr '\n' ' ')"
  alive "$daemon" || fail "the daemon ended"
fi
ok

begin "with Saver Setting open, the daemon's hack still runs, draws and ends"
XDG_CONFIG_HOME="$work/dialog" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
  e2e_bg "$bin" /c 2>>"$work/stderr"
dialog=$!
end=$(($(now_ms) + 5000))
until xdotool search --onlyvisible --name '^Saver Setting$' >/dev/null 2>&1; do
  [ "$(now_ms)" -ge "$end" ] && break
  sleep 0.05
done
xss -activate >/dev/null
if ! hack="$(wait_hack 5000)"; then
  fail "no hack after activation"
else
  drawn() { [ "$(count_colour with-dialog "$desktop")" -ge 400000 ]; }
  shot_until with-dialog 10000 drawn
  # The daemon's picture of the desktop holds the dialog too: the saver
  # shows itself by the desktop's colour where the daemon's window is black,
  # and by characters that move.
  moving() {
    moved="$(compare -metric AE "$art/with-dialog.png" "$art/with-dialog-later.png" null: 2>&1)"
    [ "${moved%%.*}" -ge 500 ]
  }
  sleep 0.5
  shot_until with-dialog-later 10000 moving
  green="$(count_colour with-dialog "$desktop")"
  echo "   desktop-coloured pixels $green, pixels changed since $moved"
  if ! alive "$hack"; then
    fail "the hack ended by itself"
  elif [ "$green" -lt 400000 ] || [ "${moved%%.*}" -lt 500 ]; then
    fail "the saver is not drawn ($green desktop pixels, $moved changed)"
  fi
  xss -deactivate >/dev/null
  took="$(wait_no_hacks 2000)" || fail "hacks left after deactivation: $(left_hacks)"
  [ -n "$took" ] && echo "   gone after $took ms"
  alive "$dialog" || fail "the dialog ended"
fi
grep -q "crashed" "$art/xscreensaver.log" && fail "the daemon reports a crash"
kill "$dialog" 2>/dev/null
wait "$dialog" 2>/dev/null
ok

begin "a settings program's small preview stays silent and leaves the tune to the saver"
start_host 320 240 100 100
e2e_bg as_user "${session[@]}" "$bin" --window-id "$host_hex" 2>>"$work/stderr"
preview=$!
# Characters in the white host: the tune would have started before them.
preview_drawn() {
  convert "$art/preview.png" -crop 320x240+100+100 +repage "$art/preview-host.png"
  [ "$(count_colour preview-host FFFFFF)" -lt 75000 ]
}
if ! shot_until preview 10000 preview_drawn; then
  fail "the preview draws nothing"
elif [ -n "$(holders)" ]; then
  fail "the preview holds the tune"
else
  xss -activate >/dev/null
  if ! hack="$(wait_hack 5000)"; then
    fail "no saver hack beside the preview: $(hacks | tr '\n' ' ')"
  elif ! wait_holder 8000 "$hack"; then
    fail "the saver does not hold the tune (holders: $(holders | tr '\n' ' '))"
  fi
  xss -deactivate >/dev/null
  wait_no_hacks 2000 >/dev/null || fail "hacks left after deactivation: $(left_hacks)"
fi
alive "$preview" || fail "the preview ended"
destroy_host "$host_fd"
ok

begin "two monitors: each hack shows the desktop under its own monitor, one plays the tune"
xss -exit >/dev/null
wait "$daemon" 2>/dev/null
xrandr --setmonitor L 512/135x768/203+0+0 screen >/dev/null 2>&1
xrandr --setmonitor R 512/135x768/203+512+0 none >/dev/null 2>&1
# Left half the desktop's green, right half a red.
other=6E2A3F
convert -size 1024x768 xc:white -fill black -draw "rectangle 0,0 511,767" "$work/halves.xbm"
xsetroot -bitmap "$work/halves.xbm" -fg "#$desktop" -bg "#$other"
e2e_bg as_user "${session[@]}" xscreensaver -no-splash >>"$art/xscreensaver.log" 2>&1
daemon=$!
for _ in $(seq 100); do xss -time >/dev/null 2>&1 && break; sleep 0.1; done
xss -activate >/dev/null
end=$(($(now_ms) + 5000))
until [ "$(hacks | wc -l)" -eq 2 ] || [ "$(now_ms)" -ge "$end" ]; do sleep 0.05; done
halves() {
  convert "$art/two-monitors.png" -crop 512x768+0+0 +repage "$art/left.png"
  convert "$art/two-monitors.png" -crop 512x768+512+0 +repage "$art/right.png"
  left="$(count_colour left "$desktop") $(count_colour left "$other")"
  right="$(count_colour right "$desktop") $(count_colour right "$other")"
  [ "${left% *}" -ge 300000 ] && [ "${right#* }" -ge 300000 ]
}
shot_until two-monitors 10000 halves
echo "   hacks $(hacks | wc -l); left monitor green/red pixels $left, right $right;" \
  "tune holders $(holders | wc -l)"
if [ "$(hacks | wc -l)" -ne 2 ]; then
  fail "expected two hacks: $(hacks | tr '\n' ' ')"
elif [ "${left% *}" -lt 300000 ] || [ "${left#* }" -ne 0 ] || [ "${right#* }" -lt 300000 ] ||
  [ "${right% *}" -ne 0 ]; then
  fail "a monitor does not show the desktop under it"
elif [ "$(holders | wc -l)" -ne 1 ] || ! hacks | grep -qx "$(holders)"; then
  fail "expected one of the hacks to hold the tune: $(holders | tr '\n' ' ')"
fi
xss -deactivate >/dev/null
# The daemon ends its two hacks in turn, and the one left may take the tune
# over before its own end comes.
if took="$(wait_no_hacks 5000)"; then
  echo "   gone after $took ms"
else
  fail "hacks left 5 s after deactivation: $(left_hacks)"
fi
ok

[ -s "$work/stderr" ] && cp "$work/stderr" "$art/stderr.txt"
echo "screenshots: $art"
e2e_summary "$name"
