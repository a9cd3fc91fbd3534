#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Plays the built game in a real X window: "Start" pressed with real pointer
# events must bring ring targets into the field, and "Ende" must end the
# process with exit code 0. Runs its own Xvfb; the game uses the xcb platform.
#
# Usage: real-window-test.sh GAME_BINARY OUTPUT_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=x-session.sh
source "$here/x-session.sh"

game=$1 out=$2
mkdir -p "$out"

# Main window layout in window pixels.
readonly START_X=684 START_Y=152   # centre of "Start" (656,136) 57x33
readonly ENDE_X=748 ENDE_Y=152     # centre of "Ende" (720,136) 57x33
readonly FIELD_X=290 FIELD_Y=138 FIELD_W=357 FIELD_H=389   # inside the 2 px border

game_pid=""
trap 'end_session "$game_pid"' EXIT

start_xvfb
echo "Xvfb on $DISPLAY"

QT_QPA_PLATFORM=xcb "$game" >"$out/real-window-game.log" 2>&1 &
game_pid=$!

wid=$(wait_for_window '^Ringtafel-Programm' 30) || true
if [[ -z "$wid" ]]; then
  echo "FAIL: no window 'Ringtafel-Programm' within 30 s" >&2
  cat "$out/real-window-game.log" >&2
  exit 1
fi
read -r win_x win_y < <(window_origin "$wid")
echo "main window $wid at $win_x,$win_y"
field=("$FIELD_W" "$FIELD_H" $((win_x + FIELD_X)) $((win_y + FIELD_Y)))

# Before "Start" the field is blank.
sleep 0.5
import -window root "$out/real-window-before.png"
yellow=$(count_colour "$out/real-window-before.png" "${field[@]}" FFFF00)
black=$(count_colour "$out/real-window-before.png" "${field[@]}" 000000)
echo "before Start: $yellow yellow and $black black pixels in the field"
if ((yellow != 0 || black != 0)); then
  echo "FAIL: the field shows ring colours before Start" >&2
  exit 1
fi

click_in_window "$wid" "$START_X" "$START_Y"

# A target is on the field from the first tick until the round ends; look a
# few more times should a slow machine not have painted it yet.
shot="$out/real-window-playing.png"
sleep 1.5
for attempt in 1 2 3 4; do
  import -window root "$shot"
  yellow=$(count_colour "$shot" "${field[@]}" FFFF00)
  black=$(count_colour "$shot" "${field[@]}" 000000)
  echo "after Start (look $attempt): $yellow yellow and $black black pixels in the field"
  ((yellow > 0 && black > 0)) && break
  sleep 0.3
done
if ((yellow == 0 || black == 0)); then
  echo "FAIL: no ring target (yellow centre and black outer rings) in the field; see $shot" >&2
  exit 1
fi

click_in_window "$wid" "$ENDE_X" "$ENDE_Y"
if ! wait_for_exit "$game_pid" 10; then
  echo "FAIL: the game still runs 10 s after Ende" >&2
  exit 1
fi
status=0
wait "$game_pid" || status=$?
game_pid=""
echo "game exited with code $status"
if ((status != 0)); then
  echo "FAIL: Ende must end the game with exit code 0" >&2
  cat "$out/real-window-game.log" >&2
  exit 1
fi
echo "real window test passed; screenshots in $out"
