"""Printing on a real CUPS queue: print_driver (tests/win) prints a known
picture through the program's print commands with the print dialog's answer
preset; the cups-pdf printer turns the job into a PDF, whose pages are
rendered at the printer's resolution and searched for the picture."""

from __future__ import annotations

import time

import pytest

from conftest import BUILD
from cups_printer import remove_pdfs
from printed_page import page_count, render_pages

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
    started = time.time()
    before = printer.pdfs()

    def run(*args: str):
        result = desktop.run_program(print_driver, *args)
        assert result.returncode == 0, f"print_driver {' '.join(args)}: {result.stderr}"
        width, height, dpi = (int(v) for v in result.stdout.split()[1:4])
        pdfs = printer.wait_for_new_pdfs(before, 1)
        assert len(pdfs) == 1
        return (width, height, dpi), pdfs[0]

    yield run
    remove_pdfs(p for p in printer.pdfs() - before if p.stat().st_mtime >= started - 1)


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


def test_pixel_size_prints_one_page_per_copy_at_the_margin(printed):
    (width, height, dpi), pdf = printed("pixel", "3")
    assert page_count(pdf) == 3
    left, top = margins(width, height, landscape=False)
    for page in render_pages(pdf, dpi):
        # One picture pixel on one printer pixel: exact size and place.
        box = (left, top, left + PATTERN_SIZE[0], top + PATTERN_SIZE[1])
        assert page.ink_box() == box
        assert_pattern_in(page, box)


@pytest.mark.parametrize("text, orientation", [
    ("200%", "portrait"), (" 300% ", "portrait"), ("150%", "landscape"),
    ("Full page", "portrait"), ("Full page", "landscape"),
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


def test_zero_percent_prints_an_empty_page(printed):
    (_, _, dpi), pdf = printed("scaled", "0%", "portrait")
    [page] = render_pages(pdf, dpi)
    assert page.ink_box() is None


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
        remove_pdfs(printer.pdfs() - before)
