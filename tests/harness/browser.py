# SPDX-License-Identifier: MIT
"""The browsers behind one interface: open a page, evaluate script, press
and type, read the console, the requests and screenshots. The tests and the
web benchmark share it.

  chromium       headless Chromium through the DevTools protocol
  chromium-xtest Chromium's window on a private X server at a device scale
                 factor of its own, driven through the DevTools protocol
                 and pressed through the X server
  firefox        headless Firefox ESR through WebDriver BiDi
  firefox-xtest  Firefox ESR on a private X server at a device pixel ratio
                 of its own, pressed through the X server
  webkit         WebKitGTK's MiniBrowser on a private X server, driven by
                 WebKitWebDriver (W3C WebDriver over HTTP), pressed through
                 the X server

The two headless ones emulate any viewport, ratio and touch per page and press
through the browser's input pipeline; the others take their ratio from
their screen at start, press on real screen pixels and read the screen back
from the X server."""
import base64
import glob
import itertools
import json
import math
import os
import re
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import urllib.error
import urllib.request

import websocket

from harness.checks import Failure, check, wait_for
from harness.session import Shot
from harness.xsession import XServer

# Keys: the DevTools protocol's key code and the WebDriver code point.
KEYS = {'Home': (36, '\ue011'), 'End': (35, '\ue010'), 'ArrowLeft': (37, '\ue012'), 'ArrowRight': (39, '\ue014')}

# Off: whatever Firefox would fetch on its own (updates, telemetry, safe
# browsing, remote settings, portal and connectivity probes); the timer's
# coarsening (the benchmark reads performance.now()). On: focus in a window
# no window manager activates.
FIREFOX_PREFS = dict.fromkeys('''app.update.auto browser.shell.checkDefaultBrowser browser.newtabpage.enabled
    browser.safebrowsing.malware.enabled browser.safebrowsing.phishing.enabled browser.safebrowsing.downloads.enabled
    datareporting.policy.dataSubmissionEnabled datareporting.healthreport.uploadEnabled toolkit.telemetry.enabled
    network.captive-portal-service.enabled network.connectivity-service.enabled network.prefetch-next
    extensions.update.enabled extensions.getAddons.cache.enabled extensions.blocklist.enabled
    privacy.reduceTimerPrecision'''.split(), False)
FIREFOX_PREFS.update(dict.fromkeys('toolkit.telemetry.server services.settings.server media.gmp-manager.url '
                                   'browser.region.network.url'.split(), ''),
                     **{'app.update.disabledForTesting': True, 'network.dns.disablePrefetch': True,
                        'network.trr.mode': 5, 'focusmanager.testmode': True})


def address(page):
    return page if '://' in page else 'file://' + os.path.abspath(page)


class Browser:
    """One browser with one page. A subclass speaks its protocol: command()
    starts the browser (or its driver), _connect() opens the session.

    dpr is the device pixel ratio of the screen a browser on an X server
    starts with; a browser that emulates the ratio per page ignores it."""

    # Whether it emulates any viewport size, ratio and touch per page; what
    # it logs before a page's own scripts run reaches console(); and whether
    # it sees the page's requests.
    emulates, whole_trace = True, True

    def __init__(self, page, out_dir, dpr=1):
        # A file's path, or a URL (the site served from the loopback).
        self.page = address(page)
        self.out_dir, self.dpr = out_dir, dpr
        os.makedirs(out_dir, exist_ok=True)
        self.profile = tempfile.mkdtemp(prefix='ringtafel-' + self.name + '-')
        self.log = os.path.join(out_dir, self.name + '.log')
        with open(self.log, 'wb') as log:
            self.proc = subprocess.Popen(self.command(), stdout=log, stderr=subprocess.STDOUT, env=self.environment())
        try:
            self._connect()
        except BaseException:   # nothing the browser started outlives a failed start
            self.close()
            raise

    def environment(self):
        return dict(os.environ, HOME=self.profile)

    # --- shared by all ---------------------------------------------------------

    def js(self, expression):
        """The value of a script expression (awaited), passed as JSON."""
        return json.loads(self._evaluate('(async () => JSON.stringify(await (%s)))()' % expression) or 'null')

    def wait_js(self, expression, what, timeout=30):
        return wait_for(lambda: self.js(expression), what, timeout)

    def open(self, query='', width=1024, height=768, dpr=1, touch=False, page=None):
        """Opens the page (or another that says so the same way) at a
        viewport of CSS pixels and a device pixel ratio, and waits until its
        main window takes input."""
        self._viewport(width, height, dpr, touch)
        self._navigate((address(page) if page else self.page) + query)
        self.wait_js('document.body && document.body.dataset.state === "ready"', 'the page to be ready')
        self._opened()

    def _opened(self):
        pass

    def rect(self, selector):
        """An element's rectangle (x, y, w, h) in the viewport's CSS pixels."""
        return tuple(self.js('(r => [r.x, r.y, r.width, r.height])(document.querySelector(%s).getBoundingClientRect())'
                             % json.dumps(selector)))

    def click(self, selector, touch=False):
        x, y, w, h = self.rect(selector)
        self.press_all([(x + w / 2, y + h / 2)], touch)

    def at(self, sx, sy, dpr):
        """The viewport point of the middle of screen pixel (sx, sy)."""
        return (sx + 0.5) / dpr, (sy + 0.5) / dpr

    def shot(self, clip=None, dpr=1):
        """The viewport, or the part clip (x, y, w, h) of it in CSS pixels
        that starts on a whole screen pixel, as the screen shows it; the
        Shot's coordinates are screen pixels."""
        png = base64.b64decode(self._screenshot(clip))
        ppm = subprocess.run(['convert', 'png:-', '-depth', '8', 'ppm:-'], input=png, capture_output=True, check=True).stdout
        w, h = map(int, ppm.split(maxsplit=3)[1:3])
        x, y = (round(v * dpr) for v in clip[:2]) if clip else (0, 0)
        return Shot(ppm[len(ppm) - 3 * w * h:], x, y, w, h, bpp=3, bgr=False)

    def __enter__(self):
        return self

    def __exit__(self, kind, *exc):
        try:
            if kind is not None and issubclass(kind, Failure):   # what was on screen, and the trace
                with open(os.path.join(self.out_dir, 'console.txt'), 'w') as f:
                    f.write('\n'.join(self.console()) + '\n')
                with open(os.path.join(self.out_dir, 'failure.ppm'), 'wb') as f:
                    f.write(self.shot().ppm())
        finally:
            self.close()

    def close(self):
        self.proc.terminate()
        try:
            self.proc.wait(15)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


class SocketBrowser(Browser):
    """A browser whose protocol runs over a web socket: replies by id, events
    kept in order."""

    def __init__(self, page, out_dir, dpr=1):
        self.ids, self.replies, self.events, self.arrived = itertools.count(1), {}, [], threading.Condition()
        super().__init__(page, out_dir, dpr)

    def open_socket(self, url):
        self.ws = websocket.create_connection(url, suppress_origin=True, enable_multithread=True)
        threading.Thread(target=self._read, daemon=True).start()

    def clear(self):
        with self.arrived:
            self.events.clear()

    def _read(self):
        try:
            while True:
                message = json.loads(self.ws.recv())
                with self.arrived:
                    if 'id' in message:
                        self.replies[message['id']] = message
                    else:
                        self.events.append(message)
                    self.arrived.notify_all()
        except Exception:
            with self.arrived:
                self.replies[None] = 'closed'
                self.arrived.notify_all()

    def send(self, message):
        message['id'] = next(self.ids)
        self.ws.send(json.dumps(message))
        return message['id']

    def reply(self, ident, timeout=60):
        with self.arrived:
            check(self.arrived.wait_for(lambda: ident in self.replies or None in self.replies, timeout),
                  '%s did not answer within %d s' % (self.name, timeout))
            check(ident in self.replies, self.name + ' closed its protocol socket')
            message = self.replies.pop(ident)
        check('error' not in message, '%s: %s' % (self.name, message.get('error')))
        return message['result']

    def event_params(self, method):
        with self.arrived:
            return [e['params'] for e in self.events if e.get('method') == method]


class Chromium(SocketBrowser):
    name, headless = 'chromium', True

    def command(self):
        return ['chromium'] + ['--headless'] * self.headless + [
            '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--disable-sync',
            '--no-first-run', '--remote-debugging-port=0', '--user-data-dir=' + self.profile
        ] + ['--no-sandbox'] * (os.geteuid() == 0) + self.window_flags() + ['about:blank']

    def window_flags(self):
        return []

    def _connect(self):
        port_file = os.path.join(self.profile, 'DevToolsActivePort')
        lines = wait_for(lambda: os.path.exists(port_file) and open(port_file).read().split(), 'Chromium to listen')
        self.open_socket('ws://127.0.0.1:%s%s' % tuple(lines[:2]))
        self.target = self.call('Target.createTarget', url='about:blank', session=False)['targetId']
        self.session = self.call('Target.attachToTarget', targetId=self.target, flatten=True, session=False)['sessionId']
        for domain in ('Runtime', 'Page', 'Network'):
            self.call(domain + '.enable')
        self.version = self.call('Browser.getVersion', session=False)['product']

    def call(self, method, session=True, **params):
        return self.reply(self.call_async(method, session, **params))

    def call_async(self, method, session=True, **params):
        message = {'method': method, 'params': params}
        if session:
            message['sessionId'] = self.session
        return self.send(message)

    def _evaluate(self, expression):
        result = self.call('Runtime.evaluate', expression=expression, awaitPromise=True, returnByValue=True)
        check('exceptionDetails' not in result, 'script failed: %s' % result.get('exceptionDetails'))
        return result['result'].get('value')

    def _viewport(self, width, height, dpr, touch):
        self.call('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=dpr, mobile=touch)
        self.call('Emulation.setTouchEmulationEnabled', enabled=touch, maxTouchPoints=5)

    def _navigate(self, url):
        self.clear()
        self.call('Page.navigate', url=url)

    def before_load(self, script):
        self.call('Page.addScriptToEvaluateOnNewDocument', source=script)

    def press_all(self, points, touch=False):
        """Presses at each viewport point (CSS pixels, fractions kept) in turn;
        the commands go out at once, and are handled in order."""
        ids = []
        for x, y in points:
            if touch:
                ids += [self.call_async('Input.dispatchTouchEvent', type='touchStart', touchPoints=[{'x': x, 'y': y}]),
                        self.call_async('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])]
            else:
                ids += [self.call_async('Input.dispatchMouseEvent', type=kind, x=x, y=y, button='left', clickCount=1)
                        for kind in ('mouseMoved', 'mousePressed', 'mouseReleased')]
        for ident in ids:
            self.reply(ident)

    def drag(self, start, end, touch=False, steps=4):
        """Presses at start, moves in steps to end and lets go there."""
        path = [tuple(a + (b - a) * i / steps for a, b in zip(start, end)) for i in range(1, steps + 1)]
        if touch:
            # The finger rests at the end a moment before it lifts, so the
            # browser starts no fling, whose stop would swallow the next tap.
            events = [('touchStart', [start], 0)] + [('touchMove', [p], 0) for p in path] + \
                [('touchMove', [end], 0.2), ('touchEnd', [], 0.2)]
            t = time.time()
            for kind, points, later in events:
                t += later + 0.016
                self.call('Input.dispatchTouchEvent', type=kind, touchPoints=[{'x': x, 'y': y} for x, y in points],
                          timestamp=t)
        else:
            events = [('mouseMoved', start, 'none'), ('mousePressed', start, 'left')] + \
                [('mouseMoved', p, 'left') for p in path] + [('mouseReleased', end, 'left')]
            for kind, (x, y), button in events:
                self.call('Input.dispatchMouseEvent', type=kind, x=x, y=y, button=button, clickCount=1,
                          buttons=0 if button == 'none' else 1)

    def keys(self, names):
        for name in names:
            for kind in ('rawKeyDown', 'keyUp'):
                self.call('Input.dispatchKeyEvent', type=kind, key=name, code=name, windowsVirtualKeyCode=KEYS[name][0])

    def console(self):
        return [' '.join(str(a.get('value', '')) for a in p['args'])
                for p in self.event_params('Runtime.consoleAPICalled')]

    def requests(self):
        return [p['request']['url'] for p in self.event_params('Network.requestWillBeSent')]

    def _screenshot(self, clip):
        box = dict(zip('xy', clip[:2]), width=clip[2], height=clip[3], scale=1) if clip else None
        return self.call('Page.captureScreenshot', format='png', **({'clip': box} if clip else {}))['data']

    def ax_nodes(self):
        """(role, name) of every node of the accessibility tree not ignored."""
        nodes = self.call('Accessibility.getFullAXTree')['nodes']
        return [(n.get('role', {}).get('value'), n.get('name', {}).get('value')) for n in nodes if not n.get('ignored')]


class Firefox(SocketBrowser):
    name, headless = 'firefox', True

    def prefs(self):
        return FIREFOX_PREFS

    def command(self):
        with open(os.path.join(self.profile, 'user.js'), 'w') as f:
            f.writelines('user_pref(%s, %s);\n' % (json.dumps(k), json.dumps(v)) for k, v in self.prefs().items())
        return ['firefox-esr'] + ['--headless'] * self.headless + [
            '--no-remote', '--remote-debugging-port', '0', '--profile', self.profile, 'about:blank']

    def _connect(self):
        def listening():
            m = re.search(rb'WebDriver BiDi listening on (ws://\S+)', open(self.log, 'rb').read())
            return m and m[1].decode()
        self.open_socket(wait_for(listening, 'Firefox to listen', timeout=60) + '/session')
        capabilities = self.call('session.new', capabilities={})['capabilities']
        self.version = 'Firefox %s' % capabilities['browserVersion']
        self.context = self.call('browsingContext.getTree')['contexts'][0]['context']
        self.call('session.subscribe', events=['log.entryAdded', 'network.beforeRequestSent'])

    def call(self, method, **params):
        return self.reply(self.send({'method': method, 'params': params}))

    def at(self, sx, sy, dpr):
        # WebDriver BiDi's presses arrive in whole CSS pixels: the corner of a
        # screen pixel is the only point they reach exactly, and at a ratio of
        # 1 only. A player's pointer is not held to them: see FirefoxXTest.
        check(dpr == 1, "Firefox's WebDriver BiDi presses whole CSS pixels; a device pixel ratio of %g is beyond "
              'them (firefox-xtest presses through the X server)' % dpr)
        return sx, sy

    def _evaluate(self, expression):
        result = self.call('script.evaluate', expression=expression, awaitPromise=True,
                           target={'context': self.context})
        check(result['type'] == 'success', 'script failed: %s' % result.get('exceptionDetails'))
        return result['result'].get('value')

    def _viewport(self, width, height, dpr, touch):
        self.call('browsingContext.setViewport', context=self.context,
                  viewport={'width': width, 'height': height}, devicePixelRatio=dpr)

    def _navigate(self, url):
        self.clear()
        self.call('browsingContext.navigate', context=self.context, url=url, wait='complete')

    def before_load(self, script):
        self.call('script.addPreloadScript', functionDeclaration='() => { %s }' % script)

    def press_all(self, points, touch=False):
        steps = []
        for x, y in points:
            steps += [{'type': 'pointerMove', 'x': x, 'y': y, 'origin': 'viewport'},
                      {'type': 'pointerDown', 'button': 0}, {'type': 'pointerUp', 'button': 0}]
        self.call('input.performActions', context=self.context, actions=[
            {'type': 'pointer', 'id': 'touch' if touch else 'mouse',
             'parameters': {'pointerType': 'touch' if touch else 'mouse'}, 'actions': steps}])
        self.call('input.releaseActions', context=self.context)

    def drag(self, start, end, touch=False, steps=4):
        path = [tuple(round(a + (b - a) * i / steps) for a, b in zip(start, end)) for i in range(1, steps + 1)]
        moves = [{'type': 'pointerMove', 'x': x, 'y': y, 'origin': 'viewport'} for x, y in path]
        self.call('input.performActions', context=self.context, actions=[
            {'type': 'pointer', 'id': 'touch' if touch else 'mouse',
             'parameters': {'pointerType': 'touch' if touch else 'mouse'},
             'actions': [{'type': 'pointerMove', 'x': round(start[0]), 'y': round(start[1]), 'origin': 'viewport'},
                         {'type': 'pointerDown', 'button': 0}] + moves + [{'type': 'pointerUp', 'button': 0}]}])
        self.call('input.releaseActions', context=self.context)

    def keys(self, names):
        self.call('input.performActions', context=self.context, actions=key_actions(names))

    def console(self):
        return [p['text'] for p in self.event_params('log.entryAdded') if p.get('type') == 'console']

    def requests(self):
        return [p['request']['url'] for p in self.event_params('network.beforeRequestSent')]

    def _screenshot(self, clip):
        box = {'clip': dict(zip(('x', 'y', 'width', 'height'), clip), type='box')} if clip else {}
        return self.call('browsingContext.captureScreenshot', context=self.context, **box)['data']


def key_actions(names):
    """The keys pressed and released in turn, as W3C WebDriver actions."""
    steps = []
    for name in names:
        steps += [{'type': 'keyDown', 'value': KEYS[name][1]}, {'type': 'keyUp', 'value': KEYS[name][1]}]
    return [{'type': 'key', 'id': 'keys', 'actions': steps}]


class OnXServer:
    """A browser window on the harness's own Xvfb at a device pixel ratio
    set at start: presses go through the X server (XTest) onto screen
    pixels, as a player's pointer does, and screenshots are the X server's
    screen. Mixed in before the browser's class."""

    emulates = False
    WINDOW = (1100, 1000)   # CSS pixels of screen the window may take, chrome included
    MARKER = (3, 141, 59)   # a colour the page does not show

    def __init__(self, page, out_dir, dpr=1):
        self.x, self.origin = XServer(size=tuple(math.ceil(n * dpr) for n in self.WINDOW)), None
        try:
            super().__init__(page, out_dir, dpr)
        except BaseException:
            self.x.close()
            raise

    def environment(self):
        return dict(super().environment(), DISPLAY=self.x.name)

    def _fit(self, width, height, dpr, touch, resize):
        """Gives the page a viewport of width x height CSS pixels by sizing the
        window, resize(w, h) in CSS pixels with the window's chrome."""
        check(dpr == self.dpr, '%s runs at a device pixel ratio of %g, not %g' % (self.name, self.dpr, dpr))
        check(not touch, '%s on an X server has no touch screen' % self.name)
        chrome = self.js('[outerWidth - innerWidth, outerHeight - innerHeight]')
        resize(width + chrome[0], height + chrome[1])
        # A window is whole screen pixels: at a fractional ratio the viewport
        # comes within a CSS pixel of the size.
        self.wait_js('Math.abs(innerWidth - %d) <= 1 && Math.abs(innerHeight - %d) <= 1' % (width, height),
                     'a viewport of %dx%d' % (width, height))

    def _opened(self):
        """Finds the viewport's top-left corner on the screen from a square
        the page shows there for a moment."""
        self.js('(() => { const m = document.createElement("div"); m.id = "ringtafel-marker";'
                ' m.style.cssText = "position:fixed;left:0;top:0;width:8px;height:8px;z-index:2147483647;'
                'background:rgb(%d,%d,%d)"; document.documentElement.appendChild(m); })()' % self.MARKER)
        w, h = self.x.size
        bounds = wait_for(lambda: self.x.shot(0, 0, w, h).bounds_of(self.MARKER), 'the viewport on the screen')
        side = round(8 * self.dpr)
        check(bounds[2:] == (bounds[0] + side - 1, bounds[1] + side - 1),
              'the viewport\'s corner square covers %s on the screen, not %d screen pixels a side' % (bounds, side))
        self.origin = bounds[:2]
        self.js('document.getElementById("ringtafel-marker").remove()')
        wait_for(lambda: self.x.shot(*self.origin, side, side).bounds_of(self.MARKER) is None, 'the square to go')

    def screen_pixel(self, x, y):
        """The screen pixel that holds viewport point (x, y) in CSS pixels."""
        return tuple(o + math.floor(v * self.dpr + 1e-6) for o, v in zip(self.origin, (x, y)))

    at = Browser.at   # any point: the screen pixel's middle is where a player presses

    def press_all(self, points, touch=False):
        check(not touch, '%s on an X server has no touch screen' % self.name)
        for point in points:
            self.x.click(*self.screen_pixel(*point))

    def drag(self, start, end, touch=False, steps=4):
        """Presses at start, moves through the X server in steps to end and
        lets go there."""
        check(not touch, '%s on an X server has no touch screen' % self.name)
        self.x.press(*self.screen_pixel(*start))
        for i in range(1, steps + 1):
            time.sleep(0.03)   # a hand's pace: the browser sees every move before the release
            self.x.move(*self.screen_pixel(*(a + (b - a) * i / steps for a, b in zip(start, end))))
        time.sleep(0.03)
        self.x.release()

    def shot(self, clip=None, dpr=1):
        """The viewport, or its part clip (x, y, w, h) in CSS pixels, read
        from the X server; the Shot's coordinates are the viewport's screen
        pixels. The whole screen while the viewport is not yet found."""
        if self.origin is None:
            return self.x.shot(0, 0, *self.x.size)
        x, y, w, h = clip or (0, 0) + tuple(self.js('[innerWidth, innerHeight]'))
        x, y, w, h = round(x * self.dpr), round(y * self.dpr), math.ceil(w * self.dpr), math.ceil(h * self.dpr)
        # The browser puts a new frame on the screen in parts, some time after
        # the page drew it: the screen is read until it holds still.
        shot = self.x.shot(self.origin[0] + x, self.origin[1] + y, w, h)
        for _ in range(20):
            time.sleep(0.05)
            again = self.x.shot(self.origin[0] + x, self.origin[1] + y, w, h)
            if again.data == shot.data:
                break
            shot = again
        shot.x, shot.y = x, y
        return shot

    def close(self):
        try:
            super().close()
        finally:
            self.x.close()


class FirefoxXTest(OnXServer, Firefox):
    """Firefox with its window on the X server at layout.css.devPixelsPerPx:
    its pointer events carry the fractions of CSS pixels a screen pixel
    makes."""
    name, headless = 'firefox-xtest', False

    def prefs(self):
        return dict(FIREFOX_PREFS, **{'layout.css.devPixelsPerPx': '%g' % self.dpr})

    def _viewport(self, width, height, dpr, touch):
        window = self.call('browser.getClientWindows')['clientWindows'][0]['clientWindow']
        self._fit(width, height, dpr, touch, lambda w, h: self.call(
            'browser.setClientWindowState', clientWindow=window, state='normal', width=w, height=h))


class ChromiumXTest(OnXServer, Chromium):
    """Chromium with its window on the X server at a device scale factor
    set at start: its frames keep the pace of a screen, as a player's do."""
    name, headless = 'chromium-xtest', False

    def window_flags(self):
        return ['--ozone-platform=x11', '--window-position=0,0', '--force-device-scale-factor=%g' % self.dpr]

    def _viewport(self, width, height, dpr, touch):
        window = self.call('Browser.getWindowForTarget', session=False, targetId=self.target)['windowId']
        self._fit(width, height, dpr, touch, lambda w, h: self.call(
            'Browser.setWindowBounds', session=False, windowId=window, bounds={'width': w, 'height': h}))


class WebKit(OnXServer, Browser):
    """WebKitGTK's MiniBrowser driven by WebKitWebDriver, W3C WebDriver
    over HTTP. GDK_SCALE gives it a whole device pixel ratio. Its driver has
    no WebDriver BiDi: no console stream, no network log, no script before
    the page's own; the console is caught in the page once it has loaded.
    Its presses through WebDriver arrive in whole CSS pixels and never as
    touch; the window is at least 447 CSS pixels wide."""
    name, whole_trace = 'webkit', False
    # Debian's WebKitGTK (libwebkit2gtk-4.1-0) keeps its MiniBrowser here.
    MINIBROWSER = '/usr/lib/*/webkit2gtk-4.1/MiniBrowser'
    CATCH_CONSOLE = ('(() => { if (window.ringtafelConsole) return; window.ringtafelConsole = [];'
                     ' const log = console.log; console.log = (...args) => {'
                     ' ringtafelConsole.push(args.join(" ")); log.apply(console, args); }; })()')

    def __init__(self, page, out_dir, dpr=1):
        check(dpr == int(dpr), 'WebKitGTK takes a whole device pixel ratio (GDK_SCALE), not %g' % dpr)
        with socket.socket() as probe:   # a free port for the driver
            probe.bind(('127.0.0.1', 0))
            self.port = probe.getsockname()[1]
        self.session = None
        super().__init__(page, out_dir, dpr)

    def _connect(self):
        wait_for(self._ready, 'WebKitWebDriver to listen')
        binary = sorted(glob.glob(self.MINIBROWSER))
        check(binary, 'no MiniBrowser at ' + self.MINIBROWSER)
        options = {'binary': binary[0], 'args': ['--automation']}
        reply = self.call('POST', '/session', capabilities={'alwaysMatch': {'webkitgtk:browserOptions': options}})
        self.session = '/session/' + reply['sessionId']
        self.version = 'WebKitGTK %s' % reply['capabilities']['browserVersion']

    def command(self):
        return ['WebKitWebDriver', '--port=%d' % self.port]

    def environment(self):
        return dict(super().environment(), GDK_SCALE='%d' % self.dpr)

    def _ready(self):
        try:
            return self.call('GET', '/status').get('ready')
        except (OSError, Failure):
            return False

    def call(self, method, path, **body):
        """One WebDriver command; its value."""
        request = urllib.request.Request('http://127.0.0.1:%d%s' % (self.port, path), method=method,
                                         data=json.dumps(body).encode() if method == 'POST' else None,
                                         headers={'Content-Type': 'application/json'})
        try:
            with urllib.request.urlopen(request, timeout=60) as response:
                return json.loads(response.read())['value']
        except urllib.error.HTTPError as error:
            value = json.loads(error.read() or b'{}').get('value', {})
            raise Failure('WebKitWebDriver: %s: %s' % (value.get('error'), value.get('message'))) from None

    def _evaluate(self, expression):
        # A returned promise is awaited by the driver.
        return self.call('POST', self.session + '/execute/sync', script='return ' + expression, args=[])

    def _viewport(self, width, height, dpr, touch):
        self._fit(width, height, dpr, touch,
                  lambda w, h: self.call('POST', self.session + '/window/rect', width=w, height=h))

    def _navigate(self, url):
        self.call('POST', self.session + '/url', url=url)
        self.js(self.CATCH_CONSOLE)

    def before_load(self, script):
        raise Failure('WebKitWebDriver runs no script before the page\'s own')

    def keys(self, names):
        self.call('POST', self.session + '/actions', actions=key_actions(names))

    def console(self):
        return self.js('window.ringtafelConsole || []')

    def requests(self):
        return None   # not seen through this driver

    def close(self):
        try:
            if self.session:
                self.call('DELETE', self.session)
        except (OSError, Failure):
            pass
        super().close()


BROWSERS = {'chromium': Chromium, 'chromium-xtest': ChromiumXTest, 'firefox': Firefox, 'firefox-xtest': FirefoxXTest,
            'webkit': WebKit}
