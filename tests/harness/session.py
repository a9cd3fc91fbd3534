# SPDX-License-Identifier: MIT
"""What every session with the game shares, whatever the window system:
screenshots, the processes it started, and the game's process and log. A
session class (xsession.Session, waylandsession.WaylandSession) adds the
window system: windows, pointer and keys, screenshots."""
import os
import subprocess

from harness.checks import Failure, exit_code

YELLOW = (255, 255, 0)


def end_processes(procs):
    """Ends the processes, last-started first."""
    for proc in reversed(procs):
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


class Shot:
    """A screenshot of a screen rectangle; pixel() takes screen coordinates.
    Its rows hold bpp bytes a pixel, blue first (X) or red first (PPM)."""

    def __init__(self, data, x, y, w, h, bpp=4, bgr=True):
        self.data, self.x, self.y, self.w, self.h = data, x, y, w, h
        self.bpp, self.bgr = bpp, bgr

    def _order(self, rgb):
        return tuple(reversed(rgb)) if self.bgr else tuple(rgb)

    def pixel(self, sx, sy):
        i = ((sy - self.y) * self.w + (sx - self.x)) * self.bpp
        return self._order(self.data[i:i + 3])

    def bounds_of(self, rgb):
        """Screen bounds (x0, y0, x1, y1), inclusive, of the pixels of colour
        rgb, or None."""
        pattern = bytes(self._order(rgb))
        xs, ys = [], []
        start = 0
        while True:
            i = self.data.find(pattern, start)
            if i < 0:
                break
            start = i + 1
            if i % self.bpp:
                continue
            n = i // self.bpp
            xs.append(self.x + n % self.w)
            ys.append(self.y + n // self.w)
        if not xs:
            return None
        return min(xs), min(ys), max(xs), max(ys)

    def colours(self):
        return {self.data[i:i + 3] for i in range(0, len(self.data), self.bpp)}

    def ppm(self):
        rgb = bytearray()
        for i in range(0, len(self.data), self.bpp):
            rgb += bytes(self._order(self.data[i:i + 3]))
        return b'P6 %d %d 255\n' % (self.w, self.h) + rgb


class GameSession:
    """The game's process and its log, ended with the processes the session
    started (self.procs, ended last-started first). A subclass provides
    _game_env(), shot() and the rest of the window system."""

    def __init__(self, game, out_dir, scale=None, size=(1280, 1024)):
        self.game_binary, self.out_dir, self.scale, self.size = game, out_dir, scale, size
        self.procs = []
        self.game = None
        self.game_log = None
        os.makedirs(out_dir, exist_ok=True)

    def start_game(self, extra_env):
        env = dict(os.environ, LC_ALL='C.UTF-8')
        for name in ('QT_SCALE_FACTOR', 'DISPLAY', 'WAYLAND_DISPLAY'):
            env.pop(name, None)
        env.update(self._game_env())
        env.update(extra_env)
        if self.game_log:
            self.game_log.close()
        # A new session starts a new log; a restarted game adds to it.
        self.game_log = open(os.path.join(self.out_dir, 'game.log'), 'ab' if self.game else 'wb')
        self.game = subprocess.Popen([self.game_binary], env=env, stdout=self.game_log, stderr=subprocess.STDOUT)

    def game_exit_code(self, timeout=20.0):
        return exit_code(self.game, timeout, 'the game')

    def end_game(self):
        if self.game and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        if self.game_log:
            self.game_log.close()

    def close(self):
        self.end_game()
        end_processes(self.procs)

    def __enter__(self):
        return self

    def __exit__(self, kind, *exc):
        if kind is not None and issubclass(kind, Failure):
            try:
                self.save('failure')   # what was on screen when the wait ran out
            except Exception:
                pass
        self.close()
        return False

    def log(self):
        with open(os.path.join(self.out_dir, 'game.log'), 'rb') as f:
            return f.read().decode(errors='replace')

    def save(self, name, rect=None):
        """Keeps a screenshot as a PPM image for whoever looks into a failure."""
        with open(os.path.join(self.out_dir, name + '.ppm'), 'wb') as f:
            f.write(self.shot(*(rect or (0, 0) + self.size)).ppm())

    def type(self, text):
        names = {' ': 'space', '-': 'minus', '.': 'period', ',': 'comma'}
        for ch in text:
            self.key(names.get(ch, ch))
