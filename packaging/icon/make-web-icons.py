#!/usr/bin/env python3
"""Renders the page's app icons from minukape.svg: 192 and 512 px for the
manifest, a maskable 512 px one whose disc sits within the safe circle on
the window's colour, and the 180 px touch icon iOS puts on its home screen
(opaque, as iOS fills transparency with black); and the link preview's
card, 1200 by 630, the icon and the game's name beside its window (the
README's screenshot, docs/window.png). In 256 colours, to keep the page light.

usage: make-web-icons.py FOLDER   (needs rsvg-convert, PIL and IPAex Mincho)"""
import io
import os
import subprocess
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

FORM_COLOUR = (0xC0, 0xC0, 0xFF)
HERE = os.path.dirname(os.path.abspath(__file__))
CARD = (1200, 630)
MINCHO = "/usr/share/fonts/opentype/ipaexfont-mincho/ipaexm.ttf"


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


def game_name():
    """The name the desktop entry gives the game."""
    with open(os.path.join(HERE, "..", "io.github.minukape.Minukape.desktop.in"), encoding="utf-8") as entry:
        return next(line.split("=", 1)[1].strip() for line in entry if line.startswith("Name="))


def card():
    """The icon and the name on the left, the window on the right, lifted off a deeper shade of its colour."""
    canvas = Image.new("RGBA", CARD, tuple(round(c * 0.8) for c in FORM_COLOUR) + (255,))
    window = Image.open(os.path.join(HERE, "..", "..", "docs", "window.png")).convert("RGBA")
    window = window.resize((round(window.width * 1.4), round(window.height * 1.4)), Image.Resampling.LANCZOS)
    at = (CARD[0] - window.width - 48, (CARD[1] - window.height) // 2)
    shadow = Image.new("RGBA", CARD, (0, 0, 0, 0))
    ImageDraw.Draw(shadow).rectangle((at[0] + 6, at[1] + 10, at[0] + window.width + 6, at[1] + window.height + 10),
                                     fill=(0, 0, 60, 110))
    canvas.alpha_composite(shadow.filter(ImageFilter.GaussianBlur(10)))
    canvas.alpha_composite(window, at)
    left = at[0]
    icon = rendered(220)
    canvas.alpha_composite(icon, ((left - icon.width) // 2, 110))
    draw = ImageDraw.Draw(canvas)
    draw.text((left // 2, 420), game_name(), font=ImageFont.truetype(MINCHO, 64), fill=(0, 0, 0), anchor="mm")
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
    save(card(), os.path.join(folder, "minukape-card.png"))


if __name__ == "__main__":
    main()
