#!/usr/bin/env bash
# The display fixture started twice at the same moment on a /tmp with no X socket folder yet (as
# on a fresh machine), a few rounds: every server must come up on a display of its own and go
# when stopped. Each round runs in mount, network and pid namespaces of its own: a private /tmp
# and private abstract sockets, so that it neither sees nor disturbs any other server and the
# rounds can go side by side; and whatever the round leaves running is ended with it, when the
# test fails or is killed too. Without the rights for them it is skipped.
#   xvfb-race-test.sh [rounds]
set -u
here=$(cd "$(dirname "$0")" && pwd)
rounds=${1:-4}
namespaces=(unshare -mnpf --mount-proc --kill-child)

if [ -n "${QW_XVFB_RACE_ROUND:-}" ]; then
  # One round, as the first process of its pid namespace: the kernel ends every other process
  # in it when this one ends.
  round=$QW_XVFB_RACE_ROUND
  # The fixture is held in memory: the private /tmp hides a checkout that lies under /tmp.
  fixture=$(cat "$here/xvfb.sh") || exit 1
  xvfb() { bash -c "$fixture" xvfb.sh "$@"; }
  mount -t tmpfs qw-xvfb-race /tmp || exit 1
  xvfb start /tmp/a & pa=$!
  xvfb start /tmp/b & pb=$!
  wait "$pa"; ra=$?
  wait "$pb"; rb=$?
  da=$(cat /tmp/a/display 2>/dev/null)
  db=$(cat /tmp/b/display 2>/dev/null)
  pids="$(cat /tmp/a/pid 2>/dev/null) $(cat /tmp/b/pid 2>/dev/null)"
  failed=0
  if [ "$ra" != 0 ] || [ "$rb" != 0 ] || [ -z "$da" ] || [ -z "$db" ] || [ "$da" = "$db" ] ||
     [ ! -S "/tmp/.X11-unix/X${da#:}" ] || [ ! -S "/tmp/.X11-unix/X${db#:}" ]; then
    echo "round $round: start exit codes $ra and $rb, displays '$da' and '$db'"
    cat /tmp/a/xvfb.log /tmp/b/xvfb.log 2>/dev/null
    failed=1
  fi
  xvfb stop /tmp/a & sa=$!
  xvfb stop /tmp/b & sb=$!
  wait "$sa" "$sb"
  for pid in $pids; do
    state=$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null)
    if [ -n "$state" ] && [ "${state%% *}" != Z ]; then
      echo "round $round: server $pid still runs after stop"
      failed=1
    fi
  done
  exit "$failed"
fi

if ! "${namespaces[@]}" true 2>/dev/null; then
  echo "cannot make mount, network and pid namespaces here (needs root): skipped"
  exit 77
fi

# A round ends with its unshare (--kill-child). This script ends its rounds when it is stopped;
# whoever kills it outright ends them too, as CTest ends a test's whole process tree.
children=()
trap 'kill -KILL "${children[@]}" 2>/dev/null' EXIT
trap 'exit 1' INT TERM HUP
for round in $(seq 1 "$rounds"); do
  QW_XVFB_RACE_ROUND=$round "${namespaces[@]}" bash "$0" &
  children+=($!)
done
failed=0
for child in "${children[@]}"; do wait "$child" || failed=1; done
[ "$failed" = 0 ] || exit 1
echo "$rounds rounds: every server came up on a display of its own and stopped"
