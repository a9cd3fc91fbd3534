#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# scripts/install-deps.sh against stand-ins for apt-get, dpkg-query and sudo:
# which packages each group asks apt for, and what happens without apt, with
# the install switched off, and with everything already there.
set -uo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/bare"
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
# Logs the names an install asks for, without the options.
[ "$1" = install ] || exit 0
shift
for arg; do case $arg in -*) ;; *) printf '%s ' "$arg" >>"$APT_LOG" ;; esac; done
exit 0
STUB
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
# Installed are the names listed in $INSTALLED.
for name; do :; done
case " $INSTALLED " in *" $name "*) printf 'install ok installed' ;; *) exit 1 ;; esac
STUB
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*
for tool in bash dirname awk tr sort grep id env cat; do ln -s "$(command -v "$tool")" "$work/bare/$tool"; done
ln -s "$work/bare/"* "$work/bin/" 2>/dev/null

failures=0
check() {   # NAME EXPECTED ACTUAL
  if [[ $2 == "$3" ]]; then echo "ok: $1"; else echo "FAIL: $1"; echo "  expected: $2"; echo "  actual:   $3"; failures=$((failures + 1)); fi
}
run() {   # PATHDIR INSTALLED ARGS...: prints what apt was asked to install, then the exit code
  local dir=$1 installed=$2
  shift 2
  : >"$work/apt.log"
  local status=0
  PATH="$work/$dir" APT_LOG="$work/apt.log" INSTALLED="$installed" bash "$script" "$@" >"$work/out" 2>&1 || status=$?
  echo "$(cat "$work/apt.log")[$status]"
}

play="build-essential cmake qt6-base-dev dpkg-dev qt6-translations-l10n fonts-liberation2 qt6-wayland"
check "play installs what building and playing need" "$play [0]" "$(run bin "" play)"
check "web installs the compiler and the face's tools" "build-essential cmake fonts-liberation2 emscripten fonttools python3-brotli [0]" \
  "$(run bin "" web)"
check "what is installed is not asked for again" "qt6-base-dev [0]" \
  "$(run bin "build-essential cmake dpkg-dev qt6-translations-l10n fonts-liberation2 qt6-wayland" play)"
check "nothing is asked for when everything is there" "[0]" "$(run bin "$play" play)"
check "INSTALL_DEPS=no installs nothing" "[0]" "$(RINGTAFEL_INSTALL_DEPS=no run bin "" all)"
check "an unknown group is refused" "[2]" "$(run bin "" players)"
check "without apt nothing fails" "[0]" "$(run bare "" play)"
check "without apt the needed packages are named" \
  "install-deps: no apt here, so nothing is installed; this needs (Debian's names): $play" "$(cat "$work/out")"

all=$(run bin "" all)
for tool in chromium firefox-esr gnome-shell orca sway emscripten clang lintian libgtest-dev xvfb; do
  [[ " $all " == *" $tool "* ]] || { echo "FAIL: all does not install $tool"; failures=$((failures + 1)); }
  [[ " $play " != *" $tool "* ]] || { echo "FAIL: play installs $tool"; failures=$((failures + 1)); }
done
exit $((failures > 0))
