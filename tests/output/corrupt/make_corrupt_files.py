"""Writes the malformed BMP and JPEG files of this folder; every one of them
must be refused by our readers with a clear error. Run again after adding a
case:  /usr/bin/python3 make_corrupt_files.py"""
import io
import os
import random
import struct

from PIL import Image

here = os.path.dirname(os.path.abspath(__file__))


def info_header(width, height, bits, compression=0, colors=0, size=40, image_size=0):
    return struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, image_size, 0, 0, colors, 0)


def bmp(header, table=b"", pixels=b"", offset=None):
    if offset is None:
        offset = 14 + len(header) + len(table)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(table) + len(pixels), 0, 0, offset) + header + table + pixels


gray16 = b"".join(bytes((i * 16, i * 16, i * 16, 0)) for i in range(16))
gray256 = b"".join(bytes((i, i, i, 0)) for i in range(256))
valid24 = bmp(info_header(4, 4, 24), pixels=bytes(48))
rng = random.Random(2000)

files = {
    # Headers
    "bmp_truncated_file_header.bmp": b"BM\x10\x00\x00",
    "bmp_truncated_info_header.bmp": valid24[:30],
    "bmp_not_a_bitmap.bmp": b"GIF87a" + bytes(60),
    "bmp_garbage.bmp": bytes(rng.randrange(256) for _ in range(300)),
    "bmp_unknown_header_size.bmp": bmp(info_header(4, 4, 24, size=33)[:33], pixels=bytes(48)),
    "bmp_absurd_size.bmp": bmp(info_header(100000, 100000, 24), pixels=bytes(64)),
    "bmp_negative_width.bmp": bmp(info_header(-4, 4, 24), pixels=bytes(48)),
    "bmp_height_int_min.bmp": bmp(info_header(4, -2**31, 24), pixels=bytes(48)),
    "bmp_bit_count_7.bmp": bmp(info_header(4, 4, 7), pixels=bytes(64)),
    "bmp_embedded_jpeg.bmp": bmp(info_header(4, 4, 24, compression=4), pixels=bytes(48)),
    "bmp_bitfields_24bit.bmp": bmp(info_header(4, 4, 24, compression=3), table=bytes(12), pixels=bytes(48)),
    "bmp_rle_top_down.bmp": bmp(info_header(4, -4, 8, compression=1), table=gray256, pixels=bytes([0, 1])),
    # Offsets and sizes
    "bmp_offset_beyond_file.bmp": bmp(info_header(4, 4, 24), pixels=bytes(48), offset=5000),
    "bmp_offset_inside_header.bmp": bmp(info_header(4, 4, 24), pixels=bytes(48), offset=20),
    "bmp_truncated_pixels.bmp": bmp(info_header(10, 10, 24), pixels=bytes(50)),
    "bmp_too_many_colors.bmp": bmp(info_header(4, 4, 8, colors=1000), table=gray256, pixels=bytes(16)),
    "bmp_table_overlaps_pixels.bmp": bmp(info_header(4, 4, 8), table=gray16, pixels=bytes(16)),
    "bmp_truncated_color_table.bmp": bmp(info_header(4, 4, 8), table=gray16[:20]),
    # Colour indices
    "bmp_palette_index_out_of_range.bmp": bmp(info_header(4, 1, 8, colors=2), table=gray16[:8], pixels=bytes([0, 1, 5, 0])),
    "bmp_4bit_index_out_of_range.bmp": bmp(info_header(2, 1, 4, colors=3), table=gray16[:12], pixels=bytes([0x2F, 0, 0, 0])),
    # Run-length data
    "bmp_rle8_run_overrun.bmp": bmp(info_header(4, 2, 8, 1), table=gray256, pixels=bytes([10, 1, 0, 1])),
    "bmp_rle8_absolute_overrun.bmp": bmp(info_header(4, 2, 8, 1), table=gray256, pixels=bytes([0, 6, 1, 2, 3, 4, 5, 6, 0, 1])),
    "bmp_rle8_above_top_row.bmp": bmp(info_header(4, 2, 8, 1), table=gray256, pixels=bytes([0, 0, 0, 0, 4, 1, 0, 1])),
    "bmp_rle8_delta_out_of_picture.bmp": bmp(info_header(4, 2, 8, 1), table=gray256, pixels=bytes([0, 2, 200, 0, 1, 1, 0, 1])),
    "bmp_rle8_truncated_absolute.bmp": bmp(info_header(4, 2, 8, 1), table=gray256, pixels=bytes([0, 200, 1, 2, 3])),
    "bmp_rle8_no_end.bmp": bmp(info_header(4, 3, 8, 1), table=gray256, pixels=bytes([4, 1, 0, 0, 4, 2])),
    "bmp_rle8_index_out_of_range.bmp": bmp(info_header(4, 1, 8, 1, colors=4), table=gray256[:16], pixels=bytes([4, 9, 0, 1])),
    "bmp_rle4_run_overrun.bmp": bmp(info_header(3, 1, 4, 2), table=gray16, pixels=bytes([4, 0x12, 0, 1])),
}

# JPEG cases start from a small valid file.
picture = Image.new("RGB", (48, 32))
picture.putdata([(x * 5, y * 7, (x ^ y) * 3) for y in range(32) for x in range(48)])
out = io.BytesIO()
picture.save(out, "JPEG", quality=90)
jpeg = out.getvalue()


def segment_at(data, code):
    at = 2
    while data[at] == 0xFF and data[at + 1] != code:
        at += 2 + int.from_bytes(data[at + 2:at + 4], "big")
    return at


sof = segment_at(jpeg, 0xC0)
sos = segment_at(jpeg, 0xDA)
dht = segment_at(jpeg, 0xC4)


def with_size(width, height):
    data = bytearray(jpeg)
    struct.pack_into(">HH", data, sof + 5, height, width)
    return bytes(data)


bad_huffman = bytearray(jpeg)
bad_huffman[dht + 5:dht + 21] = bytes([255] * 16)  # code counts that cannot form a Huffman table
scan_start = sos + 2 + int.from_bytes(jpeg[sos + 2:sos + 4], "big")

files.update({
    "jpeg_empty.jpg": b"",
    "jpeg_garbage.jpg": bytes(rng.randrange(256) for _ in range(500)),
    "jpeg_not_a_jpeg.jpg": valid24,
    "jpeg_header_only.jpg": jpeg[:sos],
    "jpeg_truncated_scan.jpg": jpeg[:scan_start + (len(jpeg) - scan_start) // 2],
    "jpeg_cut_before_end.jpg": jpeg[:-2],
    "jpeg_zero_width.jpg": with_size(0, 32),
    "jpeg_huge_dimensions.jpg": with_size(65000, 65000),
    "jpeg_bad_huffman_table.jpg": bytes(bad_huffman),
    "jpeg_marker_inside_scan.jpg": jpeg[:scan_start + 40] + b"\xff\xd9" + jpeg[scan_start + 40:],
})

for name, data in files.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)
print(f"wrote {len(files)} files")
