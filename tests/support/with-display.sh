#!/bin/sh
# Runs a display test with DISPLAY set to the display that its fixture's server took:
#   with-display.sh <state folder>/display <command...>
# Without the file (a test listing before the fixture ran) DISPLAY stays empty.
file=$1
shift
DISPLAY=
[ -r "$file" ] && DISPLAY=$(cat "$file")
export DISPLAY
exec "$@"
