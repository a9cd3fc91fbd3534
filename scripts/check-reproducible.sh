#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package of the current commit twice, each from its own
# clean clone in a different directory, with a different umask and a
# differently named build directory, the second after the first, and fails
# unless the two .deb files are the same byte for byte. On a difference it
# shows what differs: diffoscope's report when diffoscope is installed, else
# the archives' member and file listings and the files whose sums differ.
# Uncommitted changes are not part of the check. The tests are not built.
#
# Usage: scripts/check-reproducible.sh [JOBS]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
jobs=${1:-$(nproc)}
commit=$(git -C "$repo" rev-parse HEAD)
work=$(mktemp -d "${TMPDIR:-/tmp}/ringtafel-reproducible.XXXXXX")

# The check is of a plain `make package`: the commit's own time, no compiler
# cache that could hand the second build the first build's objects.
unset SOURCE_DATE_EPOCH CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
export CCACHE_DISABLE=1

build() {   # DIR BUILD_DIR UMASK: prints the path of the package built
  local dir=$1 build_dir=$2
  git clone -q --no-checkout "$repo" "$dir"
  git -C "$dir" checkout -q --detach "$commit"
  (umask "$3" && make -C "$dir" package BUILD="$build_dir" JOBS="$jobs" \
     CMAKE_FLAGS=-DRINGTAFEL_BUILD_TESTS=OFF >"$work/$(basename "$build_dir").log" 2>&1) || {
    tail -n 30 "$work/$(basename "$build_dir").log" >&2
    echo "FAIL: make package in $dir failed; the log is $work/$(basename "$build_dir").log" >&2
    exit 1
  }
  local debs=("$dir/$build_dir"/*.deb)
  ((${#debs[@]} == 1)) && [[ -f ${debs[0]} ]] || { echo "FAIL: no single .deb in $dir/$build_dir" >&2; exit 1; }
  echo "${debs[0]}"
}

echo "== building $(git -C "$repo" log -1 --format='%h (%cd)' --date=iso) twice in $work"
first=$(build "$work/one/ringtafel" build 022)
second=$(build "$work/two/elsewhere/ringtafel" out 002)

if cmp "$first" "$second"; then
  echo "reproducible: both packages are $(sha256sum <"$first" | cut -d' ' -f1)"
  rm -rf "$work"
  exit 0
fi
echo "FAIL: the two packages differ; both are kept in $work" >&2
if command -v diffoscope >/dev/null; then
  diffoscope --text - "$first" "$second" | head -n 300 >&2 || true
else
  diff <(ar tv "$first") <(ar tv "$second") >&2 || true
  diff <(dpkg-deb -c "$first") <(dpkg-deb -c "$second") >&2 || true
  diff <(dpkg-deb -I "$first") <(dpkg-deb -I "$second") >&2 || true
  diff <(dpkg-deb --ctrl-tarfile "$first" | tar -xO ./md5sums) \
       <(dpkg-deb --ctrl-tarfile "$second" | tar -xO ./md5sums) >&2 || true
fi
exit 1
