"""The roads as a user meets them: once, in a fresh process, against the
peer's figure taken the same way, alternating in one run. Medians of the
CPU times (the machine is shared):

- grabwell-tool convert of a desktop BMP to GIF, the whole process, against
  Pillow's open + web-palette convert + save in one Python process;
- the BMP writer saving a 4K picture against one write call of the same
  file's bytes, and the JPEG writer against libjpeg compressing the same
  rows (bench_output --cold-save).

  cold_peers.py BUILD_DIR WORKDIR   (WORKDIR holds desktop_WxH.bmp)
"""
import os
import statistics
import subprocess
import sys

build, work = sys.argv[1], sys.argv[2]
here = os.path.dirname(os.path.abspath(__file__))
tool = os.path.join(build, "tool", "grabwell-tool")
bench = os.path.join(build, "bench", "output", "bench_output")
ROUNDS = 7


def process_ms(command):
    """CPU milliseconds of a whole child process (user + system)."""
    pid = os.fork()
    if pid == 0:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.execv(command[0], command)
    _, status, usage = os.wait4(pid, 0)
    if status != 0:
        sys.exit(f"{' '.join(command)} failed")
    return 1e3 * (usage.ru_utime + usage.ru_stime)


def printed_ms(command):
    """The milliseconds a child prints for the step it timed itself."""
    return float(subprocess.run(command, check=True, capture_output=True, text=True).stdout)


def paired(ours, peer):
    """Medians of ROUNDS alternating runs (the one going first changes)."""
    mine, theirs = [], []
    for round in range(ROUNDS):
        if round % 2 == 0:
            mine.append(ours())
            theirs.append(peer())
        else:
            theirs.append(peer())
            mine.append(ours())
    return statistics.median(mine), statistics.median(theirs)


for size in ("1920x1080", "3840x2160"):
    picture = os.path.join(work, f"desktop_{size}.bmp")
    ours, pillow = paired(
        lambda: process_ms([tool, "convert", picture, os.path.join(work, "cold_ours.gif")]),
        lambda: printed_ms(["/usr/bin/python3", os.path.join(here, "pillow_gif_cold.py"), picture,
                            os.path.join(work, "cold_pillow.gif")]))
    print(f"cold GIF road {size}: grabwell-tool convert process {ours:.1f} ms, Pillow open+convert+save "
          f"{pillow:.1f} ms, ratio {ours / pillow:.2f} (target <= 0.5)")

picture = os.path.join(work, "desktop_3840x2160.bmp")
for ours_kind, peer_kind, what in (("bmp", "write", "one write call of the same bytes"),
                                   ("jpeg", "libjpeg", "libjpeg compressing the same rows")):
    ours, peer = paired(
        lambda: printed_ms([bench, "--cold-save", ours_kind, picture, os.path.join(work, "cold_ours")]),
        lambda: printed_ms([bench, "--cold-save", peer_kind, picture, os.path.join(work, "cold_peer")]))
    print(f"cold {ours_kind.upper()} save 3840x2160: ours {ours:.1f} ms, {what} {peer:.1f} ms, "
          f"ratio {ours / peer:.2f} (target <= 1.5)")
