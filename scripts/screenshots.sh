#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the screenshots in docs/ of the built game under a private Xvfb:
# the main window during a round, the result window at the end of the round
# and the explanation window.
#
# Usage: scripts/screenshots.sh [GAME_BINARY]   (default: build/src/ringtafel)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source-path=SCRIPTDIR source=../tests/desktop/x-session.sh
source "$root/tests/desktop/x-session.sh"

game=$(realpath "${1:-$root/build/src/ringtafel}")
docs="$root/docs"
mkdir -p "$docs"

# Window pixels of the controls used.
readonly START_X=684 START_Y=152           # "Start" in the main window
readonly ENDE_X=748 ENDE_Y=152             # "Ende" in the main window
readonly ERKLAERUNG_X=716 ERKLAERUNG_Y=192 # "Erklärung" in the main window
readonly ZURUECK_X=260 ZURUECK_Y=308       # "Zurück" in the result window

game_pid=""
trap 'end_session "$game_pid"' EXIT

start_xvfb
QT_QPA_PLATFORM=xcb "$game" >/dev/null 2>&1 &
game_pid=$!

window() {   # the id of the window with the title, or the script stops
  wait_for_window "$1" 30 || { echo "no window '$1' within 30 s" >&2; exit 1; }
}

main=$(window '^Ringtafel-Programm')
sleep 0.5
click_in_window "$main" "$START_X" "$START_Y"

# A round at the default pace shows a target about every 0.4 s for ~4.5 s;
# the picture is taken again should the target not be on the field yet.
sleep 1.5
for _ in 1 2 3 4; do
  import -window "$main" "$docs/screenshot-main.png"
  (($(count_colour "$docs/screenshot-main.png" 357 389 290 138 FFFF00) > 0)) && break
  sleep 0.3
done
echo "main window during a round: $docs/screenshot-main.png"

result=$(window '^Ringtafel-Auswertung')
sleep 0.5
import -window "$result" "$docs/screenshot-result.png"
echo "result window: $docs/screenshot-result.png"
click_in_window "$result" "$ZURUECK_X" "$ZURUECK_Y"

click_in_window "$main" "$ERKLAERUNG_X" "$ERKLAERUNG_Y"
explain=$(window '^Ringtafel-Erkl')
sleep 0.5
import -window "$explain" "$docs/screenshot-explain.png"
echo "explanation window: $docs/screenshot-explain.png"

click_in_window "$main" "$ENDE_X" "$ENDE_Y"
if ! wait_for_exit "$game_pid" 10; then
  echo "warning: the game did not end on Ende; stopped it" >&2
fi
