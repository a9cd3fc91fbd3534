# SPDX-License-Identifier: MIT
"""The page played in a headless browser, with input through the browser's
own pipeline, judged by the game's trace, the DOM and screenshots. The site
cases serve the site beside the page (PAGE's folder/site) from 127.0.0.1.

    web_test.py CASE BROWSER PAGE OUT_DIR SOURCE_DIR
"""
import functools
import http.server
import itertools
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading

from harness import layout
from harness.browser import BROWSERS
from harness.checks import Failure, check, run, wait_for

MAIN, RESULT, EXPLAIN = '#Form1', '#Form2', '#Form3'
START, ENDE, ERKLAERUNG = (MAIN + ' [data-name=%s]' % n for n in ('Command1', 'Command2', 'Command3'))
SCORE, SLIDER, FIELD = (MAIN + ' [data-name=%s]' % n for n in ('Text5', 'HScroll1', 'Picture1'))
BACK = RESULT + ' [data-name=Command1]'
CAPTIONS = {'Command1': 'Start', 'Command2': 'Ende', 'Command3': 'Erklärung'}
SHOWN = ['Command1', 'Command2', 'Command3', 'Text5', 'HScroll1', 'Picture1'] + ['Label%d' % n for n in range(3, 7)]
SENTENCE = 'Sie haben 279 Punkte erreicht!'
PHONE = dict(width=390, height=844, dpr=3, touch=True)
DESIGN_BORDER = 2   # the field's border in the design, in pixels
RATIOS = (1, 1.25, 1.5, 2)
# The largest canvas backing store WebKit on iOS accepts, in pixels.
BACKING_STORE_LIMIT = 16777216
# Each control with text in a window: its name, text, box and the boxes of
# its text's words (a space a wrapped line ends with may hang past the box).
CAPTION_EXTENTS = '''[...document.querySelectorAll("%s .client [data-name]")]
  .filter(e => e.checkVisibility() && e.tagName !== "INPUT" && e.textContent.trim())
  .map(e => {
    const box = e.getBoundingClientRect(), words = [], texts = document.createTreeWalker(e, NodeFilter.SHOW_TEXT);
    for (let text; (text = texts.nextNode());)
      for (const word of text.data.matchAll(/\\S+/g)) {
        const range = document.createRange();
        range.setStart(text, word.index);
        range.setEnd(text, word.index + word[0].length);
        words.push(...[...range.getClientRects()].map(r => [r.left, r.top, r.right, r.bottom]));
      }
    return [e.dataset.name, e.textContent, [box.left, box.top, box.right, box.bottom], words];
  })'''
# The narrow layout's screens, each with the least a target must measure across in CSS pixels.
NARROW = {'phone': (PHONE, 48), 'sideways': (dict(width=844, height=390, dpr=3, touch=True), 0),
          'tablet': (dict(width=820, height=1180, dpr=2, touch=True), 0),
          'small': (dict(width=390, height=700, dpr=1, touch=True), 48)}   # whole CSS pixels, for Firefox
TOUCHED = ['Command1', 'Command2', 'Command3', 'Text5', 'HScroll1']   # what a finger presses beside the field
TOUCH_SIZE = 44   # CSS pixels, the short side
TARGET = 60       # field pixels across a target
OWN = ['file:', 'data:', 'blob:', 'about:']   # where the page may load from


def words(text):
    return ' '.join(text.split())


class Game:
    """The page's game as its trace tells it."""

    def __init__(self, b, **viewport):
        self.b = b
        # Everything the live region says, in order.
        b.open('?trace', **viewport)
        b.js('(window.said = [], new MutationObserver(() => said.push(announce.textContent))'
             '.observe(announce, {childList: true, characterData: true, subtree: true}))')

    def trace(self, pattern):
        return [m for line in self.b.console() if (m := re.fullmatch(pattern, line))]

    def ticks(self):
        return [(int(m[1]), float(m[2]) + 30, float(m[3]) + 30) for m in self.trace(r'Timer1_Timer Anzahl=(\d+) xx=(\S+) yy=(\S+)')]

    def next_tick(self, seen):
        return wait_for(lambda: self.ticks()[seen:], 'a target')[0]

    def pressed(self):
        return [(float(m[1]), float(m[2])) for m in self.trace(r'Picture1_MouseDown X=(\S+) Y=(\S+)')]

    def score(self):
        return self.b.js('document.querySelector(%r).value' % SCORE)

    def geometry(self):
        """Field origin in CSS pixels and CSS pixels per field pixel."""
        x, y, w, h = self.b.rect(FIELD)
        # Exact lengths: clientLeft and clientWidth are rounded to whole CSS pixels.
        border, outer, store, ratio, narrow = self.b.js(
            '(c => [parseFloat(getComputedStyle(c).borderLeftWidth), parseFloat(getComputedStyle(c).width), c.width,'
            ' devicePixelRatio, document.body.classList.contains("narrow")])(document.querySelector(%r))' % FIELD)
        page = w / outer   # the page's own scale of its window; the border is scaled with it
        inner = layout.design_rects(os.path.join(SOURCE, 'src'))['Picture1'][2] - 2 * DESIGN_BORDER
        # As designed, a field pixel is a pixel of the window; in the narrow
        # layout a whole number of device pixels, the backing store's.
        scale = round(store / inner) / ratio if narrow else page
        return x + border * page, y + border * page, scale

    def set_interval(self, key, interval):
        before = len(self.trace(r'Timer1\.Interval (\d+)'))
        self.b.js('document.querySelector(%r).focus()' % SLIDER)
        self.b.keys([key])
        got = [int(m[1]) for m in wait_for(lambda: self.trace(r'Timer1\.Interval (\d+)')[before:], key + ' to set the pace')]
        check(got == [interval], '%s on the slider set the pace %s, expected %d' % (key, got, interval))

    def start(self, touch=False):
        self.b.click(START, touch)
        wait_for(lambda: self.score() == ' 0', 'Start to show " 0"')
        return len(self.ticks())


def expect_result_in_front(b, said, sentence=SENTENCE):
    """The result window shows the sentence, lies on top and has the keyboard
    on "Zurück"; the live region has said the sentence once more."""
    b.wait_js('!document.querySelector(%r).hidden' % RESULT, 'the result window')
    text = b.js('document.querySelector("%s").textContent' % RESULT)
    check(sentence in words(text), 'the result window says %r' % words(text))
    check(b.js('document.activeElement === document.querySelector(%r)' % BACK), 'the keyboard is not on "Zurück"')
    x, y, w, h = b.rect(BACK)
    check(b.js('document.querySelector(%r).contains(document.elementFromPoint(%g, %g))' % (BACK, x + w / 2, y + h / 2)),
          '"Zurück" is covered')
    announced = [words(t) for t in b.js('said') if t.strip()]
    check(announced.count(sentence) == said, 'the live region said %s, expected the sentence %d times' % (announced, said))
    expect_captions_fit(b, RESULT)


def expect_captions_fit(b, window):
    """Each text of the window lies within its control's box, on the lines
    the box has room for: no caption wraps onto a line below its box or runs
    past its edge, where the box would cut it off."""
    for name, text, box, lines in b.js(CAPTION_EXTENTS % window):
        extent = [min(r[0] for r in lines), min(r[1] for r in lines), max(r[2] for r in lines), max(r[3] for r in lines)]
        # Up and down, a line's glyph boxes may reach past its line by the
        # font's rounding (a pixel in WebKit): a line more is a whole line past.
        slack = (0.05, 1)
        inside = all(e >= v - d for e, v, d in zip(extent[:2], box[:2], slack)) and \
            all(e <= v + d for e, v, d in zip(extent[2:], box[2:], slack))
        check(inside, '%s %s: %r on %d line(s) spans %s, its box %s' % (window, name, words(text),
              len({round(r[1]) for r in lines}), [round(v, 1) for v in extent], [round(v, 1) for v in box]))


def play_game(b, g, touch=False, dpr=1, score_ok=lambda score: score == ' 279'):
    """A game with a press on each target's centre, another game should a
    press come after its target; gives the number of games it took."""
    for games in range(1, 4):
        seen = g.start(touch)
        pressed = len(g.pressed())
        ox, oy, scale = g.geometry()
        for n in range(9):
            _, cx, cy = g.next_tick(seen + n)
            b.press_all([b.at(math.floor((ox + (cx + 0.5) * scale) * dpr), math.floor((oy + (cy + 0.5) * scale) * dpr),
                              dpr)], touch)
        wait_for(lambda: any(t[0] == 11 for t in g.ticks()[seen:]), 'the end of the game')
        # Each press must reach the centre shown when it was sent; one that
        # reached the game after the next target came voids the game.
        ticks, presses = g.ticks()[seen:], g.pressed()[pressed:]
        check(len(presses) == 9, '%d presses reached the field: %s, targets %s' % (len(presses), presses, ticks))
        if [p for p in presses if p not in [t[1:] for t in ticks]]:
            raise Failure('presses on the centres reached the field at %s, targets %s' % (presses, ticks))
        if presses == [t[1:] for t in ticks[:9]]:
            break
        print('game %d: a press came after its target, so another game' % games)
        b.click(BACK, touch)
    check(score_ok(g.score()), 'nine centres hit show %r' % g.score())
    return games


def inside(rect, width, height):
    x, y, w, h = rect
    return x >= -0.01 and y >= -0.01 and x + w <= width + 0.01 and y + h <= height + 0.01


def expect_drag_moves(b, window, touch=False):
    """A drag on the window's title bar moves it by as much; one to the
    view's top left corner, which would take the window past it, leaves it
    there, inside the view."""
    view = b.js('[document.documentElement.clientWidth, document.documentElement.clientHeight]')
    x, y, w, h = b.rect(window)
    step = [30 if v + s + 30 <= end else -30 if v >= 30 else 0 for v, s, end in zip((x, y), (w, h), view)]
    check(any(step), 'the window %s fills the %s view: no room to move it' % ((x, y, w, h), view))
    tx, ty, tw, th = b.rect(window + ' .title')
    grab = (tx + tw / 2, ty + th / 2)
    b.drag(grab, (grab[0] + step[0], grab[1] + step[1]), touch)
    moved = b.rect(window)
    check(all(abs(m - (v + d)) < 1 for m, v, d in zip(moved, (x, y), step)),
          'a drag by %s on the title bar moved the window from %s to %s' % (step, (x, y), moved[:2]))
    tx, ty, tw, th = b.rect(window + ' .title')
    b.drag((tx + tw / 2, ty + th / 2), (1, 1), touch)
    corner = b.rect(window)
    check(inside(corner, *view) and max(map(abs, corner[:2])) < 1,
          'a drag to the top left corner left the window at %s in the %s view' % (corner, view))


def case_game(b, **viewport):
    g = Game(b, **viewport)
    g.set_interval('Home', 1000)   # a target a second: time enough on a busy machine
    games = 0
    for _ in range(2):   # a game, and a restarted one
        games += play_game(b, g, viewport.get('touch', False), viewport.get('dpr', 1))
        expect_result_in_front(b, said=games)
        b.click(BACK)   # the result window would hide targets of the next game
        b.wait_js('document.querySelector(%r).hidden' % RESULT, '"Zurück" to hide the result window')
    b.click(ERKLAERUNG)
    b.wait_js('!document.querySelector(%r).hidden' % EXPLAIN, 'the explanation window')
    expect_drag_moves(b, EXPLAIN)


def case_narrow(b, viewport, least_target):
    """The narrow layout: the shown controls inside the screen and none over
    another, a finger's size; the field at whole device pixels a field pixel;
    the slider dragged to its slow end; a whole game by taps; the result
    window inside the screen, moved by a drag on its title bar."""
    g = Game(b, **viewport)
    width, height, dpr = viewport['width'], viewport['height'], viewport['dpr']
    rects = {name: b.rect('%s [data-name=%s]' % (MAIN, name)) for name in SHOWN}
    outside = {name: r for name, r in rects.items() if not inside(r, width, height)}
    check(not outside, 'outside the %dx%d screen: %s' % (width, height, outside))
    over = [(a, c) for a, c in itertools.combinations(SHOWN, 2)
            if max(rects[a][0], rects[c][0]) < min(rects[a][0] + rects[a][2], rects[c][0] + rects[c][2]) - 0.01
            and max(rects[a][1], rects[c][1]) < min(rects[a][1] + rects[a][3], rects[c][1] + rects[c][3]) - 0.01]
    check(not over, 'controls over one another: %s' % over)
    small = {name: rects[name][2:] for name in TOUCHED if min(rects[name][2:]) < TOUCH_SIZE}
    check(not small, 'smaller than %d CSS px for a finger: %s' % (TOUCH_SIZE, small))
    ox, oy, scale = g.geometry()
    k = scale * dpr
    check(round(k) >= 1 and abs(k - round(k)) < 1e-6, 'a field pixel covers %g device pixels, no whole number' % k)
    print('%dx%d at ratio %g: %d device pixels a field pixel, a target %g CSS px across'
          % (width, height, dpr, round(k), TARGET * scale))
    check(TARGET * scale >= least_target, 'a target is %g CSS px across, under %d' % (TARGET * scale, least_target))
    # The thumb dragged onto the slow end's arrow: the slowest pace.
    thumb, bar = b.rect(SLIDER + ' .thumb'), b.rect(SLIDER)
    b.drag((thumb[0] + thumb[2] / 2, thumb[1] + thumb[3] / 2), (bar[0] + 2, thumb[1] + thumb[3] / 2), True)
    wait_for(lambda: g.trace(r'Timer1\.Interval 1000'), 'the dragged thumb to set the pace to 1000 ms')
    expect_result_in_front(b, said=play_game(b, g, True, dpr))
    check(inside(b.rect(RESULT), width, height), 'the result window %s is not inside the screen' % (b.rect(RESULT),))
    check(min(b.rect(BACK)[2:]) >= TOUCH_SIZE, '"Zurück" is %s, small for a finger' % (b.rect(BACK)[2:],))
    expect_drag_moves(b, RESULT, True)


def case_columns(b):
    """A view that holds the design window's width but not its height, with a
    scroll bar: every field column and row is on some screen pixel, as
    presses on each screen pixel along the field's middle row and column show."""
    g = Game(b, width=820, height=660)
    ox, oy, scale = g.geometry()
    columns, rows = b.js('(c => [c.width, c.height])(document.querySelector(%r))' % FIELD)
    design = layout.design_rects(os.path.join(SOURCE, 'src'))['Picture1']
    left, top = round(ox), round(oy)
    row = [(left + x, top + rows // 2) for x in range(columns)]
    column = [(left + columns // 2, top + y) for y in range(rows)]
    before = len(g.pressed())
    b.press_all([b.at(x, y, 1) for x, y in row + column])
    reached = wait_for(lambda: len(g.pressed()) >= before + columns + rows and g.pressed()[before:], 'the presses')
    for axis, presses, size in ((0, reached[:columns], design[2] - 4), (1, reached[columns:], design[3] - 4)):
        missing = sorted(set(range(size)) - {int(p[axis]) for p in presses})
        check(not missing, 'field %s %s on no screen pixel (%d screen pixels for %d, scale %g)'
              % (('columns', 'rows')[axis], missing, len(presses), size, scale))

def case_scale(b, **viewport):
    """Each screen pixel on a row and a column through a target's centre shows
    the field pixel a press on it reaches, the field around it shows only the
    palette's colours, and each screen pixel of a centre scores 31. Where a press lands does not depend on the target, so only the
    screenshot and the presses on a centre must fall within one target's time."""
    g = Game(b, **viewport)
    dpr, touch = viewport.get('dpr', 1), viewport.get('touch', False)
    g.set_interval('Home', 1000)
    seen = g.start(touch)
    ox, oy, scale = g.geometry()
    k, origin = dpr * scale, (round(ox * dpr), round(oy * dpr))   # screen pixels a field pixel; the field's corner

    def pixels(axis, c):   # the screen pixels that show field row or column c
        # (the ratio read back from the layout carries float noise)
        return range(origin[axis] + math.ceil(c * k - 1e-3), origin[axis] + math.ceil((c + 1) * k - 1e-3))

    for attempt in range(9):
        g.next_tick(seen)
        seen, (_, cx, cy) = len(g.ticks()), g.ticks()[-1]
        screen = (pixels(0, cx)[0], pixels(1, cy)[0])
        # Eight field pixels either side, from a whole screen pixel on.
        clip = [4 * math.floor((v + 0.5) / dpr / 4 - 2 * scale) for v in screen] + [math.ceil(16 * scale) + 8] * 2
        shot = b.shot(clip, dpr)
        if len(g.ticks()) == seen:
            break
        print('attempt %d: the next target came before the screenshot' % attempt)
    store = b.js('(c => [c.width, c.height])(document.querySelector(%r))' % FIELD)   # one pixel per screen pixel
    field = [range(max(origin[a], (shot.x, shot.y)[a]), min(origin[a] + store[a], (shot.x, shot.y)[a] + (shot.w, shot.h)[a]))
             for a in (0, 1)]
    foreign = {shot.pixel(sx, sy) for sx in field[0] for sy in field[1]} - layout.palette(os.path.join(SOURCE, 'src'))
    check(not foreign, 'the field shows colours not in the palette: %s' % sorted(foreign)[:10])
    span = range(-math.ceil(6 * k), math.ceil(6 * k) + 1)   # six rings either side: two changes of colour
    lines = [[(screen[0] + d, screen[1]) for d in span], [(screen[0], screen[1] + d) for d in span]]
    before = len(g.pressed())
    b.press_all([b.at(sx, sy, dpr) for line in lines for sx, sy in line], touch)
    reached = wait_for(lambda: len(g.pressed()) >= before + 2 * len(span) and g.pressed()[before:], 'the presses')
    for axis, line in enumerate(lines):
        fields = reached[axis * len(span):(axis + 1) * len(span)]
        c, shows = (cx, cy)[axis], {}
        for point, field in zip(line, fields):
            check(field[1 - axis] == (cy, cx)[axis], 'a press at screen %s reached field %s, off the line through '
                  'the centre %s' % (point, field, (cx, cy)))
            shows.setdefault(field[axis], set()).add(shot.pixel(*point))
        mixed = {f: c for f, c in shows.items() if len(c) > 1}
        check(not mixed, 'screen pixels whose presses reach one field pixel show different colours: %s' % mixed)
        # The rings are symmetric about the centre the presses reach.
        lopsided = {d: (shows.get(c - d), shows.get(c + d)) for d in range(1, 6) if shows.get(c - d) != shows.get(c + d)}
        check(not lopsided, 'the rings are drawn off the centre: %s' % lopsided)
        for f in sorted(shows)[1:-1]:
            got = [p[axis] for p, field in zip(line, fields) if field[axis] == f]
            check(got == list(pixels(axis, f)), 'field pixel %g is reached from screen pixels %s, not %s'
                  % (f, got, list(pixels(axis, f))))
    for attempt in range(9):   # each screen pixel of a centre, while that target is shown
        seen = len(g.ticks())
        _, cx, cy = g.next_tick(seen - 1)
        block = [(sx, sy) for sx in pixels(0, cx) for sy in pixels(1, cy)]
        score, before = int(g.score()), len(g.pressed())
        b.press_all([b.at(sx, sy, dpr) for sx, sy in block], touch)
        wait_for(lambda: len(g.pressed()) >= before + len(block), 'the presses on the centre')
        if len(g.ticks()) > seen:
            continue
        check(g.pressed()[before:] == [(cx, cy)] * len(block), 'presses on the centre %s at screen %s reached %s'
              % ((cx, cy), block, g.pressed()[before:]))
        wait_for(lambda: int(g.score()) == score + 31 * len(block),
                 'the %d screen pixels of the centre to score 31 each (%s after %d)' % (len(block), g.score(), score))
        print('ratio %g: the centre covers %d screen pixels' % (k, len(block)))
        return
    raise Failure('no target stayed long enough for the presses on its centre')


def case_layout(b):
    """The design layout where the view holds the design window's width, the
    narrow one on a phone; the tab order and the roles and names alike in both."""
    seen = []
    for viewport in ({}, dict(width=820, height=660), PHONE) if b.emulates else ({},):
        b.open('', **viewport)
        design = layout.design_rects(os.path.join(SOURCE, 'src'))
        names = b.js('[...document.querySelectorAll("%s .client [data-name]")].filter(e => e.checkVisibility())'
                     '.map(e => e.dataset.name)' % MAIN)
        check(set(SHOWN) <= set(names), 'controls missing: %s' % (set(SHOWN) - set(names)))
        if viewport is not PHONE:
            client = b.rect(MAIN + ' .client')
            for name in names:
                check(name in design, name + ' is no control of the main window')
                x, y, w, h = b.rect('%s [data-name=%s]' % (MAIN, name))
                got = (x - client[0], y - client[1], w, h)
                check(max(abs(a - e) for a, e in zip(got, design[name])) < 0.1,   # layout rounds to 1/60 px
                      '%s at %s, designed at %s in a %s view' % (name, got, design[name], viewport))
        for name, caption in CAPTIONS.items():
            check(words(b.js('document.querySelector("%s [data-name=%s]").textContent' % (MAIN, name))) == caption,
                  name + ' does not read ' + caption)
        expect_captions_fit(b, MAIN)
        # A tap on a control takes at once: nothing waits for a double tap.
        slow = b.js('[...document.querySelectorAll("%s .client [data-name]")].filter(e => { for (let a = e; a; '
                    'a = a.parentElement) if (["none", "manipulation"].includes(getComputedStyle(a).touchAction)) '
                    'return false; return true; }).map(e => e.dataset.name)' % MAIN)
        check(not slow, 'taps on %s wait for a double tap' % slow)
        tabs = b.js('[...document.querySelectorAll("button, input, [tabindex]")]'
                    '.filter(e => e.tabIndex >= 0 && e.checkVisibility()).map(e => e.id)')
        seen.append((tabs, sorted(set(b.ax_nodes())) if hasattr(b, 'ax_nodes') else None))
        if not viewport:
            expect_backing_store_fits(b)
            b.click(ERKLAERUNG)
            b.wait_js('!document.querySelector(%r).hidden' % EXPLAIN, 'the explanation window')
            expect_captions_fit(b, EXPLAIN)
    check(all(s == seen[0] for s in seen), 'the tab order or the roles and names differ: %s' % seen)


def expect_backing_store_fits(b):
    """The field's backing store keeps one pixel per screen pixel as long
    as that fits under the limit, and stays under it at any ratio."""
    inner = [v - 4 for v in layout.design_rects(os.path.join(SOURCE, 'src'))['Picture1'][2:]]   # inside the border
    for ratio in (1, 1.5, 3, 10, 11, 12, 40):   # what the screen and the browser's zoom make together
        size = b.js('(window.trueRatio ??= Object.getOwnPropertyDescriptor(window, "devicePixelRatio") || null,'
                    ' Object.defineProperty(window, "devicePixelRatio", {get: () => %g, configurable: true}),'
                    ' dispatchEvent(new Event("resize")), (c => [c.width, c.height])(document.querySelector(%r)))'
                    % (ratio, FIELD))
        check(size[0] * size[1] < BACKING_STORE_LIMIT, 'at a ratio of %g the field\'s backing store is %s pixels'
              % (ratio, size))
        exact = [math.floor(v * ratio + 0.5) for v in inner]
        check(exact[0] * exact[1] >= BACKING_STORE_LIMIT or size == exact,
              'at a ratio of %g the field\'s backing store is %s, not one pixel per screen pixel %s' % (ratio, size, exact))
    b.js('(trueRatio ? Object.defineProperty(window, "devicePixelRatio", trueRatio) : delete window.devicePixelRatio,'
         ' dispatchEvent(new Event("resize")))')


def case_pace(b):
    g = Game(b)
    if b.whole_trace:
        check(g.trace(r'Timer1\.Interval 410'), 'the page did not start at 410 ms')
    else:   # the trace is caught from after the start on: the slider tells the pace
        told = b.js('document.querySelector(%r).getAttribute("aria-valuetext")' % SLIDER)
        check(told.startswith('410 Millisekunden'), 'the page started with the slider at %r, not at 410 ms' % told)
    for key, interval, value in (('ArrowRight', 400, 610), ('ArrowLeft', 410, 600), ('End', 10, 1000),
                                 ('ArrowLeft', 20, 990), ('Home', 1000, 10), ('ArrowRight', 990, 20)):
        g.set_interval(key, interval)
        now = b.js('document.querySelector(%r).getAttribute("aria-valuenow")' % SLIDER)
        check(now == str(value), '%s: the slider says %s, expected %d' % (key, now, value))


def case_ende(b):
    g = Game(b)
    g.start()
    g.next_tick(0)
    b.click(ENDE)
    b.wait_js('document.body.dataset.state === "ended"', 'the closing screen')
    ticks = len(g.ticks())
    b.js('new Promise(done => setTimeout(done, 1000))')   # two intervals of 410 ms
    check(len(g.ticks()) == ticks, 'the timer ticks on after "Ende"')
    check(b.js('[...document.querySelectorAll("#Form1, #Form2, #Form3")].every(e => !e.checkVisibility())'),
          'a window is still shown after "Ende"')
    background = (192, 192, 255)
    check(b.shot().bounds_of(background) is None, 'the main window\'s colour is still on screen after "Ende"')


# What a player may leave in the score box when a game ends, and the score
# it ends with: a text that is no number, or a number beyond 16 bits, fails
# the reading, which the rules catch as a C++ exception (the page's exception
# handling at work) to take the running score; a number is read.
TYPED_SCORES = (('abc', 0), ('99999', 0), ('12,5', 12))


def case_typed_score(b):
    g = Game(b)
    g.set_interval('Home', 1000)   # time enough to type before the end
    for typed, score in TYPED_SCORES:
        seen = g.start()
        b.js('(box => { box.value = %s; box.dispatchEvent(new Event("input")); })(document.querySelector(%r))'
             % (json.dumps(typed), SCORE))
        wait_for(lambda: any(t[0] == 11 for t in g.ticks()[seen:]), 'the end of the game', timeout=60)
        b.wait_js('!document.querySelector(%r).hidden' % RESULT, 'the result window')
        check(b.js('document.body.dataset.state') == 'ready', '%r in the score box stopped the page' % typed)
        said = words(b.js('document.querySelector("%s [data-name=Label1]").textContent' % RESULT))
        check(said == 'Sie haben %d Punkte erreicht!' % score, '%r in the score box ended the game with %r' % (typed, said))
        b.click(BACK)


def choose(b, option):
    """Selects a choice the layout hides, as the player cannot: by script."""
    b.js('document.querySelector("%s [data-name=%s] input").click()' % (MAIN, option))
    return not b.js('document.querySelector("%s [data-name=Text6]").hidden' % MAIN)


def case_time_scoring(b):
    """With "Ja" chosen each hit adds its time points, at most ten, to its
    ring points, and their box shows; with "Nein" again the ring points
    alone count, and the box hides."""
    g = Game(b)
    g.set_interval('Home', 1000)   # a press comes well within the second
    check(choose(b, 'Option4'), 'the time points box stays hidden with "Ja" chosen')
    play_game(b, g, score_ok=lambda score: 279 < int(score) <= 279 + 9 * 10)
    b.click(BACK)
    b.wait_js('document.querySelector(%r).hidden' % RESULT, '"Zurück" to hide the result window')
    check(not choose(b, 'Option5'), 'the time points box still shown with "Nein" chosen')
    play_game(b, g)


def case_accessibility(b):
    g = Game(b)
    check(b.js('document.documentElement.lang') == 'de', 'the page is not German')
    g.set_interval('Home', 1000)
    g.start()
    b.click(ERKLAERUNG)
    b.wait_js('!document.querySelector(%r).hidden' % EXPLAIN, 'the explanation window')
    wait_for(lambda: any(t[0] == 11 for t in g.ticks()), 'the end of the game', timeout=60)
    expect_result_in_front(b, said=1, sentence='Sie haben 0 Punkte erreicht!')
    nodes = wait_for(lambda: b.ax_nodes(), 'the accessibility tree')
    for role, name in (('RootWebArea', 'Ringtafel-Programm'), ('button', 'Start'), ('button', 'Ende'),
                       ('button', 'Erklärung'), ('slider', 'Schwierigkeitsgrad'), ('dialog', 'Ringtafel-Auswertung'),
                       ('dialog', 'Ringtafel-Erklärung'), ('button', 'Zurück')):
        check((role, name) in nodes, 'no %s named %r in the accessibility tree' % (role, name))
    live = b.js('announce.getAttribute("aria-live")')
    check(live in ('polite', 'assertive'), 'the live region is %r' % live)


class Site:
    """The built site, copied, served from 127.0.0.1 by a small web server
    that the case stops when it likes."""

    def __init__(self, page):
        self.root = tempfile.mkdtemp(prefix='ringtafel-site-')
        shutil.copytree(os.path.join(os.path.dirname(page), 'site'), self.root, dirs_exist_ok=True)
        handler = functools.partial(SiteFiles, directory=self.root)
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        self.url = 'http://127.0.0.1:%d/' % self.server.server_address[1]
        OWN.append(self.url)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        if self.server:
            self.server.shutdown()
            self.server.server_close()
            self.server = None

    def rebuild(self, page, marker):
        """The site made anew by the build's own step from the page with a
        marker in its head, in place; gives the new cache's name."""
        marked = os.path.join(self.root, 'marked.html')
        with open(page, encoding='utf-8') as f, open(marked, 'w', encoding='utf-8') as out:
            out.write(f.read().replace('<title>', '<meta name="ringtafel-test" content="%s"><title>' % marker, 1))
        subprocess.run(['cmake', '-DPAGE=' + marked, '-DICONS=' + os.path.join(self.root, 'icons'),
                        '-DTEMPLATES=' + os.path.join(SOURCE, 'src', 'web', 'site'), '-DOUTPUT=' + self.root,
                        '-P', os.path.join(SOURCE, 'src', 'web', 'site', 'MakeSite.cmake')], check=True)
        os.remove(marked)
        with open(os.path.join(self.root, 'sw.js')) as f:
            return re.search(r"'(ringtafel-[0-9a-f]+)'", f.read())[1]

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()
        shutil.rmtree(self.root, ignore_errors=True)


class SiteFiles(http.server.SimpleHTTPRequestHandler):
    extensions_map = {'.html': 'text/html', '.js': 'text/javascript', '.png': 'image/png',
                      '.webmanifest': 'application/manifest+json'}

    def log_message(self, *args):
        pass


def open_site(b, site):
    """The site's page, once its service worker has kept it."""
    b.page = site.url
    b.open()
    return b.wait_js('navigator.serviceWorker.ready.then(() => caches.keys()).then(names => names.length == 1 && names)',
                     'the service worker to keep the site')


def case_offline(b, page):
    """After one visit the page plays a whole game with the server stopped."""
    with Site(page) as site:
        open_site(b, site)
        site.stop()
        g = Game(b)   # the page again, ?trace, from the kept copy
        g.set_interval('Home', 1000)
        play_game(b, g)


def case_install(b, page):
    """The site installs as an app with the manifest the page names, and a
    rebuilt site's worker replaces the kept page and drops the old cache."""
    with Site(page) as site:
        old = open_site(b, site)
        errors = b.call('Page.getInstallabilityErrors')['installabilityErrors']
        check(not errors, 'not installable: %s' % errors)
        manifest = b.call('Page.getAppManifest')
        check(manifest['url'] == site.url + 'manifest.webmanifest' and not manifest['errors'],
              'the manifest %s: %s' % (manifest['url'], manifest['errors']))
        data = json.loads(manifest['data'])
        for key, value in (('lang', 'de'), ('display', 'standalone'), ('start_url', './'), ('short_name', 'Ringtafel')):
            check(data.get(key) == value, 'the manifest gives %s %r, not %r' % (key, data.get(key), value))
        for icon in data['icons']:
            size = b.js('new Promise(done => { const i = new Image(); i.onload = () => done([i.naturalWidth, '
                        'i.naturalHeight]); i.onerror = () => done(null); i.src = %r; })' % icon['src'])
            check(size and '%dx%d' % tuple(size) == icon['sizes'], 'the icon %s is %s' % (icon, size))
        new = site.rebuild(page, 'rebuilt')
        check([new] != old, 'the rebuilt site keeps the cache name %s' % new)

        b.open()   # the kept page, which finds the new build
        wait_for(lambda: b.js('caches.keys()') == [new], 'the cache %s alone' % new, timeout=60)
        b.open()
        check(b.js('document.querySelector("meta[name=ringtafel-test]") !== null'), 'the kept page is not the rebuilt one')


CASES = {
    'layout': case_layout, 'game': case_game, 'pace': case_pace, 'ende': case_ende, 'columns': case_columns,
    **{'narrow-' + name: functools.partial(case_narrow, viewport=v, least_target=t) for name, (v, t) in NARROW.items()},
    **{'scale-%g' % r: lambda b, r=r: case_scale(b, dpr=r) for r in RATIOS},
    'scale-0.8': lambda b: case_scale(b, dpr=0.8),   # zoomed out: the design window grows to keep the field's pixels
    'phone': lambda b: case_scale(b, **PHONE), 'accessibility': case_accessibility, 'typed-score': case_typed_score,
    'time-scoring': case_time_scoring,
}


def main(case, browser, page, out):
    check(os.path.exists(page), page + ' is not built')
    # A browser on an X server starts at the ratio of the case.
    dpr = float(case[len('scale-'):]) if case.startswith('scale-') else 1
    with BROWSERS[browser](page, os.path.join(out, browser, case), dpr) as b:
        print(b.version)
        if case.startswith('site-'):
            {'site-offline': case_offline, 'site-install': case_install}[case](b, page)
        else:
            CASES[case](b)
        # No case may reach the network: the page is the one file it needs,
        # or the site's files from their own origin.
        requested = b.requests()
        if requested is None:
            print('%s shows no requests: the network is checked in the other browsers' % b.name)
        else:
            foreign = [u for u in requested if not u.startswith(tuple(OWN))]
            check(not foreign, 'the page requested %s' % foreign)
    print('ok')


if __name__ == '__main__':
    SOURCE = sys.argv[5]
    sys.exit(run(main, *sys.argv[1:5], case=sys.argv[1]))
