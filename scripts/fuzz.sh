#!/usr/bin/env bash
# Installs clang where missing, builds the scoring fuzzer with it and runs it:
#   scripts/fuzz.sh [SECONDS]
# (default 60). Fails on the first input that breaks a property.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$root/scripts/deps.sh" fuzz
CXX=clang++ cmake -S "$root/tests/fuzz" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-fuzz" --parallel "$(nproc)"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
"$root/build-fuzz/fuzz_scoring" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$root/build-fuzz/" "$corpus"
