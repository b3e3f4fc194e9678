"""Writes a classic .ico: each PNG given becomes a 4-bit (16 colour) and an
8-bit (256 colour) palette image with a 1-bit transparency mask, the formats
the oldest icon readers expect."""
import struct
import sys

from PIL import Image


def dib(image, bits):
    """One icon image as BITMAPINFOHEADER + palette + XOR bits + AND mask."""
    rgba = image.convert("RGBA")
    width, height = rgba.size
    colours = 1 << bits
    opaque = rgba.split()[3].point(lambda a: 255 if a >= 128 else 0)
    flat = Image.new("RGB", rgba.size, (0, 0, 0))
    flat.paste(rgba.convert("RGB"), mask=opaque)
    quantised = flat.quantize(colors=colours, method=Image.Quantize.MEDIANCUT,
                              dither=Image.Dither.NONE)
    palette = (quantised.getpalette() or [])[: colours * 3]
    palette += [0] * (colours * 3 - len(palette))
    indices = quantised.load()
    mask = opaque.load()

    def rows(bits_per_pixel, value):
        out = bytearray()
        for y in range(height - 1, -1, -1):  # bottom-up
            acc, nbits, row = 0, 0, bytearray()
            for x in range(width):
                acc = (acc << bits_per_pixel) | value(x, y)
                nbits += bits_per_pixel
                if nbits == 8:
                    row.append(acc)
                    acc, nbits = 0, 0
            if nbits:
                row.append(acc << (8 - nbits))
            while len(row) % 4:
                row.append(0)
            out += row
        return out

    xor = rows(bits, lambda x, y: indices[x, y])
    andmask = rows(1, lambda x, y: 0 if mask[x, y] else 1)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0,
                         len(xor) + len(andmask), 0, 0, colours, 0)
    quad = bytearray()
    for i in range(colours):
        r, g, b = palette[3 * i: 3 * i + 3]
        quad += bytes((b, g, r, 0))
    return width, height, colours, bits, header + quad + xor + andmask


def main(target, *pngs):
    images = []
    for bits in (4, 8):
        for png in pngs:
            images.append(dib(Image.open(png), bits))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for width, height, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colours % 256,
                           0, 1, bits, len(data), offset)
        offset += len(data)
    for *_, data in images:
        out += data
    with open(target, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(*sys.argv[1:])
