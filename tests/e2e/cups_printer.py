"""A private CUPS server with one cups-pdf queue as its default printer.

cupsd runs in the foreground with a configuration of its own under a
temporary folder and listens only on a local socket there, so nothing of the
machine's own printing setup is used or changed. Programs reach it through
CUPS_SERVER=<socket>. cups-pdf writes each job as a PDF into ${HOME}/PDF of
the submitting user and numbers the files from 1 again with every new
server, so new files are recognised by their times and only those are
removed."""

from __future__ import annotations

import os
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

CUPSD = "/usr/sbin/cupsd"
PPD = Path("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")
QUEUE = "GrabwellPDF"


class CupsError(RuntimeError):
    pass


class CupsPrinter:
    """Owns a temporary folder of its own: the filters run as the "lp" user
    and must reach the spool, which a folder inside the tests' private
    (mode 0700) session folder would not allow."""

    def __init__(self):
        self.root = Path(tempfile.mkdtemp(prefix="grabwell-cups-"))
        self.socket = self.root / "cups.sock"
        self.output_dir = Path(os.path.expanduser("~")) / "PDF"
        self._cupsd: subprocess.Popen | None = None

    @property
    def env(self) -> dict:
        """The environment entries that send a program's printing here."""
        return {"CUPS_SERVER": str(self.socket)}

    def start(self) -> None:
        for name in ("spool", "spool/tmp", "cache", "state", "log"):
            (self.root / name).mkdir(parents=True, exist_ok=True)
        os.chmod(self.root, 0o755)
        os.chmod(self.root / "spool", 0o1777)
        os.chmod(self.root / "spool" / "tmp", 0o1777)
        (self.root / "cupsd.conf").write_text(_CUPSD_CONF.format(socket=self.socket))
        (self.root / "cups-files.conf").write_text(_FILES_CONF.format(root=self.root))
        with open(self.root / "log" / "cupsd.out", "ab") as log:
            self._cupsd = subprocess.Popen(
                [CUPSD, "-f", "-c", str(self.root / "cupsd.conf"), "-s", str(self.root / "cups-files.conf")],
                stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
        deadline = time.monotonic() + 30
        while not self._answers():
            if self._cupsd.poll() is not None:
                raise CupsError(f"cupsd ended at start, see {self.root / 'log'}")
            if time.monotonic() > deadline:
                raise CupsError("cupsd did not answer on its socket")
            time.sleep(0.2)
        self._admin(["lpadmin", "-p", QUEUE, "-E", "-v", "cups-pdf:/", "-P", str(PPD)])
        self._admin(["lpadmin", "-d", QUEUE])

    def stop(self) -> None:
        if self._cupsd and self._cupsd.poll() is None:
            # The whole session: cupsd and any filter or backend still running.
            os.killpg(self._cupsd.pid, signal.SIGTERM)
            try:
                self._cupsd.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self._cupsd.pid, signal.SIGKILL)
                self._cupsd.wait(timeout=10)
        self._cupsd = None
        shutil.rmtree(self.root, ignore_errors=True)

    def pdfs(self) -> dict[Path, int]:
        """The PDFs of the output folder with their modification times."""
        if not self.output_dir.exists():
            return {}
        return {path: path.stat().st_mtime_ns for path in self.output_dir.glob("*.pdf")}

    def new_pdfs(self, before: dict[Path, int]) -> list[Path]:
        """The PDFs written since `before` was taken, oldest first. cups-pdf
        names a file after the job's number, which starts from 1 again with
        every server, so a new job may overwrite a file left from an earlier
        run: a changed time counts as new."""
        now = self.pdfs()
        return sorted((path for path, time in now.items() if before.get(path) != time), key=now.get)

    def wait_for_new_pdfs(self, before: dict[Path, int], count: int = 1, timeout: float = 60) -> list[Path]:
        """The new PDFs once there are `count` of them and the queue has
        finished its jobs."""
        deadline = time.monotonic() + timeout
        while True:
            new = self.new_pdfs(before)
            jobs = self.jobs()
            if len(new) >= count and not jobs:
                return new
            if time.monotonic() > deadline:
                raise TimeoutError(f"{len(new)} of {count} PDFs after {timeout:.0f} s, jobs left: {jobs!r}")
            time.sleep(0.3)

    def jobs(self) -> str:
        """The jobs not yet completed, as lpstat lists them ("" for none)."""
        result = subprocess.run(["lpstat", "-o", QUEUE], env=self._client_env(), capture_output=True,
                                text=True, timeout=30, check=False)
        return (result.stdout + result.stderr).strip()

    def _answers(self) -> bool:
        if not self.socket.exists():
            return False
        result = subprocess.run(["lpstat", "-r"], env=self._client_env(), capture_output=True, text=True,
                                timeout=10, check=False)
        return "is running" in result.stdout

    def _admin(self, args: list[str]) -> None:
        result = subprocess.run(args, env=self._client_env(), capture_output=True, text=True, timeout=60,
                                check=False)
        if result.returncode != 0:
            raise CupsError(f"{' '.join(args)} failed: {result.stderr.strip()}")

    def _client_env(self) -> dict:
        env = dict(os.environ)
        env.update(self.env)
        return env


def remove_pdfs(paths) -> None:
    for path in paths:
        path.unlink(missing_ok=True)


_CUPSD_CONF = """\
Listen {socket}
Browsing Off
WebInterface No
LogLevel info
MaxLogSize 0
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
"""

_FILES_CONF = """\
ServerRoot {root}
RequestRoot {root}/spool
TempDir {root}/spool/tmp
CacheDir {root}/cache
StateDir {root}/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog {root}/log/access_log
ErrorLog {root}/log/error_log
PageLog {root}/log/page_log
Printcap {root}/printcap
"""
