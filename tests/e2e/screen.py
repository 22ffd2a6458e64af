#!/usr/bin/env python3
# Prints "x y", the top left corner on the X screen of the client area of the main window whose
# id is given: the frame and caption are whatever Wine draws, and the client area is the first
# black inside them along a row and a column that the toolbar does not reach. Fails while the
# window is not drawn yet. The screen is read as a binary PPM from ImageMagick's import.
import subprocess
import sys

geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", sys.argv[1]], check=True,
                          stdout=subprocess.PIPE, text=True).stdout
fields = dict(line.split("=") for line in geometry.split())
x, y = int(fields["X"]), int(fields["Y"])
data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], check=True,
                      stdout=subprocess.PIPE).stdout
magic, width, height, rest = data.split(maxsplit=3)
width, pixels = int(width), rest[len(b"255") + 1:]


def black(px, py):
    return pixels[3 * (py * width + px):3 * (py * width + px) + 3] == b"\0\0\0"


# Drawn: the frame at the window's edges, and the Start button on the toolbar.
left = [i for i in range(x, x + 50) if black(i, y + 300)]
top = [i for i in range(y, y + 80) if black(x + 600, i)]
if black(x, y + 300) or black(x + 600, y) or not left or not top or black(left[0] + 20, top[0] + 18):
    sys.exit(1)
print(left[0], top[0])
