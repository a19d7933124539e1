# SPDX-License-Identifier: GPL-3.0-or-later
"""The section's DXF drawn by a CAD program: LibreCAD's converter
(librecad dxf2pdf) prints it at the scale its title states, pdftoppm makes
a grey image of the page, and the U must stand there in ink to that scale:
two walls B apart, as long as H − B/2, their tops level, and the invert
B/2 below their feet, midway between them.

Usage: test_dxf_render.py AMBRELO_CALC WORK_FOLDER. Exit 77 (skipped)
without librecad, pdftoppm or ezdxf."""
import os
import shutil
import subprocess
import sys

try:
    import ezdxf
except ImportError:
    print("skipped: python3-ezdxf is not installed")
    sys.exit(77)
for tool in ("librecad", "pdftoppm"):
    if not shutil.which(tool):
        print(f"skipped: {tool} is not installed")
        sys.exit(77)

CALC, WORK = sys.argv[1], sys.argv[2]
EXAMPLES = {"case1": "1 4 100 1.5 1000 1 0.014 0.25 0.4",
            "case3": "3 1 100 1.6 1000 0.8 0.014 0.2 0.3"}
DPI = 50  # of the page image


def page_image(dxf, scale):
    """The page printed at 1:scale, as rows of grey values (0 black, 255 white)."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=os.path.join(WORK, "xdg"))
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
    subprocess.run(["librecad", "dxf2pdf", "-m", "-c", "-s", str(1 / scale), "-t", WORK, dxf],
                   env=env, capture_output=True, timeout=120, check=True)
    pdf = dxf[:-4] + ".pdf"
    subprocess.run(["pdftoppm", "-r", str(DPI), "-gray", "-singlefile", pdf, pdf[:-4]], check=True)
    with open(pdf[:-4] + ".pgm", "rb") as f:
        _, size, _, pixels = f.read().split(b"\n", 3)
    width, height = map(int, size.split())
    return [pixels[y * width:(y + 1) * width] for y in range(height)]


def longest_run(rows, x):
    """(length, first row) of the longest inked run down column x, gaps of 2 px bridged."""
    best, start, gap = (0, 0), None, 0
    for y, row in enumerate(rows):
        if row[x] < 128:
            start = y if start is None else start
            gap = 0
            best = max(best, (y - start + 1, start))
        else:
            gap += 1
            start = None if gap > 2 else start
    return best


def inked_near(rows, x, y, slack=3):
    return any(rows[j][i] < 128 for j in range(y - slack, y + slack + 1)
               for i in range(x - slack, x + slack + 1))


def check_case(name, values):
    dxf = os.path.join(WORK, name + ".dxf")
    subprocess.run([CALC, "--dxf", dxf, *values.split()], capture_output=True, check=True)
    doc = ezdxf.readfile(dxf)
    scale = doc.header["$DIMSCALE"]  # the section's 1:N
    outline = doc.modelspace().query('LWPOLYLINE[layer=="槽身轮廓"]').first
    (_, top), (_, r), _, _ = outline.get_points("xy")
    mm = DPI / 25.4 / scale  # pixels per drawing unit
    rows = page_image(dxf, scale)
    wall = (top - r) * mm
    runs = [(x, *longest_run(rows, x)) for x in range(len(rows[0]))]
    walls = [(x, start) for x, length, start in runs if length >= 0.9 * wall]
    found = [(a, b) for a, ya in walls for b, yb in walls
             if abs(b - a - 2 * r * mm) <= 2 and abs(ya - yb) <= 2
             and inked_near(rows, round((a + b) / 2), round(ya + wall + r * mm))]
    print(f"{name}: 1:{scale:g}, walls {2 * r * mm:.1f} px apart, U found at {found[:1]}")
    return bool(found)


os.makedirs(WORK, exist_ok=True)
results = [check_case(name, values) for name, values in EXAMPLES.items()]
print("1 passed, 0 failed" if all(results) else "0 passed, 1 failed")
sys.exit(0 if all(results) else 1)
