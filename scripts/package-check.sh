#!/usr/bin/env bash
# Builds the Debian package of Lumora, checks it with lintian (no error, no warning), validates its
# desktop entry and AppStream metadata, unpacks it into a scratch folder (no root needed) and plays
# the unpacked game once, from outside: started through its launcher from another folder with an
# empty home, it must show its window with the title screen, quit on Q with status 0 and leave its
# log in the per-user folder. Starts a virtual display when there is none.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/default"
work="$(mktemp -d)"
game_pid=""
xvfb_pid=""

cleanup() {
    if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

say() { echo "package-check: $*"; }
fail() {
    echo "package-check: FAILED: $*" >&2
    if [ -s "$work/game-output.txt" ]; then
        echo "package-check: the game's output:" >&2
        tail -n 20 "$work/game-output.txt" >&2
    fi
    exit 1
}

# Counts the pixels of a window that are not black, from its xwd dump: 32-bit pixels whose low
# 24 bits hold the colour. The dump's header tells the pixel size, the byte order and where the
# pixels start.
lit_pixels() {
    xwd -id "$1" -silent >"$work/window.xwd"
    local -a header
    read -r -a header < <(od -An -N 80 -v --endian=big -tu4 -w80 "$work/window.xwd")
    local header_size=${header[0]} byte_order=${header[7]} bits=${header[11]} colours=${header[19]}
    ((bits == 32)) || fail "the window's dump has $bits-bit pixels; this check reads 32-bit ones"
    local endian=little
    if ((byte_order == 1)); then endian=big; fi
    tail -c +$((header_size + 12 * colours + 1)) "$work/window.xwd" |
        od -An -v --endian="$endian" -tx4 -w4 | { grep -cv '000000$' || true; }
}

# 1. Build and package, with the package checkers and the font package the game links to.
"$root/scripts/setup.sh" lintian desktop-file-utils appstream fonts-league-mono
"$root/scripts/build.sh" default lumora lumora_docs  # what the package holds
rm -f "$build"/lumora_*.deb
if ! (cd "$build" && cpack -G DEB) >"$work/cpack.txt" 2>&1; then
    cat "$work/cpack.txt" >&2
    fail "cpack could not make the package"
fi
shopt -s nullglob
debs=("$build"/lumora_*.deb)
((${#debs[@]} == 1)) || fail "cpack made no package lumora_*.deb in $build"
deb="${debs[0]}"
say "package $(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version)," \
    "section $(dpkg-deb -f "$deb" Section)"
say "depends on: $(dpkg-deb -f "$deb" Depends)"

# 2. Lintian: no error and no warning (information and experimental tags are shown, not failed).
lintian_status=0
lintian --display-info "$deb" >"$work/lintian.txt" 2>&1 || lintian_status=$?
grep -v '^running with root privileges' "$work/lintian.txt" | sed 's/^/lintian: /' || true
if grep -q '^[EW]: ' "$work/lintian.txt" || ((lintian_status != 0)); then
    fail "lintian reports errors or warnings (status $lintian_status)"
fi
say "lintian: no errors, no warnings ($(grep -c '^[IXPO]: ' "$work/lintian.txt" || true) other notes)"

# 3. Unpack it and check what it holds: the launcher, the program, the data, the desktop's and
# the system's files, nothing else.
dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"
data="$usr/share/games/lumora"
[ -x "$usr/games/lumora" ] || fail "no launcher usr/games/lumora"
[ -x "$usr/lib/games/lumora/lumora" ] || fail "no program usr/lib/games/lumora/lumora"
for file in sprites sounds; do
    diff -r "$root/$file" "$data/$file" >/dev/null ||
        fail "usr/share/games/lumora/$file is missing or differs from the repository's $file"
done
expected=(
    usr/games/lumora
    usr/lib/games/lumora/lumora
    usr/share/applications/lumora.desktop
    usr/share/metainfo/org.example.lumora.metainfo.xml
    usr/share/man/man6/lumora.6.gz
    usr/share/doc/lumora/copyright
    usr/share/doc/lumora/changelog.gz
)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x$size/apps/lumora.png")
    file -b "$work/root/${expected[-1]}" | grep -q "^PNG image data, $size x $size," ||
        fail "${expected[-1]} is not a $size x $size PNG picture"
done
for file in "${expected[@]}"; do
    [ -f "$work/root/$file" ] || fail "the package has no $file"
done
extra="$(cd "$work/root" && find . -type f -printf '%P\n' | grep -v '^usr/share/games/lumora/' |
    grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)"
[ -z "$extra" ] || fail "the package holds files it should not: $extra"
zcat "$usr/share/doc/lumora/changelog.gz" | cmp -s - "$root/packaging/changelog" ||
    fail "usr/share/doc/lumora/changelog.gz is not packaging/changelog"
say "the package holds the launcher, the program, all its data, its menu entry, icons, metadata," \
    "manual page and documentation, nothing else"

# The font is a link to the one of fonts-league-mono, which must be the repository's font.
font_link="$(readlink "$data/lm-font.ttf")" || fail "usr/share/games/lumora/lm-font.ttf is no link"
font="$(readlink -m "/usr/share/games/lumora/$font_link")"
grep -qw fonts-league-mono <<<"$(dpkg-deb -f "$deb" Depends)" ||
    fail "the package does not depend on fonts-league-mono, which holds $font"
dpkg -S "$font" >/dev/null 2>&1 || fail "no installed package holds $font"
cmp -s "$font" "$root/lm-font.ttf" || fail "$font is not the repository's lm-font.ttf"
# Unpacked, the link points into the scratch folder: the font goes there as it would be installed.
mkdir -p "$work/root$(dirname "$font")"
ln -s "$font" "$work/root$font"
[ -f "$data/lm-font.ttf" ] || fail "usr/share/games/lumora/lm-font.ttf -> $font_link leads nowhere"
say "usr/share/games/lumora/lm-font.ttf links to $font (fonts-league-mono), the game's font"

# The desktop entry and the software-centre metadata are valid.
desktop-file-validate "$usr/share/applications/lumora.desktop" ||
    fail "desktop-file-validate rejects usr/share/applications/lumora.desktop"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/org.example.lumora.metainfo.xml" ||
    fail "appstreamcli rejects usr/share/metainfo/org.example.lumora.metainfo.xml"
say "the desktop entry and the AppStream metadata are valid"

# 4. A display: the one there is, or a virtual one started as scripts/test.sh does.
# shellcheck source=scripts/virtual-display.sh
source "$root/scripts/virtual-display.sh"
start_virtual_display -noreset || fail "the virtual display (Xvfb) did not start"
if [ -n "$xvfb_pid" ]; then
    say "virtual display $DISPLAY"
fi

# 5. Start the unpacked launcher from another folder, with an empty home and no sound device.
mkdir "$work/home" "$work/elsewhere"
state="$work/home/.local/state/lumora"
(cd "$work/elsewhere" &&
    exec env -u XDG_STATE_HOME HOME="$work/home" ALSOFT_DRIVERS=null "$usr/games/lumora") \
    >"$work/game-output.txt" 2>&1 &
game_pid=$!
say "started $usr/games/lumora from $work/elsewhere with HOME=$work/home"

window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Lumora$' | head -n 1)" ||
    fail "no visible window titled Lumora appeared (waited up to 20 s)"
say "window $window titled Lumora is visible"
for _ in $(seq 100); do
    [ -f "$state/lumora.log" ] && break
    sleep 0.1
done
[ -f "$state/lumora.log" ] || fail "no log $state/lumora.log"
sleep 2
kill -0 "$game_pid" 2>/dev/null || fail "the game ended on its own within 2 s of starting"
say "the game is running after 2 s, its log is $state/lumora.log"
lit="$(lit_pixels "$window")"
((lit > 1024 * 768 / 100)) || fail "the window is (nearly) black: $lit lit pixels, no title screen"
say "the window shows the title screen: $lit lit pixels"

# 6. Quit with Q: the launcher's process (the game itself, through exec) must end with status 0.
xdotool keydown q
sleep 0.2
xdotool keyup q
for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then fail "the game is still running 10 s after Q"; fi
status=0
wait "$game_pid" || status=$?
game_pid=""
((status == 0)) || fail "the game ended with status $status after Q"
say "the game quit on Q with status 0"

# 7. The log: in the per-user folder, complete, and nowhere else.
grep -qx 'GameManager: run ended' "$state/lumora.log" ||
    fail "the log $state/lumora.log has no line 'GameManager: run ended'"
if grep -q 'Cannot load the font' "$state/lumora.log"; then
    fail "the game could not load its font through the link: $(grep 'Cannot load' "$state/lumora.log")"
fi
[ ! -e "$work/elsewhere/lumora.log" ] || fail "the game wrote its log into the folder it started in"
[ ! -e "$data/lumora.log" ] || fail "the game wrote its log into the data folder"
say "the log is in the per-user folder and ends its run: 'GameManager: run ended'"
say "passed: $(basename "$deb")"
