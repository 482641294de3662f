"""The manifest of both builds, read from the built programs' resources
(the 32-bit build cannot run here): it runs the program with the user's own
rights, names the systems it supports, and tells Windows that the program
scales its windows for each monitor's DPI itself, so that nothing stretches
them or virtualises their coordinates."""

from __future__ import annotations

import os
import struct
import subprocess
import xml.etree.ElementTree as ElementTree
from pathlib import Path

import pytest

from conftest import BUILD, REPO

BUILDS = {
    "win64": (BUILD, "x86_64-w64-mingw32-windres"),
    "win32": (Path(os.environ.get("GRABWELL_WIN32_BUILD", REPO / "build" / "win32")), "i686-w64-mingw32-windres"),
}
RT_MANIFEST = 24
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  # Windows Vista
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # Windows 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # Windows 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and 11
}


def resource_entries(res: bytes):
    """(type, name, data) of each resource of a compiled resource (.res)
    file; numbered types and names as numbers, named ones as text."""
    def identifier(header: bytes, at: int):
        if header[at:at + 2] == b"\xff\xff":
            return struct.unpack_from("<H", header, at + 2)[0], at + 4
        end = at
        while header[end:end + 2] != b"\0\0":
            end += 2
        return header[at:end].decode("utf-16-le"), end + 2

    offset = 0
    while offset + 8 <= len(res):
        data_size, header_size = struct.unpack_from("<II", res, offset)
        header = res[offset + 8:offset + header_size]
        kind, at = identifier(header, 0)
        name, _ = identifier(header, at)
        yield kind, name, res[offset + header_size:offset + header_size + data_size]
        offset = (offset + header_size + data_size + 3) & ~3


@pytest.mark.parametrize("build", BUILDS)
def test_the_manifest_declares_a_per_monitor_aware_program(build, tmp_path):
    folder, windres = BUILDS[build]
    exe = folder / "bin" / "GRBWEL.EXE"
    if not exe.exists():
        pytest.fail(f"{exe} is missing; build the {build} preset first (make {build})")
    res = tmp_path / "grbwel.res"
    subprocess.run([windres, "-i", str(exe), "-O", "res", "-o", str(res)], check=True, timeout=60)
    manifests = [data for kind, name, data in resource_entries(res.read_bytes()) if kind == RT_MANIFEST]
    assert len(manifests) == 1
    manifest = ElementTree.fromstring(manifests[0])

    level = manifest.find(f"{ASM_V3}trustInfo/{ASM_V3}security/{ASM_V3}requestedPrivileges/"
                          f"{ASM_V3}requestedExecutionLevel")
    assert level is not None and level.get("level") == "asInvoker"
    supported = manifest.findall(f"{COMPATIBILITY}compatibility/{COMPATIBILITY}application/{COMPATIBILITY}supportedOS")
    assert {os_entry.get("Id") for os_entry in supported} == SUPPORTED_OS
    settings = f"{ASM_V3}application/{ASM_V3}windowsSettings/"
    assert manifest.findtext(settings + f"{SETTINGS_2016}dpiAwareness") == "PerMonitorV2, PerMonitor"
    assert manifest.findtext(settings + f"{SETTINGS_2005}dpiAware") == "true/pm"
    # The classic controls stay: no dependency on common controls version 6.
    assert manifest.find(f"{ASM_V1}dependency") is None
