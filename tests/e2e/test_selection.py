"""Selecting a rectangle or a shape with the mouse on the live screen."""

from __future__ import annotations

import time

from PIL import Image, ImageChops

from saving import save_through_dialog, wait_for_file, wine_path


def drag(desktop, start, end, steps=8):
    desktop.move_mouse(*start)
    time.sleep(0.3)
    desktop._xdotool("mousedown", "1")
    x0, y0 = start
    for i in range(1, steps + 1):
        desktop.move_mouse(x0 + (end[0] - x0) * i // steps, y0 + (end[1] - y0) * i // steps)
        time.sleep(0.05)
    time.sleep(0.3)
    desktop._xdotool("mouseup", "1")


def select_and_save(desktop, grabwell, folder, start, end, name):
    desktop.key("F11")
    grabwell.wait_for_face("&Capture")
    desktop.key("Return")
    time.sleep(1.0)  # the pause, and the waiting banner at the cursor
    drag(desktop, start, end)
    grabwell.wait_for_face("&Save")
    desktop.key("Return")
    save_through_dialog(grabwell, "Save As Bitmap", name, wine_path(folder / f"{name}.bmp"))
    return wait_for_file(folder / f"{name}.bmp")


def test_dragged_rectangle_is_the_screen_and_leaves_no_trace(desktop, grabwell_with, pattern_window, folder):
    grabwell = grabwell_with(What_To_Cap=3)
    desktop.move_mouse(600, 600)
    screen = desktop.screen_image()
    saved = select_and_save(desktop, grabwell, folder, (100, 100), (300, 250), "Image1")
    with Image.open(saved) as image:
        assert image.size == (200, 150)
        assert ImageChops.difference(image.convert("RGB"), screen.crop((100, 100, 300, 250))).getbbox() is None
    desktop.key("Return")
    grabwell.wait_for_hidden()
    time.sleep(0.5)
    after = desktop.screen_image()
    # No dotted outline, inverted interior or banner is left on the screen.
    assert ImageChops.difference(after.crop((0, 0, 1024, 730)), screen.crop((0, 0, 1024, 730))).getbbox() is None
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
    saved = select_and_save(desktop, grabwell, folder, (110, 140), (310, 220), "Image1")
    with Image.open(saved) as image:
        image = image.convert("RGB")
        assert image.size == (80, 80)
        assert image.getpixel((0, 0)) == (255, 255, 255)
        assert image.getpixel((79, 79)) == (255, 255, 255)
        # The middle is the screen under the centred square (170, 140)-(250, 220).
        assert image.getpixel((40, 40)) == screen.getpixel((210, 180))
    grabwell.terminate()
