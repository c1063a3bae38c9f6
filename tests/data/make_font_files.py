#!/usr/bin/python3
"""Makes the font file seeds in tests/data/font_file: a printable-ASCII font,
a three-glyph font, one without glyphs, and hostile_* files that must be
refused (a lying glyph count, a cut glyph, codes out of order). The fuzz target
starts from the committed files; run this only to remake them."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "font_file")


def glyph(code, ox, oy, w, h, ax, ay=0):
    u = code / 128.0
    return struct.pack("<H4f6i", code, u, 0.0, u + 1 / 128.0, 1 / 16.0, ox, oy, w, h, ax, ay)


def font(glyphs, baseline=3, metric2=0, line=14, padding=1, count=None):
    head = struct.pack("<HBiiiI", 0x6663, 0, baseline, metric2, line, len(glyphs) if count is None else count)
    return head + b"".join(glyphs) + struct.pack("<i", padding)


def write(name, data):
    os.makedirs(HERE, exist_ok=True)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


ascii_glyphs = [glyph(c, 0, 2, 6, 10, 7) for c in range(32, 127)]
write("ascii.cFont", font(ascii_glyphs))
write("three.cFont", font([glyph(32, 0, 0, 0, 0, 4), glyph(65, 1, 2, 6, 8, 7), glyph(0xFFE9, 0, 0, 5, 10, 6, -1)]))
write("empty.cFont", font([], padding=0))
write("hostile_count.cFont", font(ascii_glyphs[:2], count=65536))
write("hostile_cut.cFont", font(ascii_glyphs[:3])[:19 + 42 * 2 + 20])
write("hostile_order.cFont", font([ascii_glyphs[5], ascii_glyphs[4]]))
