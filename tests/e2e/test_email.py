"""E-mailing a capture as a user does it, against a real SMTP server on
loopback: the send dialog, what arrives (decoded by munpack, uudecode and
Python's email package), the settings questions, and servers that cannot
be reached or misbehave."""

from __future__ import annotations

import time
from io import BytesIO

import pytest
from PIL import Image

from desktop_report import centre, find_control
from grabwell import visible_control
from settings_file import read_entries
from smtp_server import REJECTED_REPLY, SmtpServer, munpack, uudecode
from test_capture import same_pixels
from wine_desktop import wait_until

DIALOG = "Send Image Via E-Mail"
SENDER = ("Grabwell Tester", "tester@example.org")
# Above 255 characters, so it goes quoted-printable; "=" must survive that.
LONG_TEXT = ("Here is the screen as I see it; a=b and c=d. " * 7)[:300]
CONNECTION_FAILED = (
    "A connection could not be made to the SMTP Server. You are either not connected to the Internet or an "
    "invalid SMTP Server has been specified.  To change the SMTP Server, you will need to go to  the "
    "configuration section of Grabwell 2000 by right clicking on the system tray icon.")


@pytest.fixture
def smtp_server():
    server = SmtpServer()
    server.start()
    yield server
    server.stop()


def configured(server: SmtpServer, **extra: str) -> dict:
    """The [EMail] keys of a user who has set up e-mail with `server`."""
    return {"SMTP_Host": server.host, "EMail_Name": SENDER[0], "EMail_Address": SENDER[1], **extra}


def open_dialog(grabwell) -> dict:
    grabwell.wait_for_dialog(DIALOG)
    time.sleep(0.5)  # let it take the focus before typing into it
    return grabwell.desktop.report("windows").dialog(DIALOG)


def edits(dialog: dict) -> list[str]:
    """The texts of the dialog's edits, in their order on the form."""
    fields = [c for c in dialog["children"] if c["class"] == "Edit"]
    return [c["text"] for c in sorted(fields, key=lambda c: (c["rect"][1], c["rect"][0]))]


def send_and_wait(grabwell, server: SmtpServer, count: int):
    grabwell.desktop.key("alt+s")
    wait_until(lambda: not grabwell.desktop.report("windows").dialog(DIALOG), 30, what="the dialog to close")
    return wait_until(lambda: server.messages[count - 1] if len(server.messages) >= count else None, 10,
                      what=f"message {count} at the server")


def test_a_capture_mailed_in_each_format(desktop, grabwell_with, smtp_server, pattern_window, folder, settings_file):
    grabwell = grabwell_with(Action=6, email=configured(smtp_server))
    screen = desktop.screen_image()
    window = grabwell.capture("&EMail It")
    radio = visible_control(window, "Button", "E-&Mail Image")
    assert radio["enabled"] and radio["checked"] == 1

    desktop.key("Return")
    dialog = open_dialog(grabwell)
    left, top, right, bottom = dialog["rect"]
    assert abs((left + right) - 1024) <= 1 and abs((top + bottom) - 768) <= 1, "centred on the screen"
    assert edits(dialog) == ["capture.bmp", "", "", "", ""]
    desktop.type("Ann Example")  # the focus starts in "Recipient Name"
    desktop.key("Tab")
    desktop.type("ann@example.org")
    desktop.key("Tab")
    desktop.type("  Screen shot ")
    desktop.key("Tab")
    desktop.type(LONG_TEXT)
    message = send_and_wait(grabwell, smtp_server, 1)
    grabwell.wait_for_done()

    assert (message.mail_from, message.rcpt_tos) == (SENDER[1], ["ann@example.org"])
    parsed = message.parsed()
    assert parsed["From"] == f"{SENDER[0]} <{SENDER[1]}>" and parsed["To"] == "Ann Example <ann@example.org>"
    assert parsed["Subject"] == "Screen shot" and parsed["X-Mailer"] == "Grabwell 2000"
    text = next(part for part in parsed.walk() if part.get_content_type() == "text/plain")
    assert text["Content-Transfer-Encoding"] == "quoted-printable" and text.get_content().removesuffix("\r\n") == LONG_TEXT
    attached = munpack(message.content)
    assert list(attached) == ["capture.bmp"]
    with Image.open(BytesIO(attached["capture.bmp"])) as image:
        assert image.format == "BMP" and same_pixels(image.convert("RGB"), screen)
    assert (folder / "capture.bmp").read_bytes() == attached["capture.bmp"], "the file stays beside the program"

    # Each new send shows the last recipient, subject and text; the image
    # name decides the format.
    for count, (name, sent_name, image_format) in enumerate((
            ("Shot.GIF", "Shot.GIF", "GIF"), ("shot.jpg", "shot.jpg", "JPEG"),
            ("shot.jpeg", "shot.jpeg.BMP", "BMP")), start=2):
        desktop.click(*centre(find_control(grabwell.main_window(), "GrabwellImage", "")["rect"]), button=3)
        grabwell.choose(wait_until(lambda: desktop.report("menus").shown_menu(), 10, what="the thumbnail menu"),
                        "&E-Mail Image")
        dialog = open_dialog(grabwell)
        assert edits(dialog)[1:] == ["Ann Example", "ann@example.org", "  Screen shot ", LONG_TEXT]
        desktop.replace_text(find_control(dialog, "Edit", edits(dialog)[0]), name)
        attached = munpack(send_and_wait(grabwell, smtp_server, count).content)
        assert list(attached) == [sent_name]
        with Image.open(BytesIO(attached[sent_name])) as image:
            assert image.format == image_format and image.size == (1024, 768)
    grabwell.terminate()
    assert ("EMail", "EMail File", "shot.jpeg") in read_entries(settings_file)


@pytest.mark.parametrize("mail, missing, answer", [
    ({"EMail_Address": SENDER[1]}, "SMTP Host", "Return"),
    ({"SMTP_Host": "127.0.0.1"}, "return E-Mail Address", "alt+n"),
], ids=["no host, configure now", "no return address, not now"])
def test_unconfigured_email_asks_to_configure(desktop, grabwell_with, smtp_server, mail, missing, answer):
    grabwell = grabwell_with(Action=6, email=mail)
    grabwell.capture("&EMail It")
    desktop.key("Return")
    box = grabwell.wait_for_message_box("Error")
    assert box.texts == [f"Your E-Mail settings have not yet been configured. The entry for your {missing} is "
                         "blank.  Would you like to configure it now?"]
    assert sorted(box.buttons) == ["&No", "&Yes"]
    desktop.key(answer)
    if answer == "Return":
        configuration = grabwell.wait_for_dialog("Configuration")
        assert visible_control(configuration, "Edit", "25"), "opened on the E-Mail page"
        desktop.key("Escape")
        wait_until(lambda: not desktop.report("windows").dialog("Configuration"), 10, what="the configuration to close")
    time.sleep(2)
    assert not desktop.report("windows").dialog(DIALOG), "nothing is sent until e-mail is chosen again"
    assert visible_control(grabwell.main_window(), "Button", "&Abort") and not smtp_server.messages
    grabwell.terminate()


def test_a_server_that_cannot_be_reached(desktop, grabwell_with, smtp_server):
    grabwell = grabwell_with(Action=6, email=configured(smtp_server, SMTP_Host="no-such-host.invalid"))
    grabwell.capture("&EMail It")
    desktop.key("Return")
    open_dialog(grabwell)
    desktop.key("Tab")
    desktop.type("ann@example.org")
    desktop.key("alt+s")
    box = grabwell.wait_for_message_box("Error", 60)
    assert box.texts == [CONNECTION_FAILED]
    desktop.key("Return")
    wait_until(lambda: not desktop.report("windows").dialog(DIALOG), 10, what="the dialog to close")
    assert visible_control(grabwell.main_window(), "Button", "&Abort"), "nothing was sent"
    grabwell.terminate()


def message_files(desktop) -> set:
    """The temporary files in Wine's temp folder, where a message waits while
    it is sent."""
    folders = list(desktop.prefix.glob("drive_c/users/*/Temp"))
    assert folders, "Wine's temp folder"
    return {path for folder in folders for path in folder.glob("*.tmp")}


def test_misbehaving_servers_leave_the_dialog_usable(desktop, grabwell_with, smtp_server, pattern_window, folder):
    grabwell = grabwell_with(Action=6, email=configured(smtp_server, Attachment_Encoding="1"))
    screen = desktop.screen_image()
    temp_before = message_files(desktop)
    grabwell.capture("&EMail It")
    desktop.key("Return")
    dialog = open_dialog(grabwell)
    desktop.replace_text(find_control(dialog, "Edit", "capture.bmp"), " ")
    desktop.key("alt+s")
    box = grabwell.wait_for_message_box("Error")
    assert box.texts == ["No recipient address has been entered.  Please correct."]
    desktop.key("Return")
    wait_until(lambda: not desktop.report("windows").message_boxes(), 10, what="the box to close")
    desktop.type("reject@example.org")  # the focus is on the address now

    for address, shown in (("reject@example.org", REJECTED_REPLY),
                           ("drop@example.org", "The SMTP server closed the connection without a reply."),
                           ("hang@example.org", "Operation timed out")):
        dialog = desktop.report("windows").dialog(DIALOG)
        desktop.replace_text(find_control(dialog, "Edit", edits(dialog)[2]), address)
        desktop.key("alt+s")
        box = grabwell.wait_for_message_box("Grabwell 2000", 60)
        assert box.texts == [shown]
        desktop.key("Return")
        dialog = wait_until(lambda: not desktop.report("windows").message_boxes()
                            and desktop.report("windows").dialog(DIALOG), 10, what="the dialog, still open")
        assert all(visible_control(dialog, "Button", b)["enabled"] for b in ("&Send It", "&Abort"))
        assert edits(dialog) == [" ", "", address, "", ""], "everything typed is kept"
        assert message_files(desktop) == temp_before
    assert not smtp_server.messages

    desktop.replace_text(find_control(dialog, "Edit", "hang@example.org"), "ann@example.org")
    message = send_and_wait(grabwell, smtp_server, 1)
    grabwell.wait_for_done()
    assert b"MIME-Version" not in message.content and b"\r\nbegin 600 capture.bmp\r\n" in message.content
    attached = uudecode(message.content)
    with Image.open(BytesIO(attached["capture.bmp"])) as image:
        assert same_pixels(image.convert("RGB"), screen)
    grabwell.terminate()
