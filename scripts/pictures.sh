#!/usr/bin/env bash
# Takes the README's pictures from the real program: PNG screenshots of the title, the controls,
# the overworld and a battle in docs/, and docs/play.gif, a few seconds of play. The game runs in
# a scratch copy of its data, with its rand() scripted so that a wizard comes when asked.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" imagemagick  # screenshots and the GIF
"$root/scripts/build.sh" default
. "$root/scripts/virtual-display.sh"
start_virtual_display -noreset

pictures="$root/docs"
work="$(mktemp -d)"
trap 'kill "$game" ${xvfb_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$root/sprites" "$root/sounds" "$root/lm-font.ttf" "$work"
mkdir "$work/frames"
echo 0 >"$work/rand.txt"

cd "$work"
LD_PRELOAD="$root/build/default/tests/liblumora_scripted_rand.so" \
    LUMORA_RAND_FILE="$work/rand.txt" ALSOFT_DRIVERS=null "$root/build/default/lumora" &
game=$!
window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Lumora$' | head -n 1)"
xdotool windowfocus --sync "$window"
sleep 1

# The part of the window the game draws on: 60 x 40 cells of 9 x 17 pixels.
save() { import -window "$window" -crop 540x680+0+0 +repage "$1"; }
press() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}
frames=0
film() {  # a frame every 150 ms for this many frames
    for _ in $(seq "$1"); do
        save "$(printf 'frames/frame-%03d.png' "$frames")"
        frames=$((frames + 1))
        sleep 0.15
    done
}

save "$pictures/title.png"
press c 0.01
sleep 0.3
save "$pictures/controls.png"
press x 0.01
film 6
press space 0.15
film 3
save "$pictures/overworld.png"
press s 0.35
film 2
press d 0.35
film 2
echo "1 7 0" | tr ' ' '\n' >"$work/rand.new" && mv "$work/rand.new" "$work/rand.txt"  # a wizard
film 4
save "$pictures/battle.png"
for _ in 1 2; do
    press a 0.06
    film 12
done
press q 0.15
wait "$game" || true

# Five frames a second, each kept as the difference to the one before.
convert -delay 20 -loop 0 frames/frame-*.png -layers Optimize "$pictures/play.gif"
ls -l "$pictures"
