"""Sprite sheets: four frames over their masks, 320 x 280.

Each frame is drawn on its own 80 x 140 cell canvas. The figure gets a dark
ring so it reads on any desktop, then the four frames move together so that
the lowest pixel of the loop lands on the row the character walks on. The
mask is derived from the drawing itself (black wherever something was drawn),
which keeps both colour rules true by construction.
"""

from raster import OUTLINE, WHITE, BLACK, Canvas

CELL_W, CELL_H = 80, 140


def place_frames(frames, bottom, top=None):
    """Rings each frame and moves all four by one offset so the loop's lowest
    pixel is on row `bottom`; checks `top` and that each figure keeps a free
    border inside its cell."""
    ringed = []
    for f in frames:
        f.ring(OUTLINE)
        ringed.append(f)
    bounds = [f.opaque_bounds() for f in ringed]
    dy = bottom - max(b[3] for b in bounds)
    out = [f.shifted(0, dy) for f in ringed]
    bounds = [f.opaque_bounds() for f in out]
    got_top = min(b[1] for b in bounds)
    if top is not None and got_top != top:
        raise ValueError(f"figure spans rows {got_top}..{bottom}, wanted {top}..{bottom}")
    for k, b in enumerate(bounds):
        if b[0] < 1 or b[1] < 1 or b[2] > CELL_W - 2 or b[3] > CELL_H - 2:
            raise ValueError(f"frame {k} touches its cell border: {b}")
    return out


def sheet_pixels(frames):
    """The 320 x 280 sheet as a row-major list of RGB tuples."""
    w, h = CELL_W * 4, CELL_H * 2
    px = [WHITE] * (w * h)
    for c, f in enumerate(frames):
        for y in range(CELL_H):
            for x in range(CELL_W):
                colour = f.get(x, y)
                if colour is None:
                    continue
                px[y * w + c * CELL_W + x] = colour
                px[(y + CELL_H) * w + c * CELL_W + x] = BLACK
    return px


def new_cell():
    return Canvas(CELL_W, CELL_H)
