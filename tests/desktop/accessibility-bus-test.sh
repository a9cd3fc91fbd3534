#!/usr/bin/env bash
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

if [[ -z "${RINGTAFEL_BUS_SESSION:-}" ]]; then
  # shellcheck source-path=SCRIPTDIR source=x-session.sh
  source "$here/x-session.sh"
  mkdir -p "$out"
  # The accessibility bus puts its socket under XDG_RUNTIME_DIR: a private one.
  runtime=$(mktemp -d)
  trap 'stop_xvfb; rm -rf "$runtime"' EXIT
  start_xvfb
  echo "Xvfb on $DISPLAY"
  status=0
  RINGTAFEL_BUS_SESSION=1 XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$runtime" \
    dbus-run-session -- "$0" "$@" || status=$?
  exit "$status"
fi

# Inside the private session bus from here on.
pids=()          # processes to end, in the order they are ended
bus_address=""   # of the accessibility bus, once it runs

stop_process() {
  local pid=$1
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# The registry daemon is started by the accessibility bus, not by this script;
# it is found through the bus.
registry_pid() {
  [[ -n "$bus_address" ]] || return 0
  dbus-send --bus="$bus_address" --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.atspi.Registry 2>/dev/null \
    | awk '{print $2}'
}

end_everything() {
  local pid registry bus_daemons=() left=()
  registry=$(registry_pid || true)
  [[ -n "${launcher:-}" ]] && mapfile -t bus_daemons < <(ps -o pid= --ppid "$launcher" 2>/dev/null | tr -d ' ')
  for pid in "${pids[@]}" $registry "${bus_daemons[@]}"; do
    stop_process "$pid"
  done
  for pid in "${pids[@]}" $registry "${bus_daemons[@]}"; do
    kill -0 "$pid" 2>/dev/null && left+=("$pid")
  done
  if ((${#left[@]})); then
    echo "FAIL: processes still running after the test: ${left[*]}" >&2
    exit 1
  fi
}
trap end_everything EXIT

openbox --sm-disable >"$out/openbox.log" 2>&1 &
pids=($!)

/usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >"$out/at-spi.log" 2>&1 &
launcher=$!
for _ in $(seq 100); do
  bus_address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
                  org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ') && [[ -n "$bus_address" ]] && break
  sleep 0.1
done
if [[ -z "$bus_address" ]]; then
  echo "FAIL: the accessibility bus did not start" >&2
  cat "$out/at-spi.log" >&2
  exit 1
fi

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$game" >"$out/game.log" 2>&1 &
game_pid=$!
# The game first, the bus after the programs on it, the launcher last.
pids=("$game_pid" "${pids[@]}" "$launcher")

status=0
/usr/bin/python3 "$here/accessibility_bus.py" "$src" "$out" "$game_pid" || status=$?
if ((status != 0)); then
  echo "game output:" >&2
  cat "$out/game.log" >&2
fi
exit "$status"
