#!/usr/bin/env python3
"""The browser page in a real headless Chromium, against the desktop program's own answers.

    python3 tests/web/run.py --cornerflow build/app/cornerflow --site build-web/site
    python3 tests/web/run.py ... --measure [--screenshot docs/screenshot-web.png]

The page is served from 127.0.0.1 on a free port (and once opened from file://) and driven with
real pointer and key events through chromedriver. What it shows is compared with the desktop
program's calculator (--calc) and snapshot (--snapshot) for the same inputs: both come from the
same C++, so texts must be equal and pictures equal but for the text, which each draws with its
own fonts.
The last line is "N passed, N failed"; the exit status is 1 when a check failed.
--measure prints sizes and timings instead of checking.
"""
import argparse
import base64
import functools
import http.server
import json
import math
import os
import statistics
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

try:
    from selenium import webdriver
    from selenium.common.exceptions import WebDriverException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.actions import interaction
    from selenium.webdriver.common.actions.action_builder import ActionBuilder
    from selenium.webdriver.common.actions.pointer_input import PointerInput
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import Select
except ImportError:
    # Debian's python3-selenium lives with the system's Python; another python3 may come first.
    if os.path.exists('/usr/bin/python3') and os.path.realpath(sys.executable) != os.path.realpath('/usr/bin/python3'):
        os.execv('/usr/bin/python3', ['/usr/bin/python3'] + sys.argv)
    raise

# The nine derived fields and the nine probe fields, by their keys in the calculator's JSON.
DERIVED = ['rho1', 'c1', 'vol1', 'mach1', 'critSpeed', 'critTemp', 'critPressure', 'critDensity', 'critVolume']
PROBE = ['T', 'P', 'rho', 'c', 'M', 'V0', 'V', 'Vphi', 'Vr']
ALL = ['v1', 't1', 'p1'] + DERIVED + PROBE
# Each field's unit as its accessible name ends (Russian, English); None: the Mach numbers.
UNIT_OF = {}
for keys, unit in [(['v1', 'c1', 'critSpeed', 'V', 'Vphi', 'Vr', 'c'], ('м/с', 'm/s')),
                   (['t1', 'critTemp', 'T'], ('К', 'K')),
                   (['p1', 'critPressure', 'P'], ('Па', 'Pa')),
                   (['rho1', 'critDensity', 'rho'], ('кг/м³', 'kg/m³')),
                   (['vol1', 'critVolume', 'V0'], ('м³/кг', 'm³/kg')),
                   (['mach1', 'M'], None)]:
    UNIT_OF.update((k, unit) for k in keys)
RED = (255, 0, 0)          # a tracer
MARKER = (255, 96, 0)      # the marker's fill


# ---- The desktop program -------------------------------------------------------------------

class Desktop:
    def __init__(self, path):
        self.path = path

    def calc(self, *args):
        out = subprocess.run([self.path, '--calc', *args], check=True, capture_output=True,
                             env=dict(os.environ, QT_QPA_PLATFORM='offscreen'), timeout=120)
        return json.loads(out.stdout)

    def snapshot(self, file, *args):
        subprocess.run([self.path, '--snapshot', file, *args], check=True, capture_output=True,
                       env=dict(os.environ, QT_QPA_PLATFORM='offscreen'), timeout=120)
        return read_png(file)


def read_png(path):
    """(width, height, rows of RGB triples) of an 8-bit, non-interlaced RGB or RGBA PNG."""
    with open(path, 'rb') as f:
        data = f.read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
    pos, idat, header = 8, b'', None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    assert depth == 8 and colour in (2, 6) and interlace == 0, 'unexpected PNG format %r' % (header,)
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        previous = line
    return width, height, rows


# ---- The page ------------------------------------------------------------------------------

class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(site):
    handler = functools.partial(QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def start_browser(scale=1):
    options = webdriver.ChromeOptions()
    if os.path.exists('/usr/lib/chromium/chromium'):
        options.binary_location = '/usr/lib/chromium/chromium'
    for arg in ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                '--disable-background-networking', '--disable-component-update', '--disable-sync',
                '--window-size=900,1000', '--force-device-scale-factor=%d' % scale,
                '--user-data-dir=' + tempfile.mkdtemp(prefix='cornerflow-chromium-')]:
        options.add_argument(arg)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    service = Service('/usr/bin/chromedriver') if os.path.exists('/usr/bin/chromedriver') else Service()
    return webdriver.Chrome(service=service, options=options)


def wait_for(driver, script, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        value = driver.execute_script(script)
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError('timed out waiting for: ' + script)


def open_page(driver, url):
    driver.get(url)
    wait_for(driver, 'return window.cornerflow && window.cornerflow.firstFrameMs() !== null')


def field(driver, key):
    return driver.find_element(By.CSS_SELECTOR, 'input[data-key="%s"]' % key)


def texts(driver, keys):
    return driver.execute_script(
        'return arguments[0].map(k => document.querySelector(`input[data-key="${k}"]`).value)', keys)


def shown(driver, keys):
    return dict(zip(keys, texts(driver, keys)))


def labels(driver):
    return driver.execute_script(
        'const d = document.getElementById("picture-labels").dataset;'
        'return {beta: d.beta, alpha: d.alpha, chi: d.chi}')


def png_size(path):
    """(width, height) from a PNG's header."""
    with open(path, 'rb') as f:
        head = f.read(24)
    assert head[:8] == b'\x89PNG\r\n\x1a\n' and head[12:16] == b'IHDR', '%s is no PNG' % path
    return struct.unpack('>II', head[16:24])


def wait_for_file(folder, name, timeout=10.0):
    """The path of a finished download."""
    path = os.path.join(folder, name)
    end = time.time() + timeout
    while time.time() < end:
        if os.path.exists(path) and not any(f.endswith('.crdownload') for f in os.listdir(folder)):
            return path
        time.sleep(0.05)
    raise AssertionError('no download %r; the folder holds %r' % (name, os.listdir(folder)))


def frame_of(driver):
    """The core's last frame: (width, height, RGBA bytes)."""
    frame = driver.execute_script('return window.cornerflow.frame()')
    return frame['width'], frame['height'], base64.b64decode(frame['rgba'])


def click(driver, element_id):
    driver.find_element(By.ID, element_id).click()


def calc_labels(doc):
    return {k: (v if v is not None else '') for k, v in doc['labels'].items()}


def type_into(driver, key, text):
    """Clicks into a field, replaces its text by typing, and leaves it with Tab."""
    el = field(driver, key)
    el.click()
    el.send_keys(Keys.CONTROL, 'a')
    el.send_keys(Keys.DELETE)
    if text:
        el.send_keys(text)
    el.send_keys(Keys.TAB)


class Picture:
    """Pointer positions on the canvas in picture pixels, for the W3C actions, whose offsets
    count from the element's in-view centre (rounded down)."""

    def __init__(self, driver):
        self.driver = driver
        self.canvas = driver.find_element(By.CSS_SELECTOR, 'canvas.picture')
        r = driver.execute_script('const r = arguments[0].getBoundingClientRect();'
                                  'return [r.left, r.top, r.width, r.height]', self.canvas)
        self.left, self.top, self.width, self.height = r
        self.cx = int((2 * self.left + self.width) // 2)
        self.cy = int((2 * self.top + self.height) // 2)
        # One CSS pixel is one picture pixel: the canvas is laid out at the picture's size.
        frame = driver.execute_script('return window.cornerflow.pictureSize()')
        assert [self.width, self.height] == frame, 'canvas %r for a picture of %r' % ([self.width, self.height], frame)

    def offset(self, x, y):
        """The offset from the centre that puts the pointer on picture pixel (x, y)."""
        return int(self.left + x) - self.cx, int(self.top + y) - self.cy

    def point(self, dx, dy):
        """The picture pixel under a pointer at this offset from the centre."""
        return math.floor(self.cx + dx - self.left), math.floor(self.cy + dy - self.top)


def page_errors(driver):
    severe = [e['message'] for e in driver.get_log('browser') if e['level'] == 'SEVERE']
    return severe + driver.execute_script('return window.cornerflow ? window.cornerflow.errors : []')


# ---- The checks ----------------------------------------------------------------------------

class Checks:
    def __init__(self, desktop, driver, base_url, site):
        self.desktop = desktop
        self.driver = driver
        self.base = base_url
        self.site = site
        self.passed = 0
        self.failed = 0

    def run(self, name, fn):
        t0 = time.time()
        try:
            fn()
            self.passed += 1
            print('PASS %s (%.1f s)' % (name, time.time() - t0), flush=True)
        except (AssertionError, WebDriverException, subprocess.CalledProcessError) as e:
            self.failed += 1
            message = e.msg if isinstance(e, WebDriverException) else str(e)
            print('FAIL %s: %s' % (name, message.strip()[:2000]), flush=True)

    def fields_follow_inputs_probe_and_drag(self):
        d = self.driver
        open_page(d, self.base + '/index.html?seed=7')
        start = self.desktop.calc()
        assert shown(d, DERIVED) == start['fields'], 'start-up texts differ: %r' % shown(d, DERIVED)
        assert labels(d) == calc_labels(start), 'start-up labels %r' % labels(d)

        # The picture has the focus at start; Left and Right turn the wall by a degree each.
        pic = Picture(d)
        assert d.switch_to.active_element == pic.canvas, 'the picture has no focus at start'
        ActionChains(d).send_keys(Keys.ARROW_LEFT, Keys.ARROW_LEFT, Keys.ARROW_LEFT).perform()
        doc = self.desktop.calc('--beta', '132')
        assert labels(d) == calc_labels(doc), 'after Left x3: page %r, desktop %r' % (labels(d), calc_labels(doc))
        ActionChains(d).send_keys(Keys.ARROW_RIGHT, Keys.ARROW_RIGHT, Keys.ARROW_RIGHT).perform()
        assert labels(d) == calc_labels(start), 'after Right x3: page %r' % labels(d)

        # Enter does nothing; leaving the field reads it.
        el = field(d, 'v1')
        el.click()
        el.send_keys(Keys.CONTROL, 'a')
        el.send_keys('600')
        el.send_keys(Keys.ENTER)
        assert shown(d, DERIVED) == start['fields'], 'Enter recomputed the fields'
        assert el.get_attribute('value') == '600', 'Enter changed the typed text'
        el.send_keys(Keys.TAB)
        v600 = self.desktop.calc('--v1', '600')
        assert shown(d, DERIVED) == v600['fields'], \
            'V1 600: page %r, desktop %r' % (shown(d, DERIVED), v600['fields'])
        assert el.get_attribute('value') == '600', 'reading the field changed its text'

        # Probes with real pointer moves: upstream, in the fan, past it.
        wanted = {1: (100, 100), 2: (500, 100), 3: (550, 300)}
        for region, (x, y) in wanted.items():
            dx, dy = pic.offset(x, y)
            ActionChains(d).move_to_element_with_offset(pic.canvas, dx, dy).perform()
            px, py = pic.point(dx, dy)
            doc = self.desktop.calc('--v1', '600', '--probe', '%d,%d' % (px, py))
            probe = doc['probes'][0]
            assert probe['region'] == region, 'point %d,%d lies in region %d' % (px, py, probe['region'])
            assert shown(d, PROBE) == probe['texts'], \
                'probe at %d,%d: page %r, desktop %r' % (px, py, shown(d, PROBE), probe['texts'])

        # Pressing and dragging turns the wall; the labels and the probe follow the last point.
        dx0, dy0 = pic.offset(420, 250)
        dx1, dy1 = pic.offset(470, 330)
        dx2, dy2 = pic.offset(430, 360)
        (ActionChains(d).move_to_element_with_offset(pic.canvas, dx0, dy0).click_and_hold()
         .move_to_element_with_offset(pic.canvas, dx1, dy1)
         .move_to_element_with_offset(pic.canvas, dx2, dy2).release().perform())
        px, py = pic.point(dx2, dy2)
        doc = self.desktop.calc('--v1', '600', '--wall-point', '%d,%d' % (px, py), '--probe', '%d,%d' % (px, py))
        assert labels(d) == calc_labels(doc), 'labels after a drag to %d,%d: page %r, desktop %r' % (
            px, py, labels(d), calc_labels(doc))
        assert labels(d) != calc_labels(v600), 'the drag did not turn the wall'
        assert shown(d, PROBE) == doc['probes'][0]['texts'], 'probe after the drag differs'

        # The same with a finger.
        finger = PointerInput(interaction.POINTER_TOUCH, 'finger')
        touch = ActionBuilder(d, mouse=finger)
        dx3, dy3 = pic.offset(380, 300)
        touch.pointer_action.move_to(pic.canvas, dx1, dy1).pointer_down()
        touch.pointer_action.move_to(pic.canvas, dx0, dy0).move_to(pic.canvas, dx3, dy3).pointer_up()
        touch.perform()
        px, py = pic.point(dx3, dy3)
        doc = self.desktop.calc('--v1', '600', '--wall-point', '%d,%d' % (px, py))
        assert labels(d) == calc_labels(doc), 'labels after a finger drag to %d,%d: page %r, desktop %r' % (
            px, py, labels(d), calc_labels(doc))

        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors

    def frame_matches_snapshot(self):
        """The page's frame against the desktop's --snapshot for the same seed and ticks.

        Both shells compose every shape with the core's rasteriser; only the labels, the one
        text in the picture, are drawn by each shell's own fonts. So each shell also makes the
        same frame without the labels (the page with labels=0, the desktop with --no-labels):
        those two must be equal in every pixel. A pixel is text only where a shell's frame
        with the labels differs from its own frame without them; at every other pixel the two
        shells' frames with the labels must be equal too. The check cannot pass by drawing
        nothing: each shell's text must be more than 100 pixels (the labels were drawn) and
        under 1 % of the picture (a frame whose shapes went astray cannot pass them off as
        text); each shell's text pixels must lie within 3 pixels of the other's (the same
        labels in the same places); and the frames must hold the tracers and the marker."""
        d = self.driver
        seed, ticks = 12345, 40
        pages = {}
        for labels in (True, False):
            open_page(d, self.base + '/index.html?seed=%d&ticks=%d&paused=1%s'
                      % (seed, ticks, '' if labels else '&labels=0'))
            frame = d.execute_script('return window.cornerflow.frame()')
            assert frame['scale'] == 1, 'expected a picture at scale 1, got %r' % frame['scale']
            rgba = base64.b64decode(frame['rgba'])
            pages[labels] = (frame['width'], frame['height'],
                             [tuple(rgba[i:i + 3]) for i in range(0, len(rgba), 4)])
            # Paused: no tick ran after the ones asked for.
            assert d.execute_script('return window.cornerflow.ticks()') == ticks
        w, h = pages[True][0], pages[True][1]
        desks = {}
        with tempfile.TemporaryDirectory() as tmp:
            for labels in (True, False):
                sw, sh, rows = self.desktop.snapshot(
                    os.path.join(tmp, 'snap.png'), '--seed', str(seed), '--ticks', str(ticks),
                    *([] if labels else ['--no-labels']))
                assert (sw, sh) == (w, h), 'sizes differ: page %dx%d, desktop %dx%d' % (w, h, sw, sh)
                desks[labels] = [p for row in rows for p in row]
        page, page_bare = pages[True][2], pages[False][2]
        desk, desk_bare = desks[True], desks[False]
        n = w * h
        assert (pages[False][0], pages[False][1]) == (w, h) and len(page) == len(page_bare) == n

        def xy(i):
            return i % w, i // w

        bare_differ = [xy(i) for i in range(n) if page_bare[i] != desk_bare[i]]
        assert not bare_differ, 'without labels %d pixels differ, first at %r' % (
            len(bare_differ), bare_differ[:5])
        page_text = {xy(i) for i in range(n) if page[i] != page_bare[i]}
        desk_text = {xy(i) for i in range(n) if desk[i] != desk_bare[i]}
        text = page_text | desk_text
        off_text = [xy(i) for i in range(n) if page[i] != desk[i] and xy(i) not in text]
        same = sum(page[i] == desk[i] for i in range(n))
        print('     pixels identical with the desktop snapshot: %.2f %% (%d of %d); text %d pixels on '
              'the page, %d on the desktop; all others identical'
              % (100.0 * same / n, same, n, len(page_text), len(desk_text)))
        assert not off_text, '%d pixels outside the text differ, first at %r' % (len(off_text), off_text[:5])
        for name, pixels in (('page', page_text), ('desktop', desk_text)):
            assert 100 < len(pixels) < n // 100, 'the %s has %d text pixels' % (name, len(pixels))

        def near(points, others):
            return [p for p in points if not any((p[0] + dx, p[1] + dy) in others
                                                 for dx in range(-3, 4) for dy in range(-3, 4))]
        assert not near(page_text, desk_text), 'page text far from the desktop\'s at %r' % near(page_text, desk_text)[:5]
        assert not near(desk_text, page_text), 'desktop text far from the page\'s at %r' % near(desk_text, page_text)[:5]
        reds = [i for i in range(n) if page[i] == RED]
        markers = [i for i in range(n) if page[i] == MARKER]
        assert len(reds) > 1000 and markers, '%d tracer and %d marker pixels' % (len(reds), len(markers))
        assert reds == [i for i in range(n) if desk[i] == RED], 'tracer pixels differ'

    def hostile_inputs(self):
        d = self.driver
        open_page(d, self.base + '/index.html?seed=3')
        for text in ['', 'abc', '1e999', '-450', '0', '1,5', ' 2e3x']:
            type_into(d, 'v1', text)
            doc = self.desktop.calc('--v1=' + text)
            assert shown(d, DERIVED) == doc['fields'], 'V1 %r: page %r, desktop %r' % (
                text, shown(d, DERIVED), doc['fields'])
            assert labels(d) == calc_labels(doc), 'V1 %r: labels %r, desktop %r' % (text, labels(d), calc_labels(doc))
            assert field(d, 'v1').get_attribute('value') == text, 'V1 %r was rewritten' % text

        # A paste of 200000 characters: the field keeps the first 100000, as the desktop's.
        long_text = '7' + '0' * 199999
        d.execute_script('const el = document.querySelector(\'input[data-key="p1"]\');'
                         'el.focus(); el.value = arguments[0];'
                         'el.dispatchEvent(new Event("input", {bubbles: true}));', long_text)
        field(d, 'p1').send_keys(Keys.TAB)
        value = field(d, 'p1').get_attribute('value')
        assert value == long_text[:100000], 'P1 holds %d characters' % len(value)
        doc = self.desktop.calc('--v1= 2e3x', '--p1=' + long_text[:100000])
        assert shown(d, DERIVED) == doc['fields'], 'long P1: page %r, desktop %r' % (shown(d, DERIVED), doc['fields'])
        type_into(d, 'p1', '100000')
        type_into(d, 'v1', '450')

        # Drags that leave the picture far behind: real pointer moves to the window's corners,
        # then moves the page could only get from a huge screen.
        pic = Picture(d)
        dx0, dy0 = pic.offset(400, 300)
        viewport = d.execute_script('return [innerWidth, innerHeight]')
        # The last one, below and left of the corner, sets the wall whatever came before.
        far = [(viewport[0] - 2 - pic.cx, 1 - pic.cy), (1 - pic.cx, 1 - pic.cy),
               (1 - pic.cx, viewport[1] - 2 - pic.cy)]
        chain = ActionChains(d).move_to_element_with_offset(pic.canvas, dx0, dy0).click_and_hold()
        for dx, dy in far:
            chain = chain.move_to_element_with_offset(pic.canvas, dx, dy)
        chain.perform()
        px, py = pic.point(*far[-1])
        ActionChains(d).release().perform()
        doc = self.desktop.calc('--wall-point=%d,%d' % (px, py))
        assert labels(d) == calc_labels(doc), 'labels after a far drag to %d,%d: page %r, desktop %r' % (
            px, py, labels(d), calc_labels(doc))
        d.execute_script(
            'const c = document.querySelector("canvas.picture");'
            'const ev = (type, x, y) => c.dispatchEvent(new PointerEvent(type, {pointerId: 9,'
            '  clientX: x, clientY: y, button: 0, buttons: 1, bubbles: true, isPrimary: true}));'
            'ev("pointerdown", 400, 300);'
            'for (const [x, y] of [[1e9, 1e9], [-1e12, 5], [3e38, -3e38], [-1e308, 1e308]]) ev("pointermove", x, y);'
            'ev("pointerup", 0, 0);')

        # Still alive: no error, the clock still runs, the fields still answer.
        before = d.execute_script('return window.cornerflow.ticks()')
        time.sleep(0.6)
        after = d.execute_script('return window.cornerflow.ticks()')
        assert after >= before + 5, 'the animation stopped: %d ticks in 0.6 s' % (after - before)
        type_into(d, 'v1', '600')
        assert shown(d, DERIVED) == self.desktop.calc('--v1', '600')['fields']
        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors

    def pause_step_and_reset(self):
        d = self.driver
        cf = 'return window.cornerflow.'
        open_page(d, self.base + '/index.html?seed=5&paused=1')
        fresh = texts(d, ALL), labels(d), d.execute_script(cf + 'tracers()')

        open_page(d, self.base + '/index.html?seed=5')
        pic = Picture(d)
        wait_for(d, cf + 'ticks() >= 3')
        # Space on the focused picture pauses and does not scroll the (now tall) page.
        d.execute_script('document.body.style.paddingBottom = "3000px"')
        ActionChains(d).send_keys(Keys.SPACE).perform()
        assert d.execute_script(cf + 'paused()'), 'Space did not pause'
        assert d.find_element(By.ID, 'pause-button').get_attribute('aria-pressed') == 'true'
        ticks, frame = d.execute_script(cf + 'ticks()'), frame_of(d)
        time.sleep(0.4)
        assert d.execute_script('return scrollY') == 0, 'Space scrolled the page'
        assert d.execute_script(cf + 'ticks()') == ticks, 'ticks went on while paused'
        assert frame_of(d) == frame, 'the picture moved while paused'

        # The period and the button step exactly one tick each.
        ActionChains(d).send_keys('.').perform()
        assert d.execute_script(cf + 'ticks()') == ticks + 1, 'the period did not step one tick'
        assert frame_of(d) != frame, 'a step drew no new picture'
        click(d, 'step-button')
        assert d.execute_script(cf + 'ticks()') == ticks + 2, 'the button did not step one tick'

        # Paused, a drag still turns the wall and draws it; no tick runs.
        frame = frame_of(d)
        before = labels(d)
        dx0, dy0 = pic.offset(420, 250)
        dx1, dy1 = pic.offset(330, 370)
        (ActionChains(d).move_to_element_with_offset(pic.canvas, dx0, dy0).click_and_hold()
         .move_to_element_with_offset(pic.canvas, dx1, dy1).release().perform())
        assert labels(d) != before and frame_of(d) != frame, 'a paused drag was not drawn'
        assert d.execute_script(cf + 'ticks()') == ticks + 2, 'a paused drag ran a tick'

        # Space resumes; the button pauses and resumes too.
        d.execute_script('arguments[0].focus()', pic.canvas)
        ActionChains(d).send_keys(Keys.SPACE).perform()
        ticks = d.execute_script(cf + 'ticks()')
        time.sleep(0.4)
        assert d.execute_script(cf + 'ticks()') >= ticks + 3, 'Space did not resume the clock'
        click(d, 'pause-button')
        assert d.execute_script(cf + 'paused()'), 'the button did not pause'
        click(d, 'pause-button')
        assert not d.execute_script(cf + 'paused()'), 'the button did not resume'
        assert d.find_element(By.ID, 'pause-button').get_attribute('aria-pressed') == 'false'

        # Reset after typing, a drag and ticks: as freshly loaded (the clock still runs).
        type_into(d, 'v1', '600')
        type_into(d, 't1', '300')
        (ActionChains(d).move_to_element_with_offset(pic.canvas, dx0, dy0).click_and_hold()
         .move_to_element_with_offset(pic.canvas, *pic.offset(200, 380)).release().perform())
        assert texts(d, ALL) != fresh[0] and labels(d) != fresh[1], 'typing and the drag changed nothing'
        click(d, 'reset-button')
        now = texts(d, ALL), labels(d), d.execute_script(cf + 'tracers()')
        assert now == fresh, 'after Reset: %r, freshly loaded: %r' % (now, fresh)
        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors

    def save_picture(self):
        d = self.driver
        with tempfile.TemporaryDirectory() as tmp:
            d.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': tmp})
            open_page(d, self.base + '/index.html?seed=9&ticks=30&paused=1')
            click(d, 'save-button')
            w, h, rows = read_png(wait_for_file(tmp, 'cornerflow-\u03b2135.png'))
            fw, fh, rgba = frame_of(d)
            assert (w, h) == (fw, fh), 'saved %dx%d, frame %dx%d' % (w, h, fw, fh)
            differ = sum(rows[y][x] != tuple(rgba[4 * (y * w + x):4 * (y * w + x) + 3])
                         for y in range(h) for x in range(w))
            assert differ == 0, '%d pixels of the saved picture differ from the frame' % differ

            # On a 2x screen: the frame at 2x, named by the turned wall.
            d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                              {'width': 900, 'height': 1000, 'deviceScaleFactor': 2, 'mobile': False})
            try:
                open_page(d, self.base + '/index.html?seed=9&paused=1')
                ActionChains(d).send_keys(Keys.ARROW_LEFT).perform()
                beta = labels(d)['beta']
                click(d, 'save-button')
                size = png_size(wait_for_file(tmp, 'cornerflow-%s.png' % beta.replace('=', '')))
                picture = d.execute_script('return window.cornerflow.pictureSize()')
                assert list(size) == [2 * v for v in picture] == list(frame_of(d)[:2]), \
                    'saved %r for a picture of %r at 2x' % (size, picture)
            finally:
                d.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors

    def names_and_languages(self):
        d = self.driver
        cf = 'return window.cornerflow.'
        open_page(d, self.base + '/index.html?seed=3&paused=1')
        d.execute_script('localStorage.clear()')
        open_page(d, self.base + '/index.html?seed=3&paused=1')

        def described(el):
            ids = (el.get_attribute('aria-describedby') or '').split()
            return ' '.join(d.find_element(By.ID, i).get_attribute('textContent') for i in ids)

        def check_names(lang):
            names = {}
            for key in ALL:
                el = field(d, key)
                name = el.accessible_name
                unit = UNIT_OF[key]
                assert name and (name.endswith(', ' + unit[lang]) if unit else 'Mach' in name or 'Маха' in name), \
                    '%s is named %r' % (key, name)
                names[key] = name
            assert len(set(names.values())) == len(ALL), 'two fields share a name: %r' % names
            roles = {described(field(d, k)) for k in ['v1', 'rho1', 'T']}
            assert len(roles) == 3 and '' not in roles, 'field descriptions %r' % roles
            return names

        ru = check_names(0)
        pic = Picture(d)
        assert pic.canvas.aria_role in ('img', 'image') and pic.canvas.accessible_name == 'Картина течения', \
            'the picture is %r named %r' % (pic.canvas.aria_role, pic.canvas.accessible_name)
        state = d.find_element(By.ID, 'picture-state')
        assert state.get_attribute('aria-live') == 'polite' and state.get_attribute('id') in \
            pic.canvas.get_attribute('aria-describedby').split(), 'the picture is not described by a live region'


        # The live region changes when the picture's facts do, not with the ticks.
        d.execute_script('window.cornerflow.resume()')
        ticks = d.execute_script(cf + 'ticks()')
        d.execute_script('window.cfChanges = 0; new MutationObserver((m) => window.cfChanges += m.length)'
                         '.observe(document.getElementById("picture-state"), {childList: true, characterData: true, subtree: true})')
        time.sleep(0.5)
        changes, ticked = d.execute_script('return [window.cfChanges, window.cornerflow.ticks()]')
        assert changes == 0 and ticked >= ticks + 5, '%d changes of the live region in %d ticks' % (changes, ticked - ticks)
        for point, flow in [((100, 380), 'отрывается'), ((311, 380), 'прилегает')]:
            (ActionChains(d).move_to_element_with_offset(pic.canvas, *pic.offset(420, 250)).click_and_hold()
             .move_to_element_with_offset(pic.canvas, *pic.offset(*point)).release().perform())
            chi = labels(d)['chi']  # "χ=130, Δφ=89"
            turn, span = chi[2:].split(', Δφ=')
            want = 'стенка повёрнута на %s°, веер шириной %s°' % (turn, span)
            assert want in state.get_attribute('textContent') and flow in state.get_attribute('textContent'), \
                'after a drag to %r (%s): %r' % (point, chi, state.get_attribute('textContent'))
        d.execute_script('window.cornerflow.pause()')
        type_into(d, 'v1', '100')
        assert 'веера нет' in state.get_attribute('textContent'), 'V1 100: %r' % state.get_attribute('textContent')
        type_into(d, 'v1', '450.0')
        ActionChains(d).move_to_element_with_offset(pic.canvas, *pic.offset(500, 100)).perform()
        numbers = texts(d, ALL)
        images = d.execute_script('return [...document.querySelectorAll("img.label-image")].map(i => i.src)')

        # English from the address: the words change, the numbers do not.
        open_page(d, self.base + '/index.html?seed=3&paused=1&lang=en')
        assert d.title == d.find_element(By.ID, 'caption').text == 'Flow round an obtuse corner', \
            'English title %r' % d.title
        assert d.execute_script('return document.documentElement.lang') == 'en', 'the page is not marked English'
        en = check_names(1)
        assert all(en[k] != ru[k] for k in ALL), 'names left in Russian: %r' % en
        pic = Picture(d)
        assert pic.canvas.accessible_name == 'Flow picture', 'the picture has no English name'
        d.execute_script('window.cornerflow.resume()')
        (ActionChains(d).move_to_element_with_offset(pic.canvas, *pic.offset(420, 250)).click_and_hold()
         .move_to_element_with_offset(pic.canvas, *pic.offset(311, 380)).release().perform())
        assert 'flow attached' in d.find_element(By.ID, 'picture-state').get_attribute('textContent'), \
            'English live region: %r' % d.find_element(By.ID, 'picture-state').get_attribute('textContent')
        d.execute_script('window.cornerflow.pause()')
        ActionChains(d).move_to_element_with_offset(pic.canvas, *pic.offset(500, 100)).perform()
        assert texts(d, ALL) == numbers, 'number texts differ in English: %r, %r' % (texts(d, ALL), numbers)
        en_images = d.execute_script('return [...document.querySelectorAll("img.label-image")].map(i => i.src)')
        assert sum(a != b for a, b in zip(images, en_images)) == 5, 'English label images: %d' % sum(
            a != b for a, b in zip(images, en_images))
        missing = d.execute_script(cf + 'missingWords()')
        assert not missing, 'no English for %r' % missing

        # The choice made on the page is remembered; the address still overrides it.
        open_page(d, self.base + '/index.html?seed=3')
        assert d.find_element(By.ID, 'caption').text == 'Обтекание тупого угла', 'not Russian by default'
        Select(d.find_element(By.ID, 'language')).select_by_value('en')
        assert d.find_element(By.ID, 'caption').text == 'Flow round an obtuse corner', 'the choice did nothing'
        assert field(d, 'v1').accessible_name == en['v1'], 'the choice left the names'

        open_page(d, self.base + '/index.html?seed=3')
        assert d.find_element(By.ID, 'caption').text == 'Flow round an obtuse corner', 'English was forgotten'
        open_page(d, self.base + '/index.html?seed=3&lang=ru')
        assert d.find_element(By.ID, 'caption').text == 'Обтекание тупого угла', 'lang=ru did not override'
        d.execute_script('localStorage.clear()')
        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors

    def opens_from_disk(self):
        d = self.driver
        open_page(d, 'file://' + os.path.abspath(os.path.join(self.site, 'index.html')))
        assert shown(d, DERIVED) == self.desktop.calc()['fields']
        assert texts(d, ['v1', 't1', 'p1']) == ['450.0', '273.0', '100000']
        # The cloud starts left of the picture and drifts in: a second of animation shows it.
        d.execute_script('window.cornerflow.step(20)')
        frame = d.execute_script('return window.cornerflow.frame()')
        rgba = base64.b64decode(frame['rgba'])
        red = sum(1 for i in range(0, len(rgba), 4) if rgba[i:i + 3] == bytes(RED))
        assert red > 100, 'the frame has %d tracer pixels after 20 ticks' % red
        assert d.title == d.find_element(By.ID, 'caption').text != ''
        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors


# ---- Measurements --------------------------------------------------------------------------

def measure(desktop, driver, base_url, site, screenshot):
    files = sorted(os.listdir(site))
    sizes = {f: os.path.getsize(os.path.join(site, f)) for f in files}
    print('site: %d bytes in %d files (%s)' % (sum(sizes.values()), len(files),
                                               ', '.join('%s %d' % kv for kv in sizes.items())))
    gz = sum(len(zlib.compress(open(os.path.join(site, f), 'rb').read(), 9)) for f in files)
    print('site compressed (zlib -9, as gzip serves it): %d bytes' % gz)

    loads = []
    for _ in range(5):
        open_page(driver, base_url + '/index.html')
        loads.append(driver.execute_script('return window.cornerflow.firstFrameMs()'))
    print('load to first frame: median %.0f ms (%s)' % (statistics.median(loads),
                                                        ', '.join('%.0f' % v for v in loads)))

    for p1 in ['100000', '2000000']:
        open_page(driver, base_url + '/index.html?seed=1&paused=1')
        type_into(driver, 'p1', p1)
        n = driver.execute_script('return window.cornerflow.tracers()')
        driver.execute_script('window.cornerflow.step(20)')  # warm up
        times = driver.execute_script('return window.cornerflow.step(100)')
        path = [[300 + (i * 7) % 250, 230 + (i * 13) % 150] for i in range(100)]
        drags = driver.execute_script('return window.cornerflow.drag(400, 300, arguments[0])', path)
        print('P1 %s (%d tracers): tick median %.2f ms (p90 %.2f); drag event median %.2f ms (p90 %.2f)'
              % (p1, n, statistics.median(times), sorted(times)[89], statistics.median(drags),
                 sorted(drags)[89]))

    if screenshot:
        open_page(driver, base_url + '/index.html?seed=20240601&ticks=600&paused=1')
        pic = Picture(driver)
        dx, dy = pic.offset(470, 150)
        ActionChains(driver).move_to_element_with_offset(pic.canvas, dx, dy).perform()
        height = driver.execute_script('return Math.ceil(document.documentElement.getBoundingClientRect().height)')
        driver.set_window_size(900, height + 200)
        open_page(driver, base_url + '/index.html?seed=20240601&ticks=600&paused=1')
        pic = Picture(driver)
        dx, dy = pic.offset(470, 150)
        ActionChains(driver).move_to_element_with_offset(pic.canvas, dx, dy).perform()
        driver.execute_script('document.activeElement.blur()')
        png = driver.get_screenshot_as_png()
        with open(screenshot, 'wb') as f:
            f.write(png)
        print('screenshot: %s' % screenshot)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--cornerflow', default=os.environ.get('CORNERFLOW', 'build/app/cornerflow'),
                    help='the desktop program (for --calc and --snapshot)')
    ap.add_argument('--site', default='build-web/site', help='the built page folder')
    ap.add_argument('--measure', action='store_true', help='print sizes and timings instead of checking')
    ap.add_argument('--screenshot', help='with --measure: save a screenshot of the page here')
    args = ap.parse_args()
    for path in [args.cornerflow, os.path.join(args.site, 'index.html')]:
        if not os.path.exists(path):
            print('missing: %s' % path)
            print('0 passed, 1 failed')
            return 1

    desktop = Desktop(os.path.abspath(args.cornerflow))
    server = serve(args.site)
    base_url = 'http://127.0.0.1:%d' % server.server_address[1]
    driver = start_browser()
    try:
        if args.measure:
            measure(desktop, driver, base_url, args.site, args.screenshot)
            return 0
        checks = Checks(desktop, driver, base_url, args.site)
        checks.run('fields, probes and the wall follow the user as on the desktop',
                   checks.fields_follow_inputs_probe_and_drag)
        checks.run('the picture equals the desktop snapshot at every pixel but the labels\' text',
                   checks.frame_matches_snapshot)
        checks.run('hostile texts and far drags: desktop texts, no error, still animating',
                   checks.hostile_inputs)
        checks.run('pause, step and reset: by key and button; reset as freshly loaded',
                   checks.pause_step_and_reset)
        checks.run('the saved picture is the frame, at its scale, named by the wall',
                   checks.save_picture)
        checks.run('names and descriptions for a screen reader, in Russian and in English',
                   checks.names_and_languages)
        checks.run('the page runs opened from file://', checks.opens_from_disk)
        print('%d passed, %d failed' % (checks.passed, checks.failed))
        return 1 if checks.failed else 0
    finally:
        driver.quit()
        server.shutdown()


if __name__ == '__main__':
    sys.exit(main())
