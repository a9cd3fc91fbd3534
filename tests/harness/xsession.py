# SPDX-License-Identifier: MIT
"""A private X server for driving a program as a player does.

XServer starts Xvfb on a display it picks itself (never a fixed number), or
joins a running X server, and optionally openbox. Pointer and key events go
through the server with the XTest extension; what the player sees is read
back from the server as screenshots. Session adds the built game on the xcb
platform; the browser harness runs a browser on an XServer of its own. Needs
Debian's python3-xlib: run with /usr/bin/python3.
"""
import os
import select
import subprocess

from Xlib import X, XK, display, error, protocol
from Xlib.ext import xtest

from harness.checks import check, wait_for
from harness.session import GameSession, Shot, end_processes


class XServer:
    """Xvfb, or a running X server, and optionally openbox, ended together."""

    def __init__(self, size=(1280, 1024), window_manager=False, display_name=None):
        """With display_name, joins that running X server (and its window
        manager) instead of starting Xvfb."""
        self.size, self.procs = size, []
        self.name = display_name or self._start_xvfb()
        self.d = display.Display(self.name)
        self.root = self.d.screen().root
        check(self.d.has_extension('XTEST'), 'the X server has no XTEST')
        self.managed = window_manager
        if window_manager:
            self._start_openbox()

    # --- processes -----------------------------------------------------------

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write_end), '-screen', '0', '%dx%dx24' % self.size, '-nolisten', 'tcp'],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.procs.append(xvfb)
        number = b''
        while not number.endswith(b'\n'):
            ready, _, _ = select.select([read_end], [], [], 30)
            check(ready, 'Xvfb did not report a display')
            chunk = os.read(read_end, 16)
            check(chunk, 'Xvfb ended before it reported a display')
            number += chunk
        os.close(read_end)
        return ':' + number.decode().strip()

    def _start_openbox(self):
        env = dict(os.environ, DISPLAY=self.name)
        self.procs.append(subprocess.Popen(['openbox', '--sm-disable'], env=env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        check_atom = self.d.intern_atom('_NET_SUPPORTING_WM_CHECK')
        wait_for(lambda: self.root.get_full_property(check_atom, X.AnyPropertyType), 'openbox to manage the screen')

    def close(self):
        try:
            self.d.close()
        except Exception:
            pass
        end_processes(self.procs)

    # --- windows -------------------------------------------------------------

    def _viewable_clients(self, window):
        for child in window.query_tree().children:
            try:
                if child.get_attributes().map_state != X.IsViewable:
                    continue
                name = child.get_full_property(self.d.intern_atom('_NET_WM_NAME'), X.AnyPropertyType)
                if name is not None:
                    yield child, name.value.decode('utf-8', 'replace')
                else:
                    yield from self._viewable_clients(child)
            except Exception:
                continue

    def shown(self, title_prefix):
        """The shown window whose title starts with the prefix, or None."""
        for window, name in self._viewable_clients(self.root):
            if name.startswith(title_prefix):
                return window
        return None

    def window(self, title_prefix, timeout=30.0):
        return wait_for(lambda: self.shown(title_prefix), 'the window ' + title_prefix, timeout)

    def hidden(self, title_prefix):
        return wait_for(lambda: self.shown(title_prefix) is None, title_prefix + ' to be hidden')

    def origin(self, window):
        """Screen position of the window's client area."""
        t = self.root.translate_coords(window, 0, 0)
        return t.x, t.y

    def frame(self, window):
        """Screen rectangle (x, y, w, h) of the window with its frame."""
        top = window
        while True:
            parent = top.query_tree().parent
            if parent == self.root or parent is None:
                break
            top = parent
        g = top.get_geometry()
        t = self.root.translate_coords(top, 0, 0)
        return t.x - g.border_width, t.y - g.border_width, g.width + 2 * g.border_width, g.height + 2 * g.border_width

    def _top(self, window_id):
        """The id of the top-level window (the frame) holding a client window;
        None for a window already destroyed, which the window manager's
        _NET_ACTIVE_WINDOW may still name for a moment."""
        if not window_id:
            return None
        top = self.d.create_resource_object('window', window_id)
        try:
            while (parent := top.query_tree().parent) not in (None, self.root):
                top = parent
        except error.BadWindow:
            return None
        return top.id

    def stacking_top(self, windows):
        """Which of the given client windows lies highest in the stacking order."""
        order = [w.id for w in self.root.query_tree().children]

        def rank(window):
            top = window
            while top.query_tree().parent != self.root:
                top = top.query_tree().parent
            return order.index(top.id)
        return max(windows, key=rank)

    def give_focus(self, window):
        """Gives the window the keyboard, as a window manager would."""
        window.set_input_focus(X.RevertToParent, X.CurrentTime)
        self.d.sync()

    def activate(self, window):
        """Asks the window manager to activate the window, as a task bar
        does."""
        event = protocol.event.ClientMessage(window=window, client_type=self.d.intern_atom('_NET_ACTIVE_WINDOW'),
                                             data=(32, [2, X.CurrentTime, 0, 0, 0]))
        self.root.send_event(event, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        self.d.sync()

    def watch_activation(self, window):
        """Starts watching for the program to ask the window manager to make
        the window active; activated() then tells whether that request has been
        carried out. Polling the active window alone can see the state from
        before the request."""
        self.root.change_attributes(event_mask=X.PropertyChangeMask | X.StructureNotifyMask)
        self.d.sync()
        while self.d.pending_events():
            self.d.next_event()
        self._watched, self._asked, self._answered = window.id, False, False

    def activated(self):
        """True once the watched window is active by the window manager's
        word given after the program asked for it."""
        atom = self.d.intern_atom('_NET_ACTIVE_WINDOW')
        while self.d.pending_events():
            e = self.d.next_event()
            if e.type == X.ClientMessage and e.client_type == atom and e.window.id == self._watched:
                self._asked = True
            elif e.type == X.PropertyNotify and e.atom == atom and self._asked:
                self._answered = True
        if not (self._answered and self.active_window() == self._watched):
            return False
        self.root.change_attributes(event_mask=X.NoEventMask)
        return True

    def active_window(self):
        prop = self.root.get_full_property(self.d.intern_atom('_NET_ACTIVE_WINDOW'), X.AnyPropertyType)
        return prop.value[0] if prop else None

    # --- what the player sees -------------------------------------------------

    def shot(self, x, y, w, h):
        image = self.root.get_image(x, y, w, h, X.ZPixmap, 0xffffffff)
        return Shot(image.data, x, y, w, h)

    def place(self, window, x, y):
        """Moves the window's client area to the screen position x, y."""
        window.configure(x=x, y=y)
        self.d.sync()
        wait_for(lambda: self.origin(window) == (x, y), 'the window to move')

    # --- what the player does -------------------------------------------------

    def move(self, x, y):
        xtest.fake_input(self.d, X.MotionNotify, x=x, y=y)
        self.d.sync()

    def press(self, x, y, button=1):
        self.move(x, y)
        xtest.fake_input(self.d, X.ButtonPress, button)
        self.d.sync()

    def release(self, button=1):
        xtest.fake_input(self.d, X.ButtonRelease, button)
        self.d.sync()

    def click(self, x, y, button=1):
        self.press(x, y, button)
        if self.managed:
            # A press on an inactive window is first the window manager's: it
            # activates the window and then hands the press on. A release sent
            # at once can reach the program in between and be lost (a person
            # holds the button far longer), so it waits for the activation.
            under = self.root.query_pointer().child
            if under:
                wait_for(lambda: self._top(self.active_window()) == under.id,
                         'the window manager to activate the window pressed at (%d, %d)' % (x, y))
        self.release(button)

    def key(self, name, modifiers=()):
        codes = [self.d.keysym_to_keycode(XK.string_to_keysym(m)) for m in modifiers]
        code = self.d.keysym_to_keycode(XK.string_to_keysym(name))
        check(code, 'no key for ' + name)
        for c in codes:
            xtest.fake_input(self.d, X.KeyPress, c)
        xtest.fake_input(self.d, X.KeyPress, code)
        xtest.fake_input(self.d, X.KeyRelease, code)
        for c in reversed(codes):
            xtest.fake_input(self.d, X.KeyRelease, c)
        self.d.sync()


class Session(XServer, GameSession):
    """An XServer and the game on it, ended together."""

    def __init__(self, game, out_dir, scale=None, window_manager=False, size=(1280, 1024), env=None,
                 display_name=None):
        GameSession.__init__(self, game, out_dir, scale, size)
        XServer.__init__(self, size, window_manager, display_name)
        self.start_game(env or {})

    def _game_env(self):
        env = dict(DISPLAY=self.name, QT_QPA_PLATFORM='xcb')
        if self.scale:
            env['QT_SCALE_FACTOR'] = str(self.scale)
        return env

    def close(self):
        self.end_game()
        XServer.close(self)
