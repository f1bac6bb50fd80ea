#!/bin/bash
# Prepares the Wine prefix the Windows tests run in, outside the source tree,
# and sets its logical dpi. Idempotent and quick once the prefix exists.
#   tests/e2e/win32/wine-prefix.sh [96|120]
# Prints the prefix's path on its last line; use it as WINEPREFIX.
set -euo pipefail

dpi=${1:-96}
prefix=${QUIMBEL_WINEPREFIX:-$HOME/.cache/quimbel-wine64}
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
stamp=$prefix/.quimbel-prefix-v1

# regedit reads a UTF-16 script whatever the locale; `wine reg add` would
# garble the Japanese font names under a non-UTF-8 locale.
import_reg() {
  local file
  file=$(mktemp --suffix=.reg)
  { printf '\xff\xfe'; printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n' "$1" |
    iconv -f UTF-8 -t UTF-16LE; } >"$file"
  DISPLAY='' wine regedit /S "$(winepath -w "$file" 2>/dev/null)" >/dev/null 2>&1
  rm -f "$file"
}

# Without a window manager, every top-level close waits about 2 s unless
# Managed is N; Japanese faces replace the program's fonts (else boxes); a
# crash must end the run, not wait on a dialog nobody answers.
if [[ ! -f $stamp ]]; then
  mkdir -p "$prefix"
  # No display is needed to build the prefix; keep Wine off any X server.
  DISPLAY='' wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  import_reg '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ 明朝"="Noto Serif CJK JP"
"ＭＳ Ｐゴシック"="Noto Sans CJK JP"
"MS UI Gothic"="Noto Sans CJK JP"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""'
  touch "$stamp"
fi

# The logical dpi: 96 (15 twips per pixel) or 120 (12).
current=$(grep -A20 '^\[Control Panel\\\\Desktop\]' "$prefix/user.reg" 2>/dev/null |
  grep -m1 '^"LogPixels"' | sed 's/.*dword://' || true)
want=$(printf '%08x' "$dpi")
if [[ $current != "$want" ]]; then
  import_reg "[HKEY_CURRENT_USER\\Control Panel\\Desktop]
\"LogPixels\"=dword:$want"
  # The dpi is read when the server starts.
  wineserver -k 2>/dev/null || true
  wineserver -w
fi
echo "$prefix"
