"""Saving through the system's save dialog, as a user does."""

from __future__ import annotations

from pathlib import Path

from desktop_report import find_control
from wine_desktop import wait_until


def wait_for_file(path: Path, timeout: float = 20) -> Path:
    """Waits until the file exists and its size has stopped changing: the
    writers write a large image in several calls, so a file that merely
    exists may still be half written."""
    sizes = []

    def written():
        sizes.append(path.stat().st_size if path.exists() else 0)
        return sizes[-1] > 0 and len(sizes) >= 2 and sizes[-1] == sizes[-2] and path

    return wait_until(written, timeout, interval=0.5, what=str(path))


def wine_path(path: Path) -> str:
    return "Z:" + str(path).replace("/", "\\")


def save_through_dialog(grabwell, caption: str, proposed: str, target: str) -> None:
    """Checks the name the save dialog proposes, then saves under the full
    path `target` (the dialog may start in the folder it was last in)."""
    dialog = grabwell.wait_for_dialog(caption)
    assert find_control(dialog, "Edit", proposed), f"{caption} does not propose {proposed}"
    grabwell.enter_file_name(target)
