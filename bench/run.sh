#!/usr/bin/env bash
# Builds everything and prints every benchmark figure: scoring speed, launch
# time and memory against bare windows, the count-up's timing idle and
# loaded, the cues' delay from tick to sound, and the web page's weight,
# first paint, pace and cues.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" test >/dev/null
build="$root/build"
export PYTHONPATH="$root/tests"  # the harness the benchmarks share with the tests
echo "== scoring"; "$build/bench/bench_scoring"
echo; echo "== launch and memory"; /usr/bin/python3 "$root/bench/launch.py" "$build" "$root"
echo; echo "== count-up timing"; "$build/bench/bench_countup" 2>/dev/null
echo; echo "== cue delay"; "$build/bench/bench_cues" 2>/dev/null
echo; echo "== the Windows program under Wine"; /usr/bin/python3 "$root/bench/launch_wine.py" "$build" "$root"
echo; echo "== the web page in Chromium"; /usr/bin/python3 "$root/bench/web.py" "$build" 2>/dev/null
# The page's weight is written into RESULTS.md as measured.
/usr/bin/python3 "$root/bench/web.py" "$build" --weight-into "$root/bench/RESULTS.md" >/dev/null
