#!/usr/bin/env bash
# Checks the built Debian package's metadata: the libraries and fonts it
# depends on, a desktop entry and AppStream file that their validators accept.
# usage: check-metadata.sh PACKAGE_DIR
set -euo pipefail
deb=$(ls "$1"/minukape_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6dbus6 libcanberra0 fonts-ipaexfont-mincho; do
    grep -q "$needed" <<<"$depends" || { echo "FAIL: the package does not depend on $needed"; exit 1; }
done
grep -q libcanberra-pulse <<<"$(dpkg-deb -f "$deb" Recommends)" || { echo "FAIL: no libcanberra-pulse"; exit 1; }
# Every dependency is to be had from Debian 12 (all of them are installed here).
apt-get install --simulate --no-install-recommends "$deb" >/dev/null

desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
grep -qx 'Path=/usr/share/minukape' "$root"/usr/share/applications/*.desktop
file -b "$root/usr/bin/minukape" | grep -q ', stripped$' || { echo "FAIL: the program is not stripped"; exit 1; }
echo "1 passed, 0 failed"
