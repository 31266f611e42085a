"""The page against the desktop program: the same texts, labels and pictures for the same inputs,
seeds and ticks, typed, pointed and dragged as a user would, hostile texts among them."""
import base64
import math
import os
import re
import subprocess
import tempfile
import time

from driver import (
    DERIVED, PROBE, RED, MARKER, PLOT_GREY, read_png, open_page, described, field, shown,
    labels, plot_of, plot_colours, calc_labels, type_into, Picture, stacked_equals_frame,
    choose_language,
)
# After the driver, which finds the Python that has Selenium.
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys


SHOCK = (200, 0, 120)  # the exact flow's shock line (Corner::shockPen)


class ShellChecks:
    def exact_flow_shown(self):
        """The page in the exact flow: a shock at V1 900 with the wall 20 degrees up drawn along
        the calculator's shock angle, no tracer in the body, the status naming the attached
        oblique shock, the probe's nine fields as the desktop's at two points; at the start-up
        speed the same wall is past the largest turn (theta 20 > theta_max 7.65 at M1 1.336): the
        shock detaches."""
        d = self.driver
        hook = 'return window.cornerflow.'
        args = ('--physics', 'exact', '--v1', '900', '--beta', '200')
        doc = self.desktop.calc(*args)
        sigma = doc['theory']['shockAngleDegrees']
        corner = doc['corner']
        self.open('physics=exact&v1=900&beta=200&lang=en&seed=3&paused=1')
        d.execute_script(hook + 'step(400)')
        f = d.execute_script(hook + 'composedFrame()')
        w, h, scale, rgba = f['width'], f['height'], f['scale'], base64.b64decode(f['rgba'])
        pw, ph = d.execute_script(hook + 'pictureSize()')
        assert (w, h) == (round(pw * scale), round(ph * scale)), 'frame %dx%d at scale %r' % (w, h, scale)
        ax, ay = corner['left'] + corner['width'] // 2, corner['top']

        def pixel(x, y):
            i = 4 * (int(y * scale) * w + int(x * scale))
            return tuple(rgba[i:i + 3])

        # The shock pen along the ray at sigma (within a pixel of it), 20 to 150 px out.
        s, c = math.sin(math.radians(sigma)), math.cos(math.radians(sigma))
        on_ray = sum(any(pixel(ax + r * c + e * s, ay - r * s + e * c) == SHOCK for e in (-1, 0, 1))
                     for r in range(20, 151, 5))
        assert on_ray >= 25, 'the shock at %.3f degrees: %d of 27 points on its ray' % (sigma, on_ray)
        # No tracer below the wall's ray at +20 degrees (more than two pixels from it).
        wall = math.radians(20.0)
        inside = [(x, y) for y in range(0, ph) for x in range(0, pw)
                  if math.atan2(ay - y, x - ax) < wall
                  and (x - ax) * math.sin(wall) + (y - ay) * math.cos(wall) > 2.0 and pixel(x, y) == RED]
        tracers = sum(pixel(x, y) == RED for y in range(0, ph, 2) for x in range(0, pw, 2))
        assert tracers > 50 and not inside, '%d tracer pixels, %d in the body: %r' % (
            tracers, len(inside), inside[:5])
        status = d.execute_script(hook + 'status()')
        assert 'an attached oblique shock at σ = ' in status, status

        # The probe: upstream and behind the shock, the desktop's nine fields.
        pic = Picture(d)
        for x, y in ((150, 100), (ax + 87, ay - 50)):  # 30 degrees up: behind the shock
            dx, dy = pic.offset(x, y)
            ActionChains(d).move_to_element_with_offset(pic.el, dx, dy).perform()
            px, py = pic.point(dx, dy)
            probe = self.desktop.calc(*args, '--probe', '%d,%d' % (px, py))['probes'][0]
            assert shown(d, PROBE) == probe['texts'], 'probe at %d,%d: page %r, desktop %r' % (
                px, py, shown(d, PROBE), probe['texts'])

        self.open('physics=exact&beta=200&lang=en&paused=1')
        status = d.execute_script(hook + 'status()')
        assert 'the shock detaches' in status, status
        self.assert_no_errors()

    def exact_flow_on_the_page(self):
        try:
            self.exact_flow_shown()
        finally:
            # The link's flow and language are remembered: the next checks start as a new visitor.
            self.driver.execute_script('localStorage.clear()')

    def fields_follow_inputs_probe_and_drag(self):
        d = self.driver
        self.open('seed=7')
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

        self.assert_no_errors()

    def status_legend_and_keyboard_reading(self):
        """The status line says what the flow does in the page's language; the legend opens from
        its tool with an item for every line; Shift with an arrow reads the flow by keys, and the
        read-out follows a key turn and a typed input, as the desktop's calculator reads there."""
        d = self.driver
        self.open('seed=7')
        hook = 'return window.cornerflow.'
        status = d.execute_script(hook + 'status()')
        assert status.startswith('Стенка повёрнута на 45°, поток — на 45°'), 'status at start: %r' % status

        w, h = d.execute_script(hook + 'pictureSize()')
        x, y = w // 2 + 4, h // 2
        ActionChains(d).key_down(Keys.SHIFT).send_keys(Keys.ARROW_RIGHT).key_up(Keys.SHIFT).perform()
        doc = self.desktop.calc('--probe', '%d,%d' % (x, y))
        assert shown(d, PROBE) == doc['probes'][0]['texts'], 'read by keys: %r' % shown(d, PROBE)
        assert d.execute_script(hook + 'mark()')['shown'], 'no mark where the keys read'
        ActionChains(d).send_keys(Keys.PAGE_UP).perform()  # the wall 10 degrees on: beta 145
        doc = self.desktop.calc('--beta', '145', '--probe', '%d,%d' % (x, y))
        assert labels(d) == calc_labels(doc), 'PgUp: %r' % labels(d)
        assert shown(d, PROBE) == doc['probes'][0]['texts'], 'stale after a key turn: %r' % shown(d, PROBE)
        type_into(d, 'v1', '700')
        doc = self.desktop.calc('--v1', '700', '--beta', '145', '--probe', '%d,%d' % (x, y))
        assert shown(d, PROBE) == doc['probes'][0]['texts'], 'stale after an input: %r' % shown(d, PROBE)

        type_into(d, 'v1', '-300')
        status = d.execute_script(hook + 'status()')
        assert status.startswith('V1 < 0 — поток течёт назад') and 'веер' not in status, status
        choose_language(d, 'en')
        status = d.execute_script(hook + 'status()')
        assert status.startswith('V1 < 0 is a flow running backwards'), status
        type_into(d, 'v1', '3000')
        d.find_element(By.ID, 'theory-button').click()
        status = d.execute_script(hook + 'status()')
        assert 'By the exact theory the flow turns at most' in status, status
        # Chinese sentences end with the Chinese full stop: the ones the page finishes too.
        choose_language(d, 'zh')
        status = d.execute_script(hook + 'status()')
        assert status.endswith('\u3002') and not re.search(r'\.(\s|$)', status) and '\u3002.' not in status, status
        choose_language(d, 'en')

        assert not d.find_element(By.ID, 'legend-panel').is_displayed(), 'the legend is open at start'
        d.find_element(By.ID, 'legend-button').click()
        assert d.find_element(By.ID, 'legend-panel').is_displayed(), 'the legend did not open'
        items = ' '.join(d.execute_script(hook + 'legend()'))
        for word in ('walls', 'sonic line', 'first characteristic', 'last characteristic',
                     'particles', 'streamlines', 'marker', '(button “Exact theory”)'):
            assert word in items, 'the legend lacks %r' % word
        assert 'flow boundary' not in items, 'the legend lists the flow boundary, which is not drawn'
        # The key E chooses the exact theory's flow: its tool pressed, the status in its words.
        d.find_element(By.CSS_SELECTOR, '[role=slider]').send_keys('e')
        assert d.find_element(By.ID, 'physics-button').get_attribute('aria-pressed') == 'true'
        status = d.execute_script(hook + 'status()')
        assert status.startswith('Exact theory: the wall is turned'), status
        d.find_element(By.CSS_SELECTOR, '[role=slider]').send_keys('e')
        assert d.find_element(By.ID, 'physics-button').get_attribute('aria-pressed') == 'false'
        # The exact theory and the language are remembered: the next checks start as a new visitor.
        d.find_element(By.ID, 'theory-button').click()
        choose_language(d, 'ru')
        self.assert_no_errors()

        # On a projector, choosing a language neither moves nor resizes the picture.
        rect = ('const r = document.querySelector(".picture").getBoundingClientRect();'
                'return [r.left, r.top, r.width, r.height]')
        with self.screen(1920, 1080):
            self.open('seed=3&lang=ru')
            before = d.execute_script(rect)
            for lang in ('en', 'ru'):
                choose_language(d, lang)
                assert d.execute_script(rect) == before, '%s: the picture at %r, was %r' % (
                    lang, d.execute_script(rect), before)

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
        for lettered in (True, False):
            self.open('seed=%d&ticks=%d&paused=1%s'
                      % (seed, ticks, '' if lettered else '&labels=0'))
            frame = d.execute_script('return window.cornerflow.frame()')
            assert frame['scale'] == 1, 'expected a picture at scale 1, got %r' % frame['scale']
            rgba = base64.b64decode(frame['rgba'])
            pages[lettered] = (frame['width'], frame['height'],
                               [tuple(rgba[i:i + 3]) for i in range(0, len(rgba), 4)])
            # Paused: no tick ran after the ones asked for.
            assert d.execute_script('return window.cornerflow.ticks()') == ticks
        w, h = pages[True][0], pages[True][1]
        desks = {}
        with tempfile.TemporaryDirectory() as tmp:
            for lettered in (True, False):
                sw, sh, rows = self.desktop.snapshot(
                    os.path.join(tmp, 'snap.png'), '--seed', str(seed), '--ticks', str(ticks),
                    *([] if lettered else ['--no-labels']))
                assert (sw, sh) == (w, h), 'sizes differ: page %dx%d, desktop %dx%d' % (w, h, sw, sh)
                desks[lettered] = [p for row in rows for p in row]
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
        self.open('seed=%d&paused=1' % seed)
        d.execute_script('window.cornerflow.step(60)')
        stacked_equals_frame(d)
        # A paused drag turns the wall and moves no tracer; the next ticks move them from there.
        d.execute_script('window.cornerflow.drag(420, 250, [[400, 330], [380, 360]])')
        stacked_equals_frame(d)
        d.execute_script('window.cornerflow.step(3)')
        stacked_equals_frame(d)
        # Only what was drawn is put again after a change of the wall: with the exact theory's
        # lines above, and after they are taken away.
        for _ in range(2):
            d.find_element(By.ID, 'theory-button').click()
            d.execute_script('window.cornerflow.drag(420, 250, [[440, 300], [300, 380]])')
            stacked_equals_frame(d)
        # The page reads a text's coverage back only within its ink's box as the canvas measures
        # it, two pixels wider each way: no inked pixel may lie outside that, for the labels'
        # texts and other languages' words, at sizes from a laptop's to a phone's enlarged labels.
        outside = d.execute_script('''
            const c = new OffscreenCanvas(900, 200), g = c.getContext('2d', {willReadFrequently: true});
            const texts = ['\u03b1=48', '\u03b2=-135', '\u03c7=130, \u0394\u03c6=89', '\u03c7=\u2014',
                           '\u538b\u529b p, \u6e29\u5ea6', 'Temperatur \u00fcber Gr\u00f6\u00dfe', 'Presi\u00f3n, \u00f1'];
            let bad = [];
            for (const px of [11, 16, 24, 40, 62, 90]) {
              g.font = px + "px Verdana, 'DejaVu Sans', sans-serif";
              for (const t of texts) {
                g.clearRect(0, 0, 900, 200);
                g.fillText(t, 20, 140);
                const m = g.measureText(t);
                const x0 = 20 + Math.floor(-m.actualBoundingBoxLeft) - 2, x1 = 20 + Math.ceil(m.actualBoundingBoxRight) + 2;
                const y0 = 140 - Math.ceil(m.actualBoundingBoxAscent) - 2, y1 = 140 + Math.ceil(m.actualBoundingBoxDescent) + 2;
                const a = g.getImageData(0, 0, 900, 200).data;
                for (let y = 0; y < 200; ++y)
                  for (let x = 0; x < 900; ++x)
                    if (a[4 * (y * 900 + x) + 3] && (x < x0 || x >= x1 || y < y0 || y >= y1)) bad.push([t, px, x, y]);
              }
            }
            return bad.slice(0, 5);''')
        assert not outside, 'ink outside the measured box: %r' % outside

    def hostile_inputs(self):
        d = self.driver
        self.open('seed=3')
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
        self.assert_no_errors()

    def numbers_as_people_type_them(self):
        d = self.driver
        self.open('seed=4&paused=1')
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
        self.assert_no_errors()

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
