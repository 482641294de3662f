"""The capture road on displays of 16 bits and of 256 colours (Wine then
reports a palette display): the saved bitmap keeps the display's depth. At
16 bits its pixels are the screen's as the X server shows them; at 8 bits
the X server's colour map cannot be read from outside Wine (the root window
reads black), so there the colour table must be the screen palette, whose
first entries are the system's static colours."""

from __future__ import annotations

import pytest
from PIL import Image, ImageChops

from conftest import BUILD, PATTERN_PLACE, desktop_of_its_own, show_pattern
from grabwell import Grabwell
from saving import save_through_dialog, wait_for_file, wine_path
from settings_file import write_returning_user
from wine_desktop import copy_program


@pytest.fixture(params=[16, 8], ids=["16-bit", "8-bit"])
def deep_desktop(request, tmp_path_factory):
    yield from desktop_of_its_own(request, tmp_path_factory.mktemp(f"depth{request.param}"), "grabwell-depth",
                                  depth=request.param)


# The first entries of the system palette of a palette display.
STATIC_COLOURS = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
                  (192, 192, 192), (192, 220, 192), (166, 202, 240)]


def test_capture_keeps_the_display_depth(deep_desktop):
    desktop = deep_desktop
    folder = desktop.root / "Grabwell"
    exe = copy_program(BUILD, folder)
    write_returning_user(desktop.windows_dir)
    show_pattern(desktop)
    grabwell = Grabwell(desktop, exe)
    grabwell.wait_for_tray_icon()
    screen = desktop.screen_image()

    grabwell.capture("&Save")
    desktop.key("Return")
    save_through_dialog(grabwell, "Save As Bitmap", "Image1", wine_path(folder / "Image1.bmp"))
    saved = wait_for_file(folder / "Image1.bmp")
    assert int.from_bytes(saved.read_bytes()[28:30], "little") == desktop.depth
    with Image.open(saved) as image:
        x0, y0, width, height = PATTERN_PLACE
        pattern = image.convert("RGB").crop((x0, y0, x0 + width, y0 + height))
        if desktop.depth == 16:
            # The two readers widen 5- and 6-bit channels a little differently.
            difference = ImageChops.difference(image.convert("RGB"), screen).crop((0, 0, 1024, 730))
            assert all(high <= 8 for _, high in difference.getextrema())
        else:
            palette = image.getpalette()
            assert [tuple(palette[i:i + 3]) for i in range(0, 30, 3)] == STATIC_COLOURS
            assert len(set(pattern.getdata())) > 16
    grabwell.terminate()
