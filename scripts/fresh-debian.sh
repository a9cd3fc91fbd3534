#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the README's promise from nothing: a minimal Debian root of the named
# release, given only what a newcomer has (make and git) and a clean clone of
# the current commit, first runs the player's `make run` alone, which has to
# show the main window with no package of the tests installed; then, in another
# fresh root, `make test` and `make run`. Prints each step with its time, the
# packages each command added and what failed; exits non-zero on any failure.
#
# Usage: scripts/fresh-debian.sh SUITE [player|full]   (trixie, bookworm, testing, ...)
#        the second word runs only that one of the two roots
#
# Needs root (through sudo otherwise), unshare and git; installs debootstrap,
# and on the host Xvfb, xdotool and ImageMagick to look for the window. The
# pristine root of each release is made once and kept in
# RINGTAFEL_FRESH_CACHE (default /var/cache/ringtafel-fresh-debian), with the
# downloaded packages; every run works on a fresh copy of it, which is removed
# afterwards (kept for a look when RINGTAFEL_FRESH_KEEP is set), and leaves
# its logs in the cache's logs/ folder.
# shellcheck disable=SC2317  # the inside part's functions run through run_step
set -euo pipefail

usage() { echo "usage: $0 SUITE [player|full]   (e.g. trixie, bookworm, testing)" >&2; exit 2; }

# The part that runs inside its own mount and process namespaces: everything
# mounted there goes when the namespace ends, and every process started there
# ends with it, also when this script is interrupted.
if [[ ${1:-} == --inside ]]; then
  root=$2 logs=$3 archives=$4 mode=$5
  run_step() {   # NAME COMMAND...: runs one step, logs it, prints its time
    local name=$1 log="$logs/$1.log" start=$SECONDS status=0
    shift
    "$@" >"$log" 2>&1 || status=$?
    printf '%-22s %5d s  %s\n' "$name" $((SECONDS - start)) "$( ((status == 0)) && echo ok || echo "FAILED ($status)")"
    if ((status != 0)); then
      echo "---- last lines of $log"
      tail -n 40 "$log"
      echo "----"
    fi
    return "$status"
  }
  in_root() {   # COMMAND...: as a newcomer's root shell in the clone would
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      /bin/sh -c 'cd /root/ringtafel && exec "$@"' sh "$@"
  }

  mount -t proc proc "$root/proc"
  mount -t sysfs -o ro sysfs "$root/sys"
  mount --bind /dev "$root/dev"
  mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$root/dev/pts"
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"
  mount --bind "$archives" "$root/var/cache/apt/archives"
  unmount_all() {
    local m
    for m in var/cache/apt/archives dev/shm dev/pts dev sys proc; do
      umount "$root/$m" 2>/dev/null || umount -l "$root/$m" || true
    done
  }
  trap unmount_all EXIT

  timed() {   # COMMAND...: its output, each line after the second it came
    echo "$(date +%s) start"
    "$@" 2>&1 | while IFS= read -r line; do printf '%(%s)T %s\n' -1 "$line"; done
  }
  newcomer() {   # what a fresh machine gets before the clone
    in_root apt-get update && in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y make git
  }
  show_main_window() {   # make run under Xvfb until the main window is there
    local display_file="$logs/display" display pid_x pid_run waited=0 found=""
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
      3>"$display_file" >"$logs/xvfb.log" 2>&1 &
    pid_x=$!
    until [[ -s $display_file ]] || ((waited > 300)); do sleep 0.2; waited=$((waited + 1)); done
    display=:$(head -n 1 "$display_file")
    [[ $display != : ]] || { echo "Xvfb did not start"; kill "$pid_x"; return 1; }
    echo "Xvfb on $display"
    setsid chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 DISPLAY="$display" \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      /bin/sh -c 'cd /root/ringtafel && exec make run' &
    pid_run=$!
    # make run checks the packages and the build first; both are done by then.
    for ((waited = 0; waited < 600; waited++)); do
      found=$(DISPLAY="$display" xdotool search --onlyvisible --name '^Ringtafel-Programm$' 2>/dev/null | head -n 1) || true
      [[ -n $found ]] && break
      kill -0 "$pid_run" 2>/dev/null || break
      sleep 1
    done
    local status=0
    if [[ -n $found ]]; then
      echo "main window $found: $(DISPLAY="$display" xdotool getwindowgeometry "$found" | tr '\n' ' ')"
      sleep 1
      DISPLAY="$display" import -window root "$logs/make-run.png" && echo "screenshot: $logs/make-run.png"
    else
      echo "no window 'Ringtafel-Programm' appeared"
      kill -0 "$pid_run" 2>/dev/null || echo "make run ended before"
      status=1
    fi
    kill -TERM -- "-$pid_run" 2>/dev/null || true
    wait "$pid_run" 2>/dev/null || true
    kill -TERM "$pid_x" 2>/dev/null || true
    wait "$pid_x" 2>/dev/null || true
    return "$status"
  }
  others() {   # every process of the root still running, but this shell
    local p cmd
    for p in "$root"/proc/[0-9]*; do
      p=${p##*/}
      ((p == 1 || p == BASHPID)) && continue
      [[ -r $root/proc/$p/cmdline ]] || continue
      cmd=$(tr '\0' ' ' <"$root/proc/$p/cmdline")
      [[ -z $cmd ]] || echo "$p $cmd"
    done
  }
  leftovers() {
    # Without a session bus the game's toolkit has dbus-launch start one,
    # which ends a few seconds after its X server; wait that long.
    local waited left
    for ((waited = 0; waited < 20; waited++)); do
      left=$(others)
      [[ -z $left ]] && return 0
      sleep 0.5
    done
    echo "left running:"
    echo "$left"
    return 1
  }

  installed() {   # NAME...: those of the names that are installed
    { chroot "$root" dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "$@" 2>/dev/null || true; } \
      | awk '$1 == "ii" {print $2}'
  }
  package_total() {   # the number of installed packages and their size in kB
    chroot "$root" dpkg-query -W -f='${db:Status-Abbrev} ${Installed-Size}\n' \
      | awk '$1 == "ii" {n++; kb += $2} END {print n, kb}'
  }
  added_since() {   # COMMAND COUNT KB: what COMMAND added to the root's packages
    local count kb
    read -r count kb < <(package_total)
    printf '%-22s %5s    %d packages, %d MB installed\n' "  added by $1" "" \
      $((count - $2)) $(((kb - $3) / 1024))
  }
  test_group() {   # the packages only the tests need
    awk '!/^[[:space:]]*(#|$)/ && $2 == "test" {print $1}' "$root/root/ringtafel/scripts/packages.txt"
  }
  no_test_packages() {   # none of the tests' own packages, but as a dependency of the game's
    local pkg found=() pulled=() manual
    manual=" $(chroot "$root" apt-mark showmanual | tr '\n' ' ') "
    for pkg in $(installed $(test_group)); do
      grep -qx -- "$pkg" "$logs/before-make-run" && continue
      if [[ $manual == *" $pkg "* ]]; then found+=("$pkg"); else pulled+=("$pkg"); fi
    done
    ((${#pulled[@]} == 0)) || echo "pulled in by the game's own packages: ${pulled[*]}"
    ((${#found[@]} == 0)) || { echo "make run installed packages of the tests: ${found[*]}"; return 1; }
    echo "make run installed none of the tests' packages for themselves"
  }

  failed=0
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  run_step newcomer-packages newcomer || exit 1
  read -r base_count base_kb < <(package_total)
  if [[ $mode == player ]]; then
    # The player's command alone, on a root that has never seen the tests.
    installed $(test_group) >"$logs/before-make-run"
    run_step make-run show_main_window || failed=1
    added_since "make run" "$base_count" "$base_kb"
    run_step no-test-packages no_test_packages || failed=1
    run_step nothing-left-running leftovers || failed=1
    exit "$failed"
  fi
  keep_desktop_output() {   # the failing desktop tests' screenshots and game output
    local dir build
    for dir in "$root"/root/ringtafel/build*/tests/desktop/real-pointer; do
      [[ -d $dir ]] || continue
      build=${dir#"$root"/root/ringtafel/}
      cp -a "$dir" "$logs/${build%%/*}-real-pointer" && echo "kept: $logs/${build%%/*}-real-pointer"
    done
  }
  run_step make-test timed in_root make test || { failed=1; keep_desktop_output; }
  added_since "make test" "$base_count" "$base_kb"
  # make test installs the packages first, then configures the first build.
  first_cmake=$(grep -m 1 -E '^[0-9]+ cmake ' "$logs/make-test.log" | cut -d' ' -f1) || true
  [[ -z $first_cmake ]] || printf '%-22s %5d s  (part of make-test)\n' "  package-install" \
    $((first_cmake - $(head -n 1 "$logs/make-test.log" | cut -d' ' -f1)))
  # make run stands on its own, also after a failed test.
  run_step make-run show_main_window || failed=1
  run_step nothing-left-running leftovers || failed=1
  exit "$failed"
fi

[[ ($# -eq 1 || ($# -eq 2 && $2 =~ ^(player|full)$)) && $1 != -* ]] || usage
suite=$1
modes=${2:-player full}
if [[ $(id -u) -ne 0 ]]; then
  exec sudo "$0" "$@"
fi
# The root is made by debootstrap; the main window is looked for with the
# host's X server and tools.
host_tools=()
for tool in debootstrap:debootstrap Xvfb:xvfb xdotool:xdotool import:imagemagick; do
  command -v "${tool%%:*}" >/dev/null || host_tools+=("${tool#*:}")
done
((${#host_tools[@]} == 0)) || apt-get install -y -qq --no-install-recommends "${host_tools[@]}"
for tool in debootstrap unshare chroot git Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "fresh-debian: needs $tool" >&2; exit 2; }
done

repo=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$repo" rev-parse HEAD)
cache=${RINGTAFEL_FRESH_CACHE:-/var/cache/ringtafel-fresh-debian}
mirror=${RINGTAFEL_FRESH_MIRROR:-http://deb.debian.org/debian}
pristine="$cache/$suite"
stamp=$(date -u +%Y%m%dT%H%M%SZ)
logs="$cache/logs/$suite-$stamp"
work=""   # the copy being checked
mkdir -p "$cache/archives/$suite/partial" "$logs" "$cache/work"

echo "== fresh Debian $suite, commit $(git -C "$repo" log -1 --format='%h %s' "$commit")"
[[ -z $(git -C "$repo" status --porcelain --untracked-files=no) ]] \
  || echo "note: uncommitted changes are not part of the check"
total_start=$SECONDS

in_work() {   # the processes whose root is the copy
  local p
  for p in /proc/[0-9]*; do
    [[ $(readlink "$p/root" 2>/dev/null) == "$work"* ]] && echo "${p#/proc/}"
  done
  return 0
}
cleanup() {
  # The namespace ends with its first process, and takes the others and its
  # mounts with it; wait for that, and never remove across a mount.
  local waited
  [[ -n $work && -e $work ]] || return 0
  for ((waited = 0; waited < 30; waited++)); do
    [[ -z $(in_work) ]] && break
    sleep 1
  done
  [[ -z $(in_work) ]] || echo "fresh-debian: still running in $work: $(in_work)" >&2
  if [[ -n ${RINGTAFEL_FRESH_KEEP:-} ]]; then
    echo "kept the root: $work"
  elif grep -qF " $work/" /proc/self/mountinfo; then
    echo "fresh-debian: something is still mounted under $work; left in place" >&2
  else
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP   # until the namespace runs

start=$SECONDS
(
  flock 9
  if [[ ! -d $pristine ]]; then
    rm -rf --one-file-system "$pristine.tmp"
    debootstrap --variant=minbase "$suite" "$pristine.tmp" "$mirror" >"$logs/debootstrap.log" 2>&1 \
      || { echo "debootstrap failed; see $logs/debootstrap.log"; tail -n 20 "$logs/debootstrap.log"; exit 1; }
    mv "$pristine.tmp" "$pristine"
  fi
) 9>"$cache/$suite.lock"
printf '%-22s %5d s  ok (%s)\n' debootstrap-or-cache $((SECONDS - start)) "$pristine"
status=0
for mode in $modes; do
  start=$SECONDS
  work="$cache/work/$suite.$$.$mode"
  cp -a "$pristine" "$work"
  # A moving suite's index may carry a Valid-Until date already past; the
  # check only installs from it, and only inside this copy.
  echo 'Acquire::Check-Valid-Until "false";' >"$work/etc/apt/apt.conf.d/99fresh-debian"
  git clone --quiet --no-hardlinks "$repo" "$work/root/ringtafel"
  git -C "$work/root/ringtafel" checkout --quiet --detach "$commit"
  printf '%-22s %5d s  ok\n' "copy-and-clone ($mode)" $((SECONDS - start))
  mkdir -p "$logs/$mode"
  unshare --mount --pid --fork --kill-child -- "$0" --inside "$work" "$logs/$mode" "$cache/archives/$suite" "$mode" &
  inside=$!
  # An interrupted run ends the namespace, and with it all it started and
  # mounted; unshare ignores INT and TERM while it waits, so it gets KILL.
  trap 'kill -KILL "$inside" 2>/dev/null; wait "$inside"; exit 130' INT TERM HUP
  wait "$inside" || status=1
  trap 'exit 130' INT TERM HUP
  cleanup
done
echo "total                  $((SECONDS - total_start)) s; logs in $logs"
if ((status != 0)); then
  echo "FAILED: fresh Debian $suite (see above)"
  exit 1
fi
echo "passed: fresh Debian $suite"
