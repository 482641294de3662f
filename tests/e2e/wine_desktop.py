"""A private X display, a fresh Wine prefix and a Wine virtual desktop in
which the tests drive Windows programs like a user does: with the mouse and
keyboard through xdotool, and with eyes through the window probe."""

from __future__ import annotations

import json
import os
import select
import shutil
import signal
import subprocess
import time
from pathlib import Path

from desktop_report import DesktopReport

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
DESKTOP_WIDTH, DESKTOP_HEIGHT = 1024, 768


class WineError(RuntimeError):
    pass


def wait_until(condition, timeout: float, interval: float = 0.3, what: str = "condition"):
    """Polls condition() until it returns something truthy, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


class WineDesktop:
    """Owns Xvfb, the wineserver of its prefix and the desktop process, and
    every program it starts; close() ends all of them.

    With `monitors` (sizes such as "800x600", left to right) there is no
    virtual desktop, which has one monitor: the display is Xephyr inside an
    Xvfb host, with one Xinerama head per monitor, and Wine, kept from
    XRandR, reports each head as a monitor, the first as the primary. There
    is no window manager then: X gives the keys to the window under the
    pointer, so the helpers that wait for a window rest the pointer on it."""

    def __init__(self, root: Path, probe: Path, name: str = "grabwell-e2e", extra_env: dict | None = None,
                 depth: int = 24, monitors: tuple[str, ...] = ()):
        self.root = root
        # Given to every Wine process from the first on: a program started by
        # another Windows process (the desktop's shell) inherits that one's
        # environment, not ours.
        self.extra_env = dict(extra_env or {})
        self.depth = depth
        self.monitors = monitors
        self.primary_monitor = 0
        self.prefix = root / "prefix"
        self.logs = root / "logs"
        self.probe = probe
        self.name = name
        self.display: str | None = None
        self._xvfb: subprocess.Popen | None = None
        self._xephyr: subprocess.Popen | None = None
        self._desktop: subprocess.Popen | None = None
        self._programs: list[subprocess.Popen] = []
        self._origin = (0, 0)

    # ----- life cycle -------------------------------------------------------

    def start(self) -> None:
        self.logs.mkdir(parents=True, exist_ok=True)
        self._start_xvfb()
        self._boot_prefix()
        self._start_desktop()

    def close(self) -> None:
        self._stop_wine()
        for server in (self._xephyr, self._xvfb):
            if server:
                _kill(server)

    def restart_wine(self) -> None:
        """Ends every Windows process of the prefix and brings the desktop up
        again. The shell keeps the tray icon of a killed program, and may
        even give it to a later window with the same handle, so after a kill
        only a fresh shell gives the next test a clean notification area."""
        self._stop_wine()
        self._keep_wineserver()
        self._start_desktop()

    def set_dpi(self, dpi: int) -> None:
        """Gives the screen `dpi` dots per inch (Wine's LogPixels, which is
        also every monitor's DPI) and restarts Wine, which reads it when its
        programs start."""
        for key in (r"HKCU\Control Panel\Desktop",
                    r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"):
            self._run_wine_tool(["reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"],
                                "reg.log")
        self.restart_wine()

    def _stop_wine(self) -> None:
        for process in self._programs:
            _kill(process)
        self._programs.clear()
        if self.prefix.exists():
            for option in ("-k", "-w"):
                subprocess.run([WINESERVER, option], env=self.env, timeout=30,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        if self._desktop:
            _kill(self._desktop)
            self._desktop = None
        # A Wine program that was still starting when the server went away
        # is not among the server's processes; find it by its prefix.
        for pid in processes_with(prefix_marker(self.prefix), "environ"):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass

    def _keep_wineserver(self) -> None:
        # One wineserver for the whole session instead of one per program.
        subprocess.run([WINESERVER, "-p"], env=self.env, check=False, timeout=30)

    @property
    def env(self) -> dict:
        env = dict(os.environ)
        env.update(
            WINEPREFIX=str(self.prefix),
            WINEARCH="win64",
            WINEDEBUG="-all",
            # No Mono or Gecko installers: nothing here needs them.
            WINEDLLOVERRIDES="mscoree,mshtml=",
        )
        env.update(self.extra_env)
        if self.display:
            env["DISPLAY"] = self.display
        return env

    def _start_xvfb(self) -> None:
        if not self.monitors:
            self._xvfb, self.display = self._start_x_server(
                ["Xvfb", "-screen", "0", f"{DESKTOP_WIDTH}x{DESKTOP_HEIGHT}x{self.depth}"], "xvfb.log")
            return
        sizes = [tuple(int(v) for v in size.split("x")) for size in self.monitors]
        host = f"{sum(w for w, _ in sizes) + 300}x{max(h for _, h in sizes) + 200}x{self.depth}"
        self._xvfb, host_display = self._start_x_server(["Xvfb", "-screen", "0", host], "xvfb.log")
        heads = [arg for size in self.monitors for arg in ("-screen", size)]
        self._xephyr, self.display = self._start_x_server(["Xephyr", "+xinerama", *heads], "xephyr.log",
                                                          {**os.environ, "DISPLAY": host_display})

    def _start_x_server(self, command: list[str], log_name: str,
                        env: dict | None = None) -> tuple[subprocess.Popen, str]:
        # The server picks a free display itself and reports its number, so
        # that parallel runs never race for the same one.
        read_end, write_end = os.pipe()
        with open(self.logs / log_name, "wb") as log:
            server = subprocess.Popen([*command, "-displayfd", str(write_end), "-nolisten", "tcp"], env=env,
                                      pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        os.close(write_end)
        try:
            number = b""
            deadline = time.monotonic() + 20
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
                if not ready:
                    raise WineError(f"{command[0]} did not report a display")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise WineError(f"{command[0]} ended before reporting a display")
                number += chunk
        finally:
            os.close(read_end)
        return server, ":" + number.decode().strip()

    def _boot_prefix(self) -> None:
        self.prefix.mkdir(parents=True, exist_ok=True)
        self._keep_wineserver()
        self._run_wine_tool(["wineboot", "-i"], "wineboot.log", timeout=240)
        if self.monitors:
            self._set_x11_driver("UseXRandR", "N")
            return
        # Every program started in this prefix joins the virtual desktop,
        # which lets the tests start the program under test directly and so
        # hold its own process.
        self._run_wine_tool(["reg", "add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop",
                             "/d", self.name, "/f"], "reg.log")
        self._run_wine_tool(["reg", "add", r"HKCU\Software\Wine\Explorer\Desktops", "/v", self.name,
                             "/d", f"{DESKTOP_WIDTH}x{DESKTOP_HEIGHT}", "/f"], "reg.log")

    def _set_x11_driver(self, value: str, data: str) -> None:
        """Sets a value of Wine's X11 driver, which its processes read when
        they start: every Wine process is ended, so that none goes on
        without it."""
        self._run_wine_tool(["reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", value, "/d", data, "/f"],
                            "reg.log")
        self._stop_wine()
        self._keep_wineserver()

    def set_primary_monitor(self, index: int) -> None:
        """Makes monitor `index` the primary, so that those left of it have
        negative coordinates; ends every Windows program."""
        self._set_x11_driver("PrimaryMonitor", str(index))
        self.primary_monitor = index
        self._start_desktop()

    def _run_wine_tool(self, args: list[str], log_name: str, timeout: float = 60) -> None:
        with open(self.logs / log_name, "ab") as log:
            result = subprocess.run([WINE, *args], env=self.env, stdin=subprocess.DEVNULL,
                                    stdout=log, stderr=log, timeout=timeout, check=False)
        if result.returncode != 0:
            raise WineError(f"wine64 {' '.join(args)} failed ({result.returncode}), see {self.logs / log_name}")

    def _start_desktop(self) -> None:
        if self.monitors:
            # The primary monitor's top-left is Windows' (0, 0).
            widths = [int(size.split("x")[0]) for size in self.monitors]
            self._origin = (sum(widths[:self.primary_monitor]), 0)
            return
        log = open(self.logs / "desktop.log", "ab")
        with log:
            self._desktop = subprocess.Popen(
                [WINE, "explorer", f"/desktop={self.name},{DESKTOP_WIDTH}x{DESKTOP_HEIGHT}"],
                env=self.env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        window = wait_until(self._find_desktop_window, 60, what="the Wine desktop window")
        geometry = self._xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in geometry.splitlines() if "=" in line)
        self._origin = (int(values["X"]), int(values["Y"]))
        wait_until(lambda: self.report("windows").task_bar(), 60, what="the task bar")

    def _find_desktop_window(self) -> str | None:
        found = subprocess.run(["xdotool", "search", "--name", f"^{self.name} - Wine desktop$"],
                               env=self.env, capture_output=True, text=True, check=False)
        ids = found.stdout.split()
        return ids[0] if ids else None

    # ----- programs ---------------------------------------------------------

    def start_program(self, exe: Path, log_name: str, *args: str) -> subprocess.Popen:
        """Starts a Windows program; the returned process is the program itself."""
        log = open(self.logs / log_name, "ab")
        with log:
            process = subprocess.Popen([WINE, str(exe), *args], cwd=exe.parent, env=self.env,
                                       stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        self._programs.append(process)
        return process

    def run_program(self, exe: Path, *args: str, timeout: float = 120) -> subprocess.CompletedProcess:
        """Runs a Windows console program to its end and returns its output."""
        return subprocess.run([WINE, str(exe), *args], cwd=exe.parent, env=self.env, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=timeout, check=False)

    def report(self, *sections: str) -> DesktopReport:
        """Runs the probe in the desktop and returns what it saw. The probe
        only looks, so a run that Wine did not carry through (seen in CI:
        exit code 1 with nothing written) is simply run again."""
        output = self.root / "probe.json"
        log_path = self.logs / "probe.log"
        for _ in range(3):
            with open(output, "wb") as out, open(log_path, "ab") as log:
                # A file, not a pipe: a Wine service started meanwhile would
                # keep a pipe open and make the read hang.
                result = subprocess.run([WINE, str(self.probe), *sections], env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=out, stderr=log,
                                        timeout=60, check=False)
            if result.returncode == 0:
                return DesktopReport(json.loads(output.read_text(encoding="utf-8")))
        tail = log_path.read_text(encoding="utf-8", errors="replace")[-2000:]
        raise WineError(f"probe failed three times, last with exit code {result.returncode}; its log ends:\n{tail}")

    # ----- input and screen -------------------------------------------------

    def move_mouse(self, x: int, y: int) -> None:
        """Moves the pointer to Windows screen coordinates of the desktop."""
        self._xdotool("mousemove", str(self._origin[0] + x), str(self._origin[1] + y))

    def click(self, x: int, y: int, button: int = 1, repeat: int = 1) -> None:
        self.move_mouse(x, y)
        # Wine sees the pointer arrive before the button goes down, as with
        # a real hand on the mouse.
        time.sleep(0.2)
        self._xdotool("click", "--repeat", str(repeat), "--delay", "80", str(button))

    def rest_pointer_on(self, window: dict) -> None:
        """Without a window manager the keys go to the window under the
        pointer: rest it on `window`. A virtual desktop needs nothing."""
        if self.monitors:
            from desktop_report import centre
            self.move_mouse(*centre(window["rect"]))

    def drag(self, start: tuple[int, int], *moves, steps: int = 8) -> None:
        """Presses the left button at start, moves through each point of moves
        (the word "toggle" is a right click meanwhile) and releases."""
        self.move_mouse(*start)
        time.sleep(0.3)
        self._xdotool("mousedown", "1")
        here = start
        for move in moves:
            if move == "toggle":
                self._xdotool("click", "3")
                time.sleep(0.2)
                continue
            for i in range(1, steps + 1):
                self.move_mouse(here[0] + (move[0] - here[0]) * i // steps, here[1] + (move[1] - here[1]) * i // steps)
                time.sleep(0.05)
            here = move
        time.sleep(0.3)
        self._xdotool("mouseup", "1")

    def key(self, *names: str) -> None:
        self._xdotool("key", *names)

    def type(self, text: str, delay_ms: int = 12) -> None:
        """Types `text` into the window that has the focus."""
        self._xdotool("type", "--delay", str(delay_ms), text)

    def replace_text(self, field: dict, text: str) -> None:
        """Clicks into an edit field and types `text` over what it holds."""
        from desktop_report import centre
        self.click(*centre(field["rect"]))
        self.key("End", "shift+Home")
        self.type(text)

    def screen_image(self):
        """The whole X screen as a Pillow RGB image, read from the X side."""
        from PIL import Image
        shot = self.root / "screen.png"
        subprocess.run(["import", "-display", self.display, "-window", "root", str(shot)],
                       env=self.env, timeout=30, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with Image.open(shot) as image:
            return image.convert("RGB")

    def screenshot(self, path: Path) -> None:
        subprocess.run(["import", "-display", self.display, "-window", "root", str(path)],
                       env=self.env, timeout=30, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def _xdotool(self, *args: str) -> str:
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                                text=True, timeout=30, check=False)
        if result.returncode != 0:
            raise WineError(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    @property
    def windows_dir(self) -> Path:
        return self.prefix / "drive_c" / "windows"


def prefix_marker(prefix: Path) -> bytes:
    """The environment entry that every process of a Wine prefix inherits."""
    return b"WINEPREFIX=" + str(prefix).encode() + b"\0"


def processes_with(needle: bytes, source: str) -> list[int]:
    """Live processes whose /proc/PID/SOURCE ("cmdline", "environ") holds needle."""
    found = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            if needle in (entry / source).read_bytes():
                found.append(int(entry.name))
        except OSError:
            continue  # ended meanwhile, or not ours to read
    return found


def _kill(process: subprocess.Popen) -> None:
    if process.poll() is None:
        process.send_signal(signal.SIGKILL)
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        pass


def copy_program(build_dir: Path, target: Path) -> Path:
    """Puts GRBWEL.EXE and its hook library side by side, as installed."""
    target.mkdir(parents=True, exist_ok=True)
    for name in ("GRBWEL.EXE", "KVEXHK.DLL"):
        matches = [p for p in build_dir.rglob("*") if p.name.upper() == name and p.is_file()]
        if not matches:
            raise FileNotFoundError(f"{name} not found under {build_dir}; build the win64 preset first")
        shutil.copy2(max(matches, key=lambda p: p.stat().st_mtime), target / name)
    return target / "GRBWEL.EXE"
