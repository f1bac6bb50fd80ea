#!/usr/bin/env bash
# The program asks for nothing that holds the display or the machine awake:
# no execution state or power request on Windows, no screen-saver
# suspension, reset or forcing on X11, no SDL screen-saver switch, no idle
# inhibitor on Wayland. Reads the names the program file imports.
#   asks_nothing_awake.sh <quimbel.scr | quimbel>
set -u
program=$1
case "$(head -c 2 "$program")" in
  MZ)
    objdump=x86_64-w64-mingw32-objdump
    command -v "$objdump" >/dev/null || objdump=objdump
    names="$("$objdump" -p "$program" | awk '/^\t[0-9a-f]+\t/ {print $NF}')"
    # Proof that the table was read: a name every saver window needs.
    must=(CreateWindowExW RegisterPowerSettingNotification)
    banned=(SetThreadExecutionState PowerCreateRequest PowerSetRequest)
    ;;
  *)
    names="$(nm -D --undefined-only "$program" | awk '{print $NF}'; strings -a "$program")"
    must=(XOpenDisplay DPMSInfo)
    banned=(XScreenSaverSuspend XResetScreenSaver XForceScreenSaver SDL_DisableScreenSaver
      zwp_idle_inhibit_manager_v1 org.freedesktop.ScreenSaver)
    ;;
esac
status=0
for name in "${must[@]}"; do
  grep -qx "$name" <<<"$names" || grep -qw "$name" <<<"$names" ||
    { echo "cannot read the names: $name is missing"; status=1; }
done
for name in "${banned[@]}"; do
  if grep -qw "$name" <<<"$names"; then
    echo "asks to stay awake: $name"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "$program: none of ${banned[*]}"
exit "$status"
