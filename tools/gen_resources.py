#!/usr/bin/python3
# Draws the program's bitmaps, icon and cursor into resources/ (run with
# Debian's /usr/bin/python3 and python3-pil); the results are committed, so a
# build needs no Python.
import os
import struct
import sys

from PIL import Image, ImageDraw

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
FACE = (192, 192, 192)  # CreateToolbarEx maps it to the button face colour


def finder(d, x, y, s, dark):
    d.rectangle([x, y, x + 7 * s - 1, y + 7 * s - 1], fill=dark)
    d.rectangle([x + s, y + s, x + 6 * s - 1, y + 6 * s - 1], fill=(255, 255, 255, 255))
    d.rectangle([x + 2 * s, y + 2 * s, x + 5 * s - 1, y + 5 * s - 1], fill=dark)


def symbol_picture(size, dark=(0, 0, 0, 255)):
    """A small symbol-like picture: three finder patterns and a few modules."""
    img = Image.new("RGBA", (size, size), (255, 255, 255, 255))
    d = ImageDraw.Draw(img)
    s = max(1, size // 16)
    m = (size - 15 * s) // 2
    finder(d, m, m, s, dark)
    finder(d, m + 8 * s, m, s, dark)
    finder(d, m, m + 8 * s, s, dark)
    for i, (x, y) in enumerate([(8, 8), (10, 9), (12, 8), (9, 11), (11, 12), (13, 10), (14, 13), (8, 14), (12, 14)]):
        d.rectangle([m + x * s, m + y * s, m + (x + 1) * s - 1, m + (y + 1) * s - 1], fill=dark)
    return img


def dib_entry(img, hotspot=None):
    """One icon or cursor image: 32-bit BGRA rows bottom first plus the AND mask."""
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    px = img.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = px[x, y]
            xor += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if px[x, y][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + xor + mask


def write_icon_file(path, images, kind, hotspot=(0, 0)):
    entries = [dib_entry(i) for i in images]
    out = bytearray(struct.pack("<HHH", 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for img, data in zip(images, entries):
        w, h = img.size
        a, b = (1, 32) if kind == 1 else hotspot
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, a, b, len(data), offset)
        offset += len(data)
    for data in entries:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def icon():
    write_icon_file(os.path.join(OUT, "mivoka.ico"),
                    [symbol_picture(32, (0, 0, 128, 255)), symbol_picture(16, (0, 0, 128, 255))], 1)


def hand_cursor():
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    black, white = (0, 0, 0, 255), (255, 255, 255, 255)
    finger = [(6, 0), (9, 0), (9, 8), (18, 8), (20, 10), (20, 20), (16, 26), (8, 26), (2, 16), (2, 12), (6, 16)]
    d.polygon(finger, fill=white, outline=black)
    for x in (12, 15):
        d.line([(x, 9), (x, 14)], fill=black)
    write_icon_file(os.path.join(OUT, "hand.cur"), [img], 2, hotspot=(7, 0))


def toolbar(s, name):
    """Seven s * 16 pixel square pictures: open, save, save all, copy, options,
    print, version; s = 2 draws them for 200 % displays."""
    img = Image.new("RGB", (7 * 16 * s, 16 * s), FACE)
    d = ImageDraw.Draw(img)
    k, w, y, b = (0, 0, 0), (255, 255, 255), (240, 200, 60), (0, 0, 160)

    def box(x0, y0, x1, y1):   # a 16-pixel box, inclusive, at the drawing's scale
        return [x0 * s, y0 * s, (x1 + 1) * s - 1, (y1 + 1) * s - 1]

    def rect(x0, y0, x1, y1, fill, outline=None):
        d.rectangle(box(x0, y0, x1, y1), fill=fill, outline=outline, width=s)

    def ellipse(x0, y0, x1, y1, fill, outline):
        d.ellipse(box(x0, y0, x1, y1), fill=fill, outline=outline, width=s)

    # open: a folder
    d.polygon([(x * s, v * s) for x, v in [(1, 5), (6, 5), (7, 3), (12, 3), (12, 13), (1, 13)]], fill=y,
              outline=k, width=s)
    # save: a disk
    rect(17, 2, 30, 14, b, k)
    rect(20, 2, 27, 7, w, k)
    # save all: two disks
    rect(33, 1, 42, 10, b, k)
    rect(37, 5, 46, 14, b, k)
    rect(39, 5, 44, 8, w, k)
    # copy: a symbol picture on a page
    rect(50, 2, 61, 13, w, k)
    img.paste(symbol_picture(10 * s).convert("RGB"), (51 * s, 3 * s))
    # options: a gear-like wheel
    ellipse(66, 2, 77, 13, (128, 128, 128), k)
    ellipse(69, 5, 74, 10, FACE, k)
    # print: a printer
    rect(84, 2, 91, 7, w, k)
    rect(81, 7, 94, 12, (128, 128, 128), k)
    rect(84, 11, 91, 14, w, k)
    # version: an "i"
    ellipse(97, 1, 110, 14, b, k)
    rect(103, 6, 104, 11, w)
    rect(103, 3, 104, 4, w)
    img.save(os.path.join(OUT, name))


def tile(name, base, accent):
    """A 125 x 79 background tile, 8 bits per pixel, in a light tone."""
    img = Image.new("RGB", (125, 79), base)
    d = ImageDraw.Draw(img)
    for i in range(0, 125 + 79, 12):
        d.line([(i, 0), (i - 79, 79)], fill=accent)
    img.convert("P", palette=Image.ADAPTIVE, colors=16).save(os.path.join(OUT, name))


def colour_samples(s, name):
    """Twelve 36 x 12 samples of the module colours, the rainbow last; s = 2
    draws them at 72 x 24 for 200 % displays."""
    colours = [(0, 0, 0), (128, 0, 0), (0, 160, 0), (0, 0, 128), (192, 0, 128), (0, 0, 255), (255, 0, 0),
               (128, 128, 128), (255, 64, 255), (255, 192, 0), (0, 192, 255)]
    img = Image.new("RGB", (432 * s, 12 * s), (255, 255, 255))
    d = ImageDraw.Draw(img)
    edge = (64, 64, 64)
    for i, c in enumerate(colours):
        d.rectangle([(i * 36 + 1) * s, s, (i * 36 + 35) * s - 1, 11 * s - 1], fill=c, outline=edge, width=s)
    rainbow = [(250, 0, 0), (250, 200, 0), (0, 216, 0), (0, 96, 255), (182, 88, 192)]
    for x in range(34 * s):
        t = x / (34 * s - 1) * (len(rainbow) - 1)
        j = min(int(t), len(rainbow) - 2)
        f = t - j
        c = tuple(int(rainbow[j][n] * (1 - f) + rainbow[j + 1][n] * f) for n in range(3))
        d.line([(396 * s + x, 2 * s), (396 * s + x, 10 * s - 1)], fill=c)
    d.rectangle([397 * s, s, 431 * s - 1, 11 * s - 1], outline=edge, width=s)
    img.convert("P", palette=Image.ADAPTIVE, colors=256).save(os.path.join(OUT, name))


def button_face():
    """The blank face of an emoji history button."""
    img = Image.new("RGB", (20, 22), FACE)
    d = ImageDraw.Draw(img)
    d.line([(0, 0), (19, 0)], fill=(255, 255, 255))
    d.line([(0, 0), (0, 21)], fill=(255, 255, 255))
    d.line([(19, 0), (19, 21)], fill=(64, 64, 64))
    d.line([(0, 21), (19, 21)], fill=(64, 64, 64))
    img.save(os.path.join(OUT, "button_face.bmp"))


def main():
    os.makedirs(OUT, exist_ok=True)
    icon()
    hand_cursor()
    toolbar(1, "toolbar.bmp")
    toolbar(2, "toolbar_2x.bmp")
    tile("bg_blue.bmp", (222, 225, 255), (208, 212, 250))
    tile("bg_green.bmp", (196, 248, 203), (180, 236, 190))
    tile("bg_orange.bmp", (255, 240, 177), (250, 226, 150))
    tile("bg_white.bmp", (250, 250, 250), (238, 238, 238))
    colour_samples(1, "colours.bmp")
    colour_samples(2, "colours_2x.bmp")
    button_face()
    return 0


if __name__ == "__main__":
    sys.exit(main())
