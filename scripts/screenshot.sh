#!/usr/bin/env bash
# Takes a screenshot of the program's window as it opens, on a private X
# server, for the README: scripts/screenshot.sh [OUTPUT.png] (default
# docs/window.png). Expects a build in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/window.png}

if [ -z "${MINUKAPE_IN_XVFB:-}" ]; then
    MINUKAPE_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$out"
fi

cd "$root"
QT_QPA_PLATFORM=xcb ./build/minukape &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name 'ミヌカペ' | head -n 1)
sleep 0.5 # the first paint follows the map
import -window "$window" "$out"
echo "wrote $out"
