#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The game as a player meets it: real pointer and key events through a
private X server, and what the windows show read back as screenshots.

Usage: real_pointer_test.py CASE GAME_BINARY OUTPUT_DIR
CASE is one of: start-and-ende, controls, game, scale-1, scale-1.25, scale-1.5, scale-2,
window-manager, keyboard, no-display; wayland and wayland-scale-1.5 play the
game on a headless sway instead.
"""
import itertools
import math
import os
import re
import subprocess
import sys

from harness import layout
from harness.checks import Failure, check, run, wait_for
from harness.session import YELLOW
from harness.waylandsession import WaylandSession
from harness.xsession import Session

MAIN, RESULT, EXPLAIN = 'Ringtafel-Programm', 'Ringtafel-Auswertung', 'Ringtafel-Erkl'
RESULT_BACK, EXPLAIN_BACK = (255, 224, 192), (255, 255, 192)
WHITE = (255, 255, 255)   # a text box's inside
BLACK = (0, 0, 0)

# Visible rectangles (x, y, w, h) in window pixels at scale 1, the main
# window's from its design table.
DESIGN = layout.design_rects(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'src'))
FIELD = DESIGN['Picture1']
FIELD_INNER = (FIELD[0] + 2, FIELD[1] + 2, FIELD[2] - 4, FIELD[3] - 4)   # inside the 2 px border
START, ENDE, ERKLAERUNG = DESIGN['Command1'], DESIGN['Command2'], DESIGN['Command3']
SCORE_BOX = DESIGN['Text5']
SLIDER = SX, SY, SW, SH = DESIGN['HScroll1']
ARROW = 13      # width of each slider arrow
THUMB = 28      # width of the slider's thumb
LEFT_ARROW = (SX, SY, ARROW, SH)
RIGHT_ARROW = (SX + SW - ARROW, SY, ARROW, SH)
TRACK = (SX + ARROW, SY, SW - 2 * ARROW, SH)
TRACK_LEFT_OF_THUMB = (TRACK[0], SY, TRACK[2] - THUMB, SH)    # thumb at the right end
TRACK_RIGHT_OF_THUMB = (TRACK[0] + THUMB, SY, TRACK[2] - THUMB, SH)   # thumb at the left end
THUMB_AT_LEFT = (TRACK[0], SY, THUMB, SH)
THUMB_AT_START = (TRACK[0] + 49, SY, THUMB, SH)   # value 600 of 10..1000
LABEL_PUNKTE, LABEL_LEICHTER, LABEL_CREDITS = DESIGN['Label3'], DESIGN['Label6'], DESIGN['Label4']
LX, LY, LW, _ = DESIGN['Label5']
LABEL_SCHWIERIGKEIT = (LX, LY, LW, SY - LY)   # the slider covers the rest
# A press here, on field pixel (7, 5), is the fence: see Game.fence().
FENCE = (FIELD_INNER[0] + 7, FIELD_INNER[1] + 5)
FENCE_TRACE = 'Picture1_MouseDown X=7 Y=5'
BACKGROUND = (0, 0, 280, 665)   # left of the field: bare background
RESULT_BACK_BUTTON, RESULT_SENTENCE, RESULT_MAXIMUM = (208, 288, 105, 41), (56, 32, 417, 153), (88, 200, 353, 33)
EXPLAIN_BACK_BUTTON = (200, 320, 81, 33)
EXPLAIN_TITLE, EXPLAIN_HOW, EXPLAIN_AIM = (64, 16, 329, 33), (64, 64, 329, 97), (64, 208, 321, 89)


def spots(rect):
    """The centre and a point 2 px inside each corner."""
    x, y, w, h = rect
    return [(x + w // 2, y + h // 2), (x + 2, y + 2), (x + w - 3, y + 2), (x + 2, y + h - 3), (x + w - 3, y + h - 3)]


class Game:
    """One session with the game and what the tests need to read from it."""

    def __init__(self, session):
        self.s = session
        self.scale = session.scale or 1
        self.main = session.window(MAIN)
        self.score_pictures = {}

    # Window pixels to screen pixels: the window's origin plus the scaled
    # position; at a fractional scale the first screen pixel of that spot.
    def at(self, window, point):
        ox, oy = self.s.origin(window)
        return ox + math.ceil(point[0] * self.scale), oy + math.ceil(point[1] * self.scale)

    def screen_rect(self, window, rect):
        x, y = self.at(window, rect[:2])
        return x, y, math.ceil(rect[2] * self.scale), math.ceil(rect[3] * self.scale)

    def click(self, window, point, button=1):
        self.s.click(*self.at(window, point), button)

    def press_labels(self, window, title, labels):
        """Presses every spot of the labels: a label does nothing, so the
        window stays shown."""
        for label in labels:
            for spot in spots(label):
                self.click(window, spot)
        self.fence()
        check(self.s.shown(title), 'a press on a label of %s hid it' % title)

    def fence(self, back_to_slider=False):
        """A press on the field whose trace line, once there, tells that the
        game has handled everything sent before it: events reach it in order.
        The field takes the keyboard; Shift+Tab hands it back to the slider."""
        def fences():
            return self.s.log().splitlines().count(FENCE_TRACE)
        before = fences()
        self.click(self.main, FENCE)
        wait_for(lambda: fences() > before, 'the game to handle the fence press')
        if back_to_slider:
            self.s.key('Tab', ['Shift_L'])

    def steady_picture(self, window, rect, background):
        """What the window shows in rect once it is drawn (not all of the
        background colour, if one is given) and stays so."""
        shots = []

        def steady():
            shots.append(self.s.shot(*self.screen_rect(window, rect)))
            latest = shots[-1]
            drawn = background is None or any(
                latest.pixel(x, y) != background for y in range(latest.y, latest.y + latest.h, 3)
                for x in range(latest.x, latest.x + latest.w, 3))
            return drawn and len(shots) > 1 and shots[-2].data == latest.data and latest.data
        return wait_for(steady, 'a steady picture')

    # --- the pace, as the game reports each new interval --------------------

    def intervals(self):
        return [int(v) for v in re.findall(r'^Timer1\.Interval (\d+)$', self.s.log(), re.M)]

    def presses(self, until_anzahl=None):
        """What the game's trace tells of the presses on the field since the
        last "Start", up to the tick that brought the count of ticks to
        until_anzahl: for each press (ticks by then, centre of the target
        shown, of the one before, field point pressed)."""
        presses, ticks, centres, until = [], 0, [None, None], None
        for line in self.s.log().splitlines():
            if line == 'Command1_Click':
                presses, ticks, centres, until = [], 0, [None, None], None
            elif m := re.match(r'Timer1_Timer Anzahl=(\d+) xx=(\S+) yy=(\S+)$', line):
                until = presses[:] if int(m[1]) == until_anzahl else until
                ticks, centres = ticks + 1, [(float(m[2]) + 30, float(m[3]) + 30), centres[0]]
            elif m := re.match(r'Picture1_MouseDown X=(\S+) Y=(\S+)$', line):
                presses.append((ticks, *centres, (float(m[1]), float(m[2]))))
        return until if until_anzahl else presses

    def expect_interval(self, action, expected, what):
        before = len(self.intervals())
        action()
        got = wait_for(lambda: self.intervals()[before:], what + ' to set an interval')
        check(got == [expected], '%s: interval %s, expected %d' % (what, got, expected))

    def expect_no_interval(self, action, what):
        before = len(self.intervals())
        action()
        self.fence(back_to_slider=True)
        check(len(self.intervals()) == before, what + ' changed the interval: %s' % self.intervals()[before:])

    # --- the score box -------------------------------------------------------

    def score_picture(self):
        return self.s.shot(*self.screen_rect(self.main, SCORE_BOX)).data

    def type_score(self, text):
        """Types into the score box with the pointer and leaves it by Tab."""
        self.click(self.main, (SCORE_BOX[0] + SCORE_BOX[2] // 2, SCORE_BOX[1] + SCORE_BOX[3] // 2))
        self.s.key('a', ['Control_L'])
        self.s.type(text)
        self.s.key('Tab')

    def typed_score(self, typing, what):
        """What the score box shows after typing(), which ends by leaving the
        box. That is handled once the box shows a new picture with its frame as
        before (a focused box draws it in another colour)."""
        rect = self.screen_rect(self.main, SCORE_BOX)
        edge = (rect[0], rect[1] + rect[3] // 2)
        inside = (rect[0] + rect[2] // 8, rect[1] + rect[3] // 2)   # clear of frame and text

        def box_when(condition, what):
            def met():
                shot = self.s.shot(*rect)
                return shot if condition(shot) else None
            return wait_for(met, what)
        before = box_when(lambda shot: shot.pixel(*inside) == WHITE, 'the score box drawn')
        typing()
        box_when(lambda shot: shot.data != before.data and shot.pixel(*edge) == before.pixel(*edge),
                 'the score box to take %s and lose the focus' % what)
        return self.steady_picture(self.main, SCORE_BOX, None)

    def learn_scores(self, texts):
        """Pictures of the score box holding each text, as typed by the player."""
        for text in texts:
            self.score_pictures[text] = self.typed_score(lambda: self.type_score(text), repr(text))
        check(len(set(self.score_pictures.values())) == len(self.score_pictures),
              'typing into the score box does not change what it shows')

    def expect_score(self, text, what):
        wanted = self.score_pictures[text]
        wait_for(lambda: self.score_picture() == wanted, '%s: the score box to show %r' % (what, text))

    # --- the field ------------------------------------------------------------

    def field_shot(self):
        return self.s.shot(*self.screen_rect(self.main, FIELD_INNER))

    def find_target(self, avoid=None):
        """Screen bounds of the yellow centre of the target on the field."""
        def found():
            bounds = self.field_shot().bounds_of(YELLOW)
            return bounds if bounds and bounds != avoid else None
        return wait_for(found, 'a target on the field')

    def set_pace(self, key, interval):
        """Sets the slider from the keyboard after giving it the focus."""
        if not self.slider_focused:
            self.focus_slider()
        self.expect_interval(lambda: self.s.key(key), interval, key)

    slider_focused = False

    def focus_slider(self):
        """A press on the thumb, where it stands after start-up, gives the
        slider the focus and moves nothing."""
        self.expect_no_interval(lambda: self.click(self.main, (THUMB_AT_START[0] + THUMB // 2, SY + 13)),
                                'a press on the thumb')
        self.slider_focused = True

    def aside(self, window, x, y):
        """Drags a secondary window off the main window, as a player would."""
        self.s.place(window, x, y)

    def play_until_result(self):
        self.click(self.main, centre(START))
        return self.s.window(RESULT)


def centre(rect):
    return rect[0] + rect[2] // 2, rect[1] + rect[3] // 2


# --- "Start" brings targets, "Ende" ends the process ---------------------------

def case_start_and_ende(game_binary, out):
    with Session(game_binary, out) as s:
        g = Game(s)
        blank = wait_for(lambda: (shot := g.field_shot()).pixel(shot.x, shot.y) == WHITE and shot, 'the field drawn')
        s.save('before-start', g.screen_rect(g.main, FIELD_INNER))
        check(blank.bounds_of(YELLOW) is None and blank.bounds_of(BLACK) is None,
              'the field shows ring colours before Start')
        g.click(g.main, centre(START))
        wait_for(lambda: (shot := g.field_shot()).bounds_of(YELLOW) and shot.bounds_of(BLACK),
                 'a ring target (yellow centre and black outer rings) in the field')
        s.save('playing', g.screen_rect(g.main, FIELD_INNER))
        g.click(g.main, centre(ENDE))
        code = s.game_exit_code(10)
        check(code == 0, 'Ende must end the game with exit code 0, not %d' % code)


# --- the controls, every one pressed at its centre and near its corners -----

def case_controls(game_binary, out):
    with Session(game_binary, out, size=(1600, 1200), env={'RINGTAFEL_TRACE': '1'}) as s:
        g = Game(s)
        main = g.main
        g.learn_scores([' 0', '12', '345'])

        # The score box takes the focus and the typed text wherever pressed.
        for i, spot in enumerate(spots(SCORE_BOX)):
            text = ('12', '345')[i % 2]
            g.click(main, spot)
            s.key('a', ['Control_L'])
            s.type(text)
            s.key('Tab')
            g.expect_score(text, 'score box pressed at %s' % (spot,))

        # "Start" starts a game: the score box goes back to " 0".
        for i, spot in enumerate(spots(START)):
            g.type_score(('12', '345')[i % 2])
            g.expect_score(('12', '345')[i % 2], 'typed')
            g.click(main, spot)
            g.expect_score(' 0', '"Start" pressed at %s' % (spot,))
        # The secondary windows open over the main window; the player moves
        # them aside to reach everything.
        g.aside(s.window(RESULT), 830, 20)

        # The slider: arrows step 10, the track 100, on its upper and lower half.
        value = 600
        for spot in spots(LEFT_ARROW):
            value = max(10, value - 10)
            g.expect_interval(lambda: g.click(main, spot), 1010 - value, 'left arrow at %s' % (spot,))
        for spot in spots(RIGHT_ARROW):
            value = min(1000, value + 10)
            g.expect_interval(lambda: g.click(main, spot), 1010 - value, 'right arrow at %s' % (spot,))
        g.slider_focused = True   # a press on the slider gives it the focus
        for spot in spots(TRACK_LEFT_OF_THUMB):
            g.expect_interval(lambda: s.key('End'), 10, 'End')
            g.expect_interval(lambda: g.click(main, spot), 110, 'track left of the thumb at %s' % (spot,))
        for spot in spots(TRACK_RIGHT_OF_THUMB):
            g.expect_interval(lambda: s.key('Home'), 1000, 'Home')
            g.expect_interval(lambda: g.click(main, spot), 900, 'track right of the thumb at %s' % (spot,))
        # A dragged thumb changes the pace on release, not before.
        for spot in spots(THUMB_AT_LEFT):
            g.expect_interval(lambda: s.key('Home'), 1000, 'Home')
            x, y = g.at(main, spot)
            before = len(g.intervals())
            s.press(x, y)
            s.move(x + 30, y)
            s.move(x + 41, y + 6)
            s.release()
            g.fence(back_to_slider=True)   # all handled: one interval, the release's
            got = g.intervals()[before:]
            check(len(got) == 1 and 500 < got[0] < 600,
                  'thumb pressed at %s and dragged 41 px: intervals %s, expected one on release, about '
                  '1000 - 41 * 990 / 82' % (spot, got))

        # The rest of the games at the fastest pace.
        g.expect_interval(lambda: s.key('End'), 10, 'End')

        # "Zurück" hides the result window; labels do nothing.
        for spot in spots(RESULT_BACK_BUTTON):
            result = s.window(RESULT)
            g.press_labels(result, RESULT, (RESULT_SENTENCE, RESULT_MAXIMUM))
            g.click(result, spot)
            s.hidden(RESULT)
            g.click(main, centre(START))

        # "Erklärung" shows the explanation window, its "Zurück" hides it.
        for spot, back in zip(spots(ERKLAERUNG), spots(EXPLAIN_BACK_BUTTON)):
            g.click(main, spot)
            explain = s.window(EXPLAIN)
            if s.origin(explain) != (830, 420):
                g.aside(explain, 830, 420)
            g.press_labels(explain, EXPLAIN, (EXPLAIN_TITLE, EXPLAIN_HOW, EXPLAIN_AIM))
            g.click(explain, back)
            s.hidden(EXPLAIN)

        # Labels, the field and its border are not background: both windows stay.
        s.window(RESULT)
        g.click(main, centre(ERKLAERUNG))
        s.window(EXPLAIN)
        for rect in (LABEL_PUNKTE, LABEL_SCHWIERIGKEIT, LABEL_LEICHTER, LABEL_CREDITS, FIELD):
            for spot in spots(rect):
                g.click(main, spot)
        g.fence()
        check(s.shown(RESULT) and s.shown(EXPLAIN), 'a press on a label or the field counted as background')

        # A press on the bare background hides both windows.
        for spot in spots(BACKGROUND):
            s.window(RESULT)
            s.window(EXPLAIN)
            g.click(main, spot)
            s.hidden(RESULT)
            s.hidden(EXPLAIN)
            g.click(main, centre(START))
            g.click(main, centre(ERKLAERUNG))
        s.window(RESULT)

        # "Ende" ends the program with exit code 0, wherever pressed.
        for spot in spots(ENDE):
            g.click(main, spot)
            code = s.game_exit_code()
            check(code == 0, '"Ende" pressed at %s: exit code %d' % (spot, code))
            s.start_game({})
            g.main = main = s.window(MAIN)


# --- whole games, every target found on screen and pressed at its centre ----

def play_on_centres(g, presses, games=3):
    """Plays a game, finding each target on screen and pressing its centre
    at the screen pixels presses(bounds), and returns the result window.
    Every press must reach the field at the centre of the target shown. On
    a busy machine the next target can come before a press reaches the game,
    which then scores it there: such a game shows nothing about the presses,
    so another is played, up to games in all."""
    for game in range(games):
        g.click(g.main, centre(START))
        g.expect_score(' 0', 'Start')
        last, sent = None, 0
        for _ in range(9):
            last = g.find_target(avoid=last)
            for point in presses(last):
                g.s.click(*point)
                sent += 1
        result = g.s.window(RESULT)
        # The tick that ends the game: a press handled after it came late.
        wait_for(lambda: g.presses(until_anzahl=11) is not None, 'the end of the game')
        handled = g.presses(until_anzahl=11)
        for _, shown, before, point in handled:
            check(point in (shown, before), 'a press on the drawn centre %s reached the field at %s' % (shown, point))
        late = sent - sum(point == shown for _, shown, _, point in handled)
        if not late:
            return result
        print('game %d: %d press(es) came after their target, so another game' % (game + 1, late))
        g.click(result, centre(RESULT_BACK_BUTTON))
        g.s.hidden(RESULT)
    raise Failure('in each of %d games a press came after its target' % games)


def case_game(game_binary, out):
    with Session(game_binary, out, env={'RINGTAFEL_TRACE': '1'}) as s:
        g = Game(s)
        g.set_pace('Home', 1000)   # a target a second: time enough on a busy machine
        g.learn_scores([' 0', ' 279', '279'])
        # The sentence for 279 points as the program writes it: a game with
        # 279 typed into the score box, and no hit.
        g.click(g.main, centre(START))
        g.expect_score(' 0', 'Start')
        g.type_score('279')
        result = s.window(RESULT)
        typed_sentence = g.steady_picture(result, RESULT_SENTENCE, RESULT_BACK)
        g.click(result, centre(RESULT_BACK_BUTTON))
        s.hidden(RESULT)

        result = play_on_centres(g, lambda b: [((b[0] + b[2]) // 2, (b[1] + b[3]) // 2)])
        g.expect_score(' 279', 'nine targets hit in the centre')
        s.save('result-279')
        wait_for(lambda: s.shot(*g.screen_rect(result, RESULT_SENTENCE)).data == typed_sentence,
                 'the result window to say "Sie haben  279 Punkte erreicht!"')


# --- the centre field pixel at a screen scale -------------------------------

def x_session(game_binary, out, scale, env):
    size = (1920, 1440) if scale > 1.5 else (1280, 1024)
    return Session(game_binary, out, scale=scale, size=size, env=env)


def case_scale(game_binary, out, scale, session=x_session):
    with session(game_binary, out, scale=scale, env={'RINGTAFEL_TRACE': '1'}) as s:
        g = Game(s)
        ox, oy = s.origin(g.main)

        def field_pixel(sx, sy):
            """The field pixel a screen pixel shows when the window's pixels
            are spread evenly over the screen's."""
            return (math.floor((sx - ox) / scale) - FIELD_INNER[0], math.floor((sy - oy) / scale) - FIELD_INNER[1])

        block_sizes = set()
        totals = []
        g.set_pace('Home', 1000)   # one target a second
        # A centre covers one to four screen pixels; two more presses score 30.
        g.learn_scores([' 0'] + [' %d' % (31 * n + 60) for n in range(1, 5)])
        for attempt in range(3):
            g.click(g.main, centre(START))
            g.expect_score(' 0', 'Start')
            x0, y0, x1, y1 = g.find_target()
            # Drawn at the screen's scale, the field shows the palette's 16
            # colours and white; a picture scaled by the window system more.
            colours = len(g.field_shot().colours())
            check(colours <= 17, 'the field shows %d colours at scale %g' % (colours, scale))
            # The yellow centre is a disc, so it spans as many field pixels on
            # either side of the centre; its edges lie on field pixel edges.
            fx0, fy0 = field_pixel(x0, y0)
            fx1, fy1 = field_pixel(x1, y1)
            check(field_pixel(x0 - 1, y0 - 1) == (fx0 - 1, fy0 - 1) and field_pixel(x1 + 1, y1 + 1) == (fx1 + 1, fy1 + 1),
                  'the field is not drawn on whole field pixels: yellow from %s to %s' % ((x0, y0), (x1, y1)))
            check((fx0 + fx1) % 2 == 0 and (fy0 + fy1) % 2 == 0, 'the yellow centre is not symmetric')
            cx, cy = (fx0 + fx1) // 2, (fy0 + fy1) // 2
            block = [(sx, sy) for sy in range(y0, y1 + 1) for sx in range(x0, x1 + 1) if field_pixel(sx, sy) == (cx, cy)]
            block_sizes.add(len(block))
            # Each screen pixel of the centre scores 31; the screen pixels
            # just outside it diagonally show field pixels at distance 1.4.
            before_block = (min(p[0] for p in block) - 1, min(p[1] for p in block) - 1)
            after_block = (max(p[0] for p in block) + 1, max(p[1] for p in block) + 1)
            points = block + [before_block, after_block]
            total = 31 * len(block) + 30 + 30
            for point in points:
                s.click(*point)
            handled = wait_for(lambda: len(g.presses()) >= len(points) and g.presses(), 'the presses to reach the game')
            if any(press[0] != 1 for press in handled):
                continue   # the next target came before the presses were handled
            totals.append(total)
            g.expect_score(' %d' % total, 'presses on %s at scale %g' % (points, scale))
            if attempt >= 1 or scale in (1, 2):
                break
        check(totals, 'no target stayed long enough for the presses')
        print('scale %g: centre field pixel covered %s screen pixels' % (scale, sorted(block_sizes)))


# --- under a window manager ---------------------------------------------------

def frame_on_screen(s, window, what):
    x, y, w, h = s.frame(window)
    print('%s: frame at %d,%d, %dx%d' % (what, x, y, w, h))
    check(x >= 0 and y >= 0 and x + w <= s.size[0] and y + h <= s.size[1],
          '%s: frame %s is not on the %dx%d screen' % (what, (x, y, w, h), *s.size))


def close_from_title_bar(s, window):
    """Presses the close button at the right end of the window's title bar."""
    fy = s.frame(window)[1]
    ox, oy = s.origin(window)
    title = oy - fy
    check(title > 4, 'the window has no title bar')
    s.click(ox + window.get_geometry().width - 1 - title // 2, fy + title // 2)


def case_window_manager(game_binary, out):
    with Session(game_binary, out, window_manager=True, env={'RINGTAFEL_TRACE': '1'}) as s:
        g = Game(s)
        frame_on_screen(s, g.main, MAIN)
        g.click(g.main, centre(ERKLAERUNG))
        explain = s.window(EXPLAIN)
        frame_on_screen(s, explain, EXPLAIN)
        explain_text = g.steady_picture(explain, EXPLAIN_HOW, EXPLAIN_BACK)
        g.set_pace('End', 10)

        result = g.play_until_result()
        frame_on_screen(s, result, RESULT)
        # Restarted while the result window is shown: "Start" brings the main
        # window to the front, the end of the game the result window.
        s.watch_activation(result)
        g.click(g.main, centre(START))
        wait_for(lambda: s.activated() and s.stacking_top([g.main, result]) == result,
                 'the result window in front and active after a restarted game')
        rx, ry = s.origin(result)
        wait_for(lambda: s.shot(rx + 3, ry + 3, 1, 1).pixel(rx + 3, ry + 3) == RESULT_BACK, 'the result window to be seen')
        sentence = g.steady_picture(result, RESULT_SENTENCE, RESULT_BACK)
        # It has the keyboard: Enter presses its "Zurück".
        s.key('Return')
        s.hidden(RESULT)

        # The close button of a secondary window hides it; it comes back as it was.
        result = g.play_until_result()
        close_from_title_bar(s, result)
        s.hidden(RESULT)
        check(s.game.poll() is None, 'closing the result window ended the program')
        result = g.play_until_result()
        wait_for(lambda: s.shot(*g.screen_rect(result, RESULT_SENTENCE)).data == sentence,
                 'the result window back with its sentence')
        # "Erklärung" brings the explanation forward from behind the main window.
        g.click(g.main, centre(ERKLAERUNG))
        explain = s.window(EXPLAIN)
        wait_for(lambda: s.stacking_top([g.main, explain]) == explain, 'the explanation window in front')
        close_from_title_bar(s, explain)
        s.hidden(EXPLAIN)
        g.click(g.main, centre(ERKLAERUNG))
        explain = s.window(EXPLAIN)
        wait_for(lambda: s.shot(*g.screen_rect(explain, EXPLAIN_HOW)).data == explain_text,
                 'the explanation window back with its text')

        # The close button of the main window ends the program with 0.
        close_from_title_bar(s, g.main)
        code = s.game_exit_code()
        check(code == 0, 'closing the main window: exit code %d' % code)


# --- the keyboard ---------------------------------------------------------------

def case_keyboard(game_binary, out):
    with Session(game_binary, out, env={'RINGTAFEL_TRACE': '1'}) as s:
        g = Game(s)
        # With no window manager the test hands the keyboard to the window.
        rest = g.at(g.main, (40, 40))
        s.move(*rest)
        s.give_focus(g.main)
        key = s.key

        def back_to_main():
            """The result window takes the keyboard at the end of a game; a
            press on the main window's background hides it, and the main
            window gets the keyboard back."""
            s.window(RESULT)
            g.click(g.main, (40, 40))
            s.hidden(RESULT)
            s.move(*rest)
            s.give_focus(g.main)

        def tab(n, back=False):
            for _ in range(n):
                key('Tab', ['Shift_L'] if back else [])

        # The focus starts on the field; Tab goes on to Start, Ende, the score
        # box, Erklärung and the slider, and then round to the field.
        pictures = {}
        for text in (' 0', '12'):
            # Tab selects the box's text, typing replaces it.
            pictures[text] = g.typed_score(lambda: (tab(3), s.type(text), tab(3, back=True)), repr(text))
        check(pictures[' 0'] != pictures['12'], 'typing after three Tabs did not reach the score box')
        tab(1)
        key('space')   # on Start
        wait_for(lambda: g.score_picture() == pictures[' 0'], 'Space on Start to start a game')
        back_to_main()
        tab(2)
        s.type('12')
        tab(2, back=True)
        wait_for(lambda: g.score_picture() == pictures['12'], 'the typed score')
        key('Return')   # on Start
        wait_for(lambda: g.score_picture() == pictures[' 0'], 'Enter on Start to start a game')
        back_to_main()
        # Erklärung brings the explanation window with the keyboard; its
        # "Zurück" takes Enter and Space as well.
        tab(3)
        for press in ('Return', 'space'):
            key(press)
            explain = s.window(EXPLAIN)
            wait_for(lambda: s.d.get_input_focus().focus == explain, 'the explanation window to take the keyboard')
            key(press)
            s.hidden(EXPLAIN)
            s.give_focus(g.main)
        tab(1)          # the slider
        # PageUp moves towards "schwerer", like the right arrow key.
        for name, interval in (('Home', 1000), ('End', 10), ('Left', 20), ('Right', 10), ('Next', 110),
                               ('Prior', 10), ('Next', 110), ('Next', 210), ('Home', 1000), ('Right', 990),
                               ('Prior', 890)):
            g.expect_interval(lambda: key(name), interval, name + ' on the slider')
        tab(1)
        starts = s.log().count('Command1_Click')
        key('space')    # back on the field: no button there
        g.fence()
        check(s.log().count('Command1_Click') == starts and s.game.poll() is None and not s.shown(EXPLAIN),
              'Space on the field pressed a button')
        tab(2)          # Ende
        key('space')
        code = s.game_exit_code()
        check(code == 0, 'Space on Ende: exit code %d' % code)
        s.start_game({})
        g.main = s.window(MAIN)
        s.move(*g.at(g.main, (40, 40)))
        s.give_focus(g.main)
        tab(2)
        key('Return')
        code = s.game_exit_code()
        check(code == 0, 'Enter on Ende: exit code %d' % code)


# --- native Wayland: a headless sway, input through its seat -----------------

MAIN_SIZE = (813, 665)


def case_wayland(game_binary, out):
    with WaylandSession(game_binary, out, scale=2, env={'RINGTAFEL_TRACE': '1'}) as s:
        g = Game(s)
        size = s.rect(g.main)[2:]
        check(size == MAIN_SIZE, 'the main window is %dx%d, not %dx%d' % (size + MAIN_SIZE))
        g.set_pace('Home', 1000)
        g.learn_scores([' 0', ' 279'])
        # One press a target, in turn on each of the four screen pixels of the
        # centre field pixel: 279 only if every press scored 31.
        turn = itertools.count()

        def next_centre_pixel(b):
            n = next(turn)
            return [((b[0] + b[2]) // 2 + n % 2, (b[1] + b[3]) // 2 + n // 2 % 2)]
        result = play_on_centres(g, next_centre_pixel)
        wait_for(lambda: s.focused(result), 'the result window to take the keyboard')
        g.aside(result, 4, 4)   # off the score box and the controls
        g.expect_score(' 279', "nine presses on the screen pixels of the targets' centres")

        # Restarted from the main window: the end of the game gives the result
        # window the keyboard (sway 1.7 focuses it but raises no window that
        # asks for it; the toolkit has no other means to ask).
        g.expect_interval(lambda: g.click(g.main, centre(TRACK_RIGHT_OF_THUMB)), 900, 'a press on the track')
        g.expect_interval(lambda: s.key('End'), 10, 'End')
        wait_for(lambda: s.focused(g.main), 'the main window to take the keyboard on a press')
        g.click(g.main, centre(START))
        # The result window behind the main window is shown anew, a new
        # window in sway's tree.
        wait_for(lambda: s.focused(s.window(RESULT)), 'the result window to take the keyboard after a restarted game')
        s.key('Return')   # its "Zurück"
        s.hidden(RESULT)
        g.click(g.main, centre(ENDE))
        code = s.game_exit_code()
        check(code == 0, '"Ende": exit code %d' % code)


# --- without a display ----------------------------------------------------------

def case_no_display(game_binary, out):
    """One line naming the display that was tried, and exit code 1: X's,
    or Wayland's with no compositor behind it."""
    unused = next(n for n in range(4000, 5000) if not os.path.exists('/tmp/.X11-unix/X%d' % n))
    runtime = os.path.join(out, 'runtime')   # a session's own directory, with no socket in it
    os.makedirs(runtime, 0o700, exist_ok=True)
    wayland = {'QT_QPA_PLATFORM': 'wayland', 'XDG_RUNTIME_DIR': runtime}
    for extra, named in (({}, 'DISPLAY ist nicht gesetzt'),
                         ({'DISPLAY': ':%d' % unused}, 'DISPLAY=:%d' % unused),
                         (wayland, 'WAYLAND_DISPLAY ist nicht gesetzt'),
                         (dict(wayland, WAYLAND_DISPLAY='wayland-none'), 'WAYLAND_DISPLAY=wayland-none')):
        env = {k: v for k, v in os.environ.items() if k not in ('DISPLAY', 'WAYLAND_DISPLAY', 'QT_QPA_PLATFORM')}
        env.update(extra)
        run = subprocess.run([game_binary], env=env, capture_output=True, timeout=60)
        err = run.stderr.decode(errors='replace')
        lines = [line for line in err.splitlines() if line.strip()]
        what = ' '.join('%s=%s' % item for item in extra.items()) or 'no display'
        check(run.returncode == 1, '%s: exit code %d, expected 1; said %r' % (what, run.returncode, err))
        check(len(lines) == 1 and lines[0].endswith('Anzeige geöffnet werden (%s).' % named),
              '%s: expected one line naming %s, got %r' % (what, named, err))
        print('%s: %s' % (what, lines[0]))


CASES = {
    'start-and-ende': case_start_and_ende,
    'controls': case_controls,
    'game': case_game,
    'window-manager': case_window_manager,
    'keyboard': case_keyboard,
    'no-display': case_no_display,
    'wayland': case_wayland,
    'wayland-scale-1.5': lambda game_binary, out: case_scale(game_binary, out, 1.5, session=WaylandSession),
}


def main(case, game_binary, out):
    os.makedirs(out, exist_ok=True)
    if case.startswith('scale-'):
        case_scale(game_binary, out, float(case[len('scale-'):]))
    else:
        CASES[case](game_binary, out)
    print('%s passed' % case)


def game_output(out):
    log = os.path.join(out, 'game.log')
    if os.path.exists(log):
        print('game output:\n' + open(log, errors='replace').read()[-3000:], file=sys.stderr)


if __name__ == '__main__':
    case, game_binary, out = sys.argv[1], os.path.abspath(sys.argv[2]), os.path.join(sys.argv[3], sys.argv[1])
    sys.exit(run(main, case, game_binary, out, case=case, on_failure=lambda: game_output(out)))
