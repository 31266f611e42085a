#!/usr/bin/env python3
"""The profile as CSV against the calculator's profile section, as a user's script reads both:
the file parses with the csv module, has its header row, one row per sample, and every number
equals the section's (phi in degrees, then each quantity's model and theory values).

    profile_csv_check.py CORNERFLOW TMPDIR
"""
import csv
import json
import math
import os
import subprocess
import sys

KEYS = ['M', 'P', 'T', 'rho', 'V']


def same(a, b):
    return a == b or (math.isnan(a) and math.isnan(b))


def number(v):
    # The calculator writes numbers that are not finite as strings.
    return float(v) if not isinstance(v, str) else float({'NaN': 'nan', 'Infinity': 'inf',
                                                            '-Infinity': '-inf'}[v])


def check(program, folder, args):
    path = os.path.join(folder, 'profile.csv')
    if os.path.exists(path):
        os.remove(path)
    subprocess.run([program, '--profile-csv', path] + args, check=True)
    doc = json.loads(subprocess.run([program, '--calc'] + args, check=True,
                                    capture_output=True).stdout)
    samples = doc['profile']['samples']
    with open(path, newline='', encoding='ascii') as f:
        rows = list(csv.reader(f, strict=True))
    header = rows[0]
    assert header[0] == 'phi_deg' and len(header) == 11, header
    assert len(rows) == len(samples) + 1, (len(rows), len(samples))
    for row, s in zip(rows[1:], samples):
        assert len(row) == 11, row
        values = [float(x) for x in row]  # a number in every cell, '.' as the point
        assert same(values[0], number(s['phiDegrees'])), (row[0], s['phiDegrees'])
        for i, k in enumerate(KEYS):
            assert same(values[1 + 2 * i], number(s['model'][k])), (k, row, s)
            assert same(values[2 + 2 * i], number(s['exact'][k])), (k, row, s)
    # Written whole or not at all: a folder that does not exist gets nothing, and status 1.
    bad = subprocess.run([program, '--profile-csv', os.path.join(folder, 'no', 'x.csv')] + args,
                         capture_output=True)
    assert bad.returncode == 1, bad.returncode
    return len(samples)


def main():
    program, folder = sys.argv[1], sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    for args in ([], ['--beta', '160', '--v1', '700'], ['--v1', '200'], ['--beta', '190']):
        n = check(program, folder, args)
        print('%s: %d rows agree' % (' '.join(args) or 'start-up', n))
    return 0


if __name__ == '__main__':
    sys.exit(main())
