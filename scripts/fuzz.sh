#!/usr/bin/env bash
# Fuzzes the sprite loader for a bounded time: installs what is missing, builds the libFuzzer
# target of fuzz/ with clang into build/fuzz, and runs it over a copy of the seed corpus
# fuzz/corpus/sprite (the repository's copy stays as it is). Fails on any crash, sanitizer report,
# leak, timeout or running out of memory; the failing input is then left in build/fuzz/findings/.
# libFuzzer's output goes to a file in /tmp (or $TMPDIR), named at the start.
#   ./scripts/fuzz.sh [seconds]     (default 60)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [seconds]" >&2
    exit 2
fi

# The project's packages and the fuzzer's own: clang and its runtime libraries (libFuzzer).
"$root/scripts/setup.sh" clang libclang-rt-14-dev

build="$root/build/fuzz"
cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$(nproc)"

# The fuzzer adds what it finds to its working corpus: a fresh copy each run.
corpus="$build/corpus"
findings="$build/findings"
rm -rf "$corpus" "$findings"
mkdir -p "$corpus" "$findings"
cp "$root/fuzz/corpus/sprite/"* "$corpus/"

export ALSOFT_DRIVERS=null  # the resource manager opens the sound device: no sound card needed
log="$(mktemp "${TMPDIR:-/tmp}/lumora-fuzz-XXXXXX.log")"  # libFuzzer's output, kept
echo "fuzz: fuzzing the sprite loader for $seconds s (output in $log)"
status=0
"$build/lumora_sprite_fuzzer" "$corpus" -artifact_prefix="$findings/" \
    -max_total_time="$seconds" -malloc_limit_mb=64 -rss_limit_mb=2048 -timeout=2 \
    -print_final_stats=1 >"$log" 2>&1 || status=$?

executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
if [ "$status" -ne 0 ] || [ -n "$(ls -A "$findings")" ]; then
    tail -n 40 "$log" >&2
    echo "fuzz: FAILED (status $status) after ${executions:-unknown} executions;" \
        "the input: $findings/$(ls "$findings" | head -n 1); the output: $log" >&2
    exit 1
fi
echo "fuzz: no findings in ${executions:-unknown} executions"
