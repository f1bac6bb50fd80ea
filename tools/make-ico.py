#!/usr/bin/env python3
"""Writes a Windows icon file (.ico) from one of our PNG pictures.

    make-ico.py picture.png out.ico

The icon holds the picture at its own size and at half size, each as a 32-bit
colour image with its 1-bit transparency mask (the classic form, which every
Windows version and windres read).
"""

import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "art"))
import png  # noqa: E402


def half(width, height, pixels):
    """Each 2 x 2 block becomes one pixel: the mean of its opaque pixels,
    transparent when most of the block is."""
    out = []
    for y in range(0, height, 2):
        for x in range(0, width, 2):
            block = [pixels[(y + dy) * width + x + dx] for dy in (0, 1) for dx in (0, 1)]
            opaque = [p for p in block if p[3] >= 128]
            if len(opaque) < 2:
                out.append((0, 0, 0, 0))
            else:
                n = len(opaque)
                out.append(tuple((sum(p[i] for p in opaque) + n // 2) // n for i in range(3)) + (255,))
    return width // 2, height // 2, out


def entry_image(width, height, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for y in reversed(range(height)):
        for x in range(width):
            r, g, b, a = pixels[y * width + x]
            colour += bytes((b, g, r, 255 if a >= 128 else 0))
    stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if pixels[y * width + x][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(colour) + bytes(mask)


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, "rb") as f:
        width, height, pixels = png.decode(f.read())
    sizes = [(width, height, pixels)]
    if width >= 32 and height >= 32:
        sizes.append(half(width, height, pixels))
    images = [entry_image(*s) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (w, h, _), image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(target, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
