#!/usr/bin/env bash
# Installs what is missing, builds the game (only the game: the tests and benchmarks are built by
# scripts/test.sh) and starts it in the repository's root folder, where its data lives. The log is
# written to lumora.log there.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/build.sh" default lumora
cd "$root"
status=0
./build/default/lumora || status=$?
echo "play: Lumora ended with status $status; its log is $root/lumora.log"
exit "$status"
