#!/usr/bin/env python3
"""The browser page in a real headless Chromium, against the desktop program's own answers.

    python3 tests/web/run.py --cornerflow build/app/cornerflow --site build-web/site
    python3 tests/web/run.py ... --measure [--screenshots docs]
    python3 tests/web/run.py ... --soak

The page is served from 127.0.0.1 on a free port (and once opened from file://) and driven with
real pointer, touch and key events through chromedriver and the DevTools protocol (screens,
fingers, the network). What it shows is compared with the desktop program's calculator (--calc)
and snapshot (--snapshot) for the same inputs: both come from the same C++, so texts must be
equal and pictures equal but for the text, which each draws with its own fonts.
The last line is "N passed, N failed"; the exit status is 1 when a check failed.
--measure prints sizes and timings (a phone's screen and CPU among them) instead of checking;
--soak runs the animation for 36000 ticks and compares the memory with that after 1000.
"""
import argparse
import base64
import csv
import functools
import http.server
import json
import math
import os
import re
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
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
THEORY = (150, 40, 190)    # the exact theory's lines over the picture
PLOT_GREY = (128, 128, 128)  # the plot's characteristics
PLOT_BOXES = ['plot-mach', 'plot-pressure', 'plot-temperature', 'plot-density', 'plot-speed']
PLOT_CONTROLS = PLOT_BOXES + ['save-plot-button', 'save-data-button']


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


def described(driver, el):
    """The texts of the elements that describe el (aria-describedby), in order."""
    ids = (el.get_attribute('aria-describedby') or '').split()
    return [driver.find_element(By.ID, i).get_attribute('textContent') for i in ids]


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


def plot_of(driver):
    """The plot as the page shows it (its canvas read back): (width, height, scale, how many plots
    the core composed, RGBA bytes)."""
    p = driver.execute_script('return window.cornerflow.plot()')
    assert p, 'the plot is folded'
    return p['width'], p['height'], p['scale'], p['count'], base64.b64decode(p['rgba'])


def plot_colours(driver):
    """Each quantity's colour as its check box shows it, by the box's id."""
    pairs = driver.execute_script(
        'return [...document.querySelectorAll(".plot-quantity")].map(l => [l.querySelector("input").id,'
        ' getComputedStyle(l.querySelector(".plot-swatch")).backgroundColor])')
    return {k: tuple(int(v) for v in re.findall(r'[0-9]+', c)[:3]) for k, c in pairs}


def png_pixels_differ(rows, rgba, width):
    """How many pixels of a PNG's rows differ from RGBA bytes of the same width."""
    return sum(rows[y][x] != tuple(rgba[4 * (y * width + x):4 * (y * width + x) + 3])
               for y in range(len(rows)) for x in range(width))


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
    """The picture on the page: its box in CSS pixels, and the picture pixel the core reads under
    a pointer. The core takes points in CSS pixels from the picture's top-left corner and reads
    the pixel that contains them: floor(offset * picture pixels per CSS pixel). Offsets for the
    W3C actions count from the element's in-view centre (rounded down)."""

    def __init__(self, driver):
        self.driver = driver
        self.el = driver.find_element(By.CSS_SELECTOR, '.picture')
        r = driver.execute_script('const r = arguments[0].getBoundingClientRect();'
                                  'return [r.left, r.top, r.width, r.height]', self.el)
        self.left, self.top, self.width, self.height = r
        self.pw, self.ph = driver.execute_script('return window.cornerflow.pictureSize()')
        self.cx = int((2 * self.left + self.width) // 2)
        self.cy = int((2 * self.top + self.height) // 2)

    def client(self, x, y):
        """A whole CSS pixel of the viewport inside picture pixel (x, y)."""
        cx = math.floor(self.left + (x + 0.5) * self.width / self.pw)
        cy = math.floor(self.top + (y + 0.5) * self.height / self.ph)
        return cx, cy

    def point_at(self, cx, cy):
        """The picture pixel the core reads for a pointer at viewport point (cx, cy)."""
        return (math.floor((cx - self.left) * (self.pw / self.width)),
                math.floor((cy - self.top) * (self.ph / self.height)))

    def offset(self, x, y):
        """The offset from the centre that puts the pointer on picture pixel (x, y)."""
        cx, cy = self.client(x, y)
        return cx - self.cx, cy - self.cy

    def point(self, dx, dy):
        """The picture pixel under a pointer at this offset from the centre."""
        return self.point_at(self.cx + dx, self.cy + dy)


def emulate(driver, width, height, ratio=1, mobile=False, touch=False):
    """A screen of width x height CSS pixels at a device pixel ratio; a phone's, with touch."""
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                           {'width': width, 'height': height, 'deviceScaleFactor': ratio, 'mobile': mobile})
    driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': touch, 'maxTouchPoints': 5 if touch else 1})


def unemulate(driver):
    driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': False, 'maxTouchPoints': 1})
    driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})


def touch(driver, kind, *points):
    """Fingers through the DevTools protocol: kind is touchStart or touchMove with every finger
    that is down, or touchEnd with the fingers lifted; points are (x, y, id) in CSS pixels."""
    driver.execute_cdp_cmd('Input.dispatchTouchEvent', {
        'type': kind, 'touchPoints': [{'x': x, 'y': y, 'id': i} for x, y, i in points]})


def colour_count(rgba, colour):
    """How many pixels of an RGBA byte string have this RGB colour."""
    want = bytes(colour)
    return sum(1 for i in range(0, len(rgba), 4) if rgba[i:i + 3] == want)


def rgb_differences(a, b):
    """How many pixels of two RGBA byte strings differ in colour."""
    assert len(a) == len(b), 'sizes differ: %d and %d bytes' % (len(a), len(b))
    return sum(1 for i in range(0, len(a), 4) if a[i:i + 3] != b[i:i + 3])


def stacked_equals_frame(driver):
    """The core composes its whole frame from the state as it stands (and the layers with it);
    the page's canvases, stacked by the browser and read back, must be that frame."""
    composed = driver.execute_script('return window.cornerflow.composedFrame()')
    stacked = driver.execute_script('return window.cornerflow.frame()')
    assert (stacked['width'], stacked['height']) == (composed['width'], composed['height']), \
        'stacked canvases %dx%d, frame %dx%d' % (stacked['width'], stacked['height'], composed['width'], composed['height'])
    differ = rgb_differences(base64.b64decode(stacked['rgba']), base64.b64decode(composed['rgba']))
    assert differ == 0, '%d pixels of the stacked canvases differ from the frame at %dx%d' % (
        differ, composed['width'], composed['height'])
    return composed


def frame_scale_for(ratio):
    """FlowSession::FrameScaleFor: the next whole number, 1 to 8."""
    return 1 if not ratio > 1 else 8 if ratio >= 8 else math.ceil(ratio)


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
        self.only = None

    def run(self, name, fn):
        if self.only and self.only not in fn.__name__:
            return
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
        assert d.switch_to.active_element == pic.el, 'the picture has no focus at start'
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
            ActionChains(d).move_to_element_with_offset(pic.el, dx, dy).perform()
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
        (ActionChains(d).move_to_element_with_offset(pic.el, dx0, dy0).click_and_hold()
         .move_to_element_with_offset(pic.el, dx1, dy1)
         .move_to_element_with_offset(pic.el, dx2, dy2).release().perform())
        px, py = pic.point(dx2, dy2)
        doc = self.desktop.calc('--v1', '600', '--wall-point', '%d,%d' % (px, py), '--probe', '%d,%d' % (px, py))
        assert labels(d) == calc_labels(doc), 'labels after a drag to %d,%d: page %r, desktop %r' % (
            px, py, labels(d), calc_labels(doc))
        assert labels(d) != calc_labels(v600), 'the drag did not turn the wall'
        assert shown(d, PROBE) == doc['probes'][0]['texts'], 'probe after the drag differs'

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
        # What the user sees: the page's canvases stacked are the core's frame, pixel for pixel,
        # also after the marker, the tracers and the wall moved (a drag, ticks).
        open_page(d, self.base + '/index.html?seed=%d&ticks=%d&paused=1' % (seed, ticks))
        stacked_equals_frame(d)
        d.execute_script('window.cornerflow.drag(420, 250, [[400, 330], [380, 360]]); window.cornerflow.step(3)')
        stacked_equals_frame(d)

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
        chain = ActionChains(d).move_to_element_with_offset(pic.el, dx0, dy0).click_and_hold()
        for dx, dy in far:
            chain = chain.move_to_element_with_offset(pic.el, dx, dy)
        chain.perform()
        px, py = pic.point(*far[-1])
        ActionChains(d).release().perform()
        doc = self.desktop.calc('--wall-point=%d,%d' % (px, py))
        assert labels(d) == calc_labels(doc), 'labels after a far drag to %d,%d: page %r, desktop %r' % (
            px, py, labels(d), calc_labels(doc))
        d.execute_script(
            'const c = document.querySelector(".picture");'
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
        (ActionChains(d).move_to_element_with_offset(pic.el, dx0, dy0).click_and_hold()
         .move_to_element_with_offset(pic.el, dx1, dy1).release().perform())
        assert labels(d) != before and frame_of(d) != frame, 'a paused drag was not drawn'
        assert d.execute_script(cf + 'ticks()') == ticks + 2, 'a paused drag ran a tick'

        # Space resumes; the button pauses and resumes too.
        d.execute_script('arguments[0].focus()', pic.el)
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
        (ActionChains(d).move_to_element_with_offset(pic.el, dx0, dy0).click_and_hold()
         .move_to_element_with_offset(pic.el, *pic.offset(200, 380)).release().perform())
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

            # With the exact theory on, the saved picture carries it: without the labels it is the
            # desktop's --exact-theory snapshot in every pixel, the theory's violet lines in it.
            os.remove(os.path.join(tmp, 'cornerflow-\u03b2135.png'))
            open_page(d, self.base + '/index.html?seed=9&ticks=30&paused=1&labels=0&theory=1')
            click(d, 'save-button')
            w, h, rows = read_png(wait_for_file(tmp, 'cornerflow-\u03b2135.png'))
            dw, dh, desk = self.desktop.snapshot(os.path.join(tmp, 'desktop.png'), '--seed', '9', '--ticks', '30',
                                                 '--no-labels', '--exact-theory')
            differ = sum(a != b for row, other in zip(rows, desk) for a, b in zip(row, other))
            assert (w, h) == (dw, dh) and differ == 0, 'with the exact theory: %dx%d against %dx%d, %d pixels differ' % (
                w, h, dw, dh, differ)
            violet = sum(p == THEORY for row in rows for p in row)
            assert violet > 100, 'the saved picture has %d pixels of the exact theory' % violet

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

    def plot_panel_quantities_and_ticks(self):
        """The plot's panel opens and folds with the tool and is remembered; its boxes choose the
        curves and are remembered; the core composes the plot for a drag and a probe, never for a
        tick, and none while the panel is folded."""
        d = self.driver
        cf = 'return window.cornerflow.'
        url = self.base + '/index.html?seed=3&paused=1'
        open_page(d, url)
        d.execute_script('localStorage.clear()')
        try:
            open_page(d, url)

            def shown():
                panel = d.find_element(By.ID, 'plot-panel').is_displayed()
                pressed = d.find_element(By.ID, 'plot-button').get_attribute('aria-pressed') == 'true'
                assert panel == pressed, 'the panel is %s, the tool pressed %s' % (panel, pressed)
                return panel
            assert shown(), 'the plot is not open on a laptop by default'
            click(d, 'plot-button')
            assert not shown(), 'the tool did not fold the plot'
            count = d.execute_script(cf + 'plotCount()')
            d.execute_script('window.cornerflow.drag(420, 250, [[400, 330]])')
            assert d.execute_script(cf + 'plotCount()') == count, 'a plot was composed while folded'
            open_page(d, url)
            assert not shown(), 'folding was forgotten'
            click(d, 'plot-button')
            assert shown(), 'the tool did not open the plot'
            open_page(d, url)
            assert shown(), 'opening was forgotten'

            # M, P and T at start; each box puts its curve in or takes it out; remembered.
            colours = plot_colours(d)
            assert len(set(colours.values())) == len(PLOT_BOXES), 'colours %r' % colours

            def boxes():
                return {k: d.find_element(By.ID, k).is_selected() for k in PLOT_BOXES}

            def curves():
                rgba = plot_of(d)[4]
                return {k: colour_count(rgba, c) > 100 for k, c in colours.items()}
            start = dict(zip(PLOT_BOXES, [True, True, True, False, False]))
            assert boxes() == start == curves(), 'at start: boxes %r, curves %r' % (boxes(), curves())
            click(d, 'plot-density')
            click(d, 'plot-mach')
            chosen = dict(start, **{'plot-mach': False, 'plot-density': True})
            assert boxes() == chosen == curves(), 'chosen: boxes %r, curves %r' % (boxes(), curves())
            open_page(d, url)
            assert boxes() == chosen == curves(), 'after a reload: boxes %r, curves %r' % (boxes(), curves())

            # Ticks compose no plot; a drag composes the plot of the new wall; a probe moves its
            # cursor.
            before = plot_of(d)
            d.execute_script('window.cornerflow.step(5)')
            after = plot_of(d)
            assert d.execute_script(cf + 'ticks()') == 5 and after[3:] == before[3:], 'ticks changed the plot'
            d.execute_script('window.cornerflow.drag(420, 250, [[400, 330], [380, 360]])')
            dragged = plot_of(d)
            assert dragged[3] > before[3] and dragged[4] != before[4], 'the drag left the plot as it was'
            pic = Picture(d)
            ActionChains(d).move_to_element_with_offset(pic.el, *pic.offset(500, 100)).perform()
            probed = plot_of(d)
            assert probed[3] > dragged[3] and probed[4] != dragged[4], 'the probe did not move the cursor'
            errors = page_errors(d)
            assert not errors, 'errors in the page: %r' % errors
        finally:
            d.execute_script('localStorage.clear()')

    def plot_downloads(self):
        """Save data: --calc's profile as CSV; Save plot: the plot as shown, at its device pixels."""
        d = self.driver
        url = self.base + '/index.html?v1=600&beta=150&paused=1'
        with tempfile.TemporaryDirectory() as tmp:
            d.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': tmp})
            open_page(d, url)
            click(d, 'save-data-button')
            with open(wait_for_file(tmp, 'cornerflow-profile-\u03b2150.csv'), newline='', encoding='utf-8') as f:
                table = list(csv.reader(f))
            samples = self.desktop.calc('--v1', '600', '--beta', '150')['profile']['samples']
            header, rows = table[0], table[1:]
            assert len(header) == 11 and header[0].startswith('phi'), 'the header is %r' % header
            assert len(rows) == len(samples) > 100, '%d rows for %d samples' % (len(rows), len(samples))
            special = {'NaN': math.nan, 'Infinity': math.inf, '-Infinity': -math.inf}

            def number(v):
                return special[v] if isinstance(v, str) else float(v)

            # Equal, the same non-numbers, or within a few units of the last bit: the page's
            # maths library (WebAssembly's) rounds the last bit of a few functions (atan, pow,
            # ...) otherwise than the desktop's; about 2e-15 at most, far below any digit shown.
            def equal(a, b):
                return a == b or (math.isnan(a) and math.isnan(b)) or abs(a - b) <= 1e-12 * max(abs(a), abs(b))
            for i, (row, sample) in enumerate(zip(rows, samples)):
                want = [number(sample['phiDegrees'])] + [number(sample[k][q]) for q in ('M', 'P', 'T', 'rho', 'V')
                                                         for k in ('model', 'exact')]
                got = [float(v) for v in row]
                assert len(got) == len(want) and all(equal(a, b) for a, b in zip(got, want)), \
                    'row %d: %r, --calc %r' % (i + 1, row, want)

            # The plot as a PNG: the plot as shown, at its device pixels; at 2x on a 2x screen.
            for ratio in (1, 2):
                if ratio == 2:
                    emulate(d, 900, 1000, 2)
                    open_page(d, url)
                name = 'cornerflow-plot-\u03b2150.png'
                if os.path.exists(os.path.join(tmp, name)):
                    os.remove(os.path.join(tmp, name))
                click(d, 'save-plot-button')
                w, h, png = read_png(wait_for_file(tmp, name))
                pw, ph, scale, _, rgba = plot_of(d)
                css = d.execute_script('const r = document.getElementById("plot-canvas").getBoundingClientRect();'
                                       'return [r.width, r.height]')
                assert (w, h) == (pw, ph) == (round(css[0]) * ratio, round(css[1]) * ratio) and scale == ratio, \
                    'at %dx: saved %dx%d, the plot %dx%d at %r, shown %r CSS px' % (ratio, w, h, pw, ph, scale, css)
                differ = png_pixels_differ(png, rgba, w)
                assert differ == 0, 'at %dx: %d pixels of the saved plot differ from the plot shown' % (ratio, differ)
            unemulate(d)
        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors

    def plot_matches_desktop(self):
        """The page's plot against the desktop's --plot for the same state, size and scale, with
        the cursor at the same probe.

        As for the picture: without their text (labels=0, --no-labels) the two plots must be equal
        in every pixel; a pixel is text only where a shell's plot with its text differs from its
        own without, and every other pixel must be equal too. Not vacuous: each shell's text is
        more than 500 pixels and under a tenth of the plot, within 3 pixels of the other's; the
        shown curves' colours, the characteristics' grey lines and the cursor are in the plot."""
        d = self.driver
        url = self.base + '/index.html?v1=600&beta=150&paused=1'
        plots, desks = {}, {}
        with tempfile.TemporaryDirectory() as tmp:
            for text in (True, False):
                open_page(d, url + ('' if text else '&labels=0'))
                pic = Picture(d)
                dx, dy = pic.offset(500, 100)
                ActionChains(d).move_to_element_with_offset(pic.el, dx, dy).perform()
                probe = pic.point(dx, dy)
                w, h, scale, _, rgba = plot_of(d)
                assert scale == 1, 'expected the plot at scale 1, got %r' % scale
                plots[text] = [tuple(rgba[i:i + 3]) for i in range(0, len(rgba), 4)]
                out = os.path.join(tmp, 'plot.png')
                subprocess.run([self.desktop.path, '--plot', out, '--v1', '600', '--beta', '150',
                                '--probe', '%d,%d' % probe, '--size', '%d,%d' % (w, h)] + ([] if text else ['--no-labels']),
                               check=True, capture_output=True, env=dict(os.environ, QT_QPA_PLATFORM='offscreen'), timeout=120)
                dw, dh, rows = read_png(out)
                assert (dw, dh) == (w, h), 'sizes differ: page %dx%d, desktop %dx%d' % (w, h, dw, dh)
                desks[text] = [p for row in rows for p in row]
            colours = plot_colours(d)
        page, page_bare, desk, desk_bare = plots[True], plots[False], desks[True], desks[False]
        n = w * h

        def xy(i):
            return i % w, i // w
        bare_differ = [xy(i) for i in range(n) if page_bare[i] != desk_bare[i]]
        assert not bare_differ, 'without text %d pixels differ, first at %r' % (len(bare_differ), bare_differ[:5])
        page_text = {xy(i) for i in range(n) if page[i] != page_bare[i]}
        desk_text = {xy(i) for i in range(n) if desk[i] != desk_bare[i]}
        text = page_text | desk_text
        off_text = [xy(i) for i in range(n) if page[i] != desk[i] and xy(i) not in text]
        same = sum(page[i] == desk[i] for i in range(n))
        print('     plot pixels identical with the desktop\'s --plot: %.2f %% (%d of %d); text %d pixels on the '
              'page, %d on the desktop; all others identical' % (100.0 * same / n, same, n, len(page_text), len(desk_text)))
        assert not off_text, '%d pixels outside the text differ, first at %r' % (len(off_text), off_text[:5])
        for name, pixels in (('page', page_text), ('desktop', desk_text)):
            assert 500 < len(pixels) < n // 10, 'the %s has %d text pixels' % (name, len(pixels))

        def far(points, others):
            return [p for p in points if not any((p[0] + dx, p[1] + dy) in others
                                                 for dx in range(-3, 4) for dy in range(-3, 4))]
        assert not far(page_text, desk_text), 'page text far from the desktop\'s at %r' % far(page_text, desk_text)[:5]
        assert not far(desk_text, page_text), 'desktop text far from the page\'s at %r' % far(desk_text, page_text)[:5]
        for box in ('plot-mach', 'plot-pressure', 'plot-temperature'):
            count = sum(p == colours[box] for p in page_bare)
            assert count > 300, '%s: %d pixels of its colour' % (box, count)
        columns = {}
        for i in range(n):
            if page_bare[i] == PLOT_GREY:
                columns[i % w] = columns.get(i % w, 0) + 1
        lines = [x for x, c in columns.items() if c > h // 3]
        assert len(lines) >= 3, 'the characteristics: grey columns %r' % sorted(lines)
        cursor = {}
        for i in range(n):
            if page_bare[i] == (40, 40, 40):
                cursor[i % w] = cursor.get(i % w, 0) + 1
        assert any(c > h // 2 for c in cursor.values()), 'no cursor in the plot'

    def plot_for_a_screen_reader(self):
        """The plot's canvas is an image named and described in the page's language, the pressure
        through the fan in the numbers the fields write; the description follows the flow."""
        d = self.driver
        doc = self.desktop.calc('--probe', '600,250')  # a point just past the model's fan
        probe = doc['probes'][0]
        assert probe['regionName'] == 'downstream'
        p1 = doc['read']['p1']['text']
        model_end = probe['texts']['P']
        exact_end = doc['theory']['p2']
        for lang, name, words, none in [
                ('ru', 'График состояния в веере',
                 'Давление падает от %s до %s Па в веере модели; по точной теории — до %s Па',
                 'Поток не сверхзвуковой, веера нет: давление везде %s Па'),
                ('en', 'Plot of the state through the fan',
                 'The pressure falls from %s to %s Pa through the model\'s fan; by the exact theory, to %s Pa',
                 'Flow not supersonic, no fan: the pressure is %s Pa everywhere')]:
            open_page(d, self.base + '/index.html?seed=2&paused=1&lang=' + lang)
            canvas = d.find_element(By.ID, 'plot-canvas')
            assert canvas.aria_role in ('img', 'image') and canvas.accessible_name == name, \
                '%s: the plot is %r named %r' % (lang, canvas.aria_role, canvas.accessible_name)
            said = described(d, canvas)
            pattern = re.escape(words).replace('%s', '([0-9.]+)')
            m = re.fullmatch(pattern, said[0]) if said else None
            assert m and m.group(1) == p1 and m.group(2) == model_end and abs(float(m.group(3)) - exact_end) <= 0.5, \
                '%s: described as %r; P1 %s, the model past the fan %s, the exact theory %.1f' % (
                    lang, said, p1, model_end, exact_end)
            type_into(d, 'v1', '300')
            assert described(d, canvas) == [none % p1], '%s: a subsonic flow described as %r' % (lang, described(d, canvas))
        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors

    def names_and_languages(self):
        d = self.driver
        cf = 'return window.cornerflow.'
        open_page(d, self.base + '/index.html?seed=3&paused=1')
        d.execute_script('localStorage.clear()')
        open_page(d, self.base + '/index.html?seed=3&paused=1')

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
            roles = {' '.join(t for t in described(d, field(d, k)) if t) for k in ['v1', 'rho1', 'T']}
            assert len(roles) == 3 and '' not in roles, 'field descriptions %r' % roles
            return names

        ru = check_names(0)
        pic = Picture(d)
        assert pic.el.aria_role == 'slider' and pic.el.accessible_name == 'Картина течения', \
            'the picture is %r named %r' % (pic.el.aria_role, pic.el.accessible_name)
        # The language box has a name and no description repeating it.
        box = d.find_element(By.ID, 'language')
        assert box.accessible_name == 'Language / Язык' and not box.get_attribute('title') \
            and not box.get_attribute('aria-describedby'), 'the language box is named %r' % box.accessible_name
        # The Russian page is Russian throughout: every word a user sees or hears, the About box
        # and its keys included, but for names and the keys' own names.
        self.check_words(d, 'ru')
        state = d.find_element(By.ID, 'picture-state')
        assert state.get_attribute('aria-live') == 'polite' and state.get_attribute('id') in \
            pic.el.get_attribute('aria-describedby').split(), 'the picture is not described by a live region'


        # The live region changes when the picture's facts do, not with the ticks.
        d.execute_script('window.cornerflow.resume()')
        wait_for(d, 'return !document.getElementById("picture-state").textContent.includes("Пауза")', timeout=2)
        ticks = d.execute_script(cf + 'ticks()')
        d.execute_script('window.cfChanges = 0; new MutationObserver((m) => window.cfChanges += m.length)'
                         '.observe(document.getElementById("picture-state"), {childList: true, characterData: true, subtree: true})')
        time.sleep(0.5)
        changes, ticked = d.execute_script('return [window.cfChanges, window.cornerflow.ticks()]')
        assert changes == 0 and ticked >= ticks + 5, '%d changes of the live region in %d ticks' % (changes, ticked - ticks)
        for point, flow in [((100, 380), 'отрывается'), ((311, 380), 'прилегает')]:
            (ActionChains(d).move_to_element_with_offset(pic.el, *pic.offset(420, 250)).click_and_hold()
             .move_to_element_with_offset(pic.el, *pic.offset(*point)).release().perform())
            chi = labels(d)['chi']  # "χ=130, Δφ=89"
            turn, span = chi[2:].split(', Δφ=')
            want = 'стенка повёрнута на %s°, веер шириной %s°' % (turn, span)
            assert want in state.get_attribute('textContent') and flow in state.get_attribute('textContent'), \
                'after a drag to %r (%s): %r' % (point, chi, state.get_attribute('textContent'))
        d.execute_script('window.cornerflow.pause()')
        type_into(d, 'v1', '100')
        # Spoken within a second of the last description.
        wait_for(d, 'return document.getElementById("picture-state").textContent.includes("веера нет")', timeout=2)
        type_into(d, 'v1', '450.0')
        ActionChains(d).move_to_element_with_offset(pic.el, *pic.offset(500, 100)).perform()
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
        assert pic.el.accessible_name == 'Flow picture', 'the picture has no English name'
        d.execute_script('window.cornerflow.resume()')
        (ActionChains(d).move_to_element_with_offset(pic.el, *pic.offset(420, 250)).click_and_hold()
         .move_to_element_with_offset(pic.el, *pic.offset(311, 380)).release().perform())
        assert 'flow attached' in d.find_element(By.ID, 'picture-state').get_attribute('textContent'), \
            'English live region: %r' % d.find_element(By.ID, 'picture-state').get_attribute('textContent')
        d.execute_script('window.cornerflow.pause()')
        ActionChains(d).move_to_element_with_offset(pic.el, *pic.offset(500, 100)).perform()
        assert texts(d, ALL) == numbers, 'number texts differ in English: %r, %r' % (texts(d, ALL), numbers)
        en_images = d.execute_script('return [...document.querySelectorAll("img.label-image")].map(i => i.src)')
        assert sum(a != b for a, b in zip(images, en_images)) == 5, 'English label images: %d' % sum(
            a != b for a, b in zip(images, en_images))
        self.check_words(d, 'en')
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

        # Before the program runs, and when it cannot be loaded, the status line speaks the
        # page's language too.
        d.execute_cdp_cmd('Network.enable', {})
        d.execute_cdp_cmd('Network.setBlockedURLs', {'urls': ['*cornerflow-core.js']})
        try:
            for lang, word in [('ru', 'Программу не удалось загрузить'), ('en', 'The program could not be loaded')]:
                d.get(self.base + '/index.html?nocache=%s&lang=%s' % (time.time(), lang))
                message = wait_for(d, 'return document.getElementById("status").textContent')
                assert message.startswith(word) and d.execute_script(
                    'return document.getElementById("status").lang') == lang, '%s: %r' % (lang, message)
        finally:
            d.execute_cdp_cmd('Network.setBlockedURLs', {'urls': []})
            d.execute_cdp_cmd('Network.disable', {})

    def numbers_as_people_type_them(self):
        d = self.driver
        open_page(d, self.base + '/index.html?seed=4&paused=1')
        note = d.find_element(By.ID, 'note-%d' % d.execute_script('return +document.querySelector(\'input[data-key="v1"]\').dataset.controlId'))
        for text in ['450,5', '100 000', '4,5e2', '100,000', '450abc', 'abc', '450.5']:
            type_into(d, 'v1', text)
            doc = self.desktop.calc('--v1=' + text)
            read = doc['read']['v1']
            assert field(d, 'v1').get_attribute('value') == text == read['text'], 'V1 %r was rewritten' % text
            # The value read: the derived fields are the desktop's for the same text.
            assert shown(d, DERIVED) == doc['fields'], 'V1 %r: page %r, desktop %r' % (text, shown(d, DERIVED), doc['fields'])
            # The note says what was read, beside the field and in its description, and is gone
            # when the text is in the program's own form.
            want = ('прочитано: ' + read['note']) if read['note'] else ''
            assert note.get_attribute('textContent') == want, 'V1 %r: note %r, want %r' % (
                text, note.get_attribute('textContent'), want)
            visible = d.execute_script('const n = arguments[0].parentElement, r = n.getBoundingClientRect();'
                                       'return !n.hidden && r.width > 0 && r.height > 0', note)
            assert visible == bool(want), 'V1 %r: the note is %s' % (text, 'shown' if visible else 'hidden')
            description = ' '.join(described(d, field(d, 'v1')))
            assert (want in description if want else 'прочитано' not in description), 'V1 %r: described as %r' % (
                text, description)
        assert self.desktop.calc('--v1=450,5')['read']['v1']['value'] == 450.5
        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors

    def keyboard_and_screen_reader(self):
        d = self.driver
        open_page(d, self.base + '/index.html?seed=6')
        d.execute_script('localStorage.clear()')  # the plot open, as on a laptop by default
        open_page(d, self.base + '/index.html?seed=6')
        pic = Picture(d)
        # The tab order is the dialog table's: the inputs, the picture, the read-only fields in
        # reading order; then the tools.
        table = d.execute_script('return [...document.querySelectorAll("#dialog [data-control-id]")]'
                                 '.filter(e => e.tabIndex >= 0).map(e => e.dataset.key || "picture")')
        want = ['v1', 't1', 'p1', 'picture', 'rho1', 'c1', 'mach1', 'vol1', 'critSpeed', 'critTemp',
                'critPressure', 'critDensity', 'critVolume', 'T', 'P', 'rho', 'c', 'M', 'V0', 'V', 'Vphi', 'Vr']
        assert table == want, 'the controls stand in the order %r' % table
        field(d, 'v1').click()
        order = ['v1']
        for _ in range(len(want) + len(PLOT_CONTROLS)):
            ActionChains(d).send_keys(Keys.TAB).perform()
            order.append(d.execute_script('const e = document.activeElement;'
                                          'return e.dataset.key || (e.classList.contains("picture") ? "picture" : e.id)'))
        # Then the plot's panel (the quantities and the downloads), then the tools.
        assert order == want + PLOT_CONTROLS + ['pause-button'], 'Tab goes %r' % order

        # The picture is a slider of beta: its value, its range, its words; Left, Right, Home,
        # End and the page keys move it as the core decides.
        d.execute_script('arguments[0].focus()', pic.el)
        def slider():
            return d.execute_script('const p = arguments[0]; return [p.getAttribute("role"), +p.getAttribute("aria-valuenow"),'
                                    '+p.getAttribute("aria-valuemin"), +p.getAttribute("aria-valuemax"),'
                                    'p.getAttribute("aria-valuetext")]', pic.el)
        role, now, low, high, words = slider()
        assert (role, now, low, high) == ('slider', 135, 0, 180), 'slider %r' % (slider(),)
        assert words == 'угол β = 135°, стенка повёрнута на 45°', 'slider words %r' % words
        for keys, beta in [([Keys.ARROW_LEFT] * 2, '133'), ([Keys.ARROW_RIGHT], '134'), ([Keys.PAGE_DOWN], '124'),
                           ([Keys.END], None), ([Keys.HOME], None)]:
            ActionChains(d).send_keys(*keys).perform()
            label = labels(d)['beta'][2:]
            assert beta is None or label == beta, 'after %r: beta %s' % (keys, label)
            assert slider()[1] == int(label), 'slider %r for the label %s' % (slider(), label)
        assert slider()[1] < 20, 'Home left beta at %r' % (slider(),)
        # Space and "." are named in the picture's description, as a sentence apart from the flow
        # and the labels.
        parts = described(d, pic.el)
        assert len(parts) == 3 and all(p.rstrip().endswith('.') for p in parts), 'description %r' % parts
        assert 'Пробел' in parts[2] and '. — один шаг' in parts[2], 'the keys in the description: %r' % parts[2]
        # The About box lists every key of the picture.
        click(d, 'about-button')
        keys = d.execute_script('return [...document.querySelectorAll("#about-keys dt")].map(e => e.textContent)')
        assert keys == ['← →, ↓ ↑', 'PgDn PgUp', 'Home End', 'Пробел', '.', 'F', 'Tab'], 'About lists %r' % keys
        d.execute_script('document.getElementById("about").close()')
        # F on the picture asks for full screen (a headless browser may refuse it).
        d.execute_script('window.cfFull = 0; document.documentElement.requestFullscreen = () =>'
                         '{ window.cfFull++; return Promise.resolve(); }; arguments[0].focus()', pic.el)
        ActionChains(d).send_keys('f').perform()
        assert d.execute_script('return window.cfFull') == 1, 'F did not ask for full screen'

        # A drag of 30 moves over three seconds: at most one description a second, and the final
        # state once more when it ends.
        d.execute_script('window.cfSpoken = []; new MutationObserver(() => window.cfSpoken.push([performance.now(),'
                         'document.getElementById("picture-state").textContent])).observe('
                         'document.getElementById("picture-state"), {childList: true, characterData: true, subtree: true})')
        chain = ActionChains(d).move_to_element_with_offset(pic.el, *pic.offset(420, 250)).click_and_hold()
        for i in range(30):
            x, y = (200 + 8 * i, 380) if i % 2 == 0 else (300, 250 + 4 * i)
            chain = chain.move_to_element_with_offset(pic.el, *pic.offset(x, y)).pause(0.1)
        t0 = d.execute_script('return performance.now()')
        chain.release().perform()
        released = d.execute_script('return performance.now()')
        spoken = d.execute_script('return window.cfSpoken')
        during = [s for s in spoken if s[0] >= t0]
        gaps = [b[0] - a[0] for a, b in zip(during, during[1:])]
        assert len(during) >= 2, 'spoken %r' % during
        # Each gap is at least a second, but for the last: the release says the final state at once.
        assert all(g >= 990 for g in gaps[:-1]), 'descriptions %.0f ms apart' % min(gaps[:-1])
        assert len(during) <= 2 + (released - t0) / 1000, '%d descriptions in %.1f s' % (len(during), (released - t0) / 1000)
        chi = labels(d)['chi'][2:].split(', Δφ=')
        final = d.find_element(By.ID, 'picture-state').get_attribute('textContent')
        assert 'стенка повёрнута на %s°, веер шириной %s°' % tuple(chi) in final, 'final %r for %r' % (final, chi)
        # The final state was spoken by the end of the drag (at the release when it waited), and
        # nothing is left to say.
        assert during[-1][1] == final and during[-1][0] <= released + 50, 'the final state was not spoken at the end'
        time.sleep(1.2)
        assert len(d.execute_script('return window.cfSpoken')) == len(spoken), 'spoken after the drag ended'
        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors

    # The screens: a phone's and a small phone's upright, held sideways, a laptop's and two
    # projectors'; (width, height, ratio, a phone with touch).
    SCREENS = [(320, 640, 2, True), (390, 844, 3, True), (844, 390, 3, True), (1366, 768, 1, False),
               (1920, 1080, 1, False), (3840, 2160, 1, False)]

    def layouts_for_every_screen(self):
        """Every screen with the plot's panel folded, then open."""
        d = self.driver
        controls = ('[...document.querySelectorAll("input, button, select, .picture")]'
                    '.filter(e => !e.closest("dialog") && !e.hidden && e.getClientRects().length)')
        try:
            for (width, height, ratio, phone), plot in [(screen, plot) for plot in ('folded', 'open')
                                                         for screen in self.SCREENS]:
                emulate(d, width, height, ratio, phone, phone)
                open_page(d, self.base + '/index.html?seed=1&paused=1')
                if (d.execute_script('return window.cornerflow.layout().plot') is not None) != (plot == 'open'):
                    d.execute_script('localStorage.setItem("cornerflow.plot", arguments[0])', plot)
                    open_page(d, self.base + '/index.html?seed=1&paused=1')
                where = '%dx%d, the plot %s' % (width, height, plot)
                assert d.execute_script('return document.documentElement.scrollWidth') <= width, \
                    '%s: the page scrolls sideways (%d)' % (where, d.execute_script('return document.documentElement.scrollWidth'))
                boxes = d.execute_script('return %s.map(e => { const r = e.getBoundingClientRect();'
                                         'return [e.id || e.dataset.key || e.className, r.left, r.right, r.height]; })' % controls)
                assert len(boxes) >= (29 if plot == 'folded' else 36), '%s: %d controls' % (where, len(boxes))
                outside = [b[0] for b in boxes if b[1] < -0.5 or b[2] > width + 0.5]
                assert not outside, '%s: outside the width: %r' % (where, outside)
                if phone:
                    small = ['%s %.1f' % (b[0], b[3]) for b in boxes if b[3] < 44 - 0.01]
                    assert not small, '%s: shorter than 44 CSS px: %r' % (where, small)
                # Every control can be scrolled to with vertical scrolling only, and is then in
                # sight, not under the picture or anything else.
                hidden = d.execute_script('''
                    const out = [];
                    for (const e of %s) {
                      e.scrollIntoView({block: "nearest", inline: "nearest"});
                      const r = e.getBoundingClientRect();
                      const x = Math.min(r.right - 2, r.left + 12), y = r.top + r.height / 2;
                      const top = document.elementFromPoint(x, y);
                      if (scrollX !== 0 || r.top < -0.5 || r.bottom > innerHeight + 0.5 || !top || !(top === e || e.contains(top)))
                        out.push(e.id || e.dataset.key || e.className);
                    }
                    scrollTo(0, 0);
                    return out;''' % controls)
                assert not hidden, '%s: not reachable by scrolling down: %r' % (where, hidden)
                layout = d.execute_script('return window.cornerflow.layout()')
                cssW, cssH = layout['display']
                if width >= 1920 and plot == 'folded':
                    assert cssW >= 0.6 * width or cssH >= 0.7 * height, '%s: the picture is %.0fx%.0f' % (where, cssW, cssH)
                if plot == 'open':
                    # Beside the picture from a laptop's screen on, the whole page in sight; under
                    # it on a phone held upright; after the fields beside it held sideways.
                    boxes = d.execute_script('return [".picture", "#plot-canvas", "#dialog"].map(s => {'
                                             'const r = document.querySelector(s).getBoundingClientRect();'
                                             'return [r.left, r.top, r.right, r.bottom]; })')
                    (pl, pt, pr, pb), (ql, qt, qr, qb), (dl, dt, dr, db) = boxes
                    # Whole inside the dialog, which cuts off what reaches out of it.
                    assert dl <= ql and qr <= dr and dt <= qt and qb <= db, '%s: the plot %r in the dialog %r' % (
                        where, boxes[1], boxes[2])
                    if width >= 1366:
                        assert ql >= pr and abs(qt - pt) < 1 and qr <= width, '%s: picture %r, plot %r' % (where, boxes[0], boxes[1])
                        assert d.execute_script('return document.documentElement.scrollHeight') <= height, \
                            '%s: the page does not fit the screen\'s height' % where
                    elif width < height:
                        assert qt >= pb and ql >= 0 and qr <= width, '%s: picture %r, plot %r' % (where, boxes[0], boxes[1])
                    else:
                        assert ql >= pr and qr <= width, '%s: picture %r, plot %r' % (where, boxes[0], boxes[1])
                if (width, height) == (844, 390):
                    # Held sideways: the picture and the inputs in sight together, unscrolled.
                    seen = d.execute_script('return [".picture", \'input[data-key="v1"]\', \'input[data-key="p1"]\']'
                                            '.map(s => document.querySelector(s).getBoundingClientRect())'
                                            '.every(r => r.top >= 0 && r.bottom <= innerHeight)')
                    assert seen, '%s: the picture and the inputs are not in sight together' % where
                # The canvases: composed at the device pixels the picture is shown at.
                canvases = d.execute_script('return window.cornerflow.canvases()')
                scale = frame_scale_for(round(cssW * ratio) / 622)
                assert canvases['layer-below'] == [622 * scale, 384 * scale] and canvases['layer-tracers'] == [622, 384] \
                    and canvases['layer-mark'] == [round(cssW * ratio), round(cssH * ratio)], \
                    '%s: canvases %r for %r at ratio %d' % (where, canvases, layout['display'], ratio)
                if plot == 'open':
                    # The plot at the device pixels it is shown at.
                    css = d.execute_script('const r = document.getElementById("plot-canvas").getBoundingClientRect();'
                                           'return [r.width, r.height]')
                    assert canvases['plot'] == [round(v) * frame_scale_for(ratio) for v in css], \
                        '%s: the plot\'s canvas is %r for %r CSS px at ratio %d' % (where, canvases['plot'], css, ratio)
                if width < 500 and plot == 'folded':
                    # The About box fits too.
                    click(d, 'about-button')
                    r = d.execute_script('const r = document.getElementById("about").getBoundingClientRect();'
                                         'return [r.left, r.right]')
                    d.execute_script('document.getElementById("about").close()')
                    assert r[0] >= 0 and r[1] <= width, '%s: the About box spans %r' % (where, r)
                errors = page_errors(d)
                assert not errors, '%s: errors in the page: %r' % (where, errors)

            # A zoom from 1x to 2x: composed again at the new device pixels, without a reload, and
            # still the core's frame pixel for pixel; the plot too.
            emulate(d, 1366, 768, 1)
            open_page(d, self.base + '/index.html?seed=1&paused=1')
            canvases = d.execute_script('return window.cornerflow.canvases()')
            assert canvases['layer-below'] == [622, 384] and canvases['plot'] == [622, 384], canvases
            emulate(d, 1366, 768, 2)
            wait_for(d, 'return window.cornerflow.canvases()["layer-below"][0] === 1244', timeout=5)
            wait_for(d, 'return window.cornerflow.canvases().plot[0] === 1244', timeout=5)
            assert d.execute_script('return window.cornerflow.canvases()')['layer-mark'] == [1244, 768]
            frame = stacked_equals_frame(d)
            assert frame['scale'] == 2
        finally:
            d.execute_script('localStorage.removeItem("cornerflow.plot")')
            unemulate(d)

    def finger_reads_and_turns(self):
        d = self.driver
        try:
            emulate(d, 390, 844, 3, True, True)
            open_page(d, self.base + '/index.html?seed=2&paused=1')
            pic = Picture(d)
            assert d.execute_script('return window.cornerflow.layout().mode') == 'rows'
            hint = d.find_element(By.ID, 'touch-hint')
            assert hint.is_displayed() and 'пальцем' in hint.text, 'no hint for a finger: %r' % hint.text
            start = self.desktop.calc()

            # A tap in the fan reads the flow there and leaves the wall.
            cx, cy = pic.client(500, 100)
            touch(d, 'touchStart', (cx, cy, 1))
            touch(d, 'touchEnd', (cx, cy, 1))
            px, py = pic.point_at(cx, cy)
            doc = self.desktop.calc('--probe', '%d,%d' % (px, py))
            assert doc['probes'][0]['regionName'] == 'fan', 'the tap at %d,%d is not in the fan' % (px, py)
            assert labels(d) == calc_labels(start), 'a tap turned the wall: %r' % labels(d)
            assert shown(d, PROBE) == doc['probes'][0]['texts'], 'read-out at %d,%d: page %r, desktop %r' % (
                px, py, shown(d, PROBE), doc['probes'][0]['texts'])
            mark = d.execute_script('return window.cornerflow.mark()')
            assert mark['shown'] and abs(mark['x'] - (cx - pic.left)) < 1e-6, 'the reading mark is %r' % mark
            stacked_equals_frame(d)  # the mark is not part of the picture

            # A finger that comes down on the wall turns it; a second finger changes nothing and
            # does not end the first one's drag.
            wall = start['corner']['wallAngle']
            on_wall = pic.client(311 + 70 * math.sin(wall), 192 + 70 * math.cos(wall))
            touch(d, 'touchStart', (*on_wall, 1))
            a = pic.client(430, 360)
            touch(d, 'touchMove', (*a, 1))
            after_a = labels(d)
            assert after_a == calc_labels(self.desktop.calc('--wall-point', '%d,%d' % pic.point_at(*a))), \
                'a finger from the wall to %r: %r' % (pic.point_at(*a), after_a)
            other = pic.client(100, 300)
            touch(d, 'touchStart', (*a, 1), (*other, 2))
            touch(d, 'touchMove', (*a, 1), (other[0] + 40, other[1] + 20, 2))
            assert labels(d) == after_a, 'a second finger turned the wall: %r' % labels(d)
            touch(d, 'touchEnd', (other[0] + 40, other[1] + 20, 2))
            b = pic.client(380, 300)
            touch(d, 'touchMove', (*b, 1))
            touch(d, 'touchEnd', (*b, 1))
            assert labels(d) == calc_labels(self.desktop.calc('--wall-point', '%d,%d' % pic.point_at(*b))), \
                'after the second finger, the first one no longer turned the wall: %r' % labels(d)

            # Reset tapped by a second finger while the first rests on the picture.
            type_into(d, 'v1', '600')
            fresh = calc_labels(start)
            assert labels(d) != fresh
            reset = d.execute_script('const r = document.getElementById("reset-button").getBoundingClientRect();'
                                     'return [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)]')
            rest = pic.client(150, 100)
            touch(d, 'touchStart', (*rest, 1))
            touch(d, 'touchStart', (*rest, 1), (*reset, 2))
            touch(d, 'touchEnd', (*reset, 2))
            touch(d, 'touchEnd', (*rest, 1))
            assert labels(d) == fresh and texts(d, ['v1', 't1', 'p1']) == ['450.0', '273.0', '100000'], \
                'Reset by a second finger: %r %r' % (labels(d), texts(d, ['v1', 't1', 'p1']))
            errors = page_errors(d)
            assert not errors, 'errors in the page: %r' % errors
        finally:
            unemulate(d)

    def links_hold_the_state(self):
        d = self.driver
        # A link opens on the fields and labels the calculator gives for the same options.
        open_page(d, self.base + '/index.html?v1=600&beta=150&lang=en')
        doc = self.desktop.calc('--v1', '600', '--beta', '150')
        assert shown(d, DERIVED) == doc['fields'] and labels(d) == calc_labels(doc), \
            'the link: page %r %r, desktop %r %r' % (shown(d, DERIVED), labels(d), doc['fields'], calc_labels(doc))
        assert texts(d, ['v1', 't1', 'p1']) == [doc['read'][k]['text'] for k in ['v1', 't1', 'p1']]
        assert d.find_element(By.ID, 'caption').text == 'Flow round an obtuse corner'
        assert d.find_element(By.ID, 'status').get_attribute('hidden'), 'a good link named something'

        # The round trip: a state made by typing (a comma too), keys and the pause, written by
        # the tool and opened again.
        open_page(d, self.base + '/index.html?seed=8')
        type_into(d, 't1', '300,5')
        type_into(d, 'p1', '2e5')
        d.execute_script('document.querySelector(".picture").focus()')
        ActionChains(d).send_keys(Keys.ARROW_LEFT, Keys.ARROW_LEFT, Keys.SPACE).perform()
        state = texts(d, DERIVED), labels(d)
        d.execute_script('window.cornerflow.pause()')
        click(d, 'link-button')
        link = d.execute_script('return window.cornerflow.link()')
        # On the clipboard, or shown to be copied by hand.
        shown_link = d.find_element(By.ID, 'link-text').get_attribute('value')
        status = d.find_element(By.ID, 'status').text
        assert shown_link == link or status == 'Ссылка скопирована', 'the tool gave %r / %r' % (shown_link, status)
        open_page(d, link)
        assert (texts(d, DERIVED), labels(d)) == state, 'the link %s opened %r, not %r' % (link, (texts(d, DERIVED), labels(d)), state)
        assert texts(d, ['t1', 'p1']) == ['300.5', '2e5'] and d.execute_script('return window.cornerflow.paused()')

        # The exact theory: remembered when chosen with the tool, and in the link; an address's
        # choice holds for that visit only.
        def theory():
            pressed = d.find_element(By.ID, 'theory-button').get_attribute('aria-pressed') == 'true'
            violet = colour_count(frame_of(d)[2], THEORY) > 100
            link = urllib.parse.parse_qs(urllib.parse.urlparse(d.execute_script('return window.cornerflow.link()')).query)
            assert pressed == violet and link['theory'] == ['1' if pressed else '0'], \
                'the tool %s, the picture %s, the link %r' % (pressed, violet, link['theory'])
            return pressed
        plain = self.base + '/index.html?seed=8&paused=1'
        try:
            open_page(d, plain)
            d.execute_script('localStorage.removeItem("cornerflow.theory")')
            open_page(d, plain)
            assert not theory(), 'the exact theory is on at start'
            click(d, 'theory-button')
            assert theory(), 'the tool did not show the exact theory'
            open_page(d, plain)
            assert theory(), 'the exact theory was forgotten'
            open_page(d, plain + '&theory=0')
            assert not theory(), 'theory=0 left the exact theory on'
            open_page(d, plain)
            assert theory(), 'an address\'s theory=0 was remembered'
            click(d, 'theory-button')
            open_page(d, plain)
            assert not theory(), 'the exact theory taken away came back'
        finally:
            d.execute_script('localStorage.removeItem("cornerflow.theory")')

        # Hostile links: nothing else changes, nothing runs, each bad parameter is named.
        defaults = self.desktop.calc()
        script = '<script>window.cfHacked=1</script><img src=x onerror="window.cfHacked=2">'
        for query, names in [({'v1': script}, ['v1']), ({'t1': '1' * 100000}, ['t1']), ({'beta': 'NaN'}, ['beta']),
                             ({'p1': '450,5', 'beta': '1e999', 'seed': '-1', 'ticks': '99999999', 'lang': 'xx'},
                              ['p1', 'beta', 'seed', 'ticks', 'lang']),
                             ({script: '1', 'paused': '2'}, [script[:40] + '…', 'paused'])]:
            url = self.base + '/index.html?' + urllib.parse.urlencode(query)
            open_page(d, url)
            status = d.find_element(By.ID, 'status').text
            assert all(n in status for n in names), '%r: the status line says %r' % (list(query)[:3], status)
            assert sorted(d.execute_script('return window.cornerflow.ignored()')) == sorted(names)
            assert shown(d, DERIVED) == defaults['fields'] and labels(d) == calc_labels(defaults), \
                '%r changed the state' % list(query)[:3]
            assert texts(d, ['v1', 't1', 'p1']) == ['450.0', '273.0', '100000']
            assert d.execute_script('return window.cfHacked === undefined && document.querySelectorAll("script").length'
                                    ' === 10 && !document.querySelector("#status *")'), 'the link ran something'
            errors = page_errors(d)
            assert not errors, 'errors in the page: %r' % errors

    def installable_and_offline(self):
        d = self.driver
        # A copy of the site, so that a new build can be made of it.
        tmp = tempfile.mkdtemp(prefix='cornerflow-site-')
        site = os.path.join(tmp, 'site')
        shutil.copytree(self.site, site)
        server = serve(site)
        base = 'http://127.0.0.1:%d' % server.server_address[1]
        caches = ('const done = arguments[0]; caches.keys().then(keys => Promise.all(keys.map(k => caches.open(k)'
                  '.then(c => c.keys().then(rs => [k, rs.map(r => r.url)]))))).then(done, e => done(String(e)))')
        try:
            open_page(d, base + '/index.html?seed=1')
            manifest = d.execute_async_script(
                'const done = arguments[0]; fetch(document.querySelector("link[rel=manifest]").href)'
                '.then(r => r.json()).then(done, e => done(String(e)))')
            assert isinstance(manifest, dict) and manifest.get('name') and manifest.get('start_url') \
                and manifest.get('display') == 'standalone', 'manifest %r' % manifest
            icons = manifest.get('icons', [])
            assert any(i['type'] == 'image/svg+xml' for i in icons) and all(
                os.path.exists(os.path.join(site, i['src'])) for i in icons), 'icons %r' % icons
            for icon in icons:
                if icon['type'] == 'image/png':
                    assert list(png_size(os.path.join(site, icon['src']))) == [int(v) for v in icon['sizes'].split('x')]
            # The worker registers, takes the page, and keeps the site's own files only.
            scope = d.execute_async_script(
                'const done = arguments[0]; navigator.serviceWorker.ready.then(r => done(r.scope), e => done(String(e)))')
            assert scope == base + '/', 'service worker scope %r' % scope
            open_page(d, base + '/index.html?seed=1')
            wait_for(d, 'return !!navigator.serviceWorker.controller', timeout=10)
            kept = d.execute_async_script(caches)
            own = set(site_files(site)) | {''}
            assert len(kept) == 1 and {u[len(base) + 1:] for u in kept[0][1]} <= own, 'the cache holds %r' % kept
            old = kept[0][0]

            # A new build (one file changed): on the next load its worker takes over, with a
            # cache of its own, and the old cache is gone.
            with open(os.path.join(site, 'cornerflow.css'), 'a') as f:
                f.write('/* a new build */\n')
            files = [f for f in site_files(site) if f not in ('sw.js', 'cornerflow.webmanifest')]
            subprocess.run([sys.executable, os.path.join(os.path.dirname(__file__), '..', '..', 'web', 'offline.py'),
                            '--site', site, '--worker', os.path.join(os.path.dirname(__file__), '..', '..', 'web', 'sw.js')]
                           + files, check=True)
            open_page(d, base + '/index.html?seed=1')
            end = time.time() + 10
            while time.time() < end:
                kept = d.execute_async_script(caches)
                if len(kept) == 1 and kept[0][0] != old:
                    break
                time.sleep(0.1)
            assert len(kept) == 1 and kept[0][0] != old, 'after a new build the caches are %r' % [k[0] for k in kept]

            # With the server gone and the network cut, the page still opens and runs: the new
            # build's.
            server.shutdown()
            server.server_close()
            d.execute_cdp_cmd('Network.enable', {})
            d.execute_cdp_cmd('Network.emulateNetworkConditions',
                              {'offline': True, 'latency': 0, 'downloadThroughput': -1, 'uploadThroughput': -1})
            open_page(d, base + '/index.html?seed=5&v1=600')
            assert shown(d, DERIVED) == self.desktop.calc('--v1', '600')['fields'], 'offline: %r' % shown(d, DERIVED)
            css = d.execute_async_script('const done = arguments[0]; fetch("cornerflow.css").then(r => r.text())'
                                         '.then(done, e => done(String(e)))')
            assert css.endswith('/* a new build */\n'), 'offline, the old build was served'
        finally:
            d.execute_cdp_cmd('Network.emulateNetworkConditions',
                              {'offline': False, 'latency': 0, 'downloadThroughput': -1, 'uploadThroughput': -1})
            d.execute_cdp_cmd('Network.disable', {})
            server.shutdown()
            shutil.rmtree(tmp, ignore_errors=True)
        errors = page_errors(d)
        assert not errors, 'errors in the page: %r' % errors

    # Words that stand as they are in both languages: names, and the keys' own names.
    NAMES = {'Cornerflow', 'MIT', 'WebAssembly', 'OK', 'PgDn', 'PgUp', 'Home', 'End', 'F', 'Tab',
             'Language', 'Русский', 'English', 'Язык'}

    def check_words(self, d, lang):
        """Every word of the page (its text, the About box, the hint, the names and descriptions
        a screen reader hears, the buttons) is in the page's language."""
        d.execute_script('document.getElementById("about-button").click()')
        words = d.execute_script('''
            const out = [document.title, document.body.innerText, document.getElementById("about").innerText,
                         document.getElementById("touch-hint").textContent];
            for (const el of document.querySelectorAll("[aria-label], [aria-valuetext], [title]"))
              out.push(el.getAttribute("aria-label") || "", el.getAttribute("aria-valuetext") || "",
                       el.getAttribute("title") || "");
            for (const id of ["picture-state", "picture-labels", "picture-keys", "role-input", "role-upstream",
                              "role-probe"])
              out.push(document.getElementById(id).textContent);
            return out.join(" ");''')
        d.execute_script('document.getElementById("about").close()')
        other = '[A-Za-z]' if lang == 'ru' else '[А-Яа-яЁё]'
        # In Russian, the fields' symbols are Latin letters (V, T, P, M, c, Vr).
        strays = {w for w in re.findall(other + '+', words)
                  if w not in self.NAMES and not (lang == 'ru' and len(w) <= 2)}
        assert not strays, '%s page has words of the other language: %r' % (lang, sorted(strays))

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

def site_files(site):
    return sorted(os.path.relpath(os.path.join(root, f), site)
                  for root, _, files in os.walk(site) for f in files)


def percentile(values, p):
    """The p-th percentile, nearest rank."""
    ordered = sorted(values)
    return ordered[max(0, min(len(ordered) - 1, math.ceil(p / 100.0 * len(ordered)) - 1))]


def measure(desktop, driver, base_url, site, screenshots):
    files = site_files(site)
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

    # A phone's screen (390 x 844 CSS px) at device pixel ratios 1, 2 and 3, its CPU at full
    # speed and slowed four times: a tick (the tracers stepped, the layers that changed put on
    # the canvases) and a drag's move (the wall turned, the flow retraced, the still layers
    # composed again and put), at 5000 and 100000 tracers.
    print('phone 390x844 | ratio | CPU slowed | tracers | frame scale | tick p50 / p95 ms | drag move p50 / p95 ms')
    path = [[300 + (i * 7) % 250, 230 + (i * 13) % 150] for i in range(100)]
    try:
        for ratio in (1, 2, 3):
            emulate(driver, 390, 844, ratio, True, True)
            for p1 in ('100000', '2000000'):
                open_page(driver, base_url + '/index.html?seed=1&paused=1&p1=' + p1)
                n = driver.execute_script('return window.cornerflow.tracers()')
                scale = driver.execute_script('return window.cornerflow.scale')
                for rate in (1, 4):
                    driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': rate})
                    driver.execute_script('window.cornerflow.step(20)')  # warm up
                    ticks = driver.execute_script('return window.cornerflow.step(100)')
                    drags = driver.execute_script('return window.cornerflow.drag(400, 300, arguments[0])', path)
                    driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': 1})
                    print('phone 390x844 | %d | %dx | %d | %d | %.1f / %.1f | %.1f / %.1f' % (
                        ratio, rate, n, scale, statistics.median(ticks), percentile(ticks, 95),
                        statistics.median(drags), percentile(drags, 95)), flush=True)
    finally:
        driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': 1})
        unemulate(driver)

    if screenshots:
        shoot(driver, base_url, screenshots)


def shoot(driver, base_url, folder):
    """The README's pictures of the page: on a laptop, on a phone held upright, and full screen
    on a 1920 x 1080 projector, the plot folded; and on the projector with the plot beside the
    picture; each reading the flow in the fan."""
    page = base_url + '/index.html?seed=20240601&ticks=600&paused=1'
    try:
        for name, (width, height, ratio, phone), plot in [
                ('screenshot-web.png', (900, 1000, 1, False), 'folded'),
                ('screenshot-web-phone.png', (390, 844, 3, True), 'folded'),
                ('screenshot-web-projector.png', (1920, 1080, 1, False), 'folded'),
                ('screenshot-web-plot.png', (1920, 1080, 1, False), 'open')]:
            emulate(driver, width, height, ratio, phone, phone)
            open_page(driver, page)
            driver.execute_script('localStorage.setItem("cornerflow.plot", arguments[0])', plot)
            open_page(driver, page)
            pic = Picture(driver)
            cx, cy = pic.client(470, 150)
            if phone:
                touch(driver, 'touchStart', (cx, cy, 1))
                touch(driver, 'touchEnd', (cx, cy, 1))
            else:
                ActionChains(driver).move_to_element_with_offset(pic.el, cx - pic.cx, cy - pic.cy).perform()
            driver.execute_script('document.activeElement.blur()')
            if not phone:
                height = driver.execute_script('return Math.ceil(document.documentElement.getBoundingClientRect().height)')
                if width < 1000:
                    emulate(driver, width, height + 24, ratio)
            png = driver.get_screenshot_as_png()
            with open(os.path.join(folder, name), 'wb') as f:
                f.write(png)
            print('screenshot: %s' % os.path.join(folder, name))
    finally:
        driver.execute_script('localStorage.removeItem("cornerflow.plot")')
        unemulate(driver)


SOAK_CYCLES = """
    const [first, count, done] = arguments;
    (async () => {
      for (let i = first; i < first + count; ++i) {
        for (let k = 0; k < 4; ++k) {
          window.cornerflow.step(250);
          await new Promise((r) => setTimeout(r, 0)); // the page's own timers and frames run
        }
        const path = [];
        for (let j = 0; j < 20; ++j) path.push([200 + (i * 37 + j * 11) % 400, 200 + (j * 13) % 180]);
        window.cornerflow.drag(420, 250, path);
        const el = document.querySelector('input[data-key="v1"]');
        el.focus();
        el.value = ['450.0', '600', '1200,5', '380'][i % 4];
        el.dispatchEvent(new Event('input', {bubbles: true}));
        el.blur();
      }
      done(window.cornerflow.ticks());
    })();
"""


def soak(driver, base_url):
    """36000 ticks with a drag and an input change every 1000: the module's memory and the page's
    JavaScript heap after them against after the first 1000. The cycles run inside the page (a
    call from the test driver leaves a little behind in the page's heap each time). Before the
    count, 30 cycles let the JavaScript engine compile the page's hot code: its compiled code
    and type feedback grow the heap by about 70 KB over the first 30 cycles and then stand
    (with the engine's optimisers off, the heap grows by under 5 KB over 70 cycles), and they
    are no part of the page's memory. Returns 0 when both stay within 5 % and no error came."""
    driver.set_script_timeout(600)
    open_page(driver, base_url + '/index.html?seed=11&paused=1')

    def memory():
        driver.execute_cdp_cmd('HeapProfiler.enable', {})
        driver.execute_cdp_cmd('HeapProfiler.collectGarbage', {})
        heap = driver.execute_cdp_cmd('Runtime.getHeapUsage', {})
        wasm = driver.execute_script('return window.cornerflow.memory().wasm')
        return wasm, heap['usedSize']

    t0 = time.time()
    warm = 30
    driver.execute_async_script(SOAK_CYCLES, 0, warm)
    start = driver.execute_script('return window.cornerflow.ticks()')
    driver.execute_async_script(SOAK_CYCLES, warm, 1)
    first = memory()
    driver.execute_async_script(SOAK_CYCLES, warm + 1, 35)
    last = memory()
    ticks = driver.execute_script('return window.cornerflow.ticks()') - start
    errors = page_errors(driver)
    growth = [100.0 * (b - a) / a for a, b in zip(first, last)]
    print('soak: %d ticks in %.0f s (after %d ticks, drags and inputs to warm up)' % (ticks, time.time() - t0, start))
    print('soak: WebAssembly memory %d bytes after 1000 ticks, %d after %d (%+.1f %%)' % (first[0], last[0], ticks, growth[0]))
    print('soak: JavaScript heap %d bytes after 1000 ticks, %d after %d (%+.1f %%)' % (first[1], last[1], ticks, growth[1]))
    print('soak: errors %r' % errors)
    ok = ticks == 36000 and not errors and all(g <= 5.0 for g in growth)
    print('soak: %s' % ('memory flat, no error' if ok else 'FAILED'))
    return 0 if ok else 1


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--cornerflow', default=os.environ.get('CORNERFLOW', 'build/app/cornerflow'),
                    help='the desktop program (for --calc and --snapshot)')
    ap.add_argument('--site', default='build-web/site', help='the built page folder')
    ap.add_argument('--measure', action='store_true', help='print sizes and timings instead of checking')
    ap.add_argument('--screenshots', help='with --measure: save the README\'s screenshots of the page in this folder')
    ap.add_argument('--soak', action='store_true', help='run the memory soak instead of checking')
    ap.add_argument('--only', help='run only the checks whose method names contain this')
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
            measure(desktop, driver, base_url, args.site, args.screenshots)
            return 0
        if args.soak:
            return soak(driver, base_url)
        checks = Checks(desktop, driver, base_url, args.site)
        checks.only = args.only
        t0 = time.time()
        checks.run('fields, probes and the wall follow the user as on the desktop',
                   checks.fields_follow_inputs_probe_and_drag)
        checks.run('the picture equals the desktop snapshot but the labels\' text; the canvases are the frame',
                   checks.frame_matches_snapshot)
        checks.run('hostile texts and far drags: desktop texts, no error, still animating',
                   checks.hostile_inputs)
        checks.run('numbers as people type them: read as the desktop reads them, with a note',
                   checks.numbers_as_people_type_them)
        checks.run('pause, step and reset: by key and button; reset as freshly loaded',
                   checks.pause_step_and_reset)
        checks.run('the saved picture is the frame, at its scale, named by the wall; with the exact theory',
                   checks.save_picture)
        checks.run('the plot: the tool opens and folds it, boxes choose curves, a drag redraws it, a tick not',
                   checks.plot_panel_quantities_and_ticks)
        checks.run('the plot\'s downloads: --calc\'s profile as CSV, the plot at its device pixels',
                   checks.plot_downloads)
        checks.run('the plot equals the desktop\'s --plot but the text',
                   checks.plot_matches_desktop)
        checks.run('the plot for a screen reader: its name and description, both languages',
                   checks.plot_for_a_screen_reader)
        checks.run('names and descriptions for a screen reader, each language throughout',
                   checks.names_and_languages)
        checks.run('the tab order, the picture as a slider, one description a second',
                   checks.keyboard_and_screen_reader)
        checks.run('every screen from 320 to 3840 wide, the plot folded and open: fits, reachable, sharp; a zoom',
                   checks.layouts_for_every_screen)
        checks.run('a finger reads and turns; a second finger changes nothing but buttons',
                   checks.finger_reads_and_turns)
        checks.run('links open the state the calculator gives; the exact theory remembered and linked; '
                   'hostile links change nothing',
                   checks.links_hold_the_state)
        checks.run('installable, and opens offline after the first visit',
                   checks.installable_and_offline)
        checks.run('the page runs opened from file://', checks.opens_from_disk)
        print('browser checks: %.0f s' % (time.time() - t0))
        print('%d passed, %d failed' % (checks.passed, checks.failed))
        return 1 if checks.failed else 0
    finally:
        driver.quit()
        server.shutdown()


if __name__ == '__main__':
    sys.exit(main())
