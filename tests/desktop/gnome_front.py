#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The result window in front with the keyboard at every game end on a real
GNOME Shell, the game on the toolkit's Wayland platform; the same for the
explanation window on "Erklärung". The player leaves the windows as the
table says before each press; the games are played in a row, each one's end
leaving the windows as the next row finds them.

Run by a11y-session.sh --gnome. gnome-shell's Eval tells which window has the
keyboard and the stacking order, activates windows and presses through a
virtual pointer; the accessibility bus presses buttons through their action
and tells whether each window is active.

Usage: gnome_front.py GAME_BINARY OUTPUT_DIR
"""
import json
import os
import subprocess
import sys
from pathlib import Path

import pyatspi
from gi.repository import Gio, GLib

from accessibility_bus import find_application, pump, showing_descendants, top_window
from harness.checks import Checks, Failure, check, exit_code, run, wait_for

MAIN, RESULT, EXPLANATION = "Ringtafel-Programm", "Ringtafel-Auswertung", "Ringtafel-Erklärung"

# (situation, what the player does before the press, the press, the window
# expected in front with the keyboard after it: at the game's end for Start)
CASES = [
    ("game 1: the result window is new", [], "Start", RESULT),
    ("game 2: the main window activated, Start through its action", ["activate " + MAIN], "Start", RESULT),
    ("game 3: the result window already active", ["activate " + RESULT], "Start", RESULT),
    ("game 4: Start with the pointer while the result window is active", ["activate " + RESULT], "pointer Start",
     RESULT),
    ("game 5: the title bar clicked, then Start with the pointer", ["title bar"], "pointer Start", RESULT),
    ("Erklärung through its action, its window behind the main window", ["Erklärung", "activate " + MAIN],
     "Erklärung", EXPLANATION),
]

# Eval's helpers: the game's windows bottom to top, and a virtual pointer,
# made by the backend's seat (its place moved in GNOME 46).
SHELL_HELPERS = """
globalThis.ringtafel ??= {
    windows: () => global.display.sort_windows_by_stacking(global.display.list_all_windows())
        .filter(w => (w.get_title() ?? '').startsWith('Ringtafel')),
    find: title => ringtafel.windows().find(w => w.get_title() === title),
    pointer: (global.stage.context ? global.stage.context.get_backend() : imports.gi.Clutter.get_default_backend())
        .get_default_seat().create_virtual_device(0),
    click(x, y) {
        this.pointer.notify_absolute_motion(0, x, y);
        this.pointer.notify_button(0, 1, 1);
        this.pointer.notify_button(0, 1, 0);
    },
};
"""

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def shell(code):
    ok, answer = bus.call_sync("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval",
                               GLib.Variant("(s)", (SHELL_HELPERS + code,)), None, 0, 10000, None).unpack()
    check(ok, f"gnome-shell's Eval refused {code!r}: {answer}")
    return json.loads(answer) if answer else None


def windows():
    """The game's windows, bottom to top, each (title, screen rectangle)."""
    return shell("ringtafel.windows().map(w => [w.get_title(),"
                 " (r => [r.x, r.y, r.width, r.height])(w.get_buffer_rect())])")


class Player:
    def __init__(self, app):
        self.app = app
        frame = top_window(app, MAIN)
        self.buttons = {a.name: a for a in showing_descendants(frame) if a.getRole() == pyatspi.ROLE_PUSH_BUTTON}
        self.client_size = frame.queryComponent().getExtents(pyatspi.WINDOW_COORDS)

    def client(self):
        """The screen places of the main window's client area and of a point
        on its title bar that no other window covers. The toolkit draws the
        frame: even at the sides and bottom, the title bar above."""
        others = dict(windows())
        x, y, width, height = others.pop(MAIN)
        side = (width - self.client_size.width) // 2
        top = height - side - self.client_size.height
        bar = next(bx for bx in range(x + 40, x + width - 100, 20)
                   if not any(ox <= bx < ox + ow and oy <= y + top // 2 < oy + oh for ox, oy, ow, oh in others.values()))
        return (x + side, y + top), (bar, y + top // 2)

    def do(self, step):
        if step.startswith("activate "):
            shell(f"ringtafel.find({step[9:]!r}).activate(global.display.get_current_time_roundtrip())")
        elif step == "title bar":
            shell("ringtafel.click(%d, %d)" % self.client()[1])
            wait_for(lambda: self.state()[0] == MAIN, "the main window to take the keyboard")
        elif step.startswith("pointer "):
            e = self.buttons[step[8:]].queryComponent().getExtents(pyatspi.WINDOW_COORDS)
            (x, y), _ = self.client()
            shell("ringtafel.click(%d, %d)" % (x + e.x + e.width // 2, y + e.y + e.height // 2))
        else:
            self.buttons[step].queryAction().doAction(0)

    def state(self):
        """The window with the keyboard, the top window, and the windows
        the accessibility bus calls active."""
        active = [t for t in (MAIN, RESULT, EXPLANATION)
                  if (w := top_window(self.app, t)) and w.getState().contains(pyatspi.STATE_ACTIVE)]
        return shell("global.display.focus_window?.get_title() ?? null"), windows()[-1][0], active


def game_ends(log):
    return Path(log).read_text(errors="replace").count("Anzahl=11")


def main():
    game_binary, out = sys.argv[1], Path(sys.argv[2])
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="wayland",
                       RINGTAFEL_TRACE="1")
    with open(out / "game.log", "wb") as log:
        game = subprocess.Popen([game_binary], env=environment, stdout=log, stderr=subprocess.STDOUT)
    (out / "game.pid").write_text(f"{game.pid}\n")
    check(pump(30, lambda: (a := find_application(game.pid)) and top_window(a, MAIN)), "no main window on the bus")
    app = find_application(game.pid)
    wait_for(lambda: MAIN in dict(windows()), "the main window on the screen")
    player = Player(app)
    checks, games = Checks(), 0   # each situation is told, also after one fails
    for situation, before, press, expected in CASES:
        try:
            for step in before:
                player.do(step)
            player.do(press)
            games += press.endswith("Start")
            wait_for(lambda: game_ends(out / "game.log") == games, "the game's end", 60)
            in_front = (expected, expected, [expected])
            pump(10, lambda: player.state() == in_front)
            check(player.state() == in_front,
                  f"keyboard, top window, active windows {player.state()}, expected {in_front}")
            # The window belongs to the main window: the compositor places
            # it as a dialog of that window.
            owner = shell(f"ringtafel.find({expected!r}).get_transient_for()?.get_title() ?? null")
            check(owner == MAIN, f"{expected} belongs to {owner}, not to the main window")
        except Failure as failure:
            checks.fail(f"{situation}: {failure}; windows {windows()}")
        print(f"{'FAIL' if checks.failed and checks.failed[-1].startswith(situation) else 'ok'}: {situation}",
              flush=True)
    player.buttons["Ende"].queryAction().doAction(0)
    check(exit_code(game, 30, "the game") == 0, f"the game ended with exit code {game.returncode} after Ende")
    (out / "game.pid").unlink()
    checks.verify()


if __name__ == "__main__":
    sys.exit(run(main))
