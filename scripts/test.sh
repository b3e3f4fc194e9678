#!/usr/bin/env bash
# Builds the program and runs every test: the whole suite, the scoring
# fuzzer for a minute, and the whole suite again built with AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" test
(cd "$root/build" && ctest --output-on-failure --timeout 600 "$@")

"$root/scripts/fuzz.sh" 60

cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMINUKAPE_SANITIZE=ON -DBUILD_TESTING=ON
cmake --build "$root/build-sanitize" --parallel "$(nproc)"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$root/build-sanitize"
ctest --output-on-failure --timeout 600 "$@"
