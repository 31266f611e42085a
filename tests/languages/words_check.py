#!/usr/bin/env python3
"""The program's words in every language: each text the code shows in Russian has a finished
translation in every translation file, with its placeholders; no Cyrillic is left in another
language; and the Chinese words use Latin letters only for the symbols, units, key caps and names
listed below. Prints every fault and fails if there is one."""
import glob
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
sys.path.insert(0, os.path.join(ROOT, 'res', 'tools'))
import languages  # noqa: E402

# Where the shells and the core keep the words they show.
CODE = ['dialog', 'plot', 'app', 'model', 'view', 'res', 'web', 'web/js']
TOKEN = re.compile(r'"(?:[^"\\\n]|\\.)*"|\'(?:[^\'\\\n]|\\.)*\'|`(?:[^`\\]|\\.)*`|//[^\n]*|/\*.*?\*/', re.S)
JOIN = re.compile(r'\s*\+?\s*')  # C++ writes a long text as adjacent literals, the page with +

# Latin words a Chinese window may show: quantity symbols and their subscript, SI unit symbols,
# the names of the program and its technologies, file types, the key caps, and the language
# menu's English name (for a reader of no Chinese).
CHINESE_LATIN = {
    'M', 'P', 'T', 'V', 'C', 'c', 'Ccr', 'Tcr', 'Pcr', 'cr', 'sin', 'max',
    'm', 's', 'K', 'Pa', 'kg', 'g', 'mol',
    'Cornerflow', 'cornerflow', 'core', 'js', 'WebAssembly', 'Qt', 'MIT', 'CSV', 'csv', 'PNG', 'png',
    'PgDn', 'PgUp', 'Home', 'End', 'Tab', 'F', 'E', 'Shift',
    'Language',
}


def code_texts():
    """Every Cyrillic text literal of the code, with the adjacent pieces of a long one joined."""
    found = {}
    for folder in CODE:
        for path in sorted(glob.glob(os.path.join(ROOT, folder, '*.*'))):
            if not path.endswith(('.cpp', '.h', '.js', '.html')):
                continue
            with open(path, encoding='utf-8') as f:
                text = f.read()
            pieces, end = [], None
            for m in TOKEN.finditer(text):
                token = m.group(0)
                if token.startswith('/'):
                    continue
                literal = token[1:-1].replace('\\"', '"').replace("\\'", "'")
                if pieces and JOIN.fullmatch(text[end:m.start()]):
                    pieces[-1] += literal
                else:
                    pieces.append(literal)
                end = m.end()
            for piece in pieces:
                if languages.CYRILLIC.search(piece):
                    found.setdefault(piece, os.path.relpath(path, ROOT))
    return found


def main():
    try:
        langs = languages.languages()  # a message left unfinished or empty stops here
    except ValueError as e:
        print(e)
        return 1
    problems = languages.check(langs)
    for text, path in sorted(code_texts().items()):
        for lang in langs[1:]:
            if not any(text in table for table in lang.words.values()):
                problems.append('%s: no translation of %r (%s)' % (lang.code, text, path))
    chinese = next(l for l in langs if l.code == 'zh')
    for context, table in chinese.words.items():
        if context == 'Language':
            continue  # the page's language tag is no word of the window
        for source, text in table.items():
            for word in re.findall('[A-Za-z]+', text):
                if word not in CHINESE_LATIN:
                    problems.append('zh: the Latin word %r in %r (%s)' % (word, text, context))
    for p in problems:
        print(p)
    print('%d languages, %d texts each, %d faults' % (len(langs), sum(len(t) for t in langs[1].words.values()),
                                                    len(problems)))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
