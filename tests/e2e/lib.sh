# shellcheck shell=bash
# The end-to-end scripts' shared plumbing, sourced by each of them: a private
# Xvfb on a free display, processes that end with the script however it ends
# (a failure, Ctrl-C, SIGTERM), and the pass/fail counters with their summary.
# Plain bash; safe under `set -euo pipefail`.

# ------------------------------------------------------------------ processes

now_ms() { date +%s%3N; }

# True while process $1 runs (a zombie has ended).
alive() { [ -r "/proc/$1/stat" ] && ! awk '{exit !($3 == "Z")}' "/proc/$1/stat" 2>/dev/null; }

# Waits up to $2 ms for process $1 to end; true when it did.
wait_exit() {
  local end=$(($(now_ms) + $2))
  while alive "$1"; do
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.01
  done
  return 0
}

# Runs the command after $1 every 50 ms until it succeeds, for up to $1 ms;
# true when it did.
within() {
  local end=$(($(now_ms) + $1))
  shift
  until "$@"; do
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.05
  done
}

# When process $1 started (clock ticks after boot): a process id is reused
# soon on a busy machine, and its new owner must not be killed for ours.
e2e_started() {
  local stat fields
  stat="$(cat "/proc/$1/stat" 2>/dev/null)" || return 1
  read -r -a fields <<<"${stat##*) }"
  echo "${fields[19]}"
}

# What runs at exit, last pushed first: tracked processes and commands.
e2e_exit_stack=()

# Runs the command $@ when the script ends.
e2e_at_exit() { e2e_exit_stack+=("$(printf '%q ' "$@")"); }

# Ends processes $@ when the script ends, if they still run by then.
e2e_track() {
  local pid started
  for pid in "$@"; do
    started="$(e2e_started "$pid")" && e2e_exit_stack+=("e2e_stop $pid $started")
  done
  return 0
}

# Ends process $1 (only if it still started at $2, when given): TERM, and KILL
# when it outlives 5 s of that. Its children get the TERM too: a script
# acts on a signal only once its command substitution or other foreground
# command has ended.
e2e_stop() {
  [ -z "${2:-}" ] || [ "$(e2e_started "$1")" = "$2" ] || return 0
  local children
  children="$(ps -o pid= --ppid "$1" 2>/dev/null)" || true
  kill -TERM "$1" 2>/dev/null || return 0
  # shellcheck disable=SC2086 # one id a word
  [ -z "$children" ] || kill -TERM $children 2>/dev/null || true
  wait_exit "$1" 5000 || kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# Starts the command $@ in the background as a tracked process; $! names it
# after the call. Redirections and NAME=VALUE settings given to the call
# apply to the command.
e2e_bg() {
  "$@" &
  e2e_track "$!"
}

# Runs a command to its end as a tracked process: a signal to the script ends
# the command too, at once, not after the command has finished by itself.
# Its standard input is /dev/null.
e2e_run() {
  "$@" </dev/null &
  local pid=$!
  e2e_track "$pid"
  wait "$pid"
}

e2e_cleanup() {
  local status=$? i
  trap - EXIT INT TERM HUP
  set +e
  for ((i = ${#e2e_exit_stack[@]} - 1; i >= 0; i--)); do
    eval "${e2e_exit_stack[i]}" >/dev/null 2>&1
  done
  exit "$status"
}
trap e2e_cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# -------------------------------------------------------------------- display

# Starts an Xvfb with a screen of $2 (WIDTHxHEIGHT) on the first free display
# from $1 on, logging to $3 (none by default), and waits until it answers.
# Sets e2e_display (the number) and e2e_xvfb (the process) and exports
# DISPLAY; the server ends with the script.
e2e_start_xvfb() {
  local n pid log="${3:-/dev/null}"
  for ((n = $1; n < $1 + 50; n++)); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    # -noreset: otherwise the server resets when its last client leaves and
    # loses the root colour and the pointer position between tests.
    Xvfb ":$n" -screen 0 "${2}x24" -noreset -nolisten tcp >>"$log" 2>&1 &
    pid=$!
    e2e_track "$pid"
    # Another script may have taken the same number at the same moment: only
    # a server that answers and holds the display's lock is ours.
    for _ in $(seq 100); do
      alive "$pid" || break
      if xdpyinfo -display ":$n" >/dev/null 2>&1 &&
        [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$pid" ]; then
        # shellcheck disable=SC2034 # for the scripts
        e2e_display=$n e2e_xvfb=$pid
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    e2e_stop "$pid"
  done
  echo "no X display of our own from :$1 on"
  return 1
}

# Waits up to $2 ms for a window titled exactly $1; prints its id. Only shown
# windows count, unless e2e_any_window is set.
wait_window() {
  local end=$(($(now_ms) + $2)) id flags=(--onlyvisible)
  [ -z "${e2e_any_window:-}" ] || flags=()
  while :; do
    id="$(xdotool search "${flags[@]}" --name "^$1\$" 2>/dev/null | head -n 1)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.05
  done
}

# ------------------------------------------------------------------- counters

passed=0
failed=0
current=""
failing=""

# Named tests: begin "name", then fail "why" for each fault seen, then ok.
# A test counts once, however many of its checks fail.
begin() { current="$1"; }
fail() {
  echo "FAIL - ${current:-$failing}: $*"
  [ -z "$current" ] || { failed=$((failed + 1)) && failing="$current"; }
  current=""
}
ok() {
  [ -n "$current" ] || return 0
  echo "ok - $current"
  passed=$((passed + 1))
  current=""
}

# One check a line: check ok "what" passes, check anything-else "what" fails.
check() {
  if [ "$1" = ok ]; then
    passed=$((passed + 1))
    echo "  ok: $2"
  else
    failed=$((failed + 1))
    echo "  FAILED: $2"
  fi
}

# Prints "$1: N passed, N failed"; true when nothing failed.
e2e_summary() {
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# Gives up before any test could run: says why ($2) and exits with the
# summary $1 of one failure.
e2e_abort() {
  echo "$2"
  failed=$((failed + 1))
  e2e_summary "$1" || true
  exit 1
}

# ----------------------------------------------------------------- the build

# The linux preset's programs: sets build, bin and hostbin, gives up (as
# summary $1) when one is missing, and empties the artefacts folder
# build/artifacts/$2, which art names. Expects root, the source tree.
e2e_linux_build() {
  local f
  # shellcheck disable=SC2034 # for the scripts
  build="${QUIMBEL_BUILD_DIR:-$root/build/linux}" bin="$build/quimbel" hostbin="$build/quimbel_e2e_host"
  for f in "$bin" "$hostbin"; do
    [ -x "$f" ] || e2e_abort "$1" "missing $f: build the linux preset first"
  done
  art="$root/build/artifacts/$2"
  rm -rf "$art" && mkdir -p "$art"
}

# Gives up (as summary $1) unless the commands named after it are installed.
e2e_need() {
  local f
  for f in "${@:2}"; do
    command -v "$f" >/dev/null || e2e_abort "$1" "missing $f: run .ci/install-deps"
  done
}

# ----------------------------------------------------------------------- Wine

# Whether this machine runs 32-bit x86 programs: some kernels are built
# without them, and Wine's 32-bit loader then fails with "Exec format
# error". Without wine32 installed there is nothing 32-bit to run either.
wine_runs_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Debian's `wine` (and the tools that go through `wine-stable`) take the
# 32-bit loader whenever wine32 is installed; where it cannot run, they are
# pointed at the 64-bit loader, which runs the 64-bit builds.
wine_use_a_loader_that_runs() {
  if [ ! -e /usr/lib/wine/wine ] || [ ! -x /usr/lib/wine/wine64 ] || wine_runs_32bit; then
    return 0
  fi
  local shims="${TMPDIR:-/tmp}/quimbel-wine64-loader-$(id -u)" name
  mkdir -p "$shims"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shims/$name"
    chmod 755 "$shims/$name"
  done
  case ":$PATH:" in *":$shims:"*) ;; *) export PATH="$shims:$PATH" ;; esac
}
# Every script that runs Wine sources this file, and the scripts and tests
# they start inherit the PATH.
wine_use_a_loader_that_runs

# Ends the Wine server of WINEPREFIX and waits until it has gone.
wine_restart() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# Wine reads several monitors as Xinerama heads only with its XRandR use off;
# the setting is read when the server starts. It is put back at exit.
wine_xinerama() {
  wine_restart
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1 || true
  wine_restart
  e2e_at_exit wine_restart
  e2e_at_exit wine reg delete 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /f
}

# A display of its own from :$1 on, a screen of $2 split into the RandR
# monitors A at $3 and B at $4 (WIDTH/MMxHEIGHT/MM+X+Y), which the Wine server
# reads as two heads.
wine_two_monitors() {
  e2e_start_xvfb "$1" "$2" || return 1
  xrandr --setmonitor A "$3" none || return 1
  xrandr --setmonitor B "$4" none || return 1
  wine_xinerama
}

# Runs the driver's tests of build folder $1, screenshots as BMP into $2, for
# at most $3 s, with the further arguments (QUIMBEL_DPI and such come from the
# environment); prints its verdicts from $2/driver.log and keeps the shots as
# PNG.
wine_driver() {
  local build=$1 artifacts=$2 seconds=$3 status=0
  shift 3
  e2e_run env QUIMBEL_ARTIFACTS="$(winepath -w "$artifacts" 2>/dev/null)" \
    timeout "$seconds" wine "$build/quimbel_e2e_win32.exe" --gtest_color=no "$@" \
    >"$artifacts/driver.log" 2>&1 || status=$?
  grep -E '^\[ +(OK|FAILED|SKIPPED) +\]|Failure|Expected|Which is|actual' "$artifacts/driver.log" |
    grep -v ' tests, listed below' | sed 's/^/  /' || true
  local bmp
  for bmp in "$artifacts"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" -alpha off "${bmp%.bmp}.png" && rm -f "$bmp"
  done
  return "$status"
}

# For a daemon or compositor that refuses to run as root: $user is the
# caller, or a system user made for the tests when the caller is root;
# as_user runs a command as $user. $work is a private folder removed at the
# end, and $bin the program copied into $work/bin with the tunes and the
# files named, where $user can run it.
e2e_unprivileged_run() {
  local name=$1
  shift
  user="$(id -un)"
  if [ "$(id -u)" = 0 ]; then
    user=quimbel-e2e
    id "$user" >/dev/null 2>&1 ||
      useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user"
  fi
  work="$(mktemp -d)"
  e2e_at_exit rm -rf "$work"
  chmod 755 "$work"
  mkdir "$work/bin"
  cp "$bin" "$build"/quimbel.mid "$build"/quimbel.wav "$@" "$work/bin/"
  chmod -R a+rX "$work/bin"
  bin="$work/bin/quimbel"
  as_user test -x "$bin" || e2e_abort "$name" "$user cannot run $bin"
}
as_user() {
  if [ "$(id -un)" = "$user" ]; then env "$@"; else runuser -u "$user" -- env "$@"; fi
}

# Starts a host window $1 x $2 at $3,$4 (role $5, if given) with the test
# program $hostbin, its pipes under $work; sets host_id (decimal), host_hex,
# host_pid and host_fd (write "destroy" to it to destroy the window).
hosts=0
start_host() {
  hosts=$((hosts + 1))
  local fifo="$work/host$hosts.in" out="$work/host$hosts.out"
  mkfifo "$fifo"
  # Not through e2e_bg: the shell itself would wait on the fifo there.
  "$hostbin" "$@" <"$fifo" >"$out" &
  host_pid=$!
  e2e_track "$host_pid"
  exec {host_fd}>"$fifo"
  for _ in $(seq 250); do [ -s "$out" ] && break; sleep 0.02; done
  read -r host_id host_hex <"$out"
}
destroy_host() { echo destroy >&"$1"; eval "exec $1>&-"; }

# Voluntary context switches of every thread of process $1 so far.
switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n + 0}'
}
# Wake-ups per second of process $1 over $secs seconds.
wakeups() {
  local before after
  before="$(switches "$1")"
  sleep "$secs"
  after="$(switches "$1")"
  echo $(((after - before) / secs))
}
