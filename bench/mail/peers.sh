#!/usr/bin/env bash
# Peer measurements of the mail stack, in the same run as our programs.
#   bench/mail/peers.sh BUILD_DIR
# Each section is independent: it makes its own input, times our program and
# its peer on it, and prints the ratio. Times are CPU seconds (user + system)
# of the best of several runs, so that other load on the machine does not
# decide the ratio.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Best CPU time in microseconds of seven runs of a command. Output goes to
# /dev/null for every program, so the encoders are measured, not the disk.
cpu_us() {
  /usr/bin/python3 - "$@" <<'PY'
import resource, subprocess, sys
best = None
for _ in range(7):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    took = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    best = took if best is None else min(best, took)
print(int(best * 1e6))
PY
}

ratio() { awk -v peer="$1" -v ours="$2" 'BEGIN { printf "%.2f", peer / (ours > 0 ? ours : 1) }'; }

encoder="$build/bench/mail/mail_encode_file"

# --- Base64 lines of a 10 MiB attachment against coreutils base64 -w 76.
head -c $((10 << 20)) /dev/urandom >"$work/attachment.bin"
ours=$(cpu_us "$encoder" base64 "$work/attachment.bin" /dev/null)
peer=$(cpu_us base64 -w 76 "$work/attachment.bin")
echo "base64 10 MiB: ours ${ours} us, coreutils base64 -w 76 ${peer} us, peer/ours $(ratio "$peer" "$ours")"

# --- Quoted-printable of 1 MiB random binary against Python's quopri. Both
# figures are the encode call alone, in memory, best of seven, without the
# start-up of either program.
head -c $((1 << 20)) /dev/urandom >"$work/binary.bin"
ours=$("$encoder" --cpu-us qp "$work/binary.bin")
peer=$(/usr/bin/python3 - "$work/binary.bin" <<'PY'
import io, quopri, sys, time
data = open(sys.argv[1], "rb").read()
best = None
for _ in range(7):
    start = time.process_time()
    quopri.encode(io.BytesIO(data), io.BytesIO(), quotetabs=False)
    took = time.process_time() - start
    best = took if best is None else min(best, took)
print(int(best * 1e6))
PY
)
echo "quoted-printable 1 MiB: ours ${ours} us, Python quopri ${peer} us, peer/ours $(ratio "$peer" "$ours")"

# --- Composing and sending a 10 MiB random attachment to aiosmtpd on
# loopback, against composing alone plus a raw transfer of the same bytes to
# the same server (a bare client: blocking socket, one large write); Python's
# smtplib sending the same composed message beside it. Wall-clock times,
# best of five, since the server's side is part of every figure.
here=$(cd "$(dirname "$0")" && pwd)
sender="$build/bench/mail/mail_send_file"
head -c $((10 << 20)) /dev/urandom >"$work/capture.bmp"
coproc SINK { /usr/bin/python3 "$here/smtp_sink.py"; }
read -r port <&"${SINK[0]}"
best_of_five() {
  local best="" took
  for _ in 1 2 3 4 5; do
    took=$("$@")
    if [ -z "$best" ] || [ "$took" -lt "$best" ]; then best=$took; fi
  done
  echo "$best"
}
compose=$(best_of_five "$sender" compose "$work/capture.bmp" "$work/message.eml")
raw=$(best_of_five "$sender" raw "127.0.0.1:$port" "$work/message.eml")
send=$(best_of_five "$sender" send "127.0.0.1:$port" "$work/capture.bmp")
smtplib=$(/usr/bin/python3 "$here/smtplib_send.py" 127.0.0.1 "$port" "$work/message.eml" 5)
exec {SINK[1]}>&-
wait "$SINK_PID" 2>/dev/null || true
echo "send 10 MiB to aiosmtpd: compose ${compose} us, raw transfer ${raw} us, compose+send ${send} us," \
  "send/(compose+raw) $(awk -v s="$send" -v c="$compose" -v r="$raw" 'BEGIN { printf "%.2f", s / (c + r) }') (target <= 1.20)"
echo "send 10 MiB to aiosmtpd: Python smtplib (sending the composed message) ${smtplib} us," \
  "smtplib/ours $(ratio "$smtplib" "$send")"

# --- ProcessPendingMessages with nothing waiting, per call, against an empty loop.
"$build/bench/mail/bench_mail_pump" --benchmark_format=json --benchmark_min_time=0.2 >"$work/pump.json" 2>/dev/null
/usr/bin/python3 - "$work/pump.json" <<'PY'
import json, sys
runs = {b["name"]: b["cpu_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]}
empty = runs["BM_EmptyLoop"]
for name in ("BM_PumpNothingRegistered", "BM_PumpWithWatchedSocket"):
    print(f"ProcessPendingMessages idle ({name[7:]}): {runs[name]:.2f} ns per call, empty loop {empty:.2f} ns,"
          f" ratio {runs[name] / empty:.1f}, extra {runs[name] - empty:.2f} ns per call")
PY
