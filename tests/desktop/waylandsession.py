# SPDX-License-Identifier: MIT
"""A private headless sway for driving the built game as a player does, on
the toolkit's native Wayland platform.

Pointer and key events go through the compositor's seat: a virtual pointer
and a virtual keyboard made by WaylandInput, which speaks the wire protocol
itself (Debian ships no client of these protocols). Screenshots come from
the compositor through grim, windows from sway's tree. Screen coordinates
are the output's pixels: logical coordinates times the output scale.
"""
import array
import glob
import json
import math
import os
import pwd
import shutil
import socket
import struct
import subprocess
import tempfile
import time

from session import Failure, GameSession, Shot, check, wait_for

# Linux input event codes of the keys the tests use, by X keysym name.
KEY_CODES = {'Return': 28, 'Tab': 15, 'space': 57, 'Home': 102, 'End': 107, 'Left': 105, 'Right': 106,
             'Prior': 104, 'Next': 109, 'minus': 12, 'period': 52, 'comma': 51, 'a': 30,
             **{str(d): 2 + (d + 9) % 10 for d in range(10)}}
MODIFIER_MASKS = {'Shift_L': 1, 'Control_L': 4}
BUTTONS = {1: 0x110, 2: 0x112, 3: 0x111}   # X's numbers: left, middle, right
KEYMAP = (b'xkb_keymap { xkb_keycodes { include "evdev+aliases(qwerty)" }; xkb_types { include "complete" }; '
          b'xkb_compat { include "complete" }; xkb_symbols { include "pc+us+inet(evdev)" }; };\0')


class WaylandInput:
    """A pointer and a keyboard on the compositor's default seat, through the
    zwlr_virtual_pointer_manager_v1 and zwp_virtual_keyboard_manager_v1
    globals, each request followed by a round trip."""

    def __init__(self, path):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.ids, self.incoming, self.globals = 1, b'', {}
        registry = self._send(1, 1, 'n')                               # wl_display.get_registry
        self._roundtrip(lambda obj, op, body: obj == registry and op == 0 and self._global(body))
        seat = self._bind(registry, 'wl_seat', 1)
        self.pointer = self._send(self._bind(registry, 'zwlr_virtual_pointer_manager_v1', 1), 0, 'on', seat)
        self.keyboard = self._send(self._bind(registry, 'zwp_virtual_keyboard_manager_v1', 1), 0, 'on', seat)
        keymap = os.memfd_create('keymap')
        os.write(keymap, KEYMAP)
        self._send(self.keyboard, 0, 'uu', 1, len(KEYMAP), fd=keymap)  # keymap: xkb v1
        os.close(keymap)
        self._roundtrip()

    def close(self):
        self.sock.close()

    # Requests: the signature letters are u (uint), o (object), n (a new id,
    # returned), s (string).
    def _send(self, obj, opcode, signature, *args, fd=None):
        body, new = b'', None
        for kind, arg in zip(signature, args + (None,) * len(signature)):
            if kind == 'n':
                self.ids += 1
                new = arg = self.ids
            if kind == 's':
                text = arg.encode() + b'\0'
                body += struct.pack('=I', len(text)) + text + b'\0' * (-len(text) % 4)
            else:
                body += struct.pack('=I', arg)
        message = struct.pack('=II', obj, (8 + len(body)) << 16 | opcode) + body
        fds = [(socket.SOL_SOCKET, socket.SCM_RIGHTS, array.array('i', [fd]))] if fd is not None else []
        self.sock.sendmsg([message], fds)
        return new

    def _global(self, body):
        name, length = struct.unpack_from('=II', body)
        interface = body[8:8 + length - 1].decode()
        self.globals[interface] = name
        return False

    def _bind(self, registry, interface, version):
        check(interface in self.globals, 'the compositor offers no ' + interface)
        return self._send(registry, 0, 'usun', self.globals[interface], interface, version)

    def _roundtrip(self, on_event=lambda obj, op, body: None):
        callback = self._send(1, 0, 'n')                               # wl_display.sync
        while True:
            while len(self.incoming) < 8 or len(self.incoming) < struct.unpack_from('=I', self.incoming, 4)[0] >> 16:
                chunk = self.sock.recv(65536)
                check(chunk, 'the compositor closed the connection')
                self.incoming += chunk
            obj, size_op = struct.unpack_from('=II', self.incoming)
            body, self.incoming = self.incoming[8:size_op >> 16], self.incoming[size_op >> 16:]
            check(not (obj == 1 and size_op & 0xffff == 0), 'the compositor reported an error: %r' % body)
            if obj == callback:
                return
            on_event(obj, size_op & 0xffff, body)

    @staticmethod
    def _time():
        return int(time.monotonic() * 1000) & 0xffffffff

    def move(self, x, y, x_extent, y_extent):
        self._send(self.pointer, 1, 'uuuuu', self._time(), x, y, x_extent, y_extent)   # motion_absolute
        self._send(self.pointer, 4, '')                                                # frame
        self._roundtrip()

    def button(self, pressed, button):
        self._send(self.pointer, 2, 'uuu', self._time(), button, int(pressed))
        self._send(self.pointer, 4, '')
        self._roundtrip()

    def key(self, code, pressed):
        self._send(self.keyboard, 1, 'uuu', self._time(), code, int(pressed))
        self._roundtrip()

    def modifiers(self, mask):
        self._send(self.keyboard, 2, 'uuuu', mask, 0, 0, 0)
        self._roundtrip()


class WaylandSession(GameSession):
    """sway on a headless output of the given logical size and scale, the
    input above, and the game on the wayland platform, ended together."""

    def __init__(self, game, out_dir, scale=2, size=(960, 720), env=None):
        super().__init__(game, out_dir, scale, tuple(math.ceil(n * scale) for n in size))
        self.logical_size = size
        self.parked = False
        self.placed = set()
        self.dir = tempfile.mkdtemp(prefix='ringtafel-sway-')   # short: socket paths are short
        os.chmod(self.dir, 0o711)   # sway, perhaps another user, reaches its config and runtime directory
        self.input = None
        try:
            self._start_sway()
            self.input = WaylandInput(self.display)
            self.start_game(env or {})
        except BaseException:
            self.close()
            raise

    # --- processes -----------------------------------------------------------

    def _start_sway(self):
        runtime = os.path.join(self.dir, 'sway')
        os.mkdir(runtime, 0o700)
        config = os.path.join(self.dir, 'config')
        with open(config, 'w') as f:
            f.write('output * mode %dx%d scale %g\n' % (*self.size, self.scale)
                    + 'xwayland disable\ndefault_floating_border none\nfocus_follows_mouse no\n'
                    # a window that asks for the keyboard through xdg-activation gets it
                    + 'focus_on_window_activation focus\n'
                    + 'for_window [title="^Ringtafel"] floating enable\n')
        # sway will not run as root: root hands it to nobody.
        command = ['sway', '-c', config]
        if os.geteuid() == 0:
            nobody = pwd.getpwnam('nobody')
            os.chown(runtime, nobody.pw_uid, nobody.pw_gid)
            command = ['setpriv', '--reuid=%d' % nobody.pw_uid, '--regid=%d' % nobody.pw_gid, '--clear-groups'] + command
        self.swaysock = os.path.join(runtime, 'ipc.sock')
        env = dict(PATH=os.environ.get('PATH', '/usr/bin:/bin'), XDG_RUNTIME_DIR=runtime, SWAYSOCK=self.swaysock,
                   WLR_BACKENDS='headless', WLR_LIBINPUT_NO_DEVICES='1', WLR_RENDERER='pixman')
        with open(os.path.join(self.out_dir, 'sway.log'), 'wb') as log:
            self.procs.append(subprocess.Popen(command, env=env, stdout=log, stderr=subprocess.STDOUT))

        def ready():
            check(self.procs[-1].poll() is None, 'sway ended at start; see sway.log')
            sockets = [p for p in glob.glob(os.path.join(runtime, 'wayland-*')) if not p.endswith('.lock')]
            return sockets and os.path.exists(self.swaysock) and self.sway('-t', 'get_outputs') and sockets[0]
        self.display = wait_for(ready, 'sway to start')

    def _game_env(self):
        game_runtime = os.path.join(self.dir, 'game')
        os.makedirs(game_runtime, 0o700, exist_ok=True)
        return dict(WAYLAND_DISPLAY=self.display, XDG_RUNTIME_DIR=game_runtime, QT_QPA_PLATFORM='wayland')

    def close(self):
        if self.input:
            self.input.close()
        super().close()
        shutil.rmtree(self.dir, ignore_errors=True)

    def sway(self, *args):
        """swaymsg's parsed answer, or None when sway did not answer."""
        run = subprocess.run(['swaymsg', '-s', self.swaysock, '-r'] + list(args), capture_output=True, timeout=30)
        return json.loads(run.stdout) if run.returncode == 0 else None

    # --- windows: a window is its container's id in sway's tree -----------------

    def _views(self, node=None):
        node = node or self.sway('-t', 'get_tree')
        if node.get('pid'):
            yield node
        for child in node.get('nodes', []) + node.get('floating_nodes', []):
            yield from self._views(child)

    def _view(self, window):
        return next((v for v in self._views() if v['id'] == window), None)

    def shown(self, title_prefix):
        return next((v['id'] for v in self._views() if (v['name'] or '').startswith(title_prefix)), None)

    def window(self, title_prefix, timeout=30.0):
        """The shown window. sway centres a new floating window, for an odd
        size on half a logical pixel, and then draws it at scale 2 a screen
        pixel away from where it delivers the pointer: so each new window
        is moved to a whole position, even, whole at every scale."""
        window = wait_for(lambda: self.shown(title_prefix), 'the window ' + title_prefix, timeout)
        if window not in self.placed:
            x, y = self.rect(window)[:2]
            self.place(window, math.ceil(max(2, 2 * (x // 2)) * self.scale), math.ceil(max(2, 2 * (y // 2)) * self.scale))
            self.placed.add(window)
        return window

    def hidden(self, title_prefix):
        return wait_for(lambda: self.shown(title_prefix) is None, title_prefix + ' to be hidden')

    def rect(self, window):
        """The window's logical rectangle (x, y, w, h)."""
        view = self._view(window)
        check(view, 'the window is gone')
        r = view['rect']
        return r['x'], r['y'], r['width'], r['height']

    def origin(self, window):
        x, y = self.rect(window)[:2]
        return math.ceil(x * self.scale), math.ceil(y * self.scale)

    def place(self, window, x, y):
        """Moves the window to the screen position x, y, which must lie on
        a logical position that is whole at every scale (a multiple of 2),
        and not at the screen's edge."""
        lx, ly = x / self.scale, y / self.scale
        check(lx % 2 == 0 and ly % 2 == 0, 'no whole logical position: %g, %g' % (lx, ly))
        self.sway('[con_id=%d]' % window, 'move', 'position', '%d' % lx, '%d' % ly)
        wait_for(lambda: self.origin(window) == (x, y), 'the window to move')
        # The tree has the new place at once; sway delivers the pointer by it
        # only once the window is drawn there.
        wait_for(lambda: (lambda c: c.pixel(x - 1, y - 1) != c.pixel(x, y))(self.shot(x - 1, y - 1, 2, 2)),
                 'the window to be drawn where it was moved')

    def focused(self, window):
        view = self._view(window)
        return bool(view and view['focused'])

    # --- what the player sees -------------------------------------------------

    def shot(self, x, y, w, h):
        """The compositor's picture of the screen rectangle: grim takes a
        logical region on positions even at every scale, then it is cut."""
        self.park()
        lx, ly = 2 * math.floor(x / self.scale / 2), 2 * math.floor(y / self.scale / 2)
        lw, lh = 2 * math.ceil((x + w) / self.scale / 2) - lx, 2 * math.ceil((y + h) / self.scale / 2) - ly
        run = subprocess.run(['grim', '-s', '%g' % self.scale, '-g', '%d,%d %dx%d' % (lx, ly, lw, lh), '-t', 'ppm', '-'],
                             env=dict(os.environ, WAYLAND_DISPLAY=self.display), capture_output=True, timeout=30)
        check(run.returncode == 0, 'grim failed: %s' % run.stderr.decode(errors='replace'))
        header = run.stdout.split(b'\n', 3)
        width = int(header[1].split()[0])
        pixels = header[3]
        x0, y0 = x - int(lx * self.scale), y - int(ly * self.scale)
        data = b''.join(pixels[((y0 + row) * width + x0) * 3:((y0 + row) * width + x0 + w) * 3] for row in range(h))
        return Shot(data, x, y, w, h, bpp=3, bgr=False)

    # --- what the player does -------------------------------------------------

    def move(self, x, y):
        """To the middle of the screen pixel: the extent is twice the screen's."""
        self.input.move(2 * x + 1, 2 * y + 1, 2 * self.size[0], 2 * self.size[1])
        self.parked = False

    def park(self):
        """The compositor draws its cursor into the screenshots: it waits in
        the screen's last pixel, outside every window."""
        if not self.parked:
            self.move(self.size[0] - 1, self.size[1] - 1)
            self.parked = True

    def press(self, x, y, button=1):
        self.move(x, y)
        self.input.button(True, BUTTONS[button])

    def release(self, button=1):
        self.input.button(False, BUTTONS[button])

    def click(self, x, y, button=1):
        self.press(x, y, button)
        self.release(button)

    def key(self, name, modifiers=()):
        check(name in KEY_CODES, 'no key for ' + name)
        mask = sum(MODIFIER_MASKS[m] for m in modifiers)
        if mask:
            self.input.modifiers(mask)
        self.input.key(KEY_CODES[name], True)
        self.input.key(KEY_CODES[name], False)
        if mask:
            self.input.modifiers(0)

    def settle(self):
        """A moment for the game's event loop; the input's round trips have
        already brought every event to the compositor."""
        time.sleep(0.25)
