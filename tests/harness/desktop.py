"""A private desktop for end-to-end tests of the real program: an X server,
a session bus, the fcitx5 or IBus input method with mozc, a PulseAudio server whose
null sink is recorded, and the accessibility bus, each started on request
and all ended, by PID, when the desktop closes. Nothing outside its own
temporary folder is touched: the input method runs with a home of its own
in that folder, as the user running the tests, or as the system's nobody
when that is root (mozc refuses to run as root), so no account is made."""
import array
import ctypes
import glob
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from harness.checks import Failure, wait_for
from harness.recording import LOST_LIMIT_MS, TIMED, Damaged, cues_in
from harness.window import CONTROLS, WINDOW, box, rgb

# mozc will not run as root: as root, the input method runs as nobody; as
# anyone else, as that same user.
IME_UID = IME_GID = 65534  # nobody and nogroup on Debian
SINK = "minukape_e2e"
RATE = 44100


# Points of the window (client area) whose colour its design fixes, the colours from the
# window's record; and the display, whose digits are in its ink.
WINDOW_COLOURS = {"the window": ((8, 70), rgb(WINDOW["colour"])),
                  "a label's ground": ((300, 25), rgb(CONTROLS["Label1"]["background"])),
                  "the display's ground": ((140, 260), rgb(CONTROLS["Text3"]["background"]))}
DISPLAY_BOX = box("Text3")
# Sleeps 5 ms at a time, and prints when it woke, on the monotonic clock, and how much later
# than asked, whenever that was 10 ms or more: how long the machine held a process up.
STALL_PROBE = """import time
while True:
    asleep = time.monotonic()
    time.sleep(0.005)
    late = (time.monotonic() - asleep - 0.005) * 1000
    if late >= 10:
        print(asleep, late, flush=True)"""

# What the sound server's log says of its streams, at its seconds since it started.
SERVER_EVENT = re.compile(r"\(\s*([\d.]+)\|.*(\"parec\" on|Implicit underrun|end of underrun|Created input|Freeing input)")


def colour_faults(png, origin):
    """What in a screenshot of the window at origin differs from its design's colours."""
    from PIL import Image
    image = Image.open(png).convert("RGB")
    ox, oy = origin
    faults = [f"{what} is {image.getpixel((ox + x, oy + y))}, not {colour}"
              for what, ((x, y), colour) in WINDOW_COLOURS.items() if image.getpixel((ox + x, oy + y)) != colour]
    left, top, right, bottom = DISPLAY_BOX
    ink = rgb(CONTROLS["Text3"]["foreground"])
    blue = sum(1 for pixel in image.crop((ox + left, oy + top, ox + right, oy + bottom)).getdata() if pixel == ink)
    if blue < 200:
        faults.append(f"the display's digits show {blue} blue pixels")
    return faults


def adopt_orphans():
    """Makes this process the parent of what the desktop's processes leave behind when they end
    (a bus's activated services), in place of init, so the desktop's close reaps them."""
    PR_SET_CHILD_SUBREAPER = 36
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)


def reap_children(timeout=5):
    """Waits for every child, adopted ones included, once all have been told to end."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            time.sleep(0.01)


class Desktop:
    def __init__(self, *, bus=True, ime=False, sound=False, a11y=False, activatable=False, wayland=False):
        adopt_orphans()
        self.want_bus = bus or ime or a11y
        self.activatable = activatable  # the bus may start the desktop's D-Bus services
        self.want_ime = ime
        self.want_sound = sound
        self.want_a11y = a11y
        self.wayland = wayland  # sway, headless, in place of Xvfb; only as an unprivileged user
        self.dir = tempfile.mkdtemp(prefix="minukape-e2e-")
        os.chmod(self.dir, 0o755)  # the input method's user must reach the bus socket
        self.processes = []  # (name, Popen), ended in reverse order
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "LANG": "C.UTF-8",
            "HOME": self.path("home"),
            "XDG_RUNTIME_DIR": self.path("run"),
            # What a browser or Wine leaves in a temporary folder goes with the desktop.
            "TMPDIR": self.path("tmp"),
        }
        # A sanitizer build's settings reach the program under test.
        self.env.update({name: os.environ[name] for name in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS")
                         if name in os.environ})
        os.makedirs(self.env["HOME"])
        os.makedirs(self.env["TMPDIR"])
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700)
        self.recording = None

    def path(self, name):
        return os.path.join(self.dir, name)

    # --- starting -------------------------------------------------------
    def __enter__(self):
        try:
            if self.want_bus:
                self.start_bus()
            self.start_wayland() if self.wayland else self.start_x()
            if self.want_ime == "ibus":
                self.start_ibus()
            elif self.want_ime:
                self.start_ime()
            if self.want_a11y:
                self.start_a11y()
            if self.want_sound == "pipewire":
                self.start_pipewire()
            elif self.want_sound:
                self.start_sound()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, exc_type, exc, traceback):
        if exc_type is not None:
            self.print_logs()
        self.close()

    def print_logs(self):
        """The end of each started process's output, to tell why a scenario failed."""
        for name, _ in self.processes:
            try:
                with open(self.path(f"{name}.log"), errors="replace") as f:
                    tail = f.read()[-3000:]
            except OSError:
                continue
            if tail.strip():
                print(f"--- {name} ---\n{tail}")

    @staticmethod
    def pids_with_home(home):
        """Processes whose HOME is home or lies inside it."""
        marker = re.compile(rb"(^|\0)HOME=" + re.escape(home.encode()) + rb"(\0|/|$)")
        pids = []
        for entry in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{entry}/environ", "rb") as f:
                    if marker.search(f.read()):
                        pids.append(int(entry))
            except OSError:
                continue
        return pids

    def spawn(self, name, command, env=None, **kwargs):
        log = open(self.path(f"{name}.log"), "wb")
        process = subprocess.Popen(command, env=env or self.env, stdout=log, stderr=subprocess.STDOUT,
                                   stdin=subprocess.DEVNULL, start_new_session=True, **kwargs)
        self.processes.append((name, process))
        return process

    def start_x(self):
        read_end, write_end = os.pipe()
        # Its clients reach it by the abstract socket alone: a socket in the file system would
        # be made in /tmp/.X11-unix, a folder the server makes where the machine has none.
        self.spawn("xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                            "-nolisten", "tcp", "-nolisten", "unix", "-ac", "-noreset"], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            display = pipe.readline().strip()
        if not display:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = f":{display}"

    def start_wayland(self):
        config = self.path("sway.conf")
        with open(config, "w") as f:
            f.write("xwayland disable\noutput HEADLESS-1 resolution 1024x768 position 0 0\n"
                    "default_border none\ndefault_floating_border none\n")
        env = dict(self.env, WLR_BACKENDS="headless", WLR_RENDERER="pixman", WLR_LIBINPUT_NO_DEVICES="1")
        self.spawn("sway", ["sway", "--config", config], env=env)
        socket = wait_for(lambda: [name for name in os.listdir(self.env["XDG_RUNTIME_DIR"])
                                   if name.startswith("wayland-") and not name.endswith(".lock")], what="sway")
        self.env["WAYLAND_DISPLAY"] = socket[0]
        self.env["SWAYSOCK"] = wait_for(lambda: next(iter(glob.glob(
            os.path.join(self.env["XDG_RUNTIME_DIR"], "sway-ipc.*.sock"))), None), what="sway's socket")
        # A headless seat has a keyboard only while a virtual one lives, and a client binds it only
        # when it next reads its events: one made for each typing lost every key a busy program had
        # not bound it for. One lives all session, as a desktop's keyboard does.
        self.spawn("keyboard", ["wtype", "-s", "3600000"])
        wait_for(lambda: '"keyboard"' in self.run(["swaymsg", "-t", "get_inputs", "--raw"]), what="sway's keyboard")

    def start_bus(self):
        socket = self.path("bus")
        config = self.path("bus.conf")
        with open(config, "w") as f:
            f.write(f"""<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  {"<standard_session_servicedirs/>" if self.activatable else ""}
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
  </policy>
</busconfig>
""")
        self.spawn("dbus", ["dbus-daemon", "--nofork", f"--config-file={config}"])
        wait_for(lambda: os.path.exists(socket), what="the session bus")
        os.chmod(socket, 0o777)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={socket}"

    def start_ime(self):
        home = self.path("ime-home")
        runtime = self.path("ime-run")
        os.makedirs(os.path.join(home, ".config", "fcitx5"), exist_ok=True)
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        with open(os.path.join(home, ".config", "fcitx5", "profile"), "w") as f:
            f.write("[Groups/0]\nName=Default\nDefault Layout=us\nDefaultIM=mozc\n\n"
                    "[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n"
                    "[Groups/0/Items/1]\nName=mozc\nLayout=\n\n"
                    "[GroupOrder]\n0=Default\n")
        env = {"PATH": "/usr/bin:/bin", "HOME": home, "XDG_RUNTIME_DIR": runtime, "LANG": "C.UTF-8",
               "DBUS_SESSION_BUS_ADDRESS": self.env["DBUS_SESSION_BUS_ADDRESS"]}
        # On X it also watches the display; on Wayland it serves the program over the bus alone.
        frontends = "dbus,dbusfrontend,keyboard,mozc"
        if "DISPLAY" in self.env:
            env["DISPLAY"] = self.env["DISPLAY"]
            frontends += ",xcb"
        command = ["fcitx5", "-D", "--disable=all", f"--enable={frontends}"]
        if os.geteuid() == 0:
            subprocess.run(["chown", "-R", f"{IME_UID}:{IME_GID}", home, runtime], check=True)
            self.spawn("fcitx5", command, env=env, user=IME_UID, group=IME_GID, extra_groups=[])
        else:
            self.spawn("fcitx5", command, env=env)
        wait_for(lambda: self.ime_state() is not None, interval=0.1, what="fcitx5 on the bus")

    def start_ibus(self):
        """IBus as this process's user: a test with IBus runs unprivileged
        (run.py sees to it), since mozc will not run as root."""
        self.spawn("ibus", ["ibus-daemon", "--panel=disable", "--emoji-extension=disable"])
        wait_for(lambda: self.run(["ibus", "address"]).strip() not in ("", "(null)"), interval=0.1,
                 what="IBus")

    def ibus_engine(self, name):
        self.run(["ibus", "engine", name])
        wait_for(lambda: self.run(["ibus", "engine"]).strip() == name, what=f"IBus's engine {name}")

    def start_a11y(self):
        self.spawn("at-spi", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        wait_for(lambda: self.bus_has("org.a11y.Bus"), what="the accessibility bus")

    def start_sound(self):
        self.env["PULSE_SERVER"] = f"unix:{self.env['XDG_RUNTIME_DIR']}/pulse/native"
        # Its debug log says when it found a stream empty (underruns), with times: evidence.
        self.spawn("pulseaudio", ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                  "--disallow-exit", "--use-pid-file=no", "--log-level=debug", "--log-time=1",
                                  "-L", f"module-null-sink sink_name={SINK} norewinds=1",
                                  "-L", "module-native-protocol-unix"])
        wait_for(lambda: SINK in self.run(["pactl", "list", "short", "sinks"]), interval=0.1,
                 what="the sound server")

    # --- using ----------------------------------------------------------
    def run(self, command, timeout=10, must=False):
        """What command prints; "" when it fails, unless it must not fail."""
        result = subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=timeout)
        if result.returncode != 0 and must:
            raise Failure(f"{command[0]} failed: {result.stderr.strip()}")
        return result.stdout if result.returncode == 0 else ""

    def bus_has(self, name):
        return name in self.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                 "/org/freedesktop/DBus", "org.freedesktop.DBus.ListNames"], must=True)

    def ime_call(self, method):
        return self.run(["dbus-send", "--session", "--print-reply", "--dest=org.fcitx.Fcitx5",
                         "/controller", f"org.fcitx.Fcitx.Controller1.{method}"])

    def ime_state(self):
        """fcitx5's state of the focused input: 0 none, 1 off, 2 on; None without fcitx5."""
        reply = self.ime_call("State")
        for word in reply.split():
            if word.isdigit():
                return int(word)
        return None

    def stop_ime(self):
        """fcitx5 gone from the bus, as before the desktop starts it at login."""
        process = next(process for name, process in self.processes if name == "fcitx5")
        self.stop_program(process)
        wait_for(lambda: self.ime_state() is None, interval=0.1, what="fcitx5 off the bus")

    def start_program(self, binary, cwd, extra_env=None, wrapper=()):
        env = dict(self.env)
        env.update({"QT_QPA_PLATFORM": "wayland" if self.wayland else "xcb",
                    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        if self.want_ime:
            env["QT_IM_MODULE"] = "ibus" if self.want_ime == "ibus" else "fcitx"
        env.update(extra_env or {})
        program = self.spawn("minukape", [*wrapper, binary], env=env, cwd=cwd)
        if self.wayland:
            self.window = wait_for(lambda: self.sway_window(WINDOW["caption"]), interval=0.05, what="the window")
            origin = (self.window["rect"]["x"], self.window["rect"]["y"])
        else:
            window = wait_for(lambda: self.run(["xdotool", "search", "--onlyvisible", "--name", WINDOW["caption"]]).split(),
                              interval=0.05, what="the window")
            self.window, origin = window[0], (0, 0)
        # The first paint follows the map: the window shows its own grounds. Each look is a
        # screenshot, which takes a while of a core that other tests' sound needs: seldom.
        wait_for(lambda: self.shows_grounds(origin), interval=0.25, what="the window's first paint")
        return program

    def shows_grounds(self, origin):
        screen = self.grab()
        return all(screen.getpixel((origin[0] + x, origin[1] + y)) == colour for (x, y), colour in WINDOW_COLOURS.values())

    def stop_program(self, program):
        stop(program)
        self.processes = [(name, p) for name, p in self.processes if p is not program]

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=30)

    def sway_window(self, title):
        """The window of that title in sway's tree: its content's place on the screen and its size."""
        def walk(node):
            yield node
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                yield from walk(child)
        tree = self.run(["swaymsg", "-t", "get_tree", "--raw"])
        for node in walk(json.loads(tree)) if tree else ():
            if node.get("name") == title and node.get("pid"):
                return node
        return None

    def wtype(self, *args):
        subprocess.run(["wtype", *args], env=self.env, check=True, timeout=30)

    def focus(self, window):
        """Gives a window the keyboard (there is no window manager to do it)."""
        self.xdotool("windowfocus", "--sync", window)

    def click(self, x, y):
        """Clicks at window coordinates."""
        self.xdotool("mousemove", "--window", self.window, str(x), str(y), "click", "1")

    def type(self, text):
        self.xdotool("type", "--delay", "40", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", "40", *keys)

    def grab(self, size=(WINDOW["width"], WINDOW["height"])):
        """The screen (on X, its top left corner: the window's size unless size says), in RGB. X's is read without grabbing the server
        (as ImageMagick's import does), which would hold up the program mid-count for as long as
        the grabber waits for a core."""
        from PIL import Image, ImageGrab
        if self.wayland:
            subprocess.run(["grim", self.path("grim.png")], env=self.env, check=True, timeout=30)
            return Image.open(self.path("grim.png")).convert("RGB")
        return ImageGrab.grab(bbox=(0, 0, *size), xdisplay=self.env["DISPLAY"]).convert("RGB")

    def screenshot(self, path, size=(WINDOW["width"], WINDOW["height"])):
        self.grab(size).save(path)

    def display(self):
        """The game's display, as the screen shows it now."""
        return self.grab().crop(DISPLAY_BOX)

    def start_pipewire(self):
        """PipeWire with its session manager and its PulseAudio service, and one null sink."""
        self.env["PULSE_SERVER"] = f"unix:{self.env['XDG_RUNTIME_DIR']}/pulse/native"
        self.spawn("pipewire", ["pipewire"])
        wait_for(lambda: os.path.exists(os.path.join(self.env["XDG_RUNTIME_DIR"], "pipewire-0")),
                 what="PipeWire")
        self.spawn("wireplumber", ["wireplumber"])  # without it nothing reaches a sink
        self.spawn("pipewire-pulse", ["pipewire-pulse"])
        wait_for(lambda: self.run(["pactl", "info"]), interval=0.1, what="PipeWire's PulseAudio service")
        self.run(["pactl", "load-module", "module-null-sink", f"sink_name={SINK}"])
        wait_for(lambda: SINK in self.run(["pactl", "list", "short", "sinks"]), interval=0.1,
                 what="the null sink")
        self.run(["pactl", "set-default-sink", SINK])

    def start_recording(self):
        # What the machine did to a process of the tests' own meanwhile: evidence the program
        # did not make, for a cue heard off its step.
        self.stalls_file = self.path("stalls.txt")
        self.stall_probe = subprocess.Popen(["/usr/bin/python3", "-c", STALL_PROBE],
                                            stdout=open(self.stalls_file, "w"), start_new_session=True)
        self.processes.append(("stall probe", self.stall_probe))
        self.server_log_from = os.path.getsize(self.path("pulseaudio.log")) if self.want_sound is True else None
        # Two channels: PipeWire adds them up into a mono recording, which clips.
        self.recording = self.path("recording.raw")
        out = open(self.recording, "wb")
        self.recorder = subprocess.Popen(["parec", "-d", f"{SINK}.monitor", "--format=s16le",
                                          f"--rate={RATE}", "--channels=2", "--latency-msec=10"],
                                         env=self.env, stdout=out, stderr=subprocess.DEVNULL,
                                         start_new_session=True)
        self.processes.append(("parec", self.recorder))
        wait_for(lambda: os.path.getsize(self.recording) > 0, interval=0.001, what="the recorder")
        self.recording_started = time.monotonic()

    def cues_heard(self, build, play):
        """The cues (as cue_onsets gives them) that sound while play runs."""
        self.start_recording()
        self.lead_in()
        play()
        return self.recorded_cues(build)

    def recorded_cues(self, build):
        """Stops the recorder; the cues it heard (as cues_in gives them)."""
        return cues_in(build, self.stop_recording(), self.recording_lost_ms)

    def empty_streams(self):
        """The gaps, as stalls are given, in which the sound server found a stream empty and then fed
        it again, from its log since the recorder started; not a stream's first fill, its end, nor
        the time between two streams. A browser feeds its stream all the time: its gaps are its
        sound starved of the processor. Other programs' streams empty between cues."""
        if self.server_log_from is None:  # PipeWire's, which keeps no such log
            return []
        found, recorder, empty = [], None, None
        with open(self.path("pulseaudio.log"), encoding="utf-8", errors="replace") as log:
            log.seek(self.server_log_from)
            for at, what in ((float(e[1]) * 1000, e[2]) for e in map(SERVER_EVENT.match, log) if e):
                if what == '"parec" on':
                    recorder = at
                elif what == "end of underrun" and None not in (recorder, empty):
                    found.append((empty - recorder, at - empty, "the sound server found the browser's stream empty"))
                empty = at if what == "Implicit underrun" else None
        return found

    def recorded_ms(self):
        return os.path.getsize(self.recording) / 4 / RATE * 1000  # two channels of 16 bits

    def lead_in(self):
        """Silence recorded before what is played, so its first onset stands out."""
        wait_for(lambda: self.recorded_ms() >= 300, interval=0.01, what="the recording's lead-in")

    def stop_recording(self):
        """Stops the recorder; returns the recording, mono, and how much of the
        wall-clock time it lost (a sound server may drop whole buffers of a
        monitor's recording, and then every time read from it is wrong)."""
        # parec loses the end of its buffer when stopped: it records on a while.
        until = self.recorded_ms() + 600
        wait_for(lambda: self.recorded_ms() >= until, interval=0.01, what="the recording's tail")
        wall_ms = (time.monotonic() - self.recording_started) * 1000
        self.recorder.terminate()
        self.recorder.wait(5)
        self.stall_probe.terminate()
        self.stall_probe.wait(5)
        with open(self.stalls_file) as f:
            self.stalls = [((float(at) - self.recording_started) * 1000, float(ms), "the machine held a process of "
                            "the tests' own up") for at, ms in map(str.split, f)]
        self.underruns = self.empty_streams()
        with open(self.recording, "rb") as f:
            stereo = f.read()
        mono = array.array("h", stereo[:len(stereo) // 4 * 4])[::2].tobytes()
        with open(self.recording, "wb") as f:
            f.write(mono)
        self.recording_lost_ms = wall_ms - len(mono) / 2 / RATE * 1000
        print(f"the recording is {self.recording_lost_ms:.1f} ms shorter than the wall clock", file=sys.stderr)
        # Untimed, it is evidence only against which cues were heard (Cues.unsure).
        if self.recording_lost_ms > LOST_LIMIT_MS and TIMED:
            raise Damaged(f"the recording lost {self.recording_lost_ms:.1f} ms of the wall clock")
        return self.recording

    # --- ending ---------------------------------------------------------
    def close(self):
        for name, process in reversed(self.processes):
            stop(process)
        self.processes.clear()
        # mozc's server outlives the input method and leaves its session: find
        # it, and anything else left, by the private home it was started with.
        for pid in self.pids_with_home(self.dir):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        reap_children()
        shutil.rmtree(self.dir, ignore_errors=True)


def stop(process, timeout=5):
    if process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        process.wait(timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait(timeout)
