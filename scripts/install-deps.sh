#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages of the named groups in scripts/packages.txt
# that are missing, through sudo when not run as root.
#
# Usage: scripts/install-deps.sh GROUP...     (play, package, web, test, all)
#
# RINGTAFEL_INSTALL_DEPS=no skips the install for whoever installed the
# packages by hand. On a system without apt it names what is needed and leaves
# the rest to the build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
(($# > 0)) || { echo "usage: $0 GROUP...   (play, package, web, test, all)" >&2; exit 2; }

known=$(awk '!/^[[:space:]]*(#|$)/ {print $2}' "$here/packages.txt" | tr , '\n' | sort -u)
for group in "$@"; do
  [[ $group == all ]] || grep -qx -- "$group" <<<"$known" \
    || { echo "install-deps: no group '$group'; the groups are: $(echo $known) all" >&2; exit 2; }
done
wanted=()
while read -r pkg groups _; do   # a line: NAME GROUP[,GROUP...] [# comment]
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  for g in "$@"; do
    if [[ $g == all || ,$groups, == *,"$g",* ]]; then wanted+=("$pkg"); break; fi
  done
done < "$here/packages.txt"

if [[ ${RINGTAFEL_INSTALL_DEPS:-yes} == no ]]; then
  exit 0
fi
if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
  echo "install-deps: no apt here, so nothing is installed; this needs (Debian's names): ${wanted[*]}" >&2
  exit 0
fi

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || {
    echo "install-deps: not root and no sudo; run as root: apt-get install ${missing[*]}" >&2
    exit 1
  }
  sudo=(sudo)
fi
# sudo drops the caller's environment; env passes the setting through it.
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
