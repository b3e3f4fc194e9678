#!/usr/bin/env bash
# The one-minute loop, for changing the scoring or the handlers: builds and
# runs the pure tests alone (no window, server or browser) in build/. A tree
# set up only to play gets the pure tests added, which need nothing more
# than playing does. Arguments go to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if ! grep -qs '^BUILD_TESTING:BOOL=ON$' "$root/build/CMakeCache.txt"; then
    "$root/scripts/deps.sh" run
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DMINUKAPE_TESTS=unit
fi
cmake --build "$root/build" --target unit_tests --parallel "$(nproc)"
ctest --test-dir "$root/build" -L unit --output-on-failure "$@"
