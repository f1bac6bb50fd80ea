#!/usr/bin/env bash
# The zip's install.cmd and uninstall.cmd as users run them: from a 32-bit
# command prompt (`wine cmd`, as some shells start it on 64-bit Windows) and
# from a 64-bit one, per user and for the whole system. Where a file lands is
# judged as 64-bit Windows sees it: through a 64-bit process.
#   install-e2e.sh <zip> [32] [64]   (the prompts to run from; both by default)
# Prints one line per check and "install: N passed, N failed" last.
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/../lib.sh"
zip=$1
shift
prompts=("$@")
[[ ${#prompts[@]} -gt 0 ]] || prompts=(32 64)
wine64=/usr/lib/wine/wine64
desktop='HKCU\Control Panel\Desktop'

# The two values of the user's screen-saver choice, read at once.
read_choice() {
  local listing
  listing=$($wine64 reg query "$desktop" 2>/dev/null | tr -d '\r')
  chosen=$(sed -n 's/^ *SCRNSAVE\.EXE *REG_SZ *//p' <<<"$listing")
  active=$(sed -n 's/^ *ScreenSaveActive *REG_SZ *//p' <<<"$listing")
}
# The Unix file behind a Windows path, in the 64-bit view.
unix_path() {
  $wine64 winepath -u "$1" 2>/dev/null
}

unpacked=$(mktemp -d)
e2e_at_exit rm -rf "$unpacked"
unzip -q "$zip" -d "$unpacked"
listed=$(unzip -Z1 "$zip" | tr '\n' ' ')
check "$([[ $listed == *quimbel/quimbel.scr* && $listed == *install.cmd* && $listed == *uninstall.cmd* && $listed == *README.txt* ]] && echo ok)" \
  "zip holds the program, the scripts and the README ($listed)"
scripts=$(winepath -w "$unpacked/quimbel" 2>/dev/null)
system32=$(unix_path 'C:\windows\System32')
syswow64=$(unix_path 'C:\windows\SysWOW64')

for prompt in "${prompts[@]}"; do
  if [[ $prompt == 32 ]]; then run=(wine cmd /c); else run=("$wine64" cmd /c); fi
  for scope in user system; do
    switch=
    [[ $scope == system ]] && switch=/system
    "${run[@]}" "$scripts\\install.cmd" $switch >/dev/null 2>&1
    code=$?
    read_choice
    file=
    [[ -n $chosen ]] && file=$(unix_path "$chosen")
    # Compared with / for \, which a pattern would take as an escape.
    if [[ $scope == user ]]; then
      want='c:/users/*/appdata/local/programs/quimbel/quimbel.scr'
    else
      want='c:/windows/system32/quimbel.scr'
    fi
    shown=${chosen,,}
    # shellcheck disable=SC2053
    check "$([[ $code -eq 0 && ${shown//\\//} == $want ]] && echo ok)" \
      "install.cmd $switch from a $prompt-bit prompt chooses $chosen (exit $code)"
    check "$([[ -n $file ]] && cmp -s "$file" "$unpacked/quimbel/quimbel.scr" &&
      cmp -s "${file%.scr}.mid" "$unpacked/quimbel/quimbel.mid" && echo ok)" \
      "the chosen file and the tune beside it are the zip's ($file)"
    check "$([[ ! -e $syswow64/quimbel.scr && ($scope == system || ! -e $system32/quimbel.scr) ]] && echo ok)" \
      "nothing lands where it was not asked for"
    check "$([[ $active == 1 ]] && echo ok)" "the screen saver is switched on"

    "${run[@]}" "$scripts\\uninstall.cmd" $switch >/dev/null 2>&1
    code=$?
    read_choice
    check "$([[ $code -eq 0 && -n $file && ! -e $file && ! -e ${file%.scr}.mid && -z $chosen ]] && echo ok)" \
      "uninstall.cmd $switch from a $prompt-bit prompt removes the files and the choice (exit $code)"
    if [[ $scope == user ]]; then
      check "$([[ -n $file && ! -e $(dirname "$file") ]] && echo ok)" "and the folder it made"
    fi
  done
done

e2e_summary install
