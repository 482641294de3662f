"""Pages of a printed PDF as pixels: rendered by poppler's pdftoppm at the
printer's resolution, so that one device pixel of the printer is one pixel
here."""

from __future__ import annotations

import re
import subprocess
import tempfile
from pathlib import Path


class Page:
    def __init__(self, width: int, height: int, pixels: bytes):
        self.width = width
        self.height = height
        self._pixels = pixels

    def at(self, x: int, y: int) -> tuple[int, int, int]:
        i = 3 * (y * self.width + x)
        return tuple(self._pixels[i:i + 3])

    def ink_box(self) -> tuple[int, int, int, int] | None:
        """(left, top, right, bottom) of everything not white, right and
        bottom exclusive; None for a blank page."""
        stride = 3 * self.width
        rows = [y for y in range(self.height) if self._pixels[y * stride:(y + 1) * stride].count(255) != stride]
        if not rows:
            return None
        columns = set()
        for y in rows:
            row = self._pixels[y * stride:(y + 1) * stride]
            first = next(x for x in range(self.width) if row[3 * x:3 * x + 3] != b"\xff\xff\xff")
            last = next(x for x in reversed(range(self.width)) if row[3 * x:3 * x + 3] != b"\xff\xff\xff")
            columns.update((first, last))
        return min(columns), rows[0], max(columns) + 1, rows[-1] + 1


def render_pages(pdf: Path, dpi: int) -> list[Page]:
    with tempfile.TemporaryDirectory(prefix="grabwell-pages-") as folder:
        subprocess.run(["pdftoppm", "-r", str(dpi), str(pdf), f"{folder}/page"], timeout=120, check=True)
        return [_read_ppm(path) for path in sorted(Path(folder).glob("page*.ppm"))]


def _read_ppm(path: Path) -> Page:
    data = path.read_bytes()
    # "P6 <width> <height> <maxval>" and one whitespace byte, then RGB bytes.
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    return Page(int(match.group(1)), int(match.group(2)), data[match.end():])
