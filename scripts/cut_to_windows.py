"""Cuts a picture of the screen to the windows named, frames included, with a small margin.

usage: cut_to_windows.py SCREEN.png OUT.png WINDOW_ID...   (with DISPLAY set)
"""
import re
import subprocess
import sys

from PIL import Image

MARGIN = 2


def frame_of(window):
    """(left, top, right, bottom) of the window with its window manager's frame."""
    info = subprocess.run(["xwininfo", "-id", window], check=True,
                          capture_output=True, text=True).stdout
    value = {key: int(re.search(rf"{key}:\s+(-?\d+)", info)[1])
             for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")}
    extents = subprocess.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"],
                             capture_output=True, text=True).stdout
    numbers = [int(n) for n in re.findall(r"\d+", extents.partition("=")[2])]
    left_edge, right_edge, top_edge, bottom_edge = numbers if len(numbers) == 4 else (0, 0, 0, 0)
    left, top = value["Absolute upper-left X"], value["Absolute upper-left Y"]
    return (left - left_edge, top - top_edge, left + value["Width"] + right_edge,
            top + value["Height"] + bottom_edge)


def main(screen, out, *windows):
    frames = [frame_of(window) for window in windows]
    picture = Image.open(screen)
    box = (max(min(f[0] for f in frames) - MARGIN, 0), max(min(f[1] for f in frames) - MARGIN, 0),
           min(max(f[2] for f in frames) + MARGIN, picture.width),
           min(max(f[3] for f in frames) + MARGIN, picture.height))
    picture.crop(box).convert("RGB").save(out, optimize=True)


if __name__ == "__main__":
    main(*sys.argv[1:])
