#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs to build, run and test,
# only those missing, through sudo when not root. Safe to run again.
set -euo pipefail

packages=(
    # build
    build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools libcanberra-dev libcanberra-pulse
    # the window's Japanese Mincho face
    fonts-ipaexfont-mincho
    # window tests on a private X server, and screenshots
    xvfb xauth xdotool imagemagick x11-utils
    # sound: a private server to record cues, and the tools that make and measure them
    pulseaudio pulseaudio-utils sox libsox-fmt-base
    # the end-to-end tests' desktop: a bus, the input method, the accessibility bus and its reader
    dbus-daemon dbus-bin fcitx5 fcitx5-mozc fcitx5-frontend-qt6 at-spi2-core python3-pyatspi passwd
    # the icon generator
    librsvg2-bin python3 python3-pil
    # the package and its checks
    dpkg-dev file desktop-file-utils appstream
    # hardening: sanitizers and the fuzzer (clang), memcheck, system call traces, the X client tools
    clang libclang-rt-14-dev valgrind strace libx11-dev libxdamage-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
