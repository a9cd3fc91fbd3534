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
import time

import websocket

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'desktop'))
from session import Failure, Shot, check, wait_for  # noqa: E402

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


class Browser:
    """One browser with one page. A subclass speaks its protocol."""

    def __init__(self, page, out_dir):
        self.page, self.out_dir = page if '://' in page else 'file://' + os.path.abspath(page), out_dir
        os.makedirs(out_dir, exist_ok=True)
        self.profile = tempfile.mkdtemp(prefix='ringtafel-' + self.name + '-')
        self.ids, self.replies, self.events, self.arrived = itertools.count(1), {}, [], threading.Condition()
        self.log = os.path.join(out_dir, self.name + '.log')
        with open(self.log, 'wb') as log:
            self.proc = subprocess.Popen(self.command() + ['about:blank'], stdout=log, stderr=subprocess.STDOUT,
                                         env=dict(os.environ, HOME=self.profile))

    # --- the protocol's socket: replies by id, events kept in order ----------

    def connect(self, url):
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
            self.proc.terminate()
            try:
                self.proc.wait(15)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
            shutil.rmtree(self.profile, ignore_errors=True)


class Chromium(Browser):
    name = 'chromium'

    def command(self):
        return ['chromium', '--headless', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
                '--disable-sync', '--no-first-run', '--remote-debugging-port=0', '--user-data-dir=' + self.profile
                ] + ['--no-sandbox'] * (os.geteuid() == 0)

    def __init__(self, page, out_dir):
        super().__init__(page, out_dir)
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


class Firefox(Browser):
    name = 'firefox'

    def command(self):
        with open(os.path.join(self.profile, 'user.js'), 'w') as f:
            f.writelines('user_pref(%s, %s);\n' % (json.dumps(k), json.dumps(v)) for k, v in FIREFOX_PREFS.items())
        return ['firefox-esr', '--headless', '--no-remote', '--remote-debugging-port', '0', '--profile', self.profile]

    def __init__(self, page, out_dir):
        super().__init__(page, out_dir)

        def listening():
            m = re.search(rb'WebDriver BiDi listening on (ws://\S+)', open(self.log, 'rb').read())
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
