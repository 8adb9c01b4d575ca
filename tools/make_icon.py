#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws Numora's 32 x 32, 16-colour program icon as XPM text.

The icon is kept in the repository; this script is how it was drawn, so the
design can be changed and drawn again: tools/make_icon.py > resources/numora.xpm
"""

W = H = 32
PALETTE = {
    ' ': 'None',
    'k': '#000000',
    'b': '#8080FF',   # shadow card, the blue of the two-colour titles
    'l': '#C0C0FF',   # card face, the lavender of the grids
    'r': '#FF0000',   # numbers, the red of the grids
    'n': '#000080',   # navy of the instructions
    'g': '#00FF00',   # tick, the green of the titles
    'w': '#FFFFFF',
}

grid = [[' '] * W for _ in range(H)]


def rect(x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            grid[y][x] = c


def frame(x0, y0, x1, y1, c):
    for x in range(x0, x1 + 1):
        grid[y0][x] = grid[y1][x] = c
    for y in range(y0, y1 + 1):
        grid[y][x0] = grid[y][x1] = c


# A card behind, offset like the shadow copy of the titles.
rect(6, 1, 30, 25, 'b')
frame(6, 1, 30, 25, 'k')
# The card in front with rows of numbers.
rect(1, 5, 25, 29, 'l')
frame(1, 5, 25, 29, 'k')
for row in range(4):
    y = 8 + row * 5
    for col in range(4):
        x = 4 + col * 5
        rect(x, y, x + 2, y + 2, 'r')
# A tick in the box at the lower right.
rect(18, 20, 30, 30, 'w')
frame(18, 20, 30, 30, 'n')
tick = [(20, 25), (21, 26), (22, 27), (23, 26), (24, 25), (25, 24), (26, 23), (27, 22), (28, 21)]
for x, y in tick:
    rect(x, y - 1, x, y, 'g')
    grid[y + 1][x] = 'n'

print('/* XPM */')
print('static const char *numora[] = {')
print(f'"{W} {H} {len(PALETTE)} 1",')
for key, colour in PALETTE.items():
    print(f'"{key} c {colour}",')
for i, line in enumerate(grid):
    print(f'"{"".join(line)}"' + (',' if i < H - 1 else ''))
print('};')
