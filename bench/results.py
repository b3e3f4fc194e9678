#!/usr/bin/env python3
"""Writes bench/RESULTS.md whole: the date, the machine, the versions, and
each benchmark's own tables as it prints them, every figure with its goal and
whether it holds. Nothing in the file is written by hand.
usage: results.py ROOT BUILD_DIR"""
import datetime
import os
import platform
import re
import subprocess
import sys
import tempfile


def output(command, **kwargs):
    return subprocess.run(command, stdout=subprocess.PIPE, text=True, check=True, **kwargs).stdout.strip()


def version(command, pattern):
    """The first version number a tool prints, or "?" where it prints none."""
    try:
        found = re.search(pattern, subprocess.run(command, capture_output=True, text=True, check=True).stdout)
        return found.group(1) if found else "?"
    except (OSError, subprocess.CalledProcessError):  # a tool this machine lacks
        return "?"


def machine():
    cpu = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo") if line.startswith("model name")), "?")
    memory = next(int(line.split()[1]) for line in open("/proc/meminfo") if line.startswith("MemTotal"))
    debian = open("/etc/debian_version").read().strip()
    return f"{os.cpu_count()} cores of {cpu}, {memory / 2**20:.0f} GiB, Debian {debian}, Linux {platform.release()}"


def versions(root):
    tools = [("Qt", ["qmake6", "-query", "QT_VERSION"], r"(\S+)"),
             ("GCC", ["g++", "--version"], r"(\d+\.\d+\.\d+)"),
             ("mingw-w64 GCC", ["dpkg-query", "-W", "-f=${Version}", "g++-mingw-w64-x86-64-win32"], r"(\d+\.\d+\.\d+)"),
             ("Wine", ["wine", "--version"], r"wine-(\S+)"),
             ("Emscripten", ["emcc", "--version"], r"(\d+\.\d+\.\d+)"),
             ("Chromium", ["chromium", "--version"], r"(\d+\.\d+\.\d+\.\d+)"),
             ("PulseAudio", ["pulseaudio", "--version"], r"(\d+\.\d+)"),
             ("Lighthouse", [os.path.join(root, "tests", "web", "node_modules", ".bin", "lighthouse"), "--version"],
              r"(\d+\.\d+\.\d+)")]
    return ", ".join(f"{name} {version(command, pattern)}" for name, command, pattern in tools)


def main(root, build):
    # The Qt benchmarks' runtime folder is a private one, removed with the rest.
    runtime = tempfile.TemporaryDirectory(prefix="minukape-bench-run-")
    env = dict(os.environ, PYTHONPATH=os.path.join(root, "tests"), XDG_RUNTIME_DIR=runtime.name)
    python = "/usr/bin/python3"
    sections = [
        ("Scoring", [os.path.join(build, "bench", "bench_scoring")]),
        ("Launch and memory on Linux", [python, os.path.join(root, "bench", "launch.py"), build, root]),
        ("Count-up", [os.path.join(build, "bench", "bench_countup")]),
        ("Cue delay on Linux", [os.path.join(build, "bench", "bench_cues")]),
        ("The Windows program under Wine", [python, os.path.join(root, "bench", "launch_wine.py"), build, root]),
        ("Cue delay under Wine", [python, os.path.join(root, "bench", "cues_wine.py"), build, root]),
        ("The web page", [python, os.path.join(root, "bench", "web.py"), build]),
    ]
    text = ["# Benchmark results", "",
            f"Written whole by `bench/run.sh` on {datetime.date.today().isoformat()}: every figure below, with its "
            "goal and whether it holds, is as the benchmark that measures it printed it. Each comparison is "
            "measured in one run, interleaved, so the ratios hold on a shared, noisy machine.", "",
            f"- Machine: {machine()}.", f"- Versions: {versions(root)}.",
            "- Build: `RelWithDebInfo` for Linux, the Windows program as `scripts/build-windows.sh` makes it, the "
            "page as `scripts/build-web.sh` makes it (`MinSizeRel`)."]
    for title, command in sections:
        print(f"== {title}", flush=True)
        out = output(command, env=env, stdin=subprocess.DEVNULL)
        print(out, flush=True)
        text += ["", f"## {title}", "", out]
    runtime.cleanup()
    with open(os.path.join(root, "bench", "RESULTS.md"), "w", encoding="utf-8") as results:
        results.write("\n".join(text) + "\n")


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))
