"""A second start while the program runs is refused and changes nothing."""

from __future__ import annotations

import os

from desktop_report import centre
from grabwell import TIP
from wine_desktop import wait_until

ALREADY_RUNNING = "Grabwell is already running."
LONG_AGO = (1_000_000_000, 1_000_000_000)  # 2001: any write moves the time on


def test_second_start_is_refused(desktop, start_grabwell, returning_user):
    first = start_grabwell("first.log")
    first.wait_for_tray_icon()
    os.utime(returning_user, LONG_AGO)
    bytes_before = returning_user.read_bytes()
    mtime_before = returning_user.stat().st_mtime_ns

    second = start_grabwell("second.log")
    boxes = wait_until(lambda: desktop.report("windows").message_boxes(), 30,
                       what="the already-running message box")
    assert len(boxes) == 1
    box = boxes[0]
    assert (box.caption, box.texts, list(box.buttons)) == ("", [ALREADY_RUNNING], ["OK"])

    report = desktop.report("windows", "tooltips")
    assert [icon["text"] for icon in report.tray_icons()] == [TIP]

    desktop.click(*centre(box.buttons["OK"]))
    second.wait_for_exit(20)

    assert first.running()
    report = desktop.report("windows", "tooltips")
    assert report.message_boxes() == []
    assert [icon["text"] for icon in report.tray_icons()] == [TIP]
    assert returning_user.read_bytes() == bytes_before
    assert returning_user.stat().st_mtime_ns == mtime_before
