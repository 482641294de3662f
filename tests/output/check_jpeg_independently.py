"""Checks our JPEG writer and reader against djpeg/cjpeg and Pillow.

  check_jpeg_independently.py CODEC_PROBE WORKDIR

1. Our JPEGs of the quadrant picture (red, green / blue, white), from a
   24-bit image and from a 32-bit capture, decode in djpeg and Pillow with
   the right size and colours (red must come out red, not blue); they are
   baseline, not progressive, and every quantisation entry is 1.
2. Our reader decodes JPEGs from cjpeg (colour) and Pillow (grayscale,
   CMYK) to the colours they hold.
"""
import os
import shutil
import subprocess
import sys

from PIL import Image

probe, work = sys.argv[1], sys.argv[2]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []
QUADRANTS = {(16, 12): (255, 0, 0), (48, 12): (0, 255, 0), (16, 36): (0, 0, 255), (48, 36): (255, 255, 255)}


def close(a, b, tolerance):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def check_colours(label, size, pixel_at, expected, want_size=(64, 48), tolerance=6):
    if size != want_size:
        failures.append(f"{label}: size {size}, expected {want_size}")
        return
    for point, colour in expected.items():
        got = pixel_at(*point)
        if not close(got, colour, tolerance):
            failures.append(f"{label}: pixel {point} is {got}, expected {colour}")


def markers(data):
    """The marker codes of a JPEG stream up to the first scan."""
    found, at = [], 2
    while at + 4 <= len(data) and data[at] == 0xFF:
        code = data[at + 1]
        found.append(code)
        if code == 0xDA:
            break
        at += 2 + int.from_bytes(data[at + 2:at + 4], "big")
    return found


def parse_ppm(data):
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    width, height = int(fields[1]), int(fields[2])
    pixels = data[at + 1:]
    return (width, height), lambda x, y: tuple(pixels[3 * (y * width + x):3 * (y * width + x) + 3])


def our_decode(path):
    raw = path + ".ours.rgb"
    result = subprocess.run([probe, "dump", path, raw], capture_output=True, text=True)
    if result.returncode != 0:
        failures.append(f"{os.path.basename(path)}: our reader refused it: {result.stderr.strip()}")
        return None
    data = open(raw, "rb").read()
    width, height = int.from_bytes(data[0:4], "little"), int.from_bytes(data[4:8], "little")
    pixels = data[8:]
    return (width, height), lambda x, y: tuple(pixels[3 * (y * width + x):3 * (y * width + x) + 3])


# 1. Our writer.
for bits in (24, 32):
    path = os.path.join(work, f"ours_{bits}.jpg")
    subprocess.run([probe, "write-jpeg", path, str(bits)], check=True)
    data = open(path, "rb").read()
    label = f"{bits}-bit source"
    if data[:2] != b"\xff\xd8" or data[6:11] != b"JFIF\x00":
        failures.append(f"{label}: not a JFIF stream")
    codes = markers(data)
    if 0xC0 not in codes or any(c in codes for c in (0xC1, 0xC2)):
        failures.append(f"{label}: frame markers {codes}, expected baseline SOF0 only")

    ppm = subprocess.run(["djpeg", "-ppm", path], capture_output=True, check=True).stdout
    size, pixel_at = parse_ppm(ppm)
    check_colours(f"djpeg, {label}", size, pixel_at, QUADRANTS)

    with Image.open(path) as im:
        if im.mode != "RGB" or im.info.get("progressive") or im.info.get("progression"):
            failures.append(f"Pillow, {label}: mode {im.mode}, info {im.info}")
        tables = im.quantization
        if len(tables) != 2 or any(v != 1 for table in tables.values() for v in table):
            failures.append(f"Pillow, {label}: quantisation tables are not all 1")
        rgb = im.convert("RGB")
        check_colours(f"Pillow, {label}", rgb.size, lambda x, y: rgb.getpixel((x, y)), QUADRANTS)
    decoded = our_decode(path)
    if decoded:
        check_colours(f"our reader, {label}", decoded[0], decoded[1], QUADRANTS)

# 2. Other encoders' files through our reader.
quadrants = Image.new("RGB", (64, 48))
for (cx, cy), colour in QUADRANTS.items():
    quadrants.paste(colour, (cx - 16, cy - 12, cx + 16, cy + 12))
ppm_path = os.path.join(work, "quadrants.ppm")
quadrants.save(ppm_path)
cjpeg_path = os.path.join(work, "cjpeg.jpg")
with open(cjpeg_path, "wb") as out:
    subprocess.run(["cjpeg", "-quality", "95", ppm_path], stdout=out, check=True)
decoded = our_decode(cjpeg_path)
if decoded:
    check_colours("our reader on cjpeg's file", decoded[0], decoded[1], QUADRANTS, tolerance=12)

gray_path = os.path.join(work, "gray.jpg")
quadrants.convert("L").save(gray_path, quality=95)
with Image.open(gray_path) as im:
    gray_expected = {p: (im.getpixel(p),) * 3 for p in QUADRANTS}
decoded = our_decode(gray_path)
if decoded:
    check_colours("our reader on a grayscale file", decoded[0], decoded[1], gray_expected, tolerance=2)

cmyk = Image.new("CMYK", (64, 48))
cmyk_colours = {(16, 12): ((0, 255, 255, 0), (255, 0, 0)), (48, 12): ((255, 0, 0, 0), (0, 255, 255)),
                (16, 36): ((0, 0, 0, 255), (0, 0, 0)), (48, 36): ((0, 0, 0, 0), (255, 255, 255))}
for (cx, cy), (ink, _) in cmyk_colours.items():
    cmyk.paste(ink, (cx - 16, cy - 12, cx + 16, cy + 12))
cmyk_path = os.path.join(work, "cmyk.jpg")
cmyk.save(cmyk_path, quality=95)
decoded = our_decode(cmyk_path)
if decoded:
    check_colours("our reader on a CMYK file", decoded[0], decoded[1],
                  {p: rgb for p, (_, rgb) in cmyk_colours.items()}, tolerance=12)

for failure in failures:
    print("FAIL:", failure)
print("JPEG checks done")
sys.exit(1 if failures else 0)
