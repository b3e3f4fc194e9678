#!/usr/bin/env python3
"""Renders the page's app icons from minukape.svg: 192 and 512 px for the
manifest, a maskable 512 px one whose disc sits within the safe circle on
the window's colour, and the 180 px touch icon iOS puts on its home screen
(opaque, as iOS fills transparency with black). In 256 colours, to keep
the page light.

usage: make-web-icons.py FOLDER   (needs rsvg-convert and PIL)"""
import io
import os
import subprocess
import sys

from PIL import Image

FORM_COLOUR = (0xC0, 0xC0, 0xFF)


def rendered(size):
    png = subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "minukape.svg"],
                         capture_output=True, check=True).stdout
    return Image.open(io.BytesIO(png)).convert("RGBA")


def on_colour(size, share):
    """The icon at share of size, centred on the window's colour."""
    canvas = Image.new("RGBA", (size, size), FORM_COLOUR + (255,))
    inner = round(size * share)
    icon = rendered(inner)
    canvas.alpha_composite(icon, ((size - inner) // 2, (size - inner) // 2))
    return canvas.convert("RGB")


def save(image, path):
    image.quantize(256, method=Image.Quantize.FASTOCTREE).save(path, optimize=True)


def main():
    folder = sys.argv[1]
    save(rendered(192), os.path.join(folder, "minukape-192.png"))
    save(rendered(512), os.path.join(folder, "minukape-512.png"))
    # The safe zone is the middle circle of 80 % of the side.
    save(on_colour(512, 0.78), os.path.join(folder, "minukape-maskable-512.png"))
    save(on_colour(180, 0.9), os.path.join(folder, "minukape-180.png"))


if __name__ == "__main__":
    main()
