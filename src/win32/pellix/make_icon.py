#!/usr/bin/env python3
"""Draws pellix.ico: the command window's icon with a yellow arrow over its
lower right corner, the launcher that opens it.

Same format as zantoli.ico (one 32 x 32 image, 16 colours), whose drawing
and encoder it reuses:
    python3 make_icon.py pellix.ico
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources"))
import make_icon as window_icon  # noqa: E402

BLACK, YELLOW = 0, 11

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


def draw():
    img = window_icon.draw()
    for dy, row in enumerate(ARROW):
        for dx, cell in enumerate(row):
            if cell != ".":
                img[18 + dy][17 + dx] = BLACK if cell == "k" else YELLOW
    return img


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "pellix.ico"
    with open(out, "wb") as f:
        f.write(window_icon.ico_bytes(draw()))


if __name__ == "__main__":
    main()
