#!/usr/bin/env python3
"""Writes the example's pictures: small 24-bit BMPs whose colours step
through every channel, so a wrong shift or byte order in a reader shows."""
import os
import struct
import sys


def bmp24(width, height, colour):
    """A bottom-up 24-bit BMP; colour(x, y) gives (r, g, b) with y = 0 on top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = colour(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + bytes(stride - len(row)))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


PICTURES = {
    "logo.bmp": (13, 5, lambda x, y: (x * 19 + 7, y * 53 + 3, 250 - x * 17)),
    "icons/icon-16.bmp": (16, 16, lambda x, y: (x * 16 + y, (x ^ y) * 15, y * 16 + 5)),
    "icons/battery.bmp": (7, 4, lambda x, y: (0, 200 - x * 9, 0) if 0 < x < 6 and 0 < y < 3
                          else (255, 255, 255)),
    "status/wifi ok.bmp": (3, 9, lambda x, y: (x * 120 + 6, y * 31, 131)),
}


def main(folder):
    for name, (width, height, colour) in PICTURES.items():
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(bmp24(width, height, colour))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "pictures"))
