"""Character 6: a man in a dark blue suit and red tie with a big round orange
head that swells over the loop. His feet end at row 116 of the cell.

Loop: small head, arms down; larger head; larger still, one arm slightly
out; the head swollen to fill the upper half of the cell, one arm stretched
out.
"""

from raster import Canvas, Capsule, Circle, Ellipse, Limb, Poly, Rect, OUTLINE, WHITE
from parts import eye, leg
import sheet

HEAD = (250, 150, 40)
HEAD_DARK = (214, 110, 24)
HEAD_LIGHT = (255, 196, 110)
SUIT = (30, 44, 110)
SUIT_DARK = (20, 28, 74)
SHIRT = (244, 244, 250)
TIE = (220, 30, 40)
SHOES = (40, 34, 40)
SKIN = (250, 204, 160)
MOUTH = (150, 40, 40)
CHEEK = (250, 112, 92)

HEAD_R = [11, 16, 22, 34]


def head(v, r):
    """A round head of radius r centred on (0, 0), looking left."""
    v.fill(Circle(0, 0, r), HEAD)
    # A crescent of shade on the far side and a shine on the near brow.
    v.paint(Circle(0, 0, r - 1) - Circle(-r * 0.14, -r * 0.12, r * 0.9), HEAD_DARK)
    v.paint(Ellipse(-r * 0.3, -r * 0.58, r * 0.26, r * 0.13), HEAD_LIGHT)
    k = r / 11.0
    for ex in (-0.58, -0.1):
        eye(v, ex * r, -r * 0.12, 1.5 * k, 2.1 * k)
    v.paint(Ellipse(-r * 0.66, r * 0.3, 1.8 * k, 1.1 * k), CHEEK)
    v.paint(Ellipse(r * 0.12, r * 0.3, 1.8 * k, 1.1 * k), CHEEK)
    v.line([(-r * 0.5, r * 0.42), (-r * 0.34, r * 0.54), (-r * 0.16, r * 0.42)], MOUTH,
           1 if r < 20 else 2)


ARMS = [
    ([(6, -54), (8, -42), (7, -30)], [(-6, -54), (-8, -42), (-8, -30)]),
    ([(6, -54), (8, -42), (7, -30)], [(-6, -54), (-8, -42), (-8, -30)]),
    ([(6, -54), (8, -42), (7, -30)], [(-6, -54), (-12, -43), (-17, -33)]),
    ([(6, -54), (8, -42), (7, -30)], [(-6, -54), (-20, -52), (-33, -52)]),
]


def figure(v, frame):
    far_arm, near_arm = ARMS[frame]
    v.fill(Limb(far_arm, 3.6, 3.2), SUIT_DARK)
    v.fill(Circle(*far_arm[-1], 3.2), SKIN)
    leg(v, [(3, -26), (4, -13), (4, -3)], SUIT_DARK, SHOES, r=4.2, shoe_len=6, shoe_h=3)
    leg(v, [(-3, -26), (-4, -13), (-5, -3)], SUIT, SHOES, r=4.2, shoe_len=6, shoe_h=3)
    v.fill(Poly((-10, -56), (9, -56), (10, -22), (-11, -22)), SUIT)
    v.fill(Poly((-5, -56), (3, -56), (-1, -44)), SHIRT)
    v.fill(Poly((-2, -54), (0, -54), (1, -42), (-1, -38), (-3, -42)), TIE)
    v.line([(-6, -55), (-2, -40)], SUIT_DARK)
    v.line([(4, -55), (0, -40)], SUIT_DARK)
    for y in (-36, -30):
        v.dot(-2, y, SUIT_DARK, 1)
    v.fill(Limb(near_arm, 3.8, 3.4), SUIT)
    v.fill(Circle(*near_arm[-1], 3.4), SKIN)
    r = HEAD_R[frame]
    # The swollen head may sink over the shoulders but never leaves the cell.
    head(v.sub(-1, max(-56 - r + 4, -112 + r)), r)


def sheet_frames():
    frames = []
    for f in range(4):
        c = sheet.new_cell()
        figure(c.view(42, 116), f)
        frames.append(c)
    return sheet.place_frames(frames, bottom=116)


def portrait():
    """The big head."""
    c = Canvas(80, 80)
    v = c.view(40, 80)
    v.fill(Poly((-26, 0), (-20, -14), (20, -14), (26, 0)), SUIT)
    v.fill(Poly((-5, -14), (5, -14), (0, -4)), SHIRT)
    v.fill(Poly((-1.5, -13), (1.5, -13), (2, -4), (0, -1), (-2, -4)), TIE)
    head(v.sub(0, -44), 31)
    c.ring(OUTLINE)
    return c
