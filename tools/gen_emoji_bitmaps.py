#!/usr/bin/python3
# Draws the emoji palette strips (one bitmap per page, resources 301-337,
# and the same pictures drawn at twice the size for displays of 200 % and
# more, resources 341-377) into resources/emoji/ as 16-colour bitmaps:
# simple original pictograms (faces, hearts, stars, shapes, weather and
# symbols) in a 16-colour palette, varied by page and position. Run with
# Debian's /usr/bin/python3 and python3-pil; the results are committed, so a
# build needs no Python.
import math
import os
import struct
import sys

from PIL import Image, ImageDraw

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "emoji")

# Magenta is the mask colour: the palette window draws it transparent.
COLOURS = [(255, 0, 255), (0, 0, 0), (255, 255, 255), (224, 32, 32), (255, 140, 0), (255, 210, 0),
           (40, 170, 60), (0, 170, 200), (40, 80, 220), (140, 60, 190), (255, 120, 170), (140, 90, 40),
           (128, 128, 128), (0, 90, 40), (20, 30, 110), (250, 200, 150)]
MASK, BLACK, WHITE = 0, 1, 2
PAINTS = [3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14]

# (strip images, image width, image height) per page of each palette.
PALETTES = [
    ("softbank", 301, 18, 17, [90, 90, 90, 77, 76, 62]),
    ("docomo", 311, 16, 16, [72, 72, 72, 72]),
    ("au", 321, 16, 16, [90] * 8),
    ("unicode", 331, 16, 16, [90] * 7),
]


class Scaled:
    """An ImageDraw at k times the size, taking the small picture's
    coordinates: small pixel p covers pixels k*p to k*p + k - 1, and lines
    and outlines keep the weight of one small pixel. Shapes come out drawn
    at the size, not enlarged pixel by pixel."""

    def __init__(self, d, k):
        self.d, self.k = d, k

    def _centre(self, xy):
        return (xy[0] * self.k + (self.k - 1) / 2, xy[1] * self.k + (self.k - 1) / 2)

    def _box(self, box):
        k = self.k
        return [box[0] * k, box[1] * k, box[2] * k + k - 1, box[3] * k + k - 1]

    def point(self, xy, fill):
        for x, y in [xy] if isinstance(xy[0], int) else xy:
            self.d.rectangle(self._box([x, y, x, y]), fill=fill)

    def line(self, xy, fill, width=1):
        self.d.line([self._centre(p) for p in xy], fill=fill, width=width * self.k)

    def ellipse(self, box, fill=None, outline=None):
        self.d.ellipse(self._box(box), fill=fill, outline=outline, width=self.k)

    def arc(self, box, start, end, fill):
        self.d.arc(self._box(box), start, end, fill=fill, width=self.k)

    def rectangle(self, box, fill=None, outline=None):
        self.d.rectangle(self._box(box), fill=fill, outline=outline, width=self.k)

    def polygon(self, xy, fill=None, outline=None):
        self.d.polygon([self._centre(p) for p in xy], fill=fill, outline=outline, width=self.k)


def face(d, w, h, n):
    c = [5, 15, 4, 10][n % 4]
    d.ellipse([1, 1, w - 2, h - 2], fill=c, outline=BLACK)
    cx = w // 2
    eyes = (n // 4) % 4
    if eyes == 0:
        d.point([(cx - 3, 6), (cx + 2, 6)], fill=BLACK)
        d.point([(cx - 3, 5), (cx + 2, 5)], fill=BLACK)
    elif eyes == 1:
        d.line([(cx - 4, 6), (cx - 2, 6)], fill=BLACK)
        d.line([(cx + 1, 6), (cx + 3, 6)], fill=BLACK)
    elif eyes == 2:
        d.rectangle([cx - 4, 5, cx - 2, 7], fill=WHITE, outline=BLACK)
        d.rectangle([cx + 1, 5, cx + 3, 7], fill=WHITE, outline=BLACK)
    else:
        d.line([(cx - 4, 7), (cx - 3, 5), (cx - 2, 7)], fill=BLACK)
        d.line([(cx + 1, 7), (cx + 2, 5), (cx + 3, 7)], fill=BLACK)
    mouth = (n // 16) % 4
    if mouth == 0:
        d.arc([cx - 4, 6, cx + 3, 12], 20, 160, fill=BLACK)
    elif mouth == 1:
        d.arc([cx - 4, 10, cx + 3, 15], 200, 340, fill=BLACK)
    elif mouth == 2:
        d.ellipse([cx - 2, 9, cx + 1, 12], fill=3, outline=BLACK)
    else:
        d.line([(cx - 3, 11), (cx + 2, 11)], fill=BLACK)


def heart(d, w, h, c):
    d.ellipse([1, 2, w // 2, h // 2 + 2], fill=c)
    d.ellipse([w // 2 - 1, 2, w - 2, h // 2 + 2], fill=c)
    d.polygon([(1, h // 2), (w - 2, h // 2), (w // 2 - 1, h - 2)], fill=c)


def star(d, w, h, c):
    cx, cy = (w - 1) / 2, (h - 1) / 2
    pts = []
    for k in range(10):
        r = (w / 2 - 1) if k % 2 == 0 else (w / 5)
        a = -math.pi / 2 + k * math.pi / 5
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    d.polygon(pts, fill=c, outline=BLACK)


def sun(d, w, h, c):
    d.ellipse([4, 4, w - 5, h - 5], fill=5, outline=4)
    for x, y in [(w // 2, 0), (w // 2, h - 2), (0, h // 2), (w - 2, h // 2), (2, 2), (w - 3, 2), (2, h - 3),
                 (w - 3, h - 3)]:
        d.rectangle([x, y, x + 1, y + 1], fill=4)


def cloud(d, w, h, c):
    d.ellipse([1, 6, 8, 13], fill=WHITE, outline=12)
    d.ellipse([5, 3, 13, 11], fill=WHITE, outline=12)
    d.rectangle([3, 9, w - 3, 13], fill=WHITE)
    d.line([(3, 13), (w - 3, 13)], fill=12)
    if c in (7, 8):
        d.line([(5, 14), (4, 15)], fill=c)
        d.line([(9, 14), (8, 15)], fill=c)


def drop(d, w, h, c):
    d.polygon([(w // 2, 1), (3, h // 2 + 2), (w - 4, h // 2 + 2)], fill=c)
    d.ellipse([3, h // 2 - 2, w - 4, h - 2], fill=c)
    d.point((w // 2 - 2, h // 2 + 1), fill=WHITE)


def note(d, w, h, c):
    d.ellipse([2, h - 6, 7, h - 2], fill=c)
    d.line([(6, 2), (6, h - 4)], fill=c, width=2)
    d.line([(6, 2), (w - 3, 4)], fill=c, width=2)


def arrow(d, w, h, c, n):
    d.rectangle([1, 1, w - 2, h - 2], fill=WHITE, outline=c)
    pts = [(w // 2, 3), (w - 4, h // 2), (w // 2 + 2, h // 2), (w // 2 + 2, h - 4), (w // 2 - 2, h - 4),
           (w // 2 - 2, h // 2), (3, h // 2)]
    turn = n % 4
    for _ in range(turn):
        pts = [(w - 1 - y, x) for x, y in pts]
    d.polygon(pts, fill=c)


def shape(d, w, h, c, n):
    kind = n % 4
    if kind == 0:
        d.ellipse([2, 2, w - 3, h - 3], fill=c, outline=BLACK)
    elif kind == 1:
        d.rectangle([2, 2, w - 3, h - 3], fill=c, outline=BLACK)
    elif kind == 2:
        d.polygon([(w // 2, 1), (w - 2, h // 2), (w // 2, h - 2), (1, h // 2)], fill=c, outline=BLACK)
    else:
        d.polygon([(w // 2, 1), (w - 2, h - 3), (1, h - 3)], fill=c, outline=BLACK)
    d.rectangle([w // 2 - 1, h // 2 - 1, w // 2, h // 2], fill=WHITE)


def flower(d, w, h, c):
    for x, y in [(w // 2 - 2, 1), (1, h // 2 - 3), (w - 6, h // 2 - 3), (3, h // 2 + 1), (w - 8, h // 2 + 1)]:
        d.ellipse([x, y, x + 5, y + 5], fill=c)
    d.ellipse([w // 2 - 2, h // 2 - 2, w // 2 + 1, h // 2 + 1], fill=5)
    d.line([(w // 2, h // 2 + 3), (w // 2, h - 1)], fill=6)


def lightning(d, w, h, c):
    d.polygon([(9, 0), (3, 9), (7, 9), (5, h - 1), (12, 6), (8, 6), (11, 0)], fill=5, outline=4)


def picture(palette, page, position, w, h, k):
    """Image of one palette position at k times the size: the motif by page
    and position, the colour by position."""
    img = Image.new("P", (w * k, h * k), MASK)
    img.putpalette([v for c in COLOURS for v in c] + [0] * (3 * (256 - len(COLOURS))))
    d = ImageDraw.Draw(img) if k == 1 else Scaled(ImageDraw.Draw(img), k)
    n = page * 90 + position + palette * 7
    c = PAINTS[(position * 7 + page * 3 + palette) % len(PAINTS)]
    motif = (position // 9 + page * 3 + palette) % 11
    if motif in (0, 1):
        face(d, w, h, n)
    elif motif == 2:
        heart(d, w, h, [3, 10, 9, 4][n % 4])
    elif motif == 3:
        star(d, w, h, [5, 4, 7, 10][n % 4])
    elif motif == 4:
        (sun if n % 3 == 0 else cloud)(d, w, h, c)
    elif motif == 5:
        drop(d, w, h, c)
    elif motif == 6:
        note(d, w, h, c)
    elif motif == 7:
        arrow(d, w, h, c, n)
    elif motif == 8:
        flower(d, w, h, c)
    elif motif == 9:
        lightning(d, w, h, c) if n % 2 else shape(d, w, h, c, n)
    else:
        shape(d, w, h, c, n)
    return img


def write_bmp4(path, img):
    """A 16-colour uncompressed bitmap (rows bottom first, padded to 4 bytes)."""
    w, h = img.size
    px = img.load()
    stride = ((w + 1) // 2 + 3) & ~3
    rows = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            v = px[x, y] & 15
            row[x // 2] |= v << 4 if x % 2 == 0 else v
        rows += row
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in COLOURS)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(rows), 2835, 2835, 16, 16)
    with open(path, "wb") as f:
        f.write(header + info + table + bytes(rows))


def main():
    os.makedirs(OUT, exist_ok=True)
    for p, (name, first, w, h, pages) in enumerate(PALETTES):
        for page, count in enumerate(pages):
            for k, suffix in ((1, ""), (2, "_2x")):
                strip = Image.new("P", (w * k * count, h * k), MASK)
                strip.putpalette([v for c in COLOURS for v in c] + [0] * (3 * (256 - len(COLOURS))))
                for i in range(count):
                    strip.paste(picture(p, page, i + 1, w, h, k), (i * w * k, 0))
                write_bmp4(os.path.join(OUT, "%s_%d%s.bmp" % (name, page + 1, suffix)), strip)
    return 0


if __name__ == "__main__":
    sys.exit(main())
