#!/usr/bin/env bash
# Renders the program icon from minukape.svg: PNGs at 16, 32, 48 and 256 px
# (for the window and the desktop) and minukape.ico with 32x32 and 16x16
# images in 16 and 256 colours (for the Windows program file), and
# minukape.icns for the macOS bundle; and the page's app icons and link
# preview card.
# Needs rsvg-convert (librsvg2-bin), python3 with PIL (python3-pil) and, for
# the card, IPAex Mincho (fonts-ipaexfont-mincho).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
for size in 16 32 48 256; do
    rsvg-convert -w "$size" -h "$size" minukape.svg -o "minukape-$size.png"
done
/usr/bin/python3 "$here/make-ico.py" minukape.ico minukape-32.png minukape-16.png
/usr/bin/python3 "$here/make-icns.py" minukape.icns 16=minukape-16.png 32=minukape-32.png 256=minukape-256.png
/usr/bin/python3 "$here/make-web-icons.py" "$here"
