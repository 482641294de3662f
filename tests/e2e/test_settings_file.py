"""What the program keeps in GRBWEL.INI: the whole file written at
terminate, and how damaged values come back from it."""

from __future__ import annotations

import shutil
import subprocess
import time

import pytest

from desktop_report import centre, find_control
from grabwell import TIP, Grabwell
from settings_file import DEFAULTS, SETTINGS, read_entries, remove_settings, settings_path
from smtp_server import munpack
from test_email import configured, open_dialog, send_and_wait, smtp_server  # noqa: F401 (a fixture)
from wine_desktop import wait_until


def sections_in_order(entries) -> dict[str, list[str]]:
    keys: dict[str, list[str]] = {}
    for section, key, _ in entries:
        keys.setdefault(section, []).append(key)
    return keys


def test_terminate_writes_every_key_with_its_default(desktop, start_grabwell, returning_user):
    grabwell = start_grabwell()
    grabwell.wait_for_tray_icon()
    assert grabwell.terminate() == 0
    assert desktop.report("tooltips").tray_icon(TIP) is None

    entries = read_entries(returning_user)
    expected = {**DEFAULTS, ("Misc", "First Time"): "No"}
    assert {(section, key): value for section, key, value in entries} == expected
    assert len(entries) == len(SETTINGS)
    # The file held only "First Time", which keeps its place; every key the
    # program adds follows in the order it writes them, new sections after
    # the existing one.
    written = sections_in_order(entries)
    wanted = sections_in_order(SETTINGS)
    assert list(written) == ["Misc", "EMail", "Capture"]
    assert written["Misc"] == ["First Time"] + [k for k in wanted["Misc"] if k != "First Time"]
    assert written["EMail"] == wanted["EMail"]
    assert written["Capture"] == wanted["Capture"]

    # The instance marker went with the first copy: a new start works.
    again = start_grabwell("second-run.log")
    again.wait_for_tray_icon()
    assert again.terminate() == 0


def test_first_run_opens_the_configuration_and_writes_the_file_in_order(
        desktop, start_grabwell, settings_file):
    grabwell = start_grabwell()
    # With no settings file this is a first run: the configuration dialog
    # opens at once. Cancelling it writes nothing.
    dialog = wait_until(lambda: desktop.report("windows").dialog("Configuration"), 30,
                        what="the configuration dialog of the first run")
    cancel = find_control(dialog, "Button", "&Cancel")
    assert cancel is not None, "the configuration dialog has no \"&Cancel\" button"
    desktop.click(*centre(cancel["rect"]))
    wait_until(lambda: not desktop.report("windows").dialog("Configuration"), 15,
               what="the configuration dialog to close")
    assert not settings_file.exists()

    assert grabwell.terminate() == 0
    entries = read_entries(settings_file)
    assert [(section, key) for section, key, _ in entries] == [(s, k) for s, k, _ in SETTINGS]
    expected = {**DEFAULTS, ("Misc", "First Time"): "No"}
    assert {(section, key): value for section, key, value in entries} == expected

    # The first run is over: the next start opens no dialog.
    again = start_grabwell("second-run.log")
    report = again.wait_for_tray_icon()
    assert report.dialog("Configuration") is None
    assert again.terminate() == 0


HOST_60 = "smtp." + "a" * 51 + ".org"
NAME_300 = "N" * 300

# (section, key, text in the file, value written back at terminate)
DAMAGED = [
    ("EMail", "SMTP Port", b"25x", "25"),
    ("Misc", "What To Cap", b"abc", "0"),
    ("Capture", "Star Vector Size", b"-5x", "5"),
    ("Capture", "Capture Key", b"0x1F", "31"),
    ("Capture", "Poly3 Vector", b"$10", "16"),
    ("Capture", "Poly1 Angle", b"-7", "-7"),
    # Only the first 14 characters of a number are converted.
    ("Capture", "Poly2 Angle", b"000000000000042", "4"),
    ("Capture", "Star Border Color", b"\x9c\xff\x80\x01", "0"),
    ("EMail", "SMTP Host", HOST_60.encode(), HOST_60[:50]),
    ("EMail", "EMail Name", NAME_300.encode(), NAME_300[:50]),
    ("EMail", "EMail Address", b"user@example.org", "user@example.org"),
    ("Capture", "Ellipse Use Border", b"yes", "Yes"),
    ("Capture", "Circle Use Border", b"1", "No"),
    ("Capture", "TriUp Use Border", b"True", "No"),
    ("Capture", "Diamond Use Border", b"YESYESYESYESYESYES", "No"),
    ("Misc", "First Time", b"No", "No"),
]

GARBAGE_LINE = bytes(range(0x80, 0x100)) + b"\x01\x02 no key here\r\n"
GARBAGE_TAIL = b"[\xff\xfe\x00junk]\r\n" + bytes((i * 37 + 11) % 256 for i in range(4000))


def damaged_file() -> bytes:
    out = b""
    for section in ("EMail", "Misc", "Capture"):
        out += b"[" + section.encode() + b"]\r\n" + GARBAGE_LINE
        for entry_section, key, text, _ in DAMAGED:
            if entry_section == section:
                out += key.encode() + b"=" + text + b"\r\n"
    return out + GARBAGE_TAIL


@pytest.fixture(scope="module")
def written_back(desktop, program):
    """Runs the program once over the damaged file and terminates it;
    returns its exit code and what it wrote."""
    remove_settings(desktop.windows_dir)
    path = settings_path(desktop.windows_dir)
    path.write_bytes(damaged_file())
    grabwell = Grabwell(desktop, program, "damaged.log")
    try:
        grabwell.wait_for_tray_icon()
        exit_code = grabwell.terminate()
    finally:
        if grabwell.running():
            desktop.restart_wine()
    known = [(s, k, v) for s, k, v in read_entries(path) if (s, k) in DEFAULTS]
    return exit_code, known


def test_damaged_file_is_survived_and_rewritten_whole(written_back):
    exit_code, entries = written_back
    assert exit_code == 0
    assert sorted((s, k) for s, k, _ in entries) == sorted(DEFAULTS)


@pytest.mark.parametrize("section,key,text,expected", DAMAGED, ids=[d[1] for d in DAMAGED])
def test_damaged_value_comes_back_as_read(written_back, section, key, text, expected):
    _, entries = written_back
    assert {(s, k): v for s, k, v in entries}[(section, key)] == expected


def test_untouched_keys_keep_their_defaults(written_back):
    _, entries = written_back
    damaged = {(s, k) for s, k, _, _ in DAMAGED}
    written = {(s, k): v for s, k, v in entries if (s, k) not in damaged}
    assert written == {k: v for k, v in DEFAULTS.items() if k not in damaged}


@pytest.fixture
def read_only():
    """Makes folders read-only as a standard user meets them (chattr +i, as
    root); each is made writable again after the test, whatever happens."""
    frozen = []

    def freeze(path):
        subprocess.run(["chattr", "+i", str(path)], check=True)
        frozen.append(path)
    yield freeze
    for path in frozen:
        subprocess.run(["chattr", "-i", str(path)], check=False)


def user_folder(desktop, *parts: str):
    """A folder of the Wine user's profile, e.g. AppData/Roaming."""
    found = [p for p in desktop.prefix.glob("drive_c/users/*/" + "/".join(parts)) if "Public" not in p.parts]
    assert found, f"the Wine user's {'/'.join(parts)}"
    return found[0]


def test_a_standard_user_keeps_settings_and_mails_from_a_read_only_program_folder(
        desktop, start_grabwell, windows_dir, program, read_only, smtp_server):
    own_folder = user_folder(desktop, "AppData", "Roaming") / "Grabwell 2000"
    image_folder = user_folder(desktop, "Temp") / "Grabwell 2000"
    shutil.rmtree(own_folder, ignore_errors=True)
    shutil.rmtree(image_folder, ignore_errors=True)
    windows_before = sorted(p.name for p in windows_dir.iterdir())
    read_only(windows_dir)

    # The first run: the configuration dialog, a new hot key, Ok, terminate.
    grabwell = start_grabwell()
    dialog = grabwell.wait_for_dialog("Configuration", 30)
    time.sleep(0.5)
    desktop.click(*centre(find_control(dialog, "Edit", "F11", visible_only=True)["rect"]))
    desktop.key("ctrl+alt+k")
    wait_until(lambda: find_control(desktop.report("windows").dialog("Configuration"), "Edit", "Ctrl+Alt+K"), 10,
               what="the pressed combination in the field")
    desktop.click(*centre(find_control(dialog, "Button", "&Ok", visible_only=True)["rect"]))
    wait_until(lambda: not desktop.report("windows").dialog("Configuration"), 15, what="the dialog to close")
    assert grabwell.terminate() == 0

    own_file = own_folder / "GRBWEL.INI"
    entries = read_entries(own_file)
    assert [(section, key) for section, key, _ in entries] == [(s, k) for s, k, _ in SETTINGS]
    assert {(s, k): v for s, k, v in entries} == {**DEFAULTS, ("Misc", "First Time"): "No",
                                                  ("Capture", "Capture Key"): "92"}
    assert sorted(p.name for p in windows_dir.iterdir()) == windows_before, "nothing written to the Windows directory"

    # The next start reads the user's own file: no dialog, the new hot key.
    # Meanwhile the user has set up e-mail as the default action.
    values = {(s, k): v for s, k, v in entries}
    values.update({("EMail", key.replace("_", " ")): value for key, value in configured(smtp_server).items()})
    values[("Misc", "Action")] = "6"
    sections = dict.fromkeys(s for s, _, _ in SETTINGS)
    own_file.write_bytes("".join(f"[{section}]\r\n" + "".join(f"{k}={v}\r\n" for (s, k), v in values.items()
                                                             if s == section) for section in sections).encode())
    (program.parent / "capture.bmp").unlink(missing_ok=True)  # from earlier e-mail tests
    read_only(program.parent)
    grabwell = start_grabwell("second-run.log")
    report = grabwell.wait_for_tray_icon()
    assert report.dialog("Configuration") is None
    desktop.key("ctrl+alt+k")
    grabwell.wait_for_face("&Capture")
    desktop.key("Return")
    grabwell.wait_for_face("&EMail It")
    desktop.key("Return")
    open_dialog(grabwell)
    desktop.key("Tab")
    desktop.type("ann@example.org")
    message = send_and_wait(grabwell, smtp_server, 1)
    grabwell.wait_for_done()
    attached = munpack(message.content)
    assert list(attached) == ["capture.bmp"]
    assert (image_folder / "capture.bmp").read_bytes() == attached["capture.bmp"]
    assert not (program.parent / "capture.bmp").exists()

    # Settings that can be written nowhere are not lost silently.
    read_only(own_file)
    grabwell.choose(grabwell.open_tray_menu(), "&Terminate Grabwell")
    box = grabwell.wait_for_message_box("Error")
    assert "Grabwell 2000\\GRBWEL.INI" in box.texts[0]
    desktop.key("Return")
    assert grabwell.wait_for_exit() == 0
