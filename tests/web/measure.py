"""Sizes and timings of the page (a phone's screen and CPU among them), the README's screenshots,
and the memory soak: measurements, not checks."""
import math
import os
import statistics
import time
import zlib

from driver import (
    open_page, Picture, emulate, unemulate, touch, page_errors, site_files,
)
# After the driver, which finds the Python that has Selenium.
from selenium.webdriver.common.action_chains import ActionChains


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
            driver.execute_script('localStorage.setItem("cornerflow.plot/open", arguments[0] === "open" ? "true" : "false")', plot)
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
        driver.execute_script('localStorage.removeItem("cornerflow.plot/open")')
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
