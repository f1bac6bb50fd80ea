"""Character 4: a man with black hair and glasses in a pink top and a green
ballet tutu. Tall: nearly the whole cell.

Loop: dancing with legs crossed; leaping with one leg raised; a pirouette on
one leg; arms raised over the head.
"""

from raster import Canvas, Capsule, Circle, Ellipse, Limb, Poly, Rect, OUTLINE, WHITE
from parts import eye
import sheet

SKIN = (250, 206, 168)
SKIN_DARK = (222, 168, 130)
HAIR = (28, 26, 34)
TOP = (250, 120, 180)
TOP_DARK = (214, 80, 146)
TUTU = (60, 200, 90)
TUTU_DARK = (30, 140, 60)
TIGHTS = (250, 232, 236)
TIGHTS_DARK = (220, 196, 206)
SHOE = (240, 120, 170)
LENS = (200, 236, 250)
SWISH = (140, 220, 255)


def head(v, smile=True):
    """Face centred on (0, 0), looking left."""
    v.fill(Ellipse(3, -5, 12, 10), HAIR)
    v.fill(Ellipse(6, 2, 3, 4), SKIN)
    v.fill(Ellipse(-3, 2, 11, 12), SKIN)
    # A neat black fringe with a parting.
    v.fill(Poly((-15, -2), (-12, -10), (-4, -14), (6, -14), (12, -8), (4, -8), (-2, -5), (-9, -4)), HAIR)
    # Round glasses.
    for ex in (-9, 0):
        v.fill(Circle(ex, 2, 4), LENS)
        eye(v, ex - 0.5, 2.5, 1.3, 1.8, shine=False)
    v.line([(-5, 1), (-4, 1)], OUTLINE)
    v.line([(4, 1), (8, 0)], OUTLINE)
    v.fill(Ellipse(-14, 6, 2.5, 2.5), SKIN)
    # A small black moustache.
    v.fill(Poly((-15, 8), (-11, 6.5), (-7, 7), (-5, 9), (-10, 9.5)), HAIR, outline=None)
    if smile:
        v.line([(-11, 11), (-8, 12), (-5, 11)], OUTLINE)
    v.paint(Ellipse(-1, 9, 2, 1.3), (246, 150, 150))


def tutu(v):
    # A stiff green disc with a zig-zag rim, seen a little from above.
    rim = []
    for k in range(13):
        x = -25 + k * 50 / 12
        rim.append((x, 3 if k % 2 == 0 else 7))
    v.fill(Poly((-25, -3), (-12, -8), (12, -8), (25, -3), *reversed(rim)), TUTU)
    v.fill(Ellipse(0, -3, 20, 3.4), TUTU_DARK)
    v.line([(-20, 0), (-14, 4)], TUTU_DARK)
    v.line([(14, 4), (20, 0)], TUTU_DARK)


def leg(v, joints, colour, pointed=True):
    v.fill(Limb(joints, 4.6, 3.4), colour)
    x, y = joints[-1]
    px, py = joints[-2]
    dx, dy = x - px, y - py
    n = max(1e-6, (dx * dx + dy * dy) ** 0.5)
    v.fill(Capsule(x, y, x + dx / n * 5, y + dy / n * 5, 3.2, 2.4), SHOE)


POSES = [
    # far leg, near leg, far arm, near arm; lift raises the whole body.
    dict(legs=[[(4, -50), (-4, -26), (-6, -3)], [(-4, -50), (4, -26), (3, -3)]],
         arms=[[(7, -88), (18, -94), (26, -102)], [(-7, -88), (-18, -82), (-28, -84)]], lift=0),
    dict(legs=[[(4, -50), (18, -42), (30, -40)], [(-4, -50), (-18, -46), (-20, -28)]],
         arms=[[(7, -88), (18, -96), (28, -104)], [(-7, -88), (-20, -94), (-30, -102)]], lift=5),
    dict(legs=[[(4, -50), (16, -36), (2, -28)], [(-2, -50), (-2, -26), (-2, -3)]],
         arms=[[(7, -88), (2, -78), (-8, -76)], [(-7, -88), (-16, -80), (-10, -76)]], lift=0),
    dict(legs=[[(3, -50), (3, -26), (2, -3)], [(-3, -50), (-3, -26), (-3, -3)]],
         arms=[[(7, -88), (16, -110), (4, -128)], [(-7, -88), (-24, -108), (-6, -130)]], lift=0),
]


def figure(v, frame):
    pose = POSES[frame]
    b = v.sub(0, -pose["lift"])
    far_leg, near_leg = pose["legs"]
    far_arm, near_arm = pose["arms"]
    b.fill(Limb(far_arm, 3.6, 3.0), SKIN_DARK)
    b.fill(Circle(*far_arm[-1], 3.4), SKIN_DARK)
    leg(b, far_leg, TIGHTS_DARK)
    leg(b, near_leg, TIGHTS)
    b.fill(Poly((-10, -92), (9, -92), (7, -58), (-8, -58)), TOP)
    b.line([(-1, -80), (-4, -66)], TOP_DARK)
    tutu(b.sub(0, -56))
    b.fill(Rect(-3, -98, 3, -90), SKIN)
    b.fill(Ellipse(-1, -92, 11, 3.5), TOP)
    b.fill(Limb(near_arm, 3.8, 3.2), SKIN)
    b.fill(Circle(*near_arm[-1], 3.6), SKIN)
    head(b.sub(-1, -109))
    if frame == 2:
        # Swishes either side of the skirt: she is spinning.
        for side in (-1, 1):
            b.line([(side * 29, -62), (side * 31, -56), (side * 29, -50)], SWISH, 1)
            b.line([(side * 33, -60), (side * 35, -55), (side * 33, -50)], SWISH, 1)
    if frame == 3:
        # Hands meet above the head, in front of the hair.
        b.fill(Limb(far_arm[1:], 3.4, 3.0), SKIN_DARK)
        b.fill(Limb(near_arm[1:], 3.4, 3.2), SKIN)
        b.fill(Circle(*near_arm[-1], 3.6), SKIN)


def sheet_frames():
    frames = []
    for f in range(4):
        c = sheet.new_cell()
        figure(c.view(40, 136, 0.96), f)
        frames.append(c)
    return sheet.place_frames(frames, bottom=136)


def portrait():
    """The face with its glasses."""
    c = Canvas(80, 80)
    v = c.view(42, 40, 2.1)
    v.fill(Ellipse(-1, 17, 13, 4), TOP)
    head(v)
    c.ring(OUTLINE)
    return c
