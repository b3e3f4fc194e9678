#!/usr/bin/env bash
# Remakes the docs' screenshots from a test build in build/ (scripts/test.sh
# or scripts/build.sh test makes one): docs/window.png, the window at the end
# of the end-to-end game (names typed through the input method, the count
# done), docs/pyramid.png, how the score was made on the page, on a phone, and
# docs/group.png, みんなの相性 on a phone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export PYTHONPATH="$root/tests"
/usr/bin/python3 "$root/tests/e2e/run.py" game --build "$root/build" --source "$root" \
    --shots "$root/build/e2e-shots"
cp "$root/build/e2e-shots/game-done.png" "$root/docs/window.png"
echo "wrote docs/window.png"
/usr/bin/python3 "$root/scripts/pyramid_shot.py" "$root/build/web" "$root/docs/pyramid.png"
echo "wrote docs/pyramid.png"
/usr/bin/python3 "$root/scripts/pyramid_shot.py" "$root/build/web" "$root/docs/group.png" group
echo "wrote docs/group.png"
