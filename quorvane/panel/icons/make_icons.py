#!/usr/bin/env python3
"""Writes the command-type button icons: one 52x52 SVG per command type in a
dark and a light variant, and their PNGs through rsvg-convert.

Each pictogram shows a corner of a finish line (solid, in the foreground
colour) with the seam allowance around it (in the accent colour) shaped as
the command shapes it; forward and backward variants carry an arrow along
the direction of the path. Run it from any folder; the files land beside it.
"""
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))

THEMES = {
    # Drawn on the dark interface: light strokes.
    "dark": {"fg": "#E6E6E6", "accent": "#6CB8FF", "mark": "#FFB347"},
    # Drawn on the light interface: dark strokes.
    "light": {"fg": "#333333", "accent": "#1565C0", "mark": "#C05A00"},
}

# The finish line's corner, shared by all pictograms (SVG y down).
FINISH = "16,48 16,20 48,20"


def poly(points, colour, width=3.0, dash=None):
    extra = f' stroke-dasharray="{dash}"' if dash else ""
    return (f'<polyline points="{points}" fill="none" stroke="{colour}" stroke-width="{width}" '
            f'stroke-linejoin="miter" stroke-linecap="butt"{extra}/>')


def arrow(direction, colour):
    # A small arrow in the lower right corner: "f" along the second leg
    # (forward), "b" along the first leg backwards (up the page).
    if direction == "f":
        return (f'<line x1="28" y1="38" x2="44" y2="38" stroke="{colour}" stroke-width="2.5"/>'
                f'<polygon points="48,38 41,33 41,43" fill="{colour}"/>')
    return (f'<line x1="34" y1="48" x2="34" y2="32" stroke="{colour}" stroke-width="2.5"/>'
            f'<polygon points="34,28 29,35 39,35" fill="{colour}"/>')


def allowance(code, c):
    a = c["accent"]
    m = c["mark"]
    if code in (0, 1):  # reversed corner: the allowance's end mirrors the edge it folds onto
        cut = "6,48 6,10 16,4 48,4" if code == 0 else "0,48 10,44 10,10 48,10"
        return poly(cut, a) + arrow("f" if code == 0 else "b", m)
    if code in (2, 3):  # right-angle corner
        return poly("6,48 6,10 48,10", a) + poly("6,20 16,20", a, 1.5, "2,2") + arrow("f" if code == 2 else "b", m)
    if code in (4, 10):  # forty-five-degree corner
        return poly("6,48 6,22 20,8 48,8", a) + \
            poly("6,10 20,10", a, 1.5, "2,2") + arrow("f" if code == 10 else "b", m)
    if code == 5:  # extended crossing: both edges run on past the corner
        return poly("6,50 6,2", a) + poly("2,10 50,10", a)
    if code == 6:  # extended one-side: one edge runs on, the other meets it
        return poly("6,48 6,2", a) + poly("6,10 48,10", a)
    if code == 7:  # lapel: a notch cut into the allowance at the corner
        return poly("6,48 6,26 16,20 10,10 48,10", a)
    if code == 8:  # cut off: the allowance cut square close to the line
        return poly("6,48 6,30 12,30 12,14 26,14 26,10 48,10", a)
    if code == 9:  # opening: the allowance left open over a stretch
        return poly("6,48 6,30", a) + poly("6,16 6,10 48,10", a) + \
            poly("2,30 10,30", m, 2.0) + poly("2,16 10,16", m, 2.0)
    raise ValueError(code)


def svg(code, theme):
    c = THEMES[theme]
    body = allowance(code, c) + poly(FINISH, c["fg"], 3.5)
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="52" height="52" viewBox="0 0 52 52">'
            f'{body}</svg>\n')


def main():
    for theme in THEMES:
        for code in range(11):
            base = os.path.join(HERE, f"{theme}_{code:02d}")
            with open(base + ".svg", "w", encoding="ascii") as f:
                f.write(svg(code, theme))
            subprocess.run(["rsvg-convert", "-w", "52", "-h", "52", "-o", base + ".png", base + ".svg"], check=True)


if __name__ == "__main__":
    main()
