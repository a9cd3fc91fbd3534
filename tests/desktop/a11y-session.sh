#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A desktop session as a screen-reader user has it, for the checks that read
# the game through assistive technology: a private Xvfb, a private D-Bus
# session with the AT-SPI accessibility bus, and a window manager that gives
# newly shown windows the focus. With --screen-reader also speech-dispatcher
# (its "dummy" output module, sound to libao's "null" driver) and the real
# screen reader Orca, whose debug file, holding every line it speaks, is
# handed to the check as RINGTAFEL_SPEECH_LOG. Home, configuration and
# runtime directories are private; nothing outside OUTPUT_DIR and a temporary
# directory is written. Every process started is ended by its id, also when
# the check fails.
#
# With --gnome the desktop is instead a headless GNOME Shell on Wayland, run
# as an unprivileged user (nobody when started as root), with a stand-in
# system bus; the check finds it through WAYLAND_DISPLAY and gnome-shell's
# Eval on the session bus.
#
# Usage: a11y-session.sh [--screen-reader|--gnome] OUTPUT_DIR -- CHECK [ARGS...]
# The check writes the game's process id to OUTPUT_DIR/game.pid and removes
# the file once it has reaped the game itself.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
screen_reader=0
gnome=0
if [[ ${1:-} == --screen-reader ]]; then
  screen_reader=1
  shift
elif [[ ${1:-} == --gnome ]]; then
  gnome=1
  shift
fi
out=$1
[[ ${2:-} == -- ]] || { echo "usage: $0 [--screen-reader|--gnome] OUTPUT_DIR -- CHECK [ARGS...]" >&2; exit 2; }
shift 2
readonly UNUSABLE_DISPLAY=75

# --- Outside: the X server and the private session bus ---------------------

start_session() {
  # shellcheck source-path=SCRIPTDIR source=x-session.sh
  source "$here/x-session.sh"
  mkdir -p "$out"
  rm -f "$out/game.pid"
  # The accessibility bus puts its socket under XDG_RUNTIME_DIR: a private
  # one, which also serves as home and configuration directory.
  runtime=$(mktemp -d)
  trap 'stop_xvfb; rm -rf "$runtime"' EXIT
  trap 'exit 143' TERM INT
  local status attempt
  local flag=()
  ((screen_reader)) && flag=(--screen-reader)
  # A display that the window manager cannot open is a fault of the X
  # session, not of the game: the session is then tried afresh, up to 3 times.
  for attempt in 1 2 3; do
    start_xvfb
    echo "Xvfb on $DISPLAY (attempt $attempt)"
    status=0
    RINGTAFEL_BUS_SESSION=1 HOME="$runtime" XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$runtime/config" \
      XDG_DATA_HOME="$runtime/data" XDG_CACHE_HOME="$runtime/cache" GSETTINGS_BACKEND=memory \
      dbus-run-session -- "$0" "${flag[@]}" "$out" -- "$@" || status=$?
    stop_xvfb
    ((status == UNUSABLE_DISPLAY)) || break
  done
  return "$status"
}

# --- Inside the session bus ------------------------------------------------
# The accessibility bus, its launcher and its registry are started by D-Bus on
# first request, as on a desktop; their process ids are asked of the buses, so
# that each can be ended.

pids=()   # processes to end, in this order

running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]
}

# Asks the process to end and, after a short grace, ends it firmly: the
# screen reader may leave SIGTERM unanswered for many seconds.
stop_process() {
  local pid=$1
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 20); do
    running "$pid" || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# Prints the process id of the bus client owning NAME on the bus at ADDRESS.
owner_pid() {
  local address=$1 name=$2
  dbus-send --bus="$address" --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" 2>/dev/null | awk '{print $2}'
}

end_everything() {
  local pid left=()
  # The game, started by the check, ends first.
  if [[ -f "$out/game.pid" ]]; then
    pids=("$(cat "$out/game.pid")" "${pids[@]}")
  fi
  if [[ -n "${bus_address:-}" ]]; then
    # The registry and the accessibility bus itself, before the launcher.
    for name in org.a11y.atspi.Registry org.freedesktop.DBus; do
      pid=$(owner_pid "$bus_address" "$name") && [[ -n "$pid" ]] && pids+=("$pid")
    done
  fi
  [[ -n "${launcher:-}" ]] && pids+=("$launcher")
  for pid in "${pids[@]}"; do
    stop_process "$pid"
  done
  for pid in "${pids[@]}"; do
    running "$pid" && left+=("$pid")
  done
  if ((${#left[@]})); then
    echo "FAIL: processes still running after the test: ${left[*]}" >&2
    exit 1
  fi
}

window_manager_ready() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# speech-dispatcher in the foreground with only the "dummy" output module,
# which sends its sound through libao; libao's "null" driver swallows it.
start_speech() {
  local config=$XDG_RUNTIME_DIR/speechd-config
  mkdir -p "$config"
  printf 'default_driver=null\nquiet\n' >"$HOME/.libao"
  printf '%s\n' 'AddModule "dummy" "sd_dummy" ""' 'DefaultModule dummy' 'AudioOutputMethod "libao"' \
    'LogLevel 3' >"$config/speechd.conf"
  speech-dispatcher --run-single --timeout 0 --config-dir "$config" --log-dir "$out" \
    >"$out/speech-dispatcher.log" 2>&1 &
  pids=("$!" "${pids[@]}")
}

# Orca, ready once it has spoken its greeting. It writes its debug file
# through a full buffer unless that file is a terminal, so it writes to a
# pseudo-terminal, which "script" copies into the file as it comes.
start_orca() {
  export RINGTAFEL_SPEECH_LOG=$out/orca-debug.txt
  rm -f "$RINGTAFEL_SPEECH_LOG"
  script --quiet --flush --command 'exec orca --replace --debug-file=/dev/stdout' "$RINGTAFEL_SPEECH_LOG" \
    </dev/null >"$out/orca.log" 2>&1 &
  local recorder=$! orca=""
  pids=("$recorder" "${pids[@]}")
  for _ in $(seq 300); do
    [[ -n $orca ]] || orca=$(pgrep -P "$recorder" || true)
    grep -q 'SPEECH OUTPUT' "$RINGTAFEL_SPEECH_LOG" 2>/dev/null && break
    running "$recorder" || break
    sleep 0.1
  done
  # Orca before its recorder.
  [[ -n $orca ]] && pids=("$orca" "${pids[@]}")
  grep -q 'SPEECH OUTPUT' "$RINGTAFEL_SPEECH_LOG" 2>/dev/null && return 0
  echo "FAIL: Orca did not start" >&2
  cat "$out/orca.log" >&2
  return 1
}

start_openbox() {
  openbox --sm-disable >"$out/openbox.log" 2>&1 &
  pids+=($!)
  # A window shown while the window manager is still starting may stay unmapped.
  for _ in $(seq 100); do
    window_manager_ready && break
    sleep 0.1
  done
  if ! window_manager_ready; then
    echo "FAIL: the window manager did not start on $DISPLAY" >&2
    cat "$out/openbox.log" >&2
    xdotool getdisplaygeometry >&2 || echo "the X server on $DISPLAY does not answer" >&2
    return "$UNUSABLE_DISPLAY"
  fi
}

run_in_session() {
  trap end_everything EXIT
  trap 'exit 143' TERM INT

  if ((gnome)); then
    start_gnome_shell || return
  else
    start_openbox || return
  fi

  bus_address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
                  org.a11y.Bus.GetAddress | tr -d ' ')
  launcher=$(owner_pid "$DBUS_SESSION_BUS_ADDRESS" org.a11y.Bus)
  if [[ -z "$bus_address" || -z "$launcher" ]]; then
    echo "FAIL: the accessibility bus did not start" >&2
    return 1
  fi
  echo "accessibility bus at $bus_address"
  if ((screen_reader)); then
    # The German locale for the game, built privately: no system-wide change.
    mkdir -p "$XDG_RUNTIME_DIR/locale"
    localedef -i de_DE -f UTF-8 "$XDG_RUNTIME_DIR/locale/de_DE.UTF-8"
    export LOCPATH=$XDG_RUNTIME_DIR/locale
    start_speech
    start_orca
  fi

  local status=0
  "$@" || status=$?
  if ((status != 0)) && [[ -f "$out/game.log" ]]; then
    echo "game output:" >&2
    cat "$out/game.log" >&2
  fi
  return "$status"
}

# --- The GNOME variant ------------------------------------------------------
# Both buses admit every user, so that gnome-shell, run as another user than
# the check and the game, shares them. gnome-shell needs a system bus to
# start at all; a second bus of the same kind stands in for it.

start_gnome_session() {
  mkdir -p "$out"
  rm -f "$out/game.pid"
  runtime=$(mktemp -d)
  shell_home=$(mktemp -d)   # gnome-shell's, also its runtime directory
  ((EUID)) || chown nobody: "$shell_home"
  system_bus=""
  local address=""
  trap '[[ -n $system_bus ]] && kill "$system_bus" 2>/dev/null; rm -rf "$runtime" "$shell_home"' EXIT
  trap 'exit 143' TERM INT
  printf '%s\n' '<busconfig><include>/usr/share/dbus-1/session.conf</include>' \
    '<policy context="default"><allow user="*"/></policy></busconfig>' >"$runtime/bus.conf"
  dbus-daemon --config-file="$runtime/bus.conf" --nofork --print-address=3 3>"$runtime/system-bus" &
  system_bus=$!
  for _ in $(seq 100); do
    read -r address <"$runtime/system-bus" && break
    sleep 0.1
  done
  [[ -n $address ]] || { echo "FAIL: the stand-in system bus did not start" >&2; return 1; }
  DBUS_SYSTEM_BUS_ADDRESS=$address RINGTAFEL_BUS_SESSION=1 RINGTAFEL_SHELL_HOME="$shell_home" HOME="$runtime" \
    XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$runtime/config" XDG_DATA_HOME="$runtime/data" \
    XDG_CACHE_HOME="$runtime/cache" GSETTINGS_BACKEND=memory \
    dbus-run-session --config-file="$runtime/bus.conf" -- "$0" --gnome "$out" -- "$@"
}

shell_eval() {
  gdbus call --timeout 10 --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.gnome.Shell.Eval "$1" 2>/dev/null
}

# gnome-shell in its own home and runtime directory, its user's; ready once
# its start-up is over and the overview it opens with is closed.
start_gnome_shell() {
  local dir=$RINGTAFEL_SHELL_HOME as=()
  ((EUID)) || as=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
  HOME=$dir XDG_RUNTIME_DIR=$dir XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data XDG_CACHE_HOME=$dir/cache \
    "${as[@]}" gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x800 --unsafe-mode \
    >"$out/gnome-shell.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 600); do
    shell_eval 'Main.layoutManager._startingUp' | grep -q "'false'" && break
    running "${pids[-1]}" || break
    sleep 0.1
  done
  # The overview closes with an animation.
  for _ in $(seq 100); do
    shell_eval 'Main.overview.hide(); Main.overview.visible' | grep -q "(true, 'false')" && break
    sleep 0.1
  done
  shell_eval 'Main.overview.visible' | grep -q "(true, 'false')" || {
    echo "FAIL: gnome-shell did not start" >&2
    cat "$out/gnome-shell.log" >&2
    return 1
  }
  export WAYLAND_DISPLAY=$dir/wayland-0
}

if [[ -z "${RINGTAFEL_BUS_SESSION:-}" ]] && ((gnome)); then
  start_gnome_session "$@"
elif [[ -z "${RINGTAFEL_BUS_SESSION:-}" ]]; then
  start_session "$@"
else
  run_in_session "$@"
fi
