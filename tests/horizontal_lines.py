"""Prints the black horizontal lines of a picture, one per line: the row and the length in pixels.

A line is a run of at least 100 black pixels in a row; text, however bold, has no such runs.
Reads the picture with Pillow (Debian's python3-pil).
"""
import sys

from PIL import Image

MIN_LENGTH = 100
BLACK = (0, 0, 0)


def main(path):
    with Image.open(path) as picture:
        rgb = picture.convert("RGB")
    width, height = rgb.size
    pixels = rgb.load()
    for y in range(height):
        x = 0
        while x < width:
            if pixels[x, y] != BLACK:
                x += 1
                continue
            start = x
            while x < width and pixels[x, y] == BLACK:
                x += 1
            if x - start >= MIN_LENGTH:
                print(y, x - start)


if __name__ == "__main__":
    main(sys.argv[1])
