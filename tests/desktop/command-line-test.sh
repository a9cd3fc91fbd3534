#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The built program's answers to its command line where no display is set:
# help, version and a refused argument end at once with their exit code and
# first line; a toolkit option with its value reaches the toolkit, whose
# offscreen platform then runs the game until it is ended here.
#
# Usage: command-line-test.sh PROGRAM VERSION WORK_DIR
set -uo pipefail
program=$1 version=$2 work=$3
mkdir -p "$work"
failures=0

# EXIT_CODE STREAM FIRST_LINE ARGUMENT...: STREAM is out, err or - (not read).
# LIMIT seconds end a program that does not end by itself.
check() {
  local code=$1 stream=$2 line=$3 status first
  shift 3
  timeout -k 5 "${LIMIT:-30}" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$program" "$@" >"${OUTPUT:-$work/out}" 2>"$work/err" </dev/null
  status=$?
  first=
  [[ $stream == - ]] || first=$(head -n 1 "$work/$stream")
  if [[ $status != "$code" || $first != "${line}" ]]; then
    echo "FAIL: ringtafel $*: exit $status (want $code), first line on $stream: '$first' (want '$line')" >&2
    [[ $stream == err ]] || sed 's/^/  stderr: /' "$work/err" >&2
    failures=$((failures + 1))
  else
    echo "ok: ringtafel $* -> $status${first:+, $first}"
  fi
}

check 0 out "Aufruf: ringtafel [OPTION]..." --help
check 0 out "Aufruf: ringtafel [OPTION]..." -h
check 0 out "ringtafel $version" --version
check 2 err "ringtafel: unbekannte Option „--foo“ (ringtafel --help zeigt die Optionen)" --foo
check 2 err "ringtafel: unerwartetes Argument „spiel“ (ringtafel --help zeigt die Optionen)" spiel
OUTPUT=/dev/full check 1 err "ringtafel: Die Ausgabe ließ sich nicht schreiben." --version
# Killed by timeout (124) means the game ran: without the option it has no display.
LIMIT=3 check 124 - "" -platform offscreen

((failures == 0)) || { echo "$failures case(s) failed" >&2; exit 1; }
