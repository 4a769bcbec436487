#!/usr/bin/env bash
# Installs what is missing, builds one CMake preset (default: "default") and runs the whole test
# suite. Starts a virtual display when there is none, and sends all sound to OpenAL Soft's silent
# output, so that window and audio tests run on a machine with neither screen nor sound card.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="${1:-default}"

"$root/scripts/build.sh" "$preset"

export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"

if [ -z "${DISPLAY:-}" ]; then
    display_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$display_file"' EXIT
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    if [ ! -s "$display_file" ]; then
        echo "test: the virtual display (Xvfb) did not start" >&2
        exit 1
    fi
    export DISPLAY=":$(head -n 1 "$display_file")"
    echo "test: virtual display $DISPLAY"
fi

cd "$root"
ctest --preset "$preset" -j "$(nproc)"
