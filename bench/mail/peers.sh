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
