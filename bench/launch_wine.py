#!/usr/bin/env python3
"""The Windows program under Wine: the size of minukape.exe, and launch to
first painted window against the same window with no behaviour and a bare
Win32 window under the same Wine server,
in rounds that take each in turn. Each start is timed by xwatch, which sees
Wine's X window mapped and first drawn into (no virtual desktop here, so
each top-level window is an X window of its own).
usage: launch_wine.py BUILD_DIR SOURCE_DIR [ROUNDS]  (the Windows build in BUILD_DIR/windows)"""
import os
import statistics
import subprocess
import sys

from harness.desktop import Desktop
from harness.wine import Wine


def main(build, source, rounds=60):
    build, source = os.path.abspath(build), os.path.abspath(source)
    windows = os.path.join(build, "windows")
    exe = os.path.join(windows, "minukape.exe")
    programs = {"minukape": exe, "the same window with no behaviour": os.path.join(windows, "same_window.exe"),
                "bare Win32 window": os.path.join(windows, "bare_win32.exe")}
    paint = {name: [] for name in programs}
    with Desktop(bus=False) as desktop:
        wine = Wine(desktop)
        try:
            for _ in range(rounds + 1):  # the first round warms Wine's caches and is not counted
                for name, program in programs.items():
                    out = subprocess.run([os.path.join(build, "bench", "xwatch"), "300", "wine", program],
                                         env=wine.env, cwd=source, capture_output=True, text=True,
                                         timeout=60).stdout.split()
                    paint[name].append(float(out[0]))
        finally:
            wine.close()
    ms = {name: statistics.median(times[1:]) for name, times in paint.items()}
    ours, floor, bare = ms["minukape"], ms["the same window with no behaviour"], ms["bare Win32 window"]
    print(f"`minukape.exe` against two floors: the same window with no behaviour (`bench/win32/same_window.cpp`: "
          f"the same controls from the same table with their spoken names, the first box focused, the same fonts, "
          f"manifest and resources, and no handlers, sound or input method) and a bare Win32 window of the same "
          f"client size and colour. Each is started with `wine` under one Wine server on Xvfb, without a virtual "
          f"desktop so each window is an X window `bench/xwatch` can watch; launch is the time to the first "
          f"drawing into it. Medians of {rounds} interleaved rounds after one warm-up round."
          f"\n\n| figure | result | goal | holds |\n| --- | --- | --- | --- |")
    print(f"| `minukape.exe` size (one file, no DLLs of its own) | {os.path.getsize(exe) / 1024:,.0f} KiB | | |")
    for name, value in ms.items():
        print(f"| launch to first paint, {name} | {value:.1f} ms | | |")
    print(f"| ratio to the same window with no behaviour | {ours / floor:.2f}x | <= 1.10x | "
          f"{'yes' if ours <= 1.10 * floor else '**no**'} |")
    print(f"| ratio to the bare window | {ours / bare:.2f}x | reported | |")

if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], *(int(a) for a in sys.argv[3:]))
