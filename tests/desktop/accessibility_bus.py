#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""What a screen reader gets from the running game through the AT-SPI bus.

Run by a11y-session.sh inside a private D-Bus session with the
accessibility bus and a window manager running. Starts the game, reads it
through pyatspi, the library screen readers use, and checks:
  - the three windows' roles and names;
  - each visible control's role, name and place on the screen, against the
    design layout in the sources and the window's place as X reports it;
  - that the result sentence is on the bus when the result window becomes
    active at the end of a game, in its label and not again as the window's
    description, and that the window is activated again at the end of the
    next game, started from the main window;
  - that a press on the slider's arrow has the new pace spoken at once, as
    a notification shown or an announcement;
  - that "Ende" then ends the game with exit code 0.
The tree as read, the events seen and the game's output are written to
OUTPUT_DIR, and the game's process id to OUTPUT_DIR/game.pid, so that the
calling script can end the game should this script fail.

Usage: accessibility_bus.py GAME_BINARY SOURCE_DIR OUTPUT_DIR
"""

import codecs
import os
import re
import sys
import time
from dataclasses import dataclass
from pathlib import Path

import pyatspi
from gi.repository import GLib

from harness import layout
from harness.checks import Checks, Failure, check, run, wait_for
from harness.xsession import Session

SENTENCE = "Sie haben  0 Punkte erreicht!"   # a game in which nothing is hit


@dataclass
class Control:
    layout_name: str
    role: int
    name: str   # a trailing "…" makes it a prefix of the name


@dataclass
class Window:
    title: str
    role: int
    layout: str   # source file holding the window's design rectangles
    controls: list


def credits_text(path):
    literal = re.search(r'CreditsText\s*=\s*"([^"]*)"', Path(path).read_text(encoding="utf-8"))[1]
    return codecs.decode(literal, "unicode_escape")


def windows(src):
    main_layout = Path(src) / layout.LAYOUT_HEADER
    return [
        Window("Ringtafel-Programm", pyatspi.ROLE_FRAME, main_layout, [
            Control("Command1", pyatspi.ROLE_PUSH_BUTTON, "Start"),
            Control("Command2", pyatspi.ROLE_PUSH_BUTTON, "Ende"),
            Control("Command3", pyatspi.ROLE_PUSH_BUTTON, "Erklärung"),
            Control("Picture1", pyatspi.ROLE_CANVAS, "Zielfeld"),
            Control("Text5", pyatspi.ROLE_TEXT, "Punkte"),
            Control("Label3", pyatspi.ROLE_LABEL, "Punkte"),
            Control("Label5", pyatspi.ROLE_LABEL, "Schwierigkeitsgrad"),
            Control("HScroll1", pyatspi.ROLE_SCROLL_BAR, "Schwierigkeitsgrad"),
            Control("Label6", pyatspi.ROLE_LABEL, "< leichter     --     schwerer >"),
            Control("Label4", pyatspi.ROLE_LABEL, credits_text(main_layout)),
        ]),
        Window("Ringtafel-Erklärung", pyatspi.ROLE_DIALOG, f"{src}/game/layout/Form3Layout.h", [
            Control("Label1", pyatspi.ROLE_LABEL, "Erklärung"),
            Control("Label2", pyatspi.ROLE_LABEL, "Zum Starten bitte den Start-Button klicken.…"),
            Control("Label3", pyatspi.ROLE_LABEL, "Das Ziel ist es, mit dem Mauscursor…"),
            Control("Command1", pyatspi.ROLE_PUSH_BUTTON, "Zurück"),
        ]),
        Window("Ringtafel-Auswertung", pyatspi.ROLE_DIALOG, f"{src}/game/layout/Form2Layout.h", [
            Control("Label1", pyatspi.ROLE_LABEL, SENTENCE),
            Control("Label2", pyatspi.ROLE_LABEL, "(Maximum: 310 Punkte)"),
            Control("Command1", pyatspi.ROLE_PUSH_BUTTON, "Zurück"),
        ]),
    ]


def name_matches(actual, expected):
    if expected.endswith("…"):
        return actual.startswith(expected[:-1])
    return actual == expected


# --- The bus ---------------------------------------------------------------

main_context = GLib.MainContext.default()


def pump(seconds, until=lambda: False):
    """Lets bus events arrive for up to SECONDS, or until UNTIL() holds."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if until():
            return True
        if not main_context.iteration(False):
            time.sleep(0.02)
    return until()


def find_application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def top_window(app, title):
    for window in app:
        if window is not None and window.name == title:
            return window
    return None


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def extents(accessible):
    e = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.width, e.height)


def showing_descendants(accessible):
    for child in accessible:
        if child is not None and showing(child):
            yield child
            yield from showing_descendants(child)


def tree_lines(accessible, depth=0):
    try:
        place = extents(accessible) if depth else None
    except NotImplementedError:
        place = None
    line = f"{'  ' * depth}[{accessible.getRoleName()}] {accessible.name!r}"
    if accessible.description:
        line += f" description={accessible.description!r}"
    if place:
        line += f" at {place}"
    line += "" if showing(accessible) else " (not showing)"
    lines = [line]
    for child in accessible:
        if child is not None:
            lines += tree_lines(child, depth + 1)
    return lines


# --- The X server ----------------------------------------------------------

def x_window_rect(session, title):
    """The client area of the one shown X window with this title, on the screen."""
    found = []

    def one():   # the window may still be on its way to the screen
        found[:] = [w for w, name in session._viewable_clients(session.root) if name == title]
        return len(found) == 1
    try:
        wait_for(one, f"one shown X window {title!r}", 30)
    except Failure:
        raise Failure(f"expected one shown X window {title!r}, found {len(found)}") from None
    x, y = session.origin(found[0])
    geometry = found[0].get_geometry()
    return (x, y, geometry.width, geometry.height)


def click(session, title, rect):
    """A real left click in the middle of RECT of the window with this title."""
    x, y, _, _ = x_window_rect(session, title)
    left, top, width, height = rect
    session.click(x + left + width // 2, y + top + height // 2)


# --- Checks ----------------------------------------------------------------

# The checks go on after one fails: one run tells every difference it meets.
checks = Checks()
expect = checks.expect


def check_window(session, app, window):
    accessible = top_window(app, window.title)
    if not expect(accessible is not None, f"{window.title}: not on the bus"):
        return
    role = accessible.getRoleName()
    expect(accessible.getRole() == window.role,
           f"{window.title}: role {role}, expected {role_name(window.role)}")
    origin = x_window_rect(session, window.title)
    expect(extents(accessible) == origin, f"{window.title}: on the bus at {extents(accessible)}, X shows it at {origin}")

    rects = layout.rects_in(window.layout)
    seen = list(showing_descendants(accessible))
    for control in window.controls:
        matches = [a for a in seen if a.getRole() == control.role and name_matches(a.name, control.name)]
        if not expect(len(matches) == 1, f"{window.title}/{control.layout_name}: {len(matches)} showing "
                                         f"{role_name(control.role)} named {control.name!r}"):
            continue
        left, top, width, height = rects[control.layout_name]
        drawn = (origin[0] + left, origin[1] + top, width, height)
        expect(extents(matches[0]) == drawn,
               f"{window.title}/{control.layout_name}: on the bus at {extents(matches[0])}, drawn at {drawn}")
        seen.remove(matches[0])
    for extra in seen:
        checks.fail(f"{window.title}: showing [{extra.getRoleName()}] {extra.name!r} is not a known control")


def role_name(role):
    return str(pyatspi.Role(role)).removeprefix("ROLE_").replace("_", " ").lower()


def main():
    game_binary, src, out = sys.argv[1], sys.argv[2], Path(sys.argv[3])
    expected = windows(src)
    main_window, explanation, result = expected

    events = []

    def record(event):
        source = event.source
        data = event.any_data if isinstance(event.any_data, str) else ""
        events.append((event.type, source.getRoleName(), source.name, source.description, data))
    pyatspi.Registry.registerEventListener(
        record, "window:activate", "object:state-changed:showing", "object:announcement")
    # The game learns which events are listened for when it joins the bus; a
    # listener registered while it is joining may be missed, so it starts now.
    with Session(game_binary, str(out), display_name=os.environ["DISPLAY"],
                 env={"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}) as session:
        (out / "game.pid").write_text(f"{session.game.pid}\n")
        return check_game(session, out, main_window, explanation, result, events)


def check_game(session, out, main_window, explanation, result, events):
    game = session.game
    game_pid = game.pid
    check(pump(30, lambda: (a := find_application(game_pid)) is not None and top_window(a, main_window.title)),
          f"no window {main_window.title!r} of process {game_pid} on the bus within 30 s")
    app = find_application(game_pid)
    # The main window is shown once X maps it; let its first events pass.
    pump(30, lambda: showing(top_window(app, main_window.title)))
    pump(0.5)
    check_window(session, app, main_window)

    main_rects = layout.rects_in(main_window.layout)
    # The slider's right arrow: 600 becomes 610, a pace of 400 ms.
    x, y, width, height = main_rects["HScroll1"]
    click(session, main_window.title, (x + width - 12, y, 12, height))
    pace = "400 Millisekunden je Ziel"
    expect(pump(30, lambda: any(pace in (e[2], e[4]) for e in events)),
           f"{main_window.title}: {pace!r} not spoken within 30 s of a press on the slider's arrow")

    click(session, main_window.title, main_rects["Command3"])
    if expect(pump(30, lambda: top_window(app, explanation.title) is not None
                   and showing(top_window(app, explanation.title))),
              f"{explanation.title}: not shown within 30 s of Erklärung"):
        check_window(session, app, explanation)

    def result_activated():
        return any(e[0] == "window:activate" and e[2] == result.title for e in events)
    click(session, main_window.title, main_rects["Command1"])
    if expect(pump(60, result_activated), f"{result.title}: not activated within 60 s of Start"):
        activation = next(e for e in events if e[0] == "window:activate" and e[2] == result.title)
        expect(activation[1] == "dialog", f"{result.title}: activated as [{activation[1]}], not as a dialog")
        # A screen reader speaks a dialog's labels with it; a description
        # repeating the sentence would have it said twice.
        expect(activation[3] == "", f"{result.title}: description {activation[3]!r} on activation, expected none")
        pump(0.5)
        check_window(session, app, result)

        # The next game, started from the main window, ends while the result
        # window lies behind it: the window comes to the front, activated.
        already_seen = len(events)
        click(session, main_window.title, main_rects["Command1"])
        expect(pump(60, lambda: any(e[0] == "window:activate" and e[2] == result.title for e in events[already_seen:])),
               f"{result.title}: not activated again within 60 s of a second Start")

    tree = "\n".join(tree_lines(app)) + "\n"
    (out / "accessible-tree.txt").write_text(tree, encoding="utf-8")
    event_lines = [f"{kind} [{role}] {name!r} description={description!r}" + (f" data={data!r}" if data else "")
                   for kind, role, name, description, data in events]
    (out / "accessible-events.txt").write_text("\n".join(event_lines) + "\n", encoding="utf-8")
    print(tree)
    # The game ends cleanly also while the bus reads it.
    click(session, main_window.title, main_rects["Command2"])
    expect(session.game_exit_code(30) == 0, f"the game ended with exit code {game.returncode} after Ende")
    (out / "game.pid").unlink()   # ended and reaped: its id may be reused
    checks.verify()


if __name__ == "__main__":
    sys.exit(run(main))
