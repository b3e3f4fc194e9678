"""A Wine prefix of the run's own on the private desktop, for the Windows program and the
driver that works it; bench/launch_wine.py starts programs in it too."""
import os
import shutil
import subprocess

from harness.checks import READY, check, wait_for
from harness.recording import Damaged


SCREEN = (800, 600)  # Wine's virtual desktop, the X screen the tests grab
DESKTOP = "/desktop=minukape,%dx%d" % SCREEN


def unix_to_wine(path):
    return "Z:" + path.replace("/", "\\")


class Wine:
    """A Wine prefix and a Japanese locale in folder, on the desktop's X server and sound server: made
    there now, or taken over from an earlier run that made them; by default, in the desktop's folder."""

    def __init__(self, desktop, folder=None):
        self.desktop = desktop
        folder = folder or desktop.path("wine")
        locales = os.path.join(folder, "locales")
        self.env = dict(desktop.env, WINEARCH="win64", WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
                        WINEPREFIX=os.path.join(folder, "prefix"), LOCPATH=locales, LANG="ja_JP.UTF-8")
        fresh = not os.path.exists(folder)
        if fresh:
            # Japanese captions render only under a Japanese locale.
            os.makedirs(locales)
            subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8", os.path.join(locales, "ja_JP.UTF-8")],
                           check=True, capture_output=True)
            os.makedirs(self.env["WINEPREFIX"])
        # One server for the whole run, so each program starts at once.
        desktop.spawn("wineserver", ["wineserver", "-f", "-p"], env=self.env)
        # wineboot makes a new prefix, or starts a made one's services (here, not in a test's game), and
        # leaves them running with its output open: no pipe.
        subprocess.run(["wineboot"] + ["-i"] * fresh, env=self.env, timeout=120, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if fresh:
            # Wine's own caption font, for the title bar's buttons.
            shutil.copy("/usr/share/wine/fonts/marlett.ttf", self.c_drive("windows", "Fonts"))
            # Wine has no "ＭＳ 明朝": the IPAex Mincho face stands in for it.
            self.run(["wine", "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", "ＭＳ 明朝",
                      "/t", "REG_SZ", "/d", "IPAexMincho", "/f"])

    def run(self, command, timeout=60, **kwargs):
        return subprocess.run(command, env=self.env, timeout=timeout, check=True, capture_output=True, **kwargs)

    def c_drive(self, *parts):
        return os.path.join(self.env["WINEPREFIX"], "drive_c", *parts)

    def start(self, exe, cwd):
        self.desktop.spawn("minukape", ["wine", "explorer", DESKTOP, exe], env=self.env, cwd=cwd)

    def drive(self, driver, *scenarios, timeout=4 * READY):
        """Runs the driver's scenarios on the desktop; returns the lines it reported."""
        report = self.desktop.path("report.txt")
        if os.path.exists(report):
            os.remove(report)
        self.desktop.spawn("driver", ["wine", "explorer", DESKTOP, os.path.basename(driver),
                                      unix_to_wine(report), *scenarios],
                           env=self.env, cwd=os.path.dirname(driver))
        log = self.desktop.path("driver.log")

        def tally():
            if not os.path.exists(report):
                # Wine's start.exe at times fails to start the driver: not the program's doing.
                with open(log, "rb") as said:
                    if b"ShellExecuteEx" in said.read():
                        raise Damaged(f"Wine could not start the driver for {' '.join(scenarios)}: "
                                      "start.exe's ShellExecuteEx failed")
                return None
            lines = open(report, encoding="utf-8").read().splitlines()
            return lines if lines and lines[-1].endswith(" failed") else None
        lines = wait_for(tally, timeout, interval=0.1, what=f"the driver's {' '.join(scenarios)}")
        failures = [line for line in lines if line.startswith("FAIL")]
        check(not failures, f"{' '.join(scenarios)}: " + "; ".join(failures))
        print(f"driver {' '.join(scenarios)}: {lines[-1]}")
        return lines

    def end_program(self):
        """The next test starts from no program at all."""
        subprocess.run(["wine", "taskkill", "/f", "/im", "minukape.exe"], env=self.env,
                       capture_output=True, timeout=30)

    def close(self):
        """Ends every Wine process of the prefix, and waits until they are gone (and the registry is written)."""
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True, timeout=30)
        subprocess.run(["wineserver", "-w"], env=self.env, capture_output=True, timeout=30)
