#!/usr/bin/python3
"""Prints the version resource of a Windows binary, as read back from the
file itself, one fact a line:

  fixed file 2.7.0.0 product 2.7.0.0 type app|dll
  041104B0 CompanyName=Velmora Tools
  ...
  translation 0411/1200 0409/1200

usage: versioninfo.py BINARY   (uses wrestool of icoutils to find the
resource; the structure is parsed here). Exit 1 when there is none or it is
malformed."""
import struct
import subprocess
import sys

FIXED_SIGNATURE = 0xFEEF04BD
FILE_TYPES = {1: "app", 2: "dll"}


def align4(n):
    return (n + 3) & ~3


def node(data, at):
    """One VS_VERSIONINFO-style node: (key, value bytes, is_text, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    if length < 6 or at + length > len(data):
        raise ValueError("node at %d runs past the resource" % at)
    end = at + length
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = align4(key_end + 2)
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[value_at:value_at + value_size]
    children = []
    child = align4(value_at + value_size)
    while child < end:
        children.append(node(data, child))
        child = align4(children[-1][4])
    return key, value, kind == 1, children, end


def text(value):
    return value.decode("utf-16-le").rstrip("\0")


def quad(ms, ls):
    return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def dump(data):
    key, value, _, children, _ = node(data, 0)
    if key != "VS_VERSION_INFO" or len(value) < 52:
        raise ValueError("no VS_VERSION_INFO with a fixed part")
    fixed = struct.unpack_from("<13I", value)
    if fixed[0] != FIXED_SIGNATURE:
        raise ValueError("bad fixed-part signature")
    lines = ["fixed file %s product %s type %s" % (quad(fixed[2], fixed[3]), quad(fixed[4], fixed[5]),
                                                   FILE_TYPES.get(fixed[9], str(fixed[9])))]
    for name, _, _, blocks, _ in children:
        if name == "StringFileInfo":
            for table, _, _, strings, _ in blocks:
                lines += ["%s %s=%s" % (table, s[0], text(s[1])) for s in strings]
        elif name == "VarFileInfo":
            for _, pairs, _, _, _ in blocks:
                words = struct.unpack("<%dH" % (len(pairs) // 2), pairs)
                lines.append("translation " + " ".join(
                    "%04X/%d" % (words[i], words[i + 1]) for i in range(0, len(words) - 1, 2)))
    return lines


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    raw = subprocess.run(["wrestool", "-x", "--raw", "-t16", sys.argv[1]], capture_output=True).stdout
    if not raw:
        print("no version resource in %s" % sys.argv[1], file=sys.stderr)
        return 1
    try:
        print("\n".join(dump(raw)))
    except (ValueError, struct.error) as e:
        print("%s: %s" % (sys.argv[1], e), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
