"""Checks the drawing files that drawing_samples writes with independent
readers: ezdxf (Debian's python3-ezdxf) reads each strictly and its audit
finds no error; the layer names, the line-type descriptions and the texts
read back as the expected Unicode; LibreCAD (Debian's librecad) turns each
into a PDF under a time limit."""
import glob
import os
import shutil
import subprocess
import sys

import ezdxf


def texts_of(doc):
    found = set()
    for layout in [doc.modelspace()] + list(doc.blocks):
        for e in layout:
            if e.dxftype() == "TEXT":
                found.add(e.dxf.text)
    return found


def check_ezdxf(path):
    problems = []
    try:
        doc = ezdxf.readfile(path)
    except Exception as error:  # a strict read refuses the file
        return ["ezdxf: %s: %s" % (type(error).__name__, error)]
    auditor = doc.audit()
    for error in auditor.errors:
        problems.append("audit: %s" % (error.message,))
    descriptions = {lt.dxf.name.upper(): lt.dxf.description for lt in doc.linetypes}
    if not descriptions.get("DASH", "").startswith("— — —"):
        problems.append("DASH description %r" % descriptions.get("DASH"))
    if not descriptions.get("DOT", "").startswith("· · ·"):
        problems.append("DOT description %r" % descriptions.get("DOT"))
    layers = {layer.dxf.name for layer in doc.layers}
    texts = texts_of(doc)
    with open(path + ".expect", encoding="utf-8") as f:
        for line in f.read().splitlines():
            kind, _, value = line.partition("=")
            if kind == "layer" and value not in layers:
                problems.append("layer %r not among %r" % (value, sorted(layers)))
            if kind == "text" and value not in texts:
                problems.append("text %r not among the texts read" % value)
    return problems


def check_librecad(path):
    librecad = shutil.which("librecad")
    if librecad is None:
        return ["librecad is not installed"]
    # dxf2pdf writes the PDF beside the drawing, under its name.
    pdf = os.path.splitext(path)[0] + ".pdf"
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    result = subprocess.run(["timeout", "120", librecad, "dxf2pdf", "-a", "-o", pdf, path],
                            env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    if result.returncode != 0:
        return ["librecad dxf2pdf exited %d: %s" % (result.returncode, result.stdout.decode(errors="replace")[-400:])]
    if not os.path.isfile(pdf) or os.path.getsize(pdf) == 0:
        return ["librecad dxf2pdf wrote no PDF"]
    return []


def main():
    sample_program, folder = sys.argv[1], sys.argv[2]
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    made = subprocess.run([sample_program, folder])
    failed = made.returncode != 0
    files = sorted(glob.glob(os.path.join(folder, "*.dxf")))
    if len(files) != 24:
        print("expected 24 drawing files, found %d" % len(files))
        failed = True
    for path in files:
        problems = check_ezdxf(path) + check_librecad(path)
        for p in problems:
            print("%s: %s" % (os.path.basename(path), p))
        failed = failed or bool(problems)
    sys.exit(1 if failed else 0)


main()
