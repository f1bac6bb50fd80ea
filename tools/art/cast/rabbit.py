"""Character 3: a beige long-eared rabbit with a grey, koala-like nose. Tall:
its ears reach nearly to the top of the cell.

Loop: holding a sprig of leaves; eating the leaves with dice-like eyes; dizzy,
with a spiral and stars above the head; flexing its muscles in cyan trunks.
"""

import math

from raster import Canvas, Capsule, Circle, Ellipse, Limb, Poly, Rect, Star, OUTLINE, WHITE
from parts import eye
import sheet

FUR = (232, 204, 160)
FUR_DARK = (200, 166, 118)
BELLY = (248, 234, 206)
EAR_IN = (244, 170, 170)
NOSE = (112, 112, 124)
NOSE_LIGHT = (160, 160, 172)
LEAF = (70, 180, 60)
LEAF_DARK = (36, 120, 40)
STEM = (120, 84, 40)
TRUNKS = (40, 210, 230)
STAR = (255, 220, 40)
SPIRAL = (250, 96, 210)


def ears(v):
    v.fill(Ellipse(9, -27, 5.5, 19, angle=14), FUR_DARK)
    v.paint(Ellipse(9, -27, 2.5, 14, angle=14), EAR_IN)
    v.fill(Ellipse(-5, -29, 6, 20, angle=-6), FUR)
    v.paint(Ellipse(-5, -29, 3, 15, angle=-6), EAR_IN)


def face(v, eyes="plain"):
    """Head centred on (0, 0) without the ears; looks left."""
    v.fill(Ellipse(0, 0, 17, 15), FUR)
    v.fill(Ellipse(-3, 7, 11, 7), BELLY, outline=None)
    if eyes == "dice":
        for ex, pips in ((-14, ((-1.5, -1.5), (1.5, 1.5))), (-2, ((-1.5, -1.5), (0, 0), (1.5, 1.5)))):
            v.fill(Rect(ex - 4, -10, ex + 4, -2), WHITE)
            for px, py in pips:
                v.dot(ex + px - 0.5, -6 + py - 0.5, OUTLINE, 1)
    elif eyes == "dizzy":
        for ex in (-14, -2):
            pts = [(ex + 0.6 * t * math.cos(t * 1.4), -6 + 0.6 * t * math.sin(t * 1.4)) for t in range(1, 8)]
            v.line(pts, OUTLINE)
    else:
        eye(v, -14, -6, 2.2, 3.2)
        eye(v, -2, -6, 2.2, 3.2)
    # The koala's big grey nose.
    v.fill(Ellipse(-8, 2, 5, 6.5), NOSE)
    v.paint(Ellipse(-9.5, -0.5, 1.4, 2), NOSE_LIGHT)
    v.line([(-12, 11), (-8, 9), (-4, 11)], OUTLINE)


def sprig(v, x, y, angle=0):
    """A short stem with five leaves, growing up from (x, y)."""
    s = v.sub(x, y)
    ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def rot(px, py):
        return px * ca - py * sa, px * sa + py * ca

    s.line([rot(0, 0), rot(0, -16)], STEM, 1)
    for lx, ly, a in ((-4, -6, -40), (4, -9, 40), (-4, -13, -30), (4, -15, 30), (0, -19, 0)):
        cx, cy = rot(lx, ly)
        s.fill(Ellipse(cx, cy, 2.6, 4.5, angle=a + angle), LEAF)
        s.line([rot(lx * 0.3, ly + 2), rot(lx * 0.8, ly - 2)], LEAF_DARK)


def limbs(v, frame):
    if frame == 3:
        # Both arms up, biceps bulging.
        for (sx, col) in ((10, FUR_DARK), (-10, FUR)):
            d = -1 if sx < 0 else 1
            v.fill(Limb([(sx, -68), (sx + d * 13, -68), (sx + d * 12, -84)], 4.2, 4.0), col)
            v.fill(Ellipse(sx + d * 8, -71, 6.5, 4.5), col)
            v.fill(Circle(sx + d * 12, -86, 4.8), col)
        return
    # Far arm rests by the side.
    v.fill(Limb([(8, -66), (12, -56), (10, -48)], 3.8), FUR_DARK)
    v.fill(Circle(10, -47, 3.8), FUR_DARK)


def figure(v, frame):
    head = v.sub(-2, -90)
    v.fill(Circle(15, -36, 5), BELLY)
    # Legs and big rabbit feet.
    v.fill(Capsule(6, -34, 6, -5, 6), FUR_DARK)
    v.fill(Ellipse(0, -3, 11, 4), FUR_DARK)
    if frame == 3:
        limbs(v, frame)
    else:
        limbs(v, frame)
    v.fill(Ellipse(2, -52, 16, 23), FUR)
    v.fill(Ellipse(-2, -49, 10, 16), BELLY, outline=None)
    v.fill(Capsule(-4, -34, -5, -5, 6.2), FUR)
    v.fill(Ellipse(-11, -3, 11, 4), FUR)
    if frame == 3:
        v.fill(Poly((-15, -40), (18, -40), (18, -26), (8, -24), (2, -30), (-4, -24), (-15, -26)), TRUNKS)
        v.line([(1, -38), (1, -31)], OUTLINE)
    ears(head)
    face(head, {1: "dice", 2: "dizzy"}.get(frame, "plain"))
    if frame == 0:
        sprig(v, -22, -64)
        v.fill(Limb([(-6, -66), (-16, -58), (-22, -64)], 4.0), FUR)
        v.fill(Circle(-22, -64, 4.2), FUR)
    elif frame == 1:
        sprig(v, -19, -74, angle=-25)
        v.fill(Limb([(-6, -66), (-16, -64), (-20, -74)], 4.0), FUR)
        v.fill(Circle(-20, -74, 4.2), FUR)
    elif frame == 2:
        v.fill(Limb([(-6, -66), (-12, -54), (-12, -46)], 4.0), FUR)
        v.fill(Circle(-12, -45, 4.2), FUR)
        sv = v.sub(-22, -130)
        sv.line([(0.3 * t * math.cos(t * 0.33), 0.24 * t * math.sin(t * 0.33)) for t in range(0, 38)],
                SPIRAL, 2)
        v.fill(Star(-25, -110, 7, 3), STAR)
        v.fill(Star(22, -124, 6, 2.6), STAR)
        v.fill(Star(25, -103, 5, 2.2), STAR)
    else:
        # Near arm's fist is drawn over the head line for the flex.
        pass


def sheet_frames():
    frames = []
    for f in range(4):
        c = sheet.new_cell()
        figure(c.view(42, 136, 0.95), f)
        frames.append(c)
    return sheet.place_frames(frames, bottom=136)


def portrait():
    """The face with dice eyes and the leaves."""
    c = Canvas(80, 80)
    v = c.view(44, 60, 1.18)
    ears(v)
    face(v, "dice")
    sprig(v, -23, 26, angle=25)
    c.ring(OUTLINE)
    return c
