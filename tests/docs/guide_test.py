#!/usr/bin/env python3
"""The teaching guide's pages on the site: every language's made, each readable on a phone and
from disk, and every link in them one that works: an experiment's link names only parameters the
page reads, with values in the form the page accepts; every language hands out the experiments
of the English guide; every other link reaches a page and an anchor that exist. With
--cornerflow, every value a guide writes of a state by its symbol is the program's for that state.

    python3 tests/docs/guide_test.py --root .                        # makes the pages itself
    python3 tests/docs/guide_test.py --root . --site build-web/site  # checks the built site
    python3 tests/docs/guide_test.py --root . --cornerflow build/app/cornerflow

With --root alone the pages are made into a temporary folder by web/guide_html.py, as the site's
build makes them, and the page they link to is looked for in web/. With --site the pages the
build made are checked, and the service worker's list of offline files must hold them.
"""
import argparse
import glob
import html.parser
import json
import math
import os
import re
import subprocess
import sys
import tempfile
import urllib.parse

# The guide's languages: every docs/teaching.LANG.md, Russian and English at least (set in main).
PAGES = {}
# The program's languages: Russian and every res/translations/cornerflow_LANG.ts (set in main).
LANGUAGES = {'ru'}

# The parameters a link to the page reads, and the form of each value it accepts.
NUMBER = re.compile(r'^-?[0-9]+(\.[0-9]+)?$')
PARAMETERS = {
    'v1': NUMBER.match, 't1': NUMBER.match, 'p1': NUMBER.match, 'beta': NUMBER.match,
    'lang': lambda v: v in LANGUAGES,
    'physics': lambda v: v in ('model', 'exact'),
    'paused': lambda v: v in ('0', '1'),
    'theory': lambda v: v in ('0', '1'),
    'labels': lambda v: v in ('0', '1'),
    'seed': lambda v: v.isdigit() and int(v) <= 4294967295,
    'ticks': lambda v: v.isdigit() and int(v) <= 10000,
}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.lang, self.viewport, self.ids, self.links = None, False, set(), []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == 'html':
            self.lang = a.get('lang')
        if tag == 'meta' and a.get('name') == 'viewport' and 'width=device-width' in a.get('content', ''):
            self.viewport = True
        if 'id' in a:
            self.ids.add(a['id'])
        if tag == 'a' and 'href' in a:
            self.links.append(a['href'])
        if tag in ('script', 'img', 'iframe', 'link'):
            self.links.append('<%s>' % tag)  # the guide loads nothing and runs nothing


def parse(path):
    p = Page()
    with open(path, encoding='utf-8') as f:
        p.feed(f.read())
    return p


def check(site, page_dir, faults):
    pages = {}
    for lang, name in PAGES.items():
        path = os.path.join(site, name)
        if not os.path.exists(path):
            faults.append('%s was not made' % name)
            continue
        pages[name] = p = parse(path)
        if p.lang != lang:
            faults.append('%s: <html lang=%r>, not %r' % (name, p.lang, lang))
        if not p.viewport:
            faults.append('%s: no viewport meta' % name)
        if 'model' not in p.ids:
            faults.append('%s: no anchor #model (the plot panel links to it)' % name)
    experiments = {}
    for name, p in pages.items():
        experiments[name] = set()
        for href in p.links:
            url = urllib.parse.urlsplit(href)
            if href.startswith('<') or url.scheme or url.netloc:
                faults.append('%s: %s is not a link within the site' % (name, href))
                continue
            target = url.path or name
            folder = page_dir if target == 'index.html' else site
            if not os.path.exists(os.path.join(folder, target)):
                faults.append('%s: %s links to a missing page' % (name, href))
            if url.fragment and target in pages and url.fragment not in pages[target].ids:
                faults.append('%s: %s links to a missing anchor' % (name, href))
            if target == 'index.html' and url.query:  # an experiment: the page in a state
                pairs = urllib.parse.parse_qsl(url.query, keep_blank_values=True)
                names = [k for k, _ in pairs]
                if len(set(names)) != len(names) or len(pairs) != len(url.query.split('&')):
                    faults.append('%s: %s: a parameter twice, or one without a value' % (name, href))
                for k, v in pairs:
                    if k not in PARAMETERS:
                        faults.append('%s: %s: the page does not read %s' % (name, href, k))
                    elif not PARAMETERS[k](v):
                        faults.append('%s: %s: %s=%s is not a value the page accepts' % (name, href, k, v))
                experiments[name].add(url.query)
        other = [n for n in PAGES.values() if n != name]
        if not any(urllib.parse.urlsplit(h).path in other for h in p.links):
            faults.append('%s: no link to the guide in the other language' % name)
    first = experiments.get(PAGES['en'], set())
    if not first:
        faults.append('the English guide hands out no experiment')
    for name in PAGES.values():
        other = experiments.get(name, set())
        if other != first:
            faults.append('%s hands out other experiments than the English guide: only there %s, missing %s'
                          % (name, sorted(other - first), sorted(first - other)))


# A value of a state the guides write by its symbol ("c1 = 336.9 m/s", "p* = 153,7 кПа"): the
# experiment's state (its first link's), or outside the experiments the start-up state.
VALUE = re.compile(r'(?<![\w/])(χmax|θmax|p0|p\*|c1|P2/P1) = ([0-9]+(?:[.,][0-9]+)?)( kPa| кПа)?')
ITEM = re.compile(r'^[0-9]+\. ')
LINK = re.compile(r'\(index\.html\?([^)]*)\)')


def theta_max(m1, g):
    """The largest deflection of an attached oblique shock (theta-beta-M), degrees."""
    def theta(b):
        return math.atan(2 / math.tan(b) * (m1 * m1 * math.sin(b) ** 2 - 1)
                         / (m1 * m1 * (g + math.cos(2 * b)) + 2))
    lo, hi = math.asin(1 / m1), math.pi / 2
    for _ in range(200):  # golden section: theta has one maximum between mu1 and 90 degrees
        a, b = hi - (hi - lo) * 0.618034, lo + (hi - lo) * 0.618034
        lo, hi = (a, hi) if theta(a) < theta(b) else (lo, b)
    return math.degrees(theta(lo))


def state_values(cornerflow, query):
    """The values by symbol for a link's state: the calculator's c1, largest turn
    (nu_max - nu(M1)) and exact P2/P1; p0, p* (kPa) and theta_max from its M1, gamma and P1 by the
    isentropic and oblique-shock relations."""
    options = []
    for k, v in urllib.parse.parse_qsl(query):
        if k in ('v1', 't1', 'p1', 'beta'):
            options += ['--' + k, v]
    run = subprocess.run([cornerflow, '--calc'] + options, capture_output=True, text=True,
                         env=dict(os.environ, QT_QPA_PLATFORM='offscreen'))
    doc = json.loads(run.stdout)
    state, theory = doc['state'], doc['theory'] or {}  # no theory for a subsonic flow
    m1, g, p1 = state['mach1'], state['gamma'], state['p1']
    p0 = p1 * (1 + (g - 1) / 2 * m1 * m1) ** (g / (g - 1))
    return {'c1': state['c1'], 'χmax': theory.get('maxTurnDegrees', math.nan) - theory.get('nu1Degrees', 0),
            'θmax': theta_max(m1, g) if m1 > 1 else math.nan, 'p0': p0 / 1000,
            'p*': p0 * (2 / (g + 1)) ** (g / (g - 1)) / 1000,
            'P2/P1': theory.get('p2', math.nan) / p1}  # past the exact fan or oblique shock


def check_values(root, cornerflow, faults):
    for lang in sorted(PAGES):
        with open(os.path.join(root, 'docs', 'teaching.%s.md' % lang), encoding='utf-8') as f:
            lines = f.read().split('\n')
        chunks = []  # [an experiment's item or not, its text]
        for line in lines:
            if ITEM.match(line):
                chunks.append([True, line])
            elif chunks and (line.startswith('  ') or not chunks[-1][0]):
                chunks[-1][1] += '\n' + line
            else:
                chunks.append([False, line])
        states, checked = {}, 0
        for experiment, text in chunks:
            found = LINK.search(text) if experiment else None
            query = found.group(1) if found else ''
            for symbol, written, _ in VALUE.findall(text):
                if query not in states:
                    states[query] = state_values(cornerflow, query)
                decimals = len(re.split('[.,]', written)[1]) if re.search('[.,]', written) else 0
                value = '%.*f' % (decimals, states[query][symbol])
                checked += 1
                if value != written.replace(',', '.'):
                    faults.append('teaching.%s.md: %s = %s where the program gives %s (%s)'
                                  % (lang, symbol, written, value, query or 'start-up'))
        if checked < 4:
            faults.append('teaching.%s.md: only %d values of a state checked' % (lang, checked))


def check_converter_escapes(root, faults):
    """Text in a guide is text: markup typed into it is shown, never run, and a link the site
    cannot follow stops the build."""
    script = os.path.join(root, 'web', 'guide_html.py')
    with tempfile.TemporaryDirectory() as tmp:
        md = os.path.join(tmp, 'teaching.xx.md')
        with open(md, 'w', encoding='utf-8') as f:
            f.write('# T <script>alert(1)</script>\n\nA <img src=x onerror=alert(1)> and `<b>`\n')
        run = subprocess.run([sys.executable, script, '--site', tmp, md], capture_output=True, text=True)
        p = parse(os.path.join(tmp, 'teaching-xx.html')) if run.returncode == 0 else None
        made = p and [h for h in p.links if h.startswith('<')]
        if p is None or made:
            faults.append('markup in a guide became markup in its page: %s' % made)
        with open(md, 'w', encoding='utf-8') as f:
            f.write('# T\n\nSee [limits](limits.md).\n')
        run = subprocess.run([sys.executable, script, '--site', tmp, md], capture_output=True, text=True)
        if run.returncode == 0:
            faults.append('a link to a document the site does not carry was let through')


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--root', required=True, help='the source tree')
    ap.add_argument('--site', help='a built site to check instead of making the pages')
    ap.add_argument('--cornerflow', help='the program, whose calculator checks the values written')
    args = ap.parse_args()
    faults = []
    for md in glob.glob(os.path.join(args.root, 'docs', 'teaching.*.md')):
        lang = os.path.basename(md).split('.')[1]
        PAGES[lang] = 'teaching-%s.html' % lang
    for ts in glob.glob(os.path.join(args.root, 'res', 'translations', 'cornerflow_*.ts')):
        LANGUAGES.add(os.path.basename(ts)[len('cornerflow_'):-len('.ts')])
    if not {'ru', 'en'} <= set(PAGES):
        print('FAIL: the guide is not in Russian and English: %s' % sorted(PAGES))
        return 1
    check_converter_escapes(args.root, faults)
    if args.cornerflow:
        check_values(args.root, args.cornerflow, faults)
    if args.site:
        check(args.site, args.site, faults)
        with open(os.path.join(args.site, 'sw.js'), encoding='utf-8') as f:
            worker = f.read()
        for name in PAGES.values():
            if '"%s"' % name not in worker:
                faults.append('sw.js does not keep %s for offline use' % name)
    else:
        with tempfile.TemporaryDirectory() as tmp:
            guides = [os.path.join(args.root, 'docs', 'teaching.%s.md' % lang) for lang in sorted(PAGES)]
            run = subprocess.run([sys.executable, os.path.join(args.root, 'web', 'guide_html.py'),
                                  '--site', tmp] + guides, capture_output=True, text=True)
            if run.returncode != 0:
                faults.append('guide_html.py failed: %s' % run.stderr.strip())
            check(tmp, os.path.join(args.root, 'web'), faults)
    for f in faults:
        print('FAIL: ' + f)
    print('%d fault(s)' % len(faults))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
