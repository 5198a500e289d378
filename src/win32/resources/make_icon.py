#!/usr/bin/env python3
"""Draws the programs' icons, one 32 x 32 image of 16 colours (4 bits per
pixel) each, written byte by byte so they can be regenerated anywhere with a
bare Python:
    python3 make_icon.py zantoli zantoli.ico
    python3 make_icon.py pellix ../pellix/pellix.ico

zantoli: a small window with a blue title bar and a ">_" prompt.
pellix: the same window with a yellow arrow over its lower right corner,
the launcher that opens it.
"""
import struct
import sys

SIZE = 32

# The 16 standard colours; the index is what the pixel rows hold.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, DARK_GREY, LIME, YELLOW, WHITE = 0, 4, 7, 8, 10, 11, 15

# '.' transparent, the other letters pick a palette index.
KEY = {"k": BLACK, "n": NAVY, "g": GREY, "d": DARK_GREY, "l": LIME, "w": WHITE}


def draw_window():
    """Returns 32 rows of 32 cells, top row first: None or a palette index."""
    img = [[None] * SIZE for _ in range(SIZE)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                img[y][x] = colour

    rect(1, 3, 30, 28, DARK_GREY)     # drop shadow
    rect(0, 2, 29, 27, BLACK)         # frame
    rect(1, 3, 28, 8, NAVY)           # title bar
    rect(23, 4, 27, 7, GREY)          # close box
    rect(24, 5, 26, 6, BLACK)
    rect(1, 9, 28, 26, BLACK)         # console area
    rect(3, 4, 16, 5, WHITE)          # caption stroke

    prompt = [
        "ll.......",
        ".ll......",
        "..ll.....",
        "...ll....",
        "..ll.....",
        ".ll......",
        "ll..wwwww",
    ]
    for dy, row in enumerate(prompt):
        for dx, cell in enumerate(row):
            if cell != ".":
                img[14 + dy][5 + dx] = KEY[cell]
    img[21][9:14] = [WHITE] * 5       # the cursor, a little wider
    img[20][9:14] = [WHITE] * 5
    return img


ARROW = [
    "......kkkkkkkk",
    "......kyyyyyyk",
    ".......kkyyyyk",
    "......kkyyyyyk",
    ".....kkyyykyyk",
    "....kkyyyk.kyk",
    "...kkyyyk...kk",
    "..kkyyyk......",
    ".kkyyyk.......",
    "kkyyyk........",
    "kyyyk.........",
    "kyyk..........",
    "kkk...........",
]


def draw_launcher():
    img = draw_window()
    for dy, row in enumerate(ARROW):
        for dx, cell in enumerate(row):
            if cell != ".":
                img[18 + dy][17 + dx] = BLACK if cell == "k" else YELLOW
    return img


DRAWINGS = {"zantoli": draw_window, "pellix": draw_launcher}


def ico_bytes(img):
    xor_rows, and_rows = [], []
    for row in reversed(img):         # DIB rows run bottom-up
        nibbles = [0 if c is None else c for c in row]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        mask = 0
        for x, c in enumerate(row):
            if c is None:
                mask |= 1 << (SIZE - 1 - x)
        and_rows.append(struct.pack(">I", mask))

    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         SIZE * SIZE // 2 + SIZE * 4, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)

    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return icondir + entry + image


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in DRAWINGS:
        sys.exit("usage: make_icon.py {%s} OUT.ico" % "|".join(DRAWINGS))
    with open(sys.argv[2], "wb") as f:
        f.write(ico_bytes(DRAWINGS[sys.argv[1]]()))


if __name__ == "__main__":
    main()
