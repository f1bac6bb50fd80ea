"""Character 2: a robot dog. A large grey patched head under a cyan cap, pink
ear pads, a small four-legged grey body and a curled tail. Occupies rows 16 to
113 of its cell.

Loop: trotting with eyes open, the other leg phase, standing on four legs,
sitting up with its eyes squeezed shut.
"""

from raster import Canvas, Capsule, Circle, Ellipse, Limb, Poly, Rect, OUTLINE, WHITE
from parts import closed_eye
import sheet

METAL = (168, 172, 180)
METAL_DARK = (118, 122, 134)
METAL_LIGHT = (214, 218, 226)
PATCH = (132, 136, 150)
CAP = (40, 210, 230)
CAP_DARK = (20, 150, 176)
PAD = (250, 150, 190)
EYE = (24, 22, 30)
NOSE = (30, 28, 36)
TONGUE = (236, 90, 110)


def head(v, eyes_open=True):
    """The head centred on (0, 0), facing left; about 52 wide, 50 tall with the cap."""
    v.fill(Ellipse(0, 0, 23, 20), METAL)
    # Riveted patches.
    v.fill(Rect(3, 6, 14, 14), PATCH)
    v.fill(Poly((8, -12), (18, -10), (17, -2), (9, -3)), PATCH)
    for x, y in ((4.5, 7.5), (12.5, 7.5), (4.5, 12.5), (12.5, 12.5), (10, -10), (16, -4)):
        v.dot(x, y, METAL_LIGHT, 1)
    # Muzzle and nose point left.
    v.fill(Ellipse(-20, 8, 11, 8), METAL_LIGHT)
    v.fill(Ellipse(-29, 4, 4.5, 3.5), NOSE)
    v.dot(-30, 2.5, WHITE, 1)
    v.line([(-26, 12), (-20, 14), (-14, 12)], OUTLINE)
    if eyes_open:
        for ex in (-15, -3):
            v.fill(Circle(ex, -3, 5), WHITE)
            v.fill(Circle(ex - 1.5, -2.5, 2.8), EYE, outline=None)
            v.dot(ex - 2.5, -4, WHITE, 1)
    else:
        closed_eye(v.sub(-15, -3, 1.0, flip=True), 0, 0, 4)
        closed_eye(v, -3, -3, 4)
        v.fill(Ellipse(-19, 16, 3, 2.5), TONGUE)
    # Round pink ear pad on the side of the head.
    v.fill(Circle(13, -1, 7.5), METAL_DARK)
    v.fill(Circle(13, -1, 5), PAD)
    # Cyan cap with its brim to the left.
    v.fill(Ellipse(-21, -17, 13, 3.6), CAP_DARK)
    v.fill(Ellipse(2, -17, 20, 13) - Rect(-30, -16, 30, 20), CAP)
    v.fill(Rect(-18, -19, 22, -15), CAP_DARK)
    v.fill(Circle(2, -31, 3), CAP_DARK)


TROT = [
    # (hip/shoulder x, foot x) for far front, near front, far back, near back
    [(-8, -13), (-4, 3), (16, 21), (20, 11)],
    [(-8, -1), (-4, -10), (16, 10), (20, 24)],
    [(-8, -8), (-4, -4), (16, 16), (20, 20)],
]


def body_on_legs(v, phase):
    v.fill(Limb([(22, -28), (29, -33), (30, -40), (26, -43), (23, -40), (25, -37)], 2.6, 2.0), METAL)
    legs = TROT[phase]
    for k in (0, 2):
        hx, fx = legs[k]
        v.fill(Capsule(hx, -22, fx, -3, 3.4), METAL_DARK)
        v.fill(Ellipse(fx - 1.5, -2, 4.5, 2.6), METAL_DARK)
    v.fill(Ellipse(6, -26, 19, 10), METAL)
    v.fill(Rect(0, -32, 10, -22), PATCH)
    for k in (1, 3):
        hx, fx = legs[k]
        v.fill(Capsule(hx, -22, fx, -3, 3.6), METAL)
        v.fill(Ellipse(fx - 1.5, -2, 4.8, 2.8), METAL)


def sitting(v):
    v.fill(Limb([(20, -6), (28, -10), (30, -18), (25, -21), (22, -17), (25, -14)], 2.6, 2.0), METAL)
    v.fill(Ellipse(6, -24, 13, 17), METAL)
    v.fill(Rect(4, -30, 14, -20), PATCH)
    # Folded hind leg with its foot forward.
    v.fill(Ellipse(12, -9, 10, 8), METAL)
    v.fill(Ellipse(0, -2, 8, 3), METAL)
    # Front paws held up, begging.
    v.fill(Limb([(-2, -30), (-10, -32), (-12, -38)], 3.4), METAL_DARK)
    v.fill(Limb([(0, -28), (-8, -28), (-11, -33)], 3.6), METAL)


def figure(v, frame):
    if frame < 3:
        body_on_legs(v, frame)
        head(v.sub(-9, -52), eyes_open=frame != 3)
    else:
        sitting(v)
        head(v.sub(-8, -61), eyes_open=False)


def sheet_frames():
    frames = []
    for f in range(4):
        c = sheet.new_cell()
        figure(c.view(45, 113), f)
        frames.append(c)
    return sheet.place_frames(frames, bottom=113, top=16)


def portrait():
    """The face with its eyes squeezed shut."""
    c = Canvas(80, 80)
    head(c.view(48, 49, 1.22), eyes_open=False)
    c.ring(OUTLINE)
    return c
