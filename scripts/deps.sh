#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only those missing,
# through sudo when not root. Safe to run again.
#   deps.sh run    what building and playing the game needs, nothing more
#   deps.sh test   that, and what the tests and benchmarks need
#   deps.sh windows  what cross-building the Windows program and its installer needs
#   deps.sh web    what building the web page needs
#   deps.sh fuzz   what building and running the scoring fuzzer needs
#   deps.sh fresh  what scripts/test-fresh.sh needs to make a new Debian root
#   deps.sh --count GROUP   installs nothing: says how many packages GROUP
#                           would add, with what they depend on
set -euo pipefail
count=no
if [ "${1:-}" = --count ]; then
    count=yes
    shift
fi

installed() {
    [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null || true)" = installed ]
}

# Building and playing: the compiler, Qt's widgets with its Wayland platform,
# libcanberra and the Mincho face; and file, which the Debian package's
# library dependencies are found with. No sound server and no input method:
# a person's own are used.
run=(
    build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools qt6-wayland
    libcanberra-dev fonts-ipaexfont-mincho file
)
# libcanberra's PulseAudio back end depends on a sound server, so it comes
# only where the desktop runs one (PulseAudio, or PipeWire's service);
# elsewhere libcanberra plays through ALSA.
if installed pulseaudio || installed pipewire-pulse; then
    run+=(libcanberra-pulse)
fi

# The Windows program, built here: the cross compiler and the installer's,
# and make, which Debian's cmake only recommends.
windows=(cmake make g++-mingw-w64-x86-64 nsis)

# The web page: Emscripten, and fontTools (with Brotli for WOFF2) to cut the
# page's Mincho face from IPAex Mincho.
web=(cmake make emscripten python3 python3-fonttools python3-brotli fonts-ipaexfont-mincho)

# The scoring fuzzer: clang and its libFuzzer.
fuzz=(cmake make clang libclang-rt-14-dev)

# A new Debian root for the fresh-machine test, and the package's checker.
fresh=(mmdebstrap lintian)

# Testing, listed with what each group changes on a machine in docs/testing.md.
test=(
    # a private X server, typing and clicking, screenshots; the same on Wayland
    xvfb xauth xdotool x11-utils libx11-dev libxdamage-dev sway grim wtype
    # a private sound server to record the cues, and the back end that plays to it
    pulseaudio pulseaudio-utils libcanberra-pulse
    # PipeWire with its session manager and PulseAudio service, to hear the cues there too
    pipewire wireplumber pipewire-pulse
    # a private bus, the input methods, the accessibility bus and its reader
    dbus-daemon dbus-bin fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc at-spi2-core python3-pyatspi
    # the icon generator
    librsvg2-bin python3 python3-pil
    # the package and its checks
    dpkg-dev file desktop-file-utils appstream
    # memcheck, system call traces
    valgrind strace
    # Wine to test the Windows program in, with its caption fonts and a
    # Japanese locale, and a look into its zip
    wine wine64 fonts-wine locales unzip
    # the browsers the page is tested in, and what drives them
    chromium python3-websocket webkit2gtk-driver python3-selenium firefox-esr
)
# npm, to install the page's pinned browser driver and Lighthouse; a Node.js
# from elsewhere brings its own.
command -v npm >/dev/null || test+=(npm)

case "${1:-}" in
    run) packages=("${run[@]}") ;;
    test) packages=("${run[@]}" "${windows[@]}" "${web[@]}" "${fuzz[@]}" "${test[@]}") ;;
    windows) packages=("${windows[@]}") ;;
    web) packages=("${web[@]}") ;;
    fuzz) packages=("${fuzz[@]}") ;;
    fresh) packages=("${fresh[@]}") ;;
    *) echo "usage: $0 run|test|windows|web|fuzz|fresh" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    installed "$package" || missing+=("$package")
done
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
# Whether root is at hand: as root, or where sudo gives it (as a user, sudo
# asks once, here). Where it is not, each caller says what it does instead:
# sudo's own error says nothing of the packages.
root_given() {
    [ ${#as_root[@]} -eq 0 ] || { command -v sudo >/dev/null && sudo true; }
}
if [ $count = yes ]; then
    if root_given; then
        "${as_root[@]}" apt-get update -q >/dev/null
    else
        echo "deps.sh: sudo did not give root to refresh apt's package lists: counting from them as they are" >&2
    fi
    added=$(apt-get install --simulate -q --no-install-recommends "${missing[@]}" | grep -c '^Inst ' || true)
    echo "deps.sh $1 would add $added packages"
    exit 0
fi
if [ ${#missing[@]} -gt 0 ]; then
    if ! root_given; then
        echo "deps.sh: installing needs root, and sudo did not give it. As root, run:" >&2
        echo "    apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing (with what they depend on): ${missing[*]}"
    "${as_root[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The page's tests' npm packages, at the versions the lock file pins, into
# tests/web/node_modules; npm's cache stays in the clone too. No browser is
# downloaded: the tests use Debian's.
if [ "$1" = test ]; then
    web_tests=$(cd "$(dirname "$0")/../tests/web" && pwd)
    if [ ! "$web_tests/node_modules/.package-lock.json" -nt "$web_tests/package-lock.json" ]; then
        PUPPETEER_SKIP_DOWNLOAD=1 npm ci --prefix "$web_tests" --cache "$web_tests/../../build-npm-cache" \
            --no-audit --no-fund --loglevel=error
    fi
fi
