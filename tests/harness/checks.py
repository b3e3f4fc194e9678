"""What every scenario checks with: a check that fails with its message, a wait that ends
the moment its condition holds, a watch over what must not happen, and a test program's
end: its verdict, also when stopped from outside."""
import argparse
import os
import signal
import sys
import time


def end_on_sigterm():
    """A test stopped from outside (Ctrl+C, a signal to its process group) still ends its desktop's
    processes: SystemExit unwinds through the Desktop's clean-up, which a second signal may not cut
    short. CTest's time-out kills outright: what that test made stays."""
    def end(*_):
        signal.signal(signal.SIGTERM, signal.SIG_IGN)
        sys.exit(1)
    signal.signal(signal.SIGTERM, end)


def arguments(scenarios, *folders, **options):
    """A test program's command line: its scenario, when it has several (scenarios), the
    folders it must be given, as absolute paths, and options with their defaults."""
    parser = argparse.ArgumentParser()
    if scenarios:
        parser.add_argument("scenario", choices=scenarios)
    for name in folders:
        parser.add_argument(f"--{name}", required=True, type=os.path.abspath)
    for name, default in options.items():
        parser.add_argument(f"--{name}", default=default)
    return parser.parse_args()


def verdict(name, test):
    """Runs a test program's test: PASS with its time, or FAIL with what did not hold. The
    exit status."""
    end_on_sigterm()
    started = time.monotonic()
    try:
        test()
    except (Failure, TimeoutError) as failure:
        print(f"FAIL {name}: {failure}")
        return 1
    print(f"PASS {name} in {time.monotonic() - started:.1f} s")
    return 0


class Failure(Exception):
    """A check of the program that did not hold."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_none(faults):
    """Passes when a list of what is wrong is empty."""
    check(not faults, "; ".join(faults))


# How long anything may take to be ready (a server, the window, the input
# method, a bus name, a recording, a count): far more than a loaded machine
# needs. Every wait ends the moment its condition holds, so the deadline
# costs nothing where the machine is fast; it only bounds a failure.
READY = 60


def wait_for(condition, timeout=READY, interval=0.02, what="condition"):
    """Polls condition until it returns something true; raises after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def stays(condition, seconds, interval=0.02):
    """Whether condition holds all through the next seconds: for what must not happen."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not condition():
            return False
        time.sleep(interval)
    return True
