#!/usr/bin/env bash
# Remakes the README's screenshot, docs/window.png: the window at the end of
# the end-to-end game (names typed through the input method, the count done).
# Expects a build in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
PYTHONPATH="$root/tests" /usr/bin/python3 "$root/tests/e2e/run.py" game --build "$root/build" --source "$root" \
    --shots "$root/build/e2e-shots"
cp "$root/build/e2e-shots/game-done.png" "$root/docs/window.png"
echo "wrote docs/window.png"
