"""The page on every screen: the layouts, the phone's first screen, the tab order, the picture as a
slider, and the words of each language."""
import glob
import os
import re
import time

from driver import (
    ALL, UNIT_OF, PLOT_CONTROLS, wait_for, described, field, texts, labels, click, type_into,
    Picture, emulate, unemulate, touch, stacked_equals_frame, frame_scale_for, start_browser,
    open_page, choose_language,
)
# After the driver, which finds the Python that has Selenium.
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))


class ScreenChecks:
    # Words that stand as they are in both languages: names, and the keys' own names.
    NAMES = {'Cornerflow', 'MIT', 'WebAssembly', 'OK', 'PgDn', 'PgUp', 'Home', 'End', 'F', 'Tab', 'Shift',
             'Language', 'Русский', 'English', 'Язык'}
    # What a Chinese page may show in Latin letters: names, the keys' own names, the fields'
    # symbols and the units' symbols.
    LATIN_IN_CHINESE = NAMES | {'E', 'g', 'mol', 'V', 'T', 'P', 'M', 'Vr', 'c', 'a', 'K', 'Pa', 'kg', 'm', 's', 'x', 'y',
                                'cr', 'Ccr', 'Pcr', 'Tcr', 'Esc', 'Space', 'PNG', 'CSV', 'SVG',
                                # the gases' formulas: N₂, O₂, He, Ar, CO₂, H₂O, CH₄, H₂
                                'N', 'O', 'He', 'Ar', 'CO', 'H', 'CH'}

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
            for (const id of ["picture-state", "role-input", "role-upstream",
                              "role-probe"])
              out.push(document.getElementById(id).textContent);
            return out.join(" ");''')
        d.execute_script('document.getElementById("about").close()')
        # The language box lists every language by its own name, in every language.
        for name in d.execute_script('return window.cornerflowLanguages.map(r => r.name)'):
            words = words.replace(name, ' ')
        other = '[A-Za-z]' if lang == 'ru' else '[А-Яа-яЁё]'
        # In Russian, the fields' symbols are Latin letters (V, T, P, M, c, Vr).
        strays = {w for w in re.findall(other + '+', words)
                  if w not in self.NAMES and not (lang == 'ru' and len(w) <= 2)}
        if lang == 'zh':
            strays |= {w for w in re.findall('[A-Za-z]+', words) if w not in self.LATIN_IN_CHINESE}
        assert not strays, '%s page has words of the other language: %r' % (lang, sorted(strays))

    # Every element a user sees whose text runs past its box (not one that scrolls by design, not
    # one hidden for a screen reader): [id or class, text, scrollWidth, clientWidth].
    OVERFLOWING = '''
        return [...document.querySelectorAll("body *")].filter(e => {
          if (!e.getClientRects().length || e.closest(".visually-hidden") || e.closest("dialog:not([open])"))
            return false;
          if (["SELECT", "OPTION", "INPUT", "CANVAS", "IMG", "SCRIPT", "svg"].includes(e.tagName)) return false;
          const style = getComputedStyle(e);
          if (["auto", "scroll"].includes(style.overflowX) || style.display === "inline") return false;
          return e.scrollWidth > e.clientWidth + 1 && e.clientWidth > 0;
        }).map(e => [e.id || e.className, e.textContent.slice(0, 40), e.scrollWidth, e.clientWidth]);'''

    def every_language(self):
        """Each language of the table from the address: the page marked with its tag, the caption,
        tools and About box in its words (no Cyrillic outside Russian, no Latin words in Chinese),
        the select listing every language by its own name. (Every screen in every language:
        layouts_for_every_screen.)"""
        d = self.driver
        self.open('seed=3&paused=1')
        rows = d.execute_script('return window.cornerflowLanguages.map(r => [r.code, r.name, r.tag])')
        assert [r[0] for r in rows[:2]] == ['ru', 'en'] and len(rows) >= 5, 'the languages: %r' % rows
        captions = set()
        try:
            for code, name, tag in rows:
                self.open('seed=3&paused=1&lang=' + code)
                assert d.execute_script('return document.documentElement.lang') == tag, code
                options = d.execute_script('return [...document.getElementById("language").options]'
                                           '.map(o => [o.value, o.textContent, o.lang])')
                assert options == rows, '%s: the select lists %r' % (code, options)
                captions.add(d.find_element(By.ID, 'caption').text)
                self.check_words(d, code)
                self.check_session_texts(d, code)
                assert not d.execute_script('return window.cornerflow.missingWords()'), code
            # The language box is the program's table: every language is listed, and English
            # opens, even where the file of the words said before the program runs did not come.
            lost = d.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {
                'source': 'Object.defineProperty(window, "cornerflowLanguages", {get: () => undefined, set: () => {}})'})
            try:
                self.open('seed=3&paused=1&lang=en')
                options = d.execute_script('return [...document.getElementById("language").options]'
                                           '.map(o => [o.value, o.textContent, o.lang])')
                assert options == rows, 'without the words file the select lists %r' % options
                assert d.find_element(By.ID, 'caption').text == 'Flow round a convex corner' and \
                    d.execute_script('return document.documentElement.lang') == 'en', 'not English without the words file'
            finally:
                d.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument', {'identifier': lost['identifier']})
        finally:
            d.execute_script('localStorage.clear()')
        assert len(captions) == len(rows), 'a caption left untranslated: %r' % captions
        self.assert_no_errors()

    def check_session_texts(self, d, code):
        """The page shows exactly the texts its session finished (as the window does: the test
        Languages.TheWindowShowsTheSessionsTexts): the status line, the slider's value, the
        fields' and the gases' names, the About box."""
        want = d.execute_script('return window.cornerflow.finished()')
        shown = d.execute_script('''
            const about = document.getElementById("about-body");
            return {
              status: document.getElementById("flow-status").textContent,
              slider: document.querySelector("[role=slider]").getAttribute("aria-valuetext"),
              fieldNames: [...document.querySelectorAll("input[data-key]")].map(
                  (el) => [el.dataset.key, el.getAttribute("aria-label")]),
              gases: [...document.getElementById("gas-choice").options].map((o) => o.textContent),
              gasName: document.getElementById("gas-choice").getAttribute("aria-label"),
              caption: document.getElementById("about-caption").textContent,
              physics: document.getElementById("about-physics").textContent,
              about: Object.fromEntries([...about.querySelectorAll("[data-control-id]")]
                  .filter((el) => el.textContent).map((el) => [el.dataset.controlId, el.textContent])),
            };''')
        where = 'lang=%s' % code
        assert want['status'] and shown['status'] == want['status'], (where, shown['status'], want['status'])
        assert shown['slider'] == want['slider'], (where, shown['slider'], want['slider'])
        names = dict(shown['fieldNames'])
        assert want['fieldNames'] and all(names.get(k) == v for k, v in want['fieldNames']), (where, names)
        assert shown['gases'] == want['gases'] and shown['gasName'] == want['gasName'], (where, shown['gases'])
        about = want['about']
        assert shown['caption'] == about['caption'] and shown['physics'] == about['physics'], where
        assert shown['about'] == about['texts'], (where, shown['about'], about['texts'])

    def opening_language(self):
        """Which language opens: the address's, then the remembered choice, then the first of the
        browser's preferred languages that the page speaks, then Russian."""
        lang = 'return document.documentElement.lang'
        # A language the page does not speak: the first of these without a translation file.
        spoken = {os.path.basename(p)[len('cornerflow_'):-len('.ts')]
                  for p in glob.glob(os.path.join(ROOT, 'res', 'translations', 'cornerflow_*.ts'))}
        other_code = next(c for c in ('fr', 'it', 'pt', 'nl', 'pl') if c not in spoken)
        unspoken = '%s-%s,%s' % (other_code, other_code.upper(), other_code)
        for preferred, want in [('de-DE,de', 'de'), (unspoken + ',es', 'es'), (unspoken, 'ru')]:
            other = start_browser(languages=preferred)
            try:
                open_page(other, self.base + '/index.html?seed=2&paused=1')
                got = other.execute_script(lang)
                assert got == want, 'a browser preferring %s opens %r' % (preferred, got)
                if preferred == 'de-DE,de':
                    open_page(other, self.base + '/index.html?seed=2&paused=1&lang=zh')
                    assert other.execute_script(lang) == 'zh-Hans', 'the address comes first'
                    choose_language(other, 'es')
                    open_page(other, self.base + '/index.html?seed=2&paused=1')
                    assert other.execute_script(lang) == 'es', 'the remembered choice before the browser\'s'
            finally:
                other.quit()

    def names_and_languages(self):
        d = self.driver
        cf = 'return window.cornerflow.'
        # Russian asked for: the headless browser prefers English, which would open otherwise.
        self.open('seed=3&paused=1&lang=ru')
        d.execute_script('localStorage.clear()')
        self.open('seed=3&paused=1&lang=ru')

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
            # The wall's turn and the flow's turn (the label's chi) are named apart.
            text = state.get_attribute('textContent')
            want = re.search('поток — (лишь )?на %s°.*веер шириной %s°' % (turn, span), text)
            assert want and flow in text, \
                'after a drag to %r (%s): %r' % (point, chi, state.get_attribute('textContent'))
        d.execute_script('window.cornerflow.pause()')
        type_into(d, 'v1', '100')
        # Spoken within a second of the last description.
        wait_for(d, 'return document.getElementById("picture-state").textContent.includes("не вычисляется")', timeout=2)
        type_into(d, 'v1', '450.0')
        ActionChains(d).move_to_element_with_offset(pic.el, *pic.offset(500, 100)).perform()
        numbers = texts(d, ALL)
        images = d.execute_script('return [...document.querySelectorAll("img.label-image")].map(i => i.src)')

        # English from the address: the words change, the numbers do not.
        self.open('seed=3&paused=1&lang=en')
        assert d.title == d.find_element(By.ID, 'caption').text == 'Flow round a convex corner', \
            'English title %r' % d.title
        assert d.execute_script('return document.documentElement.lang') == 'en', 'the page is not marked English'
        en = check_names(1)
        assert all(en[k] != ru[k] for k in ALL), 'names left in Russian: %r' % en
        pic = Picture(d)
        assert pic.el.accessible_name == 'Flow picture', 'the picture has no English name'
        assert d.find_element(By.ID, 'about-guide').get_attribute('href').endswith('/teaching-en.html'), \
            'the English About box links to %r' % d.find_element(By.ID, 'about-guide').get_attribute('href')
        d.execute_script('window.cornerflow.resume()')
        (ActionChains(d).move_to_element_with_offset(pic.el, *pic.offset(420, 250)).click_and_hold()
         .move_to_element_with_offset(pic.el, *pic.offset(311, 380)).release().perform())
        assert 'the flow stays attached' in d.find_element(By.ID, 'picture-state').get_attribute('textContent'), \
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
        self.open('seed=3&lang=ru')
        assert d.find_element(By.ID, 'caption').text == 'Обтекание тупого угла', 'not Russian when asked'
        choose_language(d, 'en')
        assert d.find_element(By.ID, 'caption').text == 'Flow round a convex corner', 'the choice did nothing'
        assert field(d, 'v1').accessible_name == en['v1'], 'the choice left the names'

        self.open('seed=3')
        assert d.find_element(By.ID, 'caption').text == 'Flow round a convex corner', 'English was forgotten'
        self.open('seed=3&lang=ru')
        assert d.find_element(By.ID, 'caption').text == 'Обтекание тупого угла', 'lang=ru did not override'
        d.execute_script('localStorage.clear()')
        self.assert_no_errors()

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

    def phone_reads_beside_the_picture(self):
        """On an upright phone, after a tap in the fan, the values read (M, P, T, V) stand under
        the picture, both within the first screen, and say what the fields say."""
        d = self.driver
        with self.screen(390, 844, 3, phone=True):
            self.open('seed=3')
            pic = Picture(d)
            box = [pic.left, pic.top, pic.width, pic.height]
            tap = (box[0] + box[2] * 0.75, box[1] + box[3] * 0.2)
            touch(d, 'touchStart', (tap[0], tap[1], 1))
            touch(d, 'touchEnd', (tap[0], tap[1], 1))
            strip = d.find_element(By.ID, 'read-strip')
            rect = d.execute_script('const r = arguments[0].getBoundingClientRect();'
                                    'return [r.top, r.bottom, innerHeight, scrollY]', strip)
            assert rect[3] == 0 and box[1] >= 0 and rect[0] >= box[1] + box[3] and rect[1] <= rect[2], \
                'the read values are not on the first screen with the picture: %r, picture %r' % (rect, box)
            text = strip.text
            for key in ('M', 'P', 'T', 'V'):
                value = field(d, key).get_attribute('value')
                assert value != '0.000' and (key + ' ' + value) in text, 'the strip says %r, %s is %r' % (text, key, value)
            self.assert_no_errors()

    def tools_shown(self):
        """The ids of the tools shown, in the document's order."""
        return self.driver.execute_script(
            'return [...document.querySelectorAll("#tools button, #tools select")]'
            '.filter(e => !e.hidden && e.getClientRects().length).map(e => e.id)')

    def tools_above_dialog(self):
        """Whether every tool shown stands above the dialog (else all stand below it)."""
        d = self.driver
        above, below = d.execute_script(
            'const top = document.getElementById("dialog").getBoundingClientRect().top;'
            'const bottom = document.getElementById("dialog").getBoundingClientRect().bottom;'
            'const rs = [...document.querySelectorAll("#tools button, #tools select")]'
            '.filter(e => !e.hidden && e.getClientRects().length).map(e => e.getBoundingClientRect());'
            'return [rs.every(r => r.bottom <= top + 0.5), rs.every(r => r.top >= bottom - 0.5)]')
        assert above or below, 'the tools stand beside the dialog\'s rows'
        return above

    def tab_order(self, first, presses):
        """What Tab reaches from the control with this id (or data-key), pressed so many times."""
        d = self.driver
        d.execute_script('(document.getElementById(arguments[0]) ||'
                         ' document.querySelector(`[data-key="${arguments[0]}"]`)).focus()', first)
        order = [first]
        for _ in range(presses):
            ActionChains(d).send_keys(Keys.TAB).perform()
            order.append(d.execute_script('const e = document.activeElement;'
                                          'return e.dataset.key || (e.classList.contains("picture") ? "picture" : e.id)'))
        return order

    def laptop_first_screen(self):
        """On a laptop's browser (1366 x 650 CSS px of page), the plot open as by default: the
        picture, the three inputs, the gas's row and the status line in sight unscrolled, no
        control outside the width, no word past its box."""
        d = self.driver
        with self.screen(1366, 650, 1, False), self.plot_remembered(None):
            self.open('seed=1&paused=1')
            seen = ['.picture', 'input[data-key="v1"]', 'input[data-key="t1"]', 'input[data-key="p1"]', '.gas-row',
                    '#flow-status']
            boxes = d.execute_script('return arguments[0].map(s => { const r = document.querySelector(s)'
                                     '.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; })', seen)
            outside = [s for s, (l, t, r, b) in zip(seen, boxes) if l < 0 or t < 0 or r > 1366 or b > 650]
            assert d.execute_script('return scrollY') == 0 and not outside, 'not in sight: %r (%r)' % (outside, boxes)
            assert d.execute_script('return document.documentElement.scrollWidth') <= 1366, 'the page scrolls sideways'
            over = d.execute_script(self.OVERFLOWING)
            assert not over, 'text past its box: %r' % over
            self.assert_no_errors()

    def phone_first_screen(self):
        """On a phone held upright, the first screen shows the picture, the reading strip (dashes
        before a reading), the status line and (from 390 px wide) the three inputs unscrolled, the tools in one row of
        finger-sized buttons above them, those the row has no room for in the list the "more"
        button opens, each answering a tap; Tab meets the tools before the inputs. Held
        sideways, the tools stand after the fields, and Tab meets them there."""
        d = self.driver
        first = ['.picture', '#read-strip', '#flow-status', 'input[data-key="v1"]', 'input[data-key="t1"]',
                 'input[data-key="p1"]']
        for width, height, ratio in [(390, 844, 3), (320, 640, 2)]:
            where = '%dx%d' % (width, height)
            with self.screen(width, height, ratio, True), self.plot_remembered(None):
                self.open('seed=1&paused=1')
                assert d.execute_script('return window.cornerflow.layout().mode') == 'rows', where
                boxes = d.execute_script('return arguments[0].map(s => { const r = document.querySelector(s)'
                                         '.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; })', first)
                # On the smallest phone the picture, the strip and the status line at least (the
                # status line may take two lines there, pushing the last input just past the fold).
                needed = first if width >= 390 else first[:3]
                outside = [s for s, (l, t, r, b) in zip(first, boxes)
                           if s in needed and (l < 0 or t < 0 or r > width or b > height)]
                assert d.execute_script('return scrollY') == 0 and not outside, \
                    '%s: not in the first screen: %r (%r)' % (where, outside, boxes)
                strip = d.find_element(By.ID, 'read-strip').text
                assert strip == 'M — · P — · T — · V —', '%s: before a reading the strip says %r' % (where, strip)
                assert d.find_element(By.ID, 'flow-status').text, '%s: the status line is empty' % where
                tools = ('return [...document.querySelectorAll("#tools button, #tools select")]'
                         '.filter(e => !e.hidden && e.getClientRects().length).map(e => { const r = e.getBoundingClientRect();'
                         'return [e.id, r.width, r.height, r.top, r.left, r.right, e.scrollWidth > e.clientWidth]; })')
                sizes = d.execute_script(tools)
                small = [s for s in sizes if s[1] < 44 - 0.01 or s[2] < 44 - 0.01]
                assert len(sizes) >= 3 and not small, '%s: tools smaller than 44 CSS px: %r' % (where, small)
                assert len({round(s[3]) for s in sizes}) == 1, '%s: the tools take more than a row: %r' % (where, sizes)
                cut = [s[0] for s in sizes if s[4] < 0 or s[5] > width + 0.5 or s[6]]
                assert not cut, '%s: tools cut at the screen\'s edge: %r' % (where, cut)
                # The rest in the "more" list: every tool of the core's once, in the core's order.
                row = [s[0] for s in sizes]
                assert 'more-button' in row and row[-1] == 'language', '%s: the row %r' % (where, row)
                click(d, 'more-button')
                listed = d.execute_script(tools.replace('#tools button, #tools select', '#more-list button'))
                assert listed and all(s[2] >= 44 - 0.01 and s[4] >= 0 and s[5] <= width + 0.5 and not s[6]
                                      for s in listed), '%s: the list %r' % (where, listed)
                order = [t for t in row if t not in ('more-button', 'language')] + [s[0] for s in listed]
                ranks = d.execute_script('return arguments[0].map(id => Number(document.getElementById(id).dataset.order))', order)
                shown_all = d.execute_script('return [...document.querySelectorAll(".tool:not(.more-tool)")]'
                                             '.filter(e => !e.hidden).length')
                assert ranks == sorted(ranks) and len(order) == shown_all, '%s: the tools %r' % (where, order)
                assert 'about-button' in order, '%s: no About tool in %r' % (where, order)
                d.execute_script('document.getElementById("more-list").hidden || document.getElementById("more-button").click()')
                assert self.tools_above_dialog(), '%s: the tools are not above the picture' % where
                order = self.tab_order('language', 1)
                assert order == ['language', 'v1'], '%s: Tab goes %r' % (where, order)
                # The last tool, in the list the "more" button opens, answers a tap; the list closes.
                where_is = ('const b = document.getElementById(arguments[0]); const r = b.getBoundingClientRect();'
                            'return [r.left + r.width / 2, r.top + r.height / 2, scrollX]')
                for target in ['more-button', 'about-button']:
                    tap = d.execute_script(where_is, target)
                    assert tap[2] == 0 and 0 < tap[0] < width, '%s: %s at %r' % (where, target, tap)
                    touch(d, 'touchStart', (tap[0], tap[1], 1))
                    touch(d, 'touchEnd', (tap[0], tap[1], 1))
                wait_for(d, 'return document.getElementById("about").open', timeout=5)
                assert d.execute_script('return document.getElementById("more-list").hidden'), '%s: the list stays' % where
                d.execute_script('document.getElementById("about").close()')
                self.assert_no_errors(where)
        with self.screen(844, 390, 3, True), self.plot_remembered(None):
            self.open('seed=1&paused=1')
            assert d.execute_script('return window.cornerflow.layout().mode') == 'side'
            assert not self.tools_above_dialog(), 'held sideways, the tools are not after the fields'
            tools = self.tools_shown()
            order = self.tab_order('Vr', len(tools))
            assert order == ['Vr'] + tools, 'held sideways, Tab goes %r' % order

    def keyboard_and_screen_reader(self):
        d = self.driver
        self.open('seed=6')
        d.execute_script('localStorage.clear()')  # the plot open, as on a laptop by default
        self.open('seed=6')
        pic = Picture(d)
        # The tab order is where each control stands: the tools above the dialog first, then the
        # dialog table's order (the inputs, the picture, the read-only fields in reading order),
        # then the plot's panel under it (the quantities and the downloads).
        table = d.execute_script('return [...document.querySelectorAll("#dialog [data-control-id]")]'
                                 '.filter(e => e.tabIndex >= 0).map(e => e.dataset.key || '
                                 '(e.classList.contains("gas-choice") ? "gas-choice" : '
                                 'e.classList.contains("gas-field") ? "gasField" : "picture"))')
        want = ['v1', 't1', 'p1', 'gas-choice', 'gasField', 'gasField', 'picture', 'rho1', 'c1', 'mach1', 'vol1', 'critSpeed', 'critTemp',
                'critPressure', 'critDensity', 'critVolume', 'T', 'P', 'rho', 'c', 'M', 'V0', 'V', 'Vphi', 'Vr']
        assert table == want, 'the controls stand in the order %r' % table
        tools = self.tools_shown()
        assert len(tools) >= 9 and tools[0] == 'pause-button' and tools[-1] == 'language', 'the tools: %r' % tools
        assert self.tools_above_dialog(), 'the tools do not stand above the dialog'
        # Air's gamma and molar mass are hidden: Tab passes them over.
        reached = [k for k in want if k != 'gasField']
        order = self.tab_order('pause-button', len(tools) + len(reached) + len(PLOT_CONTROLS) - 1)
        assert order == tools + reached + PLOT_CONTROLS, 'Tab goes %r' % order

        # The picture is a slider of beta: its value, its range, its words; Left, Right, Home,
        # End and the page keys move it as the core decides.
        d.execute_script('arguments[0].focus()', pic.el)
        def slider():
            return d.execute_script('const p = arguments[0]; return [p.getAttribute("role"), +p.getAttribute("aria-valuenow"),'
                                    '+p.getAttribute("aria-valuemin"), +p.getAttribute("aria-valuemax"),'
                                    'p.getAttribute("aria-valuetext")]', pic.el)
        role, now, low, high, words = slider()
        assert (role, now, low, high) == ('slider', 135, 0, 180), 'slider %r' % (slider(),
)
        assert words == 'угол β = 135°, стенка повёрнута на 45°', 'slider words %r' % words
        for keys, beta in [([Keys.ARROW_LEFT] * 2, '133'), ([Keys.ARROW_RIGHT], '134'), ([Keys.PAGE_DOWN], '124'),
                           ([Keys.END], None), ([Keys.HOME], None)]:
            ActionChains(d).send_keys(*keys).perform()
            label = labels(d)['beta'][2:]
            assert beta is None or label == beta, 'after %r: beta %s' % (keys, label)
            assert slider()[1] == int(label), 'slider %r for the label %s' % (slider(), label)
        assert slider()[1] < 20, 'Home left beta at %r' % (slider(),
)
        # The picture's description is the core's sentences as the desktop says them: the flow
        # begun with a capital, the labels as the picture writes them, the keys a slider lacks.
        shown_labels = labels(d)
        said = '. %s. ' % ', '.join(shown_labels[k] for k in ['beta', 'alpha', 'chi'])
        wait_for(d, 'return document.getElementById("picture-state").textContent.includes(%r)' % said, timeout=3)
        parts = described(d, pic.el)
        chi = tuple(shown_labels['chi'][2:].split(', Δφ='))
        assert len(parts) == 1 and re.match('Стенка повёрнута на [0-9]+°, поток — (лишь )?на %s°.*веер шириной %s°; поток '
                                            % chi, parts[0]) \
            and parts[0].endswith(said + ('Пауза: анимация остановлена. ' if d.execute_script('return window.cornerflow.paused()') else '')
                                  + 'Пробел — пауза, точка — один шаг.'), 'description %r' % parts
        # The About box links to the teacher's guide in the page's language.
        click(d, 'about-button')
        guide = d.find_element(By.ID, 'about-guide')
        assert guide.get_attribute('href').endswith('/teaching-ru.html') and guide.text, 'guide link %r' % guide.get_attribute('href')
        d.execute_script('document.getElementById("about").close()')
        # The About box lists every key of the picture.
        click(d, 'about-button')
        keys = d.execute_script('return [...document.querySelectorAll("#about-keys dt")].map(e => e.textContent)')
        assert keys == ['← →, ↓ ↑', 'PgDn PgUp', 'Home End', 'Пробел', '.', 'F', 'E', 'Tab', 'Shift + ← → ↓ ↑'], 'About lists %r' % keys
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
        assert re.search('поток — (лишь )?на %s°.*веер шириной %s°' % tuple(chi), final), 'final %r for %r' % (final, chi)
        # The final state was spoken by the end of the drag (at the release when it waited), and
        # nothing is left to say.
        assert during[-1][1] == final and during[-1][0] <= released + 50, 'the final state was not spoken at the end'
        time.sleep(1.2)
        assert len(d.execute_script('return window.cfSpoken')) == len(spoken), 'spoken after the drag ended'
        self.assert_no_errors()

    # The screens: a phone's and a small phone's upright, held sideways, a laptop's (its browser's
    # page, then its screen), a projector's (full screen, then a browser's window) and a 4K
    # screen's; (width, height, ratio, a phone with touch).
    SCREENS = [(320, 640, 2, True), (390, 844, 3, True), (844, 390, 3, True), (1366, 650, 1, False),
               (1366, 768, 1, False), (1920, 1080, 1, False), (1920, 960, 1, False), (3840, 2160, 1, False)]

    # What each screen shows unscrolled: a phone held upright the picture, the reading strip and
    # the status line; a laptop's and a projector's the picture, the three inputs, the gas's row
    # and the status line. [selector, left, top, right, bottom] of each, the status line's text,
    # how far the page is scrolled, and whether the dialog cuts the status line off.
    FIRST_SCREEN = '''
        const upright = document.getElementById("dialog").dataset.layout === "rows";
        const wanted = upright ? [".picture", "#read-strip", "#flow-status"]
          : [".picture", 'input[data-key="v1"]', 'input[data-key="t1"]', 'input[data-key="p1"]', ".gas-row", "#flow-status"];
        const status = document.getElementById("flow-status"), dialog = document.getElementById("dialog");
        return [wanted.map(s => { const r = document.querySelector(s).getBoundingClientRect();
                                  return [s, r.left, r.top, r.right, r.bottom]; }),
                status.textContent, scrollY,
                dialog.contains(status) && status.getBoundingClientRect().bottom > dialog.getBoundingClientRect().bottom + 0.5];'''

    def screen_in_every_language(self, where, width, height, controls):
        """The page as it stands, in each language chosen in its language box (no reload): no
        control outside the width, no word past its box, nothing scrolling sideways, the first
        screen's parts in sight, and on a projector the picture's share. Returns the share of
        the width the picture (and the plot) take and of the height the picture takes, the
        smallest over the languages."""
        d = self.driver
        codes = d.execute_script('return window.cornerflowLanguages.map(r => r.code)')
        share = [1, 1]
        for code in codes[1:] + codes[:1]:
            # (Then three frames: a status line that took more lines is arranged for in the
            # frame after the one that measured it.)
            d.execute_async_script('const s = document.getElementById("language"); s.value = arguments[0];'
                                   's.dispatchEvent(new Event("change")); const done = arguments[1];'
                                   'requestAnimationFrame(() => requestAnimationFrame(() => requestAnimationFrame(done)))',
                                   code)
            here = '%s, %s' % (where, code)
            assert d.execute_script('return document.documentElement.lang').startswith(code), here
            assert d.execute_script('return document.documentElement.scrollWidth') <= width, \
                '%s: the page scrolls sideways' % here
            outside = d.execute_script('return %s.filter(e => { const r = e.getBoundingClientRect();'
                                       'const row = e.parentElement, scrolls = getComputedStyle(row).overflowX !== "visible";'
                                       'const c = scrolls ? row.getBoundingClientRect() : r;'
                                       'return Math.max(r.left, c.left) < -0.5 || Math.min(r.right, c.right) > %d.5; })'
                                       '.map(e => e.id || e.dataset.key || e.className)' % (controls, width))
            assert not outside, '%s: outside the width: %r' % (here, outside)
            over = d.execute_script(self.OVERFLOWING)
            assert not over, '%s: text past its box: %r' % (here, over)
            sides = d.execute_script('return ["#page", "#dialog"].map(s => document.querySelector(s).getBoundingClientRect())'
                                     '.map(r => [r.left, r.right])')
            assert sides[0][0] - 0.5 <= sides[1][0] and sides[1][1] <= sides[0][1] + 0.5, \
                '%s: the dialog %r reaches out of the page %r' % (here, sides[1], sides[0])
            boxes, status, scrolled, cut = d.execute_script(self.FIRST_SCREEN)
            unseen = [b[0] for b in boxes if b[1] < -0.5 or b[2] < -0.5 or b[3] > width + 0.5 or b[4] > height + 0.5]
            assert status and scrolled == 0 and not unseen and not cut, \
                '%s: not in the first screen: %r (%r)%s' % (here, unseen, boxes, ', the status line cut' if cut else '')
            pic = d.execute_script('const r = document.querySelector(".picture").getBoundingClientRect();'
                                   'const q = document.getElementById("plot-canvas").getBoundingClientRect();'
                                   'return [r.left, r.top, r.right, r.bottom, q.width ? q.right : r.right]')
            wide, high = (pic[4] - pic[0]) / width, (pic[3] - pic[1]) / height
            if width >= 1920:
                # A projector: the picture and the plot across nine tenths of the width at
                # least, or the picture seven tenths of the height.
                assert wide >= 0.9 or high >= 0.7, '%s: the picture %r' % (here, pic)
            share = [min(share[0], wide), min(share[1], high)]
        return share

    def layouts_for_every_screen(self):
        """Every screen with the plot's panel folded, then open, in every language."""
        d = self.driver
        controls = ('[...document.querySelectorAll("input, button, select, .picture")]'
                    '.filter(e => !e.closest("dialog") && !e.hidden && e.getClientRects().length)')
        try:
            for (width, height, ratio, phone), plot in [(screen, plot) for plot in ('folded', 'open')
                                                         for screen in self.SCREENS]:
                emulate(d, width, height, ratio, phone, phone)
                # The longest words: the wall turned past the model's limit (the status line's
                # longest sentences), other gas (its two fields and their captions shown).
                state = 'seed=1&paused=1&lang=ru&beta=0&gamma=1.3&mu=30'
                self.open(state)
                if (d.execute_script('return window.cornerflow.layout().plot') is not None) != (plot == 'open'):
                    d.execute_script('localStorage.setItem("cornerflow.plot/open", arguments[0] === "open" ? "true" : "false")', plot)
                    self.open(state)
                where = '%dx%d, the plot %s' % (width, height, plot)
                assert d.execute_script('return document.documentElement.scrollWidth') <= width, \
                    '%s: the page scrolls sideways (%d)' % (where, d.execute_script('return document.documentElement.scrollWidth'))
                # A control in a row that scrolls sideways within itself (the phone's tools) is
                # seen through the row: that part must lie within the width.
                boxes = d.execute_script('return %s.map(e => { const r = e.getBoundingClientRect();'
                                         'const row = e.parentElement, scrolls = getComputedStyle(row).overflowX !== "visible";'
                                         'const c = scrolls ? row.getBoundingClientRect() : r;'
                                         'return [e.id || e.dataset.key || e.className, Math.max(r.left, c.left),'
                                         ' Math.min(r.right, c.right), r.height]; })' % controls)
                # (Besides the tools in the "more" list, which a phone's row has no room for.)
                listed = d.execute_script('return document.querySelectorAll("#more-list .tool:not([hidden])").length')
                assert len(boxes) + listed >= (29 if plot == 'folded' else 36), '%s: %d controls' % (where, len(boxes))
                outside = [b[0] for b in boxes if b[1] < -0.5 or b[2] > width + 0.5]
                assert not outside, '%s: outside the width: %r' % (where, outside)
                if plot == 'open':
                    over = d.execute_script(self.OVERFLOWING)
                    assert not over, '%s: text past its box: %r' % (where, over)
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
                        # (A laptop's browser 650 px high shows the first screen's parts, below.)
                        assert height < 768 or d.execute_script('return document.documentElement.scrollHeight') <= height, \
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
                # (Rounded as the page rounds, half up.)
                scale = frame_scale_for(int(cssW * ratio + 0.5) / 622)
                assert canvases['layer-below'] == [622 * scale, 384 * scale] and canvases['layer-tracers'] == [622, 384] \
                    and canvases['layer-mark'] == [int(cssW * ratio + 0.5), int(cssH * ratio + 0.5)], \
                    '%s: canvases %r for %r at ratio %d' % (where, canvases, layout['display'], ratio)
                if plot == 'open':
                    # The plot at the device pixels it is shown at.
                    css = d.execute_script('const r = document.getElementById("plot-canvas").getBoundingClientRect();'
                                           'return [r.width, r.height]')
                    assert canvases['plot'] == [round(v) * frame_scale_for(ratio) for v in css], \
                        '%s: the plot\'s canvas is %r for %r CSS px at ratio %d' % (where, canvases['plot'], css, ratio)
                if width < 500 and plot == 'folded':
                    # The About box fits too (its tool in the "more" list).
                    d.execute_script('document.getElementById("about-button").click()')
                    r = d.execute_script('const r = document.getElementById("about").getBoundingClientRect();'
                                         'return [r.left, r.right]')
                    d.execute_script('document.getElementById("about").close()')
                    assert r[0] >= 0 and r[1] <= width, '%s: the About box spans %r' % (where, r)
                if (width, height) != (844, 390):
                    share = self.screen_in_every_language(where, width, height, controls)
                    print('  %s: the picture%s across %.1f %% of the width, the picture %.1f %% of the height'
                          % (where, ' and the plot' if plot == 'open' else '', 100 * share[0], 100 * share[1]))
                self.assert_no_errors(where)

            # A zoom from 1x to 2x: composed again at the new device pixels, without a reload, and
            # still the core's frame pixel for pixel; the plot too.
            emulate(d, 1366, 768, 1)
            self.open('seed=1&paused=1')
            canvases = d.execute_script('return window.cornerflow.canvases()')
            assert canvases['layer-below'] == [622, 384] and canvases['plot'] == [622, 384], canvases
            emulate(d, 1366, 768, 2)
            wait_for(d, 'return window.cornerflow.canvases()["layer-below"][0] === 1244', timeout=5)
            wait_for(d, 'return window.cornerflow.canvases().plot[0] === 1244', timeout=5)
            assert d.execute_script('return window.cornerflow.canvases()')['layer-mark'] == [1244, 768]
            frame = stacked_equals_frame(d)
            assert frame['scale'] == 2

            # A window narrowed to rows and widened again: the dialog's text as at the start.
            font = 'return [getComputedStyle(document.querySelector(".field")).fontSize, window.cornerflow.layout().mode]'
            start = d.execute_script(font)
            for width, mode in [(600, 'rows'), (1366, 'dialog')]:
                emulate(d, width, 768, 2)
                wait_for(d, 'return window.cornerflow.layout().mode === %r' % mode, timeout=5)
            assert d.execute_script(font) == start, 'the fields\' text %r, at the start %r' % (d.execute_script(font), start)
        finally:
            d.execute_script('localStorage.clear()')
            unemulate(d)
