"""Two monitors side by side, as Wine shows them without a virtual desktop:
an 800 x 600 primary and a 700 x 500 monitor to its right, so that the
virtual screen is 1500 x 600 with a strip below the second monitor that no
monitor shows. The whole screen, a rectangle across the monitors' boundary
and a window on the second monitor are captured as they show; then the
right-hand monitor becomes the primary, the other lies left of it at
negative coordinates, and the same holds there."""

from __future__ import annotations

import subprocess
import time

import pytest
from PIL import Image, ImageChops

from conftest import BUILD, desktop_of_its_own, show_pattern
from grabwell import Grabwell
from saving import save_through_dialog, wait_for_file, wine_path
from settings_file import write_returning_user
from wine_desktop import copy_program, wait_until

UNCOVERED = (800, 500, 1500, 600)  # below the second monitor, in the X screen and in a whole-screen image


@pytest.fixture
def two_monitors(request, tmp_path_factory):
    yield from desktop_of_its_own(request, tmp_path_factory.mktemp("monitors"), "grabwell-monitors",
                                  monitors=("800x600", "700x500"))


def checkered_root(desktop) -> None:
    """A checkered X root window: it shows wherever no window is, the strip
    that no monitor covers included, so that the program has something
    there to black out. (ImageMagick's display sets it and exits with 1.)"""
    subprocess.run(["display", "-window", "root", "pattern:checkerboard"], env=desktop.env, timeout=30,
                   check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def start_grabwell(desktop, exe, **misc) -> Grabwell:
    write_returning_user(desktop.windows_dir, **misc)
    grabwell = Grabwell(desktop, exe)
    # The probe does not read Wine's own tray window, which stands in for
    # the task bar here; the hidden main window tells that the program is up.
    wait_until(lambda: desktop.report("windows").top_level(text="Grabwell 2000"), 30, what="the main window")
    return grabwell


def capture_and_save(desktop, grabwell, folder, name: str, under_pointer: dict, choose: str | None = None,
                     select=None) -> Image.Image:
    """The hot key, pressed with the pointer on the window `under_pointer`
    (X gives the key to it, and Wine's hook sees it there), then the capture
    face, optionally a capture kind (its access key) and a drag, and the
    picture saved as a bitmap."""
    desktop.rest_pointer_on(under_pointer)
    desktop.key("F11")
    grabwell.wait_for_face("&Capture")
    if choose:
        desktop.key(choose)
    desktop.key("alt+c")
    if select:
        # Without a window manager hiding the main window takes about 2 s;
        # a press on it meanwhile would be lost.
        time.sleep(3.0)
        desktop.drag(*select)
    grabwell.wait_for_face("&Save")
    desktop.key("Return")
    save_through_dialog(grabwell, "Save As Bitmap", name, wine_path(folder / f"{name}.bmp"))
    with Image.open(wait_for_file(folder / f"{name}.bmp")) as image:
        picture = image.convert("RGB")
    grabwell.wait_for_done()
    desktop.key("Return")  # "&Done"
    grabwell.wait_for_hidden()
    return picture


def same(a: Image.Image, b: Image.Image) -> bool:
    return ImageChops.difference(a, b).getbbox() is None


def equals_screen_but_the_uncovered_strip(whole: Image.Image, screen: Image.Image) -> None:
    """A whole-screen picture: the X screen on both monitors, black in the
    strip that no monitor shows (where the X screen shows the root)."""
    assert whole.size == screen.size == (1500, 600)
    assert same(whole.crop(UNCOVERED), Image.new("RGB", (700, 100)))
    assert not same(screen.crop(UNCOVERED), Image.new("RGB", (700, 100)))
    whole.paste(screen.crop(UNCOVERED), UNCOVERED[:2])
    assert same(whole, screen)


def test_captures_over_two_monitors(two_monitors):
    desktop = two_monitors
    folder = desktop.root / "Grabwell"
    exe = copy_program(BUILD, folder)
    grabwell = start_grabwell(desktop, exe, What_To_Cap=0, Action=0)
    # The pattern windows come after the program's tray window, so that the
    # second one is next in line when the main window hides: there is no
    # window manager to raise a window that is clicked.
    _, first = show_pattern(desktop, (650, 100, 300, 200))  # across the boundary at x 800
    _, second = show_pattern(desktop, (1000, 250, 300, 150))
    checkered_root(desktop)
    screen = desktop.screen_image()

    equals_screen_but_the_uncovered_strip(capture_and_save(desktop, grabwell, folder, "Image1", first), screen)

    rectangle = capture_and_save(desktop, grabwell, folder, "Image2", first, "alt+r", ((700, 150), (900, 260)))
    assert same(rectangle, screen.crop((700, 150, 900, 260)))

    window = capture_and_save(desktop, grabwell, folder, "Image3", second, "alt+w")
    assert same(window, screen.crop(second["rect"]))

    # The right-hand monitor becomes the primary: the other one is now at
    # (-800, 0)-(0, 600) and the uncovered strip at (0, 500)-(700, 600).
    desktop.set_primary_monitor(1)
    for old in folder.glob("Image*.bmp"):
        old.unlink()  # the new run numbers its pictures from 1 again
    grabwell = start_grabwell(desktop, exe, What_To_Cap=3, Action=0)
    _, left = show_pattern(desktop, (-600, 100, 300, 200))
    checkered_root(desktop)  # Wine's restart cleared it
    screen = desktop.screen_image()
    rectangle = capture_and_save(desktop, grabwell, folder, "Image1", left, select=((-550, 150), (-350, 250)))
    assert same(rectangle, screen.crop((250, 150, 450, 250)))
    equals_screen_but_the_uncovered_strip(capture_and_save(desktop, grabwell, folder, "Image2", left, "alt+s"),
                                          screen)
