"""One copy of GRBWEL.EXE running in the test desktop, and what a user does
with it: find its tray icon, open the tray menu, pick an item."""

from __future__ import annotations

import subprocess
import time
from pathlib import Path

from desktop_report import DesktopReport, centre
from wine_desktop import WineDesktop, wait_until

TIP = "Grabwell 2000"
MAIN_WINDOW_CAPTION = "Grabwell 2000"


class Grabwell:
    def __init__(self, desktop: WineDesktop, exe: Path, log_name: str = "grabwell.log"):
        self.desktop = desktop
        self.process: subprocess.Popen = desktop.start_program(exe, log_name)

    def running(self) -> bool:
        return self.process.poll() is None

    def wait_for_exit(self, timeout: float = 20) -> int:
        return self.process.wait(timeout=timeout)

    def wait_for_tray_icon(self, timeout: float = 30) -> DesktopReport:
        """Waits until the icon is in the notification area; returns what the
        desktop looked like then."""
        def icon_shown():
            if not self.running():
                raise AssertionError(f"GRBWEL.EXE ended with exit code {self.process.returncode}")
            report = self.desktop.report("windows", "tooltips")
            return report if report.tray_icon(TIP) else None
        return wait_until(icon_shown, timeout, what="the Grabwell tray icon")

    def tray_icon_rect(self) -> list[int]:
        icon = self.wait_for_tray_icon().tray_icon(TIP)
        return icon["rect"]

    def open_tray_menu(self, timeout: float = 20) -> list[dict]:
        """Right-clicks the tray icon until its menu shows; returns the items."""
        x, y = centre(self.tray_icon_rect())
        deadline = time.monotonic() + timeout
        while True:
            self.desktop.click(x, y, button=3)
            try:
                return wait_until(lambda: self.desktop.report("menus").shown_menu(), 4,
                                  what="the tray menu")
            except TimeoutError:
                if time.monotonic() > deadline:
                    raise

    def choose(self, items: list[dict], caption: str) -> None:
        item = next((i for i in items if i["caption"] == caption), None)
        assert item is not None, f"no menu item {caption!r}"
        self.desktop.click(*centre(item["rect"]))

    def terminate(self, timeout: float = 20) -> int:
        """Ends the program from its tray menu, as a user does."""
        self.choose(self.open_tray_menu(), "&Terminate Grabwell")
        return self.wait_for_exit(timeout)

    def close_menu(self) -> None:
        """Dismisses a shown menu by clicking an empty part of the desktop."""
        self.desktop.click(300, 200)
        wait_until(lambda: not self.desktop.report("menus").menus, 10, what="the menu to close")
