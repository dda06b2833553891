#!/usr/bin/env python3
"""Streams a damped wave with error bars and its envelope into corvid, then
has corvid write the page as a PNG image and close.

    python3 damped_wave.py [OUT.png]     (corvid on PATH, or $CORVID_PROGRAM)
"""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from corvid_link import CorvidLink, CIRCLE, DASHED, NO_LINE, RED, BLUE  # noqa: E402


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "damped-wave.png"
    link = CorvidLink(headless=not os.environ.get("DISPLAY") and not os.environ.get("WAYLAND_DISPLAY"))
    link.title("Damped wave")
    link.x_label("t (s)")
    link.y_label("amplitude")

    link.new_set("samples", dy=True)
    link.points((t / 10, math.exp(-t / 40) * math.sin(t / 3), 0.05) for t in range(200))
    link.symbol(CIRCLE)
    link.symbol_color(BLUE)
    link.symbol_size(2)
    link.line(NO_LINE)

    link.new_set("envelope")
    link.points(x=[t / 10 for t in range(200)], y=[math.exp(-t / 40) for t in range(200)])
    link.line(DASHED)
    link.line_color(RED)

    link.x_range(0, 20)
    link.y_ticks(0.5, 0.1)
    status = link.export_png(os.path.abspath(out), 800, 600)
    print("corvid ended with status %d; the page is in %s" % (status, out))
    return status


if __name__ == "__main__":
    sys.exit(main())
