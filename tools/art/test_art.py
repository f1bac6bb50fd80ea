"""Checks of the art tool itself: PNG round trips, hard edges, placement.

    python3 tools/art/test_art.py
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import png  # noqa: E402
import sheet  # noqa: E402
from raster import OUTLINE, Canvas, Circle, Rect  # noqa: E402


class PngTest(unittest.TestCase):
    def test_indexed_round_trip_keeps_colours_and_transparency(self):
        px = [(10, 20, 30, 255), (0, 0, 0, 0), (255, 255, 255, 255), (10, 20, 30, 255)] * 3
        w, h, got = png.decode(png.encode(4, 3, px))
        self.assertEqual((w, h), (4, 3))
        self.assertEqual(got, px)

    def test_many_colours_fall_back_to_truecolour(self):
        px = [(i % 256, i // 256, 7) for i in range(40 * 10)]
        w, h, got = png.decode(png.encode(40, 10, px))
        self.assertEqual(got, [p + (255,) for p in px])

    def test_output_is_deterministic(self):
        px = [(i * 37 % 256, 0, 0) for i in range(64)]
        self.assertEqual(png.encode(8, 8, px), png.encode(8, 8, px))

    def test_refuses_wrong_sizes_and_partial_alpha(self):
        with self.assertRaises(ValueError):
            png.encode(2, 2, [(0, 0, 0)] * 3)
        with self.assertRaises(ValueError):
            png.encode(1, 1, [(0, 0, 0, 128)])


class RasterTest(unittest.TestCase):
    def test_filled_shape_has_hard_edges_and_its_own_outline(self):
        c = Canvas(20, 20)
        c.view().fill(Circle(10, 10, 6), (200, 0, 0))
        colours = {p for p in c.px if p is not None}
        self.assertEqual(colours, {(200, 0, 0), OUTLINE})
        # The outline is exactly the region's pixels that touch the outside.
        for y in range(20):
            for x in range(20):
                p = c.get(x, y)
                if p is None:
                    continue
                touches = any(c.get(x + dx, y + dy) is None
                              for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                self.assertEqual(p == OUTLINE, touches, (x, y))

    def test_views_scale_and_flip(self):
        c = Canvas(20, 10)
        c.view(10, 0, 2, flip=True).paint(Rect(0, 0, 2, 2), (1, 2, 3))
        drawn = sorted((x, y) for y in range(10) for x in range(20) if c.get(x, y) is not None)
        self.assertEqual(drawn, [(x, y) for x in range(6, 10) for y in range(4)])

    def test_ring_surrounds_everything_drawn(self):
        c = Canvas(5, 5)
        c.set(2, 2, (9, 9, 9))
        c.ring(OUTLINE)
        self.assertEqual(c.opaque_bounds(), (1, 1, 3, 3))
        self.assertEqual(c.get(2, 1), OUTLINE)
        self.assertIsNone(c.get(1, 1))


class SheetTest(unittest.TestCase):
    def frame(self, top, bottom):
        c = sheet.new_cell()
        c.view().paint(Rect(30, top, 50, bottom), (0, 128, 0))
        return c

    def test_frames_move_together_onto_the_walking_row(self):
        placed = sheet.place_frames([self.frame(10, 60), self.frame(20, 50)] * 2, bottom=96)
        self.assertEqual(max(f.opaque_bounds()[3] for f in placed), 96)
        self.assertEqual(placed[1].opaque_bounds()[1] - placed[0].opaque_bounds()[1], 10)

    def test_a_figure_at_the_wrong_height_or_on_the_border_is_refused(self):
        with self.assertRaises(ValueError):
            sheet.place_frames([self.frame(10, 60)] * 4, bottom=96, top=18)
        with self.assertRaises(ValueError):
            sheet.place_frames([self.frame(0, 139)] * 4, bottom=139)

    def test_mask_is_black_exactly_where_something_was_drawn(self):
        frames = sheet.place_frames([self.frame(40, 80)] * 4, bottom=100)
        px = sheet.sheet_pixels(frames)
        for y in range(140):
            for x in range(320):
                image, mask = px[y * 320 + x], px[(y + 140) * 320 + x]
                self.assertIn(mask, ((0, 0, 0), (255, 255, 255)))
                self.assertEqual(mask == (255, 255, 255), image == (255, 255, 255))


if __name__ == "__main__":
    unittest.main()
