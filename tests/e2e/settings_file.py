"""The settings file GRBWEL.INI as the tests see it: every key the program
keeps there, in the order it reads and writes them, with its default; and a
reader of the file as written, keeping the order of sections and keys."""

from __future__ import annotations

from pathlib import Path

FILE_NAME = "GRBWEL.INI"

# (section, key, default), in the order the program reads and writes them.
SETTINGS = [
    ("EMail", "SMTP Host", ""),
    ("EMail", "EMail Name", ""),
    ("EMail", "EMail Address", ""),
    ("EMail", "SMTP Port", "25"),
    ("EMail", "Attachment Encoding", "0"),
    ("EMail", "EMail File", "capture.bmp"),
    ("Misc", "What To Cap", "0"),
    ("Misc", "Shape", "0"),
    ("Misc", "Action", "0"),
    ("Misc", "First Time", "Yes"),
    ("Capture", "Capture Key", "44"),
    ("Capture", "RoundRect Shape Color", "16777215"),
    ("Capture", "RoundRect Border Color", "0"),
    ("Capture", "RoundRect Use Border", "Yes"),
    ("Capture", "RoundSquare Shape Color", "16777215"),
    ("Capture", "RoundSquare Border Color", "0"),
    ("Capture", "RoundSquare Use Border", "Yes"),
    ("Capture", "Ellipse Shape Color", "16777215"),
    ("Capture", "Ellipse Border Color", "0"),
    ("Capture", "Ellipse Use Border", "Yes"),
    ("Capture", "Circle Shape Color", "16777215"),
    ("Capture", "Circle Border Color", "0"),
    ("Capture", "Circle Use Border", "Yes"),
    ("Capture", "TriUp Shape Color", "16777215"),
    ("Capture", "TriUp Border Color", "0"),
    ("Capture", "TriUp Use Border", "Yes"),
    ("Capture", "TriDown Shape Color", "16777215"),
    ("Capture", "TriDown Border Color", "0"),
    ("Capture", "TriDown Use Border", "Yes"),
    ("Capture", "TriLeft Shape Color", "16777215"),
    ("Capture", "TriLeft Border Color", "0"),
    ("Capture", "TriLeft Use Border", "Yes"),
    ("Capture", "TriRight Shape Color", "16777215"),
    ("Capture", "TriRight Border Color", "0"),
    ("Capture", "TriRight Use Border", "Yes"),
    ("Capture", "Diamond Shape Color", "16777215"),
    ("Capture", "Diamond Border Color", "0"),
    ("Capture", "Diamond Use Border", "Yes"),
    ("Capture", "Star Vector", "10"),
    ("Capture", "Star Vector Size", "56"),
    ("Capture", "Star Shape Color", "16777215"),
    ("Capture", "Star Border Color", "0"),
    ("Capture", "Star Use Border", "Yes"),
    ("Capture", "Poly1 Vector", "12"),
    ("Capture", "Poly1 Vector Size", "48"),
    ("Capture", "Poly1 Angle", "198"),
    ("Capture", "Poly1 Color", "32896"),
    ("Capture", "Poly1 Border Color", "0"),
    ("Capture", "Poly1 Use Border", "Yes"),
    ("Capture", "Poly2 Vector", "10"),
    ("Capture", "Poly2 Vector Size", "19"),
    ("Capture", "Poly2 Angle", "90"),
    ("Capture", "Poly2 Color", "4194432"),
    ("Capture", "Poly2 Border Color", "0"),
    ("Capture", "Poly2 Use Border", "Yes"),
    ("Capture", "Poly3 Vector", "5"),
    ("Capture", "Poly3 Vector Size", "38"),
    ("Capture", "Poly3 Angle", "234"),
    ("Capture", "Poly3 Color", "8421440"),
    ("Capture", "Poly3 Border Color", "0"),
    ("Capture", "Poly3 Use Border", "Yes"),
    ("Capture", "Poly4 Vector", "9"),
    ("Capture", "Poly4 Vector Size", "50"),
    ("Capture", "Poly4 Angle", "249"),
    ("Capture", "Poly4 Color", "16776960"),
    ("Capture", "Poly4 Border Color", "0"),
    ("Capture", "Poly4 Use Border", "Yes"),
    ("Capture", "Poly5 Vector", "52"),
    ("Capture", "Poly5 Vector Size", "22"),
    ("Capture", "Poly5 Angle", "90"),
    ("Capture", "Poly5 Color", "0"),
    ("Capture", "Poly5 Border Color", "0"),
    ("Capture", "Poly5 Use Border", "Yes"),
]

DEFAULTS = {(section, key): default for section, key, default in SETTINGS}


def settings_path(windows_dir: Path) -> Path:
    """The file in the Windows directory, whatever the case of its name."""
    for candidate in windows_dir.iterdir():
        if candidate.name.upper() == FILE_NAME:
            return candidate
    return windows_dir / FILE_NAME


def write_returning_user(windows_dir: Path, email: dict | None = None, **misc) -> None:
    """The settings file of a user who has run the program before (so that no
    configuration dialog opens at start) with the given Misc keys and, if
    given, EMail keys; an underscore in a key's name stands for a blank."""
    lines = ["[Misc]", "First Time=No"] + [f"{key.replace('_', ' ')}={value}" for key, value in misc.items()]
    lines += ["[EMail]"] + [f"{key.replace('_', ' ')}={value}" for key, value in email.items()] if email else []
    settings_path(windows_dir).write_bytes(("\r\n".join(lines) + "\r\n").encode())


def remove_settings(windows_dir: Path) -> None:
    for candidate in windows_dir.iterdir():
        if candidate.name.upper() == FILE_NAME:
            candidate.unlink()


def decode(raw: bytes) -> str:
    if raw.startswith(b"\xff\xfe") or raw.startswith(b"\xfe\xff"):
        return raw.decode("utf-16")
    if raw.startswith(b"\xef\xbb\xbf"):
        return raw[3:].decode("utf-8")
    return raw.decode("cp1252", errors="replace")


def read_entries(path: Path) -> list[tuple[str, str, str]]:
    """(section, key, value) for every "key=value" line, in file order."""
    entries = []
    section = ""
    for line in decode(path.read_bytes()).splitlines():
        stripped = line.strip()
        if stripped.startswith("[") and stripped.endswith("]"):
            section = stripped[1:-1]
        elif "=" in stripped and not stripped.startswith(";"):
            key, value = stripped.split("=", 1)
            entries.append((section, key.strip(), value.strip()))
    return entries
