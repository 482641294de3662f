#!/usr/bin/python3
"""Python's smtplib sending a composed message file to HOST PORT; prints the
microseconds of the best of RUNS sends (connect to QUIT)."""
import smtplib
import sys
import time

host, port, message_path, runs = sys.argv[1], int(sys.argv[2]), sys.argv[3], int(sys.argv[4])
message = open(message_path, "rb").read()
best = None
for _ in range(runs):
    start = time.perf_counter()
    with smtplib.SMTP(host, port) as client:
        client.sendmail("sender@example.com", ["rcpt@example.com"], message)
    took = time.perf_counter() - start
    best = took if best is None else min(best, took)
print(int(best * 1e6))
