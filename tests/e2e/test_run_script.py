"""make run's script: with no X display it brings up a private one, runs the
program in the foreground, and Ctrl-C ends the program, Wine and the display."""

from __future__ import annotations

import os
import re
import signal
import subprocess
import time
from pathlib import Path

from wine_desktop import prefix_marker, processes_with, wait_until

REPO = Path(__file__).resolve().parents[2]
SCRIPT = REPO / "scripts" / "run-grabwell.sh"


def test_ctrl_c_ends_program_wine_and_display(tmp_path, program):
    prefix = tmp_path / "prefix"
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WINEPREFIX")}
    env["GRABWELL_WINEPREFIX"] = str(prefix)
    # Every process the script starts inherits the prefix, which finds them again.
    marker = prefix_marker(prefix)
    staged_exe = str(program.parent / "run" / "GRBWEL.EXE").encode()
    output = tmp_path / "run.log"
    with open(output, "wb") as log:
        # A session of its own, as a terminal's foreground job: the signal
        # goes to the whole process group, as Ctrl-C does.
        script = subprocess.Popen(["bash", str(SCRIPT), str(program.parent)], env=env,
                                  stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                  start_new_session=True)
    try:
        wait_until(lambda: processes_with(staged_exe, "cmdline"), 180, interval=1,
                   what="the script to start GRBWEL.EXE")
        text = output.read_text()
        display = re.search(r"private Xvfb display :(\d+)", text)
        assert display, text
        time.sleep(2)
        assert script.poll() is None, "the script left the foreground while the program runs"

        os.killpg(script.pid, signal.SIGINT)
        assert script.wait(timeout=60) == 130
        left_over = processes_with(marker, "environ")
    finally:
        if script.poll() is None:
            os.killpg(script.pid, signal.SIGKILL)
            script.wait()
        for pid in processes_with(marker, "environ"):
            os.kill(pid, signal.SIGKILL)

    assert left_over == []
    number = display.group(1)
    assert not Path(f"/tmp/.X11-unix/X{number}").exists()
    assert not Path(f"/tmp/.X{number}-lock").exists()
