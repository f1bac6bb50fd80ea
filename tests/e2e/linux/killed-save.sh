# Sourced by tests/e2e/run-linux.sh (its helpers, display and counters): a
# save from the settings dialog, killed by strace exactly when it renames its
# new file over the settings, must leave all four old values; the next save
# takes the one temporary file over and leaves nothing beside the settings.

# Opens /c (under strace when $1 is given: the command line's prefix), sets
# "デスクトップ１" and music "Off", presses the change button and answers Yes.
# Sets dialog to the process started and app to the program's own.
save_from_dialog() {
  "$@" "$bin" /c 2>>"$work/stderr" &
  dialog=$!
  app=""
  e2e_track "$dialog"
  # Not reported by the shell when it dies of the expected kill.
  disown "$dialog"
  local win client="" cx cy
  win="$(wait_window "Saver Setting" 5000)" || { fail "no window titled Saver Setting"; return 1; }
  app="$(xdotool getwindowpid "$win" 2>/dev/null)"
  [ -n "$app" ] && e2e_track "$app"
  for _ in $(seq 50); do
    client="$(xwininfo -tree -id "$win" | awk '$0 ~ /540x330\+0\+/ {print $1; exit}')"
    [ -n "$client" ] && break
    sleep 0.1
  done
  sleep 0.3
  read -r cx cy < <(xwininfo -id "$client" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}')
  xdotool mousemove $((cx + 163)) $((cy + 84)) click 1
  xdotool mousemove $((cx + 163)) $((cy + 124)) click 1
  sleep 0.2
  xdotool mousemove $((cx + 268)) $((cy + 275)) click 1
  wait_window "くいんべる　スクリーンセイバー Ver1.40" 5000 >/dev/null || { fail "no confirmation box"; return 1; }
  sleep 0.2
  xdotool key alt+y
}
settings_line() { tr '\n' ' ' <"$settings"; }
others_beside_settings() {
  find "$(dirname "$settings")" -mindepth 1 ! -name SetupQor.ini -printf '%f '
}

begin "a save killed at its rename leaves every old value; the next save leaves no stray file"
if ! command -v strace >/dev/null; then
  fail "strace is not installed (.ci/install-deps)"
else
  write_settings 20 8 2 2
  old="$(settings_line)"
  # Only renames of the store's temporary file are traced (strace matches
  # a rename by its first path).
  if save_from_dialog strace -f -qq -o /dev/null -P "$settings.tmp" \
    -e trace=rename,renameat,renameat2 -e inject=rename,renameat,renameat2:signal=SIGKILL; then
    wait_exit "$dialog" 3000 || fail "the dialog outlived the kill"
    tmp="$settings.tmp"
    if [ "$(settings_line)" != "$old" ]; then
      fail "the settings changed: $(settings_line)"
    elif ! grep -qx "saver type=1" "$tmp" 2>/dev/null || ! grep -qx "music mode=0" "$tmp"; then
      fail "the kill did not catch the save at its rename (left: $(others_beside_settings))"
    elif [ "$(others_beside_settings)" != "SetupQor.ini.tmp " ]; then
      fail "left beside the settings: $(others_beside_settings)"
    else
      save_from_dialog
      wait_exit "$dialog" 3000 || fail "the dialog did not close after Yes"
      new="$(settings_line)"
      if [ "$new" != "[QuimbelSaver] number of cara=20 type of cara=8 saver type=1 music mode=0 " ]; then
        fail "the next save wrote: $new"
      elif [ -n "$(others_beside_settings)" ]; then
        fail "left beside the settings after the next save: $(others_beside_settings)"
      fi
    fi
  fi
  # strace leaves its tracee running when it is ended itself.
  for p in $app $dialog; do alive "$p" && kill "$p" 2>/dev/null; done
fi
ok
