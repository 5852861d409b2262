#!/usr/bin/env python3
"""How much dithering brings a smooth gradient's local colour back: converts a
256 x 32 gradient at r3g2b3 and rgb565 with each --dither mode and prints the
mean absolute error of the 8 x 8 block averages (what the eye sees at a
distance), per channel, against the source.

Usage: bench/dither_error.py RASTRUM"""
import os
import struct
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 256, 32


def source(x):
    return (255 - x, x // 2 + 64, x)  # R, G, B


def write_gradient(path):
    row = b"".join(bytes(reversed(source(x))) for x in range(WIDTH))
    data = row * HEIGHT
    header = b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54)
    header += struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(data), 0, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(header + data)


def shown(fmt, data, i):
    if fmt == "rgb565":
        v = data[2 * i] << 8 | data[2 * i + 1]
        return (round((v >> 11) * 255 / 31), round((v >> 5 & 63) * 255 / 63),
                round((v & 31) * 255 / 31))
    v = data[i]
    return (round((v >> 5) * 255 / 7), round((v >> 3 & 3) * 255 / 3), round((v & 7) * 255 / 7))


def block_error(fmt, data):
    total, count = 0.0, 0
    for bx in range(0, WIDTH, 8):
        for c in range(3):
            want = sum(source(x)[c] for x in range(bx, bx + 8)) * 8
            got = sum(shown(fmt, data, y * WIDTH + x)[c]
                      for y in range(8) for x in range(bx, bx + 8))
            total += abs(want - got) / 64
            count += 1
    return total / count


def main():
    rastrum = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as work:
        os.mkdir(os.path.join(work, "g"))
        write_gradient(os.path.join(work, "g", "gradient.bmp"))
        for fmt in ("r3g2b3", "rgb565"):
            for mode in ("none", "ordered", "diffusion"):
                subprocess.run([rastrum, "convert", "--format", fmt, "--dither", mode,
                                "--name", "out", "g"], cwd=work, check=True,
                               stdout=subprocess.DEVNULL)
                with open(os.path.join(work, "out.bin"), "rb") as f:
                    data = f.read()
                print(f"{fmt:7} {mode:9} mean |8x8 block error| {block_error(fmt, data):6.2f}")


main()
