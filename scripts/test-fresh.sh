#!/usr/bin/env bash
# The newcomer's test: on a new Debian 12 root, runs every command the README
# and docs/ show, in their order, from a clone at a long path
# (scripts/fresh_machine.py). Needs root for the new root: as a user it asks
# sudo once. Keeps the pristine root and the packages it downloads in
# /var/cache/minukape-fresh; the root itself is made in build-fresh/ and
# removed at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
    exec sudo -- "$0" "$@"
fi
"$root/scripts/deps.sh" fresh
work=$root/build-fresh
status=0
# Its own mounts and processes end with it.
unshare --mount --propagation private --pid --fork --kill-child \
    env PYTHONPATH="$root/tests" /usr/bin/python3 "$root/scripts/fresh_machine.py" --source "$root" \
        --cache /var/cache/minukape-fresh --work "$work" || status=$?
rm -rf --one-file-system "$work"
exit $status
