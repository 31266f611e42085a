"""The picture: the pause, a step and the reset by key and button; the saved picture; fingers; the
labels clear of every line and the legend beside or under the picture, on a phone and wide screens."""
import base64
import math
import os
import tempfile
import time

from driver import (
    PROBE, ALL, THEORY, read_png, wait_for, texts, shown, labels, png_size, wait_for_file, frame_of,
    click, calc_labels, type_into, Picture, touch, stacked_equals_frame,
)
# After the driver, which finds the Python that has Selenium.
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys


class PictureChecks:
    def frames_without_and_with_labels(self, query):
        """The core's frames (RGBA bytes) composed with the page opened at this address without
        its labels (labels=0) and with them, and the last frame's record (width, height, scale)."""
        frames = []
        for query_now in (query + '&labels=0', query):
            self.open(query_now)
            f = self.driver.execute_script('return window.cornerflow.composedFrame()')
            frames.append(base64.b64decode(f['rgba']))
        return frames, f

    def label_heights(self, query):
        """The heights of the picture's three labels' ink (alpha, beta, chi) on the screen, in CSS
        px: the core's frame composed with the page opened at this address without its labels
        (labels=0) and with them; ink is a pixel the text made darker by half or more; alpha's
        stands above the corner's row, beta's below it, chi's in the bottom quarter. Alpha and
        "=" lie within the digits' height, so alpha's label is as high as its digits."""
        frames, f = self.frames_without_and_with_labels(query)
        w, h, scale = f['width'], f['height'], f['scale']
        rows = [[None, None] for _ in range(3)]
        for i in range(0, len(frames[0]), 4):
            bare, lettered = sum(frames[0][i:i + 3]), sum(frames[1][i:i + 3])
            if frames[0][i:i + 3] == frames[1][i:i + 3] or 2 * lettered > bare:
                continue
            y = i // 4 // w
            k = 0 if y < h // 2 else 1 if y < h * 3 // 4 else 2
            rows[k] = [y if rows[k][0] is None else rows[k][0], y]
        css_per_pixel = self.driver.execute_script('return window.cornerflow.layout().display[1]') * scale / h
        assert all(r[0] is not None for r in rows), 'a label left no ink: %r' % rows
        return [(r[1] - r[0] + 1) / scale * css_per_pixel for r in rows]

    def pause_step_and_reset(self):
        d = self.driver
        cf = 'return window.cornerflow.'
        self.open('seed=5&paused=1')
        fresh = texts(d, ALL), labels(d), d.execute_script(cf + 'tracers()')

        self.open('seed=5')
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
        self.assert_no_errors()

    def click_reads_the_flow_it_made(self):
        """Hover at (430, 120) reads the fan; a click there turns the wall straight (beta 180), and
        the probe fields show the uniform flow, M = M1, before the pointer moves again."""
        d = self.driver
        self.open('seed=2&paused=1')
        pic = Picture(d)
        at = pic.offset(430, 120)
        px, py = pic.point(*at)
        ActionChains(d).move_to_element_with_offset(pic.el, *at).perform()
        hovered = self.desktop.calc('--probe', '%d,%d' % (px, py))['probes'][0]['texts']
        assert shown(d, PROBE) == hovered, 'hover at %d,%d: page %r, desktop %r' % (px, py, shown(d, PROBE), hovered)
        ActionChains(d).click().perform()
        clicked = self.desktop.calc('--wall-point', '%d,%d' % (px, py), '--probe', '%d,%d' % (px, py))
        assert labels(d) == calc_labels(clicked), 'the click set %r' % labels(d)
        assert shown(d, PROBE) == clicked['probes'][0]['texts'] and shown(d, ['M'])['M'] == '1.336', \
            'after the click at %d,%d the probe shows %r, the desktop %r' % (
                px, py, shown(d, PROBE), clicked['probes'][0]['texts'])
        self.assert_no_errors()

    def save_picture(self):
        d = self.driver
        with tempfile.TemporaryDirectory() as tmp:
            d.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': tmp})
            self.open('seed=9&ticks=30&paused=1')
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
            self.open('seed=9&ticks=30&paused=1&labels=0&theory=1')
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
            with self.screen(900, 1000, 2):
                self.open('seed=9&paused=1')
                ActionChains(d).send_keys(Keys.ARROW_LEFT).perform()
                beta = labels(d)['beta']
                click(d, 'save-button')
                size = png_size(wait_for_file(tmp, 'cornerflow-%s.png' % beta.replace('=', '')))
                picture = d.execute_script('return window.cornerflow.pictureSize()')
                assert list(size) == [2 * v for v in picture] == list(frame_of(d)[:2]), \
                    'saved %r for a picture of %r at 2x' % (size, picture)
        self.assert_no_errors()

    def finger_reads_and_turns(self):
        d = self.driver
        with self.screen(390, 844, 3, phone=True):
            # The picture shown smaller than its pixels: labels whose digits stand 12 CSS px high.
            heights = self.label_heights('seed=2&paused=1')
            print('     the labels\' ink on an upright phone: alpha (its digits) %.1f, beta %.1f, chi %.1f CSS px'
                  % tuple(heights))
            assert min(heights) >= 12, 'labels %r CSS px high on a phone' % heights
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

            # Once the page has been idle, the labels of every wall a drag reaches are rendered:
            # a finger swept over the whole range renders no text, and the picture is the frame.
            wait_for(d, 'return window.cornerflow.labelsAhead() === 0')
            rendered = d.execute_script('return window.cornerflow.textsRendered()')
            sweep = [pic.client(311 + 150 * math.sin(math.radians(a)), 192 + 150 * math.cos(math.radians(a)))
                     for a in range(-89, 90, 7)] + [pic.client(600, 150)]
            touch(d, 'touchStart', (*b, 1))
            for p in sweep:
                touch(d, 'touchMove', (*p, 1))
            touch(d, 'touchEnd', (*sweep[-1], 1))
            assert d.execute_script('return window.cornerflow.textsRendered()') == rendered, \
                'a drag rendered %d texts after the page was idle' % (
                    d.execute_script('return window.cornerflow.textsRendered()') - rendered)
            stacked_equals_frame(d)

            # Reset tapped by a second finger while the first rests on the picture.
            type_into(d, 'v1', '600')
            fresh = calc_labels(start)
            assert labels(d) != fresh
            rest = pic.client(150, 100)
            touch(d, 'touchStart', (*rest, 1))
            # (Where the row has no room for it, Reset is in the list the "more" button opens.)
            reset = d.execute_script('const b = document.getElementById("reset-button");'
                                     'if (b.closest("#more-list")) document.getElementById("more-button").click();'
                                     'const r = b.getBoundingClientRect();'
                                     'return [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)]')
            touch(d, 'touchStart', (*rest, 1), (*reset, 2))
            touch(d, 'touchEnd', (*reset, 2))
            touch(d, 'touchEnd', (*rest, 1))
            assert labels(d) == fresh and texts(d, ['v1', 't1', 'p1']) == ['450.0', '273.0', '100000'], \
                'Reset by a second finger: %r %r' % (labels(d), texts(d, ['v1', 't1', 'p1']))
            self.assert_no_errors()

    # ---- The legend and the labels on a phone

    def overlay_through_labels(self, query):
        """How many line pixels (the walls' and arcs' blue, the dashed lines' black, the shock's
        magenta, the streamlines' green, the exact theory's violet, the frame line's grey, in the
        frame without labels) lie inside the box of a label's
        ink (where the text changed the frame, each label's pixels gathered by nearness), and the
        labels' boxes in device pixels."""
        frames, f = self.frames_without_and_with_labels(query)
        w = f['width']
        bare, lettered = frames
        # Ink on a grid of 4 x 4 device pixels, then the cells joined with their neighbours up to
        # eight cells apart along a row (a space between words) and two across rows: one group
        # per label.
        cell = 4
        ink = {}
        for i in range(0, len(bare), 4):
            if bare[i:i + 3] != lettered[i:i + 3]:
                x, y = (i // 4) % w, (i // 4) // w
                box = ink.setdefault((x // cell, y // cell), [x, y, x, y])
                box[0], box[1] = min(box[0], x), min(box[1], y)
                box[2], box[3] = max(box[2], x), max(box[3], y)
        seen, boxes = set(), []
        for start in ink:
            if start in seen:
                continue
            seen.add(start)
            todo, box = [start], list(ink[start])
            while todo:
                cx, cy = todo.pop()
                for dx in range(-8, 9):
                    for dy in (-2, -1, 0, 1, 2):
                        n = (cx + dx, cy + dy)
                        if n in ink and n not in seen:
                            seen.add(n)
                            todo.append(n)
                            b = ink[n]
                            box = [min(box[0], b[0]), min(box[1], b[1]), max(box[2], b[2]), max(box[3], b[3])]
            boxes.append(box)
        lines = (bytes((0, 0, 255)), bytes((0, 0, 0)), bytes((200, 0, 120)), bytes((20, 155, 0)),
                 bytes((150, 40, 190)), bytes((128, 128, 128)))
        crossed = 0
        for x0, y0, x1, y1 in boxes:
            for y in range(y0, y1 + 1):
                row = bare[(y * w + x0) * 4:(y * w + x1 + 1) * 4]
                crossed += sum(1 for i in range(0, len(row), 4) if row[i:i + 3] in lines)
        return crossed, boxes

    def legend_sheet_and_labels(self):
        """On an upright phone (390 x 844, and 320 x 640) no line of the picture crosses a label, in the states
        where lines crossed them and the exact theory's; the legend opens from its tool without
        hiding the picture, and closes by its own control, by Escape and by a tap outside, each
        control a finger's size; at 1366 and 1920 wide the same by the mouse. The legend's samples
        are the core's pixels at the screen's device pixels."""
        states = ['seed=2&paused=1', 'seed=2&paused=1&beta=40', 'seed=2&paused=1&v1=900&beta=100',
                  'seed=2&paused=1&v1=3000', 'seed=2&paused=1&t1=0', 'seed=2&paused=1&theory=1',
                  'seed=2&paused=1&physics=exact&beta=10', 'seed=2&paused=1&physics=exact&v1=900&beta=200',
                  'seed=2&paused=1&physics=exact&beta=200']
        # The smallest phone, whose labels are the largest against the picture, at the state
        # with the least room for them.
        with self.screen(320, 640, 2, phone=True):
            states320 = ['seed=2&paused=1&beta=40', 'seed=2&paused=1&physics=exact&beta=10']
            for query in states320:
                crossed, boxes = self.overlay_through_labels(query)
                print('     320 px: %-40s %d labels, %d line pixels inside them' % (query, len(boxes), crossed))
                assert len(boxes) >= 2 and crossed == 0, '320 px, %s: %d line pixels inside the labels %r' % (
                    query, crossed, boxes)
        with self.screen(390, 844, 3, phone=True):
            for query in states:
                crossed, boxes = self.overlay_through_labels(query)
                print('     %-48s %d labels, %d line pixels inside them' % (query, len(boxes), crossed))
                assert len(boxes) >= 2, '%s: labels %r' % (query, boxes)
                assert crossed == 0, '%s: %d line pixels inside the labels %r' % (query, crossed, boxes)
            self.legend_opens_and_closes(phone=True)
        for width, height in ((1366, 768), (1920, 1080)):
            with self.screen(width, height):
                self.legend_opens_and_closes(phone=False)
        self.assert_no_errors()

    def legend_opens_and_closes(self, phone):
        d = self.driver
        self.open('seed=2&paused=1')
        rect = ('const r = arguments[0].getBoundingClientRect();'
                'return [r.left, r.top, r.right, r.bottom]')

        def centre(el):
            x0, y0, x1, y1 = d.execute_script(rect, el)
            return int((x0 + x1) / 2), int((y0 + y1) / 2)

        def tap(el):
            if phone:
                x, y = centre(el)
                touch(d, 'touchStart', (x, y, 1))
                touch(d, 'touchEnd', (x, y, 1))
            else:
                el.click()

        def open_legend():
            button = d.find_element(By.ID, 'legend-button')
            if not button.is_displayed():
                tap(d.find_element(By.ID, 'more-button'))
            tap(button)
            assert panel.is_displayed(), 'the legend did not open'

        panel = d.find_element(By.ID, 'legend-panel')
        close = d.find_element(By.ID, 'legend-close')
        picture = d.find_element(By.CSS_SELECTOR, '.picture')
        open_legend()
        p = d.execute_script(rect, picture)
        q = d.execute_script(rect, panel)
        over = max(0, min(p[2], q[2]) - max(p[0], q[0])) * max(0, min(p[3], q[3]) - max(p[1], q[1]))
        share = over / ((p[2] - p[0]) * (p[3] - p[1]))
        vw, vh = d.execute_script('return [document.documentElement.clientWidth, innerHeight]')
        print('     %dx%d: the picture %s, the legend %s: %.0f %% of the picture covered'
              % (vw, vh, [round(v) for v in p], [round(v) for v in q], 100 * share))
        assert share <= 0.25, 'the legend covers %.0f %% of the picture' % (100 * share)
        assert q[3] <= vh + 0.5 and q[1] >= -0.5, 'the legend reaches past the screen: %r' % q
        # The close control, and the tool that opens the legend (or the "more" button whose list
        # holds it on a narrow row).
        tool = d.find_element(By.ID, 'legend-button')
        if not tool.is_displayed():
            tool = d.find_element(By.ID, 'more-button')
        for el in (close, tool):
            x0, y0, x1, y1 = d.execute_script(rect, el)
            assert min(x1 - x0, y1 - y0) >= 44 or not phone and el != close, \
                '%s is %dx%d px' % (el.get_attribute('id'), x1 - x0, y1 - y0)
        # The samples: the core's pixels at the screen's device pixels, 48 x 20 CSS px.
        ratio = d.execute_script('return devicePixelRatio')
        sizes = d.execute_script('return [...document.querySelectorAll("#legend-items canvas")]'
                                 '.map((c) => [c.width, c.height, c.clientWidth, c.clientHeight])')
        assert sizes and all(s == [48 * math.ceil(ratio), 20 * math.ceil(ratio), 48, 20] for s in sizes), sizes
        tap(close)
        assert not panel.is_displayed(), 'the close control left the legend open'
        assert d.find_element(By.ID, 'legend-button').get_attribute('aria-pressed') == 'false'
        open_legend()
        ActionChains(d).send_keys(Keys.ESCAPE).perform()
        assert not panel.is_displayed(), 'Escape left the legend open'
        open_legend()
        # A tap on the status line under the picture, outside the legend.
        status = d.find_element(By.ID, 'flow-status')
        x, y = centre(status)
        x0, y0, x1, y1 = d.execute_script(rect, panel)
        if x0 <= x <= x1 and y0 <= y <= y1:
            x, y = int(p[0]) + 4, int(p[1]) + 4
        if phone:
            touch(d, 'touchStart', (x, y, 1))
            touch(d, 'touchEnd', (x, y, 1))
        else:
            actions = ActionBuilder(d)
            actions.pointer_action.move_to_location(x, y).click()
            actions.perform()
        assert not panel.is_displayed(), 'a tap outside left the legend open'
