#!/usr/bin/env bash
# Builds everything, runs every benchmark and writes bench/RESULTS.md whole
# from what they print (bench/results.py): scoring speed, launch time and
# memory against floors, the count-up's timing idle and loaded, the cues'
# delay from step to sound, the Windows program under Wine and its cues, and
# the web page's weight, Lighthouse, first paint, group, pace and cues.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" bench >/dev/null
/usr/bin/python3 "$root/bench/results.py" "$root" "$root/build"
