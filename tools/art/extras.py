"""The pictures besides the sprite sheets: icons, the invisible pointer, the
preview picture, the logo and the cyclists."""

from raster import Canvas, Capsule, Circle, Ellipse, Limb, Poly, Rect, OUTLINE, WHITE, BLACK
from cast import cat, mop_man, robot_dog, rabbit

ICON_GROUND = (206, 232, 250)


def on_ground(canvas, ground):
    out = Canvas(canvas.w, canvas.h, ground)
    out.blit(canvas, 0, 0)
    return out


def program_icon():
    """32 x 32, the cat's face on a pale sky ground, nothing transparent."""
    c = Canvas(32, 32)
    cat.head(c.view(16.5, 19, 0.66))
    c.ring(OUTLINE)
    return on_ground(c, ICON_GROUND)


def standing_cat():
    """80 x 80, the whole cat standing, on white."""
    c = Canvas(80, 80)
    cat.figure(c.view(40, 79), 0, None)
    c.ring(OUTLINE)
    return on_ground(c, WHITE)


def invisible_pointer():
    return Canvas(32, 32)


def preview():
    """175 x 140: characters 0 to 3 on black. A small host pane shows only the
    top-left 152 x 112, so the group stands inside that part."""
    c = Canvas(175, 140)
    mop_man.figure(c.view(30, 109, 0.78), 3)
    rabbit.figure(c.view(128, 110, 0.78), 0)
    robot_dog.figure(c.view(88, 110, 0.72), 2)
    cat.figure(c.view(48, 110, 0.62), 0, None)
    c.ring(OUTLINE)
    return on_ground(c, BLACK)


# A 5 x 7 pixel alphabet, just the letters the logo needs.
GLYPHS = {
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
}
LOGO_GROUND = (28, 56, 168)
LOGO_INK = (255, 230, 80)


def lettering(c, text, x0, y0, scale, ink, shadow):
    x = x0
    for ch in text:
        rows = GLYPHS[ch]
        for j, row in enumerate(rows):
            for i, bit in enumerate(row):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            c.set(x + i * scale + dx + 1, y0 + j * scale + dy + 1, shadow)
        for j, row in enumerate(rows):
            for i, bit in enumerate(row):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            c.set(x + i * scale + dx, y0 + j * scale + dy, ink)
        x += (len(rows[0]) + 1) * scale


def logo():
    """50 x 50: lettering above a small bicycle, on blue."""
    c = Canvas(50, 50, LOGO_GROUND)
    lettering(c, "QOR", 7, 4, 2, LOGO_INK, (10, 20, 80))
    v = c.view(0, 0)
    bike(v.sub(9, 26, 1.0), (250, 250, 250), (250, 250, 250), spokes=None)
    v.line([(4, 45), (46, 45)], (120, 160, 240))
    return c


def bike(v, frame_colour, tyre, spokes=(190, 190, 200)):
    """A racing bicycle facing left, wheels at (5, 13) and (26, 13), radius 6."""
    for wx in (5, 26):
        v.fill(Circle(wx, 13, 6.5) - Circle(wx, 13, 4.6), tyre, outline=None)
        if spokes:
            v.line([(wx - 4, 13), (wx + 4, 13)], spokes)
            v.line([(wx, 9), (wx, 17)], spokes)
        v.dot(wx, 13, frame_colour, 1)
    # Frame: rear hub, crank, seat, head tube, front hub.
    v.line([(26, 13), (16, 13), (20, 4), (26, 13)], frame_colour)
    v.line([(16, 13), (8, 4), (20, 4)], frame_colour)
    v.line([(8, 4), (5, 13)], frame_colour)
    v.line([(8, 4), (7, 2), (5, 3)], frame_colour)
    v.line([(19, 3), (23, 3)], frame_colour)


JERSEYS = [(0, 112, 112), (30, 200, 236), (222, 32, 40), (40, 72, 222)]
RIDER_SKIN = (250, 200, 160)
RIDER_SKIN_DARK = (220, 164, 126)
SHORTS = (30, 30, 38)
HELMET = (250, 250, 250)


def cyclist(jersey):
    """32 x 32: a racing cyclist bent low over the bars, riding left; all
    around rider and bicycle stays transparent."""
    c = Canvas(32, 32)
    v = c.view(0, 0)
    b = v.sub(0, 13)
    bike(b, (232, 232, 240), (40, 40, 48))
    # Far leg, body, near leg, arm, head.
    v.fill(Limb([(20, 16), (17, 21)], 2.0), SHORTS, outline=None)
    v.fill(Limb([(17, 21), (18, 26)], 1.4), RIDER_SKIN_DARK, outline=None)
    v.fill(Circle(20.5, 16, 2.8), SHORTS, outline=None)
    v.fill(Limb([(21, 14), (14, 9.5), (10, 10)], 3.6, 3.0), jersey)
    v.fill(Limb([(20, 16), (14, 20)], 2.2), SHORTS, outline=None)
    v.fill(Limb([(14, 20), (15, 26)], 1.5), RIDER_SKIN, outline=None)
    v.dot(14.5, 26, (232, 232, 240), 2)
    v.fill(Limb([(12, 10), (9, 13)], 1.7), jersey, outline=None)
    v.fill(Limb([(9, 13), (7, 16)], 1.4), RIDER_SKIN, outline=None)
    v.fill(Circle(7, 8, 3.2), RIDER_SKIN)
    v.fill(Ellipse(8, 6.5, 4.2, 2.8) - Rect(0, 7.6, 20, 20), HELMET)
    v.fill(Poly((10.5, 5), (15, 6), (11, 8)), HELMET, outline=None)
    v.dot(5, 8, OUTLINE, 1)
    return c
