"""Renders every built-in picture, enlarged 2x on a mid-grey ground, into one
PNG: the sprite sheets (frames over masks) two to a row, then the portraits,
icons, preview, logo and cyclists.

    python3 tools/art/contact_sheet.py docs/contact-sheet.png
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import png  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
PICTURES = os.path.join(ROOT, "assets", "pictures")
GREY = (128, 128, 128)
SCALE = 2
GAP = 12

ROWS = [
    ["pat0.png", "pat1.png"],
    ["pat2.png", "pat3.png"],
    ["pat4.png", "pat5.png"],
    ["pat6.png", "preview.png", "logo.png"],
    [f"portrait{n}.png" for n in range(7)] + ["dialog_cat.png"],
    ["help_icon.png", "program_icon.png", "pointer.png"]
    + [f"cyclist{i}.png" for i in range(4)] + ["cyclist_icon.png"],
]


def main(argv):
    if len(argv) != 1:
        print(__doc__)
        return 2
    loaded = {}
    for row in ROWS:
        for name in row:
            with open(os.path.join(PICTURES, name), "rb") as fh:
                loaded[name] = png.decode(fh.read())
    width = max(sum(loaded[n][0] * SCALE + GAP for n in row) + GAP for row in ROWS)
    height = sum(max(loaded[n][1] for n in row) * SCALE + GAP for row in ROWS) + GAP
    px = [GREY] * (width * height)
    y0 = GAP
    for row in ROWS:
        x0 = GAP
        for name in row:
            w, h, pixels = loaded[name]
            for y in range(h):
                for x in range(w):
                    r, g, b, a = pixels[y * w + x]
                    if a == 0:
                        continue
                    for j in range(SCALE):
                        base = (y0 + y * SCALE + j) * width + x0 + x * SCALE
                        for i in range(SCALE):
                            px[base + i] = (r, g, b)
            x0 += w * SCALE + GAP
        y0 += max(loaded[n][1] for n in row) * SCALE + GAP
    with open(argv[0], "wb") as fh:
        fh.write(png.encode(width, height, px))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
