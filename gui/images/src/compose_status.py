#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Writes the status pictures (status_*.svg) of the four printer families.

Every status picture is the printer of its family on a ground whose colour tells the kind of
state (green normal, yellow warning or prompt, red error), a badge that repeats that kind for
readers who cannot tell the colours apart, and, where the state concerns one part, an arrow at
that part or a roll of paper being loaded. The printers are drawn once per family here, so a
change of a printer's look is made in one place; run scripts/render-images afterwards.

Usage: compose_status.py OUTPUT_DIR
"""
import math
import os
import sys

W, H = 111, 88
LINE = "#2b3640"

GROUNDS = {
    "ok": ("#5cb46a", "#3f8f4f"),
    "warn": ("#f2c230", "#c79a12"),
    "error": ("#e2574c", "#b23a30"),
}


def poly(points, fill, stroke=LINE, width=1.0, extra=""):
    pts = " ".join(f"{x:.2f},{y:.2f}" for x, y in points)
    return (f'<polygon points="{pts}" fill="{fill}" stroke="{stroke}" '
            f'stroke-width="{width}" stroke-linejoin="round" {extra}/>')


def rect(x, y, w, h, fill, rx=0, stroke=LINE, width=1.0, extra=""):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{rx}" fill="{fill}" '
            f'stroke="{stroke}" stroke-width="{width}" {extra}/>')


def line(x1, y1, x2, y2, stroke=LINE, width=1.0, extra=""):
    return (f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{stroke}" '
            f'stroke-width="{width}" stroke-linecap="round" {extra}/>')


def box(x, y, w, h, dx, dy, front, top, side, width=1.0):
    """An oblique box: front face at (x, y, w, h), depth going up and right by (dx, dy)."""
    out = [
        poly([(x, y), (x + w, y), (x + w + dx, y - dy), (x + dx, y - dy)], top, width=width),
        poly([(x + w, y), (x + w + dx, y - dy), (x + w + dx, y + h - dy), (x + w, y + h)], side,
             width=width),
        rect(x, y, w, h, front, width=width),
    ]
    return "\n".join(out)


def ink_dots(x, y, step=3.2, r=1.1):
    colours = ["#222222", "#00a8e0", "#e0218a", "#ffd200"]
    return "\n".join(f'<circle cx="{x + i * step:.2f}" cy="{y:.2f}" r="{r}" fill="{c}"/>'
                     for i, c in enumerate(colours))


class Printer:
    """One family's drawing with the places the arrows point at.

    parts maps a part name to (x, y, angle): the arrow's tip and the direction, in degrees
    (0 = from the right, 90 = from below, 180 = from the left, 270 = from above), that the
    arrow comes from.
    """

    def __init__(self, body, open_body, parts, roll_at):
        self.body = body
        self.open_body = open_body
        self.parts = parts
        self.roll_at = roll_at


def open_lid(x0, x1, y, dx, dy, fill):
    """A lid hinged at the back edge of a top face, swung up and leaning back."""
    hx0, hx1, hy = x0 + dx, x1 + dx, y - dy
    return "\n".join([
        poly([(x0, y), (x1, y), (hx1, hy), (hx0, hy)], "#3a424a"),
        poly([(hx0, hy), (hx1, hy), (hx1 + 4, hy - 15), (hx0 + 4, hy - 15)], fill),
        line(hx0 + 3, hy - 3, hx1 + 1, hy - 3, "#ffffff", 0.8, 'stroke-opacity="0.6"'),
    ])


def c5000(dark=False):
    """The 5000 series: a medium desktop box, panel top right, cartridges behind a front door.
    The D models are graphite and stand on a wider plinth with an orange trim."""
    if dark:
        front, top, side = "#59646e", "#727e89", "#454e57"
        lid, door, trim = "#808c97", "#4b555e", "#f28c28"
    else:
        front, top, side = "#eef1f4", "#d7dde3", "#bcc5ce"
        lid, door, trim = "#c8d0d8", "#e2e7ec", "#1e6fb8"
    x, y, w, h, dx, dy = 16, 37, 64, 34, 13, 10

    def draw(cover_open):
        out = []
        if dark:
            out.append(box(x - 5, y + h - 5, w + 10, 7, dx, dy, "#2f363d", "#3d454d", "#262c31"))
            out.append(rect(x - 5, y + h - 1, w + 10, 1.5, trim, stroke="none"))
        out.append(box(x, y, w, h - (6 if dark else 0), dx, dy, front, top, side))
        lx0, lx1 = x + 6, x + 42
        if cover_open:
            out.append(open_lid(lx0, lx1, y, dx - 3, dy - 2, lid))
        else:
            out.append(poly([(lx0, y - 1), (lx1, y - 1), (lx1 + dx - 3, y - dy + 2),
                             (lx0 + dx - 3, y - dy + 2)], lid, width=0.8))
        # Accent stripe, paper exit slot with a paper end, operation panel.
        out.append(rect(x, y + 3, w, 2.5, trim, stroke="none"))
        out.append(rect(x + 6, y + 11, 36, 3, "#2b3640", rx=1.5, stroke="none"))
        if not cover_open:
            out.append(poly([(x + 9, y + 12.5), (x + 39, y + 12.5), (x + 37, y + 19),
                             (x + 11, y + 19)], "#ffffff", width=0.8))
        out.append(rect(x + 48, y + 9, 12, 7, "#9fd3f5", rx=1))
        out.append(f'<circle cx="{x + 50}" cy="{y + 20}" r="1.4" fill="#3c8f3c"/>')
        out.append(f'<circle cx="{x + 54}" cy="{y + 20}" r="1.4" fill="{LINE}"/>')
        out.append(f'<circle cx="{x + 58}" cy="{y + 20}" r="1.4" fill="{LINE}"/>')
        # Front cover below the slot, ink cartridge door right of it.
        out.append(rect(x + 4, y + 22, 38, 7 if dark else 9, door, rx=1, width=0.8))
        out.append(rect(x + 46, y + 23, 15, 6 if dark else 7, door, rx=1, width=0.8))
        out.append(ink_dots(x + 48.5, y + 26 if dark else y + 26.5))
        # Maintenance box: a hatch low on the right side.
        mb = 6 if dark else 0
        out.append(poly([(x + w + 3, y + h - 3 - mb), (x + w + 9, y + h - 8 - mb),
                         (x + w + 9, y + h - 17 - mb), (x + w + 3, y + h - 12 - mb)], door,
                        width=0.8))
        return "\n".join(out)

    mb = 6 if dark else 0
    parts = {
        "ink_cover": (x + 54, y + 29, 80, 18),
        "front_cover": (x + 20, y + 29, 105, 18),
        "maintenance": (x + w + 8, y + h - 10 - mb, 10, 19),
        "paper_cover": (x + 28, y - 5, 240),
        "paper_slot": (x + 30, y + 14, 110, 20),
        "panel": (x + 56, y + 12, 300),
    }
    return Printer(lambda: draw(False), lambda: draw(True), parts, (x + 30, y - 21))


def c2000():
    """The compact 2000 series: a small white body with a domed clamshell lid and three keys."""
    x, y, w, h = 28, 42, 50, 30
    dx, dy = 10, 8
    front, top, side = "#f7f8fa", "#e3e8ed", "#c9d1d8"
    lid, door, trim = "#13a89e", "#e7ecf0", "#13a89e"

    def draw(cover_open):
        out = [box(x, y, w, h, dx, dy, front, top, side)]
        if cover_open:
            out.append(open_lid(x + 3, x + w - 3, y, dx, dy, lid))
        else:
            out.append(f'<path d="M{x},{y} L{x + w},{y} L{x + w + dx},{y - dy} '
                       f'Q{x + w / 2 + dx / 2},{y - dy - 12} {x + dx},{y - dy} Z" '
                       f'fill="{lid}" stroke="{LINE}" stroke-width="1" stroke-linejoin="round"/>')
            out.append(f'<path d="M{x},{y} Q{x + w / 2},{y - 10} {x + w},{y}" fill="none" '
                       f'stroke="#0d7f77" stroke-width="1"/>')
        out.append(rect(x + 5, y + 6, 28, 2.6, "#2b3640", rx=1.3, stroke="none"))
        if not cover_open:
            out.append(poly([(x + 8, y + 7.3), (x + 30, y + 7.3), (x + 29, y + 12),
                             (x + 9, y + 12)], "#ffffff", width=0.8))
        # Three keys on the front right.
        for i, c in enumerate(["#3c8f3c", LINE, LINE]):
            out.append(f'<circle cx="{x + 39 + i * 4}" cy="{y + 7}" r="1.5" fill="{c}"/>')
        # Front cover with the cartridge window; maintenance drawer at the foot.
        out.append(rect(x + 4, y + 15, 42, 8, door, rx=1, width=0.8))
        out.append(ink_dots(x + 34, y + 19))
        out.append(rect(x + 4, y + 25, 16, 3.5, "#b9c3cc", rx=1, width=0.7))
        out.append(rect(x, y + h - 1, w, 1.5, trim, stroke="none"))
        return "\n".join(out)

    parts = {
        "ink_cover": (x + 38, y + 21, 70, 17),
        "front_cover": (x + 18, y + 22, 110, 17),
        "maintenance": (x + 10, y + 28, 160, 18),
        "paper_cover": (x + 30, y - 8, 235),
        "paper_slot": (x + 19, y + 10, 125, 19),
        "panel": (x + 43, y + 7, 330),
    }
    return Printer(lambda: draw(False), lambda: draw(True), parts, (x + 28, y - 23))


def c9000():
    """The 9000 series: a wide industrial unit, two-tone, large panel, big front door."""
    x, y, w, h = 10, 29, 76, 46
    dx, dy = 14, 10
    front, top, side = "#e6eaee", "#cfd6dd", "#b0bac4"

    def draw(cover_open):
        out = [box(x, y, w, h, dx, dy, front, top, side)]
        out.append(rect(x, y + 24, w, h - 24, "#4d5862"))
        out.append(poly([(x + w, y + 24), (x + w + dx, y + 24 - dy), (x + w + dx, y + h - dy),
                         (x + w, y + h)], "#3d464f"))
        if cover_open:
            out.append(poly([(x + 4, y), (x + 50, y), (x + 50 + dx - 3, y - dy + 2),
                             (x + 4 + dx - 3, y - dy + 2)], "#3a424a"))
        else:
            out.append(poly([(x + 4, y - 1), (x + 50, y - 1), (x + 50 + dx - 3, y - dy + 2),
                             (x + 4 + dx - 3, y - dy + 2)], "#bcc5ce", width=0.8))
        out.append(rect(x, y + 22, w, 2.5, "#f28c28", stroke="none"))
        # Slot with paper, large panel with keys.
        out.append(rect(x + 6, y + 9, 44, 3, "#2b3640", rx=1.5, stroke="none"))
        if not cover_open:
            out.append(poly([(x + 9, y + 10.5), (x + 47, y + 10.5), (x + 45, y + 17),
                             (x + 11, y + 17)], "#ffffff", width=0.8))
        out.append(rect(x + 54, y + 4, 18, 11, "#9fd3f5", rx=1.5))
        for i in range(3):
            out.append(f'<circle cx="{x + 57 + i * 6}" cy="{y + 19}" r="1.5" fill="{LINE}"/>')
        # Front door with a handle, cartridge bay, maintenance drawer.
        out.append(rect(x + 4, y + 27, 40, 15, "#5d6973", rx=1, stroke="#2b3640", width=0.8))
        out.append(rect(x + 38, y + 32, 2, 6, "#c9d1d8", rx=1, stroke="none"))
        out.append(rect(x + 48, y + 27, 24, 7, "#5d6973", rx=1, width=0.8))
        out.append(ink_dots(x + 54, y + 30.5, step=4))
        out.append(rect(x + 48, y + 36, 24, 6, "#5d6973", rx=1, width=0.8))
        return "\n".join(out)

    parts = {}
    return Printer(lambda: draw(False), lambda: draw(True), parts, (x + 34, y - 26))


def arrow(tip_x, tip_y, angle, length=23):
    """A bold white arrow whose tip is at (tip_x, tip_y), coming from angle degrees."""
    shape = [(0, 0), (-11, -8), (-11, -3.5), (-length, -3.5), (-length, 3.5), (-11, 3.5),
             (-11, 8)]
    a = math.radians(angle)
    # The local arrow points to +x with its tail on -x; turn the tail towards the angle.
    ca, sa = math.cos(a + math.pi), math.sin(a + math.pi)
    pts = [(tip_x + px * ca - py * sa, tip_y + px * sa + py * ca) for px, py in shape]
    return poly(pts, "#ffffff", width=1.3)


def roll(cx, cy):
    """A roll of labels coming down into the open printer, with a downward arrow beside it."""
    out = [
        f'<path d="M{cx - 11},{cy - 5} L{cx + 7},{cy - 5} A4 7 0 0 1 {cx + 7},{cy + 9} '
        f'L{cx - 11},{cy + 9} Z" fill="#ffffff" stroke="{LINE}" stroke-width="1" '
        f'stroke-linejoin="round"/>',
        f'<ellipse cx="{cx - 11}" cy="{cy + 2}" rx="4" ry="7" fill="#f3f5f7" stroke="{LINE}" '
        f'stroke-width="1"/>',
        f'<ellipse cx="{cx - 11}" cy="{cy + 2}" rx="1.6" ry="2.8" fill="#9aa5af" '
        f'stroke="{LINE}" stroke-width="0.8"/>',
        line(cx - 6, cy - 5, cx - 6, cy + 9, "#c3ccd4", 0.8),
        line(cx, cy - 5, cx, cy + 9, "#c3ccd4", 0.8),
        arrow(cx + 17, cy + 14, 270),
    ]
    return "\n".join(out)


def badge(kind):
    """A small white disc top left: a tick, an exclamation mark or a cross."""
    out = ['<circle cx="11" cy="11" r="7.5" fill="#ffffff" stroke="#2b3640" stroke-width="1"/>']
    if kind == "ok":
        out.append('<path d="M7.3,11.2 L10,14 L14.8,8.2" fill="none" stroke="#2e8b3e" '
                   'stroke-width="2.2" stroke-linecap="round" stroke-linejoin="round"/>')
    elif kind == "warn":
        out.append('<path d="M11,6.6 L11,12" stroke="#b07d00" stroke-width="2.4" '
                   'stroke-linecap="round"/>')
        out.append('<circle cx="11" cy="15.2" r="1.4" fill="#b07d00"/>')
    else:
        out.append('<path d="M8,8 L14,14 M14,8 L8,14" stroke="#c0352b" stroke-width="2.3" '
                   'stroke-linecap="round"/>')
    return "\n".join(out)


def picture(printer, kind, part=None, loading=False):
    fill, edge = GROUNDS[kind]
    out = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" '
        f'viewBox="0 0 {W} {H}">',
        f'<rect x="0.5" y="0.5" width="{W - 1}" height="{H - 1}" rx="9" fill="{fill}" '
        f'stroke="{edge}" stroke-width="1"/>',
        '<ellipse cx="56" cy="78" rx="46" ry="5" fill="#000000" fill-opacity="0.16"/>',
        printer.open_body() if loading else printer.body(),
    ]
    if part is not None:
        out.append(arrow(*printer.parts[part]))
    if loading:
        out.append(roll(*printer.roll_at))
    out.append(badge(kind))
    out.append("</svg>")
    return "\n".join(out) + "\n"


# What each index of a picture list shows: ground, part with an arrow, roll being loaded.
SITUATIONS = {
    "01": ("ok", None, False),
    "03": ("warn", None, False),
    "04": ("error", None, False),
    "05": ("error", "ink_cover", False),
    "06": ("error", "front_cover", False),
    "07": ("error", "maintenance", False),
    "8,9": ("error", "paper_cover", False),
    "10": ("error", "paper_slot", False),
    "11": ("error", None, True),
    "12": ("warn", "panel", False),
    "13": ("warn", "paper_slot", False),
    "14": ("warn", None, True),
}


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {}
    default, dmodel, small, big = c5000(), c5000(dark=True), c2000(), c9000()
    for key, (kind, part, loading) in SITUATIONS.items():
        files[f"status_{key}"] = picture(default, kind, part, loading)
        files[f"status_{key}D"] = picture(dmodel, kind, part, loading)
        if key != "8,9":  # the compact series has no paper cover of its own
            files[f"status_RV2000_{key}"] = picture(small, kind, part, loading)
    files["status_RV9000_01"] = picture(big, "ok")
    files["status_RV9000_03_12_13_14"] = picture(big, "warn")
    files["status_RV9000_04_05_06_07_10_11"] = picture(big, "error")
    for name, text in files.items():
        with open(os.path.join(out_dir, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
