"""One copy of GRBWEL.EXE running in the test desktop, and what a user does
with it: find its tray icon, open the tray menu, pick an item."""

from __future__ import annotations

import subprocess
import time
from pathlib import Path

from desktop_report import DesktopReport, centre, find_control
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

    # ----- the main window --------------------------------------------------

    def main_window(self, report: DesktopReport | None = None) -> dict | None:
        """The shown main window of this copy, with its controls."""
        report = report or self.desktop.report("windows")
        shown = [w for w in report.top_level(text=MAIN_WINDOW_CAPTION, visible=True)
                 if w["pid"] != report.shell_pid()]
        return shown[0] if shown else None

    def wait_for_face(self, doit_caption: str, timeout: float = 20) -> dict:
        """Waits until the main window shows with its action button reading
        doit_caption ("&Capture", "&Save", ...); returns the window."""
        def shown():
            window = self.main_window()
            return window if window and visible_control(window, "Button", doit_caption) else None
        window = wait_until(shown, timeout, what=f"the main window with {doit_caption!r}")
        self.desktop.rest_pointer_on(window)
        return window

    def capture(self, action_caption: str) -> dict:
        """The hot key, then Enter on the capture face; returns the main
        window once its action face reads action_caption."""
        self.desktop.key("F11")
        self.wait_for_face("&Capture")
        self.desktop.key("Return")
        return self.wait_for_face(action_caption)

    def wait_for_done(self, timeout: float = 10) -> None:
        def done():
            window = self.main_window()
            return window if window and visible_control(window, "Button", "&Done") else None
        self.desktop.rest_pointer_on(wait_until(done, timeout, what="&Done"))

    def wait_for_hidden(self, timeout: float = 20) -> None:
        wait_until(lambda: self.main_window() is None, timeout, what="the main window to hide")

    def wait_for_message_box(self, caption: str, timeout: float = 20):
        def shown():
            boxes = [b for b in self.desktop.report("windows").message_boxes() if b.caption == caption]
            return boxes[0] if boxes else None
        return wait_until(shown, timeout, what=f"a message box {caption!r}")

    def enter_file_name(self, name: str) -> None:
        """Replaces the focused file-name field of a file dialog and confirms it."""
        self.desktop.key("ctrl+a")
        self.desktop.type(name, delay_ms=20)
        self.desktop.key("Return")

    def wait_for_dialog(self, caption: str, timeout: float = 20) -> dict:
        dialog = wait_until(lambda: self.desktop.report("windows").dialog(caption), timeout,
                            what=f"the dialog {caption!r}")
        self.desktop.rest_pointer_on(dialog)
        return dialog


def visible_control(window: dict, class_name: str, text: str) -> dict | None:
    return find_control(window, class_name, text, visible_only=True)
