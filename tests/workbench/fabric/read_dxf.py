"""Reads a DXF-AAMA file with ezdxf, an independent reader, runs its
auditor and prints what each block holds, one item a line:

    audit ERRORS FIXES
    units INSUNITS MEASUREMENT
    block NAME
    boundary X Y X Y ...     (closed polyline on layer 1, mm)
    sew X Y X Y ...          (closed polyline on layer 14)
    notch X1 Y1 X2 Y2        (line on layer 4)
    text STRING              (text on layer 1)
    other TYPE LAYER         (anything else)
"""
import sys

import ezdxf


def points(polyline):
    return " ".join("%.6f %.6f" % (v.dxf.location.x, v.dxf.location.y) for v in polyline.vertices)


def main(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    print("audit %d %d" % (len(auditor.errors), len(auditor.fixes)))
    for error in auditor.errors:
        print("error %s" % error.message)
    print("version %s" % doc.dxfversion)
    print("measurement %s" % doc.header.get("$MEASUREMENT", "none"))
    for name in ("1", "4", "14"):
        print("layer %s %s" % (name, "yes" if name in doc.layers else "no"))
    for insert in doc.modelspace().query("INSERT"):
        print("insert %s" % insert.dxf.name)
    for block in doc.blocks:
        if block.name.startswith("*"):
            continue
        print("block %s" % block.name)
        for e in block:
            kind, layer = e.dxftype(), e.dxf.layer
            if kind == "POLYLINE" and layer == "1" and e.is_closed:
                print("boundary %s" % points(e))
            elif kind == "POLYLINE" and layer == "14" and e.is_closed:
                print("sew %s" % points(e))
            elif kind == "LINE" and layer == "4":
                print("notch %.6f %.6f %.6f %.6f" % (e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y))
            elif kind == "TEXT" and layer == "1":
                print("text %s" % e.dxf.text)
            else:
                print("other %s %s" % (kind, layer))


if __name__ == "__main__":
    main(sys.argv[1])
