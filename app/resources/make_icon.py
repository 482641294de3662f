#!/usr/bin/env python3
"""Draws the program's icon, a small camera with a grabbing frame, and
writes it as a 32 x 32, 16-colour .ico file (766 bytes: one image and its
transparency mask).

    make_icon.py OUTPUT.ico
"""
import struct
import sys

SIZE = 32

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, LIGHT_GREY, WHITE = 0, 8, 7, 15
BLUE, CYAN, YELLOW, RED, NAVY = 12, 14, 11, 9, 4
TRANSPARENT = None


def draw():
    """Returns rows top-down of palette indexes, None where transparent."""
    px = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = colour

    # Red selection corners round the picture: what the program grabs.
    for (cx, cy, dx, dy) in ((0, 0, 1, 1), (31, 0, -1, 1), (0, 31, 1, -1), (31, 31, -1, -1)):
        for i in range(6):
            px[cy][cx + dx * i] = RED
            px[cy + dy * i][cx] = RED
            px[cy + dy][cx + dx * i] = RED
            px[cy + dy * i][cx + dx] = RED

    # Camera body with an outline, a viewfinder bump and a shutter button.
    fill(4, 10, 27, 25, BLACK)
    fill(5, 11, 26, 24, DARK_GREY)
    fill(5, 11, 26, 12, LIGHT_GREY)
    fill(10, 7, 18, 10, BLACK)
    fill(11, 8, 17, 10, DARK_GREY)
    fill(22, 8, 25, 10, BLACK)
    fill(23, 9, 24, 10, RED)
    fill(6, 14, 8, 15, YELLOW)  # flash

    # The lens: rings of black, grey, navy and blue with a highlight.
    cx, cy = 16, 18
    for y in range(SIZE):
        for x in range(SIZE):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if d2 <= 6 ** 2:
                px[y][x] = BLACK
            if d2 <= 5 ** 2:
                px[y][x] = LIGHT_GREY
            if d2 <= 4 ** 2:
                px[y][x] = NAVY
            if d2 <= 3 ** 2:
                px[y][x] = BLUE
    px[16][14] = CYAN
    px[16][15] = WHITE
    px[17][14] = WHITE
    return px


def ico_bytes(px):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(px):  # DIB rows are stored bottom-up
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    return directory + image


def main():
    data = ico_bytes(draw())
    assert len(data) == 766, len(data)
    with open(sys.argv[1], "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
