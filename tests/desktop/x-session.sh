# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Helpers for driving the game under a private Xvfb with real X events.
# Sourced by scripts/screenshots.sh, and by a11y-session.sh for Xvfb; needs Xvfb,
# xdotool and ImageMagick. There is no window manager, so a window's client
# area sits exactly at the position xdotool reports for it.

XVFB_PID=""

# Starts Xvfb on a free display and exports DISPLAY. The server picks the
# display itself (-displayfd) and reports it once it accepts connections, so
# sessions started at the same moment never end up on the same display.
start_xvfb() {
  local report number=""
  report=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$report" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 300); do
    # A whole line, newline included, is the finished report.
    read -r number <"$report" && break
    number=""
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$report"
  if [[ -z "$number" ]]; then
    stop_xvfb
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

stop_xvfb() {
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# Ends the game with the given process id, if it still runs, and the Xvfb.
end_session() {
  local pid=${1:-}
  if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  stop_xvfb
}

# Waits up to SECONDS for the process to end; fails if it still runs then.
wait_for_exit() {
  local pid=$1 seconds=$2
  for _ in $(seq $((seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$pid" 2>/dev/null
}

# Prints the id of the first shown window whose title matches the regular
# expression, waiting up to TIMEOUT seconds for it.
wait_for_window() {
  local title=$1 timeout=$2
  timeout "$timeout" xdotool search --sync --onlyvisible --name "$title" | head -n 1
}

# Prints "X Y" of the window's client area on the screen.
window_origin() {
  local geometry
  geometry=$(xdotool getwindowgeometry --shell "$1")
  echo "$(sed -n 's/^X=//p' <<<"$geometry") $(sed -n 's/^Y=//p' <<<"$geometry")"
}

# Left-clicks at window-relative pixel (X, Y) with real pointer events.
click_in_window() {
  local wid=$1 x=$2 y=$3 ox oy
  read -r ox oy < <(window_origin "$wid")
  xdotool mousemove --sync $((ox + x)) $((oy + y)) click 1
}

# Counts the pixels of exactly colour HEX (RRGGBB) in the WxH area at (X, Y)
# of an image.
count_colour() {
  local image=$1 w=$2 h=$3 x=$4 y=$5 hex=$6
  convert "$image" -crop "${w}x${h}+${x}+${y}" +repage -depth 8 txt:- \
    | grep -ciE " #${hex}( |$)" || true
}
