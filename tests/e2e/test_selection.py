"""Selecting a rectangle or a shape with the mouse on the live screen."""

from __future__ import annotations

import time

from PIL import Image, ImageChops

from saving import save_through_dialog, wait_for_file, wine_path
from wine_desktop import wait_until


def select_and_save(desktop, grabwell, folder, name, start, *moves, hot_key_meanwhile=False):
    desktop.key("F11")
    grabwell.wait_for_face("&Capture")
    desktop.key("Return")
    time.sleep(1.0)  # the pause, and the waiting banner at the cursor
    if hot_key_meanwhile:
        # The warning comes up over the live selection, which goes on after it.
        desktop.key("F11")
        assert grabwell.wait_for_message_box("Warning")
        desktop.key("Return")
        wait_until(lambda: not desktop.report("windows").message_boxes(), 10, what="the warning to close")
    desktop.drag(start, *moves)
    grabwell.wait_for_face("&Save")
    desktop.key("Return")
    save_through_dialog(grabwell, "Save As Bitmap", name, wine_path(folder / f"{name}.bmp"))
    return wait_for_file(folder / f"{name}.bmp")


def test_dragged_rectangle_is_the_screen_and_leaves_no_trace(desktop, grabwell_with, pattern_window, folder):
    grabwell = grabwell_with(What_To_Cap=3)
    desktop.move_mouse(600, 600)
    screen = desktop.screen_image()
    saved = select_and_save(desktop, grabwell, folder, "Image1", (100, 100), (300, 250))
    with Image.open(saved) as image:
        assert image.size == (200, 150)
        assert ImageChops.difference(image.convert("RGB"), screen.crop((100, 100, 300, 250))).getbbox() is None
    desktop.key("Return")
    grabwell.wait_for_hidden()
    time.sleep(0.5)
    after = desktop.screen_image()
    # No dotted outline, inverted interior or banner is left on the screen.
    assert ImageChops.difference(after.crop((0, 0, 1024, 730)), screen.crop((0, 0, 1024, 730))).getbbox() is None

    # A right click switches to moving: the 50 x 30 selection travels with
    # the mouse and is taken where the button comes up.
    saved = select_and_save(desktop, grabwell, folder, "Image2", (100, 100), (150, 130), "toggle", (400, 300))
    with Image.open(saved) as image:
        assert image.size == (50, 30)
        assert ImageChops.difference(image.convert("RGB"), screen.crop((350, 270, 400, 300))).getbbox() is None
    grabwell.terminate()


def test_circle_over_a_wide_drag_is_a_masked_square(desktop, start_grabwell, user_settings, pattern_window,
                                                   folder, settings_file):
    user_settings(What_To_Cap=4, Shape=8)
    # A white mask and no border for the circle.
    settings_file.write_bytes(settings_file.read_bytes() + b"[Capture]\r\nCircle Shape Color=16777215\r\n"
                              b"Circle Use Border=No\r\n")
    grabwell = start_grabwell()
    grabwell.wait_for_tray_icon()
    screen = desktop.screen_image()
    saved = select_and_save(desktop, grabwell, folder, "Image1", (110, 140), (310, 220), hot_key_meanwhile=True)
    with Image.open(saved) as image:
        image = image.convert("RGB")
        assert image.size == (80, 80)
        assert image.getpixel((0, 0)) == (255, 255, 255)
        assert image.getpixel((79, 79)) == (255, 255, 255)
        # Without a border every pixel is either the screen under the centred
        # square (170, 140)-(250, 220) or the mask colour: no outline.
        under = screen.crop((170, 140, 250, 220))
        assert all(p in ((255, 255, 255), q) for p, q in zip(image.getdata(), under.getdata()))
        assert image.getpixel((40, 40)) == under.getpixel((40, 40))
    grabwell.terminate()
