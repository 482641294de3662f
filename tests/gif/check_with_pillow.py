"""Decodes every NAME.gif in a folder with Pillow and compares its pixels
with NAME.rgb, the red, green, blue bytes the file must decode to."""
import pathlib
import sys

from PIL import Image


def main(folder):
    gifs = sorted(pathlib.Path(folder).glob("*.gif"))
    if not gifs:
        print("no GIF files in", folder)
        return 1
    failures = 0
    for gif in gifs:
        expected = gif.with_suffix(".rgb").read_bytes()
        with Image.open(gif) as image:
            decoded = image.convert("RGB").tobytes()
            version = image.info.get("version", b"")
        if decoded != expected:
            failures += 1
            print("MISMATCH", gif.name, len(decoded), len(expected))
        elif version not in (b"GIF87a", b"GIF89a"):
            failures += 1
            print("BAD VERSION", gif.name, version)
        else:
            print("ok", gif.name)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
