"""Fixtures of the end-to-end tests: one Xvfb display, one fresh Wine prefix,
one virtual desktop and one CUPS printer per session; before each test a
clean settings file and afterwards no copy of the program left running, even
when a test fails."""

from __future__ import annotations

import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).parent))

from cups_printer import CupsPrinter  # noqa: E402
from grabwell import Grabwell  # noqa: E402
from settings_file import remove_settings, settings_path, write_returning_user  # noqa: E402
from wine_desktop import WineDesktop, copy_program, wait_until  # noqa: E402

REPO = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("GRABWELL_WIN64_BUILD", REPO / "build" / "win64"))
FAILURE_SHOTS = REPO / "build" / "e2e-failures"


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    setattr(item, f"report_{report.when}", report)


def desktop_of_its_own(request, root: Path, name: str, **options):
    """A desktop for one test (another screen depth, two monitors), with the
    screenshot of a failure; a fixture yields from it."""
    desktop = WineDesktop(root, BUILD / "tests" / "probe" / "probe.exe", name=name, **options)
    try:
        desktop.start()
        yield desktop
        screenshot_if_failed(request, desktop)
    finally:
        desktop.close()


def screenshot_if_failed(request, desktop) -> None:
    """Keeps a screenshot of the desktop of a test that failed."""
    report = getattr(request.node, "report_call", None)
    if report is not None and report.failed:
        FAILURE_SHOTS.mkdir(parents=True, exist_ok=True)
        shot = FAILURE_SHOTS / (re.sub(r"[^\w.-]", "_", request.node.name) + ".png")
        desktop.screenshot(shot)
        print(f"screenshot of the failed test's desktop: {shot}")


@pytest.fixture(scope="session")
def session_dir():
    with tempfile.TemporaryDirectory(prefix="grabwell-e2e-") as path:
        yield Path(path)


@pytest.fixture(scope="session")
def printer():
    """A CUPS server of the session with a cups-pdf queue as the default
    printer; every Wine program of the session prints to it."""
    cups = CupsPrinter()
    try:
        cups.start()
        yield cups
    finally:
        cups.stop()


@pytest.fixture(scope="session")
def desktop(session_dir, printer):
    probe = BUILD / "tests" / "probe" / "probe.exe"
    if not probe.exists():
        pytest.fail(f"{probe} is missing; build the win64 preset first (make win64)")
    wine_desktop = WineDesktop(session_dir, probe, extra_env=printer.env)
    try:
        wine_desktop.start()
        yield wine_desktop
    finally:
        wine_desktop.close()


@pytest.fixture(scope="session")
def program(desktop, session_dir):
    """GRBWEL.EXE with KVEXHK.DLL beside it, in a folder of the session."""
    return copy_program(BUILD, session_dir / "Grabwell")


@pytest.fixture
def windows_dir(desktop):
    """The Windows directory, without a settings file when the test starts."""
    remove_settings(desktop.windows_dir)
    return desktop.windows_dir


@pytest.fixture
def settings_file(windows_dir):
    return settings_path(windows_dir)


@pytest.fixture
def start_grabwell(request, desktop, program, windows_dir):
    """Starts copies of the program; if one still runs at the end of the
    test, Wine is restarted, which ends it and clears its tray icon."""
    started: list[Grabwell] = []

    def start(log_name: str = "grabwell.log") -> Grabwell:
        copy = Grabwell(desktop, program, log_name)
        started.append(copy)
        return copy

    yield start

    screenshot_if_failed(request, desktop)
    if any(copy.running() for copy in started):
        desktop.restart_wine()


@pytest.fixture
def returning_user(windows_dir, settings_file):
    """A settings file of a user who has run the program before, so that no
    configuration dialog opens at start."""
    write_returning_user(windows_dir)
    return settings_file


PATTERN_PLACE = (100, 120, 300, 200)  # x, y, client width, client height


def show_pattern(desktop, place=PATTERN_PLACE) -> tuple[subprocess.Popen, dict]:
    """Starts the test-pattern window with its top-left at (x, y) of
    `place`; returns its process and, once it shows, its window."""
    process = desktop.start_program(BUILD / "tests" / "pattern" / "pattern_window.exe", "pattern.log",
                                    *(str(v) for v in place))

    def shown():
        return next((w for w in desktop.report("windows").top_level(text="Grabwell Test Pattern", visible=True)
                     if w["rect"][:2] == list(place[:2])), None)
    return process, wait_until(shown, 30, what="the test-pattern window")


@pytest.fixture
def pattern_window(desktop):
    """The test-pattern window, started before the program and in front."""
    process, window = show_pattern(desktop)
    yield window
    if process.poll() is None:
        process.kill()
        process.wait(timeout=10)


@pytest.fixture
def user_settings(windows_dir):
    """Writes the settings file of a returning user with the given Misc keys
    and, if given, EMail keys."""
    def write(email: dict | None = None, **misc: int) -> None:
        write_returning_user(windows_dir, email, **misc)
    return write


@pytest.fixture
def folder(program):
    """The program's folder, where the pictures are saved, without earlier ones."""
    for old in program.parent.glob("Image*"):
        old.unlink()
    return program.parent


@pytest.fixture
def grabwell_with(user_settings, start_grabwell):
    """Starts the program for a returning user with the given Misc (and
    EMail) keys and waits for its tray icon."""
    def start(email: dict | None = None, **misc: int):
        user_settings(email, **misc)
        grabwell = start_grabwell()
        grabwell.wait_for_tray_icon()
        return grabwell
    return start
