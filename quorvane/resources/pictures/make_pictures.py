#!/usr/bin/env python3
"""Writes the module's tool icons and cursor pictures: one SVG each, its PNG
through rsvg-convert, and pictures.txt, the list the build embeds from
(type, resource number, PNG file, hot spot x and y in pixels).

The tool icon (32x32) shows a corner of a finish line with its seam
allowance around it and a needle across the corner, in a variant for the
light interface (dark strokes) and one for the dark interface (light
strokes).

The cursors (32x32) are one cross hair, black with a white halo so that it
shows on any background, whose centre pixel is the hot spot; a badge at the
lower right says what a press would do there, and a "2" at the upper
right marks the second point of a command:
  17000 idle                          a small needle (the tool, nothing to pick)
  17001 nothing under the pointer     a struck-through circle
  17002 an anchor, first point        an anchor square
  17003 a segment, first point        a curve with a point on it
  17004 an anchor, second point       the anchor square and a "2"
  17005 a segment, second point       the curve and a "2"
Run it from any folder; the files land beside it.
"""
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))

TOOL_SIZE = 32
CURSOR_SIZE = 32
# The cross hair's centre: pixel (15, 15), whose middle is at 15.5 in SVG
# units, so that one-pixel lines through it are crisp.
HOT_SPOT = (15, 15)

TOOL_THEMES = {
    # Resource 16054: the light interface, dark strokes.
    16054: ("tool_normal", {"fg": "#333333", "accent": "#1565C0", "needle": "#555555", "thread": "#C05A00"}),
    # Resource 16055: the dark interface, light strokes.
    16055: ("tool_dark", {"fg": "#E6E6E6", "accent": "#6CB8FF", "needle": "#D0D0D0", "thread": "#FFB347"}),
}


def svg_document(size, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
            f'viewBox="0 0 {size} {size}">{body}</svg>\n')


def needle(x0, y0, x1, y1, colour, width, eye_colour):
    """A needle from its point (x0, y0) to its eye end (x1, y1): a thin
    tapered body and an open eye near the blunt end."""
    dx, dy = x1 - x0, y1 - y0
    length = (dx * dx + dy * dy) ** 0.5
    ux, uy = dx / length, dy / length
    nx, ny = -uy, ux
    h = width / 2
    body = (f'{x0:.2f},{y0:.2f} {x1 - nx * h:.2f},{y1 - ny * h:.2f} '
            f'{x1 + ux * h:.2f},{y1 + uy * h:.2f} {x1 + nx * h:.2f},{y1 + ny * h:.2f}')
    ex, ey = x1 - ux * width * 1.3, y1 - uy * width * 1.3
    eye = (f'<line x1="{ex - ux * width * 0.6:.2f}" y1="{ey - uy * width * 0.6:.2f}" '
           f'x2="{ex + ux * width * 0.6:.2f}" y2="{ey + uy * width * 0.6:.2f}" '
           f'stroke="{eye_colour}" stroke-width="{max(width * 0.35, 0.8):.2f}" stroke-linecap="round"/>')
    return f'<polygon points="{body}" fill="{colour}"/>' + eye


def tool_svg(c):
    # The finish line's corner (solid) and the allowance around it (accent,
    # dashed like a cutting line), then the needle across the corner with a
    # loop of thread from its eye.
    finish = (f'<polyline points="10,31 10,12 31,12" fill="none" stroke="{c["fg"]}" stroke-width="2.5" '
              f'stroke-linejoin="miter"/>')
    allowance = (f'<polyline points="3.5,31 3.5,5.5 31,5.5" fill="none" stroke="{c["accent"]}" stroke-width="2" '
                 f'stroke-linejoin="miter" stroke-dasharray="4,2"/>')
    thread = (f'<path d="M 26.5,14.5 C 31,18 28,26 22,27" fill="none" stroke="{c["thread"]}" '
              f'stroke-width="1.3" stroke-linecap="round"/>')
    return svg_document(TOOL_SIZE, allowance + finish + thread + needle(6.5, 27.5, 27, 13, c["needle"], 3.2, "#FFFFFF"
                                                                      if c["fg"] == "#333333" else "#333333"))


def halo(shape_markup):
    """The shape drawn white and wider underneath, then black on top."""
    return shape_markup("#FFFFFF", 3.0) + shape_markup("#000000", 1.0)


def cross_hair():
    c = HOT_SPOT[0] + 0.5

    def lines(colour, width):
        return (f'<path d="M {c},1 V 12 M {c},19 V 30 M 1,{c} H 12 M 19,{c} H 30" fill="none" '
                f'stroke="{colour}" stroke-width="{width}" stroke-linecap="butt"/>')
    dot = (f'<rect x="{HOT_SPOT[0] - 1}" y="{HOT_SPOT[1] - 1}" width="3" height="3" fill="#FFFFFF"/>'
           f'<rect x="{HOT_SPOT[0]}" y="{HOT_SPOT[1]}" width="1" height="1" fill="#000000"/>')
    return halo(lines) + dot


def anchor_badge(x, y):
    # A filled square, the way an anchor point is shown on a path.
    return (f'<rect x="{x - 1}" y="{y - 1}" width="9" height="9" fill="#FFFFFF"/>'
            f'<rect x="{x}" y="{y}" width="7" height="7" fill="#1565C0" stroke="#000000" stroke-width="1"/>')


def segment_badge(x, y):
    # A short curve with a round point on it: a point inside a segment.
    def curve(colour, width):
        return (f'<path d="M {x},{y + 9} C {x + 2},{y + 1} {x + 8},{y + 1} {x + 11},{y + 6}" fill="none" '
                f'stroke="{colour}" stroke-width="{width}" stroke-linecap="round"/>')
    return (halo(curve) + f'<circle cx="{x + 5.2}" cy="{y + 3.6}" r="2.6" fill="#1565C0" stroke="#FFFFFF" '
            f'stroke-width="0.8"/>')


def second_badge(x, y):
    # The digit 2 drawn as strokes, so that no font is needed.
    def digit(colour, width):
        return (f'<path d="M {x},{y + 1.5} C {x + 1},{y - 0.5} {x + 4.5},{y - 0.5} {x + 4.5},{y + 2.5} '
                f'C {x + 4.5},{y + 4.5} {x},{y + 6.5} {x},{y + 8} H {x + 5}" fill="none" stroke="{colour}" '
                f'stroke-width="{width}" stroke-linejoin="round" stroke-linecap="round"/>')
    return halo(digit)


def no_hit_badge(x, y):
    def ring(colour, width):
        return (f'<circle cx="{x + 5}" cy="{y + 5}" r="4.5" fill="none" stroke="{colour}" stroke-width="{width}"/>'
                f'<line x1="{x + 1.8}" y1="{y + 8.2}" x2="{x + 8.2}" y2="{y + 1.8}" stroke="{colour}" '
                f'stroke-width="{width}"/>')
    return halo(ring)


def idle_badge(x, y):
    return needle(x, y + 11, x + 10, y + 1, "#000000", 2.6, "#FFFFFF")


CURSORS = {
    17000: ("cursor_idle", lambda: idle_badge(19, 19)),
    17001: ("cursor_no_hit", lambda: no_hit_badge(20, 20)),
    17002: ("cursor_anchor", lambda: anchor_badge(21, 21)),
    17003: ("cursor_segment", lambda: segment_badge(19, 20)),
    17004: ("cursor_anchor_second", lambda: anchor_badge(21, 21) + second_badge(22, 3)),
    17005: ("cursor_segment_second", lambda: segment_badge(19, 20) + second_badge(22, 3)),
}


def write(name, text, size):
    base = os.path.join(HERE, name)
    with open(base + ".svg", "w", encoding="ascii") as f:
        f.write(text)
    subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", base + ".png", base + ".svg"],
                   check=True)
    return name + ".png"


def main():
    rows = ["# type id png hot-spot-x hot-spot-y (written by make_pictures.py)"]
    for rid, (name, colours) in TOOL_THEMES.items():
        rows.append(f"PNGI {rid} {write(name, tool_svg(colours), TOOL_SIZE)} 0 0")
    for rid, (name, badge) in CURSORS.items():
        png = write(name, svg_document(CURSOR_SIZE, cross_hair() + badge()), CURSOR_SIZE)
        rows.append(f"CURS {rid} {png} {HOT_SPOT[0]} {HOT_SPOT[1]}")
    with open(os.path.join(HERE, "pictures.txt"), "w", encoding="ascii") as f:
        f.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
