#!/usr/bin/python3
"""Turns X window dumps (xwd) into a PNG; PIL cannot read xwd itself.

usage: xwd_to_png.py IN.xwd OUT.png [X Y WIDTH HEIGHT]
         one dump, optionally cropped
       xwd_to_png.py --layers OUT.png ROOT.xwd LEFT TOP WIDTH HEIGHT IN.xwd X Y [IN.xwd X Y ...]
         the part of the screen dump ROOT.xwd at LEFT, TOP, WIDTH x HEIGHT, with
         dumps of single windows pasted on it in order at X, Y (relative to
         LEFT, TOP); a window dump of one solid colour is left out, so the
         screen's picture of that window stays (the X server gives some
         windows their pixels only in one of the two dumps)
Handles the true-colour dumps of 24- and 32-bit displays (as Xvfb makes them).
"""
import struct
import sys

from PIL import Image

HEADER_FIELDS = (
    "header_size file_version pixmap_format pixmap_depth width height xoffset byte_order "
    "bitmap_unit bitmap_bit_order bitmap_pad bits_per_pixel bytes_per_line visual_class "
    "red_mask green_mask blue_mask bits_per_rgb colormap_entries ncolors").split()
XWD_VERSION = 7
ZPIXMAP = 2
COLOR_ENTRY_BYTES = 12
LSB_FIRST = 0


def read_header(data):
    # The header is written in the dumping machine's order; the version tells which.
    for order in (">", "<"):
        values = struct.unpack_from(order + "%dI" % len(HEADER_FIELDS), data, 0)
        header = dict(zip(HEADER_FIELDS, values))
        if header["file_version"] == XWD_VERSION:
            return header
    raise ValueError("not an X window dump (version 7)")


def raw_mode(header):
    """The PIL raw mode for the pixel layout, from the masks and the byte order."""
    masks = (header["red_mask"], header["green_mask"], header["blue_mask"])
    if masks != (0xFF0000, 0x00FF00, 0x0000FF):
        raise ValueError("unsupported colour masks %s" % [hex(m) for m in masks])
    lsb = header["byte_order"] == LSB_FIRST
    if header["bits_per_pixel"] == 32:
        return "BGRX" if lsb else "XRGB"
    if header["bits_per_pixel"] == 24:
        return "BGR" if lsb else "RGB"
    raise ValueError("unsupported %d bits per pixel" % header["bits_per_pixel"])


def xwd_image(path):
    with open(path, "rb") as f:
        data = f.read()
    header = read_header(data)
    if header["pixmap_format"] != ZPIXMAP:
        raise ValueError("only ZPixmap dumps are read")
    start = header["header_size"] + header["ncolors"] * COLOR_ENTRY_BYTES
    size = (header["width"], header["height"])
    pixels = data[start:start + header["bytes_per_line"] * header["height"]]
    return Image.frombuffer("RGB", size, pixels, "raw", raw_mode(header), header["bytes_per_line"], 1)


def one_colour(image):
    return len(image.getcolors(1) or []) == 1


def layers(argv):
    left, top, width, height = (int(v) for v in argv[4:8])
    picture = xwd_image(argv[3]).crop((left, top, left + width, top + height))
    rest = argv[8:]
    for i in range(0, len(rest), 3):
        window = xwd_image(rest[i])
        x, y = int(rest[i + 1]), int(rest[i + 2])
        if not one_colour(window):
            picture.paste(window, (x, y))
        elif one_colour(picture.crop((x, y, x + window.width, y + window.height))):
            sys.stderr.write("error: %s is one solid colour in both dumps\n" % rest[i])
            return 1
    picture.save(argv[2], "PNG")
    return 0


def main(argv):
    if len(argv) >= 11 and argv[1] == "--layers" and (len(argv) - 8) % 3 == 0:
        return layers(argv)
    if len(argv) not in (3, 7):
        sys.stderr.write(__doc__)
        return 1
    image = xwd_image(argv[1])
    if len(argv) == 7:
        x, y, w, h = (int(v) for v in argv[3:7])
        image = image.crop((x, y, x + w, y + h))
    image.save(argv[2], "PNG")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
