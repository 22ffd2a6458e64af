#!/usr/bin/env python3
"""Reads the game off the X screen, for the end-to-end tests.

usage: screen.py origin WINDOW_ID          "x y" of the main window's client area on the screen
       screen.py board CLIENT_X CLIENT_Y   one line per occupied square: "column row kind"
       screen.py count X Y W H RRGGBB      pixels of that colour in the rectangle

Kinds: box (a solid white box), white, green, red (a symbol in that colour). The screen is read
as a binary PPM from ImageMagick's import.
"""
import subprocess
import sys

COLUMNS, ROWS, SQUARE, TOP = 20, 15, 32, 40
COLOURS = {(255, 255, 255): "white", (0, 255, 0): "green", (255, 0, 0): "red"}


def grab():
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                          check=True, stdout=subprocess.PIPE).stdout
    magic, width, height, rest = data.split(maxsplit=3)
    width, height, pixels = int(width), int(height), rest[len(b"255") + 1:]
    return lambda x, y: tuple(pixels[3 * (y * width + x):3 * (y * width + x) + 3]) \
        if 0 <= x < width and 0 <= y < height else (0, 0, 0)


def square(pixel, left, top):
    # Every other pixel of the inside: characters of the board font may reach a pixel or two
    # into the next square, and that must not count there.
    samples = [COLOURS.get(pixel(x, y)) for y in range(top + 2, top + SQUARE - 2, 2)
               for x in range(left + 2, left + SQUARE - 2, 2)]
    counts = {kind: samples.count(kind) for kind in set(samples) if kind}
    if not counts:
        return None
    # A box fills most of its square with white; a symbol's strokes cover much less.
    return "box" if counts.get("white", 0) > len(samples) * 0.8 else max(counts, key=counts.get)


def origin(window):
    # The frame and caption are whatever Wine draws; the client area is the first black inside
    # them, along a row and a column that the toolbar does not reach.
    geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], check=True,
                              stdout=subprocess.PIPE, text=True).stdout
    fields = dict(line.split("=") for line in geometry.split())
    pixel, x, y = grab(), int(fields["X"]), int(fields["Y"])
    left = next(i for i in range(x, x + 50) if pixel(i, y + 300) == (0, 0, 0))
    top = next(i for i in range(y, y + 80) if pixel(x + 600, i) == (0, 0, 0))
    print(left, top)


def main(command, *args):
    if command == "origin":
        return origin(args[0])
    numbers = [int(a) for a in args[:4]]
    pixel = grab()
    if command == "board":
        for row in range(ROWS):
            for column in range(COLUMNS):
                kind = square(pixel, numbers[0] + column * SQUARE,
                              numbers[1] + TOP + row * SQUARE)
                if kind:
                    print(column, row, kind)
    else:
        want = tuple(int(args[4][i:i + 2], 16) for i in (0, 2, 4))
        x, y, w, h = numbers
        print(sum(pixel(i, j) == want for j in range(y, y + h) for i in range(x, x + w)))


main(*sys.argv[1:])
