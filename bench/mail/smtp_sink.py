#!/usr/bin/python3
"""aiosmtpd on 127.0.0.1 for the send benchmark: prints its port, counts and
discards every message, and stops when its standard input closes."""
import socket
import sys

from aiosmtpd.controller import Controller


class Discard:
    async def handle_DATA(self, server, session, envelope):
        return "250 Message accepted"


with socket.socket() as probe:
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
controller = Controller(Discard(), hostname="127.0.0.1", port=port, data_size_limit=64 << 20)
controller.start()
print(port, flush=True)
sys.stdin.read()
controller.stop()
