"""Checks the drawing files that drawing_samples writes with independent
readers: as many files as the sample program reports; ezdxf (Debian's
python3-ezdxf) reads each strictly and its audit finds no error; the layer
names, the line-type descriptions and the texts read back as the expected
Unicode; every insert names a defined block; each bend block, exploded by
ezdxf, runs from its insertion to the end of its run; LibreCAD (Debian's
librecad) turns each file into a PDF under a time limit, and each profile
sheet's PDF becomes a PNG (poppler's pdftoppm) in drawing_renders/ beside
the output folder, for a person to look at.

The profile sheet's own entities (the table, the lines, the bends, the
texts of the profiles) are checked once the file holds the sheet: any
entity on the layer its expectations name as "sheet_layer". A file that
holds only the title block says so and skips those checks."""
import glob
import math
import os
import re
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


def read_expectations(path):
    expected = {}
    with open(path + ".expect", encoding="utf-8") as f:
        for line in f.read().splitlines():
            kind, _, value = line.partition("=")
            expected.setdefault(kind, []).append(value)
    return expected


def unresolved_inserts(doc):
    problems = []
    for layout in [doc.modelspace()] + list(doc.blocks):
        for e in layout:
            if e.dxftype() == "INSERT" and doc.blocks.get(e.dxf.name) is None:
                problems.append("insert of undefined block %r" % e.dxf.name)
    return problems


def curve_ends(entity):
    """The two end points of an exploded bend (an ARC, or an ELLIPSE when
    the block is scaled unevenly)."""
    kind = entity.dxftype()
    if kind in ("ARC", "ELLIPSE"):
        return entity.start_point, entity.end_point
    return None


def check_bends(doc, bends, sheet_drawn):
    """Each ARC_ insert explodes into one curve whose ends are its insertion
    point and that point moved by its run (invert, crown and axis are the
    same run moved up or down); the invert's insert stands at the run's
    start. With the sheet drawn every expected bend is there."""
    problems = []
    runs = {}
    for line in bends:
        name, *numbers = line.split()
        x1, y1, x2, y2 = map(float, numbers)
        runs[name] = (x1, y1, x2, y2)
    found = set()
    for e in doc.modelspace().query("INSERT"):
        block = e.dxf.name
        if not block.upper().startswith("ARC_"):
            continue
        match = re.match(r"(?i)(ARC_\d+_\d+)_(\d+)$", block)
        if not match or match.group(1).upper() not in {k.upper() for k in runs}:
            problems.append("bend %r not expected" % block)
            continue
        key = next(k for k in runs if k.upper() == match.group(1).upper())
        x1, y1, x2, y2 = runs[key]
        dx, dy = x2 - x1, y2 - y1
        tolerance = 1e-4 * math.hypot(dx, dy) + 0.01
        curves = [v for v in e.virtual_entities() if curve_ends(v)]
        if len(curves) != 1:
            problems.append("bend %r explodes into %d curves" % (block, len(curves)))
            continue
        start, end = curve_ends(curves[0])
        base = e.dxf.insert
        wanted = [(base.x, base.y), (base.x + dx, base.y + dy)]
        got = sorted([(start.x, start.y), (end.x, end.y)])
        if any(math.hypot(g[0] - w[0], g[1] - w[1]) > tolerance for g, w in zip(got, sorted(wanted))):
            problems.append("bend %r runs %r, not %r" % (block, got, sorted(wanted)))
            continue
        if match.group(2) == "1" and math.hypot(base.x - x1, base.y - y1) <= tolerance:
            found.add(key)
    if sheet_drawn:
        for key in runs:
            if key not in found:
                problems.append("bend %s: no invert from %r to %r" % (key, runs[key][:2], runs[key][2:]))
    return problems


def check_ezdxf(path):
    problems = []
    try:
        doc = ezdxf.readfile(path)
    except Exception as error:  # a strict read refuses the file
        return ["ezdxf: %s: %s" % (type(error).__name__, error)], False
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
    expected = read_expectations(path)
    for value in expected.get("layer", []):
        if value not in layers:
            problems.append("layer %r not among %r" % (value, sorted(layers)))
    for value in expected.get("text", []):
        if value not in texts:
            problems.append("text %r not among the texts read" % value)
    problems += unresolved_inserts(doc)
    sheet_layers = set(expected.get("sheet_layer", []))
    sheet_drawn = bool(sheet_layers) and any(e.dxf.layer in sheet_layers for e in doc.modelspace())
    if sheet_drawn:
        for value in expected.get("sheet_text", []):
            if value not in texts:
                problems.append("sheet text %r not among the texts read" % value)
    problems += check_bends(doc, expected.get("bend", []), sheet_drawn)
    skipped = bool(sheet_layers) and not sheet_drawn
    return problems, skipped


def check_librecad(path, renders):
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
    if "_profile" not in os.path.basename(path):
        return []
    return render_profile_sheet(pdf, path, renders)


def render_profile_sheet(pdf, path, renders):
    """A PNG of the sheet's PDF page. LibreCAD fits the drawing to the
    width of an upright A4 page, where a long profile is a thin strip: the
    PNG is that strip, cut out at 300 dpi."""
    try:
        header = ezdxf.readfile(path).header
        low, high = header.get("$EXTMIN", (0, 0, 0)), header.get("$EXTMAX", (0, 0, 0))
        width, height = high[0] - low[0], high[1] - low[1]
    except Exception:  # reported by the strict read already
        width = height = 0
    dpi = 300
    page_width, page_height = int(8.27 * dpi), int(11.69 * dpi)
    strip = page_height if width <= 0 else int(min(page_height, page_width * height / width + 0.1 * page_width))
    top = (page_height - strip) // 2
    base = os.path.join(renders, os.path.splitext(os.path.basename(path))[0])
    result = subprocess.run(["timeout", "120", "pdftoppm", "-png", "-r", str(dpi), "-singlefile", "-x", "0",
                             "-y", str(top), "-W", str(page_width), "-H", str(strip), pdf, base],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    if result.returncode != 0 or not os.path.isfile(base + ".png"):
        return ["pdftoppm exited %d: %s" % (result.returncode, result.stdout.decode(errors="replace")[-400:])]
    return []


def main():
    sample_program, folder = sys.argv[1], sys.argv[2]
    renders = os.path.join(os.path.dirname(os.path.abspath(folder)), "drawing_renders")
    for f in (folder, renders):
        shutil.rmtree(f, ignore_errors=True)
        os.makedirs(f)
    made = subprocess.run([sample_program, folder], stdout=subprocess.PIPE)
    output = made.stdout.decode(errors="replace")
    sys.stdout.write(output)
    failed = made.returncode != 0
    counts = re.findall(r"^files=(\d+)$", output, re.M)
    files = sorted(glob.glob(os.path.join(folder, "*.dxf")))
    if not counts:
        print("the sample program reported no file count")
        failed = True
    elif len(files) != int(counts[-1]):
        print("the sample program wrote %s drawing files, found %d" % (counts[-1], len(files)))
        failed = True
    skipped = []
    for path in files:
        problems, sheet_skipped = check_ezdxf(path)
        problems += check_librecad(path, renders)
        if sheet_skipped:
            skipped.append(os.path.basename(path))
        for p in problems:
            print("%s: %s" % (os.path.basename(path), p))
        failed = failed or bool(problems)
    if skipped:
        print("profile sheet not drawn (title block only), its texts and bends not checked in: %s"
              % ", ".join(skipped))
    sys.exit(1 if failed else 0)


main()
