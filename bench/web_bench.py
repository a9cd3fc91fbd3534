# SPDX-License-Identifier: MIT
"""The page's rows of the benchmark, in headless Chromium and Firefox ESR:
the time from opening the file to the drawn main window, the page's tick
against the native one, and the page's pace at 100 and 410 ms; and the
size of the player's page, when given.

    web_bench.py PAGE [NATIVE_BENCH_OUTPUT [PLAYER_PAGE]]

The native tick is read from the "Tick: Timer1_Timer + repaint" row of
ringtafel_bench's output, when given."""
import gzip
import os
import re
import statistics
import sys

from harness.browser import BROWSERS
from harness.checks import check, wait_for

OPENS = 7
TICKS = 301
PACES = ((100, 5), (410, 3))   # interval, games
BACK = '#Form2 [data-name=Command1]'

# Before the page's own scripts: the moment the main window is drawn, and
# the time of every trace line.
PRELOAD = '''
window.traceTimes = [];
const log = console.log;
console.log = (...args) => { traceTimes.push([performance.now(), args.join(' ')]); log.apply(console, args); };
new MutationObserver((_, watch) => {
  if (document.body && document.body.dataset.state === 'ready') {
    watch.disconnect();
    requestAnimationFrame(() => { window.drawnAt = performance.now(); });
  }
}).observe(document, {subtree: true, childList: true, attributes: true, attributeFilter: ['data-state']});
'''


def row(figure, measured, goal='', met=None):
    print('%-64s %-36s %-17s %s' % (figure, measured, goal, '-' if met is None else 'yes' if met else 'NO'))
    return met is not False


def startup(b):
    times = []
    for _ in range(OPENS):
        b.open()
        times.append(b.wait_js('window.drawnAt', 'the drawn main window'))
    return row('Web: open file to drawn main window (%s, %d opens)' % (b.name, OPENS),
               '%.1f ms (first %.1f)' % (statistics.median(times), times[0]))


def tick(b, native):
    b.open('?bench')
    b.wait_js('!!window.ringtafelBench', 'the benchmark hook')
    ms = b.js('ringtafelBench.tick(%d)' % TICKS)
    ok = row('Web tick: ringtafelBench.tick (%s, %d ticks)' % (b.name, TICKS), '%.3f ms' % ms)
    if native:
        ok &= row('Web tick / native tick (%s)' % b.name, '%.3f (native %.3f ms)' % (ms / native, native),
                  '<= 1.20', ms / native <= 1.20)
    return ok


def pace(b, interval, games):
    b.open('?trace')
    b.js('document.querySelector("#Form1 [data-name=HScroll1]").focus()')
    if interval != 410:   # the slider starts at 600, 410 ms
        b.keys(['End'] + ['ArrowLeft'] * ((interval - 10) // 10))
    spacings = []
    for game in range(games):
        if game:
            b.click(BACK)
        start = len(b.js('traceTimes'))
        b.click('#Form1 [data-name=Command1]')
        lines = wait_for(lambda: [t for t in b.js('traceTimes')[start:] if t[1].startswith('Timer1_Timer Anzahl=11 ')]
                         and b.js('traceTimes')[start:], 'the end of a game', timeout=60)
        set_to = [int(m[1]) for _, text in b.js('traceTimes') if (m := re.fullmatch(r'Timer1\.Interval (\d+)', text))]
        check(set_to[-1] == interval, 'the pace is %s ms, not %d' % (set_to[-1], interval))
        ticks = [t for t, text in lines if text.startswith('Timer1_Timer ')]
        spacings += [b - a for a, b in zip(ticks, ticks[1:])]
    median = statistics.median(spacings)
    worst = max(spacings, key=lambda s: abs(s - interval))
    name = 'Web pace %d ms (%s): tick spacing (%d games)' % (interval, b.name, games)
    ok = row(name, '%.2f ms' % median, '%d ms +/- 1 %%' % interval, abs(median - interval) <= 0.01 * interval)
    return ok & row('Web pace %d ms (%s): worst tick spacing' % (interval, b.name), '%.2f ms' % worst,
                    '%d ms +/- 5 %%' % interval, abs(worst - interval) <= 0.05 * interval)


PAGE_CEILING = 180 * 1024   # bytes: the whole page, downloaded once


def size(page):
    """The player's page as a browser loads it, and as a server sends it
    compressed (gzip -9)."""
    with open(page, 'rb') as f:
        raw = f.read()
    name = os.path.basename(page)
    ok = row('Web page: %s' % name, '%d bytes' % len(raw), '<= %d bytes' % PAGE_CEILING, len(raw) <= PAGE_CEILING)
    row('Web page gzipped: %s' % name, '%d bytes' % len(gzip.compress(raw, 9)))
    return ok


def main(page, native_output=None, player_page=None):
    native = None
    if native_output:
        with open(native_output) as f:
            m = re.search(r'^Tick: Timer1_Timer \+ repaint\s+([\d.]+) ms', f.read(), re.M)
        native = m and float(m[1])
    print('Ringtafel benchmark of the page %s' % page)
    ok = size(player_page) if player_page else True
    out = os.path.join(os.path.dirname(os.path.abspath(native_output or page)), 'web-bench')
    # WebKit's driver runs no script before the page's own, which the rows need.
    for name in ('chromium', 'firefox'):
        with BROWSERS[name](page, os.path.join(out, name)) as b:
            b.before_load(PRELOAD)
            row('Browser', b.version)
            ok &= startup(b)
            ok &= tick(b, native)
            for interval, games in PACES:
                ok &= pace(b, interval, games)
    return 0 if ok else 1


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:4]))
