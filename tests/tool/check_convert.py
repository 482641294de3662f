"""End-to-end checks of `grabwell-tool convert`, outputs decoded by Pillow.

  check_convert.py GRABWELL_TOOL WORKDIR
"""
import os
import shutil
import subprocess
import sys

from PIL import Image

tool, work = sys.argv[1], sys.argv[2]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []


def run(*args):
    return subprocess.run([tool, *args], capture_output=True, text=True)


def expect_ok(*args):
    result = run("convert", *args)
    if result.returncode != 0:
        failures.append(f"convert {' '.join(args)} failed: {result.stderr.strip()}")
    return result.returncode == 0


def expect_refused(label, args, text):
    result = run(*args)
    if result.returncode == 0 or text not in result.stderr:
        failures.append(f"{label}: exit {result.returncode}, stderr {result.stderr.strip()!r}, expected {text!r}")


def path(name):
    return os.path.join(work, name)


# A picture of flat cube colours (which a GIF keeps exactly) and a gradient.
source = Image.new("RGB", (50, 30), (255, 255, 255))
source.paste((255, 0, 0), (0, 0, 25, 15))
source.paste((0, 0, 255), (25, 0, 50, 15))
source.paste((0, 102, 51), (0, 15, 25, 30))
for x in range(25, 50):
    for y in range(15, 30):
        source.putpixel((x, y), (x * 5, y * 8, 128))
source.save(path("in.bmp"))
cube = {(r, g, b) for r in range(0, 256, 51) for g in range(0, 256, 51) for b in range(0, 256, 51)}

# bmp -> gif: the program's road, every colour on the 216-colour cube.
if expect_ok(path("in.bmp"), path("out.gif")):
    with open(path("out.gif"), "rb") as f:
        if f.read(6) != b"GIF87a":
            failures.append("bmp->gif: not a GIF87a file")
    with Image.open(path("out.gif")) as im:
        rgb = im.convert("RGB")
        if rgb.size != (50, 30):
            failures.append(f"bmp->gif: size {rgb.size}")
        for point, colour in {(5, 5): (255, 0, 0), (40, 5): (0, 0, 255), (5, 20): (0, 102, 51)}.items():
            if rgb.getpixel(point) != colour:
                failures.append(f"bmp->gif: pixel {point} is {rgb.getpixel(point)}, expected {colour}")
        if not set(rgb.getdata()) <= cube:
            failures.append("bmp->gif: colours outside the web cube")

# bmp -> gif with options: still a GIF Pillow reads, the same size.
if expect_ok(path("in.bmp"), path("options.gif"), "--encoding", "lzw", "--reduction", "7", "--dither", "1", "--bits", "6"):
    with Image.open(path("options.gif")) as im:
        if im.size != (50, 30) or len(set(im.convert("RGB").getdata())) > 64:
            failures.append("bmp->gif with options: wrong size or more than 2^6 colours")

# bmp -> jpg -> bmp: colours survive within JPEG loss.
if expect_ok(path("in.bmp"), path("out.jpg")) and expect_ok(path("out.jpg"), path("back.bmp")):
    with Image.open(path("out.jpg")) as jpeg, Image.open(path("back.bmp")) as back:
        if jpeg.format != "JPEG" or back.size != (50, 30):
            failures.append(f"bmp->jpg->bmp: {jpeg.format}, size {back.size}")
        expected = jpeg.convert("RGB")
        got = back.convert("RGB")
        worst = max(abs(a - b) for p, q in zip(expected.getdata(), got.getdata()) for a, b in zip(p, q))
        if worst > 2:
            failures.append(f"jpg->bmp: differs from Pillow's decode of the same JPEG by {worst}")
        for point in ((5, 5), (40, 5), (5, 20)):
            if max(abs(a - b) for a, b in zip(source.getpixel(point), got.getpixel(point))) > 8:
                failures.append(f"bmp->jpg: pixel {point} is {got.getpixel(point)}, was {source.getpixel(point)}")

# bmp -> bmp keeps every pixel.
if expect_ok(path("in.bmp"), path("copy.BMP")):
    with Image.open(path("copy.BMP")) as im:
        if list(im.convert("RGB").getdata()) != list(source.getdata()):
            failures.append("bmp->bmp changed pixels")

# Refusals: exit code non-zero and the reason on stderr.
with open(path("in.bmp"), "rb") as whole, open(path("broken.bmp"), "wb") as f:
    f.write(whole.read(40))
expect_refused("broken input", ["convert", path("broken.bmp"), path("x.gif")], "Bitmap file is truncated")
with open(path("broken.jpg"), "wb") as f:
    f.write(b"\xff\xd8\xff\xe0garbage")
expect_refused("broken JPEG", ["convert", path("broken.jpg"), path("x.bmp")], "JPEG error #")
expect_refused("missing input", ["convert", path("none.bmp"), path("x.gif")], "Cannot open file")
expect_refused("unknown input type", ["convert", path("in.png"), path("x.gif")], "Unknown file type selected.")
expect_refused("bad option", ["convert", path("in.bmp"), path("x.gif"), "--dither", "9"], "--dither takes a number from 0 to 6")
expect_refused("no arguments", [], "usage:")
expect_refused("unknown command", ["shrink"], "unknown command shrink")
expect_refused("unwritable output", ["convert", path("in.bmp"), "/nonexistent/x.gif"], "Cannot create file /nonexistent/x.gif")
# A full disk shows up only when the last buffered bytes are written at close.
for name in ("full.gif", "full.jpg", "full.bmp"):
    os.symlink("/dev/full", path(name))
    expect_refused(f"full disk ({name})", ["convert", path("in.bmp"), path(name)], "Stream write error")
for name in ("x.gif", "x.bmp"):
    if os.path.exists(path(name)):
        failures.append(f"a refused conversion left {name} behind")

for failure in failures:
    print("FAIL:", failure)
print("convert checks done")
sys.exit(1 if failures else 0)
