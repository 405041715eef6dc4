#!/usr/bin/python3
"""Opens a document the program made as RTF with LibreOffice.

Runs the sample program (first argument) to make document.rtf in a folder
(second argument); LibreOffice, with a user profile of its own in that
folder, converts it to PDF, whose text pdftotext must give as the expected
lines exactly, and to HTML, in which every variable's value must stand in
bold."""
import html
import os
import re
import shutil
import subprocess
import sys

EXPECTED = [
    'Zażółć gęślą jaźń {klamry} i \\ukośnik',
    'Inwestor: Gmina Żółkiewka',
    'Profil: Kanał główny',
    'Długość: 1518,44 m',
    'Słownie: jeden tysiąc pięćset osiemnaście złotych czterdzieści cztery grosze',
]
BOLD = ['Gmina Żółkiewka', 'Kanał główny', '1518,44',
        'jeden tysiąc pięćset osiemnaście złotych czterdzieści cztery grosze']


def soffice(folder, target, document):
    profile = 'file://' + os.path.join(folder, 'lo-profile')
    subprocess.run(['soffice', '-env:UserInstallation=' + profile, '--headless', '--norestore',
                    '--convert-to', target, '--outdir', folder, document],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=240)


def main():
    sample, folder = sys.argv[1], sys.argv[2]
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    subprocess.run([sample, folder], check=True, timeout=120)
    document = os.path.join(folder, 'document.rtf')
    with open(document, 'rb') as f:
        rtf = f.read()
    if max(rtf) > 127:
        sys.exit('the RTF holds bytes above 127')
    soffice(folder, 'pdf', document)
    text = subprocess.run(['pdftotext', '-enc', 'UTF-8', os.path.join(folder, 'document.pdf'), '-'],
                          check=True, capture_output=True, timeout=60).stdout.decode('utf-8')
    lines = [l for l in text.replace('\f', '').split('\n') if l.strip()]
    if lines != EXPECTED:
        sys.exit('pdftotext gave %r, expected %r' % (lines, EXPECTED))
    soffice(folder, 'html', document)
    with open(os.path.join(folder, 'document.html'), 'rb') as f:
        page = f.read()
    charset = re.search(rb'charset=([-\w]+)', page)
    page = html.unescape(page.decode(charset.group(1).decode() if charset else 'utf-8'))
    bold = [re.sub(r'\s+', ' ', re.sub(r'<[^>]*>', '', b)).strip()
            for b in re.findall(r'<(?:b|strong)\b[^>]*>(.*?)</(?:b|strong)>', page, re.S | re.I)]
    missing = [v for v in BOLD if v not in bold]
    if missing:
        sys.exit('not in bold: %r (bold runs: %r)' % (missing, bold))
    print('document read by LibreOffice: %d lines, %d bold values' % (len(lines), len(BOLD)))


if __name__ == '__main__':
    main()
