"""What a recording of the private sound server tells: the cues it holds, found by the
project's cue_onsets; whether the sound's path damaged it; and what is wrong with a count's
cues against its steps."""
import os
import subprocess

from harness.checks import Failure


class Damaged(Failure):
    """A recording a starved sound path broke (a cue broke off and went on): it cannot judge
    the program, and is made again."""


# The sample game's cues and the step of the count each is played at: the
# press at 0, the bells at 10, 20 and 30, the chime at the score, 38.
GAME_CUES = ["Push", "Kin", "Kin", "Kin", "Pororon"]
GAME_STEPS = [0, 10, 20, 30, 38]
STEP_MS = 50
# A sanitizer's or valgrind's build runs many times slower: there only the
# cues' order and count are the program's own doing, not their timing.
TIMED = not os.environ.get("MINUKAPE_UNTIMED")


def cue_onsets(build, recording):
    """The cues a recording holds, as (name, ms) pairs, told apart by the project's cue_onsets."""
    out = subprocess.run([os.path.join(build, "tests", "cue_onsets"), recording], capture_output=True,
                         text=True, check=True).stdout
    return [(name, float(ms)) for name, ms in (line.split() for line in out.splitlines())]


def cues_in(build, recording):
    """The cues of a recording a test judges; one the sound path broke is Damaged."""
    cues = cue_onsets(build, recording)
    if any(name == "Dropout" for name, _ in cues):
        raise Damaged(f"the sound broke off and went on: {cues}")
    return cues


TRIES = 3  # how often a scenario is played while a busy machine damages its recordings


def again_when_damaged(name, scenario, before_again=lambda: None, tries=TRIES):
    """Runs a scenario; one whose recording a busy machine damaged is played again, from
    the start, after before_again. A scenario damaged every time fails."""
    for _ in range(tries):
        try:
            return scenario()
        except Damaged as damage:
            print(f"{name} again: {damage}")
            before_again()
    raise Failure(f"{name}: every recording was damaged")


def cue_faults(cues, heard=GAME_CUES, steps=GAME_STEPS, timed=TIMED):
    """What is wrong with the cues of a count: other cues, order or count than heard; and, in a
    build that runs at full speed, a cue nearer to another step than to its own. The sound's
    path adds one delay to every cue, taken as the median of the cues after the press (the
    first cue also opens the sound server). A busy machine can hold up one step and its cue,
    or the recording: a cue off its step makes the recording Damaged, to be made again, and
    only a cue off its step every time fails."""
    names = [name for name, _ in cues]
    if names != heard:
        return [f"heard {names}, not {heard}"]
    if not timed:
        return []
    delays = [at - step * STEP_MS for (_, at), step in zip(cues[1:], steps[1:])]
    path = sorted(delays)[len(delays) // 2]
    offsets = [delay - path for delay in delays]
    print("each cue against its step: " + ", ".join(f"{o:+.1f} ms" for o in offsets))
    off = [f"{name} at step {step} is {offset:+.0f} ms off it, nearer another step"
           for name, step, offset in zip(names[1:], steps[1:], offsets) if abs(offset) >= STEP_MS / 2]
    if off:
        raise Damaged("; ".join(off))
    return []
