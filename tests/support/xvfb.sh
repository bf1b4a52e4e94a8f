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

# True while the process runs (a server that exited can stay a zombie until whoever adopted it
# reaps it).
alive() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null) || return 1
  [ "${state%% *}" != Z ]
}

# Ends the server this folder recorded, only if that pid is still an Xvfb (not a reused pid).
stop_recorded() {
  local pid
  pid=$(cat "$dir/pid" 2>/dev/null) || pid=
  rm -f "$dir/pid" "$dir/display"
  [ -n "$pid" ] || return 0
  [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] || return 0
  kill "$pid" 2>/dev/null
  for _ in $(seq 1 100); do alive "$pid" || return 0; sleep 0.02; done
  kill -KILL "$pid" 2>/dev/null
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
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
      3>"$dir/displayfd" </dev/null >"$dir/xvfb.log" 2>&1 &
    pid=$!
    echo "$pid" >"$dir/pid"
    # The server writes its display number, a line, once it accepts connections.
    for _ in $(seq 1 400); do
      if read -r num <"$dir/displayfd" && [ -n "$num" ]; then
        echo ":$num" >"$dir/display.new" && mv "$dir/display.new" "$dir/display"
        rm -f "$dir/displayfd"
        exit 0
      fi
      alive "$pid" || break
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
