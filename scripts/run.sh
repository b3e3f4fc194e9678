#!/usr/bin/env bash
# Builds the program and opens its window from the repository root, where
# its sounds are found in Sound/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" run
cd "$root"
exec ./build/minukape "$@"
