#!/usr/bin/env bash
# Builds the web page and serves build/web/ at http://127.0.0.1:8000/ (PORT
# sets another port) with Python's own web server, opening it in the
# person's browser where a desktop has one set up. Ctrl+C stops the server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${PORT:-8000}
"$root/scripts/build-web.sh"
address="http://127.0.0.1:$port/"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then
    echo "ミヌカペ: $address (opening it in the browser)"
    (sleep 1; xdg-open "$address" >/dev/null 2>&1 || true) &
else
    echo "ミヌカペ: $address (open it in a browser)"
fi
exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build/web"
