#!/usr/bin/env python3
"""The languages and the words the page says before the program runs, from the program's
translation files (Qt Linguist XML).

    python3 web/ts_to_json.py web/js/words.js build-web/site/cornerflow-words.js

Reads every res/translations/cornerflow_<code>.ts through res/tools/languages.py (the same
reading that makes the core's table of languages, so the page lists the languages in the same
order) and writes a script that sets

    window.cornerflowLanguages = [{code, name, tag, words: {context: {source: translation}}}, ...]

Russian first, with no words (the sources are Russian). Each language's words are only those
whose source stands in words.js (the loading message and the failures to load): every other word
the core translates once it runs. The page has them without fetching anything (it must also work
opened from disk). A file that is no translation file, or a message left unfinished, stops the
build.
"""
import json
import os
import re
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res', 'tools'))
import languages  # noqa: E402


def main():
    if len(sys.argv) != 3:
        print('usage: ts_to_json.py WORDS.js OUT.js', file=sys.stderr)
        return 2
    try:
        with open(sys.argv[1], encoding='utf-8') as f:
            early = set(re.findall(r"'([^'\\\n]*)'", f.read()))
        langs = languages.languages()
        problems = languages.check(langs)
        if problems:
            raise ValueError('\n'.join(problems))
    except (ET.ParseError, ValueError, OSError) as e:
        print('ts_to_json.py: %s' % e, file=sys.stderr)
        return 1
    rows = [{'code': l.code, 'name': l.name, 'tag': l.tag,
             'words': {c: {s: t for s, t in table.items() if s in early}
                       for c, table in l.words.items() if any(s in early for s in table)}}
            for l in langs]

    def dump(value):
        # "</" is escaped so the text could also sit inside a <script> element.
        return json.dumps(value, ensure_ascii=False, sort_keys=True, indent=1).replace('</', '<\\/')

    with open(sys.argv[2], 'w', encoding='utf-8') as f:
        f.write('// Made by web/ts_to_json.py from res/translations; do not edit.\n')
        f.write('window.cornerflowLanguages = %s;\n' % dump(rows))
    return 0


if __name__ == '__main__':
    sys.exit(main())
