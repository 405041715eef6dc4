#!/usr/bin/python3
"""Reads the documents of the templates the program ships as their readers do.

Runs the sample program (first argument) to make every shipped template's
document in a folder (second argument). LibreOffice, with a user profile of
its own in that folder, converts each RTF document to PDF, whose text
(pdftotext, by its layout) must give the document's own lines, and to HTML,
in which every variable's value must stand in bold; in the node table the
columns of every row must begin where their captions begin. The HTML
document is read by Python's html.parser with the character set it
declares: every element must be closed in order, and its tables must hold
the expected cells."""
import html
import os
import re
import shutil
import subprocess
import sys
from html.parser import HTMLParser

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_html_export import cells  # noqa: E402  (the HTML export's reading of tables)

VOID = {'area', 'base', 'br', 'col', 'embed', 'hr', 'img', 'input', 'link', 'meta', 'source', 'track', 'wbr'}

CAPTIONS = ['Węzeł', 'Odległość [m]', 'Teren istn. [m n.p.m.]', 'Rzędna rury [m n.p.m.]', 'Zagłębienie [m]',
            'Długość [m]', 'Spadek [%]', 'Średnica [mm]', 'Materiał', 'Obiekt']
HTML_ROWS = [
    CAPTIONS,
    ['S1', '0,00', '182,40', '180,00', '2,40', '40,00', '1,0', '200', 'PVC-U', 'studzienka'],
    ['S2', '40,00', '181,95', '179,60', '2,35', '45,50', '1,2', '200', 'PVC-U', 'studzienka'],
    ['S3', '85,50', '181,20', '179,05', '2,15', '34,50', '0,7', '200', 'PVC-U', 'studzienka'],
    ['S4', '120,00', '180,80', '178,80', '2,00', '0,00', '0,0', '200', 'PVC-U', 'studzienka'],
    CAPTIONS,
    ['Ł1', '0,00', '182,10', '180,60', '1,50', '12,50', '2,0', '160', 'PVC-U', ''],
    ['S2', '12,50', '181,95', '180,35', '1,60', '0,00', '0,0', '160', 'PVC-U', ''],
]


class Strict(HTMLParser):
    """Fails on an end tag that does not close the innermost open element
    and on an element left open at the end."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open = []
        self.errors = []
        self.doctype = False

    def handle_decl(self, decl):
        self.doctype = self.doctype or decl.lower() == 'doctype html'

    def handle_starttag(self, tag, attrs):
        if tag not in VOID:
            self.open.append(tag)

    def handle_startendtag(self, tag, attrs):
        pass

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.errors.append('</%s> while %r are open' % (tag, self.open))
        else:
            self.open.pop()

    def check(self, text):
        self.feed(text)
        self.close()
        if self.open:
            self.errors.append('left open: %r' % self.open)
        if not self.doctype:
            self.errors.append('no <!DOCTYPE html>')
        return self.errors


def check_html(path):
    with open(path, 'rb') as f:
        raw = f.read()
    declared = re.search(rb'<meta[^>]*charset=([A-Za-z0-9_-]+)', raw, re.IGNORECASE)
    if not declared:
        return ['%s declares no character set' % path]
    text = raw.decode(declared.group(1).decode('ascii'))
    errors = ['%s: %s' % (os.path.basename(path), e) for e in Strict().check(text)]
    rows = cells(text)
    if rows != HTML_ROWS:
        errors.append('%s gives the cells %r, expected %r' % (os.path.basename(path), rows, HTML_ROWS))
    return errors


def soffice(folder, target, documents):
    profile = 'file://' + os.path.join(folder, 'lo-profile')
    subprocess.run(['soffice', '-env:UserInstallation=' + profile, '--headless', '--norestore',
                    '--convert-to', target, '--outdir', os.path.join(folder, target)] + documents,
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)


def squeeze(line):
    return ' '.join(line.split())


def bold_values(rtf):
    """The texts of the bold groups of an RTF document we wrote."""
    out = []
    for group in re.findall(rb'\{\\b (.*?)\}', rtf):
        text = re.sub(rb"\\'([0-9a-f]{2})", lambda m: bytes([int(m.group(1), 16)]), group)
        text = text.replace(b'\\tab ', b'\t').replace(b'\\\\', b'\\').replace(b'\\{', b'{').replace(b'\\}', b'}')
        out.append(squeeze(text.decode('cp1250')))
    return [t for t in out if t]


def words_by_line(pdf):
    """The words of a PDF's pages as lines (top to bottom) of (x, text)."""
    page = subprocess.run(['pdftotext', '-bbox', '-enc', 'UTF-8', pdf, '-'],
                          check=True, capture_output=True, timeout=60).stdout.decode('utf-8')
    lines = {}
    for x, y, word in re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>', page):
        lines.setdefault(round(float(y), 1), []).append((float(x), html.unescape(word)))
    return [sorted(words) for _, words in sorted(lines.items())]


def check_columns(pdf):
    """Every row of a node table begins its columns where the captions begin."""
    errors = []
    lines = words_by_line(pdf)
    tables = 0
    for i, line in enumerate(lines):
        if line[0][1] != 'Węzeł':
            continue
        tables += 1
        texts = [w for _, w in line]
        starts = [x for x, w in line if w not in ('istn.', 'rury')]
        if len(starts) != 8:
            errors.append('captions %r' % texts)
            continue
        rows = [l for l in lines[i + 1:i + 8] if len(l) == 8 and not l[0][1].startswith('Profil')]
        for row in rows:
            misplaced = [(w, round(x - s, 1)) for (x, w), s in zip(row, starts) if abs(x - s) > 0.5]
            if misplaced:
                errors.append('row %r: columns away from their captions by %r' % ([w for _, w in row], misplaced))
        if len(rows) < 2:
            errors.append('no rows under the captions %r' % texts)
    if tables != 2:
        errors.append('%d node tables, expected 2' % tables)
    return ['%s: %s' % (os.path.basename(pdf), e) for e in errors]


def check_rtf(folder, documents):
    errors = []
    paths = [os.path.join(folder, d) for d in documents]
    for path in paths:
        with open(path, 'rb') as f:
            if max(f.read()) > 127:
                errors.append('%s holds bytes above 127' % path)
    soffice(folder, 'pdf', paths)
    soffice(folder, 'html', paths)
    for document in documents:
        stem = os.path.splitext(document)[0]
        pdf = os.path.join(folder, 'pdf', stem + '.pdf')
        text = subprocess.run(['pdftotext', '-layout', '-enc', 'UTF-8', pdf, '-'],
                              check=True, capture_output=True, timeout=60).stdout.decode('utf-8')
        got = [squeeze(l) for l in text.replace('\f', '\n').split('\n') if l.strip()]
        with open(os.path.join(folder, document + '.txt'), encoding='utf-8') as f:
            expected = [squeeze(l) for l in f.read().splitlines() if l.strip()]
        if got != expected:
            errors.append('%s: LibreOffice shows %r, expected %r' % (document, got, expected))
        with open(os.path.join(folder, 'html', stem + '.html'), 'rb') as f:
            page = f.read()
        charset = re.search(rb'charset=([-\w]+)', page)
        page = html.unescape(page.decode(charset.group(1).decode() if charset else 'utf-8'))
        bold = [squeeze(re.sub(r'<[^>]*>', '', b))
                for b in re.findall(r'<(?:b|strong)\b[^>]*>(.*?)</(?:b|strong)>', page, re.S | re.I)]
        with open(os.path.join(folder, document), 'rb') as f:
            wanted = bold_values(f.read())
        missing = [v for v in wanted if not any(v in b for b in bold)]
        if not wanted or missing:
            errors.append('%s: not in bold: %r (bold runs: %r)' % (document, missing or 'nothing', bold))
        if stem == 'tabela_wezlow':
            errors += check_columns(pdf)
    return errors


def main():
    sample, folder = sys.argv[1], sys.argv[2]
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    subprocess.run([sample, folder], check=True, timeout=120)
    with open(os.path.join(folder, 'documents.txt'), encoding='cp1250') as f:
        made = dict(l.rstrip('\r\n').split('\t') for l in f if l.strip())
    kinds = sorted(os.path.splitext(d)[1] for d in made)
    if kinds != ['.htm', '.rtf', '.rtf', '.rtf', '.txt']:
        print('documents made: %r' % made)
        return 1
    errors = check_rtf(folder, sorted(d for d in made if d.endswith('.rtf')))
    errors += check_html(os.path.join(folder, next(d for d in made if d.endswith('.htm'))))
    for e in errors:
        print(e)
    if errors:
        return 1
    print('%d documents read: %s' % (len(made), ', '.join(sorted(made))))
    return 0


if __name__ == '__main__':
    sys.exit(main())
