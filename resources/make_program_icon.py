#!/usr/bin/env python3
"""Draws Zorvane's icon on a 16 x 16 grid, in the style of the toolbar images: a page of text
with a magnifying glass over it. Writes zorvane.svg (the installed, scalable icon: one square per
grid cell, so it is sharp at 16, 32 and 48 pixels) and zorvane.xpm (compiled into the program).

Run it after changing the drawing: python3 resources/make_program_icon.py
"""
import math
import os

N = 16
COLOURS = {
    '.': None,
    'k': '#000000',
    'w': '#FFFFFF',
    'l': '#A8A8A8',
    'b': '#1040C0',
    'c': '#A8D0F8',
    'o': '#A0602A',
    'y': '#F0C020',
}

px = [['.'] * N for _ in range(N)]


def dot(x, y, c):
    if 0 <= x < N and 0 <= y < N:
        px[y][x] = c


def fill(x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            dot(x, y, c)


# The page, its folded corner and its lines of text.
fill(1, 0, 11, 15, 'k')
fill(2, 1, 10, 14, 'w')
for y, x1 in ((3, 8), (5, 9), (7, 6), (9, 5), (11, 5), (13, 7)):
    fill(3, y, x1, y, 'b' if y == 3 else 'l')
fill(9, 0, 11, 2, '.')
dot(8, 1, 'k'); dot(9, 1, 'k'); dot(9, 2, 'k'); dot(10, 2, 'k'); dot(11, 2, 'k')
dot(8, 0, 'k'); dot(8, 2, 'w')

# The magnifying glass: a black rim around a light-blue lens, a glint, a brown handle.
cx, cy = 9.5, 8.5
for y in range(N):
    for x in range(N):
        d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
        if d <= 2.6:
            dot(x, y, 'c')
        elif d <= 3.75:
            dot(x, y, 'k')
dot(8, 7, 'w'); dot(9, 7, 'w'); dot(8, 8, 'w')
for i in range(3):
    dot(12 + i, 11 + i, 'o'); dot(13 + i, 11 + i, 'o'); dot(12 + i, 12 + i, 'k')
dot(15, 15, 'k'); dot(14, 15, 'k')

here = os.path.dirname(os.path.abspath(__file__))

used = sorted({c for row in px for c in row})
with open(os.path.join(here, 'zorvane.xpm'), 'w') as f:
    f.write('/* XPM */\nstatic const char* const xpm_zorvane[] = {\n')
    f.write('"%d %d %d 1",\n' % (N, N, len(used)))
    for c in used:
        f.write('"%s c %s",\n' % (c, COLOURS[c] or 'None'))
    f.write(',\n'.join('"%s"' % ''.join(row) for row in px))
    f.write('\n};\n')

with open(os.path.join(here, 'zorvane.svg'), 'w') as f:
    f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
    f.write('<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" '
            'viewBox="0 0 16 16" shape-rendering="crispEdges">\n')
    f.write('  <title>Zorvane</title>\n')
    for c in used:
        if COLOURS[c] is None:
            continue
        cells = []
        for y in range(N):
            x = 0
            while x < N:
                if px[y][x] == c:
                    x0 = x
                    while x < N and px[y][x] == c:
                        x += 1
                    cells.append('M%d %dh%dv1h-%dz' % (x0, y, x - x0, x - x0))
                else:
                    x += 1
        f.write('  <path fill="%s" d="%s"/>\n' % (COLOURS[c], ''.join(cells)))
    f.write('</svg>\n')
