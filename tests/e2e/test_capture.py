"""The capture road as a user takes it: the hot key brings up the capture
face, Enter captures, Enter runs the action; files are checked against the
screen as the X server shows it, decoded by Pillow."""

from __future__ import annotations

import subprocess
import time
from io import BytesIO

import pytest
from PIL import Image, ImageChops, ImageStat

from desktop_report import centre, find_control
from saving import save_through_dialog, wait_for_file, wine_path
from grabwell import visible_control
from wine_desktop import wait_until

# The task bar at the bottom may change while the main window comes and goes.
ABOVE_TASK_BAR = (0, 0, 1024, 730)
CAPTURE_RADIOS = ["Capture &Screen", "Capture &Window", "Capture Wi&ndow Client Area",
                  "Capture &Rectangular Area", "Capture S&haped Area"]
ACTION_RADIOS = ["Save As &Bitmap", "Save As &GIF", "Save As &JPEG", "Copy &To Clipboard", "E-&Mail Image",
                 "Print Using Pi&xel Size", "Print "]


def same_pixels(a: Image.Image, b: Image.Image, box=ABOVE_TASK_BAR) -> bool:
    return ImageChops.difference(a.crop(box), b.crop(box)).getbbox() is None


WS_HSCROLL, WS_VSCROLL = 0x00100000, 0x00200000


def scroll_bars_of_the_view(grabwell) -> tuple[bool, bool]:
    """Opens "View Image" with the View button; returns whether it shows a
    horizontal and a vertical scroll bar, then closes it with E&xit."""
    desktop = grabwell.desktop
    desktop.click(*centre(visible_control(grabwell.main_window(), "Button", "&View")["rect"]))
    view = grabwell.wait_for_dialog("View Image")
    assert view["rect"][2] - view["rect"][0] == 541 and view["rect"][3] - view["rect"][1] == 405
    style = find_control(view, "TImageScrollBox", "")["style"]
    desktop.click(*centre(find_control(view, "Button", "E&xit")["rect"]))
    wait_until(lambda: not desktop.report("windows").dialog("View Image"), 10, what="the view to close")
    return bool(style & WS_HSCROLL), bool(style & WS_VSCROLL)


def test_hot_key_capture_and_save_as_bitmap(desktop, grabwell_with, pattern_window, folder):
    grabwell = grabwell_with(What_To_Cap=0, Action=0)
    screen = desktop.screen_image()

    desktop.key("F11")
    window = grabwell.wait_for_face("&Capture")
    left, top, _, _ = window["rect"]
    assert (left, top) == (362, 138)
    radios = {caption: visible_control(window, "Button", caption) for caption in CAPTURE_RADIOS}
    assert all(radios.values()), radios
    assert radios["Capture &Screen"]["checked"] == 1
    assert not find_control(window, "ComboBox", "")["enabled"]
    assert visible_control(window, "Button", "C&onfigure")["enabled"]

    desktop.key("Return")
    window = grabwell.wait_for_face("&Save")
    assert visible_control(window, "Button", "Save As &Bitmap")["checked"] == 1
    assert visible_control(window, "Button", "&Abort")

    desktop.key("Return")
    save_through_dialog(grabwell, "Save As Bitmap", "Image1", wine_path(folder / "Image1.bmp"))
    saved = wait_for_file(folder / "Image1.bmp")
    grabwell.wait_for_done()
    with Image.open(saved) as image:
        assert image.size == (1024, 768)
        # Nothing of the main window: the picture is the screen as it was.
        assert same_pixels(image.convert("RGB"), screen)

    desktop.key("Return")  # "&Done" has the focus
    grabwell.wait_for_hidden()
    grabwell.terminate()


def cube(value: int) -> int:
    return ((value + 3) * 1286 >> 16) * 51


def test_gif_then_jpeg_and_bitmap_from_the_thumbnail_menu(desktop, grabwell_with, pattern_window, folder):
    grabwell = grabwell_with(Action=1)
    screen = desktop.screen_image()
    window = grabwell.capture("&Save")
    assert visible_control(window, "Button", "Save As &GIF")["checked"] == 1
    desktop.key("Return")
    save_through_dialog(grabwell, "Save As GIF", "Image1", wine_path(folder / "Image1.gif"))
    gif = wait_for_file(folder / "Image1.gif")
    with Image.open(gif) as image:
        assert image.format == "GIF" and image.info.get("version") == b"GIF87a"
        assert list(image.convert("RGB").getdata()) == [tuple(cube(c) for c in p) for p in screen.getdata()]

    thumb = find_control(grabwell.main_window(), "GrabwellImage", "")
    for item, caption, proposed, typed, name in (
            ("Save As &JPEG", "Save As JPEG", "Image2", "Image2.jpg", "Image2.jpg.JPG"),
            ("Save As &Bitmap", "Save As Bitmap", "Image3", "Image3.bmp", "Image3.bmp")):
        desktop.click(*centre(thumb["rect"]), button=3)
        items = wait_until(lambda: desktop.report("menus").shown_menu(), 10, what="the thumbnail menu")
        grabwell.choose(items, item)
        save_through_dialog(grabwell, caption, proposed, wine_path(folder / typed))
        wait_for_file(folder / name)
    with Image.open(folder / "Image2.jpg.JPG") as image:
        assert image.format == "JPEG" and image.size == (1024, 768)
        # Quality 100 keeps flat areas exact; the pattern's sharp colour
        # edges lose a little to the halved colour resolution.
        difference = ImageChops.difference(image.convert("RGB"), screen).crop(ABOVE_TASK_BAR)
        assert max(ImageStat.Stat(difference).mean) < 2
    # After the GIF the current image is a 24-bit picture of the same pixels.
    with Image.open(folder / "Image3.bmp") as image:
        assert image.info.get("compression", 0) == 0 and image.mode == "RGB"
        assert same_pixels(image.convert("RGB"), screen)

    # Image2.jpg is new to the dialog, but the file written would replace
    # Image2.jpg.JPG: the program asks, and No keeps it.
    before = (folder / "Image2.jpg.JPG").read_bytes()
    desktop.click(*centre(thumb["rect"]), button=3)
    grabwell.choose(wait_until(lambda: desktop.report("menus").shown_menu(), 10, what="the thumbnail menu"),
                    "Save As &JPEG")
    save_through_dialog(grabwell, "Save As JPEG", "Image4", wine_path(folder / "Image2.jpg"))
    box = grabwell.wait_for_message_box("Save As JPEG")
    assert box.texts == ["Image2.jpg.JPG already exists.\nDo you want to replace it?"]
    desktop.key("n")
    wait_until(lambda: not desktop.report("windows").message_boxes(), 10, what="the question to close")
    assert (folder / "Image2.jpg.JPG").read_bytes() == before and not (folder / "Image2.jpg").exists()

    # Entering the scale box chooses the scaled print, and the button says so.
    combo = find_control(grabwell.main_window(), "ComboBox", "Full page")
    desktop.click(combo["rect"][0] + 20, (combo["rect"][1] + combo["rect"][3]) // 2)
    grabwell.wait_for_face("&Print")

    # The next capture lands in the memory that the GIF save turned into 24
    # bits, and is the screen again.
    desktop.click(*centre(visible_control(grabwell.main_window(), "Button", "&Done")["rect"]))
    grabwell.wait_for_hidden()
    grabwell.capture("&Save")
    desktop.key("Return")
    save_through_dialog(grabwell, "Save As GIF", "Image4", wine_path(folder / "Image4.gif"))
    with Image.open(wait_for_file(folder / "Image4.gif")) as image:
        assert list(image.convert("RGB").crop(ABOVE_TASK_BAR).getdata()) == \
            [tuple(cube(c) for c in p) for p in screen.crop(ABOVE_TASK_BAR).getdata()]
    grabwell.terminate()


def test_window_and_client_area_captures(desktop, grabwell_with, pattern_window, folder):
    grabwell = grabwell_with(What_To_Cap=1)
    screen = desktop.screen_image()
    left, top, right, bottom = pattern_window["rect"]

    grabwell.capture("&Save")
    desktop.key("Return")
    save_through_dialog(grabwell, "Save As Bitmap", "Image1", wine_path(folder / "Image1.bmp"))
    with Image.open(wait_for_file(folder / "Image1.bmp")) as image:
        assert image.size == (right - left, bottom - top)
        assert same_pixels(image.convert("RGB"), screen.crop((left, top, right, bottom)), (0, 0, *image.size))
    desktop.key("Return")
    grabwell.wait_for_hidden()

    desktop.key("F11")
    grabwell.wait_for_face("&Capture")
    desktop.key("alt+n")  # "Capture Wi&ndow Client Area"
    desktop.key("alt+c")  # "&Capture"
    grabwell.wait_for_face("&Save")
    desktop.key("Return")
    save_through_dialog(grabwell, "Save As Bitmap", "Image2", wine_path(folder / "Image2.bmp"))
    with Image.open(wait_for_file(folder / "Image2.bmp")) as image:
        assert image.size == (300, 200)
        x, y = right - 300 - (right - left - 300) // 2, bottom - 200 - (right - left - 300) // 2
        assert same_pixels(image.convert("RGB"), screen.crop((x, y, x + 300, y + 200)), (0, 0, 300, 200))
    grabwell.terminate()


def test_a_second_hot_key_warns(desktop, grabwell_with):
    grabwell = grabwell_with()
    desktop.key("F11")
    grabwell.wait_for_face("&Capture")
    desktop.key("F11")
    box = grabwell.wait_for_message_box("Warning")
    assert box.texts == ["A capture is already in progress.  You must either abort or complete the current "
                         "capture first."]
    desktop.click(*centre(box.buttons["OK"]))
    wait_until(lambda: not desktop.report("windows").message_boxes(), 10, what="the warning to close")
    desktop.key("alt+a")  # "&Abort"
    grabwell.wait_for_hidden()
    desktop.key("F11")  # after Abort the hot key works again
    grabwell.wait_for_face("&Capture")
    grabwell.terminate()


def test_copy_puts_the_picture_on_the_clipboard(desktop, grabwell_with, pattern_window):
    grabwell = grabwell_with(Action=5)
    screen = desktop.screen_image()
    window = grabwell.capture("Co&py")
    assert visible_control(window, "Button", "Copy &To Clipboard")["checked"] == 1
    desktop.key("Return")
    grabwell.wait_for_done()

    def pasted():
        result = subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/bmp", "-o"],
                                env=desktop.env, capture_output=True, timeout=20, check=False)
        return result.stdout if result.returncode == 0 and result.stdout[:2] == b"BM" else None
    data = wait_until(pasted, 20, what="a bitmap on the clipboard")
    with Image.open(BytesIO(data)) as image:
        assert image.size == (1024, 768)
        assert same_pixels(image.convert("RGB"), screen)
    # The whole screen is larger than the view window.
    assert scroll_bars_of_the_view(grabwell) == (True, True)
    grabwell.terminate()


def open_image(grabwell, path: str) -> None:
    grabwell.choose(grabwell.open_tray_menu(), "&Open Image")
    grabwell.wait_for_dialog("Open Graphic File")
    grabwell.enter_file_name(path)


def thumbnail_colour(desktop, grabwell) -> tuple[int, int, int]:
    thumb = find_control(grabwell.main_window(), "GrabwellImage", "")
    left, top, _, _ = thumb["rect"]
    return desktop.screen_image().getpixel((left + 5, top + 5))


def test_open_image_shows_the_print_face_and_refuses_bad_files(desktop, grabwell_with, session_dir):
    pictures = session_dir / "pictures"
    pictures.mkdir(exist_ok=True)
    Image.new("RGB", (64, 48), (200, 30, 40)).save(pictures / "red.BMP")
    Image.new("RGB", (64, 48), (20, 40, 220)).save(pictures / "blue.jpg", quality=95)
    (pictures / "broken.bmp").write_bytes(b"BM" + b"\x00" * 40)
    (pictures / "photo.JPEG").write_bytes((pictures / "blue.jpg").read_bytes())
    base = wine_path(pictures) + "\\"
    grabwell = grabwell_with()

    open_image(grabwell, base + "red.BMP")
    window = grabwell.wait_for_face("&Print")
    assert visible_control(window, "Button", "Print ")["checked"] == 1
    assert thumbnail_colour(desktop, grabwell) == (200, 30, 40)
    assert scroll_bars_of_the_view(grabwell) == (False, False)

    open_image(grabwell, base + "blue.jpg")
    wait_until(lambda: max(abs(a - b) for a, b in zip(thumbnail_colour(desktop, grabwell), (20, 40, 220))) < 8,
               10, what="the thumbnail of the JPEG file")

    open_image(grabwell, base + "photo.JPEG")
    box = grabwell.wait_for_message_box("Error")
    assert box.texts == ["Unknown file type selected."]
    desktop.click(*centre(box.buttons["OK"]))

    open_image(grabwell, base + "broken.bmp")
    box = grabwell.wait_for_message_box("Grabwell 2000")
    assert box.texts and box.texts[0]
    desktop.click(*centre(box.buttons["OK"]))
    time.sleep(0.5)
    # The current image is still the JPEG picture.
    assert max(abs(a - b) for a, b in zip(thumbnail_colour(desktop, grabwell), (20, 40, 220))) < 8
    grabwell.terminate()


@pytest.fixture
def locked_folder(session_dir):
    """A folder in which nobody, root included, can create a file."""
    locked = session_dir / "locked"
    locked.mkdir(exist_ok=True)
    if subprocess.run(["chattr", "+i", str(locked)], capture_output=True, check=False).returncode != 0:
        pytest.skip("this file system cannot make a folder immutable")
    yield locked
    subprocess.run(["chattr", "-i", str(locked)], check=False)


def test_a_failed_save_is_reported_and_changes_nothing(desktop, grabwell_with, folder, locked_folder):
    grabwell = grabwell_with()
    grabwell.capture("&Save")
    desktop.key("Return")
    target = wine_path(locked_folder / "shot.bmp")
    save_through_dialog(grabwell, "Save As Bitmap", "Image1", target)
    box = grabwell.wait_for_message_box("Grabwell 2000")
    assert box.texts == [f"Cannot create file {target}"]
    desktop.click(*centre(box.buttons["OK"]))
    # Still usable, and the number was not used up.
    window = grabwell.wait_for_face("&Save")
    desktop.click(*centre(visible_control(window, "Button", "&Save")["rect"]))
    save_through_dialog(grabwell, "Save As Bitmap", "Image1", wine_path(folder / "Image1.bmp"))
    wait_for_file(folder / "Image1.bmp")
    grabwell.terminate()


def test_the_about_box_opens_once(desktop, grabwell_with):
    grabwell = grabwell_with()
    grabwell.choose(grabwell.open_tray_menu(), "&About")
    about = grabwell.wait_for_dialog("About Grabwell 2000")
    assert find_control(about, "Static", "Grabwell 2000 v 1.1")
    grabwell.choose(grabwell.open_tray_menu(), "&About")
    time.sleep(1)
    assert len(desktop.report("windows").top_level(text="About Grabwell 2000", visible=True)) == 1
    desktop.click(*centre(find_control(about, "Button", "OK")["rect"]))
    wait_until(lambda: not desktop.report("windows").dialog("About Grabwell 2000"), 10, what="the About box to close")
    grabwell.terminate()


@pytest.fixture
def screen_at_144_dpi(desktop):
    """The session's desktop at 144 DPI (150 %) for one test."""
    desktop.set_dpi(144)
    try:
        yield desktop
    finally:
        desktop.set_dpi(96)


def cut_off(screen: Image.Image, radio: dict) -> bool:
    """Whether a radio button's text runs into its right edge: a text that
    fits leaves its last columns in the button face."""
    left, top, right, bottom = radio["rect"]
    face = screen.getpixel((left, top))
    return any(screen.getpixel((x, y)) != face for x in (right - 2, right - 1) for y in range(top, bottom))


def test_at_144_dpi_the_window_is_half_as_large_again_and_the_capture_is_not(screen_at_144_dpi, grabwell_with,
                                                                           pattern_window, folder):
    desktop = screen_at_144_dpi
    grabwell = grabwell_with(What_To_Cap=0, Action=0)
    screen = desktop.screen_image()

    for key, doit_caption, radios in (("F11", "&Capture", CAPTURE_RADIOS), ("Return", "&Save", ACTION_RADIOS)):
        desktop.key(key)
        window = grabwell.wait_for_face(doit_caption)
        left, top, right, bottom = window["client"]
        assert (right - left, bottom - top) == (720, 233)  # 480 x 155 at 96 DPI; halves round up
        shown = desktop.screen_image()
        for caption in radios:
            radio = visible_control(window, "Button", caption)
            assert radio and not cut_off(shown, radio), caption

    desktop.key("Return")
    save_through_dialog(grabwell, "Save As Bitmap", "Image1", wine_path(folder / "Image1.bmp"))
    with Image.open(wait_for_file(folder / "Image1.bmp")) as image:
        # The screen's own pixels, not a scaled copy.
        assert image.size == (1024, 768)
        assert same_pixels(image.convert("RGB"), screen)
    grabwell.terminate()
