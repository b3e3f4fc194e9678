#!/usr/bin/env bash
# Builds the program and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure --timeout 600 "$@"
