"""Links that open a state, the installed page offline, and the page opened from disk."""
import base64
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

from driver import (
    DERIVED, RED, THEORY, serve, wait_for, open_page, texts, shown, labels, png_size, frame_of,
    click, calc_labels, type_into, colour_count, site_files,
)
# After the driver, which finds the Python that has Selenium.
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys


class LinkChecks:
    def links_hold_the_state(self):
        d = self.driver
        # A link opens on the fields and labels the calculator gives for the same options.
        self.open('v1=600&beta=150&lang=en')
        doc = self.desktop.calc('--v1', '600', '--beta', '150')
        assert shown(d, DERIVED) == doc['fields'] and labels(d) == calc_labels(doc), \
            'the link: page %r %r, desktop %r %r' % (shown(d, DERIVED), labels(d), doc['fields'], calc_labels(doc))
        assert texts(d, ['v1', 't1', 'p1']) == [doc['read'][k]['text'] for k in ['v1', 't1', 'p1']]
        assert d.find_element(By.ID, 'caption').text == 'Flow round a convex corner'
        assert d.find_element(By.ID, 'status').get_attribute('hidden'), 'a good link named something'

        # A gas in the link: the page's fields are the calculator's for the same gas, the
        # drop-down shows it, and its link names it again; typed numbers come back exactly.
        self.open('gas=he&v1=600')
        doc = self.desktop.calc('--gas', 'he', '--v1', '600')
        assert shown(d, DERIVED) == doc['fields'] and labels(d) == calc_labels(doc), \
            'gas=he: page %r, desktop %r' % (shown(d, DERIVED), doc['fields'])
        assert d.execute_script('return document.querySelector(".gas-choice").value') == 'he'
        assert d.execute_script('return document.querySelector(".gas-other").hidden')
        query = urllib.parse.parse_qs(urllib.parse.urlparse(d.execute_script('return window.cornerflow.link()')).query)
        assert query['gas'] == ['he'] and 'gamma' not in query, query
        self.open('gamma=1.3&mu=44')
        doc = self.desktop.calc('--gamma', '1.3', '--molar-mass', '44')
        assert shown(d, DERIVED) == doc['fields'], 'gamma=1.3&mu=44: page %r' % shown(d, DERIVED)
        assert not d.execute_script('return document.querySelector(".gas-other").hidden')
        query = urllib.parse.parse_qs(urllib.parse.urlparse(d.execute_script('return window.cornerflow.link()')).query)
        assert query['gamma'] == ['1.3'] and query['mu'] == ['44'], query
        # A gas the user chooses is remembered: the page opens on it again when the address names
        # no state, and a link opens the state it names (air, unless it names a gas).
        try:
            self.open('seed=8')
            d.execute_script('const c = document.querySelector(".gas-choice"); c.value = "ar";'
                             'c.dispatchEvent(new Event("change"))')
            self.open('seed=8')
            assert d.execute_script('return window.cornerflow.link()').count('gas=ar') == 1, \
                'the chosen gas was not remembered'
            self.open('seed=8&v1=600')
            assert d.execute_script('return document.querySelector(".gas-choice").value') == 'air', \
                'a link without a gas opened on the remembered one'
        finally:
            d.execute_script('localStorage.removeItem("cornerflow.gas")')

        # The round trip: a state made by typing (a comma too), keys and the pause, written by
        # the tool and opened again.
        self.open('seed=8')
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
            d.execute_script('localStorage.removeItem("cornerflow.exactTheory")')
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
            d.execute_script('localStorage.removeItem("cornerflow.exactTheory")')

        # Hostile links: nothing else changes, nothing runs, each bad parameter is named.
        defaults = self.desktop.calc()
        with open(os.path.join(self.site, 'index.html'), encoding='utf-8') as f:
            scripts = f.read().count('<script')  # the page's own, and no more
        script = '<script>window.cfHacked=1</script><img src=x onerror="window.cfHacked=2">'
        # An input is a text typed into its field, whatever it is: shown as text, never run.
        open_page(d, self.base + '/index.html?' + urllib.parse.urlencode({'v1': script}))
        assert texts(d, ['v1']) == [script] and d.execute_script('return window.cfHacked === undefined'), \
            'v1=<script> was not a text'
        for query, names in [({'gamma': '1' * 100000}, ['gamma']), ({'beta': 'NaN'}, ['beta']),
                             ({'mu': 'abc', 'beta': '1e999', 'seed': '-1', 'ticks': '99999999', 'lang': 'xx'},
                              ['mu', 'beta', 'seed', 'ticks', 'lang']),
                             ({script: '1', 'paused': '2'}, [script[:40] + '…', 'paused']),
                             ({'gas': 'neon', 'gamma': '1', 'mu': '1001'}, ['gas', 'gamma', 'mu'])]:
            url = self.base + '/index.html?' + urllib.parse.urlencode(query)
            open_page(d, url)
            status = d.find_element(By.ID, 'status').text
            assert all(n in status for n in names), '%r: the status line says %r' % (list(query)[:3], status)
            assert sorted(d.execute_script('return window.cornerflow.ignored()')) == sorted(names)
            assert shown(d, DERIVED) == defaults['fields'] and labels(d) == calc_labels(defaults), \
                '%r changed the state' % list(query)[:3]
            assert texts(d, ['v1', 't1', 'p1']) == ['450.0', '273.0', '100000']
            assert d.execute_script('return window.cfHacked === undefined && document.querySelectorAll("script").length'
                                    ' === arguments[0] && !document.querySelector("#status *")', scripts), \
                'the link ran something'
            self.assert_no_errors()

    def refused_alike(self):
        """A bad value in a link is told in the words the command line uses for it."""
        d = self.driver
        self.open('beta=abc&gamma=1.7&ticks=10001&physics=fast&lang=en')
        status = d.find_element(By.ID, 'status').text
        for option, name, value in [('--beta', 'beta', 'abc'), ('--gamma', 'gamma', '1.7'),
                                    ('--ticks', 'ticks', '10001'), ('--physics', 'physics', 'fast')]:
            said = self.desktop.refused('--snapshot', 'x.png', option, value, '--lang', 'en')
            head = 'cornerflow: ' + option
            assert said.startswith(head), said
            assert name + said[len(head):] in status, 'the page says %r, the command line %r' % (status, said)
        self.assert_no_errors()

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
            # The new worker installs (fetching every file again) and activates in the
            # background: seconds on a machine busy with other tests.
            end = time.time() + 30
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
        self.assert_no_errors()

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
        self.assert_no_errors()
