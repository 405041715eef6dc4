#!/usr/bin/python3
"""Checks the printed files with real readers.

Runs the sample program (first argument) in a folder (second argument): it
prints through the front end into PDF and PNG files and writes what each
file must hold into "expected.txt", one fact a line:

  folder <path>                       where the files are
  paper <width> <height>              the printer's paper in points
  pdf <file> pages <n>                pdfinfo: n pages of that paper
  ink <file> <page> <x> <y>           pdftoppm: a dark pixel near the point
  blank <file> <page> <x> <y>         pdftoppm: only white near the point
  images <file> <bpc> <width> <h,...> pdfimages -list: each page's images
  png <file> <width> <height> <bits>  pngcheck: a valid PNG of that size
  gone <file>                         no such file
  dpi <n>                             the "PDF" entry's resolution: 600
  boxes <expected> <shown>            the boxes saying a file was saved

Points are inches from the paper's top left corner."""
import os
import re
import shutil
import subprocess
import sys
import tempfile

RESOLUTION = 150  # pixels per inch of the rendered pages
NEAR = 3          # pixels around a point


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def read_pgm(path):
    with open(path, 'rb') as f:
        data = f.read()
    # P5 <width> <height> <max> then the bytes.
    fields = re.match(rb'P5\s+(\d+)\s+(\d+)\s+(\d+)\s', data)
    width, height = int(fields.group(1)), int(fields.group(2))
    return width, height, data[fields.end():]


class Pages:
    """Pages rendered once each, in grey."""

    def __init__(self, scratch):
        self.scratch = scratch
        self.cache = {}

    def page(self, path, number):
        key = (path, number)
        if key not in self.cache:
            stem = os.path.join(self.scratch, 'page-%d-%d' % (len(self.cache), number))
            run('pdftoppm', '-r', str(RESOLUTION), '-gray', '-f', str(number), '-l', str(number),
                '-singlefile', path, stem)
            self.cache[key] = read_pgm(stem + '.pgm')
        return self.cache[key]

    def darkest_near(self, path, number, x_in, y_in):
        width, height, pixels = self.page(path, number)
        cx, cy = round(x_in * RESOLUTION), round(y_in * RESOLUTION)
        darkest = 255
        for y in range(max(0, cy - NEAR), min(height, cy + NEAR + 1)):
            for x in range(max(0, cx - NEAR), min(width, cx + NEAR + 1)):
                darkest = min(darkest, pixels[y * width + x])
        return darkest


def main():
    sample, folder = sys.argv[1], sys.argv[2]
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    subprocess.run([sample, folder], check=True)
    with open(os.path.join(folder, 'expected.txt'), encoding='utf-8') as f:
        facts = [line.split() for line in f if line.strip()]
    files = next(f[1] for f in facts if f[0] == 'folder')
    paper = next((float(f[1]), float(f[2])) for f in facts if f[0] == 'paper')
    failures = []
    scratch = tempfile.mkdtemp()
    pages = Pages(scratch)
    try:
        for fact in facts:
            kind = fact[0]
            if kind in ('folder', 'paper', 'line'):
                continue
            if kind == 'dpi':
                if fact[1] != '600':
                    failures.append('the PDF entry reports %s dpi' % fact[1])
                continue
            if kind == 'boxes':
                if fact[1] != fact[2]:
                    failures.append('%s boxes said a file was saved, not %s' % (fact[2], fact[1]))
                continue
            path = os.path.join(files, fact[1])
            what = ' '.join(fact)
            if kind == 'gone':
                if os.path.exists(path):
                    failures.append('%s: the file is still there' % what)
                continue
            if not os.path.exists(path):
                failures.append('%s: no such file' % what)
                continue
            if kind == 'pdf':
                info = run('pdfinfo', '-f', '1', '-l', '1000', path)
                count = int(re.search(r'^Pages:\s+(\d+)', info, re.M).group(1))
                sizes = re.findall(r'^Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts', info, re.M)
                if count != int(fact[3]):
                    failures.append('%s: pdfinfo gives %d pages' % (what, count))
                for w, h in sizes:
                    if abs(float(w) - paper[0]) > 1 or abs(float(h) - paper[1]) > 1:
                        failures.append('%s: a page of %s x %s pts, not %.2f x %.2f' % (what, w, h, *paper))
            elif kind in ('ink', 'blank'):
                darkest = pages.darkest_near(path, int(fact[2]), float(fact[3]), float(fact[4]))
                if kind == 'ink' and darkest > 200:
                    failures.append('%s: no ink there (darkest %d)' % (what, darkest))
                if kind == 'blank' and darkest < 250:
                    failures.append('%s: ink there (darkest %d)' % (what, darkest))
            elif kind == 'images':
                listing = run('pdfimages', '-list', path).splitlines()[2:]
                by_page = {}
                for line in listing:
                    cols = line.split()
                    by_page.setdefault(int(cols[0]), []).append((int(cols[3]), int(cols[4]), int(cols[7])))
                heights = [int(h) for h in fact[4].split(',')]
                expected = [(int(fact[3]), h, int(fact[2])) for h in heights]
                if not by_page:
                    failures.append('%s: no images' % what)
                for page, images in sorted(by_page.items()):
                    if images != expected:
                        failures.append('%s: page %d holds %r' % (what, page, images))
            elif kind == 'png':
                out = subprocess.run(['pngcheck', path], capture_output=True, text=True)
                found = re.search(r'\((\d+)x(\d+), (\d+)-bit', out.stdout)
                if out.returncode != 0 or not found:
                    failures.append('%s: pngcheck says %s' % (what, out.stdout.strip()))
                    continue
                got = (int(found.group(1)), int(found.group(2)), int(found.group(3)))
                if got != (int(fact[2]), int(fact[3]), int(fact[4])):
                    failures.append('%s: pngcheck gives %dx%d, %d-bit' % (what, *got))
            else:
                failures.append('%s: unknown fact' % what)
            if not failures or failures[-1].split(':')[0] != what:
                print('ok: %s' % what)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    for f in failures:
        print('FAILED: %s' % f)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
