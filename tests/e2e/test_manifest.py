"""The manifest of both builds, read from the built programs' resources
(the 32-bit build cannot run here): the user's own rights, the systems the
program supports, and per-monitor DPI awareness, so that Windows neither
stretches its windows nor virtualises their coordinates."""

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
V3 = "{urn:schemas-microsoft-com:asm.v3}"
OS = "{urn:schemas-microsoft-com:compatibility.v1}"
# Windows Vista, 7, 8, 8.1, and 10 with 11.
SUPPORTED_OS = {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}


def numbered_resources(res: bytes):
    """(type, data) of each resource of a compiled resource (.res) file
    whose type is a number."""
    offset = 0
    while offset + 8 <= len(res):
        data_size, header_size = struct.unpack_from("<II", res, offset)
        marker, kind = struct.unpack_from("<HH", res, offset + 8)
        if marker == 0xFFFF:
            yield kind, res[offset + header_size:offset + header_size + data_size]
        offset = (offset + header_size + data_size + 3) & ~3


@pytest.mark.parametrize("build", BUILDS)
def test_the_manifest_declares_a_per_monitor_aware_program(build, tmp_path):
    folder, windres = BUILDS[build]
    exe = folder / "bin" / "GRBWEL.EXE"
    if not exe.exists():
        pytest.fail(f"{exe} is missing; build the {build} preset first (make {build})")
    res = tmp_path / "grbwel.res"
    subprocess.run([windres, "-i", str(exe), "-O", "res", "-o", str(res)], check=True, timeout=60)
    manifests = [data for kind, data in numbered_resources(res.read_bytes()) if kind == RT_MANIFEST]
    assert len(manifests) == 1
    manifest = ElementTree.fromstring(manifests[0])

    level = manifest.find(f"{V3}trustInfo/{V3}security/{V3}requestedPrivileges/{V3}requestedExecutionLevel")
    assert level is not None and level.get("level") == "asInvoker"
    assert {entry.get("Id") for entry in manifest.iter(f"{OS}supportedOS")} == SUPPORTED_OS
    settings = f"{V3}application/{V3}windowsSettings/"
    assert manifest.findtext(settings + "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}dpiAwareness") == \
        "PerMonitorV2, PerMonitor"
    assert manifest.findtext(settings + "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}dpiAware") == "true/pm"
    # The classic controls stay: no dependency on common controls version 6.
    assert manifest.find("{urn:schemas-microsoft-com:asm.v1}dependency") is None
