"""The plot's panel: opened and folded, its quantities, its downloads, and its words for a screen
reader."""
import base64
import csv
import math
import os
import re
import tempfile

from driver import (
    PLOT_BOXES, read_png, open_page, described, wait_for_file, plot_of, plot_colours,
    png_pixels_differ, click, type_into, Picture, emulate, unemulate, colour_count,
)
# After the driver, which finds the Python that has Selenium.
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By


class PlotChecks:
    def plot_panel_quantities_and_ticks(self):
        """The plot's panel opens and folds with the tool and is remembered; its boxes choose the
        curves and are remembered; the core composes the plot for a drag and a probe, never for a
        tick, and none while the panel is folded; a cursor moved over the kept plot leaves no trace."""
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

            # A finger reading across the fan moves the cursor over the plot kept: after the sweep
            # the plot is, byte for byte, that of a page whose drag went from the sweep's last point
            # but one straight to its last.
            sweep = [[200 + 4 * i, 120 + i % 5] for i in range(60)]
            read = []
            for path in (sweep, sweep[-2:]):
                open_page(d, url)
                d.execute_script('window.cornerflow.drag(arguments[0][0], arguments[0][1], arguments[1], true)',
                                 path[0], path[1:])
                read.append(plot_of(d)[4])
            assert read[0] != before[4] and read[0] == read[1], 'after the sweep %d bytes differ from the plot ' \
                'read at its end alone' % sum(a != b for a, b in zip(*read))
            self.assert_no_errors()
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
        self.assert_no_errors()

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
                 'Поток не сверхзвуковой: такое течение программа не рассчитывает; давление '
                 'набегающего потока %s Па'),
                ('en', 'Plot of the state through the fan',
                 'The pressure falls from %s to %s Pa through the model\'s fan; by the exact theory, to %s Pa',
                 'The flow is not supersonic: the program does not compute such a flow; the '
                 'oncoming flow\'s pressure is %s Pa')]:
            self.open('seed=2&paused=1&lang=' + lang)
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
            if lang == 'en':
                # A drag turning the wall: at its release the description is of where it left the
                # wall, and the canvas, given only the rows that changed at each move, is the
                # core's plot.
                self.open('seed=2&paused=1&lang=en')
                d.execute_script('window.cornerflow.drag(400, 281, [[420, 275], [441, 267]])')
                moved = self.desktop.calc('--wall-point', '441,267', '--probe', '600,250')['probes'][0]
                canvas = d.find_element(By.ID, 'plot-canvas')
                said = described(d, canvas)
                m = re.fullmatch(pattern, said[0]) if said else None
                assert moved['regionName'] == 'downstream' and m and m.group(2) == moved['texts']['P'] != model_end, \
                    'after a drag described as %r; the model past the fan %s there' % (said, moved['texts']['P'])
                shown = plot_of(d)[4]
                composed = base64.b64decode(d.execute_script('return window.cornerflow.composedPlot()')['rgba'])
                assert len(shown) == len(composed) and shown == composed, 'the plot\'s canvas is not the core\'s plot: ' \
                    '%d of %d bytes differ' % (sum(a != b for a, b in zip(shown, composed)), len(composed))
                # A canvas the browser dropped comes back blank: the plot is put on it whole again.
                d.execute_script('const c = document.getElementById("plot-canvas");'
                                 'c.getContext("2d").fillRect(0, 0, c.width, c.height);'
                                 'c.dispatchEvent(new Event("contextrestored"));')
                assert plot_of(d)[4] == composed, 'a restored canvas was not given the plot again'
        self.assert_no_errors()

    def plot_texts_inside_on_a_phone(self):
        """On a phone's screen from 320 CSS px up, in both languages: the plot lies inside the page
        and every text of it (the title, the legend, the axes' captions, the labels) lies wholly
        inside the plot, none cut off at its edges; the note on the model links to the teacher's
        guide in the page's language."""
        d = self.driver
        self.open('paused=1')  # the page's storage, to remember the panel open in
        with self.plot_remembered('open'):
            for width in (320, 390, 560):
                with self.screen(width, 800, 1, phone=True):
                    for lang in ('ru', 'en'):
                        where = '%s at %d px' % (lang, width)
                        shown = {}
                        for text in (True, False):
                            self.open('beta=135&paused=1&lang=' + lang + ('' if text else '&labels=0'))
                            w, h, scale, _, rgba = plot_of(d)
                            assert scale == 1, where
                            shown[text] = rgba
                        right = d.execute_script(
                            'return document.getElementById("plot-canvas").getBoundingClientRect().right')
                        assert right <= width, '%s: the plot reaches %r, past the screen' % (where, right)
                        ink = [(i // 4 % w, i // 4 // w) for i in range(0, len(shown[True]), 4)
                               if shown[True][i:i + 3] != shown[False][i:i + 3]]
                        assert len(ink) > 2000, '%s: only %d pixels of text' % (where, len(ink))
                        xs = [x for x, _ in ink]
                        ys = [y for _, y in ink]
                        # The texts keep a margin: a text cut off at an edge runs into it.
                        assert min(xs) >= 2 and max(xs) <= w - 3 and min(ys) >= 2 and max(ys) <= h - 3, \
                            '%s: text from x %d to %d, y %d to %d in a %dx%d plot' % (
                                where, min(xs), max(xs), min(ys), max(ys), w, h)
                        link = d.find_element(By.ID, 'plot-model-link')
                        assert link.is_displayed() and link.get_attribute('href').endswith(
                            '/teaching-%s.html#model' % lang), '%s: the link is %r' % (where, link.get_attribute('href'))
        self.assert_no_errors()

    def plot_cursor_clear_and_words_grown(self):
        """On a phone's screen (390 x 844), in every language and state, a finger reading the flow
        puts the cursor's values in the band under the x axis's caption: above the axes' box (the
        title, the legend) nothing changes, inside it only the cursor's line; on a projector's
        (1920 x 1080), the plot's words and the legend's lines grow as the picture's labels show
        larger."""
        d = self.driver
        axis = (96, 96, 96)
        red = (214, 39, 40)  # M/M1's line

        def axes_rows(w, rgba):  # the rows of the axes' box's top and bottom edges
            rows = [y for y in range(len(rgba) // 4 // w)
                    if sum(tuple(rgba[4 * (y * w + x):4 * (y * w + x) + 3]) == axis for x in range(w)) > w // 2]
            return (rows[0], rows[-1]) if rows else (None, None)

        def axes_top(w, rgba):
            return axes_rows(w, rgba)[0]

        self.open('paused=1')
        with self.plot_remembered('open'):
            with self.screen(390, 844, 1, phone=True):
                for lang in ('ru', 'en', 'de', 'es', 'zh'):
                    for state in ('', 'v1=300', 'beta=40', 'v1=900&beta=100'):
                        where = '%s, %s' % (lang, state or 'start-up')
                        self.open('paused=1&lang=%s&%s' % (lang, state))
                        w, h, _, _, bare = plot_of(d)
                        d.execute_script('window.cornerflow.drag(500, 150, [[501, 151]], true)')
                        _, _, _, _, probed = plot_of(d)
                        top, bottom = axes_rows(w, bare)
                        assert top is not None and bottom > top, '%s: no axes\' box' % where
                        changed = [(i // 4 % w, i // 4 // w) for i in range(0, len(bare), 4)
                                   if bare[i:i + 3] != probed[i:i + 3]]
                        above = [p for p in changed if p[1] < top]
                        inside = [p for p in changed if top <= p[1] <= bottom]
                        below = [p for p in changed if p[1] > bottom]
                        assert not above, '%s: the cursor drew over the title or the legend: %s' % (where, above[:3])
                        assert inside and below, '%s: the reading drew no cursor or no values' % where
                        columns = {x for x, _ in inside}
                        assert max(columns) - min(columns) <= 2, \
                            '%s: the cursor\'s values reach into the axes\' box: columns %d to %d changed in ' \
                            'rows %d to %d' % (where, min(columns), max(columns), top, bottom)
                print('     phone: the axes\' box %d px high in a plot of %d x %d' % (bottom - top, w, h))
            with self.screen(1920, 1080, 1):
                self.open('paused=1&lang=en')
                pic = Picture(d)
                units = pic.width / pic.pw
                assert units > 1.2, 'the picture is shown at %.2f CSS px a pixel' % units
                w, h, _, _, rgba = plot_of(d)
                top = axes_top(w, rgba)
                longest = 0
                for y in range(top):
                    run = 0
                    for x in range(w):
                        i = 4 * (y * w + x)
                        run = run + 1 if tuple(rgba[i:i + 3]) == red else 0
                        longest = max(longest, run)
                # The legend's line is 30 px long beside words of a 14 px cell, and grows with them.
                want = 30 * round(14 * units) / 14
                print('     projector: the picture at %.2f CSS px a pixel, the legend\'s line %d px (%.0f wanted)'
                      % (units, longest, want))
                assert longest >= want - 3, 'the legend\'s line is %d px, the picture shown at %.2f: ' \
                    'want about %.0f' % (longest, units, want)
        self.assert_no_errors()
