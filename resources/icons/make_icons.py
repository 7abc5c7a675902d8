#!/usr/bin/env python3
"""Draws the toolbar's nine 32x16 images as XPM files in this folder.

Run it after changing a drawing: python3 resources/icons/make_icons.py
The background is transparent (None); the toolbar shows it in the window's colour.
"""
import os

W, H = 32, 16
COLOURS = {
    '.': 'None',
    'k': '#000000',
    'w': '#FFFFFF',
    'r': '#D01010',
    'g': '#108A10',
    'b': '#1040C0',
    'c': '#5080E0',
    'y': '#F0C020',
    'o': '#A0602A',
    'd': '#606060',
    'l': '#A8A8A8',
    'p': '#F08080',
    'Y': '#FFE680',
}

GLYPHS = {
    '1': ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '2': [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    '3': ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    'A': ["..#..", ".#.#.", "#...#", "#...#", "#####", "#...#", "#...#"],
    'b': ["#....", "#....", "####.", "#...#", "#...#", "#...#", "####."],
}


class Canvas:
    def __init__(self):
        self.px = [['.'] * W for _ in range(H)]

    def dot(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.dot(x, y0, c)
            self.dot(x, y1, c)
        for y in range(y0, y1 + 1):
            self.dot(x0, y, c)
            self.dot(x1, y, c)

    def box(self, x0, y0, x1, y1, inside, edge='k'):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, edge)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0)) or 1
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            for d in range(width):
                self.dot(x + d, y, c)

    def glyph(self, ch, x0, y0, c):
        for dy, row in enumerate(GLYPHS[ch]):
            for dx, bit in enumerate(row):
                if bit == '#':
                    self.dot(x0 + dx, y0 + dy, c)

    def arrow_right(self, x0, x1, ymid, c):
        head = 4
        self.fill(x0, ymid - 1, x1 - head, ymid + 1, c)
        for i in range(head + 1):
            self.line(x1 - head + i, ymid - (head - i), x1 - head + i, ymid + (head - i), c)

    def disc(self, cx, cy, r, c):
        for y in range(H):
            for x in range(W):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.dot(x, y, c)

    def page(self, x0, y0, x1, y1):
        self.box(x0, y0, x1, y1, 'w')
        for y in range(y0 + 3, y1 - 1, 2):
            self.line(x0 + 2, y, x1 - 2, y, 'l')

    def xpm(self, name):
        used = sorted({c for row in self.px for c in row})
        out = ['/* XPM */', 'static const char* const xpm_%s[] = {' % name.replace('-', '_'),
               '"%d %d %d 1",' % (W, H, len(used))]
        out += ['"%s c %s",' % (c, COLOURS[c]) for c in used]
        out += ['"%s"%s' % (''.join(row), ',' if i < H - 1 else '') for i, row in enumerate(self.px)]
        out.append('};')
        return '\n'.join(out) + '\n'


def quit_icon(c):
    c.box(5, 1, 14, 14, 'o')          # door
    c.fill(12, 7, 12, 8, 'y')         # knob
    c.arrow_right(16, 29, 7, 'r')     # way out


def edit_icon(c):
    c.page(3, 1, 14, 14)
    for i in range(9):                # pencil from lower left to upper right
        c.line(16 + i, 13 - i, 18 + i, 13 - i, 'y')
    c.line(16, 14, 17, 14, 'k')       # tip
    c.line(25, 4, 27, 4, 'p')         # eraser
    c.line(26, 3, 28, 3, 'p')


def tool_icon(digit):
    def draw(c):
        c.box(1, 2, 14, 13, 'w')      # a program window
        c.fill(2, 3, 13, 4, 'b')      # its title bar
        c.line(3, 7, 11, 7, 'l')
        c.line(3, 9, 9, 9, 'l')
        c.disc(23.5, 7.5, 7.2, 'b')   # circled digit
        c.glyph(digit, 21, 4, 'w')
    return draw


def copy_icon(c):
    c.page(6, 1, 16, 11)
    c.page(14, 4, 24, 14)


def move_icon(c):
    c.page(1, 2, 9, 13)
    c.arrow_right(11, 20, 8, 'g')
    c.box(22, 5, 30, 13, 'y')         # folder
    c.box(22, 3, 26, 5, 'y')


def delete_icon(c):
    c.fill(9, 2, 20, 3, 'd')          # lid
    c.fill(13, 1, 16, 1, 'd')
    c.box(10, 4, 19, 14, 'l', 'd')    # can
    for x in (12, 15, 17):
        c.line(x, 6, x, 12, 'd')
    c.line(21, 7, 28, 14, 'r', 2)     # red cross
    c.line(28, 7, 21, 14, 'r', 2)


def rename_icon(c):
    c.box(1, 2, 30, 13, 'w')          # text field
    c.glyph('A', 5, 4, 'k')
    c.glyph('b', 12, 4, 'k')
    c.line(20, 4, 20, 11, 'b')        # text cursor
    c.line(19, 4, 21, 4, 'b')
    c.line(19, 11, 21, 11, 'b')


OPEN_FOLDER = [
    "................",
    "................",
    ".kkkkk..........",
    "kyyyyyk.........",
    "kyyyyyykkkkkkk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyykkkkkkkkkkkkk",
    "kyykYYYYYYYYYYYk",
    "kykYYYYYYYYYYYk.",
    "kykYYYYYYYYYYYk.",
    "kkYYYYYYYYYYYk..",
    "kkYYYYYYYYYYYk..",
    "kYYYYYYYYYYYk...",
    "kkkkkkkkkkkkk...",
    "................",
]

CLOSED_FOLDER = [
    "................",
    "................",
    ".kkkkk..........",
    "kyyyyyk.........",
    "kkkkkkkkkkkkkkk.",
    "kYYYYYYYYYYYYYk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kkkkkkkkkkkkkkk.",
    "................",
]


def picture(rows):
    def draw(c):
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch != '.':
                    c.dot(x, y, ch)
    return draw


# The directory list's folders: 16 x 16.
FOLDERS = [('folder-open', picture(OPEN_FOLDER)), ('folder-closed', picture(CLOSED_FOLDER))]

ICONS = [
    ('quit', quit_icon), ('edit', edit_icon), ('ex1', tool_icon('1')), ('ex2', tool_icon('2')),
    ('ex3', tool_icon('3')), ('copy', copy_icon), ('move', move_icon), ('delete', delete_icon),
    ('rename', rename_icon),
]

if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    for size, icons in (((32, 16), ICONS), ((16, 16), FOLDERS)):
        W, H = size
        for key, draw in icons:
            canvas = Canvas()
            draw(canvas)
            with open(os.path.join(here, key + '.xpm'), 'w') as f:
                f.write(canvas.xpm(key))
