#!/usr/bin/env bash
# Builds the program and opens its window from the repository root, where
# its sounds are found in Sound/. A machine with no desktop gets the program
# built and a word on what it can do instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" run
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "minukape: the window needs a desktop (no DISPLAY or WAYLAND_DISPLAY here); scripts/run-web.sh serves the game as a web page instead" >&2
    exit 1
fi
cd "$root"
exec ./build/minukape "$@"
