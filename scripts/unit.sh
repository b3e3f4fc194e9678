#!/usr/bin/env bash
# The one-minute loop, for changing the scoring or the handlers: builds and
# runs the pure tests alone (no window, server or browser) in build/.
# Expects a tree configured with tests, as scripts/test.sh leaves it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$root/build" --target unit_tests --parallel "$(nproc)"
ctest --test-dir "$root/build" -L unit --output-on-failure "$@"
