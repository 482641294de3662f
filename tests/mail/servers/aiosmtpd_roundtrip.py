#!/usr/bin/python3
"""Sends a 5 MB binary attachment through `grabwell-tool mail` to a real SMTP
server (aiosmtpd on 127.0.0.1, started here) in MIME and in UUEncode form,
and checks that the stored messages decode to the identical bytes: MIME
with Python's email package and munpack, UU with binascii and uudecode
(munpack finds nothing to unpack in a message without MIME headers).

    aiosmtpd_roundtrip.py PATH_TO_GRABWELL_TOOL
"""
import binascii
import email
import email.policy
import os
import socket
import subprocess
import sys
import tempfile

from aiosmtpd.controller import Controller

ATTACHMENT_SIZE = 5 * 1000 * 1000
TOOL_TIMEOUT_SECONDS = 240


class Store:
    def __init__(self):
        self.messages = []

    async def handle_DATA(self, server, session, envelope):
        self.messages.append((envelope.mail_from, list(envelope.rcpt_tos), envelope.content))
        return "250 Message accepted"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def uudecode(body: bytes) -> tuple[str, bytes]:
    lines = body.split(b"\r\n")
    start = next(i for i, line in enumerate(lines) if line.startswith(b"begin 600 "))
    name = lines[start][len(b"begin 600 "):].decode()
    data = bytearray()
    for line in lines[start + 1:]:
        if line in (b"`", b"end"):
            break
        data += binascii.a2b_uu(line)
    return name, bytes(data)


def munpack(content: bytes, workdir: str) -> dict[str, bytes]:
    message_path = os.path.join(workdir, "message.eml")
    with open(message_path, "wb") as out:
        out.write(content)
    outdir = os.path.join(workdir, "unpacked")
    os.mkdir(outdir)
    # munpack keeps partial-message state under TMPDIR; keep it private.
    subprocess.run(["munpack", "-q", "-C", outdir, message_path], check=True, timeout=60,
                   stdout=subprocess.DEVNULL, env={**os.environ, "TMPDIR": workdir})
    found = {}
    for name in os.listdir(outdir):
        with open(os.path.join(outdir, name), "rb") as unpacked:
            found[name] = unpacked.read()
    return found


def uudecode_tool(content: bytes, workdir: str) -> dict[str, bytes]:
    message_path = os.path.join(workdir, "message.uue")
    with open(message_path, "wb") as out:
        out.write(content)
    subprocess.run(["uudecode", message_path], check=True, timeout=60, cwd=workdir)
    found = {}
    for name in os.listdir(workdir):
        if name != "message.uue":
            with open(os.path.join(workdir, name), "rb") as decoded:
                found[name] = decoded.read()
    return found


def send(tool, port, attachment, uu, workdir):
    command = [tool, "mail", "--server", f"127.0.0.1:{port}", "--from", "sender@example.com",
               "--from-name", "Sender", "--to", "rcpt@example.com", "--to-name", "Rcpt",
               "--subject", "Capture", "--text", "Here it is.\r\n.a dotted line", "--timeout", "30"]
    if uu:
        command.append("--uu")
    command.append(attachment)
    result = subprocess.run(command, capture_output=True, timeout=TOOL_TIMEOUT_SECONDS, cwd=workdir)
    if result.returncode != 0:
        raise AssertionError(f"grabwell-tool failed ({result.returncode}): {result.stderr.decode()}")


def main():
    tool = os.path.abspath(sys.argv[1])
    store = Store()
    port = free_port()
    controller = Controller(store, hostname="127.0.0.1", port=port)
    controller.start()
    failures = []
    try:
        with tempfile.TemporaryDirectory() as workdir:
            payload = os.urandom(ATTACHMENT_SIZE)
            attachment = os.path.join(workdir, "capture.bmp")
            with open(attachment, "wb") as out:
                out.write(payload)

            send(tool, port, attachment, False, workdir)
            mail_from, rcpts, content = store.messages[-1]
            if (mail_from, rcpts) != ("sender@example.com", ["rcpt@example.com"]):
                failures.append(f"envelope {mail_from} {rcpts}")
            parsed = email.message_from_bytes(content, policy=email.policy.default)
            parts = [p for p in parsed.iter_attachments()]
            if len(parts) != 1 or parts[0].get_filename() != "capture.bmp":
                failures.append("MIME: expected one attachment capture.bmp")
            elif parts[0].get_payload(decode=True) != payload:
                failures.append("MIME: email package decoded different bytes")
            text = next(parsed.iter_parts()).get_content()
            if ".a dotted line" not in text or "..a dotted" in text:
                failures.append(f"MIME: body text not restored: {text!r}")
            mime_dir = os.path.join(workdir, "mime")
            os.mkdir(mime_dir)
            if munpack(content, mime_dir).get("capture.bmp") != payload:
                failures.append("MIME: munpack decoded different bytes")

            send(tool, port, attachment, True, workdir)
            content = store.messages[-1][2]
            if b"Mime-Version" in content or b"Content-Type" in content:
                failures.append("UU: message carries MIME headers")
            name, data = uudecode(content)
            if (name, data) != ("capture.bmp", payload):
                failures.append("UU: binascii decoded different bytes or name")
            uu_dir = os.path.join(workdir, "uu")
            os.mkdir(uu_dir)
            if uudecode_tool(content, uu_dir).get("capture.bmp") != payload:
                failures.append("UU: uudecode decoded different bytes")
    finally:
        controller.stop()
    for failure in failures:
        print("FAIL:", failure)
    print("messages received:", len(store.messages))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
