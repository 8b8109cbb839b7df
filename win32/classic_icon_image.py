"""Makes one of the icon's classic images from the drawing's rendering at the same size: in the
16 colours of Windows' standard palette, or in black and white, each pixel either shown or
transparent, as icons were before colours were many. icotool then stores it at 4 or 1 bit.

usage: classic_icon_image.py RENDERING.png OUTPUT.png COLOURS   (COLOURS: 16 or 2)
"""
import sys

from PIL import Image

# Windows' standard 16 colours, in the order of its default palette.
STANDARD_16 = [0, 0, 0, 128, 0, 0, 0, 128, 0, 128, 128, 0, 0, 0, 128, 128, 0, 128, 0, 128, 128,
               192, 192, 192, 128, 128, 128, 255, 0, 0, 0, 255, 0, 255, 255, 0, 0, 0, 255,
               255, 0, 255, 0, 255, 255, 255, 255, 255]
BLACK_AND_WHITE = [0, 0, 0, 255, 255, 255]


def main():
    rendering, output, colours = sys.argv[1], sys.argv[2], int(sys.argv[3])
    image = Image.open(rendering).convert("RGBA")
    palette = Image.new("P", (1, 1))
    chosen = STANDARD_16 if colours == 16 else BLACK_AND_WHITE
    palette.putpalette(chosen + [0] * (768 - len(chosen)))
    shown = image.convert("RGB")
    if colours == 2:
        grey = image.convert("L").point(lambda value: 255 if value >= 128 else 0)
        shown = Image.merge("RGB", (grey, grey, grey))
    classic = shown.quantize(palette=palette, dither=Image.Dither.NONE).convert("RGBA")
    classic.putalpha(image.getchannel("A").point(lambda value: 255 if value >= 128 else 0))
    classic.save(output)


if __name__ == "__main__":
    main()
