#!/usr/bin/env python3
"""One name for one thing in every language, and each language's punctuation: no translation file
and no teacher's guide uses a variant docs/glossary.md lists as not used in its language; Chinese
sentences end with 。, never with an ASCII full stop (nor take an ASCII comma, colon or semicolon
after a Chinese character); and no guide writes a number with a decimal comma. Prints every fault
and fails if there is one. --root checks another copy of the tree (a merge, for instance)."""
import argparse
import glob
import os
import re
import sys
import xml.etree.ElementTree as ET

HERE = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))

# A Chinese character or full-width punctuation, then ASCII sentence punctuation that is no part
# of a number (1.336) or of a key cap standing alone (".").
CHINESE_THEN_ASCII = re.compile('[\u3000-\u303f\u3400-\u9fff\uff00-\uffef][.,:;](?!\\d)')
CHINESE = re.compile('[\u3400-\u9fff]')
DECIMAL_COMMA = re.compile('\\d,\\d')
# What a guide may write with a comma between digits: code (`--probe 600,250`), a link's address,
# and a quoted text a user types («450,5»).
NOT_PROSE = re.compile('`[^`]*`|\\]\\([^)]*\\)|«[^»]*»|“[^”]*”|„[^“]*“')


def not_used(root):
    """{language code: [variant, ...]} from the glossary's table "Words not used"."""
    with open(os.path.join(root, 'docs', 'glossary.md'), encoding='utf-8') as f:
        text = f.read()
    section = text.split('## Words not used', 1)
    if len(section) < 2:
        raise ValueError('docs/glossary.md: no section "Words not used"')
    body = section[1].split('\n## ', 1)[0]
    found = {}
    for line in body.splitlines():
        cells = [c.strip() for c in line.strip().strip('|').split('|')]
        if len(cells) != 3 or cells[0] in ('Language', '') or set(cells[0]) <= set('-'):
            continue
        found.setdefault(cells[0], []).append(cells[1])
    if not found:
        raise ValueError('docs/glossary.md: the table "Words not used" is empty')
    return found


def pattern(variant):
    """A variant of Latin letters as a whole word (no Latin letter touches its ends); any other
    matched as written."""
    before = '(?<![A-Za-zÀ-ÿ])' if re.match('[A-Za-zÀ-ÿ]', variant) else ''
    after = '(?![A-Za-zÀ-ÿ])' if re.search('[A-Za-zÀ-ÿ]$', variant) else ''
    return re.compile(before + re.escape(variant) + after, re.IGNORECASE)


def translations(path):
    """(context, source, translation) of every message of a translation file."""
    for context in ET.parse(path).getroot().findall('context'):
        name = context.findtext('name') or ''
        for message in context.findall('message'):
            yield name, message.findtext('source') or '', message.findtext('translation') or ''


def check(root):
    problems = []
    variants = not_used(root)
    for code, words in sorted(variants.items()):
        texts = []  # (where, text)
        ts = os.path.join(root, 'res', 'translations', 'cornerflow_%s.ts' % code)
        if os.path.exists(ts):
            texts += [('%s (%s: %r)' % (os.path.relpath(ts, root), c, s), t) for c, s, t in translations(ts)]
        guide = os.path.join(root, 'docs', 'teaching.%s.md' % code)
        if os.path.exists(guide):
            with open(guide, encoding='utf-8') as f:
                texts += [('%s:%d' % (os.path.relpath(guide, root), n), line) for n, line in enumerate(f, 1)]
        if not texts:
            problems.append('docs/glossary.md: no translation file and no guide of the language %r' % code)
        for word in words:
            p = pattern(word)
            for where, text in texts:
                if p.search(text):
                    problems.append('%s: %r, a word the glossary does not use, in %r' % (where, word, text.strip()))
    zh = os.path.join(root, 'res', 'translations', 'cornerflow_zh.ts')
    for c, s, t in translations(zh):
        if CHINESE_THEN_ASCII.search(t) or (CHINESE.search(t) and t.rstrip().endswith('.')):
            problems.append('zh (%s: %r): ASCII punctuation after Chinese in %r' % (c, s, t))
    for guide in sorted(glob.glob(os.path.join(root, 'docs', 'teaching.*.md'))):
        with open(guide, encoding='utf-8') as f:
            lines = f.read().splitlines()
        for n, line in enumerate(lines, 1):
            where = '%s:%d' % (os.path.relpath(guide, root), n)
            if guide.endswith('.zh.md') and CHINESE_THEN_ASCII.search(NOT_PROSE.sub('', line)):
                problems.append('%s: ASCII punctuation after Chinese in %r' % (where, line))
            if DECIMAL_COMMA.search(NOT_PROSE.sub('', line)):
                problems.append('%s: a decimal comma in %r: numbers keep the program\'s form' % (where, line))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--root', default=HERE, help='the source tree to check')
    args = parser.parse_args()
    try:
        problems = check(args.root)
    except (ValueError, ET.ParseError, OSError) as e:
        problems = [str(e)]
    for p in problems:
        print(p)
    print('%d faults' % len(problems))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
