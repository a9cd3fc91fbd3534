#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a built tree and judges it as a Debian
# maintainer would: lintian --pedantic finds no error, no warning and no gap
# in hardening or stripping; the package holds the program in the games path
# with its desktop entry, icons, metainfo, manual page, licence and change log;
# its copyright file carries the text of LICENSE and its change log the
# package's version.
#
# Usage: check-deb.sh CPACK BUILD_DIR WORK_DIR LICENSE APP_ID SIZE...
set -euo pipefail

cpack_cmd=$1 build_dir=$2 work=$3 licence=$4 app_id=$5
shift 5
sizes=("$@")
((${#sizes[@]} > 0)) || { echo "usage: no icon sizes given" >&2; exit 2; }

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$work"
mkdir -p "$work"
if ! "$cpack_cmd" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
debs=("$work"/*.deb)
if ((${#debs[@]} != 1)) || [[ ! -f ${debs[0]} ]]; then
  echo "FAIL: expected one .deb in $work, found: ${debs[*]}" >&2
  exit 1
fi
deb=${debs[0]}

# --fail-on none: a non-zero status then means lintian itself failed.
echo "== lintian --pedantic --display-info $(basename "$deb")"
if ! tags=$(lintian --pedantic --display-info --fail-on none "$deb"); then
  echo "FAIL: lintian did not run" >&2
  exit 1
fi
[[ -z "$tags" ]] || echo "$tags"
# lintian's appstream-metadata-validation-failed only says that
# `appstreamcli validate-tree` failed on the package. AppStream 1.0 fails it
# for want of a homepage, and the project has no public address yet (none is
# made up): this one warning passes, and only while validate-tree's sole
# finding is that homepage (checked below on the unpacked package).
appstream_tag="W: ringtafel: appstream-metadata-validation-failed Problems reported by \"appstreamcli validate-tree\"."
if grep -E '^[EW]: ' <<<"$tags" | grep -qvxF "$appstream_tag"; then
  fail "lintian reports errors or warnings"
fi
if grep -qE '^[IP]: [^ ]+ (hardening-|binary-has-unneeded-section)' <<<"$tags"; then
  fail "the program lacks hardening or keeps sections Debian strips"
fi

listing=$(dpkg-deb -c "$deb" | awk '{ print $1, $NF }')
expect() {   # MODE PATH
  grep -qxF -- "$1 ./$2" <<<"$listing" || fail "package lacks $2 with mode $1"
}
expect -rwxr-xr-x usr/games/ringtafel
expect -rw-r--r-- "usr/share/applications/$app_id.desktop"
expect -rw-r--r-- "usr/share/metainfo/$app_id.metainfo.xml"
expect -rw-r--r-- "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
for size in "${sizes[@]}"; do
  expect -rw-r--r-- "usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
done
expect -rw-r--r-- usr/share/man/man6/ringtafel.6.gz
expect -rw-r--r-- usr/share/doc/ringtafel/copyright
expect -rw-r--r-- usr/share/doc/ringtafel/changelog.gz
if grep -q ' \./usr/bin/' <<<"$listing"; then
  fail "package puts files into /usr/bin: $(grep ' \./usr/bin/' <<<"$listing")"
fi

unpacked="$work/root"
mkdir -p "$unpacked"
dpkg-deb -x "$deb" "$unpacked"
if grep -qxF "$appstream_tag" <<<"$tags"; then
  findings=$(appstreamcli validate-tree --no-net "$unpacked" | sed -n 's/^ *\([EWIP]: \)/\1/p' || true)
  echo "== appstreamcli validate-tree --no-net (what lintian's appstream warning carries)"
  echo "$findings"
  [[ "$findings" == "W: $app_id:~: url-homepage-missing" ]] \
    || fail "lintian's appstream warning carries more than the missing homepage"
fi
licence_body=$(sed -n '/^Permission is hereby granted/,$p' "$licence")
copyright_body=$(sed -n '/^License: Expat$/,$p' "$unpacked/usr/share/doc/ringtafel/copyright" \
                 | tail -n +2 | sed 's/^ //; s/^\.$//')
[[ -n "$licence_body" && "$copyright_body" == "$licence_body" ]] \
  || fail "copyright file does not carry the licence text of $licence"

gunzip -c "$unpacked/usr/share/doc/ringtafel/changelog.gz" >"$work/changelog"
logged=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
packaged=$(dpkg-deb -f "$deb" Version)
[[ "$logged" == "$packaged" ]] \
  || fail "change log's latest version $logged is not the package version $packaged"

# On a Wayland desktop the game runs natively only with the toolkit's plugin.
grep -qw qt6-wayland <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "package does not recommend qt6-wayland"

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package valid: lintian clean of errors and warnings, program in /usr/games, desktop files, icons at ${sizes[*]} px, manual page, copyright, change log $logged"
