#!/usr/bin/env bash
# Installs what is missing, builds one CMake preset (default: "default") and runs the whole test
# suite. Starts a virtual display when there is none, and sends all sound to OpenAL Soft's silent
# output, so that window and audio tests run on a machine with neither screen nor sound card.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="${1:-default}"

"$root/scripts/build.sh" "$preset"

export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"

# shellcheck source=scripts/virtual-display.sh
source "$root/scripts/virtual-display.sh"
trap 'if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi' EXIT
if ! start_virtual_display; then
    echo "test: the virtual display (Xvfb) did not start" >&2
    exit 1
fi
if [ -n "$xvfb_pid" ]; then
    echo "test: virtual display $DISPLAY"
fi

cd "$root"
ctest --preset "$preset" -j "$(nproc)"
