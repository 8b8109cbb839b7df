"""Prints the black horizontal lines of a picture, one per line: the row and the length in pixels.

A line is a run of at least 100 black pixels in a row; text, however bold, has no such runs.
Reads the picture through ImageMagick, so it needs nothing beyond Debian's python3.
"""
import subprocess
import sys

MIN_LENGTH = 100


def main(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    pixels = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                            capture_output=True).stdout
    black = b"\0\0\0"
    for y in range(height):
        row = pixels[y * width * 3:(y + 1) * width * 3]
        x = 0
        while x < width:
            if row[3 * x:3 * x + 3] != black:
                x += 1
                continue
            start = x
            while x < width and row[3 * x:3 * x + 3] == black:
                x += 1
            if x - start >= MIN_LENGTH:
                print(y, x - start)


if __name__ == "__main__":
    main(sys.argv[1])
