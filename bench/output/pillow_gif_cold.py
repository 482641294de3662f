"""Pillow's GIF road once, in this fresh process: open a BMP, convert it to
the web palette without dithering and save it as GIF. Prints the CPU
milliseconds of those three steps (the interpreter's start and the import
are not counted).

  pillow_gif_cold.py IN.bmp OUT.gif
"""
import sys
import time

from PIL import Image

start = time.process_time()
with Image.open(sys.argv[1]) as picture:
    picture.convert("RGB").convert("P", palette=Image.Palette.WEB, dither=Image.Dither.NONE).save(sys.argv[2], "GIF")
print(f"{1e3 * (time.process_time() - start):.3f}")
