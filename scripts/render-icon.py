#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Renders the game's icon, an SVG of nested filled circles about the middle
of its view box, as a square PNG of any size, with the Python standard
library alone: the build has no SVG renderer, and the icon needs none.
Anything in the SVG beyond such circles stops it with an error.

    render-icon.py ICON.svg SIZE OUT.png
"""
import bisect
import re
import struct
import sys
import zlib
import xml.etree.ElementTree as ET

SVG = '{http://www.w3.org/2000/svg}'
SAMPLES = 4   # a pixel on an edge is the mean of SAMPLES x SAMPLES points


def circles(path):
    """(radius, (r, g, b)) of each circle, the largest first, and the view
    box's side; a later circle lies on top of an earlier, larger one."""
    root = ET.parse(path).getroot()
    x, y, w, h = (float(v) for v in root.get('viewBox').split())
    if w != h or x != -w / 2 or y != -h / 2:
        sys.exit('%s: the view box must be a square about the origin' % path)
    found = []
    for element in root:
        if element.tag == SVG + 'title':
            continue
        fill = element.get('fill', '')
        if element.tag != SVG + 'circle' or element.get('cx', '0') != '0' or element.get('cy', '0') != '0' \
                or not re.fullmatch(r'#[0-9a-fA-F]{6}', fill):
            sys.exit('%s: only circles about the origin with a fill colour #rrggbb are drawn, not %s'
                     % (path, ET.tostring(element, encoding='unicode').strip()))
        found.append((float(element.get('r')), tuple(int(fill[i:i + 2], 16) for i in (1, 3, 5))))
    if [r for r, _ in found] != sorted((r for r, _ in found), reverse=True):
        sys.exit('%s: each circle must lie inside the one before it' % path)
    return found, w


def render(found, side, size):
    radii = [r for r, _ in reversed(found)]   # smallest first
    colours = [c for _, c in reversed(found)]
    unit = side / size

    def colour_at(px, py):   # RGBA of a point in view box units
        d = (px * px + py * py) ** 0.5
        i = bisect.bisect_left(radii, d)
        return colours[i] + (255,) if i < len(radii) else (0, 0, 0, 0)

    def band(d):
        return bisect.bisect_left(radii, d)

    rows = []
    for y in range(size):
        row = bytearray([0])   # no filter
        for x in range(size):
            x0, y0 = x * unit - side / 2, y * unit - side / 2
            near = ((min(abs(x0), abs(x0 + unit)) if x0 * (x0 + unit) > 0 else 0) ** 2
                    + (min(abs(y0), abs(y0 + unit)) if y0 * (y0 + unit) > 0 else 0) ** 2) ** 0.5
            far = (max(abs(x0), abs(x0 + unit)) ** 2 + max(abs(y0), abs(y0 + unit)) ** 2) ** 0.5
            if band(near) == band(far):   # the whole pixel in one band
                row += bytes(colour_at(x0 + unit / 2, y0 + unit / 2))
                continue
            # Colours mixed by coverage, premultiplied so that the clear
            # outside adds no black.
            total = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = colour_at(x0 + (sx + 0.5) * unit / SAMPLES, y0 + (sy + 0.5) * unit / SAMPLES)
                    total = [total[0] + r * a, total[1] + g * a, total[2] + b * a, total[3] + a]
            alpha = total[3]
            row += bytes([round(v / alpha) for v in total[:3]] + [round(alpha / SAMPLES ** 2)] if alpha
                         else [0, 0, 0, 0])
        rows.append(bytes(row))
    return b''.join(rows)


def png(size, pixels):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)   # 8-bit RGBA
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(pixels, 9)) + chunk(b'IEND', b'')


if __name__ == '__main__':
    if len(sys.argv) != 4 or not sys.argv[2].isdigit() or not 1 <= int(sys.argv[2]) <= 4096:
        sys.exit(__doc__.split('\n\n')[1].strip())
    icon, size, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    found, side = circles(icon)
    with open(out, 'wb') as f:
        f.write(png(size, render(found, side, size)))
