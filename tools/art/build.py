"""Draws every built-in picture and writes it under assets/pictures/.

    python3 tools/art/build.py            writes the pictures
    python3 tools/art/build.py --check    draws into memory and fails if any
                                          committed file differs by a byte
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import extras  # noqa: E402
import png  # noqa: E402
import sheet  # noqa: E402
from cast import CAST  # noqa: E402
from raster import WHITE  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
OUT = os.path.join(ROOT, "assets", "pictures")


def opaque(canvas, ground):
    return [ground if p is None else p for p in canvas.px]


def with_alpha(canvas):
    """Drawn pixels opaque, the rest fully transparent."""
    return [(0, 0, 0, 0) if p is None else p + (255,) for p in canvas.px]


def pictures():
    """name -> encoded PNG bytes, for every picture of the program."""
    out = {}
    for n, module in enumerate(CAST):
        out[f"pat{n}.png"] = png.encode(320, 280, sheet.sheet_pixels(module.sheet_frames()))
        out[f"portrait{n}.png"] = png.encode(80, 80, opaque(module.portrait(), WHITE))
    cat = extras.standing_cat()
    out["dialog_cat.png"] = png.encode(80, 80, opaque(cat, WHITE))
    out["help_icon.png"] = png.encode(80, 80, opaque(cat, WHITE))
    out["program_icon.png"] = png.encode(32, 32, with_alpha(extras.program_icon()))
    out["pointer.png"] = png.encode(32, 32, with_alpha(extras.invisible_pointer()))
    out["preview.png"] = png.encode(175, 140, opaque(extras.preview(), (0, 0, 0)))
    out["logo.png"] = png.encode(50, 50, opaque(extras.logo(), extras.LOGO_GROUND))
    for i, jersey in enumerate(extras.JERSEYS):
        out[f"cyclist{i}.png"] = png.encode(32, 32, with_alpha(extras.cyclist(jersey)))
    out["cyclist_icon.png"] = png.encode(32, 32, with_alpha(extras.cyclist(extras.JERSEYS[1])))
    return out


def main(argv):
    check = "--check" in argv
    drawn = pictures()
    stale = []
    if check:
        present = sorted(f for f in os.listdir(OUT) if f.endswith(".png")) if os.path.isdir(OUT) else []
        for name in sorted(set(present) | set(drawn)):
            path = os.path.join(OUT, name)
            old = open(path, "rb").read() if os.path.exists(path) else None
            if old != drawn.get(name):
                stale.append(name)
        for name in stale:
            print(f"differs from what the art tool draws: assets/pictures/{name}")
        return 1 if stale else 0
    os.makedirs(OUT, exist_ok=True)
    for name, data in sorted(drawn.items()):
        with open(os.path.join(OUT, name), "wb") as fh:
            fh.write(data)
    print(f"wrote {len(drawn)} pictures to {os.path.relpath(OUT, ROOT)}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
