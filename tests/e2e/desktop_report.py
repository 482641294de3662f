"""Questions a test asks about what the window probe saw on the desktop."""

from __future__ import annotations

from dataclasses import dataclass


@dataclass(frozen=True)
class MessageBox:
    caption: str
    texts: list[str]
    buttons: dict[str, list[int]]  # caption -> screen rectangle
    pid: int


def _has_area(rect: list[int]) -> bool:
    left, top, right, bottom = rect
    return right > left and bottom > top


def centre(rect: list[int]) -> tuple[int, int]:
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


class DesktopReport:
    def __init__(self, data: dict):
        self.windows: list[dict] = data.get("windows", [])
        self.menus: list[dict] = data.get("menus", [])
        self.tooltips: list[dict] = data.get("tooltips", [])

    # ----- the shell's own windows ------------------------------------------

    def task_bar(self) -> dict | None:
        # Wine shows it only while it has something to show, so it may be hidden.
        return next((w for w in self.windows if w["class"] == "Shell_TrayWnd"), None)

    def shell_pid(self) -> int | None:
        bar = self.task_bar()
        return bar["pid"] if bar else None

    def task_bar_buttons(self) -> list[dict]:
        """Visible buttons of the task bar that stand for windows, that is
        every visible button but the start button at its left end."""
        bar = self.task_bar()
        if not bar:
            return []
        buttons = [c for c in bar["children"] if c["class"] == "Button" and c["visible"]]
        return [b for b in buttons if b["rect"][0] > bar["rect"][0]]

    def tray_icons(self) -> list[dict]:
        """Icons of the notification area: the tools of the shell's tool tips,
        each with the icon's tip text and screen rectangle. The shell keeps
        the tool of an icon it has taken away, with an empty rectangle."""
        shell = self.shell_pid()
        icons = []
        for tip in self.tooltips:
            if tip["window"]["pid"] == shell and tip["tools"]:
                icons.extend(tool for tool in tip["tools"] if _has_area(tool["rect"]))
        return icons

    def tray_icon(self, tip: str) -> dict | None:
        return next((icon for icon in self.tray_icons() if icon["text"] == tip), None)

    def visible_tooltip_texts(self) -> list[str]:
        return [t["window"]["text"] for t in self.tooltips if t["window"]["visible"]]

    # ----- programs' windows ------------------------------------------------

    def top_level(self, class_name: str | None = None, text: str | None = None,
                  pid: int | None = None, visible: bool | None = None) -> list[dict]:
        return [w for w in self.windows
                if (class_name is None or w["class"] == class_name)
                and (text is None or w["text"] == text)
                and (pid is None or w["pid"] == pid)
                and (visible is None or w["visible"] == visible)]

    def visible_windows_outside_shell(self) -> list[dict]:
        shell = self.shell_pid()
        return [w for w in self.windows if w["visible"] and w["pid"] != shell]

    def pid_of_window(self, text: str) -> int | None:
        """The process of the top-level window with this caption that is not
        the shell's, visible or not."""
        shell = self.shell_pid()
        found = [w["pid"] for w in self.windows if w["text"] == text and w["pid"] != shell]
        return found[0] if found else None

    def message_boxes(self) -> list[MessageBox]:
        boxes = []
        for window in self.top_level("#32770", visible=True):
            children = [c for c in window["children"] if c["visible"]]
            boxes.append(MessageBox(
                caption=window["text"],
                texts=[c["text"] for c in children if c["class"] == "Static" and c["text"]],
                buttons={c["text"]: c["rect"] for c in children if c["class"] == "Button"},
                pid=window["pid"]))
        return boxes

    def dialog(self, caption: str) -> dict | None:
        return next((w for w in self.top_level(text=caption, visible=True)), None)

    # ----- menus ------------------------------------------------------------

    def shown_menu(self) -> list[dict] | None:
        """The items of the one popup menu being shown, if its items could be read."""
        menus = [m for m in self.menus if m["items"]]
        return menus[0]["items"] if menus else None


def find_control(window: dict, class_name: str, text: str, visible_only: bool = False) -> dict | None:
    """A descendant control of a window by class and caption; with
    visible_only, only among shown controls inside shown parents."""
    for child in window.get("children", []):
        if visible_only and not child["visible"]:
            continue
        if child["class"] == class_name and child["text"] == text:
            return child
        found = find_control(child, class_name, text, visible_only)
        if found:
            return found
    return None


def menu_outline(items: list[dict]) -> list:
    """A menu as captions in order, "-" for a separator and a nested list
    after an item that opens a submenu."""
    outline: list = []
    for item in items:
        outline.append("-" if item["separator"] else item["caption"])
        if item["submenu"] is not None:
            outline.append(menu_outline(item["submenu"]))
    return outline
