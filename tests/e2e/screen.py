#!/usr/bin/env python3
"""Reads the game's board off the X screen, for the end-to-end tests.

usage: screen.py origin WINDOW_X WINDOW_Y  "x y" of the main window's client area
       screen.py board CLIENT_X CLIENT_Y   one line per occupied square: "column row kind"
       screen.py count X Y W H RRGGBB      pixels of that colour in the rectangle

Kinds: box (a solid white box), white, green, red (a symbol in that colour). Only the Python
standard library is used: the screen is read as a binary PPM from ImageMagick's import.
"""
import subprocess
import sys

COLUMNS, ROWS, SQUARE, TOP = 20, 15, 32, 40
COLOURS = {(255, 255, 255): "white", (0, 255, 0): "green", (255, 0, 0): "red"}


def grab():
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                          check=True, stdout=subprocess.PIPE).stdout
    fields, at = [], 0
    while len(fields) < 4:  # magic, width, height, maxval; comments are not written by import
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[at + 1:]


def pixel(screen, x, y):
    width, height, pixels = screen
    if not (0 <= x < width and 0 <= y < height):
        return (0, 0, 0)
    at = 3 * (y * width + x)
    return tuple(pixels[at:at + 3])


def square(screen, left, top):
    counts = {}
    samples = 0
    # Every other pixel of the inside: characters of the board font may reach a pixel or two
    # into the next square, and that must not count there.
    for y in range(top + 2, top + SQUARE - 2, 2):
        for x in range(left + 2, left + SQUARE - 2, 2):
            samples += 1
            kind = COLOURS.get(pixel(screen, x, y))
            if kind:
                counts[kind] = counts.get(kind, 0) + 1
    if not counts:
        return None
    # A box fills most of its square with white; a symbol's strokes cover much less.
    if counts.get("white", 0) > samples * 0.8:
        return "box"
    return max(counts, key=counts.get)


def board(client_x, client_y):
    screen = grab()
    for row in range(ROWS):
        for column in range(COLUMNS):
            kind = square(screen, client_x + column * SQUARE, client_y + TOP + row * SQUARE)
            if kind:
                print(column, row, kind)


def origin(window_x, window_y):
    # The frame and caption are whatever the window system draws; the client area is the first
    # black inside them, found along a row and a column that the toolbar does not reach.
    screen = grab()
    x, y = window_x, window_y
    while pixel(screen, x, window_y + 300) != (0, 0, 0) and x < window_x + 50:
        x += 1
    while pixel(screen, window_x + 600, y) != (0, 0, 0) and y < window_y + 80:
        y += 1
    print(x, y)


def count(x, y, w, h, colour):
    want = tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4))
    screen = grab()
    print(sum(1 for yy in range(y, y + h) for xx in range(x, x + w)
              if pixel(screen, xx, yy) == want))


if __name__ == "__main__":
    command, args = sys.argv[1], sys.argv[2:]
    if command == "origin":
        origin(int(args[0]), int(args[1]))
    elif command == "board":
        board(int(args[0]), int(args[1]))
    elif command == "count":
        count(*(int(a) for a in args[:4]), args[4])
    else:
        sys.exit(f"unknown command {command}")
