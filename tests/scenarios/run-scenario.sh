#!/bin/sh
# Plays one scenario file through kolvar-board and compares the transcript.
# In a scenario a line "> COMMAND" is sent to the driver, the lines after it
# are the exact answer expected; blank lines and lines starting with "#" are
# comments. The driver echoes each command, so a failure shows a diff of
# commands and answers together.
# Usage: run-scenario.sh KOLVAR_BOARD SCENARIO
set -u
board=$1
scenario=$2
work=$(mktemp -d) || exit 2
trap 'rm -rf "$work"' EXIT

awk '/^> /{ print "echo " $0; print substr($0, 3) }' "$scenario" >"$work/input"
awk '/^[ \t]*$/ || /^[ \t]*#/ { next } { sub(/[ \t\r]+$/, ""); print }' "$scenario" \
    >"$work/expected"
"$board" <"$work/input" >"$work/raw" 2>&1
status=$?
awk '{ sub(/[ \t\r]+$/, ""); print }' "$work/raw" >"$work/actual"

if [ "$status" -ne 0 ]; then
    echo "kolvar-board ended with status $status"
fi
if ! diff -a -u --label expected --label actual "$work/expected" "$work/actual"; then
    echo "scenario failed: $scenario"
    exit 1
fi
[ "$status" -eq 0 ]
