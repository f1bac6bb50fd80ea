"""Character 1: a man with a big orange curly mop of hair, a big nose, yellow
shirt, red scarf, blue trousers and green shoes. Tall: nearly the whole cell.

Loop: standing upright; walking with arms stretched out; hands on hips with a
grey beard, scowling; heart-shaped eyes and red cheeks, waving.
"""

from raster import Canvas, Circle, Ellipse, Heart, Limb, Poly, Rect, OUTLINE, WHITE
from parts import arm, eye, leg
import sheet

SKIN = (250, 204, 160)
SKIN_DARK = (226, 160, 120)
HAIR = (246, 138, 28)
HAIR_DARK = (196, 90, 16)
SHIRT = (250, 222, 52)
SHIRT_DARK = (214, 178, 30)
SCARF = (216, 34, 40)
SCARF_DARK = (150, 20, 28)
TROUSERS = (48, 80, 192)
TROUSERS_DARK = (34, 56, 140)
SHOES = (40, 164, 64)
BEARD = (176, 176, 184)
CHEEK = (240, 70, 80)
HEART = (230, 20, 60)

# Curls of the mop, as circles around the head (x, y, r), drawn back to front.
CURLS = [(14, -6, 9), (16, 4, 8), (12, 12, 7), (8, -14, 9), (-2, -18, 9), (-12, -16, 8),
         (-18, -8, 7), (20, -14, 7), (6, -22, 8), (18, 12, 6), (-6, -24, 6), (4, 18, 6)]


def head(v, mood="plain"):
    """Head centred on the face (0, 0): mop, face, big nose; mood is plain,
    angry or love."""
    mop = Circle(2, -4, 18)
    for x, y, r in CURLS:
        mop = mop | Circle(x, y, r)
    v.fill(mop, HAIR)
    # Curl marks inside the mop.
    for x, y, r in CURLS:
        v.paint(Circle(x, y, r * 0.5) - Circle(x - 1.2, y - 1.2, r * 0.5), HAIR_DARK)
    # Ear on the visible side.
    v.fill(Ellipse(8, 2, 3.5, 5), SKIN)
    face = Ellipse(-5, 3, 11, 13)
    v.fill(face, SKIN)
    # The fringe falls over the forehead.
    v.fill(Circle(-8, -9, 6) | Circle(0, -10, 6) | Circle(-14, -4, 4.5), HAIR)
    if mood == "angry":
        v.fill(Poly((-16, 6), (4, 6), (4, 12), (-2, 19), (-10, 19), (-16, 13)), BEARD)
        v.line([(-14, -2), (-8, 0)], OUTLINE, 2)
        v.line([(-4, 0), (1, -2)], OUTLINE, 2)
        eye(v, -10, 3, 1.6, 2.0, shine=False)
        eye(v, -2, 3, 1.6, 2.0, shine=False)
        v.line([(-12, 14), (-8, 12), (-4, 14)], OUTLINE, 1)
    elif mood == "love":
        v.fill(Heart(-11, 2, 3.6), HEART, outline=None)
        v.fill(Heart(-1, 2, 3.6), HEART, outline=None)
        v.paint(Ellipse(-13, 9, 3, 2), CHEEK)
        v.paint(Ellipse(3, 9, 3, 2), CHEEK)
        v.fill(Ellipse(-8, 14, 4, 2.5), (150, 30, 40))
    else:
        eye(v, -10, 2, 2.0, 3.0)
        eye(v, -1, 2, 2.0, 3.0)
        v.line([(-12, -3), (-8, -4)], OUTLINE, 1)
        v.line([(-3, -4), (1, -3)], OUTLINE, 1)
        v.line([(-11, 13), (-7, 15), (-3, 14)], OUTLINE, 1)
    # The big nose pokes out to the left.
    v.fill(Ellipse(-16, 7, 7, 5.5), SKIN)
    v.paint(Ellipse(-14, 9, 2, 1.2), SKIN_DARK)


def scarf(v, flutter):
    v.fill(Poly((4, -2), (16, -6 + flutter), (26, -2 + flutter * 2), (20, 4), (6, 5)), SCARF)
    v.fill(Ellipse(0, 0, 11, 5), SCARF)
    v.line([(-8, 1), (8, 1)], SCARF_DARK)
    v.fill(Poly((-4, 2), (2, 2), (3, 13), (-5, 12)), SCARF)


POSES = {
    # far arm, near arm (shoulder, elbow, hand), far leg, near leg (hip, knee, ankle)
    "stand": ([(6, -84), (8, -68), (7, -54)], [(-6, -84), (-8, -68), (-8, -54)],
              [(5, -48), (5, -26), (5, -4)], [(-4, -48), (-4, -26), (-5, -4)]),
    "walk": ([(6, -84), (20, -82), (32, -84)], [(-6, -84), (-20, -84), (-32, -86)],
             [(5, -48), (12, -26), (16, -5)], [(-4, -48), (-10, -27), (-16, -5)]),
    "hips": ([(6, -84), (18, -72), (9, -58)], [(-6, -84), (-19, -72), (-8, -58)],
             [(5, -48), (9, -26), (11, -4)], [(-4, -48), (-8, -26), (-10, -4)]),
    "wave": ([(6, -84), (8, -68), (7, -54)], [(-6, -84), (-24, -90), (-30, -110)],
             [(5, -48), (5, -26), (5, -4)], [(-4, -48), (-6, -26), (-8, -4)]),
}


def figure(v, frame):
    pose = ["stand", "walk", "hips", "wave"][frame]
    far_arm, near_arm, far_leg, near_leg = POSES[pose]
    arm(v, far_arm, SHIRT_DARK, SKIN, r=4.2)
    leg(v, far_leg, TROUSERS_DARK, SHOES, r=5.5)
    leg(v, near_leg, TROUSERS, SHOES, r=5.5)
    # Shirt: a loose top hanging to the hips.
    v.fill(Poly((-11, -88), (10, -88), (13, -46), (-13, -46)), SHIRT)
    v.fill(Rect(-13, -50, 13, -44), TROUSERS)
    v.line([(-1, -84), (-1, -52)], SHIRT_DARK)
    for y in (-76, -66, -56):
        v.dot(-3, y, SHIRT_DARK, 2)
    if pose != "wave":
        arm(v, near_arm, SHIRT, SKIN, r=4.4)
    head(v.sub(-2, -106), {"hips": "angry", "wave": "love"}.get(pose, "plain"))
    scarf(v.sub(0, -85), 3 if pose == "walk" else 0)
    if pose == "wave":
        arm(v, near_arm, SHIRT, SKIN, r=4.4)
        # Fingers spread in the wave.
        hx, hy = near_arm[-1]
        for dx, dy in ((-5, -3), (-3, -6), (0, -7), (3, -5)):
            v.fill(Limb([(hx, hy), (hx + dx, hy + dy)], 1.6), SKIN)
        v.fill(Circle(hx, hy, 4.2), SKIN)


def sheet_frames():
    frames = []
    for f in range(4):
        c = sheet.new_cell()
        figure(c.view(42, 136, 0.95), f)
        frames.append(c)
    return sheet.place_frames(frames, bottom=136)


def portrait():
    """The face with heart eyes."""
    c = Canvas(80, 80)
    v = c.view(47, 39, 1.2)
    scarf(v.sub(-1, 18), 0)
    head(v.sub(-2, 0), "love")
    c.ring(OUTLINE)
    return c
