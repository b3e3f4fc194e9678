#!/usr/bin/env python3
"""The Windows program's cues under Wine: from the step that asks for a cue (the display
given its text, as the driver's hook in the program notes it on the performance counter) to
the cue's onset in a recording of the private sound server's null sink. The counter is put on
the recording's clock by the driver's clock scenario, whose lines are read as they arrive.
usage: cues_wine.py BUILD_DIR SOURCE_DIR [GAMES]  (the Windows build in BUILD_DIR/windows)"""
import contextlib
import os
import shutil
import statistics
import sys
import time

from harness.desktop import RATE, Desktop
from harness.game import SCORE
from harness.recording import GAME_CUES, GAME_STEPS, cues_in
from harness.wine import DESKTOP, Wine, unix_to_wine

GOAL_MS = 20  # every cue, the first too, at most this long after its step


def stage(desktop, build, source):
    """The program, the driver and its hook, and the sounds, in a short folder of the desktop's."""
    folder = desktop.path("windows")
    shutil.copytree(os.path.join(source, "Sound"), os.path.join(folder, "Sound"))
    for name in ("minukape.exe", "win32_driver.exe", "window_probe.dll", "Default.wav"):
        shutil.copy(os.path.join(build, "windows", name), folder)
    return folder


def counter_offset_s(desktop, wine, folder):
    """What to add to the performance counter (s) to read the monotonic clock: the least gap
    between a counter reading the driver wrote and the moment its line was seen here."""
    report = desktop.path("clock.txt")
    desktop.spawn("clock", ["wine", "explorer", DESKTOP, "win32_driver.exe", unix_to_wine(report), "clock"],
                  env=wine.env, cwd=folder)
    gaps, seen = [], 0
    deadline = time.monotonic() + 60
    while len(gaps) < 50 and time.monotonic() < deadline:
        lines = open(report).read().splitlines() if os.path.exists(report) else []
        now = time.monotonic()
        gaps += [now - int(line.split()[1]) / 1e6 for line in lines[seen:] if line.startswith("NOW ")]
        seen = len(lines)
        time.sleep(0.0005)
    return min(gaps)


def recording_start_s(desktop):
    """When the recording's first sample was rendered, on the monotonic clock: no later than any
    moment less the length it had reached by then (each arrival bounds it)."""
    bounds = []
    while os.path.getsize(desktop.recording) / 4 / RATE < 0.3:
        bounds.append(time.monotonic() - os.path.getsize(desktop.recording) / 4 / RATE)
        time.sleep(0.0005)
    return min(bounds)


def main(build, source, games=3):
    build, source = os.path.abspath(build), os.path.abspath(source)
    first, later = [], []
    # What the harness says as it goes is not a result: it goes with the errors.
    with contextlib.redirect_stdout(sys.stderr), Desktop(bus=False, sound=True) as desktop:
        wine = Wine(desktop)
        try:
            folder = stage(desktop, build, source)
            offset = counter_offset_s(desktop, wine, folder)
            for game in range(games):
                wine.start(os.path.join(folder, "minukape.exe"), cwd=folder)
                wine.drive(os.path.join(folder, "win32_driver.exe"), "start")
                desktop.start_recording()
                started = recording_start_s(desktop)
                lines = wine.drive(os.path.join(folder, "win32_driver.exe"), f"game={SCORE}")
                cues = cues_in(build, desktop.stop_recording())
                wine.end_program()
                if [name for name, _ in cues] != GAME_CUES:
                    print(f"cues_wine.py: heard {cues}, left out", file=sys.stderr)
                    continue
                texts = next(line.split()[1:] for line in lines if line.startswith("SHOWN "))
                at = dict(zip(texts, map(int, next(line.split()[1:] for line in lines if line.startswith("SHOWN_AT ")))))
                delays = [(started + onset / 1000 - (at[str(step)] / 1e6 + offset)) * 1000
                          for (_, onset), step in zip(cues, GAME_STEPS)]
                print("cues after their steps: " + ", ".join(f"{name} {ms:.1f} ms" for (name, _), ms in zip(cues, delays)))
                first.append(delays[0])
                later += delays[1:]
        finally:
            wine.close()
    later.sort()
    holds = lambda ms: "yes" if ms <= GOAL_MS else "**no**"
    print(f"From the step that asks for a cue (the display given its text, as the driver's hook in the program "
          f"times it) to the cue's onset in a recording of the private server's null sink, {games} sample games "
          f"({len(first) + len(later)} cues), each in a program started afresh, whose sound is readied as its window is shown. The "
          f"program's performance counter is put on the recording's clock by a driver that writes it out 50 "
          f"times.\n\n"
          f"| cue | to rendered sound | goal | holds |\n| --- | --- | --- | --- |")
    print(f"| the program's first cue, max | {max(first):.1f} ms | <= {GOAL_MS} ms | "
          f"{holds(max(first))} |")
    print(f"| later cues, median | {statistics.median(later):.1f} ms | | |")
    print(f"| later cues, max | {later[-1]:.1f} ms | <= {GOAL_MS} ms | {holds(later[-1])} |")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], *(int(a) for a in sys.argv[3:]))
