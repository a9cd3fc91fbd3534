#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Lists the includes between the folders of the source tree and fails on one
# that runs from a lower layer to a higher one, between the two front ends,
# or on a toolkit header outside the desktop's layers. Layers, bottom to top:
# runtime, game, then ui (the windows) and web (the page) side by side, app,
# main.cpp.
#
# Usage: check-layers.sh SOURCE_DIR
set -euo pipefail
src=$1
declare -A rank=([runtime]=0 [game]=1 [ui]=2 [web]=2 [app]=3 [main.cpp]=4)

layer_of() {   # the layer of a path relative to SOURCE_DIR
  local first=${1%%/*}
  [[ -n ${rank[$first]+x} ]] && echo "$first"
}

status=0
declare -A edges=()
while IFS= read -r file; do
  rel=${file#"$src"/}
  from=$(layer_of "$rel") || { echo "not in a layer: $rel" >&2; status=1; continue; }
  while IFS= read -r target; do
    to=$(layer_of "$target") || continue   # a file of the same folder
    edges["$from -> $to"]=$(( ${edges["$from -> $to"]:-0} + 1 ))
    if (( rank[$to] > rank[$from] )); then
      echo "upward include: $rel includes $target" >&2
      status=1
    elif [[ $to != "$from" ]] && (( rank[$to] == rank[$from] )); then
      echo "include between the front ends: $rel includes $target" >&2
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  if { (( rank[$from] < rank[ui] )) || [[ $from == web ]]; } && grep -Eq '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file"; then
    echo "toolkit header outside the windows: $rel" >&2
    status=1
  fi
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

echo "Includes between the layers (count of #include lines):"
for edge in "${!edges[@]}"; do echo "  $edge  ${edges[$edge]}"; done | sort
exit $status
