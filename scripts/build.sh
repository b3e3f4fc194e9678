#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/.
#   build.sh run    the program alone
#   build.sh test   the program, its tests and its benchmarks
# Playing never takes the tests out of a tree that has them: "run" keeps the
# tree's own choice and builds the program's target alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:?usage: build.sh run|test}
"$root/scripts/deps.sh" "$what"
if [ "$what" = test ]; then
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DMINUKAPE_TESTS=all
    cmake --build "$root/build" --parallel "$(nproc)"
else
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$root/build" --target minukape --parallel "$(nproc)"
fi
