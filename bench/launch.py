#!/usr/bin/env python3
"""Launch to first painted window, and resident memory once shown: the
program against a bare Qt Widgets window (also with one line of Japanese)
and a bare Xlib window, in rounds that take each in turn so all see the same machine. Each start is timed
by xwatch, an X client that sees the new window mapped and first drawn into.
usage: launch.py BUILD_DIR SOURCE_DIR [ROUNDS]"""
import os
import statistics
import subprocess
import sys
import tempfile


def main(build, source, rounds=15):
    work = tempfile.mkdtemp(prefix="minukape-bench-")
    runtime = os.path.join(work, "run")
    os.makedirs(runtime, mode=0o700)
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
                            stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        display = pipe.readline().strip()
    env = {"PATH": os.environ["PATH"], "DISPLAY": f":{display}", "HOME": work, "XDG_RUNTIME_DIR": runtime,
           "QT_QPA_PLATFORM": "xcb", "LANG": "C.UTF-8"}
    programs = {
        "minukape": os.path.join(build, "minukape"),
        "bare Qt window": os.path.join(build, "bench", "bare_qt"),
        "bare Qt + Japanese": os.path.join(build, "bench", "bare_qt_label"),
        "bare Xlib window": os.path.join(build, "bench", "bare_xlib"),
    }
    paint = {name: [] for name in programs}
    memory = {name: [] for name in programs}
    try:
        for _ in range(rounds):
            for name, binary in programs.items():
                out = subprocess.run([os.path.join(build, "bench", "xwatch"), "500", binary], env=env,
                                     cwd=source, capture_output=True, text=True, timeout=60).stdout.split()
                paint[name].append(float(out[0]))
                memory[name].append(int(out[1]))
    finally:
        xvfb.terminate()
        xvfb.wait()

    qt_paint = statistics.median(paint["bare Qt window"])
    qt_memory = statistics.median(memory["bare Qt window"])
    print(f"launch to first painted window, median of {rounds} interleaved rounds:")
    for name in programs:
        ms, kib = statistics.median(paint[name]), statistics.median(memory[name])
        print(f"  {name:17} {ms:7.1f} ms ({ms / qt_paint:4.2f}x bare Qt)   "
              f"resident {kib / 1024:6.1f} MiB ({kib / qt_memory:4.2f}x bare Qt)")
    print("  goals: launch <= 1.10x and memory <= 1.25x the bare Qt window")
    label_paint = statistics.median(paint["bare Qt + Japanese"])
    label_memory = statistics.median(memory["bare Qt + Japanese"])
    print(f"  against the bare Qt window showing one line of Japanese in the Mincho face: "
          f"launch {statistics.median(paint['minukape']) / label_paint:.2f}x, "
          f"memory {statistics.median(memory['minukape']) / label_memory:.2f}x")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], *(int(a) for a in sys.argv[3:]))
