"""The program at rest: hidden, reachable only through its tray icon."""

from __future__ import annotations

import time


from desktop_report import centre, menu_outline
from grabwell import MAIN_WINDOW_CAPTION, TIP
from wine_desktop import wait_until

TRAY_MENU = [
    "Capt&ure Image",
    "&Open Image",
    "&Configure",
    "Too&ls",
    ["&Restore Keyboard and Mouse Hooks"],
    "&Help",
    "&About",
    "-",
    "Grab&well Web Site",
    "&Update Grabwell",
    "-",
    "&Terminate Grabwell",
]


def test_start_shows_only_the_tray_icon(desktop, start_grabwell, returning_user):
    grabwell = start_grabwell()
    report = grabwell.wait_for_tray_icon()
    # Give a window that would open late a chance to show before looking.
    time.sleep(1.5)
    report = desktop.report("windows", "tooltips")

    program_pid = report.pid_of_window(MAIN_WINDOW_CAPTION)
    assert program_pid is not None, "the hidden main window \"Grabwell 2000\" does not exist"
    assert report.top_level(pid=program_pid, visible=True) == []
    assert report.visible_windows_outside_shell() == []
    assert report.task_bar_buttons() == []
    assert [icon["text"] for icon in report.tray_icons()] == [TIP]


def test_tool_tip_names_the_program(desktop, start_grabwell, returning_user):
    grabwell = start_grabwell()
    x, y = centre(grabwell.tray_icon_rect())
    desktop.move_mouse(x - 3, y - 3)
    time.sleep(0.2)
    desktop.move_mouse(x, y)
    texts = wait_until(lambda: desktop.report("tooltips").visible_tooltip_texts(), 15,
                       what="a tool tip over the tray icon")
    assert texts == [TIP]


def test_right_click_opens_the_tray_menu(desktop, start_grabwell, returning_user):
    grabwell = start_grabwell()
    items = grabwell.open_tray_menu()
    assert menu_outline(items) == TRAY_MENU
    grabwell.close_menu()
    assert grabwell.running()


def test_every_tray_menu_item_can_be_chosen(desktop, start_grabwell, returning_user):
    items = start_grabwell().open_tray_menu()
    disabled = [item["caption"] for item in items if not item["separator"] and not item["enabled"]]
    assert disabled == []


def test_left_clicks_on_the_icon_do_nothing(desktop, start_grabwell, returning_user):
    grabwell = start_grabwell()
    x, y = centre(grabwell.tray_icon_rect())
    desktop.click(x, y, button=1)
    desktop.click(x, y, button=1, repeat=2)
    time.sleep(1.5)
    report = desktop.report()
    assert report.menus == []
    assert report.visible_windows_outside_shell() == []
    assert grabwell.running()
