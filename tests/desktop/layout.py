# SPDX-License-Identifier: MIT
"""The main window's design rectangles, read from the one table the program
itself is built from, so that no test keeps a copy."""
import os
import re

TWIPS_PER_PIXEL = 15
_RECT = re.compile(r'inline constexpr TwipRect (\w+)\{\s*(-?\d+),\s*(-?\d+),\s*(-?\d+),\s*(-?\d+)\s*\};')


def to_pixels(twips):
    """Twips to pixels at 96 dpi, rounded as the program's toPixels."""
    return (twips + 7) // TWIPS_PER_PIXEL


def design_rects(source_dir):
    """{name: (left, top, width, height)} in pixels, relative to the client
    area, for each control of the main window's layout header (beside the
    window, or below it where the page shares it)."""
    for place in ('game/layout', 'ui/main'):
        path = os.path.join(source_dir, 'src', place, 'Form1Layout.h')
        if os.path.exists(path):
            with open(path, encoding='utf-8') as f:
                rects = {m[1]: tuple(to_pixels(int(v)) for v in m.groups()[1:]) for m in _RECT.finditer(f.read())}
            if rects:
                return rects
    raise FileNotFoundError("no Form1Layout.h with the main window's rectangles under " + source_dir)
