"""Working view: one character's frames enlarged, on grey, black and a busy
background, composed with the saver's own mask-and-image steps."""

import sys

import png
import sheet
from cast import CAST


def busy(x, y):
    # Stripes and blocks in desktop-like colours.
    v = ((x // 7) * 37 + (y // 5) * 91 + (x * y) // 13) % 255
    return (v, (v * 3 + 60) % 256, (255 - v) % 256)


def compose(frame, x, y, bg):
    """result = (mask AND NOT bg) XOR image, per channel."""
    c = frame.get(x, y)
    img = sheet.WHITE if c is None else c
    mask = 0xFF if c is None else 0x00
    return tuple(((mask & ~b) ^ i) & 0xFF for b, i in zip(bg, img))


def main():
    kind = int(sys.argv[1])
    out = sys.argv[2]
    scale = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    frames = CAST[kind].sheet_frames()
    grounds = [lambda x, y: (128, 128, 128), lambda x, y: (0, 0, 0), busy]
    W, H = sheet.CELL_W * 4 * scale, sheet.CELL_H * 3 * scale
    px = [(0, 0, 0)] * (W * H)
    for g, ground in enumerate(grounds):
        for c, f in enumerate(frames):
            for y in range(sheet.CELL_H):
                for x in range(sheet.CELL_W):
                    col = compose(f, x, y, ground(x + c * 80, y))
                    for j in range(scale):
                        row = (g * sheet.CELL_H + y) * scale + j
                        base = row * W + (c * sheet.CELL_W + x) * scale
                        for i in range(scale):
                            px[base + i] = col
    with open(out, "wb") as fh:
        fh.write(png.encode(W, H, px) if len(set(px)) <= 256 else _rgb(W, H, px))


def _rgb(w, h, px):
    import struct, zlib
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            raw += bytes(px[y * w + x])
    def chunk(k, d):
        return struct.pack(">I", len(d)) + k + d + struct.pack(">I", zlib.crc32(k + d) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 6)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    main()
