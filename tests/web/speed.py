#!/usr/bin/env python3
"""The page's speed in a phone's hand: ticks and drag moves timed in headless Chromium.

    python3 tests/web/speed.py --site build-web/site [--rounds 3] [--profile]

A phone's screen (390 x 844 CSS px, device pixel ratio 3, mobile, touch), its CPU at full
speed and slowed four times (the DevTools throttling of a mid-range phone), 5000 tracers. For
each: a tick (the tracers stepped and the layers that changed put on the canvases); drag moves
at the start-up state, over walls far apart (every point a new one) and as a finger turns the
wall (a degree a move), the second time with the plot open beside the picture, and as a finger
reads across the fan with the plot open (its cursor follows); and drag moves at the slowest
teaching state (V1 580, T1 100, the wall near 0.62 rad, where the exit-step run is longest),
there both over walls not met before and
back and forth between two walls (whose runs the core remembers); and with the exact theory's
flow (physics=exact), a tick and a finger turning the wall at the start-up state (a fan) and at
V1 900 with the wall 20 degrees up (an oblique shock). Prints p50 and p95 of each in
ms, against the goals a smooth drag needs (a move within one displayed frame at the start-up
state, within two at the slowest state, a tick within half a frame). Each drag starts on a
settled page: the labels a drag from its wall may draw were rendered while the page was idle,
as they are when a student starts one.

These are measurements, printed for the reader: the machine's speed differs between runs and
machines, so nothing here fails on a time. With --profile the slowest drag is also profiled
(the DevTools sampling profiler) and the functions that took most of its time are listed.

Usable alone or from another runner: measure(driver, base_url) does the work for a driver and
a served site and returns the figures.
"""
import argparse
import collections
import math
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from driver import serve, start_browser  # noqa: E402  (the same server and browser as the checks)

# Picture pixels of a drag: the start-up state's around the start-up wall, every point a new
# one; at V1 580, T1 100 two points whose walls (0.620 and 0.625 rad) give the longest
# exit-step run, and 40 points round them, each a wall of its own, whose runs are within 0.5 %
# of the longest (398..405 x 315..321 less two shorter ones). The warm-up drags go through
# other points, so that every timed move at a new point is one to a wall not met before.
STARTUP_PATH = [[300 + (i * 7) % 250, 230 + (i * 13) % 150] for i in range(60)]
STARTUP_WARM_UP = [[250 + i, 200] for i in range(5)]
# A finger on the wall 150 picture pixels from the corner (311, 192), turning it as a hand does,
# a degree (about 2.6 pixels) a move: from the start-up wall (45 degrees from straight down) to 10
# degrees past straight down, then back to 80.
FINGER_PATH = [[311 + round(150 * math.sin(math.radians(a))), 192 + round(150 * math.cos(math.radians(a)))]
               for a in list(range(45, -10, -1)) + list(range(-10, 81))]
# A finger reading the flow across the fan, two picture pixels a move, away from the wall.
READ_PATH = [[200 + 2 * i, 120 + i % 7] for i in range(150)]
# The exact theory's shock (V1 900, the wall 20 degrees above the upstream wall's line): a finger
# on that wall 150 picture pixels from the corner turns it down to 60 degrees past straight down
# and back to straight (a drag sets no wall above straight: its first move sets one).
SHOCK_FINGER_PATH = [[311 + round(150 * math.sin(math.radians(a))), 192 + round(150 * math.cos(math.radians(a)))]
                     for a in list(range(110, 30, -1)) + list(range(30, 91))]
EXACT_STARTUP = 'physics=exact'
EXACT_SHOCK = 'physics=exact&v1=900&beta=200'
SLOWEST_PATH = [[401 + i % 2, 318] for i in range(40)]
SLOWEST_NEW_PATH = [[x, y] for y in range(315, 322) for x in (range(398, 406) if y % 2 else range(405, 397, -1))
                    if [x, y] not in ([398, 319], [402, 316])][:40]
SLOWEST_WARM_UP = [[390 + i, 330] for i in range(5)]

# (what, p95 goal in ms)
GOALS = {'tick': 8.0, 'drag start-up': 16.7, 'drag start-up, a finger': 16.7, 'drag start-up, finger, plot': 16.7,
         'read start-up, finger, plot': 16.7,
         'drag slowest, new walls': 33.0, 'drag slowest, back and forth': 33.0,
         'exact tick start-up': 8.0, 'exact drag start-up, finger': 16.7,
         'exact tick shock': 8.0, 'exact drag shock, finger': 16.7}


def percentile(values, p):
    """The p-th percentile, nearest rank."""
    ordered = sorted(values)
    return ordered[max(0, min(len(ordered) - 1, math.ceil(p / 100.0 * len(ordered)) - 1))]


def open_page(driver, url, timeout=30.0):
    driver.get(url)
    end = time.time() + timeout
    while time.time() < end:
        if driver.execute_script('return !!(window.cornerflow && window.cornerflow.firstFrameMs() !== null)'):
            return
        time.sleep(0.05)
    raise AssertionError('the page did not show its first frame: ' + url)


def phone(driver):
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                           {'width': 390, 'height': 844, 'deviceScaleFactor': 3, 'mobile': True})
    driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})


def throttle(driver, rate):
    driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': rate})


def open_at(driver, url, rate):
    """Opens the page at full speed, then slows the CPU by rate."""
    throttle(driver, 1)
    open_page(driver, url)
    throttle(driver, rate)


def settle(driver, timeout=60.0):
    """Waits while the page is idle until it has rendered the labels a drag from the wall as it
    stands may draw, as it has before a student's first drag."""
    end = time.time() + timeout
    while driver.execute_script('return window.cornerflow.labelsAhead()') > 0:
        if time.time() > end:
            raise AssertionError('the page did not render the labels ahead within %g s' % timeout)
        time.sleep(0.05)


def open_slowest(driver, base_url, rate):
    """The page at the slowest teaching state, warmed up by a drag through walls of its own and
    settled."""
    open_at(driver, base_url + '/index.html?seed=1&paused=1&v1=580&t1=100', rate)
    drag(driver, SLOWEST_WARM_UP)
    settle(driver)


def show_plot(driver, shown):
    """Opens or folds the plot's panel as the tool does; folded, the choice is forgotten, so that
    the next page opens as a phone's does."""
    button = 'document.getElementById("plot-button")'
    if (driver.execute_script('return %s.getAttribute("aria-pressed")' % button) == 'true') != shown:
        driver.execute_script('%s.click()' % button)
    end = time.time() + 20
    while shown and not driver.execute_script('return window.cornerflow.plotCount() > 0') and time.time() < end:
        time.sleep(0.05)  # the panel placed and its first plot composed
    if not shown:
        driver.execute_script('localStorage.removeItem("cornerflow.plot/open")')


def drag(driver, path, touch=False):
    """A mouse's drag along the path (it turns the wall), or a finger's with touch (on the wall it
    turns it, elsewhere it reads the flow)."""
    return driver.execute_script('return window.cornerflow.drag(arguments[0][0], arguments[0][1], arguments[1], '
                                 'arguments[2])', path[0], path[1:], touch)


def profile(driver, path, top=14):
    """Self time by function over a drag (the DevTools sampling profiler), the largest first."""
    driver.execute_cdp_cmd('Profiler.enable', {})
    driver.execute_cdp_cmd('Profiler.setSamplingInterval', {'interval': 200})
    driver.execute_cdp_cmd('Profiler.start', {})
    drag(driver, path)
    prof = driver.execute_cdp_cmd('Profiler.stop', {})['profile']
    driver.execute_cdp_cmd('Profiler.disable', {})
    nodes = {n['id']: n for n in prof['nodes']}
    counts = collections.Counter(prof.get('samples', []))
    total = sum(counts.values()) or 1
    by_name = collections.Counter()
    for node_id, count in counts.items():
        frame = nodes[node_id]['callFrame']
        by_name[frame['functionName'] or '(%s)' % frame.get('url', '').rsplit('/', 1)[-1]] += count
    return [(name, 100.0 * count / total) for name, count in by_name.most_common(top)]


def measure(driver, base_url, rounds=3, rates=(1, 4), with_profile=False, out=sys.stdout):
    """Prints and returns {(what, rate): (p50, p95)} at the phone's screen."""
    figures = {}
    try:
        phone(driver)
        for rate in rates:
            ticks, startup, finger, plotted, reading, slowest, slowest_new = [], [], [], [], [], [], []
            exact_ticks, exact_finger, shock_ticks, shock_finger = [], [], [], []
            for _ in range(rounds):
                open_at(driver, base_url + '/index.html?seed=1&paused=1', rate)
                scale = driver.execute_script('return window.cornerflow.scale')
                tracers = driver.execute_script('return window.cornerflow.tracers()')
                driver.execute_script('window.cornerflow.step(20)')  # warm up
                ticks += driver.execute_script('return window.cornerflow.step(100)')
                settle(driver)
                finger += drag(driver, FINGER_PATH, touch=True)
                drag(driver, STARTUP_WARM_UP)
                settle(driver)
                startup += drag(driver, STARTUP_PATH)
                open_at(driver, base_url + '/index.html?seed=1&paused=1', rate)
                show_plot(driver, True)
                settle(driver)
                plotted += drag(driver, FINGER_PATH, touch=True)
                reading += drag(driver, READ_PATH, touch=True)
                show_plot(driver, False)
                open_slowest(driver, base_url, rate)
                slowest_new += drag(driver, SLOWEST_NEW_PATH)
                slowest += drag(driver, SLOWEST_PATH)
                for query, path, tick_times, drag_times in (
                        (EXACT_STARTUP, FINGER_PATH, exact_ticks, exact_finger),
                        (EXACT_SHOCK, SHOCK_FINGER_PATH, shock_ticks, shock_finger)):
                    open_at(driver, base_url + '/index.html?seed=1&paused=1&' + query, rate)
                    # Warmed up as the desktop's exact tick is: the cloud through the fan or the shock.
                    driver.execute_script('window.cornerflow.step(200)')
                    tick_times += driver.execute_script('return window.cornerflow.step(100)')
                    settle(driver)
                    drag_times += drag(driver, path, touch=True)
            for what, times in (('tick', ticks), ('drag start-up', startup), ('drag start-up, a finger', finger),
                                ('drag start-up, finger, plot', plotted), ('read start-up, finger, plot', reading),
                                ('drag slowest, new walls', slowest_new),
                                ('drag slowest, back and forth', slowest),
                                ('exact tick start-up', exact_ticks), ('exact drag start-up, finger', exact_finger),
                                ('exact tick shock', shock_ticks), ('exact drag shock, finger', shock_finger)):
                figures[(what, rate)] = (statistics.median(times), percentile(times, 95))
                print('phone 390x844 ratio 3 (frame scale %d), CPU /%d, %d tracers | %-30s | p50 %6.1f ms | '
                      'p95 %6.1f ms | goal p95 <= %.1f ms at CPU /4' % (
                          scale, rate, tracers, what, figures[(what, rate)][0], figures[(what, rate)][1],
                          GOALS[what]), file=out, flush=True)
            if with_profile:
                # A page of its own, so that the walls profiled are new to it.
                open_slowest(driver, base_url, rate)
                for name, share in profile(driver, SLOWEST_NEW_PATH):
                    print('  profile, slowest drag, CPU /%d: %5.1f %% %s' % (rate, share, name), file=out)
                open_at(driver, base_url + '/index.html?seed=1&paused=1', rate)
                settle(driver)
                for name, share in profile(driver, STARTUP_PATH):
                    print('  profile, start-up drag, CPU /%d: %5.1f %% %s' % (rate, share, name), file=out)
    finally:
        throttle(driver, 1)
        driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': False, 'maxTouchPoints': 1})
        driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
    return figures


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--site', default='build-web/site', help='the built page folder')
    ap.add_argument('--rounds', type=int, default=3, help='page loads per figure')
    ap.add_argument('--profile', action='store_true', help='also list where a drag spends its time')
    args = ap.parse_args()
    server = serve(args.site)
    driver = start_browser()
    try:
        measure(driver, 'http://127.0.0.1:%d' % server.server_address[1], rounds=args.rounds,
                with_profile=args.profile)
    finally:
        driver.quit()
        server.shutdown()


if __name__ == '__main__':
    main()
