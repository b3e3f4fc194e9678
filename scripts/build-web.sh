#!/usr/bin/env bash
# Builds the web page into build/web/: index.html, its style sheet, script and
# WebAssembly, the cues, the default sound, the icons and its Mincho face,
# a folder any static web server can serve. The tests build and test the
# same tree. Installs what is missing first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" web
emcmake cmake -S "$root" -B "$root/build/web-cmake" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DMINUKAPE_PAGE_DIR="$root/build/web"
cmake --build "$root/build/web-cmake" --parallel "$(nproc)"
ls -l "$root/build/web"
