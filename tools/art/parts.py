"""Body parts that several characters share: limbs ending in a hand or a shoe."""

from raster import Circle, Ellipse, Limb, OUTLINE


def arm(v, joints, sleeve, skin, r=4.0, hand=4.2, cuff=None):
    """An arm through shoulder, elbow and wrist, with a round hand at the wrist."""
    v.fill(Limb(joints, r, r * 0.85), sleeve)
    x, y = joints[-1]
    v.fill(Circle(x, y, hand), skin)
    if cuff:
        px, py = joints[-2]
        t = 0.78
        v.fill(Circle(px + (x - px) * t, py + (y - py) * t, r * 0.9), cuff)


def leg(v, joints, cloth, shoe, r=5.0, shoe_len=7.5, shoe_h=3.6, toe=-1):
    """A leg through hip, knee and ankle; the shoe points the way the figure
    walks (toe -1: left)."""
    v.fill(Limb(joints, r, r * 0.85), cloth)
    x, y = joints[-1]
    v.fill(Ellipse(x + toe * shoe_len * 0.45, y + 1.5, shoe_len, shoe_h), shoe)


def eye(v, x, y, rx=2.2, ry=3.0, shine=True, colour=(20, 18, 26)):
    v.fill(Ellipse(x, y, rx, ry), colour, outline=None)
    if shine:
        v.dot(x - rx * 0.4, y - ry * 0.5, (255, 255, 255), 1)


def closed_eye(v, x, y, w=3.0):
    """An eye squeezed shut: a chevron pointing away from the middle of the face."""
    v.line([(x - w, y - 2), (x + w * 0.3, y), (x - w, y + 2)], OUTLINE, 1)
