#!/usr/bin/env python3
"""Cuts the page's Mincho face from IPAex Mincho, at build time: only the
glyphs of the text the window can show, in WOFF2. IPA's licence lets a font
changed so be passed on under a name that is not the original's, licensed
as the original is and with the way back to it: the face is renamed, and its
licence goes beside it with a note on where it came from.

usage: cut_mincho.py FONT TEXT_FILES TYPED LICENCE OUT_WOFF2 OUT_NOTE
TEXT_FILES: files whose every character the face must hold, joined by ":"
(the window's text, and the page's script that writes its own). A character
the face lacks fails the build: the browser would draw it in another face.
TYPED: ranges of code points kept as far as the face has them, such as
20-7E,3000-30FF (what a person may type into a name box)."""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Minukape Mincho"
NAMES = {1: FAMILY, 3: "MinukapeMincho-Regular", 4: FAMILY, 6: "MinukapeMincho-Regular", 16: FAMILY,
         17: "Regular", 18: FAMILY, 21: FAMILY, 22: "Regular"}

NOTE = """The page's Mincho face, mincho.woff2 ("Minukape Mincho"), is a subset of
IPAex Mincho by IPA (Information-technology Promotion Agency, Japan): only
the glyphs the window can show, renamed as IPA's licence asks of a changed
font. It is licensed under the IPA Font License Agreement v1.0, below.

To use the original instead: get IPAex Mincho from IPA
(https://moji.or.jp/ipafont/) or from Debian's fonts-ipaexfont-mincho
package, convert ipaexm.ttf to WOFF2 (for example with fontTools:
fonttools ttLib.woff2 compress ipaexm.ttf), and put the result in place of
mincho.woff2.

"""


def main():
    font_file, text_files, typed, licence, out_font, out_note = sys.argv[1:]
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False
    options.desubroutinize = True
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    font = TTFont(font_file)
    subsetter = subset.Subsetter(options)
    text = ""
    for text_file in text_files.split(":"):
        with open(text_file, encoding="utf-8") as f:
            text += f.read()
    held = font.getBestCmap()
    missing = sorted({c for c in text if c.isprintable() and not c.isspace() and ord(c) not in held})
    ranges = [[int(end, 16) for end in part.split("-")] for part in typed.split(",")]
    subsetter.populate(text=text, unicodes=[c for low, high in ranges for c in range(low, high + 1) if c in held])
    subsetter.subset(font)
    if missing:
        sys.exit("cut_mincho.py: IPAex Mincho has no glyph for " + " ".join(f"{c} (U+{ord(c):04X})" for c in missing))
    names = font["name"]
    names.names = [record for record in names.names if record.nameID not in NAMES]
    for name_id, value in NAMES.items():
        names.setName(value, name_id, 3, 1, 0x409)
    font.flavor = "woff2"
    font.save(out_font)
    with open(licence, encoding="utf-8") as f, open(out_note, "w", encoding="utf-8") as out:
        out.write(NOTE + f.read())


if __name__ == "__main__":
    main()
