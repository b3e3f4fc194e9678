#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/.
#   build.sh run    the program alone
#   build.sh test   the program and its tests
#   build.sh bench  the program, its tests and its benchmarks (bench/run.sh)
# Playing never takes the tests out of a tree that has them: "run" keeps the
# tree's own choice and builds the program's target alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:?usage: build.sh run|test|bench}
# The benchmarks need what the tests need; the test command builds no benchmark, which it never runs.
"$root/scripts/deps.sh" "${what/bench/test}"
if [ "$what" != run ]; then
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DMINUKAPE_TESTS=all \
          -DMINUKAPE_BENCH=$([ "$what" = bench ] && echo ON || echo OFF)
    cmake --build "$root/build" --parallel "$(nproc)"
else
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$root/build" --target minukape --parallel "$(nproc)"
fi
