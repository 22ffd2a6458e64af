#!/usr/bin/python3
# Usage: /usr/bin/python3 tools/make_pictures.py [resource-dir]   (default: resources/ of this repo)
#
# Draws the evaluation pictures, the toolbar strip and the program icon, and writes them as
# 8-bit BMP files and one ICO file; then the same pictures drawn again for display scales of 125,
# 150, 175 and 200 % (into the folders 125/ ... 200/ beside them), the toolbar's strip again at
# 300 % (300/), the icon in the usual sizes from 16 to 256 pixels, and two PNG icons for the web
# version. Every shape is defined in the
# pixels of the 100 % pictures; a larger picture samples the same shapes at its own pixels, so it
# is drawn anew rather than stretched, and keeps the key colours exactly. The output is committed;
# building the game never runs this. Rerunning it gives the same bytes (with the same
# Pillow/FreeType and fonts).
#
# Needs Pillow (Debian: python3-pil) and two fonts from Debian packages:
#   IPAGothic, heading:        /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
#                              (fonts-ipafont-gothic)
#   Liberation Sans Bold, the  /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
#   toolbar's Latin letters:   (fonts-liberation2)
# The small katakana of the toolbar come from the pixel glyphs below, not from a font.

import io
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

SCALES = [125, 150, 175, 200]  # percent; 100 is the pictures' own size
# The toolbar's strip alone goes on to 300 %: the web page draws it on phones at three device
# pixels a design pixel, where 200 % would have to be stretched.
TOOLBAR_SCALES = [300]
ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
WEB_ICON_SIZES = [192, 512]


def sz(value, percent):
    """A length of the 100 % pictures at a scale, rounded as the program rounds it (halves up)."""
    return (value * percent + 50) // 100


def design(pixel, percent):
    """The 100 % coordinate of the centre of a pixel of a scaled picture (itself at 100 %)."""
    return (pixel + 0.5) * 100 / percent - 0.5

FONT_JAPANESE = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
FONT_LATIN = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"

HEADING = "これが君の脳みそだ"

# ---------------------------------------------------------------- palette


def make_palette():
    pal = [None] * 256
    for i in range(10, 246):
        pal[i] = (32 * (i % 8), 32 * ((i // 8) % 8), 64 * (i // 64))
    low = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (192, 220, 192), (166, 202, 240)]
    high = [(255, 251, 240), (160, 160, 164), (128, 128, 128), (255, 0, 0), (0, 255, 0),
            (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    pal[0:10] = low
    pal[246:256] = high
    return pal


PALETTE = make_palette()


def index_of(rgb):
    return PALETTE.index(rgb)


def nearest(rgb, choices=range(256)):
    # First best entry wins, so ties resolve the same way every run.
    best, best_d = 0, None
    for i in choices:
        d = sum((a - b) ** 2 for a, b in zip(rgb, PALETTE[i]))
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


BLACK = index_of((0, 0, 0))
WHITE = index_of((255, 255, 255))
TAN = index_of((224, 192, 128))
BRAIN = index_of((160, 96, 0))
WRINKLE = index_of((96, 64, 0))
CREAM = index_of((255, 251, 240))
RED = index_of((255, 0, 0))
GREEN = index_of((0, 255, 0))
BLUE = index_of((0, 0, 255))
OLIVE = index_of((128, 128, 0))
DARK_RED = index_of((128, 0, 0))


class Picture:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = bytearray([fill]) * (w * h)

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = c

    def paint(self, pixels, c):
        for x, y in pixels:
            self.set(x, y, c)


# ---------------------------------------------------------------- shapes


def in_polygon(x, y, pts):
    inside = False
    n = len(pts)
    for i in range(n):
        (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            if x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                inside = not inside
    return inside


def polygon_pixels(pts, w, h, percent=100):
    return {(x, y) for y in range(h) for x in range(w)
            if in_polygon(design(x, percent), design(y, percent), pts)}


def seg_dist2(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / ll))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return qx * qx + qy * qy


def catmull_rom(points, steps=12):
    """Smooth curve through the given points (end points repeated)."""
    if len(points) < 3:
        return list(points)
    p = [points[0]] + list(points) + [points[-1]]
    out = []
    for i in range(1, len(p) - 2):
        p0, p1, p2, p3 = p[i - 1], p[i], p[i + 1], p[i + 2]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * (2 * p1[k] + (-p0[k] + p2[k]) * t +
                                    (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2 +
                                    (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3)
                              for k in range(2)))
    out.append(points[-1])
    return out


def stroke_pixels(points, radius, smooth=True, percent=100):
    """A disc brush swept along the curve: every pixel within radius of the centre line. Points
    and radius are in 100 % pixels; the pixels returned are those of the scale."""
    points = [((x + 0.5) * percent / 100 - 0.5, (y + 0.5) * percent / 100 - 0.5) for x, y in points]
    radius = radius * percent / 100
    line = catmull_rom(points) if smooth else list(points)
    xs = [p[0] for p in line]
    ys = [p[1] for p in line]
    r2 = radius * radius
    out = set()
    for y in range(int(min(ys) - radius) - 1, int(max(ys) + radius) + 2):
        for x in range(int(min(xs) - radius) - 1, int(max(xs) + radius) + 2):
            if len(line) == 1:
                if (x - xs[0]) ** 2 + (y - ys[0]) ** 2 <= r2:
                    out.add((x, y))
                continue
            for i in range(len(line) - 1):
                if seg_dist2(x, y, *line[i], *line[i + 1]) <= r2:
                    out.add((x, y))
                    break
    return out


def bbox(pixels):
    xs = [p[0] for p in pixels]
    ys = [p[1] for p in pixels]
    return min(xs), max(xs), min(ys), max(ys)


# ---------------------------------------------------------------- text


def text_ink(text, font_path, size, gaps, bold=0):
    """Ink pixels of text drawn one character at a time without anti-aliasing, each character
    drawn again bold pixels to the right. gaps[i] is the extra space after character i. Returned
    relative to the ink's top left."""
    font = ImageFont.truetype(font_path, size)
    img = Image.new("L", (size * (len(text) + 2) + sum(gaps) + 8 + bold, size * 2), 0)
    draw = ImageDraw.Draw(img)
    draw.fontmode = "1"
    x = 4
    for i, ch in enumerate(text):
        for dx in range(bold + 1):
            draw.text((x + dx, size // 2), ch, font=font, fill=255)
        x += round(font.getlength(ch)) + (gaps[i] if i < len(gaps) else 0)
    ink = {(i % img.width, i // img.width) for i, v in enumerate(img.getdata()) if v >= 128}
    x0, _, y0, _ = bbox(ink)
    return {(x - x0, y - y0) for x, y in ink}


def spread(total, count):
    """Integer gaps summing to total, spread as evenly as possible."""
    base, extra = divmod(total, count)
    return [base + ((i + 1) * extra // count - i * extra // count) for i in range(count)]


def fitted_text(text, font_path, width, height, bold=0, sizes=range(8, 40)):
    """Text whose ink is exactly width x height: the font size sets the height, the spacing
    between letters the width. Falls back to the nearest fit when none is exact."""
    best = None
    for size in sizes:
        natural = text_ink(text, font_path, size, [0] * len(text), bold)
        _, nx1, _, ny1 = bbox(natural)
        score = abs(ny1 + 1 - height)
        if best is None or score < best[0]:
            best = (score, size, nx1 + 1)
    _, size, natural_width = best
    n = max(1, len(text) - 1)
    for adjust in range(6):  # rounding of advances can move the width by a pixel or two
        gaps = spread(width - natural_width + (adjust + 1) // 2 * (1 if adjust % 2 else -1), n)
        ink = text_ink(text, font_path, size, gaps + [0], bold)
        if bbox(ink)[1] + 1 == width:
            return ink
    return ink


def place(pixels, x, y):
    return {(px + x, py + y) for px, py in pixels}


# ---------------------------------------------------------------- background and brain geometry

def brain_ellipse(x, y):
    # Semi-axes chosen so the 152 x 122 box holds exactly 14,444 pixel centres.
    return ((x - 79.5) / 75.71) ** 2 + ((y - 63.5) / 60.71) ** 2 <= 1.0


def skull(x, y):
    # Upright egg: widest at row 170, a little longer below than above.
    b = 108.44 if y < 170 else 115.47
    return ((x - 149) / 94.5) ** 2 + ((y - 170) / b) ** 2 <= 1.0


NOSE = [(57, 199), (42, 228), (42, 229), (70, 233), (95, 233), (95, 199)]
MOUTH = [(30, 250), (81, 250), (110, 256), (90, 260), (30, 260)]


def sampled(size, percent, inside):
    """The pixels of a size x size picture at a scale whose centres fall inside a shape given in
    100 % coordinates."""
    n = sz(size, percent)
    return {(x, y) for y in range(n) for x in range(n) if inside(design(x, percent), design(y, percent))}


def head_pixels(percent=100):
    n = sz(300, percent)
    head = sampled(300, percent, skull)
    head |= polygon_pixels(NOSE, n, n, percent)
    head -= polygon_pixels(MOUTH, n, n, percent)
    return head


def eye_pixels(percent=100):
    white = sampled(300, percent, lambda x, y: ((x - 82) / 8.5) ** 2 + ((y - 182) / 7.5) ** 2 <= 1.0)
    pupil = sampled(300, percent, lambda x, y: ((x - 82) / 3.5) ** 2 + ((y - 182.5) / 3.0) ** 2 <= 1.0)
    return white, pupil


def make_background(percent=100):
    pic = Picture(sz(300, percent), sz(300, percent), WHITE)
    pic.paint(head_pixels(percent), TAN)
    white, pupil = eye_pixels(percent)
    pic.paint(white, WHITE)
    pic.paint(pupil, BLACK)
    # The heading is set anew in the font at the scale: bold by one more pixel per 100 %.
    heading = fitted_text(HEADING, FONT_JAPANESE, sz(218, percent), sz(24, percent),
                          bold=max(1, round(percent / 100)), sizes=range(sz(20, percent), sz(32, percent)))
    pic.paint(place(heading, sz(36, percent), sz(17, percent)), BLACK)
    return pic


# Wrinkles added by each picture: (centre line, brush radius). Each picture keeps the wrinkles
# of the one before, so a better score always shows a visibly busier brain; the lines spread
# the new wrinkles over the parts of the brain still smooth. The radii keep the strokes about
# 12 px wide, thick enough to read as folds at 160 x 130, and were trimmed to give each
# picture its fixed wrinkle area.
WRINKLES = [
    [],
    [  # lower left wave, stroke left of centre, curve at the right
        ([(30.5, 93.5), (36.0, 90.0), (42.0, 93.5), (48.5, 89.5), (53.0, 91.5), (58.5, 88.5)],
         5.80),
        ([(49.5, 56.5), (57.0, 57.0), (64.0, 61.5), (70.0, 62.0), (76.5, 65.5)], 5.80),
        ([(134.5, 49.5), (135.0, 56.5), (130.0, 62.5), (121.5, 66.5)], 6.00),
    ],
    [  # bar at the top turning down, stroke below the centre
        ([(80.5, 18.5), (70.0, 18.5), (64.5, 24.0), (63.5, 33.0), (66.0, 42.0), (63.5, 50.5)],
         6.06),
        ([(75.5, 79.5), (84.0, 84.0), (93.0, 80.0), (103.0, 86.5), (112.5, 86.0)], 6.14),
    ],
    [  # short slant at the upper left, bar bending down at its right end
        ([(45.5, 26.5), (42.5, 32.5), (45.0, 38.0), (41.5, 43.5)], 5.70),
        ([(88.5, 44.5), (99.0, 44.5), (105.5, 49.0), (106.5, 60.0), (105.0, 66.0), (106.5, 71.5)],
         5.70),
    ],
    [  # long stroke from the left edge, bottom stroke with a hook
        ([(16.5, 74.5), (26.0, 72.0), (36.0, 70.5), (45.5, 67.5)], 6.02),
        ([(59.5, 99.5), (61.0, 104.5), (68.0, 106.5), (84.0, 105.0), (99.5, 104.5)], 6.08),
    ],
    [  # far upper left, bar at the upper right, vertical with a hook at the lower right
        ([(28.5, 34.5), (24.0, 42.0), (25.0, 48.0), (19.5, 56.5)], 6.04),
        ([(87.5, 31.5), (97.0, 28.0), (106.0, 30.0), (121.5, 25.5)], 6.04),
        ([(133.5, 78.5), (133.5, 88.0), (131.0, 95.5), (124.5, 97.5)], 6.12),
    ],
]

GLOSS = [([(94, 32), (108, 46)], 3.0), ([(110, 25), (121, 35)], 3.0)]


def inside_pixels(percent=100):
    return {(x, y) for y in range(sz(130, percent)) for x in range(sz(160, percent))
            if brain_ellipse(design(x, percent), design(y, percent))}


def make_mask(percent=100):
    pic = Picture(sz(160, percent), sz(130, percent), WHITE)
    pic.paint(inside_pixels(percent), BLACK)
    return pic


def make_brains(percent=100):
    inside = inside_pixels(percent)
    pictures = []
    wrinkles = set()
    for rank, strokes in enumerate(WRINKLES):
        for line, radius in strokes:
            wrinkles |= stroke_pixels(line, radius, percent=percent)
        pic = Picture(sz(160, percent), sz(130, percent), BLACK)
        pic.paint(inside, BRAIN)
        pic.paint(wrinkles & inside, WRINKLE)
        if rank == 0:
            for line, radius in GLOSS:
                pic.paint(stroke_pixels(line, radius, smooth=False, percent=percent) & inside, CREAM)
        pictures.append(pic)
    return pictures


# ---------------------------------------------------------------- toolbar


def shade(pic, ox, oy, colour_at, choices=range(256), samples=4, percent=100):
    """Paints a 32 x 32 cell (at 100 %) from colour_at(x, y) -> rgb or None (ground), x and y in
    100 % pixels, averaged over samples x samples points per pixel and matched to the nearest of
    the given palette entries."""
    cache = {}
    n = sz(32, percent)
    for y in range(n):
        for x in range(n):
            acc, hits = [0, 0, 0], 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((x + (sx + 0.5) / samples) * 100 / percent,
                                  (y + (sy + 0.5) / samples) * 100 / percent)
                    if c is None:
                        c = (255, 255, 255)
                    else:
                        hits += 1
                    for k in range(3):
                        acc[k] += c[k]
            if hits == 0:
                continue
            rgb = tuple(round(a / samples ** 2) for a in acc)
            if rgb not in cache:
                cache[rgb] = nearest(rgb, choices)
            pic.set(ox + x, oy + y, cache[rgb])


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def help_button(question, percent=100):
    """question: the pixels of the question mark at the scale."""
    def colour_at(x, y):
        d = math.hypot(x - 16, y - 16)
        if d > 15.9:
            return None
        if d > 13.2:  # silver rim, darker towards the bottom
            return mix((236, 236, 236), (140, 140, 144), (y - 2) / 28)
        if (int(x * percent / 100), int(y * percent / 100)) in question:
            return (255, 255, 255)
        c = mix((166, 202, 240), (32, 96, 192), (y - 4) / 22)
        # gloss: a pale cap on the upper half
        if ((x - 16) / 10.5) ** 2 + ((y - 9.5) / 6.5) ** 2 <= 1:
            c = mix(c, (255, 255, 255), 0.45)
        return c

    return colour_at


def power_button():
    def colour_at(x, y):
        # rounded square over the whole cell
        r = 6.0
        cx = min(max(x, r), 32 - r)
        cy = min(max(y, r), 32 - r)
        if math.hypot(x - cx, y - cy) > r:
            return None
        d = math.hypot(x - 16, y - 17)
        ang = math.degrees(math.atan2(x - 16, -(y - 17)))  # 0 = straight up
        ring = 7.0 <= d <= 10.0 and abs(ang) > 38
        bar = abs(x - 16) <= 1.6 and 4.5 <= y <= 16.5
        if ring or bar:
            return (255, 255, 255)
        c = (224, 96, 64)
        if y > 26:
            c = mix(c, (160, 32, 0), (y - 26) / 5)
        glow = math.hypot(x - 4, y - 4) / 13
        if glow < 1:
            c = mix((240, 176, 176), c, glow)
        return c

    return colour_at


# Katakana for the home page button, a 5 x 6 grid per character with room for the marks of
# ペ and ジ in its top right corner.
KANA = {
    "ホ": ["..#..", "#####", "..#..", "#.#.#", ".##..", "....."],
    "ム": ["..#..", ".#...", ".#.#.", "#...#", "#####", "....."],
    "ペ": [".....#.", "....#.#", ".#...#.", "#.#....", "...#...", "....#.."],
    "ジ": ["##..#.#", "....#.#", "##.....", "....#..", "...#...", "###...."],
    "ー": [".....", ".....", "#####", ".....", ".....", "....."],
}


def kana_pixels(text, x, y, line_offset=0, percent=100):
    """The pixel font at 100 %; at a larger scale, where its 5 x 6 cells would only show as
    blocks, the same words are set in the Japanese font, filling the same place."""
    if percent != 100:
        box_width = 7 * len(text) - 2 + (line_offset > 0)
        ink = fitted_text(text, FONT_JAPANESE, sz(box_width, percent), sz(6, percent),
                          sizes=range(sz(5, percent), sz(12, percent)))
        return place(ink, sz(x, percent), sz(y, percent))
    out = set()
    for ch in text:
        rows = KANA[ch]
        shift = line_offset if ch == "ー" else 0
        for r, row in enumerate(rows):
            for c, v in enumerate(row):
                if v == "#":
                    out.add((x + c, y + r + shift))
        x += 7
    return out


MARKERS = [32, 65, 96, 128, 160, 192]


def make_toolbar(percent=100):
    cell = sz(32, percent)

    def text(word, font, width, height, sizes, x, y):
        # Each image is set on its own cell, so a rounding never moves a label into the next one.
        ink = fitted_text(word, font, sz(width, percent), sz(height, percent),
                          sizes=range(sz(sizes[0], percent), sz(sizes[1], percent)))
        return place(ink, x // 32 * cell + sz(x % 32, percent), sz(y, percent))

    pic = Picture(7 * cell, cell, WHITE)
    pic.paint(text("Start", FONT_LATIN, 60, 19, (20, 32), 2, 6), RED)
    pic.paint(text("Set", FONT_LATIN, 27, 13, (12, 24), 64 + 3, 10), BLUE)
    pic.paint(text("Ver", FONT_LATIN, 27, 13, (12, 24), 96 + 3, 10), GREEN)
    question = text("?", FONT_LATIN, 10, 16, (14, 30), 11, 8)
    # Greys and blues only, so the silver rim and the disc pick up no tint of another hue.
    cool = [i for i, (r, g, b) in enumerate(PALETTE) if b >= g >= r]
    shade(pic, 4 * cell, 0, help_button(question, percent), cool, percent=percent)
    pic.paint(text("HP", FONT_LATIN, 22, 13, (12, 24), 160 + 5, 3), RED)
    pic.paint(place(kana_pixels("ホーム", 5, 19, percent=percent), 5 * cell, 0), BLACK)
    pic.paint(place(kana_pixels("ページ", 6, 25, line_offset=1, percent=percent), 5 * cell, 0),
              BLACK)
    shade(pic, 6 * cell, 0, power_button(), percent=percent)
    for x in MARKERS:
        pic.set(x // 32 * cell + sz(x % 32, percent), cell - 1, RED)
    return pic


# ---------------------------------------------------------------- icon


def make_icon():
    """The head of the background at 32 x 32. Returns the colour picture and the set of
    transparent pixels."""
    head = head_pixels()
    opaque = set()
    # Icon columns 1..27 and rows 1..30 cover background columns 42..243 and rows 62..285;
    # a pixel is head when more than half of its 6 x 6 samples are.
    sx, sy = 202 / 27, 224 / 30
    for y in range(32):
        for x in range(32):
            hits = 0
            for j in range(6):
                for i in range(6):
                    bx = int(42 + (x - 1 + (i + 0.5) / 6) * sx)
                    by = int(62 + (y - 1 + (j + 0.5) / 6) * sy)
                    hits += (bx, by) in head
            if hits >= 20:
                opaque.add((x, y))
    # At this size the nose and mouth need drawing by hand: a tip two pixels long, a notch below.
    opaque = {(x, y) for x, y in opaque if x >= 2} | {(1, 23), (1, 24), (2, 23), (2, 24)}
    opaque -= {(4, 24), (5, 24)}
    pic = Picture(32, 32, BLACK)
    pic.paint(opaque, OLIVE)
    cap = {(x, y) for y in range(3, 14) for x in range(7, 25)
           if ((x - 15.5) / 9.0) ** 2 + ((y - 13) / 10.5) ** 2 <= 1.0}
    pic.paint(cap & opaque, DARK_RED)
    pic.paint({(x, y) for x in range(9, 12) for y in range(15, 18)}, WHITE)
    pic.set(10, 16, BLACK)
    transparent = {(x, y) for y in range(32) for x in range(32)} - opaque
    return pic, transparent


def smooth_icon(n):
    """The same head at n x n, drawn anew with soft edges: each pixel's colour and opacity are the
    average of k x k samples of the shapes, which are given in the pixels of the 32 x 32 icon (the
    head itself in those of the background). Returns an RGBA image."""
    sx, sy = 202 / 27, 224 / 30
    k = 8 if n <= 64 else 4
    img = Image.new("RGBA", (n, n))
    colours = {"head": (128, 128, 0), "cap": (128, 0, 0), "eye": (255, 255, 255), "pupil": (0, 0, 0)}
    for y in range(n):
        for x in range(n):
            acc, hits = [0, 0, 0], 0
            for j in range(k):
                for i in range(k):
                    # The 32-pixel icon's coordinate, pixel centres at whole numbers as there.
                    u = (x + (i + 0.5) / k) * 32 / n - 0.5
                    v = (y + (j + 0.5) / k) * 32 / n - 0.5
                    bx, by = 42 + (u + 0.5 - 1) * sx - 0.5, 62 + (v + 0.5 - 1) * sy - 0.5
                    if not ((skull(bx, by) or in_polygon(bx, by, NOSE)) and not in_polygon(bx, by, MOUTH)):
                        continue
                    part = "head"
                    # The eye of the small icon's 3 x 3 square, round where there are pixels for it.
                    eye = (u - 10) ** 2 + (v - 16) ** 2
                    if eye <= 1.5 ** 2:
                        part = "pupil" if eye <= 0.6 ** 2 else "eye"
                    elif v < 13.5 and ((u - 15.5) / 9.0) ** 2 + ((v - 13) / 10.5) ** 2 <= 1.0:
                        part = "cap"
                    hits += 1
                    for c in range(3):
                        acc[c] += colours[part][c]
            if hits:
                img.putpixel((x, y), tuple(round(a / hits) for a in acc) + (round(255 * hits / k / k),))
    return img


# ---------------------------------------------------------------- files


def dib(pic, height_field=None, extra=b""):
    # Rows are padded to whole 32-bit words; the 100 % pictures' widths need no padding.
    pad = bytes(-pic.w % 4)
    rows = b"".join(bytes(pic.px[y * pic.w:(y + 1) * pic.w]) + pad for y in reversed(range(pic.h)))
    header = struct.pack("<IiiHHIIiiII", 40, pic.w, height_field or pic.h, 1, 8, 0,
                         len(rows) + len(extra), 0, 0, 0, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    return header + palette + rows + extra


def write_bmp(path, pic):
    body = dib(pic)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 1024))
        f.write(body)


def and_mask(n, transparent):
    """1 bit a pixel, set where transparent; rows bottom first, padded to 32 bits."""
    mask = bytearray()
    for y in reversed(range(n)):
        bits = 0
        for x in range(n):
            bits = (bits << 1) | transparent(x, y)
        pad = -n % 32
        mask += (bits << pad).to_bytes((n + pad) // 8, "big")
    return bytes(mask)


def rgba_icon_image(img):
    """An icon image of 32-bit pixels with their opacity; 256 x 256 as PNG, as Windows keeps it."""
    n = img.width
    if n >= 256:
        out = io.BytesIO()
        img.save(out, "PNG", optimize=True)
        return out.getvalue(), 32
    rows = b"".join(bytes((b, g, r, a)) for y in reversed(range(n)) for r, g, b, a in
                    (img.getpixel((x, y)) for x in range(n)))
    mask = and_mask(n, lambda x, y: img.getpixel((x, y))[3] == 0)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
    return header + rows + mask, 32


def write_ico(path, pic, transparent, sizes=(32,)):
    """The 32 x 32 picture in 256 colours (its icon image id stays 1), then the other sizes."""
    images = [(32, dib(pic, height_field=64, extra=and_mask(32, lambda x, y: (x, y) in transparent)), 8)]
    for n in sizes:
        if n != 32:
            images.append((n,) + rgba_icon_image(smooth_icon(n)))
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        offset = 6 + 16 * len(images)
        for n, data, bits in images:
            f.write(struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, bits, len(data), offset))
            offset += len(data)
        for _, data, _ in images:
            f.write(data)


def write_pictures(folder, percent):
    os.makedirs(folder, exist_ok=True)
    write_bmp(os.path.join(folder, "background.bmp"), make_background(percent))
    for i, pic in enumerate(make_brains(percent), 1):
        write_bmp(os.path.join(folder, "rank%d.bmp" % i), pic)
    write_bmp(os.path.join(folder, "rankmask.bmp"), make_mask(percent))
    write_bmp(os.path.join(folder, "toolbar.bmp"), make_toolbar(percent))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    write_pictures(out, 100)
    for percent in SCALES:
        write_pictures(os.path.join(out, str(percent)), percent)
    for percent in TOOLBAR_SCALES:
        os.makedirs(os.path.join(out, str(percent)), exist_ok=True)
        write_bmp(os.path.join(out, str(percent), "toolbar.bmp"), make_toolbar(percent))
    icon, transparent = make_icon()
    write_ico(os.path.join(out, "main.ico"), icon, transparent, ICON_SIZES)
    for n in WEB_ICON_SIZES:
        smooth_icon(n).save(os.path.join(out, "icon-%d.png" % n), "PNG", optimize=True)


if __name__ == "__main__":
    main()
