#!/usr/bin/env python3
"""The web page's figures: its weight, file by file, as served and gzipped;
Lighthouse's scores as a phone and as a computer; first paint and first
usable click in headless Chromium against the same window drawn by a static
page with no script, interleaved in one run; a group of 40 names scored
and drawn; the count's pace over 100 steps; and each cue's delay after its step, heard on the private sound
server the tests record.

usage: web.py BUILD_DIR (the page in BUILD/web, the static page in
BUILD/web-cmake); its figures are printed as RESULTS.md holds them."""
import gzip
import os
import shutil
import statistics
import sys
import threading
import time

from harness.browser import Chromium, serve
from harness.checks import wait_for
from harness.desktop import RATE, Desktop
from harness.lighthouse import report, weighted
from harness.recording import cue_onsets

ROUNDS = 15


def weight(page):
    """The weight tables, as Markdown."""
    lines = ["| file | served | gzip |", "| --- | ---: | ---: |"]
    total = packed = code = 0
    for folder, _, files in sorted(os.walk(page)):
        for name in sorted(files):
            path = os.path.join(folder, name)
            data = open(path, "rb").read()
            size, zipped = len(data), len(gzip.compress(data, 9))
            total, packed = total + size, packed + zipped
            if name.startswith("minukape.") and name.endswith((".js", ".wasm")):
                code += size
            lines.append(f"| {os.path.relpath(path, page)} | {size:,} | {zipped:,} |")
    lines += [f"| **whole page** | **{total:,}** | **{packed:,}** |", "",
              "| figure | result | goal | holds |", "| --- | --- | --- | --- |",
              f"| whole page, as served, icons and worker included | {total / 1000:.1f} KB | <= 450 KB | "
              f"{'yes' if total <= 450_000 else '**no**'} |",
              f"| script and WebAssembly, as served | {code / 1000:.1f} KB | <= 150 KB | "
              f"{'yes' if code <= 150_000 else '**no**'} |"]
    return "\n".join(lines)


LIGHTHOUSE_RUNS = 5
CATEGORIES = ("performance", "accessibility", "best-practices", "seo")


def holds(condition):
    return "yes" if condition else "**no**"


def median_run(reports):
    """Of several Lighthouse reports, the one of median first contentful paint."""
    paints = sorted((weighted(r)["first-contentful-paint"][1], i) for i, r in enumerate(reports))
    return reports[paints[len(paints) // 2][1]]


def lighthouse_scores(desktop, origin):
    """Lighthouse, five runs as a phone and five as a computer, interleaved with five phone runs of
    the static page: every run's scores, the median run's weighted audits, and a phone's first
    paints against the static page's."""
    runs = {"mobile": [], "desktop": [], "floor": []}
    for _ in range(LIGHTHOUSE_RUNS):
        for name, page, form_factor in (("mobile", "", "mobile"), ("desktop", "", "desktop"),
                                        ("floor", "static.html", "mobile")):
            runs[name].append(report(desktop, f"{origin}/{page}", form_factor))
    print(f"Lighthouse on Debian's Chromium, {LIGHTHOUSE_RUNS} runs each as a phone (its default, a 412 px screen: "
          "the phone arrangement) and as a computer (`--preset=desktop`: the window), interleaved with phone runs of "
          "`static.html`, the floor: the same window's texts and look with no font, script or sound of its own, "
          "served the same way. The median run is the one of median first contentful paint.\n")
    print("| form factor | lowest of each run's scores: performance, accessibility, best practices, SEO | "
          "the median run's weighted audits | goal | holds |\n| --- | --- | --- | --- | --- |")
    for name in ("mobile", "desktop", "floor"):
        lowest = [min(round(r["categories"][c]["score"] * 100) for r in runs[name]) for c in CATEGORIES]
        audits = weighted(median_run(runs[name]))
        goal = ("100 in every run, every weighted audit at 1 | "
                + holds(min(lowest) == 100 and all(score == 1 for score, _ in audits.values())))
        print(f"| {'mobile, the static page' if name == 'floor' else name} | {', '.join(map(str, lowest))} | "
              + ", ".join(f"{audit} {score:g}" for audit, (score, _) in audits.items())
              + " | " + (goal if name != "floor" else "none: what this machine gives the floor | –") + " |")
    each = {name: ", ".join(f"{round(r['categories']['performance']['score'] * 100)} "
                            f"({weighted(r)['total-blocking-time'][1]:.0f} ms)" for r in runs[name])
            for name in ("mobile", "floor")}
    print(f"\nAs a phone, each run's performance (and total blocking time): the page {each['mobile']}; "
          f"the static page {each['floor']}.")
    print("\n| a phone's paint (median run) | page | static page | ratio | goal | holds |\n"
          "| --- | --- | --- | --- | --- | --- |")
    for audit, what, limit in (("first-contentful-paint", "first contentful paint", 1000),
                               ("largest-contentful-paint", "largest contentful paint", 1200)):
        ours = weighted(median_run(runs["mobile"]))[audit][1]
        floor = weighted(median_run(runs["floor"]))[audit][1]
        print(f"| {what} | {ours / 1000:.2f} s | {floor / 1000:.2f} s | {ours / floor:.2f}x | "
              f"<= {limit / 1000:.1f} s and <= 1.15x | {holds(ours <= limit and ours <= 1.15 * floor)} |")
    host = runs["mobile"][-1]["audits"]
    print("\nThe host's audits, which weigh nothing: text compression "
          f"{host['uses-text-compression']['score']}, cache lifetime {host['uses-long-cache-ttl']['score']} "
          "(Python's web server compresses nothing and sends no `Cache-Control`).")


def first_paint(browser, origin):
    """First paint and first usable click of both pages, medians of interleaved rounds."""
    # Both pages from the server: the page's worker would answer from its cache.
    browser.call("Network.setCacheDisabled", cacheDisabled=True)
    browser.call("Network.setBypassServiceWorker", bypass=True)
    times = {"index.html": [], "static.html": [], "ready": []}
    for _ in range(ROUNDS):
        for page in ("index.html", "static.html"):
            browser.call("Page.navigate", url=f"{origin}/{page}")
            paint = wait_for(lambda: browser.evaluate(
                "(performance.getEntriesByName('first-contentful-paint')[0] || {}).startTime"),
                what=f"{page}'s first paint")
            times[page].append(paint)
            if page == "index.html":
                times["ready"].append(wait_for(lambda: browser.evaluate(
                    "(performance.getEntriesByName('minukape-ready')[0] || {}).startTime"), what="the page"))
    ours, bare = statistics.median(times["index.html"]), statistics.median(times["static.html"])
    print(f"In headless Chromium with no throttling, the cache off and the service worker bypassed (each visit a "
          f"first one), medians of {ROUNDS} interleaved rounds.\n\n"
          "| figure | page | static page | ratio | goal | holds |\n| --- | --- | --- | --- | --- | --- |\n"
          f"| first contentful paint | {ours:.1f} ms | {bare:.1f} ms | {ours / bare:.2f}x | <= 1.25x | "
          f"{holds(ours <= 1.25 * bare)} |\n"
          f"| first usable click (the handlers connected) | {statistics.median(times['ready']):.1f} ms | | | | |")
    browser.call("Network.setCacheDisabled", cacheDisabled=False)
    browser.call("Network.setBypassServiceWorker", bypass=False)


class Listener:
    """The recording's start on the wall clock, as the bytes arrive."""

    def __init__(self, desktop):
        self.desktop = desktop
        desktop.start_recording()
        self.start = None
        self.running = True
        self.thread = threading.Thread(target=self.watch)
        self.thread.start()

    def watch(self):
        while self.running:
            now = time.time()
            begun = now - os.path.getsize(self.desktop.recording) / 4 / RATE
            self.start = begun if self.start is None else min(self.start, begun)
            time.sleep(0.001)

    def stop(self):
        self.running = False
        self.thread.join()
        return self.desktop.stop_recording()


CUE_GOAL_MS = 20


def count_and_cues(browser, desktop, build, sounds, path="/", goals=True):
    """Three counts of 100 steps, with the page's sounds as served (sounds says which): their pace,
    and each cue's delay after its step, as table rows; those of the floor (goals false) with no goal."""
    browser.open(path)
    origin = browser.evaluate("performance.timeOrigin")
    totals, first, later, unheard = [], [], [], 0
    for run in range(3):
        for box in ("Text1", "Text2"):  # ん and ん score 100
            browser.click(box)
            browser.select_all()
            browser.type("ん")
        browser.watch_display()
        listener = Listener(desktop)
        time.sleep(0.3)
        browser.click("Command1")
        wait_for(lambda: browser.value("Text3") == "100", what="the count to reach 100")
        time.sleep(1.5)
        cues = cue_onsets(build, listener.stop())
        shown = browser.shown()
        steps = [(at, text) for at, text in shown if text]
        totals.append(steps[-1][0] - steps[0][0])
        cue_steps = [steps[0]] + [step for step in steps if step[1] in {str(n) for n in range(10, 101, 10)}]
        if len(cues) != len(cue_steps):
            unheard += 1
            continue
        for i, ((_, heard), (at, _)) in enumerate(zip(cues, cue_steps)):
            delay = listener.start * 1000 + heard - (origin + at)
            (first if run == 0 and i == 0 else later).append(delay)
    later.sort()
    first = first[0] if first else float("nan")
    rows = [("100 steps, press to the last", ", ".join(f"{t:.1f} ms" for t in totals), "5000 ms +- 0.5 %",
             all(abs(t - 5000) <= 25 for t in totals)),
            ("the page's first cue (Push) after the press", f"{first:.1f} ms", f"<= {CUE_GOAL_MS} ms",
             first <= CUE_GOAL_MS),
            ("later cues after their step, median", f"{later[len(later) // 2]:.1f} ms", "", None),
            (f"later cues after their step, max ({len(later)} cues; counts not heard whole: {unheard})", f"{later[-1]:.1f} ms", f"<= {CUE_GOAL_MS} ms",
             later[-1] <= CUE_GOAL_MS)]
    if not goals:
        rows.append(("the browser's audio callbacks (a cue started between two waits for the next)",
                     audio_blocks(browser), "", None))
    for what, result, goal, held in rows:
        if not goals:
            goal, held = ("none: what the browser gives any page" if held is not None else ""), None
        print(f"| {what}, {sounds} | {result} | {goal} | {'' if held is None else holds(held)} |")


# The audio clock read as often as the page's tasks run, for a second: each move, as [frames, when].
AUDIO_CLOCK = """new Promise(done => { const moves = [], end = performance.now() + 1000, channel = new MessageChannel();
    let time = context.currentTime;
    channel.port1.onmessage = () => {
        const now = performance.now();
        if (context.currentTime != time) {
            moves.push([Math.round((context.currentTime - time) * context.sampleRate), now]);
            time = context.currentTime;
        }
        now < end ? channel.port2.postMessage(0) : done([context.sampleRate, context.outputLatency, moves]); };
    channel.port2.postMessage(0); })"""


def audio_blocks(browser):
    """How the browser renders a page's sound: the frames each of its audio callbacks renders, and how
    often they come. Within one callback the clock moves a render quantum at a time, less than a
    millisecond apart: those moves are summed into the callback's block."""
    rate, latency, moves = browser.evaluate(AUDIO_CLOCK)
    blocks = []  # [frames, when it began]
    for (frames, at), (_, before) in zip(moves[1:], moves):
        if blocks and at - before < 1:
            blocks[-1][0] += frames
        else:
            blocks.append([frames, at])
    whole = blocks[1:-1]  # the first and the last may be cut short where the second began and ended
    sizes = statistics.median(frames for frames, _ in whole)
    every = statistics.median(later - at for (_, at), (_, later) in zip(whole, whole[1:]))
    return (f"{sizes:.0f} frames every {every:.1f} ms at {rate:,} Hz ({len(whole)} callbacks); "
            f"the output latency it reports: {latency * 1000:.0f} ms")


# 40 names of 3 to 7 kana, the same every run.
GROUP = ["".join("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"[(7 * i + 11 * k) % 46]
                 for k in range(3 + i % 5)) for i in range(40)]
# Opens a group's link in place, as following it within the page does, and answers when the next frame
# has been painted: [ms to the end of the work, ms to the frame after it].
OPEN_GROUP = """(names => { history.replaceState(null, '', '#group&' + names.map(encodeURIComponent).join('&'));
    const t = performance.now(); dispatchEvent(new HashChangeEvent('hashchange')); document.body.offsetHeight;
    const done = performance.now() - t;
    return new Promise(painted => requestAnimationFrame(() => setTimeout(() => painted([done, performance.now() - t])))); })"""
# The last of the 40 names taken out and added again by its field and button, as a person does.
ADD_FORTIETH = """(() => { const buttons = GroupNames.querySelectorAll('button'), name = GroupNames.lastChild.firstChild.textContent;
    buttons[buttons.length - 1].click(); GroupName.value = name;
    const t = performance.now(); GroupAdd.click(); document.body.offsetHeight; const done = performance.now() - t;
    return new Promise(painted => requestAnimationFrame(() => setTimeout(() => painted([done, performance.now() - t])))); })()"""


def group(browser):
    """The group of 40 names, 780 pairs: opened by its link under Lighthouse's phone throttling
    (the CPU 4 times slower), and its 40th name added on a computer, each to the frame that shows it."""
    browser.open()
    print(f"{len(GROUP)} names, {len(GROUP) * (len(GROUP) - 1) // 2} pairs, each time to the end of the work and to "
          f"the frame that shows it, medians of {ROUNDS} rounds.\n\n| figure | scored and drawn | on screen | goal | "
          "holds |\n| --- | --- | --- | --- | --- |")
    for rate, what, script, goal in ((4, "40 names opened by their link, phone-throttled", f"({OPEN_GROUP})({GROUP!r})", 100),
                                     (1, "the 40th name added, on a computer", ADD_FORTIETH, 1000 / 60)):
        browser.call("Emulation.setCPUThrottlingRate", rate=rate)
        times = [browser.evaluate(script) for _ in range(ROUNDS)]
        work, frame = (statistics.median(t[i] for t in times) for i in (0, 1))
        print(f"| {what} | {work:.1f} ms | {frame:.1f} ms | <= {goal:.0f} ms on screen | {holds(frame <= goal)} |")
    browser.call("Emulation.setCPUThrottlingRate", rate=1)


def main():
    build = os.path.abspath(sys.argv[1])
    page = os.path.join(build, "web")
    print("### Weight\n\nThe page as `build/web/` holds it, file by file.\n")
    print(weight(page))
    with Desktop(sound=True) as desktop:
        served = desktop.path("served")
        shutil.copytree(page, served)
        shutil.copy(os.path.join(build, "web-cmake", "static.html"), served)
        shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), "cue_floor.html"), served)
        origin = serve(desktop, served)
        print("\n### Lighthouse\n")
        lighthouse_scores(desktop, origin)
        browser = Chromium(desktop, origin)
        print("\n### First paint\n")
        first_paint(browser, origin)
        print("\n### A group of 40 names\n")
        group(browser)
        print("\n### The count and the cues\n\nThree counts of 100 steps (ん and ん) in each, the display's every "
              "change timed in the page, and each cue's onset in the recording against the moment its step was "
              "shown; with the page's own cues, then at the browser's floor (a bare page that starts the same sounds on "
              "the same steps from a few lines of script), then the page served without its cues, so every cue is "
              "the default sound.\n\n"
              "| figure | result | goal | holds |\n| --- | --- | --- | --- |")
        count_and_cues(browser, desktop, build, "its own cues")
        count_and_cues(browser, desktop, build, "the floor (`bench/cue_floor.html`)", "/cue_floor.html", goals=False)
        bare = desktop.path("served-without-cues")
        shutil.copytree(served, bare, ignore=shutil.ignore_patterns("Sound"))
        browser.move_to(serve(desktop, bare))
        count_and_cues(browser, desktop, build, "the default sound")


if __name__ == "__main__":
    main()
