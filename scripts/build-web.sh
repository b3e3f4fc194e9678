#!/usr/bin/env bash
# Builds the web page into build/web/: index.html, its style sheet, script and
# WebAssembly, the cues, the default sound, the icons and its Mincho face,
# a folder any static web server can serve. The tests build and test the
# same tree. Installs what is missing first.
#   scripts/build-web.sh [--site-url URL]
# URL: the page's address on the web (https://example.org/minukape/), which
# link previews need; without it the preview's addresses are relative.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
site_url=
if [ "${1:-}" = --site-url ] && [ -n "${2:-}" ]; then
    site_url=$2
elif [ $# -gt 0 ]; then
    echo "usage: scripts/build-web.sh [--site-url URL]" >&2
    exit 2
fi
"$root/scripts/deps.sh" web
emcmake cmake -S "$root" -B "$root/build/web-cmake" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DMINUKAPE_PAGE_DIR="$root/build/web" -DMINUKAPE_SITE_URL="$site_url"
cmake --build "$root/build/web-cmake" --parallel "$(nproc)"
ls -l "$root/build/web"
