"""What a recording of the private sound server tells: the cues it holds, found by the
project's cue_onsets; whether the sound's path damaged it, on evidence the program did not
make; and what is wrong with a count's cues against its steps, which is the program's."""
import os
import subprocess

from harness.checks import Failure
from harness.window import WINDOW, record


class Damaged(Failure):
    """A recording the sound's path broke, with the evidence, which the program did not make:
    wall-clock time the recording lost, or a process of the tests' own the machine held up while
    a cue was off. It cannot judge the program, and the scenario is played again."""


# The sample game's cues and the step of the count each is played at: the
# press at 0, the bells at 10, 20 and 30, the chime at the score, 38.
GAME_CUES = ["Push", "Kin", "Kin", "Kin", "Pororon"]
GAME_STEPS = [0, 10, 20, 30, 38]
STEP_MS = WINDOW["timer1Ms"]
# A recording shorter than the wall clock by more has dropped buffers (tst_sound reads it too).
LOST_LIMIT_MS = record("recording.json")["lostLimitMs"]
# A sanitizer's or valgrind's build runs many times slower: there only the
# cues' order and count are the program's own doing, not their timing.
TIMED = not os.environ.get("MINUKAPE_UNTIMED")


def cue_onsets(build, recording):
    """The cues a recording holds, as (name, ms) pairs, told apart by the project's cue_onsets."""
    out = subprocess.run([os.path.join(build, "tests", "cue_onsets"), recording], capture_output=True,
                         text=True, check=True).stdout
    return [(name, float(ms)) for name, ms in (line.split() for line in out.splitlines())]


class Cues(list):
    """The cues a recording holds, as (name, ms) pairs, where the sound broke off and went on
    (breaks, ms) and the wall-clock time it lost (lost_ms): either may cut a cue into another."""
    breaks = ()
    lost_ms = 0

    def unsure(self, what):
        """A fault in which cues were heard, which a break or lost time can make: Damaged."""
        if self.breaks:
            raise Damaged(f"{what}, while the sound broke off and went on at {list(self.breaks)} ms")
        if self.lost_ms > LOST_LIMIT_MS:
            raise Damaged(f"{what}, in a recording that lost {self.lost_ms:.1f} ms of the wall clock")


def cues_in(build, recording, lost_ms=0):
    """The cues of a recording a test judges. Where a cue's sound broke off and went on, the next
    cue still starts when the program plays it (a browser's break in its first bell left its second
    on its step), so a break is no evidence on when cues came, only on which were heard."""
    cues = cue_onsets(build, recording)
    heard = Cues((name, at) for name, at in cues if name != "Dropout")
    heard.lost_ms = lost_ms
    heard.breaks = [at for name, at in cues if name == "Dropout"]
    if heard.breaks:
        print(f"the sound broke off and went on at {heard.breaks} ms: {cues}")
    return heard


TRIES = 3  # how often a scenario is played while a busy machine damages its recordings


def again_when_damaged(name, scenario, before_again=lambda: None, tries=TRIES):
    """Runs a scenario; one whose recording the sound's path damaged, on evidence, is played
    again from the start, after before_again. Each try played again is printed with its
    evidence, and noted in the file MINUKAPE_RETRIES names, which the test command counts. A
    scenario damaged every time fails."""
    for _ in range(tries):
        try:
            return scenario()
        except Damaged as damage:
            print(f"played again, {name}: {damage}")
            if os.environ.get("MINUKAPE_RETRIES"):
                with open(os.environ["MINUKAPE_RETRIES"], "a", encoding="utf-8") as log:
                    log.write(f"{name}: {damage}\n")
            before_again()
    raise Failure(f"{name}: the sound's path broke every recording, as printed above")


def cue_faults(cues, heard=GAME_CUES, steps=GAME_STEPS, timed=TIMED, stalls=()):
    """What is wrong with the cues of a count (as cues_in gives them): other cues, order or count
    than heard; and, in a build that runs at full speed, a cue nearer to another step than to its own. The sound's
    path adds one delay to every cue, taken as the median of the cues after the press (the
    first cue also opens the sound server). A cue off its step is the program's (it played late
    or early), unless the machine held a process of the tests' own up meanwhile (judged)."""
    names = [name for name, _ in cues]
    if names != heard:
        cues.unsure(f"heard {names}, not {heard}")
        return judged([f"heard {cues}, not {heard}"], stalls)
    if not timed:
        return []
    delays = [at - step * STEP_MS for (_, at), step in zip(cues[1:], steps[1:])]
    path = sorted(delays)[len(delays) // 2]
    offsets = [delay - path for delay in delays]
    print("each cue against its step: " + ", ".join(f"{o:+.1f} ms" for o in offsets))
    off = [(at, f"the program played {name} at step {step} {offset:+.0f} ms off it, nearer another step")
           for (name, at), step, offset in zip(cues[1:], steps[1:], offsets) if abs(offset) >= STEP_MS / 2]
    return judged([what for _, what in off], stalls, cues[0][1] - STEP_MS, max([at for at, _ in off], default=0))


def judged(faults, stalls, since_ms=0, until_ms=float("inf")):
    """The faults of what a recording holds, which are the program's, unless something the
    program did not do held the sound up by half a step or more between since_ms and until_ms
    into it (stalls: ms into the recording, ms held, what held it, as the desktop found them):
    then the recording is Damaged, with that evidence."""
    held = [f"{what} {ms:.0f} ms at {at:.0f} ms" for at, ms, what in stalls
            if ms >= STEP_MS / 2 and since_ms <= at <= until_ms]
    if faults and held:
        raise Damaged(f"{'; '.join(faults)}, while {', '.join(held)} into the recording")
    return faults
