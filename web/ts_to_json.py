#!/usr/bin/env python3
"""Turns the program's translation files (Qt Linguist XML) into the page's words.

    python3 web/ts_to_json.py build-web/site/cornerflow-words.js

Reads every res/translations/cornerflow_<code>.ts through res/tools/languages.py (the same
reading that makes the core's table of languages, so the page lists the languages in the same
order) and writes a script that sets

    window.cornerflowLanguages = [{code, name, tag, words: {context: {source: translation}}}, ...]

Russian first, with no words (the sources are Russian). The page has its words without fetching anything (it must also work opened from disk). A
file that is no translation file, or a message left unfinished, stops the build.
"""
import json
import os
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res', 'tools'))
import languages  # noqa: E402


def main():
    if len(sys.argv) != 2:
        print('usage: ts_to_json.py OUT.js', file=sys.stderr)
        return 2
    try:
        langs = languages.languages()
        problems = languages.check(langs)
        if problems:
            raise ValueError('\n'.join(problems))
    except (ET.ParseError, ValueError, OSError) as e:
        print('ts_to_json.py: %s' % e, file=sys.stderr)
        return 1
    rows = [{'code': l.code, 'name': l.name, 'tag': l.tag, 'words': l.words} for l in langs]

    def dump(value):
        # "</" is escaped so the text could also sit inside a <script> element.
        return json.dumps(value, ensure_ascii=False, sort_keys=True, indent=1).replace('</', '<\\/')

    with open(sys.argv[1], 'w', encoding='utf-8') as f:
        f.write('// Made by web/ts_to_json.py from res/translations; do not edit.\n')
        f.write('window.cornerflowLanguages = %s;\n' % dump(rows))
    return 0


if __name__ == '__main__':
    sys.exit(main())
