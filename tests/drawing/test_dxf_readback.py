# SPDX-License-Identifier: GPL-3.0-or-later
"""The DXF drawings of ambrelo-calc --dxf read back with ezdxf, an
independent reader: the audit finds no error, the units are millimetres,
the layers and the text style are there, each dimension measures what the
calculation gives (B, H, h, h加, B/2, to 0.5 mm), and the profile's
elevation marks read ∇₁–∇₄ as --details --json prints them. Also the
command line's rules: a wrong name or option is a usage error and a failed
calculation writes nothing.

Usage: test_dxf_readback.py AMBRELO_CALC WORK_FOLDER. Exit 77 (skipped)
without ezdxf (python3-ezdxf)."""
import json
import os
import subprocess
import sys

try:
    import ezdxf
except ImportError:
    print("skipped: python3-ezdxf is not installed")
    sys.exit(77)

CALC, WORK = sys.argv[1], sys.argv[2]
CANALS = {"upstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000, "bed": 100.0},
          "downstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000}, "allowed_drop": 0.3}
EXAMPLES = [  # name, values, with canal data
    ("case1", "1 4 100 1.5 1000 1 0.014 0.25 0.4", False),
    ("case2", "2 4 100 1.5 0.2 1 0.014 0.25 0.4", False),
    ("case3", "3 4 100 1.912 1000 1 0.014 0.25 0.4", False),
    ("case4", "4 1.5 100 1.912 1000 1 0.014 0.25 0.4", False),
    ("canals", "1 4 100 1.5 1000 1 0.014 0.25 0.4", True),
]
LAYERS = {"槽身轮廓": "CONTINUOUS", "水面": "CONTINUOUS", "加大水面": "DASHED",
          "临界水深": "HIDDEN", "尺寸标注": "CONTINUOUS", "文字": "CONTINUOUS"}
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def calc(*args):
    return subprocess.run([CALC, *args], capture_output=True, text=True)


def expected_sizes(details):
    """B, H, h, h加 and B/2 of the adopted section in millimetres from the
    --details --json output."""
    a = details["adopted"]
    return {"B=<>": a["B"], "H=<>": a["H"], "h=<>": a["h"],
            "h加=<>": a["h_increased"], "": a["B"] / 2}


def check_drawing(name, path, details):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    check(not auditor.has_errors, f"{name}: audit errors {[e.message for e in auditor.errors]}")
    check(doc.header.get("$INSUNITS") == 4, f"{name}: $INSUNITS is not 4 (mm)")
    for layer, linetype in LAYERS.items():
        check(doc.layers.has_entry(layer), f"{name}: no layer {layer}")
        if doc.layers.has_entry(layer):
            check(doc.layers.get(layer).dxf.linetype == linetype, f"{name}: {layer} not {linetype}")
    check(doc.styles.get("SONGTI").dxf.font == "simsun.ttc", f"{name}: no SimSun text style")
    msp = doc.modelspace()
    texts = [t.dxf.text for t in msp.query("TEXT")]
    check(all(t.dxf.style == "SONGTI" for t in msp.query("TEXT")), f"{name}: a text not in SONGTI")
    check(any("采用断面" in t for t in texts), f"{name}: no note 采用断面")
    check(len(msp.query('LWPOLYLINE[layer=="槽身轮廓"]')) == 1 + ("canals" in name),
          f"{name}: outlines")
    dims = msp.query("DIMENSION")
    check(len(dims) == 5, f"{name}: {len(dims)} dimensions, not 5")
    sizes = expected_sizes(details)
    for dim in dims:
        key = dim.dxf.get("text", "")
        want = sizes.get(key)
        got = dim.get_measurement()
        check(want is not None and abs(got - want * 1000) <= 0.5,
              f"{name}: dimension {key!r} measures {got}, not {want} m")
    return texts


def main():
    os.makedirs(WORK, exist_ok=True)
    canal_file = os.path.join(WORK, "canals.json")
    with open(canal_file, "w", encoding="utf-8") as f:
        json.dump(CANALS, f)
    for name, values, canals in EXAMPLES:
        extra = ["--connection", canal_file] if canals else []
        path = os.path.join(WORK, name + ".dxf")
        run = calc("--dxf", path, *extra, *values.split())
        check(run.returncode == 0 and os.path.exists(path), f"{name}: not written: {run.stderr}")
        details = json.loads(calc("--details", "--json", *extra, *values.split()).stdout)
        texts = check_drawing(name, path, details)
        if canals:
            levels = details["connection"]["elevations"]
            for key in ("bed_upstream", "bed_inlet", "bed_outlet", "bed_downstream",
                        "level_upstream", "level_downstream"):
                check(f"{levels[key]:.3f}" in texts, f"{name}: no elevation {key} {levels[key]:.3f}")
    # The rules of the command line.
    values = EXAMPLES[0][1].split()
    check(calc("--dxf", os.path.join(WORK, "a.txt"), *values).returncode == 2, "a .txt name")
    check(calc("--dxf", os.path.join(WORK, "b.dxf"), "1", "--csv", "-").returncode == 2,
          "--dxf with --csv")
    check(calc("--dxf", os.path.join(WORK, "c.dxf"), "--dxf-exaggeration", "0", *values)
          .returncode == 2, "an exaggeration of 0")
    failed = os.path.join(WORK, "failed.dxf")
    check(calc("--dxf", failed, "1", "-4", *values[2:]).returncode == 1
          and not os.path.exists(failed), "a failed calculation writes a file")
    print(f"{len(failures)} failed" if failures else "all drawings read back as calculated")
    return 1 if failures else 0


sys.exit(main())
