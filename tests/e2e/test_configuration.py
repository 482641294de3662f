"""The configuration dialog as a user meets it: on the first run, from the
tray menu and from the main window, with the settings file read back."""

from __future__ import annotations

import time

from desktop_report import centre, find_control
from grabwell import visible_control
from settings_file import read_entries
from wine_desktop import wait_until


KINDS = ["Screen", "Window", "Client Window", "Rectangle", "Rounded Rectangle", "Square", "Rounded Square",
         "Ellipse", "Circle", "Triangle Up", "Triangle Down", "Triangle Left", "Triangle Right", "Diamond", "Star",
         "Polygon 1", "Polygon 2", "Polygon 3", "Polygon 4", "Polygon 5"]


def entry(settings_file, section, key):
    return next(value for s, k, value in read_entries(settings_file) if (s, k) == (section, key))


def wait_for_configuration(grabwell) -> dict:
    grabwell.wait_for_dialog("Configuration", 30)
    time.sleep(0.5)  # let it take the focus before typing into it
    return grabwell.desktop.report("windows").dialog("Configuration")


def press(desktop, dialog: dict, caption: str) -> None:
    desktop.click(*centre(visible_control(dialog, "Button", caption)["rect"]))


def wait_closed(desktop):
    wait_until(lambda: not desktop.report("windows").dialog("Configuration"), 15, what="the dialog to close")


def test_first_run_hot_key_port_check_and_new_hot_key(desktop, start_grabwell, settings_file):
    grabwell = start_grabwell()
    dialog = wait_for_configuration(grabwell)
    hot_key_field = visible_control(dialog, "Edit", "F11")
    assert hot_key_field, "the Hot Key page with F11 shown"

    desktop.click(*centre(hot_key_field["rect"]))
    desktop.key("ctrl+alt+k")
    wait_until(lambda: visible_control(desktop.report("windows").dialog("Configuration"), "Edit", "Ctrl+Alt+K"), 10,
               what="the pressed combination in the field")

    desktop.key("alt+e")  # the E-Mail page
    dialog = desktop.report("windows").dialog("Configuration")
    desktop.replace_text(visible_control(dialog, "Edit", "25"), "25x")
    press(desktop, dialog, "&Ok")
    box = grabwell.wait_for_message_box("Error")
    assert box.texts == ["Invalid port specified.  Normal port number for e-mail is 25."]
    desktop.key("Return")
    dialog = wait_until(lambda: visible_control(desktop.report("windows").dialog("Configuration") or {}, "Edit", "25x")
                        and desktop.report("windows").dialog("Configuration"), 10, what="the E-Mail page again")
    desktop.replace_text(visible_control(dialog, "Edit", "25x"), " 25 ")
    press(desktop, dialog, "&Ok")
    wait_closed(desktop)
    assert entry(settings_file, "Capture", "Capture Key") == "92"
    assert entry(settings_file, "EMail", "SMTP Port") == "25"

    # The new combination brings up the capture face at once; F11 no longer does.
    desktop.key("ctrl+alt+k")
    grabwell.wait_for_face("&Capture")
    desktop.key("alt+a")
    grabwell.wait_for_hidden()
    desktop.key("F11")
    time.sleep(2)
    assert grabwell.main_window() is None
    grabwell.terminate()


def test_capture_kind_shape_controls_and_cancel(desktop, grabwell_with, settings_file):
    grabwell = grabwell_with(Shape=9)
    grabwell.choose(grabwell.open_tray_menu(), "&Configure")
    dialog = wait_for_configuration(grabwell)
    combo = find_control(dialog, "ComboBox", "Screen", visible_only=True)
    assert combo, "the What Capture page with the configured kind"

    def choose_kind(name: str) -> dict:
        desktop.click(*centre(combo["rect"]))
        desktop.key("Escape", "Home", *["Down"] * KINDS.index(name))
        return wait_until(lambda: find_control(desktop.report("windows").dialog("Configuration"), "ComboBox", name,
                                               visible_only=True) and desktop.report("windows").dialog("Configuration"),
                          10, what=name)

    def colour_dialog(dialog: dict) -> dict:
        press(desktop, dialog, "&Set Shape Mask Color")
        return grabwell.wait_for_dialog("Color")

    def rgb_texts(colour: dict) -> list[str]:
        edits = [c["text"] for c in colour["children"] if c["class"] == "Edit"]
        return edits[:3]  # red, green, blue

    # Polygon 2's mask colour, edited in the system colour dialog, survives a
    # trip to the star and back, and reaches the file with "&Ok".
    dialog = choose_kind("Polygon 2")
    assert rgb_texts(colour_dialog(dialog)) == ["128", "0", "64"]
    press(desktop, desktop.report("windows").dialog("Color"), "&Define Custom Colors >>")
    colour = desktop.report("windows").dialog("Color")
    for label_text, value in (("&Red:", "10"), ("&Green:", "200"), ("&Blue:", "30")):
        fields = [c for c in colour["children"] if c["class"] == "Edit" and c["visible"]]
        field = fields[["&Red:", "&Green:", "&Blue:"].index(label_text)]
        desktop.replace_text(field, value)
    press(desktop, colour, "OK")
    wait_until(lambda: not desktop.report("windows").dialog("Color"), 10, what="the colour dialog to close")
    choose_kind("Star")
    dialog = choose_kind("Polygon 2")
    assert rgb_texts(colour_dialog(dialog)) == ["10", "200", "30"]
    press(desktop, desktop.report("windows").dialog("Color"), "Cancel")
    wait_until(lambda: not desktop.report("windows").dialog("Color"), 10, what="the colour dialog to close")

    # The square has no colour controls; the rectangle stores 3 and keeps "Shape".
    dialog = choose_kind("Square")
    assert not visible_control(dialog, "Button", "&Set Shape Mask Color")
    dialog = choose_kind("Rectangle")
    press(desktop, dialog, "&Ok")
    wait_closed(desktop)
    assert (entry(settings_file, "Misc", "What To Cap"), entry(settings_file, "Misc", "Shape")) == ("3", "9")
    assert entry(settings_file, "Capture", "Poly2 Color") == str(30 << 16 | 200 << 8 | 10)

    # From the main window's button; a star shows its vector groups; Cancel
    # leaves the file byte for byte.
    before = settings_file.read_bytes()
    desktop.key("F11")
    window = grabwell.wait_for_face("&Capture")
    press(desktop, window, "C&onfigure")
    dialog = wait_for_configuration(grabwell)
    dialog = choose_kind("Star")
    assert visible_control(dialog, "Button", "Vectors") and visible_control(dialog, "Button", "Vector Size")
    assert not visible_control(dialog, "Button", "Angle")
    press(desktop, dialog, "&Cancel")
    wait_closed(desktop)
    assert settings_file.read_bytes() == before
    grabwell.terminate()
