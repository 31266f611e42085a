#!/usr/bin/env python3
"""Turns the program's translation file (Qt Linguist XML) into the page's English words.

    python3 web/ts_to_json.py res/translations/cornerflow_en.ts build-web/site/cornerflow-words.js

The output is a script that sets window.cornerflowWords to {context: {source: translation}}, so
the page has its words without fetching anything (it must also work opened from disk). Messages
with an empty or unfinished translation are left out: the page then shows the source text, the
program's own Russian. A file that is no translation file stops the build.
"""
import json
import sys
import xml.etree.ElementTree as ET


def words(path):
    root = ET.parse(path).getroot()
    if root.tag != 'TS':
        raise ValueError('%s: no <TS> root element' % path)
    out = {}
    for context in root.findall('context'):
        name = (context.findtext('name') or '').strip()
        if not name:
            raise ValueError('%s: a context without a name' % path)
        table = out.setdefault(name, {})
        for message in context.findall('message'):
            source = message.findtext('source')
            translation = message.find('translation')
            if source is None or translation is None:
                raise ValueError('%s: a message in %s without source or translation' % (path, name))
            if translation.get('type') in ('unfinished', 'obsolete', 'vanished'):
                continue
            text = translation.text or ''
            if not text:
                continue
            if source in table and table[source] != text:
                raise ValueError('%s: %r translated twice in %s' % (path, source, name))
            table[source] = text
    return out


def main():
    if len(sys.argv) != 3:
        print('usage: ts_to_json.py IN.ts OUT.js', file=sys.stderr)
        return 2
    try:
        table = words(sys.argv[1])
    except (ET.ParseError, ValueError, OSError) as e:
        print('ts_to_json.py: %s' % e, file=sys.stderr)
        return 1
    # "</" is escaped so the text could also sit inside a <script> element.
    text = json.dumps(table, ensure_ascii=False, sort_keys=True, indent=1).replace('</', '<\\/')
    with open(sys.argv[2], 'w', encoding='utf-8') as f:
        f.write('// Made by web/ts_to_json.py from res/translations/cornerflow_en.ts; do not edit.\n')
        f.write('window.cornerflowWords = %s;\n' % text)
    return 0


if __name__ == '__main__':
    sys.exit(main())
