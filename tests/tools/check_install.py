#!/usr/bin/python3
"""Installs the build (first argument) into a fresh prefix (second argument)
with `cmake --install` and checks what a person gets: the program with its
folders beside it under lib/halvoren (the shipped templates and icons as in
resources/, the empty objects folder, no version-control placeholders) and
the link in bin that leads to it."""
import os
import shutil
import subprocess
import sys


def files(folder):
    out = []
    for root, dirs, names in os.walk(folder):
        for n in names + [d + '/' for d in dirs]:
            out.append(os.path.relpath(os.path.join(root, n), folder))
    return sorted(out)


def main():
    build, prefix, resources = sys.argv[1], sys.argv[2], sys.argv[3]
    shutil.rmtree(prefix, ignore_errors=True)
    subprocess.run(['cmake', '--install', build, '--prefix', prefix], check=True, stdout=subprocess.DEVNULL)
    errors = []
    home = os.path.join(prefix, 'lib', 'halvoren')
    program = os.path.join(home, 'halvoren')
    if not os.access(program, os.X_OK):
        errors.append('no program at %s' % program)
    link = os.path.join(prefix, 'bin', 'halvoren')
    if not os.path.islink(link) or os.path.realpath(link) != os.path.realpath(program):
        errors.append('%s does not lead to %s' % (link, program))
    for folder in ('lang', 'help', 'templates', 'objects', 'icons'):
        shipped = [f for f in files(os.path.join(resources, folder)) if not os.path.basename(f).startswith('.')]
        installed = os.path.join(home, folder)
        if not os.path.isdir(installed):
            errors.append('no folder %s' % installed)
        elif files(installed) != shipped:
            errors.append('%s holds %r, resources/%s %r' % (installed, files(installed), folder, shipped))
    for e in errors:
        print(e)
    if not errors:
        print('installed: %s with %d templates and %d icons' % (
            program, len(os.listdir(os.path.join(home, 'templates'))), len(os.listdir(os.path.join(home, 'icons')))))
    return 1 if errors else 0


if __name__ == '__main__':
    sys.exit(main())
