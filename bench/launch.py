#!/usr/bin/env python3
"""Launch to first painted window, and resident memory once shown: the
program against the same window with no behaviour (same_form_qt), a bare Qt
Widgets window (also with one line of Japanese) and a bare Xlib window, in rounds that take each in turn so all see the same machine. Each start is timed
by xwatch, an X client that sees the new window mapped and first drawn into.
usage: launch.py BUILD_DIR SOURCE_DIR [ROUNDS]"""
import os
import statistics
import subprocess
import sys

from harness.desktop import Desktop


def main(build, source, rounds=60):
    programs = {
        "minukape": os.path.join(build, "minukape"),
        "the same window, no behaviour": os.path.join(build, "bench", "same_form_qt"),
        "bare Qt window": os.path.join(build, "bench", "bare_qt"),
        "bare Qt + Japanese": os.path.join(build, "bench", "bare_qt_label"),
        "bare Xlib window": os.path.join(build, "bench", "bare_xlib"),
    }
    paint = {name: [] for name in programs}
    memory = {name: [] for name in programs}
    # The tests' private X server, with a home and runtime folder of its own.
    with Desktop(bus=False) as desktop:
        env = dict(desktop.env, QT_QPA_PLATFORM="xcb")
        for _ in range(rounds):
            for name, binary in programs.items():
                out = subprocess.run([os.path.join(build, "bench", "xwatch"), "500", binary], env=env,
                                     cwd=source, capture_output=True, text=True, timeout=60).stdout.split()
                paint[name].append(float(out[0]))
                memory[name].append(int(out[1]))

    qt_paint = statistics.median(paint["bare Qt window"])
    qt_memory = statistics.median(memory["bare Qt window"])
    print(f"Launch is the time from starting a program to the first drawing into its new top-level window, as an "
          f"X client (`bench/xwatch`) sees it; memory is the resident set 500 ms after that. Medians of {rounds} "
          f"interleaved rounds.\n\n| program | launch | ratio | resident | ratio |\n| --- | --- | --- | --- | --- |")
    for name in programs:
        ms, kib = statistics.median(paint[name]), statistics.median(memory[name])
        print(f"| {name} | {ms:.1f} ms | {ms / qt_paint:.2f}x | {kib / 1024:.1f} MiB | {kib / qt_memory:.2f}x |")
    ours = statistics.median(paint["minukape"]), statistics.median(memory["minukape"])
    label = statistics.median(paint["bare Qt + Japanese"]), statistics.median(memory["bare Qt + Japanese"])
    same = statistics.median(paint["the same window, no behaviour"]), statistics.median(memory["the same window, no behaviour"])
    print("\n| figure | result | goal | holds |\n| --- | --- | --- | --- |")
    for what, ratio, goal in (("launch against the same window with no behaviour", ours[0] / same[0], 1.05),
                              ("memory against the same window with no behaviour", ours[1] / same[1], 1.25),
                              ("launch against the bare Qt window", ours[0] / qt_paint, 1.10),
                              ("memory against the bare Qt window", ours[1] / qt_memory, 1.25),
                              ("launch against the bare Qt window with one line of Japanese in Mincho",
                               ours[0] / label[0], None),
                              ("memory against the bare Qt window with one line of Japanese", ours[1] / label[1], 1.25)):
        print(f"| {what} | {ratio:.2f}x | " + ("reported | |" if goal is None else
              f"<= {goal:.2f}x | {'yes' if ratio <= goal else '**no**'} |"))

if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], *(int(a) for a in sys.argv[3:]))
