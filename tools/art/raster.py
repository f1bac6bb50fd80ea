"""Flat-colour drawing without anti-aliasing.

Shapes are regions in design units; a View maps design units to pixels
(offset, scale, optional left-right flip). A pixel belongs to a shape when its
centre lies inside, so every edge is hard and every colour is exactly the one
asked for. A filled shape gets its own outline: the pixels of the region that
touch a pixel outside it.
"""

import math

OUTLINE = (36, 26, 34)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


class Shape:
    def __or__(self, other):
        return Union(self, other)

    def __sub__(self, other):
        return Minus(self, other)

    def __and__(self, other):
        return Inter(self, other)


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry=None, angle=0.0):
        self.cx, self.cy, self.rx = cx, cy, rx
        self.ry = rx if ry is None else ry
        self.cos, self.sin = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def bbox(self):
        r = max(self.rx, self.ry)
        return self.cx - r, self.cy - r, self.cx + r, self.cy + r

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        u = dx * self.cos + dy * self.sin
        v = -dx * self.sin + dy * self.cos
        return (u / self.rx) ** 2 + (v / self.ry) ** 2 <= 1.0


def Circle(cx, cy, r):
    return Ellipse(cx, cy, r, r)


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.x0, self.y0 = min(x0, x1), min(y0, y1)
        self.x1, self.y1 = max(x0, x1), max(y0, y1)

    def bbox(self):
        return self.x0, self.y0, self.x1, self.y1

    def contains(self, x, y):
        return self.x0 <= x <= self.x1 and self.y0 <= y <= self.y1


class Poly(Shape):
    def __init__(self, *points):
        self.pts = list(points)

    def bbox(self):
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        return min(xs), min(ys), max(xs), max(ys)

    def contains(self, x, y):
        inside = False
        n = len(self.pts)
        for i in range(n):
            x0, y0 = self.pts[i]
            x1, y1 = self.pts[(i + 1) % n]
            if (y0 > y) != (y1 > y):
                xc = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                if x < xc:
                    inside = not inside
        return inside


class Capsule(Shape):
    """A thick segment with round ends; the radius may taper from r0 to r1."""

    def __init__(self, x0, y0, x1, y1, r0, r1=None):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.r0, self.r1 = r0, r0 if r1 is None else r1

    def bbox(self):
        r = max(self.r0, self.r1)
        return (min(self.x0, self.x1) - r, min(self.y0, self.y1) - r,
                max(self.x0, self.x1) + r, max(self.y0, self.y1) + r)

    def contains(self, x, y):
        dx, dy = self.x1 - self.x0, self.y1 - self.y0
        ll = dx * dx + dy * dy
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - self.x0) * dx + (y - self.y0) * dy) / ll))
        px, py = self.x0 + t * dx, self.y0 + t * dy
        r = self.r0 + (self.r1 - self.r0) * t
        return (x - px) ** 2 + (y - py) ** 2 <= r * r


def Limb(points, r0, r1=None):
    """A bent limb through several joints, tapering from r0 to r1 over its length."""
    r1 = r0 if r1 is None else r1
    n = len(points) - 1
    parts = []
    for i in range(n):
        a, b = points[i], points[i + 1]
        parts.append(Capsule(a[0], a[1], b[0], b[1], r0 + (r1 - r0) * i / n,
                             r0 + (r1 - r0) * (i + 1) / n))
    return Union(*parts)


def Star(cx, cy, r_out, r_in, points=5, angle=-90.0):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(angle + i * 180.0 / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return Poly(*pts)


def Heart(cx, cy, r):
    return Union(Circle(cx - r * 0.5, cy - r * 0.2, r * 0.55), Circle(cx + r * 0.5, cy - r * 0.2, r * 0.55),
                 Poly((cx - r * 1.02, cy - r * 0.05), (cx + r * 1.02, cy - r * 0.05), (cx, cy + r)))


class Union(Shape):
    def __init__(self, *parts):
        self.parts = parts

    def bbox(self):
        boxes = [p.bbox() for p in self.parts]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes),
                max(b[2] for b in boxes), max(b[3] for b in boxes))

    def contains(self, x, y):
        return any(p.contains(x, y) for p in self.parts)


class Minus(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def bbox(self):
        return self.a.bbox()

    def contains(self, x, y):
        return self.a.contains(x, y) and not self.b.contains(x, y)


class Inter(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def bbox(self):
        return self.a.bbox()

    def contains(self, x, y):
        return self.a.contains(x, y) and self.b.contains(x, y)


class Canvas:
    """Pixels are colours or None (nothing drawn: transparent)."""

    def __init__(self, width, height, ground=None):
        self.w, self.h = width, height
        self.px = [ground] * (width * height)

    def view(self, ox=0.0, oy=0.0, s=1.0, flip=False):
        return View(self, ox, oy, s, flip)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def set(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = colour

    def opaque_bounds(self):
        xs, ys = [], []
        for y in range(self.h):
            for x in range(self.w):
                if self.px[y * self.w + x] is not None:
                    xs.append(x)
                    ys.append(y)
        if not xs:
            return None
        return min(xs), min(ys), max(xs), max(ys)

    def ring(self, colour, ground=None):
        """Adds a one-pixel ring of colour around everything drawn, so a figure
        stays readable over a busy background."""
        add = []
        for y in range(self.h):
            for x in range(self.w):
                if self.px[y * self.w + x] is not ground:
                    continue
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < self.w and 0 <= ny < self.h and self.px[ny * self.w + nx] is not ground:
                        add.append((x, y))
                        break
        for x, y in add:
            self.px[y * self.w + x] = colour

    def shifted(self, dx, dy):
        out = Canvas(self.w, self.h)
        for y in range(self.h):
            for x in range(self.w):
                c = self.px[y * self.w + x]
                if c is not None:
                    out.set(x + dx, y + dy, c)
        return out

    def blit(self, other, x0, y0):
        for y in range(other.h):
            for x in range(other.w):
                c = other.px[y * other.w + x]
                if c is not None:
                    self.set(x0 + x, y0 + y, c)


class View:
    """Draws shapes given in design units onto a canvas."""

    def __init__(self, canvas, ox, oy, s, flip):
        self.c, self.ox, self.oy, self.s, self.flip = canvas, ox, oy, s, flip

    def sub(self, dx, dy, s=1.0, flip=False):
        """A view whose origin is (dx, dy) in this view's units, scaled by s."""
        px, py = self.to_px(dx, dy)
        return View(self.c, px, py, self.s * s, self.flip != flip)

    def to_px(self, x, y):
        return (self.ox - x * self.s if self.flip else self.ox + x * self.s), self.oy + y * self.s

    def to_design(self, px, py):
        x = (self.ox - px) / self.s if self.flip else (px - self.ox) / self.s
        return x, (py - self.oy) / self.s

    def pixels(self, shape):
        x0, y0, x1, y1 = shape.bbox()
        ax, ay = self.to_px(x0, y0)
        bx, by = self.to_px(x1, y1)
        px0 = max(0, int(math.floor(min(ax, bx))) - 1)
        px1 = min(self.c.w - 1, int(math.ceil(max(ax, bx))) + 1)
        py0 = max(0, int(math.floor(min(ay, by))) - 1)
        py1 = min(self.c.h - 1, int(math.ceil(max(ay, by))) + 1)
        got = set()
        for py in range(py0, py1 + 1):
            for px in range(px0, px1 + 1):
                x, y = self.to_design(px + 0.5, py + 0.5)
                if shape.contains(x, y):
                    got.add((px, py))
        return got

    def fill(self, shape, colour, outline=OUTLINE, width=1):
        region = self.pixels(shape)
        edge = set()
        if outline is not None:
            inner = region
            for _ in range(width):
                keep = set()
                for (x, y) in inner:
                    if all((x + dx, y + dy) in inner for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                        keep.add((x, y))
                edge |= inner - keep
                inner = keep
        for (x, y) in region:
            self.c.set(x, y, outline if (x, y) in edge else colour)
        return region

    def paint(self, shape, colour):
        return self.fill(shape, colour, outline=None)

    def dot(self, x, y, colour, size=1):
        px, py = self.to_px(x, y)
        px, py = int(math.floor(px)), int(math.floor(py))
        for j in range(size):
            for i in range(size):
                self.c.set(px + i, py + j, colour)

    def line(self, points, colour, pen=1):
        """A hard pixel line (pen pixels wide) through design points."""
        pts = [self.to_px(x, y) for x, y in points]
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            x0, y0 = int(math.floor(ax)), int(math.floor(ay))
            x1, y1 = int(math.floor(bx)), int(math.floor(by))
            dx, dy = abs(x1 - x0), -abs(y1 - y0)
            sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
            err = dx + dy
            while True:
                for j in range(pen):
                    for i in range(pen):
                        self.c.set(x0 + i, y0 + j, colour)
                if x0 == x1 and y0 == y1:
                    break
                e2 = 2 * err
                if e2 >= dy:
                    err += dy
                    x0 += sx
                if e2 <= dx:
                    err += dx
                    y0 += sy
