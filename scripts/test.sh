#!/usr/bin/env bash
# Builds the program and runs every test: the whole suite, the scoring fuzzer
# for half a minute, and the suite again built with AddressSanitizer and
# UndefinedBehaviorSanitizer. The fuzzer and the sanitizers' build run beside
# the build, at a low priority; tests run side by side.
# Prints how long each stage took, and how many tries were played again.
#   test.sh [CTEST ARGUMENTS...]   passed to both passes, e.g. -R e2e_game
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${MINUKAPE_TEST_JOBS:-4}
logs=$root/build-stages
started=$SECONDS

# Runs a stage and says how long it took; fails where the stage failed.
stage() {
    local name=$1 from=$SECONDS status=0
    shift
    "$@" || status=$?
    echo "== $name: $((SECONDS - from)) s"
    return $status
}

# A stage in the background, at a low priority, its output kept for the end.
background() {
    local name=$1
    shift
    (stage "$name" nice -n 19 "$@") >"$logs/$name.log" 2>&1 &
}

# Waits for a background stage and shows its output; fails where it failed.
finish() {
    local name=$1 pid=$2 status=0
    wait "$pid" || status=$?
    sed "s/^/[$name] /" "$logs/$name.log" | tail -n 40
    return $status
}

stage installs "$root/scripts/deps.sh" test
mkdir -p "$logs"
# Every try a scenario played again, with the evidence that the sound's path, not the
# program, broke its recording: counted at the end.
export MINUKAPE_RETRIES=$logs/retries.log
: >"$MINUKAPE_RETRIES"
# The sanitizers' build and the fuzzer run beside the build, at the lowest
# priority, and end before the tests start: a build or the fuzzer beside the
# tests, even at the lowest priority or in idle time alone, breaks the sound their
# scenarios record.
status=0
background fuzzer "$root/scripts/fuzz.sh" 30
fuzzer=$!
background sanitizer-build sh -c '
    cmake -S "$1" -B "$1/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DMINUKAPE_SANITIZE=ON -DBUILD_TESTING=ON >/dev/null &&
    cmake --build "$1/build-sanitize" --parallel 2' sh "$root"
sanitizer=$!
built=0
stage build "$root/scripts/build.sh" test || built=$?
finish sanitizer-build "$sanitizer" || status=$?
finish fuzzer "$fuzzer" || status=$?
[ "$built" -eq 0 ] || exit "$built"

# The tests run in the order tests/CMakeLists.txt gives them, on every run: CTest would
# otherwise order a later run by the times it kept of this one, and put a test that records
# beside the heavy ones it is kept apart from.
fresh_order() { rm -f "$1/Testing/Temporary/CTestCostData.txt"; }

# Every test's temporary folders go in one of this run's own, removed when the run ends, Ctrl+C
# included: a test that CTest's time-out kills outright leaves its folder there, not in /tmp. Under
# root, nobody (the input method's user, and the Wayland and IBus scenarios') makes its own there too.
run_tmp=$(mktemp -d -t minukape-tests.XXXXXX)
trap 'rm -rf "$run_tmp"' EXIT
chmod 1777 "$run_tmp"
export TMPDIR=$run_tmp MINUKAPE_RUN_TMP=$run_tmp

fresh_order "$root/build"
stage tests ctest --test-dir "$root/build" --output-on-failure --timeout 600 -j "$jobs" "$@" || status=$?

export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
if [ -x "$root/build-sanitize/tests/tst_scoring" ]; then
    fresh_order "$root/build-sanitize"
    stage sanitizer-tests ctest --test-dir "$root/build-sanitize" --output-on-failure --timeout 600 \
        -j "$jobs" "$@" || status=$?
fi
echo "== tries played again: $(wc -l <"$MINUKAPE_RETRIES")"
sed 's/^/   /' "$MINUKAPE_RETRIES"
echo "== all: $((SECONDS - started)) s"
exit $status
