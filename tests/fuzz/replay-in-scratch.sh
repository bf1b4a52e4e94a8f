#!/bin/sh
# Replays a fuzz target in a scratch folder of its own, which is both TMPDIR and the working
# folder, and fails when the target leaves anything there:
#   replay-in-scratch.sh <scratch folder> <replay program> <inputs...>
scratch=$1
shift
rm -rf "$scratch" && mkdir -p "$scratch" || exit 1
cd "$scratch" || exit 1
TMPDIR=$scratch "$@"
code=$?
[ "$code" -eq 0 ] || exit "$code"
left=$(ls -A "$scratch")
if [ -n "$left" ]; then
  echo "left behind in $scratch:" $left
  exit 1
fi
