#!/usr/bin/python3
"""Reads the table component's HTML back with real parsers.

Runs the sample program (first argument) to write a table as HTML and the
texts of its cells as JSON into a folder (second argument); then Python's
html.parser reads the HTML, decoded with the character set the file
declares, and must give back every row and cell with the cells' texts.
Where Debian's chromium is installed, the DOM it builds from the file must
give the same texts."""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
from html.parser import HTMLParser


class Cells(HTMLParser):
    """The texts of the th and td cells, row by row."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows = []
        self.cell = None

    def handle_starttag(self, tag, attrs):
        if tag == 'tr':
            self.rows.append([])
        elif tag in ('td', 'th'):
            self.cell = ''

    def handle_endtag(self, tag):
        if tag in ('td', 'th') and self.cell is not None:
            self.rows[-1].append(self.cell.strip())
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def cells(text):
    parser = Cells()
    parser.feed(text)
    parser.close()
    return parser.rows


def compare(what, got, expected):
    if got != expected:
        print('%s gives other cells than the table holds:' % what)
        print('  got:      %r' % got)
        print('  expected: %r' % expected)
        return False
    print('%s reads every cell: %d rows' % (what, len(got)))
    return True


def main():
    sample, folder = sys.argv[1], sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    htm = os.path.join(folder, 'tabela.htm')
    expected_json = os.path.join(folder, 'tabela.json')
    subprocess.run([sample, htm, expected_json], check=True)
    with open(expected_json, encoding='utf-8') as f:
        expected = json.load(f)
    with open(htm, 'rb') as f:
        raw = f.read()
    declared = re.search(rb'<meta[^>]*charset=([A-Za-z0-9_-]+)', raw, re.IGNORECASE)
    if not declared:
        print('the file declares no character set')
        return 1
    charset = declared.group(1).decode('ascii')
    ok = compare('html.parser (%s)' % charset, cells(raw.decode(charset)), expected)

    chromium = shutil.which('chromium')
    if not chromium:
        print('chromium is not installed: its reading is skipped')
        return 0 if ok else 1
    with tempfile.TemporaryDirectory() as profile:
        dom = subprocess.run(
            [chromium, '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
             '--disable-background-networking', '--disable-component-update', '--disable-sync',
             '--user-data-dir=' + profile, '--dump-dom', 'file://' + os.path.abspath(htm)],
            capture_output=True, check=True, timeout=120).stdout.decode('utf-8')
    ok = compare('chromium', cells(dom), expected) and ok
    return 0 if ok else 1


if __name__ == '__main__':
    sys.exit(main())
