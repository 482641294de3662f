"""A real SMTP server for the e-mail tests: aiosmtpd on 127.0.0.1:25, the
port the program connects to under Wine (its services database names 25
for "smtp"; the tests run as root). It keeps every message it accepts. Some recipients make it
misbehave as hostile servers do: reject@... is refused with 550 at RCPT,
drop@... loses the connection when the message data has arrived, and
hang@... never answers the end of the data."""

from __future__ import annotations

import asyncio
import email
import email.policy
import errno
import socket
import subprocess
import tempfile
import warnings
from dataclasses import dataclass
from pathlib import Path

from aiosmtpd.controller import Controller

HOST, PORT = "127.0.0.1", 25
REJECTED_REPLY = "550 5.1.1 <reject@example.org>: Recipient address rejected"


@dataclass
class Received:
    mail_from: str
    rcpt_tos: list[str]
    content: bytes

    def parsed(self) -> email.message.EmailMessage:
        return email.message_from_bytes(self.content, policy=email.policy.default)


class _Handler:
    def __init__(self, messages: list[Received]):
        self.messages = messages

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith("reject@"):
            return REJECTED_REPLY
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if any(to.startswith("drop@") for to in envelope.rcpt_tos):
            server.transport.abort()
            return "250 never seen"
        if any(to.startswith("hang@") for to in envelope.rcpt_tos):
            await asyncio.sleep(120)
        self.messages.append(Received(envelope.mail_from, list(envelope.rcpt_tos), envelope.content))
        return "250 Message accepted"


class SmtpServer:
    """Listens on port 25 when it can. When a mail server of the machine
    holds that port (or it is not ours to bind), it says so and listens on
    a free port instead; `host` is then "127.0.0.1:<port>", a written port
    that the program takes before any services lookup."""

    def __init__(self):
        self.messages: list[Received] = []
        self.host = HOST
        self._controller: Controller | None = None

    def start(self) -> None:
        port = PORT
        with socket.socket() as probe:
            probe.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            try:
                probe.bind((HOST, PORT))
            except OSError as error:
                reason = "is taken by another program" if error.errno == errno.EADDRINUSE else f"cannot be used ({error})"
                warnings.warn(f"{HOST}:{PORT} {reason}; the e-mail tests use a free port given in SMTP Host instead")
                probe.bind((HOST, 0))
                port = probe.getsockname()[1]
                self.host = f"{HOST}:{port}"
        self._controller = Controller(_Handler(self.messages), hostname=HOST, port=port)
        self._controller.start()

    def stop(self) -> None:
        self._controller.stop()


def munpack(content: bytes) -> dict[str, bytes]:
    """The attachments of a MIME message as munpack writes them out."""
    with tempfile.TemporaryDirectory() as work:
        message = Path(work) / "message.eml"
        message.write_bytes(content)
        out = Path(work) / "out"
        out.mkdir()
        subprocess.run(["munpack", "-q", "-C", str(out), str(message)], check=True, timeout=60,
                       stdout=subprocess.DEVNULL, env={"TMPDIR": work, "PATH": "/usr/bin:/bin"})
        return {path.name: path.read_bytes() for path in out.iterdir() if not path.name.endswith(".desc")}


def uudecode(content: bytes) -> dict[str, bytes]:
    """The uuencoded file of a message as uudecode writes it out."""
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(["uudecode"], input=content.replace(b"\r\n", b"\n"), cwd=work, check=True, timeout=60)
        return {path.name: path.read_bytes() for path in Path(work).iterdir()}
