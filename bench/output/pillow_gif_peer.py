"""Times Pillow converting the desktop BMPs of WORKDIR to the web palette
without dithering and saving them as GIF, and compares with our road's
times in WORKDIR/road.json (Google Benchmark output of the same run).
Both sides are CPU times: the machine is shared, and time spent waiting
for a core would only measure the neighbours.

  pillow_gif_peer.py WORKDIR
"""
import json
import os
import sys
import time

from PIL import Image

work = sys.argv[1]
ours = {}
for run in json.load(open(os.path.join(work, "road.json")))["benchmarks"]:
    if run.get("run_type") != "iteration":
        continue
    size = "x".join(run["name"].split("/")[1:3])
    scale = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[run["time_unit"]]
    seconds = run["cpu_time"] * scale
    ours[size] = min(ours.get(size, seconds), seconds)

for size in sorted(ours, key=lambda s: int(s.split("x")[0])):
    with Image.open(os.path.join(work, f"desktop_{size}.bmp")) as source:
        source.load()
        picture = source.convert("RGB")
    out = os.path.join(work, f"pillow_{size}.gif")
    best = None
    for _ in range(5):
        start = time.process_time()
        picture.convert("P", palette=Image.Palette.WEB, dither=Image.Dither.NONE).save(out, "GIF")
        elapsed = time.process_time() - start
        best = elapsed if best is None else min(best, elapsed)
    print(f"GIF road {size}: ours {ours[size] * 1e3:.1f} ms, Pillow {best * 1e3:.1f} ms, "
          f"ratio ours/Pillow {100 * ours[size] / best:.1f} % (target <= 25 %)")
