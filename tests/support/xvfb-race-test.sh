#!/usr/bin/env bash
# The display fixture started twice at the same moment, many times, each time on a /tmp with no
# X socket folder yet (as on a fresh machine): every server must come up on a display of its
# own and go when stopped. Runs in mount and network namespaces of its own (a private /tmp,
# private abstract sockets), so it neither sees nor disturbs any other server; without the
# rights for them it is skipped.
#   xvfb-race-test.sh [rounds]
set -u
here=$(cd "$(dirname "$0")" && pwd)
rounds=${1:-15}

if [ -z "${QW_XVFB_RACE_INSIDE:-}" ]; then
  if ! unshare -mn true 2>/dev/null; then
    echo "cannot make mount and network namespaces here (needs root): skipped"
    exit 77
  fi
  exec env QW_XVFB_RACE_INSIDE=1 unshare -mn bash "$0" "$rounds"
fi

# The fixture is held in memory: the private /tmp hides a checkout that lies under /tmp.
fixture=$(cat "$here/xvfb.sh") || exit 1
xvfb() { bash -c "$fixture" xvfb.sh "$@"; }

stop_both() {
  xvfb stop /tmp/a
  xvfb stop /tmp/b
}

failed=0
for round in $(seq 1 "$rounds"); do
  mount -t tmpfs qw-xvfb-race /tmp || exit 1
  trap 'stop_both; umount -l /tmp' EXIT
  xvfb start /tmp/a & pa=$!
  xvfb start /tmp/b & pb=$!
  wait "$pa"; ra=$?
  wait "$pb"; rb=$?
  da=$(cat /tmp/a/display 2>/dev/null)
  db=$(cat /tmp/b/display 2>/dev/null)
  pids="$(cat /tmp/a/pid 2>/dev/null) $(cat /tmp/b/pid 2>/dev/null)"
  if [ "$ra" != 0 ] || [ "$rb" != 0 ] || [ -z "$da" ] || [ -z "$db" ] || [ "$da" = "$db" ] ||
     [ ! -S "/tmp/.X11-unix/X${da#:}" ] || [ ! -S "/tmp/.X11-unix/X${db#:}" ]; then
    echo "round $round: start exit codes $ra and $rb, displays '$da' and '$db'"
    cat /tmp/a/xvfb.log /tmp/b/xvfb.log 2>/dev/null
    failed=1
  fi
  stop_both
  for pid in $pids; do
    state=$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null)
    if [ -n "$state" ] && [ "${state%% *}" != Z ]; then
      echo "round $round: server $pid still runs after stop"
      failed=1
    fi
  done
  trap - EXIT
  umount -l /tmp
  [ "$failed" = 0 ] || exit 1
done
echo "$rounds rounds: every server came up on a display of its own and stopped"
