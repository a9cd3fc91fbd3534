#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Reads the game as a screen reader does: through the AT-SPI accessibility bus
# of a private D-Bus session, with the game under its own Xvfb and a window
# manager that gives newly shown windows the focus, as on a desktop. The
# checks are in accessibility_bus.py; this script starts every process around
# them and ends each one again, also when a check fails.
#
# Usage: accessibility-bus-test.sh GAME_BINARY OUTPUT_DIR SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
game=$1 out=$2 src=$3
readonly UNUSABLE_DISPLAY=75

# --- Outside: the X server and the private session bus ---------------------

start_session() {
  # shellcheck source-path=SCRIPTDIR source=x-session.sh
  source "$here/x-session.sh"
  mkdir -p "$out"
  rm -f "$out/game.pid"
  # The accessibility bus puts its socket under XDG_RUNTIME_DIR: a private one.
  runtime=$(mktemp -d)
  trap 'stop_xvfb; rm -rf "$runtime"' EXIT
  trap 'exit 143' TERM INT
  local status attempt
  # A display that the window manager cannot open is a fault of the X
  # session, not of the game: the session is then tried afresh, up to 3 times.
  for attempt in 1 2 3; do
    start_xvfb
    echo "Xvfb on $DISPLAY (attempt $attempt)"
    status=0
    RINGTAFEL_BUS_SESSION=1 XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$runtime" \
      dbus-run-session -- "$0" "$game" "$out" "$src" || status=$?
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

stop_process() {
  local pid=$1
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
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
  # The game, started by the checks, ends first.
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

run_in_session() {
  trap end_everything EXIT
  trap 'exit 143' TERM INT

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

  bus_address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
                  org.a11y.Bus.GetAddress | tr -d ' ')
  launcher=$(owner_pid "$DBUS_SESSION_BUS_ADDRESS" org.a11y.Bus)
  if [[ -z "$bus_address" || -z "$launcher" ]]; then
    echo "FAIL: the accessibility bus did not start" >&2
    return 1
  fi
  echo "accessibility bus at $bus_address"

  local status=0
  /usr/bin/python3 "$here/accessibility_bus.py" "$game" "$src" "$out" || status=$?
  if ((status != 0)); then
    echo "game output:" >&2
    cat "$out/game.log" >&2
  fi
  return "$status"
}

if [[ -z "${RINGTAFEL_BUS_SESSION:-}" ]]; then
  start_session
else
  run_in_session
fi
