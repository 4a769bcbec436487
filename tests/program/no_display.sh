#!/usr/bin/env bash
# Starts the program where no display is available. It must say so on standard error and in its
# log, and exit with status 1 rather than abort.
set -uo pipefail

program="$1"
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
cd "$folder"

env -u DISPLAY ALSOFT_DRIVERS=null "$program" >stdout.txt 2>stderr.txt
status=$?

fail() {
    echo "FAIL: $*"
    echo "--- standard error:"; cat stderr.txt
    echo "--- log:"; cat lumora.log 2>/dev/null
    exit 1
}

[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
grep -q "no display is available" stderr.txt || fail "no message on standard error"
grep -qx "DisplayManager: Error! No display available: cannot open the window." lumora.log ||
    fail "no message in the log"
echo "exit status 1 with a clear message, as expected"
