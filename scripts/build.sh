#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/.
#   build.sh run    the program alone
#   build.sh test   the program, its tests and its benchmarks
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:?usage: build.sh run|test}
"$root/scripts/deps.sh" "$what"
tests=OFF
[ "$what" = test ] && tests=ON
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=$tests
cmake --build "$root/build" --parallel "$(nproc)"
