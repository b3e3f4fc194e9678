#!/usr/bin/env python3
"""Tests of the Windows program under Wine, as a person would use it: on a
private X server, in a Wine virtual desktop with a prefix of the run's own,
with a private PulseAudio server whose null sink is recorded. The driver
(driver.cpp, built with the same compiler) works the real minukape.exe
through its window's messages; this script starts everything, listens to
the cues and checks the window's colours in a screenshot.

usage: run.py wine|prefix --build LINUX_BUILD --windows WINDOWS_BUILD --source SOURCE --wine WINE_DIR
(prefix makes the Wine prefix in WINE_DIR ahead; wine plays every test in it, made first if missing)."""
import glob
import os
import shutil
import subprocess
import sys

from harness.checks import Failure, arguments, check, check_none, verdict, wait_for
from harness.desktop import Desktop, colour_faults
from harness.recording import GAME_CUES, again_when_damaged, cue_faults
from harness.wine import SCREEN, Wine
from harness.game import DIGITS, REFUSAL, SCORE
from harness.window import CONTROLS, WINDOW, place_faults

# The sample game, as the driver plays it from the names the window starts with.
GAME = f"game={SCORE}"


def reported(lines, kind):
    """What the driver reported in its lines of one kind ("KIND WHAT")."""
    return [line[len(kind) + 1:] for line in lines if line.startswith(kind + " ")]


def named(lines, kind):
    """The driver's lines of one kind that name a control ("KIND NAME WHAT"), by name."""
    return dict(what.partition(" ")[::2] for what in reported(lines, kind))


def start_faults(lines):
    """The window as it opens against the original's: its caption, its client area's size, every
    control's place, the boxes' texts and what a screen reader calls each control it reaches."""
    size = list(map(int, reported(lines, "CLIENT")[0].split()[2:]))
    places = {name: list(map(int, place.split())) for name, place in named(lines, "PLACE").items()}
    caption = reported(lines, "CAPTION")
    return ([] if size == [WINDOW["width"], WINDOW["height"]] else [f"the client area is {size}"]) + (
        [] if caption == [WINDOW["caption"]] else [f"the window is captioned {caption}"]) + [
        f"{name} {what} {seen!r}, not {CONTROLS[name][key]!r}"
        for kind, what, key in (("TEXT", "holds", "text"), ("SPOKEN", "is said as", "spoken"))
        for name, seen in named(lines, kind).items() if seen != CONTROLS[name][key]] + place_faults(places)


def game_faults(lines):
    """The sample game's count as the window gave it to the display, and the digits it left."""
    shown, digits = reported(lines, "SHOWN"), named(lines, "TEXT").get("Text4")
    return ([] if [seen.split() for seen in shown] == [[str(n) for n in range(int(SCORE) + 1)]]
            else [f"the display showed {shown}"]) + ([] if digits == DIGITS else [f"Text4 holds {digits}"])


class Tests:
    def __init__(self, args):
        self.args = args
        self.shots = os.path.join(args.build, "e2e-shots")

    def stage(self, desktop):
        """The Windows program, the driver, their files and the cues, copied to a folder of the
        desktop's: Wine cannot start in a folder whose Windows path passes 260 characters, as a
        build inside a long clone path may. The program plays from it as from the clone's root."""
        folder = desktop.path("windows")
        shutil.copytree(os.path.join(self.args.source, "Sound"), os.path.join(folder, "Sound"))
        for name in ("minukape.exe", "win32_driver.exe", "window_probe.dll", "Default.wav",
                     *map(os.path.basename, glob.glob(os.path.join(self.args.windows, "minukape-*-setup.exe")))):
            shutil.copy(os.path.join(self.args.windows, name), folder)
        os.chdir(folder)  # where Wine's programs start, unless told otherwise
        self.folder = folder
        self.exe, self.driver = os.path.join(folder, "minukape.exe"), os.path.join(folder, "win32_driver.exe")

    def listen(self, desktop, wine, *scenarios):
        """Runs driver scenarios while recording; returns the cues heard."""
        cues = desktop.cues_heard(self.args.build, lambda: setattr(self, "lines", wine.drive(self.driver, *scenarios)))
        check_none(game_faults(self.lines))
        return cues

    def game(self, desktop, wine):
        """The start state (every control at the original's place), the sample game heard and seen, the
        refusal from each box."""
        wine.start(self.exe, cwd=self.folder)
        lines = wine.drive(self.driver, "start")
        check_none(start_faults(lines))
        origin = tuple(map(int, reported(lines, "CLIENT")[0].split()[:2]))
        check_none(cue_faults(self.listen(desktop, wine, GAME), GAME_CUES, timed=True, stalls=desktop.stalls))
        shot = os.path.join(self.shots, "win32-game-done.png")
        desktop.screenshot(shot, size=SCREEN)
        check_none(colour_faults(shot, origin))
        refusals = reported(wine.drive(self.driver, "refusals", "close"), "REFUSAL")
        check(refusals == [f"{WINDOW['caption']}\t{REFUSAL}"] * 2, f"the refusals said {refusals}")

    def default_sound(self, desktop, wine):
        """From a folder with no Sound folder, each cue plays the program's own Default.wav."""
        empty = desktop.path("no-sounds")
        os.makedirs(empty, exist_ok=True)
        wine.start(self.exe, cwd=empty)
        wine.drive(self.driver, "start")
        check_none(cue_faults(self.listen(desktop, wine, GAME, "close"), ["Default"] * 5, timed=False))

    def installer(self, desktop, wine):
        """The installer installs silently; the installed program finds its sounds; the uninstaller removes it."""
        setup = glob.glob(os.path.join(self.args.windows, "minukape-*-setup.exe"))
        check(len(setup) == 1, f"installers built: {setup}")
        installed = r"C:\Program Files\minukape"  # by its Windows path: the prefix may lie deep in a long clone
        wine.run(["wine", os.path.join(self.folder, os.path.basename(setup[0])), "/S", "/D=" + installed], timeout=120)
        folder = wine.c_drive("Program Files", "minukape")
        for name in ("minukape.exe", "Default.wav", "uninstall.exe", "Sound/Push.wav", "Sound/Kin.wav",
                     "Sound/Pororon.wav"):
            check(os.path.isfile(os.path.join(folder, name)), f"the installer did not install {name}")
        shortcuts = glob.glob(wine.c_drive("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "*.lnk"))
        check([os.path.basename(s) for s in shortcuts] == [WINDOW["caption"] + ".lnk"], f"Start-menu shortcuts: {shortcuts}")
        listed = wine.run(["wine", "reg", "query",
                           r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\minukape"]).stdout
        check(b"UninstallString" in listed, "the uninstaller is not listed under installed programs")

        # Started as its shortcut starts it: in the install folder.
        wine.start(installed + r"\minukape.exe", cwd=folder)
        wine.drive(self.driver, "start")
        check_none(cue_faults(self.listen(desktop, wine, GAME, "close"), GAME_CUES, timed=False))

        wine.run(["wine", installed + r"\uninstall.exe", "/S"], timeout=60)
        wait_for(lambda: not os.path.exists(os.path.join(folder, "minukape.exe")), what="the uninstaller")

    def all(self):
        """Each test in turn, each after a failed one too; the failures, together."""
        failed = []
        with Desktop(bus=False, sound=True) as desktop:
            self.stage(desktop)
            wine = Wine(desktop, self.args.wine)
            try:
                for name, test in (("game", self.game), ("default sound", self.default_sound),
                                   ("installer", self.installer), ("zip", lambda *_: self.zip())):
                    try:
                        again_when_damaged(name, lambda: test(desktop, wine), before_again=wine.end_program)
                        print(f"PASS {name}")
                    except (Failure, TimeoutError, subprocess.CalledProcessError) as failure:
                        failed.append(f"{name}: {failure}")
                        print(f"FAIL {failed[-1]}")
                        desktop.print_logs()
                        # Which Wine processes were there, to tell a program that never started.
                        print("\n".join(line for line in subprocess.run(["ps", "-eo", "pid,stat,args"], text=True,
                                         capture_output=True).stdout.splitlines() if ".exe" in line))
                        wine.end_program()
            finally:
                wine.close()
                shutil.rmtree(self.args.wine)  # 700 MB, made anew for the next run
        check_none(failed)

    def zip(self):
        """The portable zip holds what the installer installs."""
        zips = glob.glob(os.path.join(self.args.windows, "minukape-*-windows.zip"))
        check(len(zips) == 1, f"zips built: {zips}")
        names = sorted(subprocess.run(["unzip", "-Z1", zips[0]], capture_output=True, text=True,
                                      check=True).stdout.split())
        expected = sorted(["minukape/", "minukape/minukape.exe", "minukape/Default.wav", "minukape/Sound/",
                           "minukape/Sound/Push.wav", "minukape/Sound/Kin.wav", "minukape/Sound/Pororon.wav"])
        check(names == expected, f"the zip holds {names}")


def make_prefix(folder):
    """Made ahead, its seconds of work are out of the line of tests that record, which take turns."""
    shutil.rmtree(folder, ignore_errors=True)
    with Desktop(bus=False) as desktop:
        Wine(desktop, folder).close()


def main():
    args = arguments(["wine", "prefix"], "build", "windows", "source", "wine")
    if args.scenario == "prefix":
        return verdict("win32_prefix", lambda: make_prefix(args.wine))
    return verdict("win32_wine", lambda: Tests(args).all())


if __name__ == "__main__":
    sys.exit(main())
