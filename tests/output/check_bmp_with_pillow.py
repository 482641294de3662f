"""Checks our BMP writer and reader against Pillow, an independent codec.

  check_bmp_with_pillow.py CODEC_PROBE WORKDIR

1. Every depth our writer produces must decode in Pillow to the pixels we
   meant (the .rgb file written beside each .bmp).
2. BMPs that Pillow writes, and hand-made ones of the variants Pillow cannot
   write (RLE8, RLE4, top-down, OS/2 core header, V5 header with bit fields,
   a short colour table), must decode in our reader to the expected pixels.
"""
import os
import shutil
import struct
import subprocess
import sys

from PIL import Image

probe, work = sys.argv[1], sys.argv[2]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []


def read_raw(path):
    data = open(path, "rb").read()
    width, height = struct.unpack("<ii", data[:8])
    return width, height, data[8:]


def our_decode(path):
    raw = path + ".ours.rgb"
    result = subprocess.run([probe, "dump", path, raw], capture_output=True, text=True)
    if result.returncode != 0:
        failures.append(f"{os.path.basename(path)}: our reader refused it: {result.stderr.strip()}")
        return None
    return read_raw(raw)


def compare(label, got, want_size, want_pixels, tolerance=0):
    if got is None:
        return
    width, height, pixels = got
    if (width, height) != want_size:
        failures.append(f"{label}: size {width}x{height}, expected {want_size[0]}x{want_size[1]}")
        return
    wrong = [i for i in range(len(pixels)) if abs(pixels[i] - want_pixels[i]) > tolerance]
    if len(pixels) != len(want_pixels) or wrong:
        first = (wrong or [0])[0] // 3
        failures.append(f"{label}: pixel {first % width},{first // width} differs")


# 1. Our files through Pillow.
subprocess.run([probe, "write-bmps", work], check=True)
written = sorted(f for f in os.listdir(work) if f.endswith(".bmp"))
if len(written) < 10:
    failures.append(f"probe wrote only {written}")
for name in written:
    width, height, pixels = read_raw(os.path.join(work, name[:-4] + ".rgb"))
    # Pillow widens 5- and 6-bit channels with its own rounding: off by one at most.
    tolerance = 1 if name.endswith("15.bmp") or name.endswith("16.bmp") else 0
    with Image.open(os.path.join(work, name)) as im:
        compare(f"Pillow reading our {name}", (im.width, im.height, im.convert("RGB").tobytes()),
                (width, height), pixels, tolerance)

# 2a. Pillow's files through our reader.
source = Image.new("RGB", (29, 7))
source.putdata([((x * 40) % 256, (y * 50 + x) % 256, (x * y * 9) % 256) for y in range(7) for x in range(29)])
for mode in ["1", "L", "P", "RGB", "RGBA"]:
    path = os.path.join(work, f"pillow_{mode}.bmp")
    image = source.convert(mode) if mode != "P" else source.quantize(16)
    image.save(path)
    with Image.open(path) as im:
        expected = im.convert("RGB").tobytes()
    compare(f"our reader on Pillow's {mode} file", our_decode(path), (29, 7), expected)


# 2b. Hand-made files: header builders and the pixels each must give.
def info_header(width, height, bits, compression, colors, image_size=0, size=40):
    return struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, image_size, 0, 0, colors, 0)


def bmp_file(header, table, pixels):
    offset = 14 + len(header) + len(table)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + table + pixels


palette = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (0, 255, 255), (255, 0, 255), (9, 9, 9), (200, 100, 50)]
table4 = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
table3 = b"".join(bytes((b, g, r)) for r, g, b in palette)


def expected_from_indices(rows_top_down):
    return b"".join(bytes(palette[i]) for row in rows_top_down for i in row)


crafted = []

# RLE8, 6 x 3 (data rows bottom-up): a run and an absolute run; two runs;
# then one full run and end of bitmap.
rle8 = bytes([3, 1, 0, 3, 2, 3, 4, 0, 0, 0,
              2, 5, 4, 1, 0, 0,
              6, 7, 0, 1])
crafted.append(("rle8", bmp_file(info_header(6, 3, 8, 1, 8, len(rle8)), table4, rle8), (6, 3),
                expected_from_indices([[7] * 6, [5, 5, 1, 1, 1, 1], [1, 1, 1, 2, 3, 4]])))

# RLE8 with a delta escape over two pixels and one row (this Pillow gets
# deltas wrong, so only the hand-made expectation holds here).
rle8_delta = bytes([2, 5, 0, 2, 2, 1, 2, 1, 0, 1])
crafted.append(("rle8_delta", bmp_file(info_header(6, 2, 8, 1, 8, len(rle8_delta)), table4, rle8_delta), (6, 2),
                expected_from_indices([[0, 0, 0, 0, 1, 1], [5, 5, 0, 0, 0, 0]])))

# RLE4, 5 x 2: a run of alternating 1/2, then an absolute run of 3..7.
rle4 = bytes([5, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1])
crafted.append(("rle4", bmp_file(info_header(5, 2, 4, 2, 8, len(rle4)), table4, rle4), (5, 2),
                expected_from_indices([[3, 4, 5, 6, 7], [1, 2, 1, 2, 1]])))

# Top-down 24-bit, 2 x 2: rows stored from the top.
top_down = bytes([0, 0, 255, 0, 255, 0, 0, 0]) + bytes([255, 0, 0, 255, 255, 255, 0, 0])
crafted.append(("top_down24", bmp_file(info_header(2, -2, 24, 0, 0), b"", top_down), (2, 2),
                bytes([255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255])))

# OS/2 core header, 8-bit, 3 x 2 with a 3-byte colour table of 256 entries.
core_header = struct.pack("<IHHHH", 12, 3, 2, 1, 8)
core_table = table3 + bytes(3 * (256 - len(palette)))
core_pixels = bytes([0, 1, 2, 0, 3, 4, 5, 0])
crafted.append(("core8", bmp_file(core_header, core_table, core_pixels), (3, 2),
                expected_from_indices([[3, 4, 5], [0, 1, 2]])))

# V5 header, 16-bit 5-6-5 bit fields, 2 x 1: pure red and pure blue.
v5 = bytearray(info_header(2, 1, 16, 3, 0, size=124)) + bytearray(124 - 40)
struct.pack_into("<III", v5, 40, 0xF800, 0x07E0, 0x001F)
crafted.append(("v5_565", bmp_file(bytes(v5), b"", struct.pack("<HH", 0xF800, 0x001F)), (2, 1),
                bytes([255, 0, 0, 0, 0, 255])))

# 8-bit with a short colour table of 3 entries, 4 x 1.
crafted.append(("short_table8", bmp_file(info_header(4, 1, 8, 0, 3), table4[:12], bytes([2, 1, 0, 2])), (4, 1),
                expected_from_indices([[2, 1, 0, 2]])))

for name, data, size, expected in crafted:
    path = os.path.join(work, f"crafted_{name}.bmp")
    open(path, "wb").write(data)
    compare(f"our reader on {name}", our_decode(path), size, expected)
    if name == "rle8_delta":
        continue
    # Where Pillow reads the variant, it must agree with the expectation too,
    # which checks the hand-made file itself.
    try:
        with Image.open(path) as im:
            compare(f"Pillow on {name}", (im.width, im.height, im.convert("RGB").tobytes()), size, expected)
    except Exception as error:  # a variant this Pillow cannot read
        print(f"note: Pillow cannot read {name}: {error}")

for failure in failures:
    print("FAIL:", failure)
print(f"{len(written)} written files, 5 Pillow files, {len(crafted)} crafted files checked")
sys.exit(1 if failures else 0)
