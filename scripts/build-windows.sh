#!/usr/bin/env bash
# Cross-builds the Windows program with mingw-w64 into build-windows/: the
# program (minukape.exe), its installer (minukape-VERSION-setup.exe) and the
# portable zip (minukape-VERSION-windows.zip). Installs what is missing first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" windows
cmake -S "$root" -B "$root/build-windows" --toolchain "$root/packaging/windows/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build-windows" --parallel "$(nproc)"
ls -l "$root"/build-windows/minukape.exe "$root"/build-windows/minukape-*-setup.exe \
      "$root"/build-windows/minukape-*-windows.zip
