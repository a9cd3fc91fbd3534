# SPDX-License-Identifier: MIT
"""Headless Chromium (DevTools protocol) and Firefox ESR (WebDriver BiDi)
behind one interface: open a page, evaluate script, press and type through
the browser's own input pipeline, read the console, the requests and
screenshots. The tests and the web benchmark share it."""
import base64
import itertools
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading

import websocket

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'desktop'))
from session import Failure, Shot, check, wait_for  # noqa: E402

# Key names of the DevTools protocol with their key codes, and the same keys
# as WebDriver code points.
KEYS = {'Home': (36, '\ue011'), 'End': (35, '\ue010'), 'ArrowLeft': (37, '\ue012'), 'ArrowRight': (39, '\ue014'),
        'Enter': (13, '\ue007'), 'Tab': (9, '\ue004'), 'PageUp': (33, '\ue00e'), 'PageDown': (34, '\ue00f')}

# Whatever Firefox would fetch on its own: updates, telemetry, safe browsing,
# remote settings, captive-portal and connectivity probes.
FIREFOX_PREFS = {
    'app.update.disabledForTesting': True, 'browser.shell.checkDefaultBrowser': False,
    'browser.startup.page': 0, 'browser.newtabpage.enabled': False,
    'browser.safebrowsing.malware.enabled': False, 'browser.safebrowsing.phishing.enabled': False,
    'browser.safebrowsing.downloads.enabled': False, 'browser.safebrowsing.blockedURIs.enabled': False,
    'datareporting.policy.dataSubmissionEnabled': False, 'datareporting.healthreport.uploadEnabled': False,
    'toolkit.telemetry.enabled': False, 'toolkit.telemetry.server': '', 'services.settings.server': '',
    'network.captive-portal-service.enabled': False, 'network.connectivity-service.enabled': False,
    'network.dns.disablePrefetch': True, 'network.prefetch-next': False, 'network.trr.mode': 5,
    'extensions.update.enabled': False, 'extensions.getAddons.cache.enabled': False,
    'extensions.blocklist.enabled': False, 'media.gmp-manager.url': '', 'browser.region.network.url': '',
    'privacy.reduceTimerPrecision': False,   # the benchmark reads performance.now()
    'focusmanager.testmode': True,   # the page has the keyboard though no window manager gives it
}


class Browser:
    """One browser with one page. A subclass speaks its protocol."""

    def __init__(self, out_dir):
        self.out_dir = out_dir
        os.makedirs(out_dir, exist_ok=True)
        self.profile = tempfile.mkdtemp(prefix='ringtafel-' + self.name + '-')
        self.ids = itertools.count(1)
        self.replies, self.events = {}, []
        self.arrived = threading.Condition()
        self.proc = self.ws = None
        self.url = None

    # --- the protocol's socket: replies by id, events kept in order ----------

    def connect(self, url):
        self.ws = websocket.create_connection(url, suppress_origin=True, enable_multithread=True)
        threading.Thread(target=self._read, daemon=True).start()

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

    # --- shared by both --------------------------------------------------------

    def js(self, expression):
        """The value of a script expression (awaited), passed as JSON."""
        return json.loads(self._evaluate('(async () => JSON.stringify(await (%s)))()' % expression) or 'null')

    def wait_js(self, expression, what, timeout=30):
        return wait_for(lambda: self.js(expression), what, timeout)

    def open(self, query='', width=1024, height=768, dpr=1, touch=False):
        """Opens the page at a viewport of CSS pixels and a device pixel
        ratio, and waits until its main window takes input."""
        self._viewport(width, height, dpr, touch)
        self._navigate(self.page + query)
        self.wait_js('document.body && document.body.dataset.state === "ready"', 'the page to be ready')

    def rect(self, selector):
        """An element's rectangle (x, y, w, h) in the viewport's CSS pixels."""
        r = self.js('(r => [r.x, r.y, r.width, r.height])(document.querySelector(%s).getBoundingClientRect())'
                    % json.dumps(selector))
        return tuple(r)

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

    def close(self):
        try:
            if self.ws:
                self.ws.close()
        finally:
            if self.proc and self.proc.poll() is None:
                self.proc.terminate()
                try:
                    self.proc.wait(15)
                except subprocess.TimeoutExpired:
                    self.proc.kill()
                    self.proc.wait()
            shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, kind, *exc):
        if kind is not None and issubclass(kind, Failure):
            try:
                with open(os.path.join(self.out_dir, 'failure.ppm'), 'wb') as f:
                    f.write(self.shot().ppm())
            except Exception:
                pass
        self.close()
        return False


class Chromium(Browser):
    name = 'chromium'

    def __init__(self, page, out_dir):
        super().__init__(out_dir)
        self.page = 'file://' + os.path.abspath(page)
        args = ['chromium', '--headless', '--disable-gpu', '--disable-background-networking',
                '--disable-component-update', '--disable-sync', '--no-first-run', '--no-default-browser-check',
                '--remote-debugging-port=0', '--user-data-dir=' + self.profile, 'about:blank']
        if os.geteuid() == 0:
            args.insert(1, '--no-sandbox')
        self.log = open(os.path.join(out_dir, 'chromium.log'), 'wb')
        self.proc = subprocess.Popen(args, stdout=self.log, stderr=subprocess.STDOUT)
        port_file = os.path.join(self.profile, 'DevToolsActivePort')
        lines = wait_for(lambda: os.path.exists(port_file) and open(port_file).read().split(), 'Chromium to listen')
        self.connect('ws://127.0.0.1:%s%s' % tuple(lines[:2]))
        target = self.call('Target.createTarget', url='about:blank', session=False)['targetId']
        self.session = self.call('Target.attachToTarget', targetId=target, flatten=True, session=False)['sessionId']
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
        with self.arrived:
            self.events.clear()
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

    def keys(self, names):
        for name in names:
            code, _ = KEYS[name]
            text = {'Enter': '\r'}.get(name)   # a key that types gives a key press, too
            self.call('Input.dispatchKeyEvent', type='keyDown' if text else 'rawKeyDown', key=name, code=name,
                      windowsVirtualKeyCode=code, **({'text': text} if text else {}))
            self.call('Input.dispatchKeyEvent', type='keyUp', key=name, code=name, windowsVirtualKeyCode=code)

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


class Firefox(Browser):
    name = 'firefox'

    def __init__(self, page, out_dir):
        super().__init__(out_dir)
        self.page = 'file://' + os.path.abspath(page)
        with open(os.path.join(self.profile, 'user.js'), 'w') as f:
            for key, value in FIREFOX_PREFS.items():
                f.write('user_pref(%s, %s);\n' % (json.dumps(key), json.dumps(value)))
        self.log_path = os.path.join(out_dir, 'firefox.log')
        self.log = open(self.log_path, 'wb')
        env = dict(os.environ, MOZ_HEADLESS='1', HOME=self.profile)
        self.proc = subprocess.Popen(['firefox-esr', '--headless', '--no-remote', '--profile', self.profile,
                                      '--remote-debugging-port', '0', 'about:blank'],
                                     stdout=self.log, stderr=subprocess.STDOUT, env=env)

        def listening():
            m = re.search(rb'WebDriver BiDi listening on (ws://\S+)', open(self.log_path, 'rb').read())
            return m and m[1].decode()
        self.connect(wait_for(listening, 'Firefox to listen', timeout=60) + '/session')
        capabilities = self.call('session.new', capabilities={})['capabilities']
        self.version = 'Firefox %s' % capabilities['browserVersion']
        self.context = self.call('browsingContext.getTree')['contexts'][0]['context']
        self.call('session.subscribe', events=['log.entryAdded', 'network.beforeRequestSent'])

    def call(self, method, **params):
        return self.reply(self.send({'method': method, 'params': params}))

    def at(self, sx, sy, dpr):
        # Its pointer events carry whole CSS pixels: the corner of a screen
        # pixel is the only point they reach exactly, and at a ratio of 1 only.
        check(dpr == 1, 'Firefox presses whole CSS pixels; a device pixel ratio of %g is beyond them' % dpr)
        return sx, sy

    def _evaluate(self, expression):
        result = self.call('script.evaluate', expression=expression, awaitPromise=True,
                           target={'context': self.context})
        check(result['type'] == 'success', 'script failed: %s' % result.get('exceptionDetails'))
        return result['result'].get('value')

    def _viewport(self, width, height, dpr, touch):
        self.call('browsingContext.setViewport', context=self.context,
                  viewport={'width': width, 'height': height}, devicePixelRatio=dpr)
        self.touch = touch

    def _navigate(self, url):
        with self.arrived:
            self.events.clear()
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

    def keys(self, names):
        steps = []
        for name in names:
            steps += [{'type': 'keyDown', 'value': KEYS[name][1]}, {'type': 'keyUp', 'value': KEYS[name][1]}]
        self.call('input.performActions', context=self.context, actions=[{'type': 'key', 'id': 'keys', 'actions': steps}])

    def console(self):
        return [p['text'] for p in self.event_params('log.entryAdded') if p.get('type') == 'console']

    def requests(self):
        return [p['request']['url'] for p in self.event_params('network.beforeRequestSent')]

    def _screenshot(self, clip):
        box = {'clip': dict(zip(('x', 'y', 'width', 'height'), clip), type='box')} if clip else {}
        return self.call('browsingContext.captureScreenshot', context=self.context, **box)['data']


BROWSERS = {'chromium': Chromium, 'firefox': Firefox}
