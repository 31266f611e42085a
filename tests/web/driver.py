"""What every browser check shares: the desktop program, the served page, the browser, the page's
controls and pictures read back, screens and fingers emulated, and the checks' base with its
fixtures. The checks themselves are in check_*.py by subject; tests/web/run.py runs them.
"""
import base64
import contextlib
import functools
import http.server
import json
import math
import os
import re
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

    def refused(self, *args):
        """The one line a bad command line is told with (status 2)."""
        out = subprocess.run([self.path, *args], capture_output=True, timeout=120,
                             env=dict(os.environ, QT_QPA_PLATFORM='offscreen'))
        assert out.returncode == 2, '%r exited %d' % (args, out.returncode)
        return out.stderr.decode('utf-8').rstrip('\n')

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


def start_browser(scale=1, languages='ru'):
    # The browser's preferred languages (a Russian classroom's unless a check asks otherwise):
    # the page opens in the first of them that it speaks, when neither the address nor a
    # remembered choice names one.
    options = webdriver.ChromeOptions()
    options.add_experimental_option('prefs', {'intl.accept_languages': languages})
    if os.path.exists('/usr/lib/chromium/chromium'):
        options.binary_location = '/usr/lib/chromium/chromium'
    for arg in ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                '--disable-background-networking', '--disable-component-update', '--disable-sync',
                '--window-size=900,1000', '--force-device-scale-factor=%d' % scale,
                '--lang=' + languages.split(',')[0],
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


def choose_language(driver, code):
    """Chooses a language in the page's language box as a user does. Waits for its option; if
    the box never offers it, says what the page held instead."""
    has = 'return !!document.querySelector("#language option[value=\'%s\']")' % code
    end = time.time() + 5.0
    while not driver.execute_script(has):
        if time.time() > end:
            state = driver.execute_script(
                'return [location.href, document.readyState, !!window.cornerflow,'
                ' [...document.querySelectorAll("#language option")].map(o => o.value)]')
            raise AssertionError('the language box offers no %r: %r' % (code, state))
        time.sleep(0.05)
    Select(driver.find_element(By.ID, 'language')).select_by_value(code)


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
    """The page's canvases as shown, stacked by the browser and read back, must be the frame the
    core composes afterwards from the state as it stands: what is on the screen is the state, and
    composing outside the clock moves nothing."""
    stacked = driver.execute_script('return window.cornerflow.frame()')
    composed = driver.execute_script('return window.cornerflow.composedFrame()')
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


def site_files(site):
    return sorted(os.path.relpath(os.path.join(root, f), site)
                  for root, _, files in os.walk(site) for f in files)


# ---- The checks' base ----

class CheckBase:
    """Runs one check at a time and counts; the fixtures every check file uses."""

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

    def open(self, query=''):
        """Opens the served page with these address parameters and waits for its first frame."""
        open_page(self.driver, self.base + '/index.html' + ('?' + query if query else ''))

    def assert_no_errors(self, where=None):
        errors = page_errors(self.driver)
        assert not errors, '%serrors in the page: %r' % (where + ': ' if where else '', errors)

    @contextlib.contextmanager
    def screen(self, width, height, ratio=1, phone=False):
        """A screen of width x height CSS pixels at a device pixel ratio (a phone's with touch)
        for the checks inside the block; the browser's own screen after it."""
        emulate(self.driver, width, height, ratio, phone, phone)
        try:
            yield
        finally:
            unemulate(self.driver)

    @contextlib.contextmanager
    def plot_remembered(self, state):
        """The plot's panel remembered 'open' or 'folded' (None: nothing remembered) inside the
        block; nothing remembered after it."""
        d = self.driver
        try:
            if state is None:
                d.execute_script('localStorage.removeItem("cornerflow.plot/open")')
            else:
                d.execute_script('localStorage.setItem("cornerflow.plot/open", arguments[0] === "open" ? "true" : "false")', state)
            yield
        finally:
            d.execute_script('localStorage.removeItem("cornerflow.plot/open")')
