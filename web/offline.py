#!/usr/bin/env python3
"""Makes the site installable and usable offline: writes its web app manifest and its service
worker, which caches exactly the site's own files.

    python3 web/offline.py --site build-web/site --worker web/sw.js FILE...

FILE: every file of the site the build made, relative to the site's folder.

The worker is web/sw.js with the list of files and a version made from their contents put in,
so every build that changes a file makes a new cache, and the browser replaces the old worker
and its cache on the next load. The manifest names the icons the build made. Files in the
site's folder that the build did not make (left there by an older build) are removed: the
folder is the site, to be copied to a host as it is.
"""
import argparse
import hashlib
import json
import os
import sys


def manifest(site):
    icons = [{'src': 'icons/cornerflow.svg', 'sizes': 'any', 'type': 'image/svg+xml', 'purpose': 'any'}]
    for size in (192, 512):
        if os.path.exists(os.path.join(site, 'icons', 'icon-%d.png' % size)):
            icons.append({'src': 'icons/icon-%d.png' % size, 'sizes': '%dx%d' % (size, size),
                          'type': 'image/png', 'purpose': 'any'})
    return {
        'name': 'Cornerflow',
        'short_name': 'Cornerflow',
        'description': 'Supersonic flow round a convex corner: the expansion fan, animated.',
        'start_url': './index.html',
        'scope': './',
        'display': 'standalone',
        'background_color': '#f3f3f3',
        'theme_color': '#f3f3f3',
        'icons': icons,
    }


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--site', required=True)
    ap.add_argument('--worker', required=True, help='the worker template (web/sw.js)')
    ap.add_argument('files', nargs='+', help="the site's files, relative to it")
    args = ap.parse_args()

    with open(os.path.join(args.site, 'cornerflow.webmanifest'), 'w', encoding='utf-8') as f:
        json.dump(manifest(args.site), f, ensure_ascii=False, indent=1)
        f.write('\n')
    files = sorted(set(args.files)) + ['cornerflow.webmanifest']
    for rel in files:
        if rel.startswith('/') or '..' in rel.split('/'):
            print('offline.py: %s is not inside the site' % rel, file=sys.stderr)
            return 1
    digest = hashlib.sha256()
    for rel in files:
        with open(os.path.join(args.site, rel), 'rb') as f:
            data = f.read()
        digest.update(rel.encode() + b'\0' + str(len(data)).encode() + b'\0' + data)
    with open(args.worker, encoding='utf-8') as f:
        template = f.read()
    for mark in ('"@VERSION@"', '"@FILES@"'):
        if template.count(mark) != 1:
            print('offline.py: %s must hold %s once' % (args.worker, mark), file=sys.stderr)
            return 1
    # The start page is also asked for as the folder itself.
    worker = (template.replace('"@VERSION@"', json.dumps(digest.hexdigest()[:16]))
              .replace('"@FILES@"', json.dumps(['./'] + files)))
    with open(os.path.join(args.site, 'sw.js'), 'w', encoding='utf-8') as f:
        f.write(worker)

    made = set(files) | {'sw.js'}
    for root, dirs, names in os.walk(args.site, topdown=False):
        for name in names:
            rel = os.path.relpath(os.path.join(root, name), args.site).replace(os.sep, '/')
            if rel not in made:
                os.remove(os.path.join(root, name))
        if root != args.site and not os.listdir(root):
            os.rmdir(root)
    return 0


if __name__ == '__main__':
    sys.exit(main())
