#!/usr/bin/env bash
# Starts or stops the Xvfb server that display tests share (a CTest fixture).
#   xvfb.sh start <state folder>   writes <folder>/display (":N"), <folder>/pid and <folder>/xvfb.log
#   xvfb.sh stop <state folder>    ends the server recorded in <folder>/pid
# The server picks a free display number itself (-displayfd), so servers started at the same
# moment, by this build tree or any other, never take the same one. Xvfb is detached
# completely, so ctest does not wait on its output pipe.
set -u
action=${1:-}
dir=${2:-}
# Bounds that only a server that hangs reaches, however loaded the machine.
start_seconds=60
stop_seconds=10

# True while the process runs (a server that exited can stay a zombie until whoever adopted it
# reaps it).
alive() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null) || return 1
  [ "${state%% *}" != Z ]
}

is_xvfb() { [ "$(cat "/proc/$1/comm" 2>/dev/null)" = Xvfb ]; }

# The running Xvfb whose standard error is this folder's log: the server itself, whichever
# process started it (this Xvfb writes no lock file with -displayfd).
server_of_log() {
  local log candidate
  log=$(cd "$dir" && pwd)/xvfb.log
  for candidate in $(pgrep -x Xvfb); do
    if [ "$(readlink "/proc/$candidate/fd/2" 2>/dev/null)" = "$log" ] && alive "$candidate"; then
      echo "$candidate"
      return 0
    fi
  done
  return 1
}

# Waits up to the given seconds for the process to end.
ended_within() {
  local until=$((SECONDS + $2))
  while alive "$1"; do
    [ "$SECONDS" -lt "$until" ] || return 1
    sleep 0.02
  done
}

# Ends the server this folder recorded, only if that pid is still an Xvfb (not a reused pid).
stop_recorded() {
  local pid
  pid=$(cat "$dir/pid" 2>/dev/null) || pid=
  rm -f "$dir/pid" "$dir/display"
  [ -n "$pid" ] || return 0
  is_xvfb "$pid" || return 0
  kill "$pid" 2>/dev/null
  ended_within "$pid" "$stop_seconds" && return 0
  kill -KILL "$pid" 2>/dev/null
  ended_within "$pid" "$stop_seconds"
  return 0
}

[ -n "$dir" ] || action=usage
case "$action" in
  start)
    mkdir -p "$dir" || exit 1
    stop_recorded  # a server that an interrupted earlier run left behind
    : >"$dir/displayfd"  # made before the server, so reading it never races its creation
    # The socket folder is made before any server starts: two servers that both find it missing
    # race to make it, and the one that loses exits.
    mkdir -p /tmp/.X11-unix 2>/dev/null
    chmod 1777 /tmp/.X11-unix 2>/dev/null
    # -noreset: without it the server resets whenever its last client leaves, and a test that
    # connects during the reset fails (and settings such as pointer acceleration are lost).
    # Started from a subshell, which has no job control even when this shell has (set -m): a
    # job of its own would lead its process group, and setsid would then fork and exit at once.
    pid=$( (setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
      3>"$dir/displayfd" </dev/null >"$dir/xvfb.log" 2>&1 & echo $!) )
    echo "$pid" >"$dir/pid"
    # The server writes its display number, a line, once it accepts connections.
    until=$((SECONDS + start_seconds))
    while [ "$SECONDS" -lt "$until" ]; do
      if read -r num <"$dir/displayfd" && [ -n "$num" ]; then
        if server=$(server_of_log); then
          [ "$server" = "$pid" ] || echo "$server" >"$dir/pid"
          echo ":$num" >"$dir/display.new" && mv "$dir/display.new" "$dir/display"
          rm -f "$dir/displayfd"
          exit 0
        fi
        echo "Xvfb wrote display :$num, then no Xvfb was found writing to its log" >&2
        break
      fi
      if ! alive "$pid"; then
        # A setsid that forked after all: go on with the server it left, once its child is one.
        if found=$(server_of_log); then
          pid=$found
          echo "$pid" >"$dir/pid"
        elif [ -z "${gone_at:-}" ]; then
          gone_at=$SECONDS
        elif [ "$SECONDS" -gt $((gone_at + 2)) ]; then
          break
        fi
      fi
      sleep 0.05
    done
    echo "Xvfb did not start; its log ($dir/xvfb.log):" >&2
    cat "$dir/xvfb.log" >&2
    stop_recorded
    exit 1
    ;;
  stop)
    stop_recorded
    rm -f "$dir/displayfd"
    exit 0
    ;;
esac
echo "usage: xvfb.sh start|stop <state folder>" >&2
exit 2
