"""Printing on a real CUPS queue: the cups-pdf printer turns each job into a
PDF, whose pages are rendered at the printer's resolution and searched for
the picture. A user prints a capture from the print face through the real
print dialog; print_driver (tests/win) prints a known picture scaled, with
the dialog's answer preset, in both orientations."""

from __future__ import annotations

import time

import pytest

from conftest import BUILD
from cups_printer import remove_pdfs
from desktop_report import centre, find_control
from grabwell import visible_control
from printed_page import render_pages
from wine_desktop import wait_until

# The picture of tests/win/print_pattern.cpp: 60 x 40, blocks of 20 x 20.
PATTERN_SIZE = (60, 40)
PATTERN_ROWS = [[(255, 0, 0), (0, 255, 0), (0, 0, 255)], [(255, 255, 0), (255, 0, 255), (0, 255, 255)]]


@pytest.fixture(scope="session")
def print_driver(desktop):
    path = BUILD / "tests" / "win" / "print_driver.exe"
    if not path.exists():
        pytest.fail(f"{path} is missing; build the win64 preset first (make win64)")
    return path


@pytest.fixture
def printed(desktop, printer, print_driver):
    """Runs print_driver with the given arguments and returns the printer's
    page (width, height, dpi) and the PDF it made. Every PDF that appeared
    during the test is removed afterwards, and only those."""
    before = printer.pdfs()

    def run(*args: str):
        result = desktop.run_program(print_driver, *args)
        assert result.returncode == 0, f"print_driver {' '.join(args)}: {result.stderr}"
        width, height, dpi = (int(v) for v in result.stdout.split()[1:4])
        pdfs = printer.wait_for_new_pdfs(before, 1)
        assert len(pdfs) == 1
        return (width, height, dpi), pdfs[0]

    yield run
    remove_pdfs(printer.new_pdfs(before))


def margins(width, height, landscape):
    return (width // 22, height // 17) if landscape else (width // 17, height // 22)


def assert_pattern_in(page, box):
    """The picture fills `box` (left, top, right, bottom): its blocks' centres
    have their colours."""
    left, top, right, bottom = box
    for row, colours in enumerate(PATTERN_ROWS):
        for column, colour in enumerate(colours):
            x = left + (right - left) * (2 * column + 1) // 6
            y = top + (bottom - top) * (2 * row + 1) // 4
            assert all(abs(a - b) <= 8 for a, b in zip(page.at(x, y), colour)), (x, y, page.at(x, y), colour)


def assert_near(found, expected, slack):
    assert all(abs(a - b) <= slack for a, b in zip(found, expected)), f"{found} instead of {expected}"


# The rule itself is a native table; here the orientation and the scaling
# reach the real page.
@pytest.mark.parametrize("text, orientation", [
    (" 200% ", "portrait"), ("150%", "landscape"), ("Full page", "landscape"),
])
def test_scaled_print_places_the_picture_inside_the_margins(printed, text, orientation):
    (width, height, dpi), pdf = printed("scaled", text, orientation)
    left, top = margins(width, height, orientation == "landscape")
    if "%" in text:
        factor = int(text.strip().rstrip("%")) // 100
        box = (left, top, left + PATTERN_SIZE[0] * factor, top + PATTERN_SIZE[1] * factor)
    else:
        box = (left, top, width - left, height - top)
    [page] = render_pages(pdf, dpi)
    assert (page.width, page.height) == pytest.approx((width, height), abs=1)
    assert_near(page.ink_box(), box, 1)
    assert_pattern_in(page, box)


def test_request_during_our_own_document_is_refused(desktop, printer):
    """The Windows-side test of the busy printer needs a printer: it runs here."""
    before = printer.pdfs()
    test = BUILD / "tests" / "win" / "test_win_printing.exe"
    result = desktop.run_program(test, "--gtest_filter=PrintCommand.RequestWhileOurDocumentPrintsIsRefused")
    try:
        assert result.returncode == 0, result.stdout
        assert "[  PASSED  ] 1 test." in result.stdout and "SKIPPED" not in result.stdout, result.stdout
    finally:
        # The abandoned document must not reach the printer, but if it did,
        # it goes.
        remove_pdfs(printer.new_pdfs(before))


def test_the_print_face_prints_the_capture_through_the_print_dialog(desktop, grabwell_with, printer,
                                                                    pattern_window):
    grabwell = grabwell_with(Action=3)
    screen = desktop.screen_image()
    window = grabwell.capture("&Print")
    assert visible_control(window, "Button", "Print Using Pi&xel Size")["checked"] == 1
    before = printer.pdfs()
    desktop.key("Return")
    grabwell.wait_for_dialog("Print")
    desktop.key("alt+c")
    desktop.key("ctrl+a")
    desktop.key("3")
    desktop.key("Return")
    [pdf] = printer.wait_for_new_pdfs(before, 1)
    grabwell.wait_for_done()
    try:
        pages = render_pages(pdf, 300)
        assert len(pages) == 3
        left, top = margins(pages[0].width, pages[0].height, landscape=False)
        for page in pages:
            # One screen pixel on one printer pixel, at the margins (the
            # rendering may blend one more row and column at the far edges).
            assert_near(page.ink_box(), (left, top, left + 1024, top + 768), 1)
            for x, y in ((0, 0), (150, 200), (220, 180), (700, 500)):
                assert_near(page.at(left + x, top + y), screen.getpixel((x, y)), 8)
    finally:
        remove_pdfs([pdf])

    # Cancelling the dialog prints nothing.
    window = grabwell.main_window()
    desktop.click(*centre(visible_control(window, "Button", "&Print")["rect"]))
    grabwell.wait_for_dialog("Print")
    desktop.key("Escape")
    time.sleep(3)
    assert printer.new_pdfs(before) == []

    # Entering the scale box chooses the scaled print; a percentage that is
    # no number is reported by the error box and prints nothing.
    combo = find_control(grabwell.main_window(), "ComboBox", "Full page")
    desktop.click(combo["rect"][0] + 20, (combo["rect"][1] + combo["rect"][3]) // 2)
    wait_until(lambda: visible_control(grabwell.main_window(), "Button", "Print ")["checked"] == 1, 10,
               what="the scaled print to be chosen")
    desktop.key("End", "shift+Home")
    desktop.type("abc%")
    desktop.key("Return")
    grabwell.wait_for_dialog("Print")
    desktop.key("Return")
    box = grabwell.wait_for_message_box("Grabwell 2000")
    assert box.texts == ["'abc' is not a valid integer value"]
    desktop.key("Return")
    time.sleep(2)
    assert printer.new_pdfs(before) == []
    grabwell.terminate()
