"""Character 0: a grey cat standing upright, red bow at the neck, whiskers,
two pink dots on the forehead. Occupies rows 18 to 96 of its cell.

Loop: standing with one paw raised; then three steps, each with a different
colour of stripes on the cheek (blue, violet, light cyan).
"""

from raster import Canvas, Capsule, Circle, Ellipse, Limb, Poly, Rect, WHITE, OUTLINE
import sheet

FUR = (150, 152, 164)
FUR_DARK = (112, 114, 128)
BELLY = (214, 214, 222)
EAR_IN = (240, 160, 180)
PINK = (250, 110, 160)
NOSE = (236, 96, 128)
BOW = (220, 30, 40)
BOW_DARK = (150, 16, 28)
EYE = (20, 20, 28)
WHISKER = (60, 56, 64)
STRIPES = [None, (40, 90, 230), (150, 70, 210), (130, 230, 245)]


def head(v, stripes=None):
    """The head with ears, centred on (0, 0); about 44 wide and 42 tall."""
    # Ears first so the head's outline crosses their roots.
    v.fill(Poly((-19, -6), (-16, -26), (-4, -15)), FUR)
    v.fill(Poly((6, -16), (19, -26), (21, -5)), FUR)
    v.paint(Poly((-16, -9), (-14, -21), (-7, -14)), EAR_IN)
    v.paint(Poly((9, -15), (17, -21), (18, -8)), EAR_IN)
    v.fill(Ellipse(0, 0, 21, 17), FUR)
    # Darker tabby marks on the crown.
    v.paint(Poly((2, -16), (4, -10), (6, -16)), FUR_DARK)
    v.paint(Poly((9, -15), (10, -10), (13, -14)), FUR_DARK)
    # Muzzle, shifted left: the cat looks the way it walks.
    v.fill(Ellipse(-8, 8, 10, 6), BELLY, outline=None)
    v.fill(Ellipse(-11, 3, 3, 2), NOSE)
    v.line([(-11, 5), (-11, 8), (-14, 10)], OUTLINE)
    v.line([(-11, 8), (-8, 10)], OUTLINE)
    # Eyes: big, dark, with a white catch-light.
    for ex in (-12, 2):
        v.fill(Ellipse(ex, -4, 3.6, 5), EYE, outline=None)
        v.dot(ex - 1.5, -7, WHITE, 2)
    # Two pink dots on the forehead.
    v.paint(Circle(-8, -12, 1.8), PINK)
    v.paint(Circle(-2, -12.5, 1.8), PINK)
    # Whiskers reach past the face on both sides.
    v.line([(-17, 6), (-29, 3)], WHISKER)
    v.line([(-17, 9), (-29, 10)], WHISKER)
    v.line([(16, 5), (26, 2)], WHISKER)
    v.line([(16, 8), (26, 9)], WHISKER)
    if stripes:
        for k in range(3):
            v.paint(Rect(8, -1 + k * 4, 15, 0.8 + k * 4), stripes)


def bow(v):
    v.fill(Poly((0, 0), (-9, -5), (-9, 5)), BOW)
    v.fill(Poly((0, 0), (9, -5), (9, 5)), BOW)
    v.fill(Circle(0, 0, 3), BOW_DARK)


# Leg poses (hip, knee/foot) per frame, in body units; the first leg is the far one.
LEGS = [
    [((4, 0), (5, 12)), ((-4, 0), (-5, 12))],      # standing
    [((4, 0), (10, 11)), ((-4, 0), (-10, 11))],    # stride
    [((3, 0), (2, 12)), ((-3, 0), (-1, 11))],      # passing
    [((4, 0), (-8, 11)), ((-4, 0), (8, 11))],      # stride, other foot ahead
]
ARMS = [
    [(-6, 0), (-14, -6), (-16, -15)],              # paw raised beside the face
    [(-6, 0), (-12, 9)],
    [(-6, 0), (-8, 11)],
    [(-6, 0), (-2, 11)],
]


def figure(v, frame, stripes):
    """The whole cat, feet on y = 0, centred on x = 0."""
    hips = (2, -14)
    # Tail curls up behind.
    v.fill(Limb([(12, -12), (22, -16), (24, -26), (20, -33), (16, -31)], 3.2, 2.4), FUR)
    for k, ((hx, hy), (fx, fy)) in enumerate(LEGS[frame]):
        colour = FUR_DARK if k == 0 else FUR
        v.fill(Capsule(hips[0] + hx, hips[1] + hy, hips[0] + fx, hips[1] + fy, 4.2, 3.8), colour)
        v.fill(Ellipse(hips[0] + fx - 2, hips[1] + fy + 1, 5.5, 3), colour)
    v.fill(Ellipse(2, -24, 13, 15), FUR)
    v.fill(Ellipse(-1, -21, 8, 10), BELLY, outline=None)
    # Far arm hangs behind the body.
    v.fill(Capsule(10, -33, 13, -22, 3.4), FUR_DARK)
    sx, sy = -6, -32
    arm = [(sx + x, sy + y) for x, y in ARMS[frame]]
    v.fill(Limb(arm, 3.6, 3.4), FUR)
    px, py = arm[-1]
    v.fill(Circle(px, py, 4.2), FUR)
    head(v.sub(-1, -58), stripes)
    bow(v.sub(-2, -40))


def sheet_frames():
    frames = []
    for f in range(4):
        c = sheet.new_cell()
        figure(c.view(40, 96, 0.9), f, STRIPES[f])
        frames.append(c)
    return sheet.place_frames(frames, bottom=96, top=18)


def portrait():
    """The whole cat with cheek stripes, on white."""
    c = Canvas(80, 80)
    figure(c.view(40, 79), 2, STRIPES[1])
    c.ring(OUTLINE)
    return c
