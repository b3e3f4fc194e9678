"""Writes the macOS bundle icon: an .icns holding the PNGs given as
SIZE=FILE pairs (16, 32 and 256 px, the sizes the artwork is rendered at)."""
import struct
import sys

TYPES = {16: b"icp4", 32: b"icp5", 64: b"icp6", 128: b"ic07", 256: b"ic08", 512: b"ic09"}


def main(target, *pairs):
    body = b""
    for pair in pairs:
        size, path = pair.split("=", 1)
        with open(path, "rb") as f:
            png = f.read()
        body += TYPES[int(size)] + struct.pack(">I", 8 + len(png)) + png
    with open(target, "wb") as f:
        f.write(b"icns" + struct.pack(">I", 8 + len(body)) + body)


if __name__ == "__main__":
    main(*sys.argv[1:])
