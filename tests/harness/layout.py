# SPDX-License-Identifier: MIT
"""The main window's layout and the colours as the program designs them,
for the harnesses that press its controls and read it back: the design
tables in the C++ sources, read at run time, so that no harness keeps a copy
of its own."""
import re
from pathlib import Path

# Where the design table lives, relative to the source directory (src).
LAYOUT_HEADER = 'game/layout/Form1Layout.h'
TWIPS_PER_PIXEL = 15

_RECT = re.compile(r'inline\s+constexpr\s+TwipRect\s+(\w+)\s*\{\s*(-?\d+)\s*,\s*(-?\d+)\s*,\s*(-?\d+)\s*,\s*(-?\d+)\s*\}')


def to_pixels(twips):
    """Twips to whole pixels, the nearer one, as the program rounds them."""
    return (twips + TWIPS_PER_PIXEL // 2) // TWIPS_PER_PIXEL


def rects_in(path):
    """Every `TwipRect Name{l, t, w, h}` of a source file, in pixels, by name."""
    text = Path(path).read_text(encoding='utf-8')
    return {m[1]: tuple(to_pixels(int(v)) for v in m.groups()[1:]) for m in _RECT.finditer(text)}


def design_rects(source_dir):
    """The main window's controls: {name: (x, y, w, h)} in window pixels."""
    return rects_in(Path(source_dir) / LAYOUT_HEADER)


# The 16 standard colours, in the run-time's colour table.
COLOURS_HEADER = 'runtime/Colors.h'
_PALETTE = re.compile(r'Palette\{\{(.*?)\}\};', re.S)


def palette(source_dir):
    """The colours the game draws with: {(r, g, b)}."""
    table = _PALETTE.search((Path(source_dir) / COLOURS_HEADER).read_text(encoding='utf-8'))[1]
    return {tuple(map(int, m)) for m in re.findall(r'\{(\d+),\s*(\d+),\s*(\d+)\}', table)}
