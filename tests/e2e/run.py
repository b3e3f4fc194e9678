#!/usr/bin/env python3
"""End-to-end tests of the real program on a private desktop, driven as a
person would: xdotool types and clicks, fcitx5 with mozc turns romaji into
hiragana, a private sound server records the cues, and AT-SPI reads the
window as a screen reader does.

usage: run.py SCENARIO --build BUILD_DIR --source SOURCE_DIR [--shots DIR]
Scenarios: game, pipewire, wayland, ime, ibus, bare,
close, writes_nothing, and installed (needs --deb)."""
import configparser
import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from harness.checks import Failure, arguments, check, check_none, stays, verdict, wait_for
from harness.desktop import Desktop, colour_faults
from harness.game import NAMES, REFUSAL, ROMAJI, SCORE
from harness.oracle import oracle_score
from harness.recording import TRIES, again_when_damaged, cue_faults
from harness.window import CONTROLS, WINDOW, centre, place_faults

# Where a person clicks, in the window.
TEXT1, TEXT2, BUTTON, DISPLAY = map(centre, ("Text1", "Text2", "Command1", "Text3"))
# The role a screen reader gives each kind of control.
ROLES = {"text box": "text", "push button": "push button", "label": "label"}

NOBODY = 65534  # the system's unprivileged user and group on Debian


class Scenario:
    def __init__(self, args):
        self.args = args
        self.binary = os.path.join(args.build, "minukape")
        os.makedirs(args.shots, exist_ok=True)

    def shot(self, desktop, name):
        path = os.path.join(self.args.shots, f"{name}.png")
        desktop.screenshot(path)
        return path

    def start(self, desktop, binary=None, cwd=None):
        return desktop.start_program(binary or self.binary, cwd=cwd or self.args.source)

    def accessibility(self, desktop):
        """The AT-SPI reader for this desktop (one desktop with AT-SPI per run)."""
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = desktop.env["DBUS_SESSION_BUS_ADDRESS"]
        from harness import a11y
        return a11y

    def start_read(self, desktop):
        """Starts the program; returns the AT-SPI reader, the program's application and its controls."""
        program = self.start(desktop)
        a11y = self.accessibility(desktop)
        app = a11y.application(pid=program.pid)
        return a11y, app, controls(a11y, app)

    def dismiss_refusal(self, desktop, a11y, app, box, shot=None):
        """The refusal as a screen reader meets it: the window's caption, its text and OK alone. Its OK
        pressed, it closes, the box it refused is emptied and the button is off."""
        alert = wait_for(lambda: a11y.find(app, role="alert"), what="the refusal message")
        if shot:
            self.shot(desktop, shot)
        said = {role: [node.name for node, _ in a11y.walk(alert) if node.getRoleName() == role and node.name]
                for role in ("label", "push button")}
        check(alert.name == WINDOW["caption"] and said == {"label": [REFUSAL], "push button": ["OK"]},
              f"the message is {alert.name!r}: {said}")
        a11y.press(a11y.find(alert, role="push button", name="OK"))
        wait_for(lambda: a11y.find(app, role="alert") is None, what="the message to close")
        wait_for(lambda: a11y.text(box) == "", what=f"{box.name} to be emptied")
        check(not a11y.enabled(controls(a11y, app)[3]), "the button is still enabled")

    def enter_name(self, desktop, box, romaji):
        """Clicks a name box, waits for the program to switch the input method on, types and commits."""
        desktop.click(*box)
        wait_for(lambda: desktop.ime_state() == 2, what="the input method to switch on")
        desktop.type(romaji)
        desktop.key("Return")

    # --- the scenarios ----------------------------------------------------
    def game(self):
        """A person's game: two names typed in romaji, the button, the count heard and read."""
        with Desktop(ime=True, sound=True, a11y=True) as desktop:
            a11y, app, (first, second, result, _) = self.start_read(desktop)
            print(a11y.describe(app))
            check_none(start_faults(a11y, app))

            desktop.start_recording()
            for box, node, romaji, kana in zip((TEXT1, TEXT2), (first, second), ROMAJI, NAMES):
                self.enter_name(desktop, box, romaji)
                wait_for(lambda: a11y.text(node) == kana, what=f"{kana} in {node.name}")
            self.shot(desktop, "game-names")
            desktop.click(*BUTTON)
            # No screenshot mid-count: reading the screen holds up the X server the program draws
            # through, and its count with it, which would be the test's doing, not the program's.
            wait_for(lambda: a11y.text(result) == SCORE, what=f"the count to reach {SCORE}")
            check(stays(lambda: a11y.text(result) == SCORE, 0.3), f"the count went past {SCORE}")
            self.shot(desktop, "game-done")
            cues = desktop.recorded_cues(self.args.build)

        print("cues heard:", cues)
        check_none(cue_faults(cues, stalls=desktop.stalls))
        print(f"press to first bell: {cues[1][1] - cues[0][1]:.0f} ms (the first cue opens the sound server)")

    def pipewire(self):
        """A game heard through PipeWire's PulseAudio service, each cue at its tick."""
        with Desktop(sound="pipewire", a11y=True) as desktop:
            a11y, app, (_, _, result, _) = self.start_read(desktop)
            cues = desktop.cues_heard(self.args.build, lambda: (
                desktop.click(*BUTTON), wait_for(lambda: a11y.text(result) == SCORE, what=f"the count to reach {SCORE}")))
        print(f"cues {cues}")
        check_none(cue_faults(cues, stalls=desktop.stalls))

    def wayland(self):
        """On sway, as a native Wayland client: names typed through fcitx5 and mozc, the count, a
        refusal, the window's size and colours in a screenshot, the controls read over AT-SPI."""
        with Desktop(wayland=True, ime=True, a11y=True) as desktop:
            a11y, app, (first, second, result, _) = self.start_read(desktop)
            geometry = desktop.window["rect"]
            check((geometry["width"], geometry["height"]) == (WINDOW["width"], WINDOW["height"]), f"the window is {geometry}")

            # The first name has the focus, selected: typing replaces it; Tab selects the second, and
            # from there Tab and Space press the button.
            for node, romaji, kana in zip((first, second), ROMAJI, NAMES):
                wait_for(lambda: a11y.focused(node) and a11y.selected(node) == a11y.text(node),
                         what=f"the box for {kana} entered")
                wait_for(lambda: desktop.ime_state() == 2, what="the input method to switch on")
                desktop.wtype("-d", "20", romaji, "-s", "100", "-k", "Return")
                wait_for(lambda: a11y.text(node) == kana, what=f"{kana} typed as {romaji}")
                if node is first:
                    desktop.wtype("-k", "Tab")
            desktop.wtype("-k", "Tab", "-s", "100", "-k", "space")
            wait_for(lambda: a11y.text(result) == SCORE, what=f"the count to reach {SCORE}")
            shot = self.shot(desktop, "wayland-done")
            check_none(colour_faults(shot, (geometry["x"], geometry["y"])))

            desktop.wtype("-M", "shift", "-k", "Tab", "-m", "shift")
            wait_for(lambda: a11y.focused(second) and a11y.selected(second) == NAMES[1],
                     what="shift+Tab into the second box, selected")
            wait_for(lambda: desktop.ime_state() == 2, what="the input method to switch on")
            desktop.wtype("-d", "20", "tarou", "-s", "100", "-k", "F7", "-s", "100", "-k", "Return")
            self.dismiss_refusal(desktop, a11y, app, second, "wayland-refusal")

    def ime(self):
        """The input method is switched on by the program, and only by the name boxes. An fcitx5
        that comes up after the box is entered (at login) is asked until it answers."""
        with Desktop(ime=True, a11y=True) as desktop:
            a11y, app, (first, _, result, _) = self.start_read(desktop)
            # The first box asks for hiragana. With the input method off, the result box is entered
            # afresh (from the button): it must leave it off.
            desktop.click(*TEXT1)
            wait_for(lambda: desktop.ime_state() == 2, what="the program to switch the input method on")
            desktop.click(*DISPLAY)
            wait_for(lambda: a11y.focused(result), what="the result box's focus")
            desktop.ime_call("Deactivate")
            wait_for(lambda: desktop.ime_state() == 1, what="the input method to be off")
            desktop.key("shift+Tab")
            wait_for(lambda: not a11y.focused(result), what="the button's focus")
            desktop.key("Tab")
            wait_for(lambda: a11y.focused(result), what="the result box's focus again")
            check(stays(lambda: desktop.ime_state() == 1, 1.0), "the result box turned the input method on")

            # Entered while fcitx5 is not on the bus, so the program's first request is lost: the
            # first box still gets hiragana when fcitx5 comes up 3 s later, as at a login where the
            # desktop starts it last.
            desktop.stop_ime()
            desktop.click(*TEXT1)
            wait_for(lambda: a11y.focused(first), what="the first box's focus")
            time.sleep(3)  # the login's delay, not a wait for readiness
            desktop.start_ime()
            wait_for(lambda: desktop.ime_state() == 2, what="the program to switch the input method on")
            desktop.type("sakura")
            desktop.key("Return")
            wait_for(lambda: a11y.text(first) == "さくら", what="さくら in the first box")
            self.shot(desktop, "ime-sakura")

    def ibus(self):
        """IBus with mozc, which starts in direct input: entering a box turns it to hiragana, leaving
        the names for the button gives the direct mode back, and with xkb:us nothing changes."""
        with Desktop(ime="ibus", a11y=True) as desktop:
            desktop.ibus_engine("mozc-jp")
            a11y, app, (first, second, result, _) = self.start_read(desktop)
            desktop.focus(desktop.window)
            for box, romaji, kana in ((TEXT1, "sakura", "さくら"), (TEXT2, "momotarou", "ももたろう")):
                desktop.click(*box)
                desktop.key("ctrl+a")  # the box may have had the focus already, and the click placed the cursor
                desktop.type(romaji)
                desktop.key("Return")
                node = first if box == TEXT1 else second
                wait_for(lambda: a11y.text(node) == kana, what=f"{kana} typed as {romaji}")
            self.shot(desktop, "ibus-names")
            desktop.click(*BUTTON)
            score = str(oracle_score("さくら", "ももたろう"))
            wait_for(lambda: a11y.text(result) == score, what=f"the count to reach {score}")

            # Tab from a name box to the button: another program types direct input again, as soon
            # as the program has given the mode back.
            desktop.click(*TEXT2)
            desktop.key("Tab")
            other = self.other_window(desktop)
            typed = []
            wait_for(lambda: typed.append(self.type_elsewhere(desktop, other, "sakura", "さくら")) or
                     typed[-1] == "sakura", what=f"another program to type direct input (it typed {typed})")

            # xkb:us has no input modes: asking changes nothing and blocks nothing.
            desktop.ibus_engine("xkb:us::eng")
            desktop.focus(desktop.window)
            desktop.click(*TEXT1)
            desktop.type("a")
            self.dismiss_refusal(desktop, a11y, app, first, "refusal-message")

    def other_window(self, desktop):
        """Another program's text box, logging its text on every change to other.log."""
        env = dict(desktop.env, QT_QPA_PLATFORM="xcb", QT_IM_MODULE="ibus")
        with open(desktop.path("other.log"), "w") as out:
            desktop.processes.append(("other", subprocess.Popen(
                [os.path.join(self.args.build, "tests", "line_edit_window")], env=env, stdout=out,
                stderr=subprocess.DEVNULL, start_new_session=True)))
        return wait_for(lambda: desktop.run(["xdotool", "search", "--onlyvisible", "--name",
                                             "minukape-other"]).split(), what="the other program")[0]

    def type_elsewhere(self, desktop, other, romaji, kana):
        """Types romaji into the other program's emptied box; returns what arrived there, romaji
        or the kana the input method made of them."""
        desktop.focus(other)
        desktop.key("ctrl+a", "BackSpace")
        desktop.type(romaji)
        desktop.key("Return")
        return wait_for(lambda: next((line for line in open(desktop.path("other.log"), encoding="utf-8")
                                      .read().splitlines()[-1:] if line in (romaji, kana)), None),
                        what=f"{romaji} or {kana} in the other program")

    def bare(self):
        """No input method, sound server, accessibility or session bus: a game all the same. Its
        display must come to show what a game read by a screen reader shows at 38, and stay so."""
        # The reference, where a screen reader confirms what the display shows, on a bus that
        # could start fcitx5: entering the boxes must not.
        with Desktop(a11y=True, activatable=True) as desktop:
            a11y, app, (_, _, result, _) = self.start_read(desktop)
            desktop.click(*TEXT2)
            desktop.click(*TEXT1)
            desktop.click(*BUTTON)
            wait_for(lambda: a11y.text(result) == SCORE, what=f"the count to reach {SCORE}")
            reference = self.display_settled(desktop)
            self.shot(desktop, "bare-reference")
            check(not desktop.bus_has("org.fcitx.Fcitx5"), "entering a name box started fcitx5")

        with Desktop(bus=False) as desktop:
            program = self.start(desktop)
            desktop.click(*BUTTON)
            shows_38 = lambda: desktop.display().tobytes() == reference.tobytes()
            wait_for(shows_38, interval=0.1, what="the bare game's display to show 38")
            check(stays(shows_38, 0.5), "the bare game's display went on past 38")
            self.shot(desktop, "bare-done")
            check(program.poll() is None, "the program ended")
            strays = [pid for pid in Desktop.pids_with_home(desktop.env["HOME"])
                      if pid not in (p.pid for _, p in desktop.processes)]
            check(not strays, f"the program left processes behind: {strays}")

    def display_settled(self, desktop):
        """The display once it has painted what it holds: two looks in a row alike."""
        looks = [desktop.display()]
        wait_for(lambda: looks.append(desktop.display()) or looks[-1].tobytes() == looks[-2].tobytes(),
                 interval=0.05, what="the display to settle")
        return looks[-1]

    def close_window(self, desktop):
        tool = os.path.join(self.args.build, "tests", "x_close_window")
        subprocess.run([tool, desktop.window], env=desktop.env, check=True, timeout=10)

    def wait_for_exit(self, desktop, program, when):
        try:
            code = program.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure(f"closing the window {when} did not end the program")
        if code != 0:
            desktop.print_logs()
        desktop.stop_program(program)
        check(code == 0, f"closing the window {when} ended the program with status {code}")

    def close(self):
        """Closing the window mid-count or mid-cue ends the program at once, with status 0. The
        display, read as the window is closed, tells which part of the game was cut short: the
        press cue sounds for the count's first two steps, the closing cue for a second after 38."""
        with Desktop(sound=True, a11y=True) as desktop:
            a11y = self.accessibility(desktop)
            for when, shown in (("during the press cue", ("0", "1")),
                                ("during the count", tuple(str(n) for n in range(12, int(SCORE)))),
                                ("during the closing cue", (SCORE,))):
                program = self.start(desktop)
                _, _, result, button = controls(a11y, a11y.application(pid=program.pid))
                # Pressed as a screen reader does: at once, where a click takes xdotool a tick or two.
                a11y.press(button)
                wait_for(lambda: a11y.text(result) in shown, interval=0.005, what=f"the display to show {shown}")
                self.close_window(desktop)
                self.wait_for_exit(desktop, program, when)

    def writes_nothing(self):
        """A whole game, traced, with a refusal on the way: the program opens no file for writing."""
        with Desktop(sound=True, a11y=True) as desktop:
            log = desktop.path("strace")  # one file a thread, so no call is split
            # LeakSanitizer cannot run under ptrace; the other scenarios check leaks.
            asan = ":".join(filter(None, [os.environ.get("ASAN_OPTIONS"), "detect_leaks=0"]))
            program = desktop.start_program(
                self.binary, cwd=self.args.source, extra_env={"ASAN_OPTIONS": asan},
                wrapper=["strace", "-ff", "-qq", "-o", log, "-e", "trace=" + ",".join(OPEN_CALLS + WRITE_CALLS)])
            a11y = self.accessibility(desktop)
            app = a11y.application()  # strace's child
            first, second, result, _ = controls(a11y, app)
            # Kana are set as a screen reader's user sets them: xdotool types a character the
            # keyboard lacks by changing the keymap, which a busy program may read too late.
            a11y.set_text(first, "すずき")
            wait_for(lambda: a11y.text(first) == "すずき", what="すずき in the first box")
            desktop.click(*TEXT2)
            desktop.type("x")
            self.dismiss_refusal(desktop, a11y, app, second)
            a11y.set_text(second, "はなこ")
            wait_for(lambda: a11y.text(second) == "はなこ", what="はなこ in the second box")
            desktop.click(*BUTTON)
            score = str(oracle_score("すずき", "はなこ"))
            wait_for(lambda: a11y.text(result) == score, what=f"the count to reach {score}")
            self.shot(desktop, "writes-nothing")
            self.close_window(desktop)
            self.wait_for_exit(desktop, program, "after the game")
            traced = [line for part in glob.glob(log + ".*") for line in open(part, errors="replace")]
            writes = written_files(traced, desktop.env["HOME"])
            print(f"traced {len(traced)} file calls")
        check(any("Sound/" in line for line in traced), "the trace shows no cue's sound opened: it missed the game")
        check(not writes, "the program opened for writing: " + "; ".join(writes))

    def installed(self):
        """The Debian package, unpacked into a scratch root, run as its desktop entry starts it."""
        root = tempfile.mkdtemp(prefix="minukape-root-")
        try:
            subprocess.run(["dpkg-deb", "-x", self.args.deb, root], check=True)
            entries = glob.glob(os.path.join(root, "usr/share/applications/*.desktop"))
            check(len(entries) == 1, f"the package holds desktop entries {entries}")
            entry = configparser.ConfigParser(interpolation=None)
            entry.optionxform = str
            entry.read(entries[0], encoding="utf-8")
            section = entry["Desktop Entry"]
            check(section["Name"] == WINDOW["caption"], f"the entry is named {section['Name']!r}")
            binary = os.path.join(root, "usr/bin", section["Exec"].split()[0])
            folder = root + section["Path"]
            for size in (16, 32, 48, 256):
                check(os.path.isfile(os.path.join(root, f"usr/share/icons/hicolor/{size}x{size}/apps/"
                                                        f"{section['Icon']}.png")), f"no {size} px icon")
            with Desktop(sound=True, a11y=True) as desktop:
                a11y = self.accessibility(desktop)
                self.play_installed(desktop, a11y, binary, folder,
                                    ["Push", "Kin", "Kin", "Kin", "Pororon"], "installed")
                # From a folder without sounds, the installed default sound stands in for each cue.
                self.play_installed(desktop, a11y, binary, root, ["Default"] * 5, "installed-default")
        finally:
            shutil.rmtree(root, ignore_errors=True)

    def play_installed(self, desktop, a11y, binary, folder, heard, shot):
        program = self.start(desktop, binary=binary, cwd=folder)
        result = a11y.find(a11y.application(pid=program.pid), name="相性度")
        cues = desktop.cues_heard(self.args.build, lambda: (desktop.click(*BUTTON), wait_for(
            lambda: a11y.text(result) == SCORE, what=f"the count to reach {SCORE}"), self.shot(desktop, shot)))
        desktop.stop_program(program)
        names = [name for name, _ in cues]
        check(names == heard, f"run from {folder}: heard {names}, not {heard}")


OPEN_CALLS = ("open", "openat", "openat2")
WRITE_FLAGS = ("O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC")
WRITE_CALLS = ("creat", "truncate", "mkdir", "mkdirat", "rename", "renameat", "renameat2", "unlink",
               "unlinkat", "rmdir", "link", "linkat", "symlink", "symlinkat")


def toolkit_caches(home):
    """The files the toolkit's libraries may write, by their names, and the folders they make:
    fontconfig's caches (with its lock and temporary files beside them), in the home's cache
    folder or the system's, and Mesa's shader cache."""
    home = re.escape(home)
    return re.compile(
        rf"/dev/.*|/proc/.*|{home}/\.cache"
        rf"|({home}/\.cache|/var/cache)/fontconfig(/(CACHEDIR\.TAG|[0-9a-f]{{32}}-le64\.cache-\d+(\.NEW|\.LCK|\.TMP-\w+)?))?"
        rf"|{home}/\.cache/mesa_shader_cache(_db|_sf)?(/(index|mesa_cache\.(db|idx)|[0-9a-f]{{2}}(/[0-9a-f]{{38}}(\.tmp)?)?))?")


def written_files(traced, home):
    """The calls strace traced that open, make or remove a file the toolkit's caches do not
    account for. A call that failed wrote nothing."""
    allowed = toolkit_caches(home)

    def writes(call):
        name, paths = call.split("(", 1)[0], call.split('"')[1::2]
        return (" = -1 " not in call and (name in WRITE_CALLS or name in OPEN_CALLS and any(
            flag in call for flag in WRITE_FLAGS)) and not (paths and all(map(allowed.fullmatch, paths))))
    return [call.strip() for call in traced if writes(call)]


def start_faults(a11y, app):
    """The window as it opens, as a screen reader finds it, against the window's record: its size,
    every control a person sees at its place, and the one a person does not see out of reach."""
    import pyatspi
    extents = lambda node: list(node.queryComponent().getExtents(pyatspi.WINDOW_COORDS))
    frame = a11y.find(app, role="frame")
    faults = [] if extents(frame)[2:] == [WINDOW["width"], WINDOW["height"]] else [f"the window is {extents(frame)}"]
    found = {name: a11y.find(app, role=ROLES[control["kind"]], name=control["spoken"])
             for name, control in CONTROLS.items()}
    faults += [f"{name} can be reached" for name, node in found.items() if node and not CONTROLS[name]["shown"]]
    faults += [f"{name} holds {a11y.text(node)!r}" for name, node in found.items()
               if node and ROLES[CONTROLS[name]["kind"]] == "text" and a11y.text(node) != CONTROLS[name]["text"]]
    return faults + place_faults({name: extents(node) for name, node in found.items() if node})


def controls(a11y, app):
    """The program's name boxes, display and button, as a screen reader names them."""
    return [a11y.find(app, name=CONTROLS[name]["spoken"]) for name in ("Text1", "Text2", "Text3", "Command1")]


def run_unprivileged(args):
    """Runs the scenario again as nobody, in a PID namespace of its own, so that
    mozc (which will not run as root) and every process it leaves end with it.
    nobody may not read the clone (it may lie in root's home): the scenario runs
    from a copy of what it needs in a folder of its own, removed afterwards.
    The shell stays as the namespace's first process: IBus takes a parent of
    process ID 1 for a dead one. Stopped from outside (Ctrl+C, or a signal to
    the test's process group), the scenario ends its own desktop, and this waits
    for it before it removes the copy, in which that desktop's folder lies. Under
    the test command, that folder lies in the command's own, removed at its end:
    in the copy, the input method's socket addresses grew too long for IBus."""
    stopped = []
    for signum in (signal.SIGINT, signal.SIGTERM):
        signal.signal(signum, lambda *_: stopped.append(True))
    copy = tempfile.mkdtemp(prefix="minukape-nobody-")
    try:
        os.chmod(copy, 0o755)
        build, source, shots, tmp = (os.path.join(copy, name) for name in ("build", "source", "shots", "tmp"))
        for name in ("minukape", "tests/line_edit_window", "share"):
            place = os.path.join(build, name)
            os.makedirs(os.path.dirname(place), exist_ok=True)
            copier = shutil.copytree if name == "share" else shutil.copy2
            copier(os.path.join(args.build, name), place)
        shutil.copytree(os.path.join(args.source, "Sound"), os.path.join(source, "Sound"))
        for folder in ("e2e", "harness"):
            shutil.copytree(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", folder),
                            os.path.join(copy, folder), ignore=shutil.ignore_patterns("__pycache__"))
        for record in ("window.json", "recording.json"):
            shutil.copy2(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", record), copy)
        env = dict(os.environ, PYTHONPATH=copy, TMPDIR=os.environ.get("MINUKAPE_RUN_TMP", tmp))
        # The sanitizer's suppressions file, copied where nobody can read it.
        env["LSAN_OPTIONS"] = re.sub(r"(^|:)suppressions=([^:]*)", lambda m: m[1] + "suppressions=" + shutil.copy2(
            m[2], os.path.join(copy, "lsan.supp")), env.get("LSAN_OPTIONS", ""))
        for folder in (shots, tmp):
            os.makedirs(folder)
            os.chown(folder, NOBODY, NOBODY)
        command = ["unshare", "--pid", "--fork", "--kill-child", "--mount-proc",
                   "setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups",
                   "/bin/sh", "-c", '"$@"; exit $?', "sh", "/usr/bin/python3", os.path.join(copy, "e2e", "run.py"),
                   args.scenario, "--build", build, "--source", source, "--shots", shots]
        code = subprocess.run(command, env=env, cwd=copy).returncode
        shutil.copytree(shots, os.path.join(args.shots, args.scenario), dirs_exist_ok=True)
        return 1 if stopped else code
    finally:
        shutil.rmtree(copy, ignore_errors=True)


def main():
    args = arguments(["game", "pipewire", "wayland", "ime", "ibus", "bare", "installed", "close",
                      "writes_nothing"], "build", "source", shots=None, deb=None)
    args.shots = args.shots or os.path.join(args.build, "e2e-shots")
    if args.scenario in ("ibus", "wayland") and os.geteuid() == 0:
        return run_unprivileged(args)
    # The accessibility client stays bound to the first desktop's bus: a damaged scenario is
    # played again in a fresh process, which counts the tries made before it.
    made = int(os.environ.get("MINUKAPE_TRIES_MADE", "0"))
    os.environ["MINUKAPE_TRIES_MADE"] = str(made + 1)
    again = lambda: (sys.stdout.flush(), os.execv(sys.executable, [sys.executable] + sys.argv))
    return verdict(args.scenario, lambda: again_when_damaged(
        args.scenario, getattr(Scenario(args), args.scenario), before_again=again, tries=TRIES - made))


if __name__ == "__main__":
    sys.exit(main())
