# SPDX-License-Identifier: MIT
"""A private headless sway for driving the built game as a player does, on
the toolkit's native Wayland platform.

Pointer and key events go through the compositor's seat, by a virtual
pointer and a virtual keyboard, and the screenshots are the compositor's
copies of the screen: WaylandClient speaks these wlroots protocols on the
wire itself, as Debian ships no client of them. Windows and the keyboard
focus come from sway's tree. Screen coordinates are the output's pixels:
logical coordinates times the output scale.
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

from harness.checks import check, wait_for
from harness.session import GameSession, Shot

# Linux input event codes of the keys the tests use, by X keysym name.
KEY_CODES = {'Return': 28, 'Tab': 15, 'space': 57, 'Home': 102, 'End': 107, 'Left': 105, 'Right': 106,
             'Prior': 104, 'Next': 109, 'minus': 12, 'period': 52, 'comma': 51, 'a': 30,
             **{str(d): 2 + (d + 9) % 10 for d in range(10)}}
MODIFIER_MASKS = {'Shift_L': 1, 'Control_L': 4}
BUTTONS = {1: 0x110, 2: 0x112, 3: 0x111}   # X's numbers: left, middle, right
KEYMAP = (b'xkb_keymap { xkb_keycodes { include "evdev+aliases(qwerty)" }; xkb_types { include "complete" }; '
          b'xkb_compat { include "complete" }; xkb_symbols { include "pc+us+inet(evdev)" }; };\0')


class WaylandClient:
    """A pointer and a keyboard on the compositor's default seat, and copies
    of the screen, through the wlroots protocols zwlr_virtual_pointer_v1,
    zwp_virtual_keyboard_v1 and zwlr_screencopy_v1 (each version 1). Every
    input request is followed by a round trip, so the compositor has
    handled it when the method returns."""

    def __init__(self, path):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.ids, self.incoming, self.globals = 1, b'', {}
        registry = self._send(1, 1, 'n')                               # wl_display.get_registry
        self._roundtrip(lambda obj, op, body: obj == registry and op == 0 and self._global(body))

        def bind(interface):
            check(interface in self.globals, 'the compositor offers no ' + interface)
            return self._send(registry, 0, 'usun', self.globals[interface], interface, 1)
        seat, self.output, self.shm = bind('wl_seat'), bind('wl_output'), bind('wl_shm')
        self.screencopy = bind('zwlr_screencopy_manager_v1')
        self.pointer = self._send(bind('zwlr_virtual_pointer_manager_v1'), 0, 'on', seat)
        self.keyboard = self._send(bind('zwp_virtual_keyboard_manager_v1'), 0, 'on', seat)
        keymap = os.memfd_create('keymap')
        os.write(keymap, KEYMAP)
        self._send(self.keyboard, 0, 'uu', 1, len(KEYMAP), fd=keymap)  # keymap: xkb v1
        os.close(keymap)
        self._roundtrip()

    def close(self):
        self.sock.close()

    # Requests: the signature letters are u (uint), i (int), o (object),
    # s (string) and n (a new id, returned; it takes no argument).
    def _send(self, obj, opcode, signature, *args, fd=None):
        body, new, values = b'', None, iter(args)
        for kind in signature:
            if kind == 'n':
                self.ids += 1
                body += struct.pack('=I', self.ids)
                new = self.ids
            elif kind == 's':
                text = next(values).encode() + b'\0'
                body += struct.pack('=I', len(text)) + text + b'\0' * (-len(text) % 4)
            else:
                body += struct.pack('=i' if kind == 'i' else '=I', next(values))
        message = struct.pack('=II', obj, (8 + len(body)) << 16 | opcode) + body
        fds = [(socket.SOL_SOCKET, socket.SCM_RIGHTS, array.array('i', [fd]))] if fd is not None else []
        self.sock.sendmsg([message], fds)
        return new

    def _global(self, body):
        name, length = struct.unpack_from('=II', body)
        self.globals[body[8:8 + length - 1].decode()] = name
        return False

    def _read_until(self, wanted):
        """Reads events, passing over the others, until wanted(object,
        opcode, body) holds; returns that event's opcode and body."""
        while True:
            while len(self.incoming) < 8 or len(self.incoming) < struct.unpack_from('=I', self.incoming, 4)[0] >> 16:
                chunk = self.sock.recv(1 << 16)
                check(chunk, 'the compositor closed the connection')
                self.incoming += chunk
            obj, size_op = struct.unpack_from('=II', self.incoming)
            body, self.incoming = self.incoming[8:size_op >> 16], self.incoming[size_op >> 16:]
            check(not (obj == 1 and size_op & 0xffff == 0), 'the compositor reported an error: %r' % body)
            if wanted(obj, size_op & 0xffff, body):
                return size_op & 0xffff, body

    def _roundtrip(self, on_event=lambda obj, op, body: False):
        callback = self._send(1, 0, 'n')                               # wl_display.sync
        self._read_until(lambda obj, op, body: obj == callback or on_event(obj, op, body))

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

    def capture(self, x, y, w, h):
        """The screen in the output's logical rectangle, without the cursor
        where the compositor can leave it out: (width, height, stride,
        pixels), four bytes a pixel, blue first."""
        frame = self._send(self.screencopy, 1, 'nioiiii', 0, self.output, x, y, w, h)
        _, body = self._read_until(lambda obj, op, body: obj == frame and op == 0)   # buffer
        form, width, height, stride = struct.unpack('=IIII', body)
        check(form in (0, 1), 'the compositor copies the screen in format %#x' % form)   # [AX]RGB8888
        memory = os.memfd_create('screen')
        os.ftruncate(memory, stride * height)
        pool = self._send(self.shm, 0, 'nu', stride * height, fd=memory)            # wl_shm.create_pool
        buffer = self._send(pool, 0, 'niiiiu', 0, width, height, stride, form)
        self._send(frame, 0, 'o', buffer)                                            # copy
        op, _ = self._read_until(lambda obj, op, body: obj == frame and op in (2, 3))   # ready or failed
        pixels = os.pread(memory, stride * height, 0)
        os.close(memory)
        self._send(buffer, 0, '')                                                    # destroy
        self._send(pool, 1, '')
        self._send(frame, 1, '')
        check(op == 2, 'the compositor failed to copy the screen')
        return width, height, stride, pixels


class WaylandSession(GameSession):
    """sway on a headless output of the given logical size and scale, a
    client of the protocols above, and the game on the wayland platform,
    ended together."""

    def __init__(self, game, out_dir, scale=2, size=(960, 720), env=None):
        super().__init__(game, out_dir, scale, tuple(math.ceil(n * scale) for n in size))
        self.parked = False
        self.placed = set()
        self.dir = tempfile.mkdtemp(prefix='ringtafel-sway-')   # short: socket paths are short
        os.chmod(self.dir, 0o711)   # sway, perhaps another user, reaches its config and runtime directory
        self.client = None
        try:
            self._start_sway()
            self.client = WaylandClient(self.display)
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
            command = ['setpriv', '--reuid=%d' % nobody.pw_uid, '--regid=%d' % nobody.pw_gid,
                       '--clear-groups'] + command
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
        if self.client:
            self.client.close()
        super().close()
        shutil.rmtree(self.dir, ignore_errors=True)

    def sway(self, *args):
        """swaymsg's parsed answer, or None when sway did not answer."""
        run = subprocess.run(['swaymsg', '-s', self.swaysock, '-r'] + list(args), capture_output=True, timeout=30)
        return json.loads(run.stdout) if run.returncode == 0 else None

    # --- windows: a window is its container's id in sway's tree -----------------

    def _views(self, node=None):
        if node is None:
            node = self.sway('-t', 'get_tree')
            check(node, 'sway does not answer; see sway.log')
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
        pixel away from where it delivers the pointer: each new window is
        moved to an even logical position, whole at every scale."""
        window = wait_for(lambda: self.shown(title_prefix), 'the window ' + title_prefix, timeout)
        if window not in self.placed:
            x, y = (max(2, 2 * (n // 2)) for n in self.rect(window)[:2])
            self.place(window, math.ceil(x * self.scale), math.ceil(y * self.scale))
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
        """The compositor's copy of the screen rectangle: a logical region
        on even positions, whole at every scale, cut to the rectangle."""
        self.park()
        lx, ly = 2 * math.floor(x / self.scale / 2), 2 * math.floor(y / self.scale / 2)
        lw, lh = 2 * math.ceil((x + w) / self.scale / 2) - lx, 2 * math.ceil((y + h) / self.scale / 2) - ly
        width, height, stride, pixels = self.client.capture(lx, ly, lw, lh)
        x0, y0 = x - round(lx * self.scale), y - round(ly * self.scale)
        check(x0 + w <= width and y0 + h <= height, 'the copy of the screen is too small')
        rows = ((y0 + row) * stride + x0 * 4 for row in range(h))
        data = b''.join(pixels[start:start + w * 4] for start in rows)
        return Shot(data, x, y, w, h)

    # --- what the player does -------------------------------------------------

    def move(self, x, y):
        """To the middle of the screen pixel, where a player's pointer rests
        on it. The compositor maps x / extent onto the layout in floating
        point, and libwayland 1.23 truncates the surface position it sends to
        1/256 (1.21 rounded it): a pixel's corner, which XTest gives on an X
        screen, can reach the window a hair before it, in the pixel to the
        left."""
        self.client.move(2 * x + 1, 2 * y + 1, 2 * self.size[0], 2 * self.size[1])
        self.parked = False

    def park(self):
        """The compositor draws its cursor into the screenshots: it waits in
        the screen's last pixel, outside every window."""
        if not self.parked:
            self.move(self.size[0] - 1, self.size[1] - 1)
            self.parked = True

    def press(self, x, y, button=1):
        self.move(x, y)
        self.client.button(True, BUTTONS[button])

    def release(self, button=1):
        self.client.button(False, BUTTONS[button])

    def click(self, x, y, button=1):
        self.press(x, y, button)
        self.release(button)

    def key(self, name, modifiers=()):
        check(name in KEY_CODES, 'no key for ' + name)
        mask = sum(MODIFIER_MASKS[m] for m in modifiers)
        if mask:
            self.client.modifiers(mask)
        self.client.key(KEY_CODES[name], True)
        self.client.key(KEY_CODES[name], False)
        if mask:
            self.client.modifiers(0)
