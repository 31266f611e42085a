#!/usr/bin/env python3
"""Turns the teaching guide's markdown into the site's pages.

    python3 web/guide_html.py --site build-web/site docs/teaching.ru.md docs/teaching.en.md

Each docs/teaching.LANG.md becomes teaching-LANG.html at the site's root, with the language in
its <html lang> and a small stylesheet of its own inside, so that a page opened from disk needs
nothing else. Only the markdown the guide uses is understood: headings, paragraphs, lists, links,
code spans and fenced code, tables, **strong** and *emphasis*, and a line <a id="name"></a> that
gives the next heading a stable id. Every other character is escaped, so nothing in a guide
becomes markup by accident. A link to another guide (teaching.en.md#model) becomes a link to its
page (teaching-en.html#model); an image, or a link to any other .md file, is refused, because the
site does not carry it and the page would show a broken link.
"""
import argparse
import html
import os
import re
import sys

GUIDE_NAME = re.compile(r'^teaching\.([a-z]{2})\.md$')
ANCHOR_LINE = re.compile(r'^<a id="([a-z0-9-]+)"></a>$')

STYLE = """
body { font: 17px/1.5 "DejaVu Sans", Verdana, Arial, sans-serif; color: #1a1a1a;
       background: #fbfbf8; margin: 0 auto; max-width: 46rem; padding: 1rem 1.25rem 4rem; }
h1 { font-size: 1.7rem; line-height: 1.25; }
h2 { font-size: 1.3rem; margin-top: 2.2rem; border-bottom: 1px solid #ccc; }
h3 { font-size: 1.1rem; margin-top: 1.6rem; }
a { color: #0b4fa8; }
code { font-family: "DejaVu Sans Mono", monospace; font-size: 0.9em; background: #eeeee8;
       padding: 0 0.2em; overflow-wrap: anywhere; }
pre { background: #eeeee8; padding: 0.6rem; overflow-x: auto; }
pre code { background: none; padding: 0; }
.table { overflow-x: auto; }
table { border-collapse: collapse; margin: 1rem 0; }
th, td { border: 1px solid #bbb; padding: 0.3rem 0.5rem; text-align: left; vertical-align: top; }
th { background: #eeeee8; }
li { margin: 0.3rem 0; }
"""


class GuideError(Exception):
    pass


def page_name(md_name):
    """teaching.en.md -> teaching-en.html; anything else is not a guide."""
    m = GUIDE_NAME.match(md_name)
    if not m:
        raise GuideError('%s is not named teaching.LANG.md' % md_name)
    return 'teaching-%s.html' % m.group(1)


def link_target(url):
    if url.startswith(('http://', 'https://', '#')):
        return url
    path, _, frag = url.partition('#')
    base = path.split('?', 1)[0]
    if base.endswith('.md'):
        if '/' in base or not GUIDE_NAME.match(base):
            raise GuideError('link to %s: the site carries only the guides' % url)
        return page_name(base) + ('#' + frag if frag else '')
    if '/' in base or '..' in base:
        raise GuideError('link to %s: only pages at the site\'s root are allowed' % url)
    return url


def inline(text):
    """Markdown inline syntax to HTML; everything else escaped."""
    if '![' in text:
        raise GuideError('images are not carried by the site: %s' % text)
    out = []
    pos = 0
    # Code spans first, so that nothing inside them is read as markup.
    for m in re.finditer(r'`([^`]+)`', text):
        out.append(spans(text[pos:m.start()]))
        out.append('<code>%s</code>' % html.escape(m.group(1), quote=False))
        pos = m.end()
    out.append(spans(text[pos:]))
    return ''.join(out)


def spans(text):
    out = []
    pos = 0
    for m in re.finditer(r'\[([^\]]+)\]\(([^)\s]+)\)', text):
        out.append(emphasis(text[pos:m.start()]))
        href = html.escape(link_target(m.group(2)), quote=True)
        out.append('<a href="%s">%s</a>' % (href, emphasis(m.group(1))))
        pos = m.end()
    out.append(emphasis(text[pos:]))
    return ''.join(out)


def emphasis(text):
    text = html.escape(text, quote=False)
    text = re.sub(r'\*\*(\S(?:.*?\S)?)\*\*', r'<strong>\1</strong>', text)
    text = re.sub(r'(?<![\w*])\*(\S(?:.*?\S)?)\*(?![\w*])', r'<em>\1</em>', text)
    return text


def slug(text):
    s = re.sub(r'[^\w\- ]', '', text.lower(), flags=re.UNICODE)
    return re.sub(r' +', '-', s.strip())


def table(rows):
    def cells(row):
        return [c.strip() for c in row.strip().strip('|').split('|')]
    head, body = cells(rows[0]), [cells(r) for r in rows[2:]]
    out = ['<div class="table"><table>', '<tr>' + ''.join('<th>%s</th>' % inline(c) for c in head) + '</tr>']
    for r in body:
        out.append('<tr>' + ''.join('<td>%s</td>' % inline(c) for c in r) + '</tr>')
    out.append('</table></div>')
    return out


def convert(md):
    """The body's HTML and the first heading's text (the page's title)."""
    lines = md.split('\n')
    out, title, pending_id, used_ids = [], None, None, set()
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            i += 1
            continue
        m = ANCHOR_LINE.match(line)
        if m:
            pending_id = m.group(1)
            i += 1
            continue
        m = re.match(r'^(#{1,3}) (.+)$', line)
        if m:
            level, text = len(m.group(1)), m.group(2).strip()
            ident = pending_id or slug(text)
            pending_id = None
            if ident in used_ids:
                raise GuideError('two headings with the id %s' % ident)
            used_ids.add(ident)
            title = title or text
            out.append('<h%d id="%s">%s</h%d>' % (level, html.escape(ident), inline(text), level))
            i += 1
            continue
        if pending_id:
            raise GuideError('the anchor %s stands before something other than a heading' % pending_id)
        if line.startswith('```'):
            j = i + 1
            while j < len(lines) and not lines[j].startswith('```'):
                j += 1
            if j == len(lines):
                raise GuideError('a code block is not closed')
            out.append('<pre><code>%s</code></pre>' % html.escape('\n'.join(lines[i + 1:j]), quote=False))
            i = j + 1
            continue
        if line.startswith('|'):
            j = i
            while j < len(lines) and lines[j].startswith('|'):
                j += 1
            if j - i < 2 or not re.match(r'^\|[\s:|-]+\|$', lines[i + 1].strip()):
                raise GuideError('a table without its separator row: %s' % line)
            out += table(lines[i:j])
            i = j
            continue
        m = re.match(r'^(- |\d+\. )', line)
        if m:
            tag = 'ul' if m.group(1) == '- ' else 'ol'
            items = []
            while i < len(lines):
                m = re.match(r'^(- |\d+\. )(.*)$', lines[i])
                if m:
                    items.append([m.group(2)])
                elif lines[i].startswith('   ') or (lines[i].startswith('  ') and lines[i].strip()):
                    items[-1].append(lines[i].strip())
                else:
                    break
                i += 1
            out.append('<%s>' % tag)
            out += ['<li>%s</li>' % inline(join(item)) for item in items]
            out.append('</%s>' % tag)
            continue
        j = i
        para = []
        while j < len(lines) and lines[j].strip() and not re.match(r'^(#{1,3} |```|\||- |\d+\. |<a id=)', lines[j]):
            para.append(lines[j].strip())
            j += 1
        out.append('<p>%s</p>' % inline(join(para)))
        i = j
    if title is None:
        raise GuideError('no heading')
    return '\n'.join(out), title


# Chinese (and any CJK text) has no spaces between words: lines broken within it join without one.
CJK = re.compile('[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef]')


def join(lines):
    text = ''
    for line in lines:
        apart = text and not (CJK.match(text[-1]) and CJK.match(line[:1]))
        text += (' ' if apart else '') + line
    return text


# The way back from a guide to the program, which the markdown cannot link to: docs/ has no page.
BACK = {'ru': 'Открыть Cornerflow', 'en': 'Open Cornerflow', 'de': 'Cornerflow öffnen',
        'es': 'Abrir Cornerflow', 'zh': '打开 Cornerflow'}


def page(md, lang):
    body, title = convert(md)
    back = '<p><a href="index.html">%s</a></p>' % BACK.get(lang, BACK['en'])
    return ('<!DOCTYPE html>\n<html lang="%s">\n<head>\n<meta charset="utf-8">\n'
            '<meta name="viewport" content="width=device-width, initial-scale=1">\n'
            '<title>%s</title>\n<style>%s</style>\n</head>\n<body>\n%s\n%s\n</body>\n</html>\n'
            % (lang, html.escape(re.sub(r'[`*]', '', title)), STYLE, back, body))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--site', required=True, help='the site\'s folder')
    ap.add_argument('guides', nargs='+', help='docs/teaching.LANG.md files')
    args = ap.parse_args()
    try:
        for path in args.guides:
            name = os.path.basename(path)
            lang = GUIDE_NAME.match(name).group(1) if GUIDE_NAME.match(name) else None
            out_name = page_name(name)
            with open(path, encoding='utf-8') as f:
                text = page(f.read(), lang)
            os.makedirs(args.site, exist_ok=True)
            with open(os.path.join(args.site, out_name), 'w', encoding='utf-8') as f:
                f.write(text)
    except GuideError as e:
        print('guide_html.py: %s: %s' % (path, e), file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
