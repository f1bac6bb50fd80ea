"""Character 5: a woman with long curly brown hair, a cyan blouse, an orange
and magenta skirt and red shoes, holding a round black bomb. Tall.

Loop: holding the bomb; the fuse sparking; the bomb exploding in front of her
face in a star-shaped flash; her face blackened and her hair singed dark.
"""

from raster import Canvas, Capsule, Circle, Ellipse, Limb, Poly, Rect, Star, OUTLINE, WHITE
from parts import eye, leg
import sheet

SKIN = (252, 210, 178)
SKIN_DARK = (226, 170, 140)
SOOT = (74, 66, 70)
HAIR = (150, 84, 40)
HAIR_DARK = (108, 58, 26)
SINGED = (52, 38, 34)
SINGED_DARK = (30, 22, 22)
BLOUSE = (60, 212, 232)
BLOUSE_DARK = (30, 160, 190)
SKIRT_TOP = (250, 150, 36)
SKIRT_LOW = (222, 40, 160)
SHOES = (222, 30, 40)
LIPS = (220, 50, 80)
BOMB = (34, 32, 40)
BOMB_SHINE = (120, 120, 140)
FUSE = (200, 170, 110)
FLASH = [(255, 250, 180), (255, 220, 40), (250, 120, 30)]

# Curls of the long hair around and behind the head (x, y, r).
CURLS = [(6, -10, 9), (11, -2, 8), (12, 8, 7), (13, 17, 7), (11, 26, 6), (4, 24, 6),
         (-2, -14, 8), (-10, -12, 7), (8, 4, 8), (6, 14, 7), (-14, -6, 5)]


def hair(v, singed):
    mass = Circle(3, 0, 13)
    for x, y, r in CURLS:
        mass = mass | Circle(x, y, r)
    colour, dark = (SINGED, SINGED_DARK) if singed else (HAIR, HAIR_DARK)
    if singed:
        # Frizzled: spikes stand out all round.
        for k, (x, y, r) in enumerate(CURLS):
            mass = mass | Star(x, y, r + 2.5, r * 0.6, points=5, angle=k * 23)
    v.fill(mass, colour)
    for x, y, r in CURLS:
        v.paint(Circle(x, y, r * 0.5) - Circle(x - 1.2, y - 1.2, r * 0.5), dark)


def face(v, sooty=False):
    skin = SOOT if sooty else SKIN
    v.fill(Ellipse(-3, 2, 10, 12), skin)
    if sooty:
        # Wide white eyes in a blackened face.
        for ex in (-9, -1):
            v.fill(Circle(ex, 1, 2.8), WHITE)
            v.dot(ex - 1, 1, OUTLINE, 1)
        v.fill(Ellipse(-6, 10, 3, 2), (160, 40, 60))
    else:
        eye(v, -9, 1, 1.8, 2.8)
        eye(v, -1, 1, 1.8, 2.8)
        v.line([(-11, -3), (-8, -4)], OUTLINE)
        v.line([(-3, -4), (0, -3)], OUTLINE)
        v.paint(Ellipse(-7, 10, 2.5, 1.2), LIPS)
        v.paint(Ellipse(1, 6, 2, 1.2), (246, 160, 160))
    v.fill(Ellipse(-13, 4, 2, 2), skin)
    # Fringe.
    v.fill(Poly((-13, -4), (-10, -11), (0, -13), (5, -8), (-2, -7), (-8, -5)),
           SINGED if sooty else HAIR)


def bomb(v, x, y, spark):
    v.fill(Circle(x, y, 9), BOMB)
    v.paint(Ellipse(x - 3, y - 3, 2.2, 3, angle=30), BOMB_SHINE)
    v.fill(Rect(x - 3, y - 12, x + 3, y - 8), BOMB_SHINE)
    # The fuse curls forward, away from her face.
    v.line([(x, y - 12), (x - 2, y - 15), (x - 5, y - 16)], FUSE, 1)
    if spark:
        v.fill(Star(x - 7, y - 18, 7.5, 2.8, points=7, angle=10), FLASH[1])
        v.paint(Circle(x - 7, y - 18, 1.6), WHITE)


def figure(v, frame):
    singed = frame == 3
    head = v.sub(-2, -106)
    hair(head, singed)
    # Legs under the skirt, red shoes.
    leg(v, [(3, -40), (4, -22), (4, -4)], SKIN_DARK, SHOES, r=3.8, shoe_len=6, shoe_h=3.2)
    leg(v, [(-4, -40), (-5, -22), (-6, -4)], SKIN, SHOES, r=3.8, shoe_len=6, shoe_h=3.2)
    # Skirt: orange above, a magenta tier below with a scalloped hem.
    v.fill(Poly((-10, -66), (9, -66), (19, -32), (-21, -32)), SKIRT_LOW)
    v.fill(Poly((-10, -66), (9, -66), (14, -48), (-15, -48)), SKIRT_TOP)
    for k in range(6):
        v.paint(Circle(-17 + k * 7, -33, 2.0), SKIRT_LOW)
    v.fill(Poly((-10, -92), (8, -92), (9, -64), (-10, -64)), BLOUSE)
    v.line([(-1, -90), (-1, -68)], BLOUSE_DARK)
    v.fill(Circle(6, -88, 5), BLOUSE)
    v.fill(Rect(-3, -98, 3, -90), SKIN)
    face(head, singed)
    if frame in (0, 1):
        # Both hands hold the bomb out in front.
        v.fill(Limb([(6, -86), (2, -74), (-12, -72)], 3.2), BLOUSE_DARK)
        bomb(v, -20, -74, spark=frame == 1)
        v.fill(Limb([(-6, -86), (-10, -74), (-18, -68)], 3.4), BLOUSE)
        v.fill(Circle(-20, -68, 3.4), SKIN)
        v.fill(Circle(-13, -72, 3.2), SKIN)
    elif frame == 2:
        v.fill(Limb([(6, -86), (14, -96), (18, -108)], 3.2), BLOUSE_DARK)
        v.fill(Circle(18, -110, 3.2), SKIN_DARK)
        v.fill(Limb([(-6, -86), (-16, -90), (-22, -84)], 3.4), BLOUSE)
        v.fill(Star(-16, -96, 21, 9, points=8, angle=8), FLASH[2])
        v.fill(Star(-16, -96, 14, 6, points=8, angle=30), FLASH[1])
        v.fill(Star(-16, -96, 7, 3.5, points=6, angle=0), FLASH[0])
    else:
        v.fill(Limb([(6, -86), (6, -74), (4, -62)], 3.2), BLOUSE_DARK)
        v.fill(Circle(4, -61, 3.2), SKIN_DARK)
        v.fill(Limb([(-6, -86), (-10, -74), (-10, -62)], 3.4), BLOUSE)
        v.fill(Circle(-10, -61, 3.4), SKIN)
        # A little smoke still rises in front of her.
        for x, y, r in ((-19, -110, 3.6), (-23, -118, 2.8), (-20, -125, 2.2)):
            v.fill(Circle(x, y, r), (160, 160, 168))


def sheet_frames():
    frames = []
    for f in range(4):
        c = sheet.new_cell()
        figure(c.view(41, 136, 1.0), f)
        frames.append(c)
    return sheet.place_frames(frames, bottom=136)


def portrait():
    """Head and shoulders with the sparking bomb."""
    c = Canvas(80, 80)
    v2 = c.view(46, 33, 1.5)
    hair(v2, False)
    v2.fill(Poly((-12, 14), (8, 14), (16, 40), (-20, 40)), BLOUSE)
    v2.fill(Rect(-3, 8, 3, 15), SKIN)
    face(v2)
    bomb(v2, -16, 30, spark=True)
    c.ring(OUTLINE)
    return c
