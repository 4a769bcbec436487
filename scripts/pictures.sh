#!/usr/bin/env bash
# Takes the README's pictures from the real program: PNG screenshots of the title, the controls,
# the overworld and a battle in docs/, and docs/play.gif, a few seconds of play.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" imagemagick  # for the GIF
"$root/scripts/build.sh" default

pictures="$root/docs"
frames="$pictures/frames"
rm -rf "$frames"
mkdir -p "$frames"

export LUMORA_PICTURES="$pictures"
play_tests=("$root/build/default/tests/lumora_play_tests" --gtest_filter='Pictures.*')
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" "${play_tests[@]}"
else
    "${play_tests[@]}"
fi

# Five frames a second, each kept as the difference to the one before.
convert -delay 20 -loop 0 "$frames"/frame-*.png -layers Optimize "$pictures/play.gif"
rm -rf "$frames"
ls -l "$pictures"
