#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages listed in scripts/packages.txt that are missing,
# through sudo when not run as root.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
missing=()
while read -r pkg _; do   # a line: NAME [# comment]
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done < "$here/packages.txt"
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
