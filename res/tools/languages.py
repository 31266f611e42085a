#!/usr/bin/env python3
"""The program's languages, read from its translation files (res/translations/cornerflow_<code>.ts).

Every file names its own language in the context Language: the translation of «Русский» is the
language's own name, that of «ru» the page's language tag. The program's own words are Russian,
so Russian is the first language and needs no file. Both builds run this at configure time:

    languages.py table OUT.inc          the core's table of languages, as C++ initializers, and
                                        beside it words_table.inc, every language's words
    languages.py labels OUTDIR          the label images in every language but Russian
    languages.py check                  every file complete (the build and a test run it)

Adding a language is adding its translation file; nothing here names one.
"""
import glob
import os
import re
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
TRANSLATIONS = os.path.join(ROOT, 'res', 'translations')
IMAGES = os.path.join(ROOT, 'res', 'images')

# The label images that carry words; the icon has none.
LABEL_IMAGES = ['upstream_names', 'probe_names', 'velocity_names', 'critical_names',
                'upstream_units', 'probe_units', 'velocity_units', 'critical_units']
CYRILLIC = re.compile('[\u0400-\u04ff]+')
PLACEHOLDER = re.compile('%[1-9]')
DECIMAL_COMMA = re.compile('[0-9],[0-9]')


class Language:
    def __init__(self, code, name, tag, path, words):
        self.code = code    # --lang, ?lang= and the remembered choice
        self.name = name    # the language's own name, as the menus list it
        self.tag = tag      # the page's lang attribute
        self.path = path    # the translation file, None for the program's own words
        self.words = words  # {context: {source: translation}}

    def word(self, context, source):
        return self.words.get(context, {}).get(source, source) if self.path else source


def read_ts(path):
    """The words of one translation file; a message left unfinished or empty stops the reading."""
    root = ET.parse(path).getroot()
    if root.tag != 'TS':
        raise ValueError('%s: no <TS> root element' % path)
    words = {}
    for context in root.findall('context'):
        name = (context.findtext('name') or '').strip()
        if not name:
            raise ValueError('%s: a context without a name' % path)
        table = words.setdefault(name, {})
        for message in context.findall('message'):
            source = message.findtext('source')
            translation = message.find('translation')
            if source is None or translation is None:
                raise ValueError('%s: a message in %s without source or translation' % (path, name))
            if translation.get('type') in ('unfinished', 'obsolete', 'vanished') or not translation.text:
                raise ValueError('%s: %r in %s is not translated' % (path, source, name))
            if source in table and table[source] != translation.text:
                raise ValueError('%s: %r translated twice in %s' % (path, source, name))
            table[source] = translation.text
    return words


def languages():
    """Russian first (the program's own words), English second (the language the long guide is
    also written in), then the others by code."""
    found = []
    for path in sorted(glob.glob(os.path.join(TRANSLATIONS, 'cornerflow_*.ts'))):
        code = os.path.basename(path)[len('cornerflow_'):-len('.ts')]
        if not re.fullmatch('[a-z]{2,3}', code) or code == 'ru':
            raise ValueError('%s: the file name must be cornerflow_<code>.ts with a code of 2 or 3 letters, not ru' % path)
        words = read_ts(path)
        own = words.get('Language', {})
        if 'Русский' not in own or 'ru' not in own:
            raise ValueError('%s: the context Language lacks the name («Русский») or the tag («ru»)' % path)
        found.append(Language(code, own['Русский'], own['ru'], path, words))
    found.sort(key=lambda l: (l.code != 'en', l.code))
    return [Language('ru', 'Русский', 'ru', None, {})] + found


def check(langs):
    """Every file translates the same texts as every other, keeps each placeholder, writes no
    decimal comma, and no word of a language other than Russian is left in Cyrillic."""
    problems = []
    reference = None
    for lang in langs[1:]:
        keys = {(c, s) for c, t in lang.words.items() for s in t}
        if reference is None:
            reference = (lang, keys)
        elif keys != reference[1]:
            for c, s in sorted(reference[1] - keys):
                problems.append('%s: no translation of %r in %s' % (lang.code, s, c))
            for c, s in sorted(keys - reference[1]):
                problems.append('%s: %r in %s is missing from %s' % (reference[0].code, s, c, reference[0].code))
        for c, table in lang.words.items():
            for s, t in table.items():
                if sorted(PLACEHOLDER.findall(s)) != sorted(PLACEHOLDER.findall(t)):
                    problems.append('%s: %r in %s does not keep its placeholders: %r' % (lang.code, s, c, t))
                if CYRILLIC.search(t) and t != s:
                    problems.append('%s: Cyrillic left in %r (%s)' % (lang.code, t, c))
                if DECIMAL_COMMA.search(t):
                    problems.append('%s: a decimal comma in %r (%s): numbers keep the program\'s form'
                                    % (lang.code, t, c))
    return problems


def c_string(text):
    out = []
    for ch in text:
        if ch in '"\\':
            out.append('\\' + ch)
        elif ch == '\n':
            out.append('\\n')
        elif ord(ch) < 0x20:
            raise ValueError('%r cannot stand in the table' % text)
        else:
            out.append(ch)
    return '"%s"' % ''.join(out)


def words_name(lang):
    return 'kWords_%s' % lang.code


def write_table(langs, out):
    """The rows of the table, and beside them each language's words sorted by context and source
    (the order of their UTF-8 bytes, as the core looks them up)."""
    lines = ['// Made by res/tools/languages.py from res/translations; do not edit.']
    words = ['// Made by res/tools/languages.py from res/translations; do not edit.']
    for lang in langs:
        base = os.path.basename(lang.path)[:-len('.ts')] if lang.path else ''
        entries = sorted((c.encode(), s.encode(), t) for c, table in lang.words.items() for s, t in table.items())
        if entries:
            words.append('const Translation %s[] = {' % words_name(lang))
            for c, s, t in entries:
                words.append('    {%s, %s, %s},' % (c_string(c.decode()), c_string(s.decode()), c_string(t)))
            words.append('};')
        lines.append('{%s, %s, %s, %s, %s, %d},' % (c_string(lang.code), c_string(lang.name), c_string(base),
                                                    c_string(lang.tag), words_name(lang) if entries else 'nullptr',
                                                    len(entries)))
    write_if_changed(out, '\n'.join(lines) + '\n')
    write_if_changed(os.path.join(os.path.dirname(out), 'words_table.inc'), '\n'.join(words) + '\n')


def write_if_changed(path, text):
    # Unchanged outputs keep their time, so a new configure rebuilds nothing.
    try:
        with open(path, encoding='utf-8') as f:
            if f.read() == text:
                return
    except OSError:
        pass
    os.makedirs(os.path.dirname(path) or '.', exist_ok=True)
    with open(path, 'w', encoding='utf-8') as f:
        f.write(text)


# The typography of a unit written as a fraction: a word that descends below its baseline sits
# higher over the bar, a word that rises above the x-height sits lower under it, and a fraction
# whose lower word would descend past the image's edge moves up as a whole.
ASCENDERS = set('bdfhklt' + 'б') | {chr(c) for c in range(ord('A'), ord('Z') + 1)}
DESCENDERS = set('gjpqy' + 'рудфцщ')
OVER_SHIFT, UNDER_SHIFT, EDGE_SHIFT, DESCENT = -1.5, 0.5, -1.5, 3.0

TEXT = re.compile(r'(<text x="[^"]*" y=")([0-9.]+)("[^>]*>)([^<]*)(</text>)')
LINE = re.compile(r'(<line x1="[^"]*" y1=")([0-9.]+)(" x2="[^"]*" y2=")([0-9.]+)(")')
HEIGHT = re.compile(r'<svg [^>]*height="([0-9.]+)"')


def number(value):
    text = ('%.2f' % value).rstrip('0').rstrip('.')
    return text


def rises(word):
    return any(ch in ASCENDERS for ch in word)


def descends(word):
    return any(ch in DESCENDERS for ch in word)


def translate_label(svg, lang, image):
    """The label image in the language: every Cyrillic word of the Russian image replaced by its
    translation from the context Label, the fractions' baselines set for the new words."""
    height = float(HEIGHT.search(svg).group(1))
    table = lang.words.get('Label', {})

    def word_of(text):
        def one(m):
            if m.group(0) not in table:
                raise ValueError('%s: no translation of the label word %r in %s' % (image, m.group(0), lang.path))
            return table[m.group(0)]
        return CYRILLIC.sub(one, text)

    lines = svg.split('\n')
    out = list(lines)
    for i, line in enumerate(lines):
        m = TEXT.search(line)
        if m:
            out[i] = line[:m.start(4)] + word_of(m.group(4)) + line[m.end(4):]
    # A fraction is a text, a bar and a text on consecutive element lines.
    elements = [i for i, line in enumerate(lines) if TEXT.search(line) or LINE.search(line)]
    for a, b, c in zip(elements, elements[1:], elements[2:]):
        top, bar, low = TEXT.search(lines[a]), LINE.search(lines[b]), TEXT.search(lines[c])
        if not (top and bar and low):
            continue
        old_top, new_top = top.group(4), word_of(top.group(4))
        old_low, new_low = low.group(4), word_of(low.group(4))
        dy_top = OVER_SHIFT * (descends(new_top) - descends(old_top))
        dy_low = UNDER_SHIFT * (rises(new_low) - rises(old_low))
        dy_all = 0.0
        low_y = float(low.group(2)) + dy_low
        if descends(new_low) and low_y + DESCENT > height:
            dy_all = EDGE_SHIFT
        for index, dy in ((a, dy_top + dy_all), (c, dy_low + dy_all)):
            m = TEXT.search(out[index])
            out[index] = out[index][:m.start(2)] + number(float(m.group(2)) + dy) + out[index][m.end(2):]
        if dy_all:
            m = LINE.search(out[b])
            out[b] = (out[b][:m.start(2)] + number(float(m.group(2)) + dy_all) + m.group(3)
                      + number(float(m.group(4)) + dy_all) + out[b][m.end(4):])
    text = '\n'.join(out)
    note = '<!-- Made by res/tools/languages.py from res/images/%s.svg with the words of %s; do not edit. -->' % (
        image, os.path.basename(lang.path))
    return text.replace('\n', '\n' + note + '\n', 1)


def write_labels(langs, outdir):
    made = set()
    for image in LABEL_IMAGES:
        with open(os.path.join(IMAGES, image + '.svg'), encoding='utf-8') as f:
            svg = f.read()
        for lang in langs[1:]:
            path = os.path.join(outdir, '%s_%s.svg' % (image, lang.code))
            write_if_changed(path, translate_label(svg, lang, image))
            made.add(path)
    # A language taken away takes its images with it.
    for path in glob.glob(os.path.join(outdir, '*.svg')):
        if path not in made:
            os.remove(path)


def main(argv):
    if len(argv) < 2 or argv[1] not in ('table', 'labels', 'check') or (argv[1] != 'check') != (len(argv) == 3):
        print(__doc__, file=sys.stderr)
        return 2
    try:
        langs = languages()
        problems = check(langs)
        if problems:
            print('\n'.join('languages.py: ' + p for p in problems), file=sys.stderr)
            return 1
        if argv[1] == 'table':
            write_table(langs, argv[2])
        elif argv[1] == 'labels':
            write_labels(langs, argv[2])
        else:
            print('languages.py: %s' % ', '.join('%s (%s)' % (l.code, l.name) for l in langs))
    except (ET.ParseError, ValueError, OSError) as e:
        print('languages.py: %s' % e, file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
