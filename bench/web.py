#!/usr/bin/env python3
"""The web page's figures: its weight, file by file, as served and gzipped;
Lighthouse's scores as a phone and as a computer; first paint and first
usable click in headless Chromium against the same window drawn by a static
page with no script, interleaved in one run; a group of 40 names scored
and drawn; the count's pace over 100 steps; and each cue's delay after its step, heard on the private sound
server the tests record.

usage: web.py BUILD_DIR [--weight-into RESULTS.md]
(the page in BUILD/web, the static page in BUILD/web-cmake). With
--weight-into, the weight tables in RESULTS.md are written anew, dated."""
import datetime
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
from harness.lighthouse import lighthouse
from harness.recording import cue_onsets

ROUNDS = 15


WEIGHT_START, WEIGHT_END = "<!-- weight: written by bench/web.py -->", "<!-- end of weight -->"


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


def write_weight(results, tables):
    """Puts the tables in place of the last ones, with the day they were measured."""
    text = open(results).read()
    start, end = text.index(WEIGHT_START) + len(WEIGHT_START), text.index(WEIGHT_END)
    stamp = f"Measured {datetime.date.today().isoformat()} by `bench/web.py` from `build/web/`."
    with open(results, "w") as out:
        out.write(text[:start] + "\n" + stamp + "\n\n" + tables + "\n" + text[end:])


def lighthouse_scores(desktop, origin):
    print("| form factor | performance | accessibility | best practices | SEO | text compression | cache lifetime |\n"
          "| --- | ---: | ---: | ---: | ---: | ---: | ---: |")
    for form_factor in ("mobile", "desktop"):
        scores, host = lighthouse(desktop, origin + "/", form_factor)
        print(f"| {form_factor} | " + " | ".join(str(scores[name]) for name in
                                                 ("performance", "accessibility", "best-practices", "seo"))
              + " | " + " | ".join(str(host.get(audit)) for audit in ("uses-text-compression", "uses-long-cache-ttl"))
              + " |")
    print("(goal 100 in every category; the last two are the host's, 0 to 1, and weigh nothing)")


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
    print(f"first contentful paint: page {ours:.1f} ms, static page {bare:.1f} ms, ratio {ours / bare:.2f}x "
          f"(goal <= 1.25x); first usable click {statistics.median(times['ready']):.1f} ms "
          f"({ROUNDS} rounds, medians)")
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


def count_and_cues(browser, desktop, build):
    """Three counts of 100 steps: their pace, and each cue's delay after its step."""
    browser.open()
    origin = browser.evaluate("performance.timeOrigin")
    totals, first, later = [], [], []
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
            print(f"run {run}: heard {len(cues)} cues, played {len(cue_steps)}")
            continue
        for i, ((_, heard), (at, _)) in enumerate(zip(cues, cue_steps)):
            delay = listener.start * 1000 + heard - (origin + at)
            (first if run == 0 and i == 0 else later).append(delay)
    print("100 steps, press to the last: " + ", ".join(f"{t:.1f} ms" for t in totals)
          + " (goal 5000 ms +- 0.5 %)")
    later.sort()
    print(f"cue delay after its step, as recorded: the page's first cue {first[0] if first else -1:.1f} ms; "
          f"later cues median {later[len(later) // 2]:.1f} ms, max {later[-1]:.1f} ms over {len(later)} cues "
          f"(goal <= 30 ms)")


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
    for rate, what, script, goal in ((4, "40 names opened by their link, phone-throttled", f"({OPEN_GROUP})({GROUP!r})", 100),
                                     (1, "the 40th name added, on a computer", ADD_FORTIETH, 1000 / 60)):
        browser.call("Emulation.setCPUThrottlingRate", rate=rate)
        times = [browser.evaluate(script) for _ in range(ROUNDS)]
        work, frame = (statistics.median(t[i] for t in times) for i in (0, 1))
        print(f"{what}: scored and drawn in {work:.1f} ms, on screen at the next frame {frame:.1f} ms "
              f"(goal <= {goal:.0f} ms; {ROUNDS} rounds, medians)")
    browser.call("Emulation.setCPUThrottlingRate", rate=1)


def main():
    build = os.path.abspath(sys.argv[1])
    page = os.path.join(build, "web")
    print("== weight")
    tables = weight(page)
    print(tables)
    if "--weight-into" in sys.argv:
        write_weight(sys.argv[sys.argv.index("--weight-into") + 1], tables)
        return
    with Desktop(sound=True) as desktop:
        served = desktop.path("served")
        shutil.copytree(page, served)
        shutil.copy(os.path.join(build, "web-cmake", "static.html"), served)
        origin = serve(desktop, served)
        print("\n== Lighthouse")
        lighthouse_scores(desktop, origin)
        browser = Chromium(desktop, origin)
        print("\n== first paint")
        first_paint(browser, origin)
        print("\n== the group of 40 names")
        group(browser)
        print("\n== count and cues")
        count_and_cues(browser, desktop, build)


if __name__ == "__main__":
    main()
