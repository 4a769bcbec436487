#!/usr/bin/env bash
# Installs what is missing, then configures and builds one CMake preset (default: "default"):
# every target, or only those named after the preset (for instance "lumora", the game).
# LUMORA_WERROR=ON in the environment turns compiler warnings into errors.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="${1:-default}"
targets=()
if (($# > 1)); then
    targets=(--target "${@:2}")
fi

"$root/scripts/setup.sh"
cd "$root"
configure=(--preset "$preset")
if [ -n "${LUMORA_WERROR:-}" ]; then
    configure+=("-DLUMORA_WERROR=$LUMORA_WERROR")
fi
cmake "${configure[@]}" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}"
