#!/usr/bin/env bash
# Takes the README's pictures from the real program: PNG screenshots of the title, the controls,
# the overworld and a battle in docs/, and docs/play.gif, a few seconds of play.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
if ! command -v convert >/dev/null || ! convert -version 2>/dev/null | grep -q ImageMagick; then
    as_root=()
    [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends imagemagick
fi
"$root/scripts/build.sh" default

pictures="$root/docs"
frames="$pictures/frames"
rm -rf "$frames"
mkdir -p "$frames"

run() {
    LUMORA_PICTURES="$pictures" "$root/build/default/tests/lumora_play_tests" \
        --gtest_filter='Pictures.*' --gtest_also_run_disabled_tests
}
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" bash -c "$(declare -f run); pictures='$pictures' root='$root' run"
else
    run
fi

# Five frames a second, each kept as the difference to the one before.
convert -delay 20 -loop 0 "$frames"/frame-*.png -layers Optimize "$pictures/play.gif"
rm -rf "$frames"
ls -l "$pictures"
