"""R12 drawing files made by an independent program (ezdxf) for the tests of
the drawing-file reader.

    /usr/bin/python3 make_dxf_fixtures.py <folder>

writes drawing.dxf (LF line ends, as ezdxf writes) and drawing_crlf.dxf (the
same with CR LF). The reader's tests assert exactly what is made here.
"""
import pathlib
import sys

import ezdxf


def make_document():
    doc = ezdxf.new("R12")
    doc.encoding = "cp1250"
    doc.header["$DWGCODEPAGE"] = "ANSI_1250"

    doc.linetypes.add("DASH", pattern=[0.375, 0.25, -0.125], description="Dashed")
    doc.linetypes.add("DOT", pattern=[0.125, 0.0, -0.125], description="Dotted")
    doc.layers.get("0").color = 7
    doc.layers.add("ter", color=3, linetype="DASH")
    doc.layers.add("rura", color=5, linetype="DOT")
    doc.layers.add("opis", color=1, linetype="CONTINUOUS")
    hidden = doc.layers.add("ukryta", color=4)
    hidden.off()  # stored as colour -4

    sign = doc.blocks.new("ZNAK", base_point=(1, 1))
    sign.add_circle((1, 1), 2, dxfattribs={"layer": "rura"})
    sign.add_line((-1, 1), (3, 1), dxfattribs={"layer": "0", "color": 1})
    sign.add_attdef("NR", (1, 4), dxfattribs={"height": 1.5, "prompt": "Numer"})
    square = doc.blocks.new("KWADRAT")
    square.add_polyline2d([(0, 0), (4, 0), (4, 4), (0, 4)], close=True, dxfattribs={"layer": "ter"})

    msp = doc.modelspace()
    # The header's $EXTMIN and $EXTMAX are written from these.
    msp.dxf.extmin = (-10, -20, 0)
    msp.dxf.extmax = (200, 150, 0)
    msp.add_point((1, 2), dxfattribs={"layer": "0", "color": 2})
    msp.add_line((0, 0), (100, 50), dxfattribs={"layer": "ter"})
    msp.add_line((0, 10), (100, 60), dxfattribs={"layer": "ter", "color": 1})
    msp.add_circle((10, 10), 5, dxfattribs={"layer": "rura"})
    msp.add_arc((50, 50), 10, 30, 120, dxfattribs={"layer": "rura"})
    msp.add_line((0, 0), (1, 1), dxfattribs={"layer": "ukryta"})

    msp.add_text("Zażółć gęślą jaźń", dxfattribs={"layer": "opis", "height": 2.5, "rotation": 30, "insert": (5, 5)})
    centre = msp.add_text("SRODEK", dxfattribs={"layer": "opis", "height": 2})
    centre.set_pos((40, 5), align="CENTER")
    right = msp.add_text("PRAWA", dxfattribs={"layer": "opis", "height": 2, "rotation": 44.6})
    right.set_pos((80, 5), align="RIGHT")

    with_attribute = msp.add_blockref("ZNAK", (20, 20), dxfattribs={"layer": "0", "xscale": 2, "yscale": 2,
                                                                     "rotation": 90})
    with_attribute.add_attrib("NR", "S1", (20, 26), dxfattribs={"height": 1.5})
    msp.add_blockref("ZNAK", (30, 30), dxfattribs={"layer": "0"})
    msp.add_blockref("KWADRAT", (60, 60), dxfattribs={"layer": "ter", "xscale": 0.5, "yscale": 0.5})

    msp.add_polyline2d([(0, 100), (10, 100), (10, 110), (0, 110)], close=True, dxfattribs={"layer": "ter"})
    msp.add_polyline3d([(0, 0, 0), (5, 5, 5), (10, 0, 10)], dxfattribs={"layer": "ter"})

    mesh = msp.add_polymesh(size=(2, 3), dxfattribs={"layer": "rura"})
    for m in range(2):
        for n in range(3):
            mesh.set_mesh_vertex((m, n), (n * 10, m * 10, m + n))
    faces = msp.add_polyface(dxfattribs={"layer": "rura"})
    faces.append_face([(0, 0, 0), (10, 0, 0), (10, 10, 0), (0, 10, 0)])
    faces.append_face([(10, 0, 0), (20, 0, 0), (10, 10, 0)])

    msp.add_3dface([(0, 0, 0), (10, 0, 0), (10, 10, 0)], dxfattribs={"layer": "0"})
    msp.add_3dface([(0, 0, 0), (10, 0, 0), (10, 10, 1), (0, 10, 1)], dxfattribs={"layer": "0"})
    msp.add_solid([(0, 0), (10, 0), (0, 10), (10, 10)], dxfattribs={"layer": "0", "color": 6})
    return doc


def main():
    folder = pathlib.Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    lf = folder / "drawing.dxf"
    make_document().saveas(lf)
    data = lf.read_bytes()
    (folder / "drawing_crlf.dxf").write_bytes(data.replace(b"\n", b"\r\n"))


if __name__ == "__main__":
    main()
