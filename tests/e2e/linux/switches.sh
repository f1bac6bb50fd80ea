# Sourced by tests/e2e/run-linux.sh (its helpers, display and counters):
# --help and --version answer as Linux commands do, other switches keep the
# host's rule (anything unknown ends silently), and ALSA's library stays
# quiet when there is no sound to be had.

begin "--help and --version print and exit 0; an unknown switch ends silently"
help_text="$(timeout 5 "$bin" --help)"
help_status=$?
version_text="$(timeout 5 "$bin" --version)"
version_status=$?
unknown_text="$(timeout 5 "$bin" /x 2>&1)"
unknown_status=$?
if [ "$help_status" -ne 0 ] || ! grep -q "^Usage: quimbel" <<<"$help_text" ||
  ! grep -q -- "--window-id" <<<"$help_text"; then
  fail "--help: status $help_status, $(head -c 200 <<<"$help_text")"
elif [ "$version_status" -ne 0 ] || [ "$version_text" != "quimbel 1.40" ]; then
  fail "--version: status $version_status, \"$version_text\""
elif [ "$unknown_status" -ne 0 ] || [ -n "$unknown_text" ]; then
  fail "/x: status $unknown_status, \"$unknown_text\""
fi
ok

begin "without a sound device /s prints no ALSA lines"
write_settings 5 8 2 2
: >"$work/no-devices.conf"
# As here (a machine without a sound card), and with an ALSA configuration
# that has no devices at all, so that ALSA fails on any machine.
for config in "" "$work/no-devices.conf"; do
  : >"$work/alsa.txt"
  if [ -n "$config" ]; then
    ALSA_CONFIG_PATH="$config" SDL_AUDIODRIVER=alsa "$bin" /s 2>"$work/alsa.txt" &
  else
    SDL_AUDIODRIVER=alsa "$bin" /s 2>"$work/alsa.txt" &
  fi
  saver=$!
  e2e_track "$saver"
  wait_window "SAVER Screen" 3000 >/dev/null || fail "no window titled SAVER Screen"
  sleep 1
  xdotool key space
  wait_exit "$saver" 2000 || { fail "still running after a key"; kill "$saver"; }
  lines="$(grep -c "ALSA lib" "$work/alsa.txt")"
  echo "   ALSA lines on stderr (${config:+no-device }configuration): $lines"
  [ "$lines" -eq 0 ] || fail "$(head -2 "$work/alsa.txt")"
done
ok
