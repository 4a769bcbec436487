#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Lumora need, when any is missing,
# and any further packages named as arguments (the fuzzer's compiler, the pictures' GIF maker).
set -euo pipefail

packages=(
    g++ cmake ninja-build       # compiler and build
    libsfml-dev                 # window, drawing, input, audio
    libopenal-dev               # asks the audio library whether it has a voice left
    libgtest-dev libgmock-dev   # tests
    libbenchmark-dev            # benchmarks
    libx11-dev libxtst-dev      # asks the X server for a display; real input events for tests
    xvfb xauth xdotool          # a virtual display and real key and mouse input for the tests
    dpkg-dev file x11-apps      # the Debian package (its dependencies) and its check (xwd)
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} > 0)); then
    as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        as_root=(sudo)
    fi
    echo "setup: installing ${missing[*]}"
    "${as_root[@]}" apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
