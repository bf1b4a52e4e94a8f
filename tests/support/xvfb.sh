#!/usr/bin/env bash
# Starts or stops the Xvfb server that display tests share (a CTest fixture).
# Xvfb is detached completely, so ctest does not wait on its output pipe.
set -u
action=$1
display=$2
num=${display#:}
lock=/tmp/.X${num}-lock

case "$action" in
  start)
    log=${3:-/dev/null}
    if [ -e "$lock" ] && kill -0 "$(tr -d ' ' <"$lock")" 2>/dev/null; then
      exit 0  # already serving this display
    fi
    # A server of an earlier run that lost its lock file would hold the socket: end it.
    pkill -KILL -f "^Xvfb ${display} " 2>/dev/null
    rm -f "$lock" "/tmp/.X11-unix/X${num}"
    # -noreset: without it the server resets whenever its last client leaves, and a test that
    # connects during the reset fails (and settings such as pointer acceleration are lost).
    setsid Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >"$log" 2>&1 &
    for _ in $(seq 1 200); do
      [ -e "$lock" ] && [ -e "/tmp/.X11-unix/X${num}" ] && exit 0
      sleep 0.05
    done
    echo "Xvfb did not start on $display; see $log" >&2
    exit 1
    ;;
  stop)
    if [ -e "$lock" ]; then
      pid=$(tr -d ' ' <"$lock")
      kill "$pid" 2>/dev/null
      for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
      kill -KILL "$pid" 2>/dev/null
      rm -f "$lock"
    fi
    exit 0
    ;;
esac
echo "usage: xvfb.sh start|stop :N [log]" >&2
exit 2
