#!/usr/bin/env bash
# Installs what is missing, then configures and builds one CMake preset (default: "default").
# LUMORA_WERROR=ON in the environment turns compiler warnings into errors.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="${1:-default}"

"$root/scripts/setup.sh"
cd "$root"
configure=(--preset "$preset")
if [ -n "${LUMORA_WERROR:-}" ]; then
    configure+=("-DLUMORA_WERROR=$LUMORA_WERROR")
fi
cmake "${configure[@]}" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
