#!/usr/bin/env python3
"""Draws the icons and pictures compiled into the programs and writes their resource list.

    scripts/gen-resources.py            # rewrites resources/ and platform/qt/vexa_resources.qrc

Every picture is made of simple shapes (rectangles, circles, polygons, thick lines, block letters)
described below in design units, rasterised with supersampling and saved as PNG with nothing but the
standard library. The output is the same byte for byte on every run, so the committed files change
only when a drawing here does. The numbers are those of platform/ui/ResourceIds.h.

Icons are drawn at 16, 24, 32 and 48 pixels with a one-bit mask (every pixel fully opaque or fully
clear; colours inside are smoothed), as the programs draw icons colour-keyed. Pictures are opaque.
"""

import math
import os
import struct
import sys
import zlib

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUT = os.path.join(ROOT, "resources")
QRC = os.path.join(ROOT, "platform", "qt", "vexa_resources.qrc")

ICON_EDGES = (16, 24, 32, 48)

# Colours.
WHITE = (255, 255, 255)
INK = (36, 40, 48)
GREY = (120, 126, 136)
LIGHT = (214, 218, 224)
BLUE = (38, 100, 206)
NAVY = (22, 52, 120)
SKY = (120, 180, 240)
RED = (214, 44, 40)
GREEN = (44, 160, 72)
ORANGE = (240, 140, 30)
YELLOW = (250, 206, 50)
PURPLE = (132, 70, 190)
TEAL = (20, 150, 160)
BROWN = (150, 90, 50)
DIALOG = (225, 186, 139)  # the GPS time dialogs' background


# ---------------------------------------------------------------------------------------------------
# PNG output


def png(path, width, height, rows, alpha):
    """Writes rows of (r, g, b[, a]) tuples as an 8-bit RGB or RGBA PNG."""
    channels = 4 if alpha else 3
    raw = bytearray()
    for row in rows:
        line = bytearray()
        for px in row:
            line.extend(px[:channels])
        # Filter "Sub": each byte minus the one a pixel to the left; smooth rows pack well.
        filtered = bytearray(len(line))
        for i, b in enumerate(line):
            filtered[i] = (b - (line[i - channels] if i >= channels else 0)) & 0xFF
        raw.append(1)
        raw.extend(filtered)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    data += chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------------------------------------------
# Shapes: each is a test "is the design point (x, y) inside?", a bounding box for a quick refusal, and
# a colour (a tuple, a function of the point for gradients, or None to punch a clear hole).


class Canvas:
    def __init__(self, width=32.0, height=32.0):
        self.width = width
        self.height = height
        self.shapes = []

    def add(self, test, box, color):
        self.shapes.append((test, box, color))

    def rect(self, x0, y0, x1, y1, color, radius=0.0):
        def test(x, y):
            if radius <= 0:
                return True
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

        self.add(test, (x0, y0, x1, y1), color)

    def ellipse(self, cx, cy, rx, ry, color, angle=0.0):
        ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))
        r = max(rx, ry)

        def test(x, y):
            dx, dy = x - cx, y - cy
            u, v = dx * ca + dy * sa, -dx * sa + dy * ca
            return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0

        self.add(test, (cx - r, cy - r, cx + r, cy + r), color)

    def circle(self, cx, cy, r, color):
        self.ellipse(cx, cy, r, r, color)

    def ring(self, cx, cy, r, width, color, gap_from=None, gap_to=None):
        """A circle's outline; the angles (degrees, clockwise from the top) of a gap may be given."""

        def test(x, y):
            d = math.hypot(x - cx, y - cy)
            if abs(d - r) > width / 2:
                return False
            if gap_from is None:
                return True
            a = math.degrees(math.atan2(x - cx, cy - y)) % 360
            return not (gap_from <= a <= gap_to or gap_from <= a + 360 <= gap_to)

        e = r + width / 2
        self.add(test, (cx - e, cy - e, cx + e, cy + e), color)

    def polygon(self, points, color):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def test(x, y):
            inside = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    inside = not inside
                j = i
            return inside

        self.add(test, (min(xs), min(ys), max(xs), max(ys)), color)

    def line(self, x0, y0, x1, y1, width, color):
        """A thick line with round ends."""
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-9
        h = width / 2

        def test(x, y):
            t = min(1.0, max(0.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= h * h

        self.add(test, (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h), color)

    def stroke(self, points, width, color):
        """Thick lines through the points in turn."""
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.line(x0, y0, x1, y1, width, color)

    def gear(self, cx, cy, inner, outer, teeth, hole, color):
        def test(x, y):
            d = math.hypot(x - cx, y - cy)
            if d < hole:
                return False
            if d <= inner:
                return True
            if d > outer:
                return False
            a = (math.atan2(y - cy, x - cx) / (2 * math.pi) * teeth) % 1.0
            return a < 0.5

        self.add(test, (cx - outer, cy - outer, cx + outer, cy + outer), color)

    def where(self, test, color):
        """Any region given by its test, over the whole canvas."""
        self.add(test, (-1e9, -1e9, 1e9, 1e9), color)

    def text(self, x, y, cell, string, color, spacing=1):
        """Block letters of FONT, `cell` design units to a font pixel, top-left at (x, y)."""
        for ch in string:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == "#":
                        self.rect(x + col * cell, y + row * cell, x + (col + 1) * cell, y + (row + 1) * cell, color)
            x += (len(FONT[ch][0]) + spacing) * cell

    @staticmethod
    def text_width(cell, string, spacing=1):
        return sum((len(FONT[ch][0]) + spacing) * cell for ch in string) - spacing * cell

    # -- rasterising

    def sample(self, x, y):
        """The index and colour of the topmost shape at a design point; -1 and None outside all."""
        for i in range(len(self.shapes) - 1, -1, -1):
            test, (x0, y0, x1, y1), color = self.shapes[i]
            if x0 <= x <= x1 and y0 <= y <= y1 and test(x, y):
                if callable(color):
                    color = color(x, y)
                return i, color
        return -1, None

    def render(self, width, height, ss, adaptive=False):
        """Rows of RGBA pixels. With `adaptive`, only pixels at a shape's edge are supersampled."""
        sx, sy = self.width / width, self.height / height
        centre = None
        if adaptive:
            centre = [[self.sample((px + 0.5) * sx, (py + 0.5) * sy) for px in range(width)] for py in range(height)]
        rows = []
        for py in range(height):
            row = []
            for px in range(width):
                if adaptive:
                    index, color = centre[py][px]
                    if all(
                        centre[qy][qx][0] == index
                        for qx, qy in ((px - 1, py), (px + 1, py), (px, py - 1), (px, py + 1))
                        if 0 <= qx < width and 0 <= qy < height
                    ):
                        row.append((color or (0, 0, 0)) + ((255,) if color else (0,)))
                        continue
                colors = []
                clear = 0
                for j in range(ss):
                    for i in range(ss):
                        _, c = self.sample((px + (i + 0.5) / ss) * sx, (py + (j + 0.5) / ss) * sy)
                        if c is None:
                            clear += 1
                        else:
                            colors.append(c)
                # One-bit mask: clear when at least half the samples are.
                if clear * 2 >= ss * ss or not colors:
                    row.append((0, 0, 0, 0))
                else:
                    n = len(colors)
                    row.append(tuple(round(sum(c[k] for c in colors) / n) for k in range(3)) + (255,))
            rows.append(row)
        return rows


FONT = {
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "1": ["..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "#####"],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "N": ["#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    " ": ["...", "...", "...", "...", "...", "...", "..."],
}


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(round(a[k] + (b[k] - a[k]) * t) for k in range(3))


def vertical(top_color, bottom_color, y0, y1):
    return lambda x, y: mix(top_color, bottom_color, (y - y0) / (y1 - y0))


# ---------------------------------------------------------------------------------------------------
# Icons, in a 32 × 32 design square.


def tile(c, color, radius=6):
    c.rect(2, 2, 30, 30, vertical(mix(color, WHITE, 0.25), color, 2, 30), radius)


def window(c, x0, y0, x1, y1, title=BLUE, body=WHITE):
    c.rect(x0, y0, x1, y1, INK, 1.5)
    c.rect(x0 + 1.5, y0 + 1.5, x1 - 1.5, y0 + 6, title)
    c.rect(x0 + 1.5, y0 + 6, x1 - 1.5, y1 - 1.5, body)


# Stroked figures for the icons (block letters blur at icon sizes), in the 32-unit square.
def figure(c, ch, color, w=3.4):
    if ch == "1":
        c.stroke([(12, 10.5), (16.5, 6.5), (16.5, 25.5)], w, color)
        c.line(11.5, 25.5, 21.5, 25.5, w, color)
    elif ch == "2":
        c.ring(16, 12, 5.5, w, color, gap_from=130, gap_to=270)
        c.stroke([(20.2, 15.5), (11, 25.5), (21.5, 25.5)], w, color)
    elif ch == "3":
        c.ring(16, 11.5, 5, w, color, gap_from=180, gap_to=290)
        c.ring(16, 21, 4.5, w, color, gap_from=235, gap_to=360)
    elif ch == "4":
        c.stroke([(19.5, 25.5), (19.5, 6.5), (10, 19.5), (22.5, 19.5)], w, color)
    elif ch == "5":
        c.stroke([(21.5, 6.5), (12.5, 6.5), (11.8, 15), (11.2, 16.8)], w, color)
        c.ring(16, 19.5, 5.5, w, color, gap_from=215, gap_to=300)
    elif ch == "V":
        c.stroke([(9.5, 7), (16, 25), (22.5, 7)], w, color)


def digit_tile(color, digit):
    def draw(c):
        tile(c, color)
        figure(c, digit, WHITE)

    return draw


def home(c):
    c.rect(21, 4, 25, 13, BROWN)
    c.polygon([(16, 2.5), (1.5, 16), (30.5, 16)], RED)
    c.rect(5.5, 15, 26.5, 29.5, LIGHT)
    c.rect(13, 19.5, 19, 29.5, BROWN)
    c.rect(7.5, 18, 11.5, 22, SKY)
    c.rect(20.5, 18, 24.5, 22, SKY)


def task(c):
    window(c, 2, 3, 22, 19, title=GREY, body=LIGHT)
    window(c, 9, 12, 30, 29)


def program_group(c):
    c.polygon([(2, 8), (2, 5), (4, 3), (12, 3), (14, 6), (14, 8)], mix(ORANGE, YELLOW, 0.3))
    c.rect(2, 7, 30, 28, vertical(YELLOW, ORANGE, 7, 28), 2)
    for i, color in enumerate((BLUE, GREEN, RED, PURPLE)):
        x, y = 9 + (i % 2) * 8, 11 + (i // 2) * 8
        c.rect(x, y, x + 6, y + 6, color, 1)


def game(c):
    c.rect(2, 9, 30, 25, vertical(GREY, INK, 9, 25), 7)
    c.rect(6.5, 15.5, 13.5, 18.5, WHITE)
    c.rect(8.5, 13.5, 11.5, 20.5, WHITE)
    c.circle(21, 15, 2.4, RED)
    c.circle(25.5, 19, 2.4, GREEN)


def system(c):
    c.gear(16, 16, 10, 14, 8, 4.5, vertical(mix(GREY, WHITE, 0.2), INK, 2, 30))


def clock(c):
    c.circle(16, 16, 14.5, NAVY)
    c.circle(16, 16, 12, WHITE)
    for a in range(0, 360, 30):
        r0 = 9.5 if a % 90 == 0 else 10.5
        s, co = math.sin(math.radians(a)), math.cos(math.radians(a))
        c.line(16 + s * r0, 16 - co * r0, 16 + s * 11.5, 16 - co * 11.5, 1.4, INK)
    c.line(16, 16, 16, 8.5, 2.6, INK)
    c.line(16, 16, 22.5, 19.5, 2.0, INK)
    c.circle(16, 16, 1.8, RED)


def kill(c):
    window(c, 1.5, 2.5, 25, 24)
    c.circle(23, 23, 8.5, RED)
    c.line(19.8, 19.8, 26.2, 26.2, 2.4, WHITE)
    c.line(26.2, 19.8, 19.8, 26.2, 2.4, WHITE)


def keyboard(c):
    c.rect(1, 8, 31, 25, INK, 3)
    for row in range(2):
        for col in range(6):
            x, y = 3.5 + col * 4.3, 10.5 + row * 4.3
            c.rect(x, y, x + 3.3, y + 3.3, LIGHT, 0.6)
    c.rect(8, 19.2, 24, 22.5, LIGHT, 0.6)


def minimize(c):
    window(c, 3, 3, 29, 29)
    c.polygon([(10, 13), (22, 13), (16, 20)], NAVY)
    c.rect(9, 22.5, 23, 25.5, NAVY)


def power(c):
    c.circle(16, 16, 15, WHITE)
    c.ring(16, 16, 10, 3.6, RED, gap_from=320, gap_to=400)
    c.line(16, 4, 16, 15, 3.6, RED)


def toolbar_icon(c):
    c.rect(1.5, 9, 30.5, 23, vertical(SKY, BLUE, 9, 23), 3)
    for i, color in enumerate((YELLOW, GREEN, RED)):
        x = 5 + i * 8
        c.rect(x, 12, x + 6, 20, color, 1.2)


def toolbar_restore(c):
    toolbar_icon(c)
    c.polygon([(16, 1), (23, 8), (9, 8)], NAVY)
    c.polygon([(16, 31), (23, 24), (9, 24)], NAVY)


def ok_check(c):
    c.circle(16, 16, 14.5, GREEN)
    c.line(8.5, 16.5, 13.5, 22, 3.4, WHITE)
    c.line(13.5, 22, 23.5, 10, 3.4, WHITE)


def launcher_icon(c):
    tile(c, NAVY)
    for i, color in enumerate((ORANGE, GREEN, SKY, RED)):
        x, y = 6.5 + (i % 2) * 10, 6.5 + (i // 2) * 10
        c.rect(x, y, x + 9, y + 9, color, 2)


def app_window(c):
    window(c, 2, 4, 30, 28)


def return_arrow(c):
    """A back arrow: the head points left, the shaft turns down and back under it."""
    c.circle(16, 16, 14.5, vertical(SKY, BLUE, 2, 30))
    c.polygon([(5.5, 12), (12.5, 5.5), (12.5, 18.5)], WHITE)
    c.rect(12, 10.3, 19, 13.7, WHITE)
    c.ring(19, 18, 6, 3.4, WHITE, gap_from=180, gap_to=360)
    c.line(19, 24, 11, 24, 3.4, WHITE)


def config_gear(c):
    c.gear(16, 16, 10, 14, 10, 4.5, vertical(YELLOW, ORANGE, 2, 30))


def gps_clock(c):
    c.circle(16, 16, 14.5, vertical(SKY, NAVY, 2, 30))
    c.ring(16, 16, 10.5, 1.6, WHITE)
    c.line(16, 16, 16, 9, 2.4, WHITE)
    c.line(16, 16, 21, 19, 2.0, WHITE)
    c.circle(25, 7, 4, YELLOW)


def run_icon(c):
    tile(c, ORANGE)
    c.polygon([(11, 8), (24, 16), (11, 24)], WHITE)


def intro_icon(c):
    tile(c, PURPLE)
    figure(c, "V", WHITE, 4)


def links(c):
    c.ellipse(11.5, 20.5, 10, 5.5, INK, angle=-45)
    c.ellipse(11.5, 20.5, 6.5, 2.5, None, angle=-45)
    c.ellipse(20.5, 11.5, 10, 5.5, BLUE, angle=-45)
    c.ellipse(20.5, 11.5, 6.5, 2.5, None, angle=-45)
    # The first link passes over the second at one crossing.
    c.line(13.5, 18.5, 17.5, 14.5, 3.2, INK)


def demo_icon(c):
    window(c, 2, 4, 30, 28, title=GREEN)
    c.polygon([(12, 11), (22, 17), (12, 23)], GREEN)


# ---------------------------------------------------------------------------------------------------
# Pictures.


def satellite(size, background):
    c = Canvas(32, 32)
    c.rect(0, 0, 32, 32, background)
    c.ring(9, 23, 6, 1.6, NAVY, gap_from=90, gap_to=360)
    c.ring(9, 23, 10.5, 1.6, NAVY, gap_from=90, gap_to=360)
    c.polygon([(3, 14), (9, 8), (13, 12), (7, 18)], BLUE)
    c.polygon([(19, 24), (25, 18), (29, 22), (23, 28)], BLUE)
    c.polygon([(11, 15), (17, 9), (23, 15), (17, 21)], LIGHT)
    c.polygon([(13, 15), (17, 11), (21, 15), (17, 19)], GREY)
    c.line(20, 6, 24, 2, 1.5, INK)
    return c.render(size, size, 3)


def landscape(width, height, night):
    c = Canvas(800, 480)
    if night:
        sky = vertical((8, 12, 36), (34, 44, 92), 0, 360)
        c.rect(0, 0, 800, 480, sky)
        seed = 12345
        for _ in range(90):
            seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
            x = seed % 800
            seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
            y = seed % 300
            c.circle(x, y, 1.5 + (seed % 3) * 0.5, mix((250, 250, 220), (170, 180, 220), (seed % 7) / 7))
        c.circle(600, 110, 48, (246, 240, 200))
        c.circle(624, 94, 44, sky)  # the sky over most of the moon leaves a crescent
        far, near = (26, 40, 56), (14, 26, 30)
    else:
        sky = vertical((86, 150, 226), (206, 232, 250), 0, 360)
        c.rect(0, 0, 800, 480, sky)
        glow = (255, 240, 170)
        c.circle(620, 110, 96, lambda x, y: mix(glow, sky(x, y), (math.hypot(x - 620, y - 110) - 58) / 38))
        c.circle(620, 110, 58, (255, 222, 80))
        for cx, cy in ((170, 120), (420, 70)):
            for dx, dy, r in ((-40, 10, 30), (0, 0, 42), (44, 8, 32), (0, 20, 30)):
                c.circle(cx + dx, cy + dy, r, WHITE)
        far, near = (120, 176, 110), (70, 140, 70)
    c.where(lambda x, y: y > 320 + 28 * math.sin(x / 120 + 0.5) + 12 * math.sin(x / 41), far)
    near_color = vertical(near, mix(near, (0, 0, 0), 0.35), 360, 480)
    c.where(lambda x, y: y > 372 + 22 * math.sin(x / 90 + 2.2) + 9 * math.sin(x / 33 + 1), near_color)
    return c.render(width, height, 3, adaptive=True)


def banner(width, height, word, small=None, footer=None):
    """A logo: a gradient band with block letters and a road sweeping under them."""
    c = Canvas(width, height)
    c.rect(0, 0, width, height, vertical(NAVY, BLUE, 0, height))
    room = height - (footer or 0)
    c.ellipse(width * 0.5, room * 1.55, width * 0.75, room * 0.8, mix(BLUE, SKY, 0.6))
    c.ellipse(width * 0.5, room * 1.62, width * 0.72, room * 0.8, vertical(NAVY, BLUE, 0, height))
    # Whole-pixel letter cells keep the block letters sharp.
    cell = max(1, min(int(room / (14 if small else 12)), int(width * 0.8 / Canvas.text_width(1, word))))
    top = round(room * 0.14)
    c.text(round((width - Canvas.text_width(cell, word)) / 2), top, cell, word, WHITE)
    if small:
        s = max(1, cell // 2)
        c.text(round((width - Canvas.text_width(s, small)) / 2), top + cell * 8, s, small, YELLOW)
    if footer:
        c.rect(0, height - footer, width, height, WHITE)
    return c.render(width, height, 3, adaptive=True)


# ---------------------------------------------------------------------------------------------------

ICONS = {
    "deck": {128: launcher_icon, 129: app_window, 138: return_arrow, 142: return_arrow},
    "toolbar": {
        128: toolbar_icon,
        129: app_window,
        141: system,
        143: game,
        145: program_group,
        146: home,
        147: power,
        148: task,
        150: digit_tile(TEAL, "5"),
        151: digit_tile(BLUE, "1"),
        152: digit_tile(GREEN, "2"),
        153: digit_tile(ORANGE, "3"),
        154: digit_tile(PURPLE, "4"),
        160: clock,
        165: ok_check,
        166: kill,
        171: toolbar_restore,
        173: keyboard,
        175: minimize,
    },
    "xrun": {128: run_icon},
    "gpstime": {128: gps_clock, 130: return_arrow, 131: config_gear},
    "intro": {128: intro_icon},
    "lnkchk": {128: links},
    "demo": {128: demo_icon},
}

PICTURES = {
    ("deck", 197): lambda: (48, 48, satellite(48, DIALOG)),
    ("deck", 198): lambda: (800, 480, landscape(800, 480, night=False)),
    ("deck", 199): lambda: (800, 480, landscape(800, 480, night=True)),
    ("deck", 200): lambda: (270, 120, banner(270, 120, "VEXA", small="DECK")),
    ("gpstime", 129): lambda: (48, 48, satellite(48, DIALOG)),
    ("xrun", 129): lambda: (240, 160, banner(240, 160, "VEXA", small="XRUN", footer=28)),
    ("intro", 129): lambda: (400, 120, banner(400, 120, "VEXA")),
}


def main():
    written = []
    for set_name, icons in ICONS.items():
        for number, draw in icons.items():
            c = Canvas()
            draw(c)
            for edge in ICON_EDGES:
                name = f"{set_name}/icon-{number}-{edge}.png"
                png(os.path.join(OUT, name), edge, edge, c.render(edge, edge, 4 if edge <= 24 else 3), alpha=True)
                written.append(name)
    for (set_name, number), make in PICTURES.items():
        width, height, rows = make()
        name = f"{set_name}/picture-{number}.png"
        png(os.path.join(OUT, name), width, height, [[px[:3] for px in row] for row in rows], alpha=False)
        written.append(name)

    lines = ['<!DOCTYPE RCC>', '<!-- Written by scripts/gen-resources.py. -->', '<RCC version="1.0">',
             '<qresource prefix="/vexa">']
    for name in sorted(written):
        lines.append(f'  <file alias="{name}">../../resources/{name}</file>')
    lines += ['</qresource>', '</RCC>', '']
    with open(QRC, "w") as f:
        f.write("\n".join(lines))
    print(f"{len(written)} pictures in {os.path.relpath(OUT, ROOT)}", file=sys.stderr)


if __name__ == "__main__":
    main()
