#!/usr/bin/env python3
"""The Windows program under Wine: the size of minukape.exe, and launch to
first painted window against a bare Win32 window under the same Wine server,
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


def main(build, source, rounds=15):
    build, source = os.path.abspath(build), os.path.abspath(source)
    windows = os.path.join(build, "windows")
    exe = os.path.join(windows, "minukape.exe")
    print(f"minukape.exe: {os.path.getsize(exe) / 1024:.0f} KiB, one file, no DLLs of its own")
    programs = {"minukape": exe, "bare Win32 window": os.path.join(windows, "bare_win32.exe")}
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
    bare = statistics.median(paint["bare Win32 window"][1:])
    print(f"launch to first painted window under Wine, median of {rounds} interleaved rounds:")
    for name in programs:
        ms = statistics.median(paint[name][1:])
        print(f"  {name:17} {ms:7.1f} ms ({ms / bare:4.2f}x bare Win32)")
    print("  goal: launch <= 1.10x the bare Win32 window")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], *(int(a) for a in sys.argv[3:]))
