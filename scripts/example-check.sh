#!/usr/bin/env bash
# Builds the engine, installs it (the component "engine": library, headers, CMake package) into a
# scratch prefix, and checks it the way another project would use it: every installed header
# compiles on its own, find_package refuses an incompatible version, and examples/lantern builds
# against the installed engine alone and runs under a display: its window shows the lantern, the
# right arrow moves it, Escape ends it with status 0. Starts a virtual display when there is none.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/default"
work="$(mktemp -d)"
prefix="$work/prefix"
lantern_pid=""
xvfb_pid=""

cleanup() {
    if [ -n "$lantern_pid" ]; then kill "$lantern_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

say() { echo "example-check: $*"; }
fail() {
    echo "example-check: FAILED: $*" >&2
    if [ -s "$work/lantern-output.txt" ]; then
        echo "example-check: the lantern's output:" >&2
        tail -n 20 "$work/lantern-output.txt" >&2
    fi
    exit 1
}

werror=()
if [ "${LUMORA_WERROR:-OFF}" = ON ]; then werror=(-Werror); fi

# 1. Build the engine and install it, and only it, into the scratch prefix.
"$root/scripts/setup.sh" fonts-league-mono  # the lantern's cell font
"$root/scripts/build.sh" default lumora_engine
cmake --install "$build" --prefix "$prefix" --component engine >"$work/install.txt"
for file in lib/liblumora_engine.a lib/cmake/Lumora/LumoraConfig.cmake \
    lib/cmake/Lumora/LumoraConfigVersion.cmake lib/cmake/Lumora/LumoraTargets.cmake; do
    [ -f "$prefix/$file" ] || fail "the engine's installation has no $file"
done
headers=("$prefix"/include/lumora/*.h)
sources=("$root"/engine/*.h)
((${#headers[@]} == ${#sources[@]})) ||
    fail "${#headers[@]} headers installed in include/lumora, the engine has ${#sources[@]}"
[ -z "$(find "$prefix" -path "$prefix/include" -prune -o -path "$prefix/lib" -prune -o -print |
    grep -vx "$prefix")" ] || fail "the engine installed files outside include/ and lib/"
say "installed the engine into $prefix: library, ${#headers[@]} headers, CMake package"

# 2. Each header on its own: a file that includes only it compiles, warnings as errors.
for header in "${headers[@]}"; do
    name="lumora/$(basename "$header")"
    printf '#include <%s>\n#include <%s>\n' "$name" "$name" |
        g++ -std=c++17 -Wall -Wextra -Wpedantic -Werror -fsyntax-only -I"$prefix/include" \
            -x c++ - 2>"$work/header.txt" ||
        { cat "$work/header.txt" >&2; fail "<$name> does not compile on its own"; }
done
say "every installed header compiles on its own (included twice)"

# 3. The version check: asking for a later major version fails; for the installed one, passes.
mkdir "$work/version"
for wanted in "$(sed -n 's/^#define LM_VERSION_MAJOR //p' "$root/engine/Version.h")" 99; do
    printf 'cmake_minimum_required(VERSION 3.25)\nproject(V LANGUAGES CXX)\n%s\n' \
        "find_package(Lumora $wanted REQUIRED)" >"$work/version/CMakeLists.txt"
    status=0
    cmake -S "$work/version" -B "$work/version/build-$wanted" -DCMAKE_PREFIX_PATH="$prefix" \
        >"$work/version.txt" 2>&1 || status=$?
    if [ "$wanted" = 99 ]; then
        ((status != 0)) || fail "find_package(Lumora 99) accepted the installed engine"
    else
        ((status == 0)) || { cat "$work/version.txt" >&2; fail "find_package(Lumora $wanted) failed"; }
    fi
done
say "find_package(Lumora) takes the installed major version and refuses version 99"

# 4. The lantern, built against the installed engine only.
cmake -S "$root/examples/lantern" -B "$work/lantern" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_FLAGS="${werror[*]}" >"$work/configure.txt" 2>&1 ||
    { cat "$work/configure.txt" >&2; fail "the lantern does not configure against $prefix"; }
cmake --build "$work/lantern" -j "$(nproc)" >"$work/build.txt" 2>&1 ||
    { cat "$work/build.txt" >&2; fail "the lantern does not build against $prefix"; }
grep -q "$prefix/include" "$work/lantern/build.ninja" ||
    fail "the lantern was not compiled with the installed headers"
say "built examples/lantern against the installed engine"

# Counts a window's pixels that are not black, and gives the leftmost column of its yellow ones,
# from its xwd dump: 32-bit pixels whose low 24 bits hold the colour.
look_at() {
    xwd -id "$1" -silent >"$work/window.xwd"
    local -a header
    read -r -a header < <(od -An -N 80 -v --endian=big -tu4 -w80 "$work/window.xwd")
    local header_size=${header[0]} width=${header[4]} byte_order=${header[7]} bits=${header[11]}
    local colours=${header[19]}
    ((bits == 32)) || fail "the window's dump has $bits-bit pixels; this check reads 32-bit ones"
    local endian=little
    if ((byte_order == 1)); then endian=big; fi
    tail -c +$((header_size + 12 * colours + 1)) "$work/window.xwd" |
        od -An -v --endian="$endian" -tx4 -w4 |
        awk -v width="$width" '
            !/000000$/ { lit++ }
            /ffff00$/ { column = (NR - 1) % width; if (left == "" || column < left) left = column }
            END { print lit + 0, (left == "" ? -1 : left) }'
}

# The README's code from the example is in the example's files as printed: each block under a line
# "<!-- from FILE -->" must appear in FILE word for word.
mkdir "$work/readme"
awk -v out="$work/readme" '
    /^<!-- from .* -->$/ { name = $3; next }
    name != "" && /^```/ && !inside { inside = 1; count++; print name >(out "/" count ".name"); next }
    inside && /^```$/ { inside = 0; name = ""; next }
    inside { print >(out "/" count ".block") }
' "$root/README.md"
quoted=0
for name_file in "$work/readme"/*.name; do
    [ -e "$name_file" ] || break
    source_file="$root/$(cat "$name_file")"
    block="$(cat "${name_file%.name}.block")"
    [ -f "$source_file" ] || fail "the README quotes $(cat "$name_file"), which does not exist"
    [[ "$(cat "$source_file")" == *"$block"* ]] ||
        fail "the README's block from $(cat "$name_file") is not in that file as printed"
    quoted=$((quoted + 1))
done
((quoted >= 3)) || fail "the README quotes $quoted blocks from examples/lantern, expected 3 or more"
say "the README's $quoted blocks from examples/lantern are in those files as printed"

# 5. A display: the one there is, or a virtual one started as scripts/test.sh does.
# shellcheck source=scripts/virtual-display.sh
source "$root/scripts/virtual-display.sh"
start_virtual_display -noreset || fail "the virtual display (Xvfb) did not start"
if [ -n "$xvfb_pid" ]; then
    say "virtual display $DISPLAY"
fi

# 6. Run it in its build folder, which holds its sprite and font, with no sound device.
(cd "$work/lantern" && exec env ALSOFT_DRIVERS=null ./lantern) >"$work/lantern-output.txt" 2>&1 &
lantern_pid=$!
log="$work/lantern/lumora.log"
window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Lumora$' | head -n 1)" ||
    fail "no visible window titled Lumora appeared (waited up to 20 s)"
for _ in $(seq 100); do
    grep -qx 'Lantern: first frame shown' "$log" 2>/dev/null && break
    sleep 0.1
done
grep -qx 'Lantern: first frame shown' "$log" 2>/dev/null ||
    fail "the lantern's log $log never says 'Lantern: first frame shown'"
sleep 0.5
read -r lit left < <(look_at "$window")
((lit > 500 && left >= 0)) ||
    fail "the window does not show the lantern: $lit lit pixels, no yellow ones ($left)"
say "window $window shows its first frame: $lit lit pixels, the lantern's left edge at x = $left"

xdotool keydown Right
sleep 0.5
xdotool keyup Right
sleep 0.3
read -r lit_after left_after < <(look_at "$window")
((left_after > left)) ||
    fail "the right arrow did not move the lantern: its left edge went from $left to $left_after"
say "the right arrow moved the lantern from x = $left to x = $left_after"

# Keys count while held at a pass of the loop: hold it for a few passes.
xdotool keydown Escape
sleep 0.2
xdotool keyup Escape
for _ in $(seq 100); do
    kill -0 "$lantern_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$lantern_pid" 2>/dev/null; then fail "the lantern is still running 10 s after Escape"; fi
status=0
wait "$lantern_pid" || status=$?
lantern_pid=""
((status == 0)) || fail "the lantern ended with status $status after Escape"
grep -qx 'GameManager: run ended' "$log" || fail "the lantern's log has no 'GameManager: run ended'"
say "Escape ended the lantern with status 0; its log: $(grep -c '' "$log") lines"
say "passed"
