#!/usr/bin/env python3
"""Tests of the web page as a person uses it: in Debian's Chromium, headless,
driven over the DevTools protocol, with the cues heard on the private sound
server the desktop tests record; and one game in WebKit, the engine of
Safari, driven through its WebDriver.

usage: run.py SCENARIO --page PAGE_DIR --build BUILD_DIR
Scenarios: chromium (the page's start, the refusals, an input method's
composition, long names, shared links with sending by share sheet and
clipboard, a phone upright and on its side, installing and the link
preview's card), chromium_heard (a game heard, with its pyramid and the
result's picture shared or saved, a group's pair heard, offline, the default
sound), firefox, webkit, lighthouse."""
import base64
import glob
import io
import json
import os
import shutil
import statistics
import subprocess
import sys
import wave
from urllib.parse import quote

from PIL import Image, ImageDraw, ImageFont

from harness.browser import WATCH_DISPLAY, Chromium, fetched, free_port, serve, stop_serving
from harness.checks import arguments, check, check_none, stays, verdict, wait_for
from harness.desktop import Desktop, colour_faults
from harness.firefox import Firefox
from harness.game import DIGITS, NAMES, REFUSAL, SCORE
from harness.lighthouse import lighthouse as browser_lighthouse
from harness.oracle import oracle_digits, oracle_group, oracle_joined, oracle_rows, oracle_score
from harness.recording import GAME_STEPS, STEP_MS, again_when_damaged, cue_faults, judged
from harness.window import WINDOW

HERE = os.path.dirname(os.path.abspath(__file__))

with open(os.path.join(HERE, "phone_faults.js"), encoding="utf-8") as f:
    PHONE_FAULTS = f.read()
with open(os.path.join(HERE, "start_faults.js"), encoding="utf-8") as f:
    START_FAULTS = f.read()
SAMPLE_STEPS = [str(n) for n in range(int(SCORE) + 1)]
with open(os.path.join(HERE, "group_drawn.js"), encoding="utf-8") as f:
    GROUP_DRAWN = f.read()
# A group of 8, and its link's fragment with a name the boxes refuse among them.
GROUP = ["やまだたろう", "すずきはなこ", "さとうけんた", "たなかゆい", "いとうしょう", "わたなべあい", "こばやしりく", "かとうみお"]
GROUP_LINK = "#group&" + "&".join(map(quote, GROUP[:7] + ["Tarou"]))
# The pair of it a browser plays: the first whose count passes a bell, as (first, second, score).
GROUP_PAIR = min(((i, k, oracle_score(a, c)) for i, a in enumerate(GROUP) for k, c in enumerate(GROUP)
                  if i < k and oracle_score(a, c) > 10), key=lambda pair: pair[2])
# What the other browsers are given: the whole group's link, what it must draw, the pair to play.
GROUP_GIVEN = {"link": "#group&" + "&".join(map(quote, GROUP)), "drawn": oracle_group(GROUP), "pair": GROUP_PAIR}
# How many of the cues' files the page has fetched.
SOUNDS_FETCHED = "performance.getEntriesByType('resource').filter(r => r.name.includes('/Sound/')).length"
LIGHTHOUSE_CATEGORIES = ("performance", "accessibility", "best-practices", "seo")
MINCHO = "/usr/share/fonts/opentype/ipaexfont-mincho/ipaexm.ttf"  # the face the page's is cut from
# A share sheet that takes files, as a phone's: what it is handed is kept, the PNG as base64.
SHARE_FILES = """navigator.canShare = data => !!data.files;
    navigator.share = async data => { window.shared = {title: data.title, text: data.text, url: data.url,
        files: data.files.map(f => [f.name, f.type]), png: await new Promise(done => {
            const reader = new FileReader(); reader.onload = () => done(reader.result.split(',')[1]);
            reader.readAsDataURL(data.files[0]); })}; }"""



class Page:
    """The page's tests in one Chromium, scenario by scenario."""

    def __init__(self, args, desktop):
        self.args = args
        self.desktop = desktop
        self.layout = WINDOW
        self.browser = Chromium(desktop, serve(desktop, args.page))
        self.sizes = {os.path.relpath(os.path.join(folder, name), args.page): os.path.getsize(os.path.join(folder, name))
                      for folder, _, names in os.walk(args.page) for name in names}
        self.files = {""} | set(self.sizes)  # "" for "./"
        # Each sound by its length, to name what the page starts.
        self.sounds = {}
        for name, path in (("Push", "Sound/Push"), ("Kin", "Sound/Kin"), ("Pororon", "Sound/Pororon"),
                           ("Default", "Default.wav")):
            with wave.open(os.path.join(args.page, path)) as sound:
                self.sounds[round(sound.getnframes() / sound.getframerate(), 2)] = name
        self.shots = os.path.join(args.build, "e2e-shots")

    def shot(self, name):
        path = os.path.join(self.shots, f"web-{name}.png")
        self.browser.screenshot(path)
        return path

    def enter(self, box, text, touch=False):
        """Clicks or taps a box, which selects its name as it takes the focus (a box that has it
        already places the caret: select all), and types over it."""
        b = self.browser
        already = b.focused() == box
        b.tap(box) if touch else b.click(box)
        selected = b.evaluate(f"(e => [e.selectionStart, e.selectionEnd, e.value.length])({box})")
        check(already or selected == [0, selected[2], selected[2]], f"entering {box} selected {selected}")
        if already:
            b.select_all()
        b.type(text)
        check(b.value(box) == text or b.refusal(), f"{box} holds {b.value(box)!r}, not {text!r}")

    def heard(self, play):
        """The cues heard while play runs, which must be the sounds the page started, spaced as it
        started them: a cue the page started that did not sound, or sounded late, is the page's
        fault, unless the machine held a process of the tests' own up meanwhile (judged). The
        first cue opens the audio and is left out of the spacing."""
        self.browser.evaluate("started.length = 0")
        cues = self.desktop.cues_heard(self.args.build, play)
        started = self.browser.evaluate("started")
        names = [self.sounds.get(round(length, 2), length) for _, length in started]
        delays = [at - start for (_, at), (start, _) in zip(cues[1:], started[1:])]
        if [name for name, _ in cues] != names:
            cues.unsure(f"the page started {names}; what sounded was {cues}")
            check_none(judged([f"the page started {names}; what sounded was {cues}"], held_up(self.desktop)))
        elif delays and max(delays) - min(delays) >= STEP_MS / 2:
            check_none(judged([f"the page's cues sounded up to {max(delays) - min(delays):.0f} ms later than others "
                               "after it started them"], held_up(self.desktop)))
        self.started = [start for start, _ in started]
        return cues

    def count_to(self, score, cues=0):
        """Waits for the display to reach score, and for the page to have started that many cues."""
        wait_for(lambda: self.browser.value("Text3") == str(score), what=f"the count to reach {score}")
        wait_for(lambda: self.browser.evaluate("started.length") >= cues, what=f"the page to start {cues} cues")

    # --- scenarios --------------------------------------------------------
    def start(self):
        """The window as it opens: every control at the original's place, its colours, font
        sizes, names and texts; the first name selected; the tab order; Text4 out of sight and reach."""
        b = self.browser
        code = self.sizes["minukape.js"] + self.sizes["minukape.wasm"]
        check(sum(self.sizes.values()) <= 450_000 and code <= 150_000,
              f"the page weighs {sum(self.sizes.values())} bytes, its script and WebAssembly {code}")
        b.open()
        early = b.evaluate("(paint => performance.getEntriesByType('resource').filter(r => r.startTime < paint)"
                           ".map(r => r.name.split('/').pop()))(performance.getEntriesByName('first-contentful-paint')[0].startTime)")
        check(set(early) <= {"minukape.png"}, f"fetched before the first paint: {early}")
        check(b.evaluate("[document.title, caption.textContent]") == [self.layout["caption"]] * 2,
              "the page's title and caption bar")
        check_none(b.evaluate(f"({START_FAULTS})({json.dumps(self.layout)})"))
        check(b.focused() == "Text1" and b.evaluate("[Text1.selectionStart, Text1.selectionEnd]") == [0, 6],
              "the first name has the focus, selected whole")
        tabbed = []
        for _ in range(3):
            b.key("Tab")
            tabbed.append(b.focused())
        check(tabbed == ["Text2", "Command1", "Text3"], f"Tab goes {tabbed}")
        spoken = self.said()
        for control in self.layout["controls"]:
            role = {"text box": "textbox", "push button": "button"}.get(control["kind"])
            if role:
                check(((role, control["spoken"]) in spoken) == control["shown"],
                      f"{control['name']} as a screen reader meets it")
        # This system has no "ＭＳ 明朝": the window's text is drawn in the Mincho face the page carries,
        # once it has come (the page adds it loaded) and the text is laid out again.
        wait_for(lambda: b.evaluate("document.fonts.size > 0 && document.body.offsetHeight > 0"),
                 what="the page's Mincho face")
        b.call("DOM.enable")
        b.call("CSS.enable")
        document = b.call("DOM.getDocument")["root"]["nodeId"]
        for control in self.layout["controls"][:3] + self.layout["controls"][5:]:
            node = b.call("DOM.querySelector", nodeId=document, selector="#" + control["name"])["nodeId"]
            fonts = b.call("CSS.getPlatformFontsForNode", nodeId=node)["fonts"]
            check([(f["familyName"], f["isCustomFont"]) for f in fonts] == [("Minukape Mincho", True)],
                  f"{control['name']} is drawn with {fonts}")
        self.shot("start")

    def game(self):
        """The sample names typed in, the press, the count 0 to 38 seen step by step and heard, the
        score said once, the digits in Text4, the button off until a name changes."""
        b = self.browser
        self.enter("Text1", NAMES[0])
        self.enter("Text2", NAMES[1])
        b.evaluate(SHARE_FILES)
        b.watch_display()

        def play():
            b.evaluate("Spoken.textContent = ''")  # a game played again follows one that ended
            b.click("Command1")
            check(b.evaluate("Command1.disabled"), "the press disables the button")
            def past_15():
                shown, spoken = b.evaluate("[Text3.value, Spoken.textContent]")
                return shown.isdigit() and int(shown) >= 15 and (shown, spoken)
            shown, spoken = wait_for(past_15, interval=0.01, what="the count to pass 15")
            check(shown == SCORE or spoken == "", f"the count is said at step {shown}: {spoken!r}")
            self.shot("counting")
            self.count_to(SCORE, cues=5)
        cues = self.heard(play)
        check_none(count_faults(b.shown(), b.evaluate("pressedAt")))
        # Each cue starts as its step is shown (a busy machine may show a step late, and its cue
        # with it); the recording followed the page (heard).
        check_none(cue_faults(cues, timed=False))
        at = {text: time for time, text in reversed(b.shown())}
        late = [round(start - at[str(step)]) for start, step in zip(self.started, GAME_STEPS)]
        check(all(abs(ms) < STEP_MS / 2 for ms in late), f"the cues started {late} ms after their steps")
        check(b.value("Text4") == DIGITS, f"Text4 holds {b.value('Text4')}")
        check(wait_for(lambda: b.evaluate("Spoken.textContent")) == f"相性度 {SCORE}", "the score is not said")
        check_none(colour_faults(self.shot("done"), tuple(b.rect("Form1")[:2])))
        check(b.evaluate("Command1.disabled"), "the count ended with the button on")
        self.pyramid(*NAMES)
        self.shot("pyramid")
        shared = self.picture(*NAMES, "画像で送る")
        b.evaluate("delete navigator.canShare; delete navigator.share")
        saved = self.picture(*NAMES, "画像で送る")
        check(saved.tobytes() == shared.tobytes(), "the picture saved is not the one shared")
        self.enter("Text1", NAMES[0])
        check(not b.evaluate("Command1.disabled") and b.value("Text3") == "", "a name change readies the button")
        check(b.evaluate("document.getElementById('Pyramid')") is None, "a name change left the pyramid")

    def pyramid(self, first, second):
        """Below the window once the count has ended (after its last cue started, never before):
        the joined kana over the digits and every row of the fold, as worked out on paper, down
        to the score; of a long pair, the start of the digit row and its last 15 rows, saying how
        many were left out. A screen reader meets it under its heading, row by row."""
        b = self.browser
        wait_for(lambda: b.evaluate("window.pyramidAt"), what="the pyramid")
        check(b.evaluate("window.pyramidAt >= started[started.length - 1][0]"), "shown before the last cue")
        digits = oracle_digits(first, second)
        shown = self.layout["pyramidDigits"]
        rows = oracle_rows(digits, shown)
        cut = ["…"] if len(digits) > shown else []
        wanted = ([list(oracle_joined(first, second)[:shown]) + cut, [str(d) for d in rows[0][:shown]] + cut]
                  + [[str(d) for d in row] for row in rows[1:]])
        drawn = b.evaluate("[...document.querySelectorAll('#PyramidRows .cells')].map(r => [...r.children].map(c => c.textContent))")
        check(drawn == wanted, f"the pyramid is {drawn}, not {wanted}")
        left_out = b.evaluate("(document.getElementById('PyramidLeftOut') || {}).textContent")
        check((left_out is None) == (len(digits) <= shown), f"said of the rows left out: {left_out!r}")
        check(left_out is None or f"{len(digits) - shown - 1:,}段は省きました" in left_out, f"said {left_out!r}")
        # Met once the pyramid is shown, which waits for its style sheet the first time.
        wait_for(lambda: {("heading", "相性度の出し方"), ("StaticText", "1段目 " + " ".join(wanted[1]))} <= self.said(),
                 what="a screen reader to meet the heading and the rows")

    def refusals(self):
        """A refusal from each box (what is refused is the handlers'): the message, its OK alone, the
        page out of reach while it is open, each way of dismissing it; the box emptied, the button off."""
        b = self.browser
        rows = [("Text1", "タロウ", "Enter"), ("Text2", "山田", "Space"), ("Text1", "a", "Escape"), ("Text2", "ー", "OK")]
        for box, text, dismiss in rows:
            row = f"{text} in {box}, dismissed with {dismiss}"
            other = "Text2" if box == "Text1" else "Text1"
            self.enter(box, "さくら")
            self.enter(box, text)
            check(b.refusal() == [self.layout["caption"], REFUSAL, ["OK"], 0], f"{row}: the message is {b.refusal()}")
            b.click(other)
            check(b.focused() == "RefusalOK", f"{row}: the page behind the message took a click")
            if box == "Text1" and dismiss == "Enter":
                self.shot("refusal")
            b.click("RefusalOK") if dismiss == "OK" else b.key(dismiss)
            wait_for(lambda: b.refusal() is None and b.value(box) == "", what=f"{row}: the message to close, the box emptied")
            check(b.evaluate("Command1.disabled"), f"{row}: the button is on")
            check(b.refusal() is None, f"{row}: a second message")

    def composition(self):
        """Romaji composed in an input method is not judged until it is committed: kana pass,
        katakana are refused once."""
        b = self.browser
        b.click("Text1")
        for text in ("s", "さ", "さk", "さく", "さくr", "さくら"):
            b.compose(text)
            check(b.refusal() is None, f"composing {text!r} brought the message")
        b.type("さくら")
        check(b.refusal() is None and b.value("Text1") == "さくら", "committed kana are refused")
        b.click("Text2")
        for text in ("t", "た", "たr", "たろ", "タロ"):
            b.compose(text)
        check(b.refusal() is None, "a composition brought the message")
        b.type("タロ")
        check(b.refusal() is not None, "committed katakana pass")
        b.key("Enter")
        wait_for(lambda: b.refusal() is None and b.value("Text2") == "", what="the message to close, the box emptied")
        check(stays(lambda: b.refusal() is None, 0.2), "a second refusal")
        self.enter("Text2", "あ")
        b.click("Text1")
        b.key("Backspace")  # the whole name, selected as the box was entered
        check(b.value("Text1") == "" and b.refusal() is None and b.evaluate("Command1.disabled"),
              "deleting a name")

    def long_names(self):
        """Two names of 72,006 kana each, pasted (a length whose count is short): the count reaches
        their score, the digits are in Text4, and nothing is thrown on the way."""
        b = self.browser
        first, second = NAMES[0] * 12_001, NAMES[1] * 12_001
        self.enter("Text1", first)
        self.enter("Text2", second)
        b.watch_display()
        b.click("Command1")
        self.count_to(oracle_score(first, second))
        check(b.value("Text4") == "".join(map(str, oracle_digits(first, second))), "the digits in Text4")
        self.pyramid(first, second)
        # 400 kana: the picture as wide as it may be, its pyramid shortened.
        first, second = first[:200], second[:200]
        self.enter("Text1", first)
        self.enter("Text2", second)
        b.click("Command1")
        wait_for(lambda: b.evaluate("!!document.getElementById('SharePicture')"), what="the picture's button")
        picture = self.picture(first, second, "画像を保存")
        check(picture.height < 2000, f"the picture of a long pair is {picture.size}: not shortened")

    def picture(self, first, second, name):
        """The result's picture, from the button a screen reader meets as name: handed to a share
        sheet that takes files, with the text and the link, else saved as a download. Its pixels
        show the window's colours, the score in the display's, and the pyramid's last row."""
        b = self.browser
        check(("button", name) in self.said(), f"a screen reader does not meet the button {name}")
        sheet, folder = b.evaluate("window.shared = null, !!navigator.canShare"), self.desktop.path(f"saved-{free_port()}")
        b.call("Browser.setDownloadBehavior", behavior="allow", downloadPath=folder)
        b.click("SharePicture")
        if sheet:
            shared = wait_for(lambda: b.evaluate("window.shared"), what="the share sheet")
            png = base64.b64decode(shared.pop("png"))
            wanted = {"title": self.layout["caption"], "text": f"{first} と {second} の相性度は {oracle_score(first, second)}",
                      "url": b.evaluate("location.href.split('#')[0]") + "#" + quote(first) + "&" + quote(second),
                      "files": [["minukape.png", "image/png"]]}
            check(shared == wanted, f"the share sheet got {shared}")
        else:
            path = wait_for(lambda: glob.glob(os.path.join(folder, "*.png")), what="the download")[0]
            check(os.path.basename(path) == "minukape.png", f"downloaded {path}")
            png = open(path, "rb").read()
        image = Image.open(io.BytesIO(png)).convert("RGB")
        image.save(os.path.join(self.shots, f"web-picture-{len(first)}.png"))
        check_none(picture_faults(image, self.layout, oracle_score(first, second),
                                  oracle_rows(oracle_digits(first, second), 2)[-1]))
        return image

    def group(self):
        """みんなの相性: a group's link opens with the name the boxes refuse left out, in the
        refusal's words; the last name is composed, committed and added by Enter; a name refused
        and one removed; the ranking and the table agree with the oracle for every pair; a pair
        played out in the window with its cues heard, and back; the ranking's picture; the page
        at a computer's width and at a phone's, 360 and 390 px."""
        b = self.browser
        b.call("Emulation.setDeviceMetricsOverride", width=1280, height=900, deviceScaleFactor=1, mobile=False)
        b.call("Page.navigate", url="about:blank")  # a visit, not a move within the page
        b.open("/" + GROUP_LINK)
        check(b.evaluate("GroupSaid.textContent") == "「Tarou」: " + REFUSAL, "the link's refused name")
        b.click("GroupName")
        for text in ("k", "か", "かと", "かとう"):
            b.compose(text)
            b.key("Enter")
        b.type("かとうみお")
        check(b.evaluate("GroupNames.children.length") == 7, "a composition was added")
        for text, said in (("かとうみお", ""), ("カトウ", REFUSAL)):
            b.select_all()
            b.type(text)
            b.key("Enter")
            check(b.evaluate("[GroupSaid.textContent, GroupName.value, document.activeElement.id]")
                  == [said, "" if not said else text, "GroupName"], f"{text} added")
        check(b.evaluate(f"({GROUP_DRAWN})()") == oracle_group(GROUP), "the group of 8 against the oracle")
        self.full_shot("group")
        first, second, score = GROUP_PAIR
        b.evaluate(f"GroupRanking.querySelector('[data-first=\"{first}\"][data-second=\"{second}\"]').id = 'Played'")
        cues = self.heard(lambda: (b.click("Played"), self.count_to(score, cues=3)))
        check([name for name, _ in cues] == ["Push", "Kin", "Pororon"], f"heard {cues}")
        check([b.value("Text1"), b.value("Text2")] == [GROUP[first], GROUP[second]], "the pair in the boxes")
        wait_for(lambda: b.evaluate("!!document.getElementById('GroupBack') && !document.getElementById('Pyramid').hidden"),
                 what="the way back")
        b.click("GroupBack")
        check(b.focused() == "Played", f"back to the group at {b.focused()!r}")
        b.evaluate(SHARE_FILES)
        b.click("GroupPicture")
        shared = wait_for(lambda: b.evaluate("window.shared"), what="the share sheet")
        png = Image.open(io.BytesIO(base64.b64decode(shared.pop("png")))).convert("RGB")
        png.save(os.path.join(self.shots, "web-group-picture.png"))
        top = oracle_group(GROUP)["ranking"][:3]
        check(shared == {"title": self.layout["caption"], "text": "みんなの相性（8人）: " + "、".join(f"{r}位 {a} と {c} {n}" for r, a, c, n in top),
                         "url": b.origin + "/#group&" + "&".join(map(quote, GROUP)),
                         "files": [["minukape-group.png", "image/png"]]}, f"shared {shared}")
        colours = {colour for _, colour in png.getcolors(1 << 20)}
        check(png.width <= 1080 and {self.layout["colour"], self.layout["controls"][3]["background"]} <= {
              "rgb(%d, %d, %d)" % colour for colour in colours}, f"the picture is {png.size}, without the window's colours")
        b.evaluate("GroupNames.querySelectorAll('button')[2].id = 'Removed'")
        b.click("Removed")
        check(b.evaluate("[...GroupNames.querySelectorAll('li > span')].map(s => s.textContent)")
              == GROUP[:2] + GROUP[3:] and b.evaluate("document.activeElement.getAttribute('aria-label')")
              == f"「{GROUP[3]}」を外す", "removing a name")
        for width in (360, 390):
            b.call("Emulation.setDeviceMetricsOverride", width=width, height=844, deviceScaleFactor=1, mobile=True)
            b.call("Page.navigate", url="about:blank")  # a visit, not a move within the page
            b.open("/" + GROUP_LINK)
            check(b.evaluate("""[document.documentElement.scrollWidth, GroupTableView.getBoundingClientRect().right,
                Math.min(...[...document.querySelectorAll('#Group *')].filter(e => e.childNodes.length &&
                    e.firstChild.nodeType == 3 && e.offsetParent).map(e => parseFloat(getComputedStyle(e).fontSize))),
                document.getElementById('Group').getBoundingClientRect().top < innerHeight / 2]""")
                  == [width, width - 16, 14, True], f"the group at {width} px: overflowing, text too small to read, "
                                                    "or out of view")
        self.full_shot("group-phone")
        b.call("Emulation.clearDeviceMetricsOverride")

    def full_shot(self, name):
        """The whole page, as far as it scrolls."""
        b = self.browser
        width, height = b.evaluate("[document.documentElement.scrollWidth, document.documentElement.scrollHeight]")
        data = b.call("Page.captureScreenshot", format="png", captureBeyondViewport=True,
                      clip={"x": 0, "y": 0, "width": width, "height": height, "scale": 1})["data"]
        with open(os.path.join(self.shots, f"web-{name}.png"), "wb") as f:
            f.write(base64.b64decode(data))

    def said(self):
        """What a screen reader meets on the page, as (role, name)."""
        return {(node["role"]["value"], node.get("name", {}).get("value"))
                for node in self.browser.call("Accessibility.getFullAXTree")["nodes"] if not node.get("ignored")}

    def links(self):
        """A hand-made or damaged link opens as a plain visit; a shared result's link opens with its
        names in the boxes, the button on and no count; neither changes the address. Once the
        person's count has ended, the result goes to the share sheet where the browser has one,
        else to the clipboard, which the page says: its text, and the link it was opened by."""
        b = self.browser
        start = [control["text"] for control in self.layout["controls"][:2]]
        for fragment, names in (("タロウ&さくら", start), ("&さくら", start), ("%E3%81&さくら", start),
                                ("さくら", start), ("ん%26&あ", start), ("さくら&あおい", ["さくら", "あおい"])):
            link = f"{b.origin}/#{quote(fragment, safe='&%')}"
            b.call("Page.navigate", url="about:blank")  # a visit, not a move within the page
            b.open(link[len(b.origin):])
            opened = b.evaluate("[Text1.value, Text2.value, Command1.disabled, location.href]")
            check(opened == names + [False, link] and b.refusal() is None, f"{link} opens as {opened}")
        check(stays(lambda: b.value("Text3") == "", 1), "a link started a count")
        b.click("Command1")
        text = f"さくら と あおい の相性度は {oracle_score('さくら', 'あおい')}"
        wait_for(lambda: b.evaluate("!!document.getElementById('Share') && !document.getElementById('Pyramid').hidden"), what="the share button")
        b.evaluate("navigator.share = data => { window.shared = data; return Promise.resolve(); }")
        b.click("Share")
        check(b.evaluate("window.shared") == {"title": self.layout["caption"], "text": text, "url": link}, "shared otherwise")
        b.evaluate("delete navigator.share")
        b.call("Browser.grantPermissions", origin=b.origin, permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
        b.click("Share")
        wait_for(lambda: b.evaluate("ShareStatus.textContent") == "結果とリンクをコピーしました。", what="the page to say so")
        check(b.evaluate("navigator.clipboard.readText()") == f"{text} {link}", "the clipboard's text")

    def default_sound(self):
        """Served without its Sound folder, each cue plays the page's default sound."""
        folder = self.desktop.path("no-sounds")
        shutil.copytree(self.args.page, folder, ignore=shutil.ignore_patterns("Sound"), dirs_exist_ok=True)
        # In the same browser: a browser's first sound may break up while its audio starts, which
        # a fresh one for each try would meet every time.
        b = self.browser
        b.move_to(serve(self.desktop, folder))
        b.open()
        # The page fetches its sounds as it starts, and decodes them at a person's first press; each
        # missing cue takes three requests to settle on the default (its name, with ".wav", the default),
        # which on a busy machine may outlast the press: a cue still settling at its step gives way.
        b.click("Text1")
        wait_for(lambda: b.evaluate(f"{SOUNDS_FETCHED} >= 6 && performance.getEntriesByType('resource')"
                                    ".some(r => r.name.endsWith('/Default.wav'))"),
                 what="every cue to settle on the default sound")
        cues = self.heard(lambda: (b.key("Tab"), b.key("Tab"), b.key("Enter"), self.count_to(SCORE, cues=5)))
        check([name for name, _ in cues] == ["Default"] * 5, f"heard {cues}")
        missing = [event for event in b.events if event.get("method") == "Log.entryAdded"]
        check(all("404" in event["params"]["entry"]["text"] and "/Sound/" in event["params"]["entry"].get("url", "")
                  for event in missing), f"logged {missing}")
        b.events = [event for event in b.events if event not in missing]
        check_none(b.faults())

    def phone(self):
        """A phone upright (390 by 844: the phone arrangement) and on its side (844 by 390: the
        window as it is, whole across), played by taps; the keyboard, taking 500 or 200 px (so
        much that the button would be out of view unless the page kept it in), hides neither the
        name being typed nor the button."""
        b = self.browser
        b.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        for width, height, keyboard, box in ((390, 844, 500, "Text2"), (844, 390, 200, "Text1")):
            screen = lambda h: b.call("Emulation.setDeviceMetricsOverride", width=width, height=h,
                                      deviceScaleFactor=3, mobile=True)
            screen(height)
            b.open()
            if width < self.layout["width"]:
                check_none(b.evaluate(f"({PHONE_FAULTS})({json.dumps(self.layout)})"))
            else:
                form, button = b.rect("Form1"), b.rect("Command1")
                check(form[2:] == [self.layout["width"], self.layout["height"]] and b.evaluate(
                      "document.documentElement.scrollWidth") <= width and [button[0] - form[0], button[1] - form[1]]
                      == self.layout["controls"][2]["rect"][:2], f"Form1 {form}, Command1 {button}")
            self.enter(box, "はると", touch=True)
            screen(height - keyboard)
            wait_for(lambda: b.rect(box)[1] >= 0 and sum(b.rect("Command1")[1::2]) <= height - keyboard,
                     timeout=5, what=f"{box} and the button in view above the keyboard")
            self.shot(f"keyboard-{width}")
            screen(height)
            b.tap("Command1")
            self.count_to(oracle_score("はると", NAMES[box == "Text2"]))
            self.shot(f"phone-{width}")

    def installable(self):
        """Chromium would install the page as an app, named, coloured and drawn as the original
        window and the icon say; the page has a description for search results."""
        b = self.browser
        b.call("Emulation.clearDeviceMetricsOverride")
        b.open()
        check(b.call("Page.getInstallabilityErrors")["installabilityErrors"] == [], "not installable")
        manifest = json.loads(b.call("Page.getAppManifest")["data"])
        colour = self.layout["colour"]
        wanted = {"name": self.layout["caption"], "short_name": self.layout["caption"], "lang": "ja", "start_url": "./", "scope": "./",
                  "display": "standalone", "background_color": colour, "theme_color": colour}
        icons = sorted((icon.get("purpose", "any"), icon["sizes"], png_size(os.path.join(self.args.page, icon["src"])))
                       for icon in manifest["icons"])
        check({key: manifest.get(key) for key in wanted} == wanted and icons == [
              ("any", "192x192", (192, 192)), ("any", "512x512", (512, 512)), ("maskable", "512x512", (512, 512))],
              f"the manifest says {manifest}")
        touch, description = b.evaluate("[document.querySelector('link[rel=apple-touch-icon]').getAttribute('href'),"
                                        " document.querySelector('meta[name=description]').content]")
        check(png_size(os.path.join(self.args.page, touch)) == (180, 180) and "相性" in description,
              f"the touch icon {touch}, the description {description!r}")
        # The link preview's card, by relative addresses (the newcomer's test builds one for a site).
        tags = b.evaluate("Object.fromEntries([...document.querySelectorAll('meta[property], meta[name^=twitter]')]"
                          ".map(m => [m.getAttribute('property') || m.name, m.content]))")
        card = os.path.join(self.args.page, tags.pop("og:image"))
        check(png_size(card) == (1200, 630) and os.path.getsize(card) <= 100_000 and tags.pop("og:image:alt"),
              f"the card is {png_size(card)}, {os.path.getsize(card)} bytes")
        check(tags == {"og:type": "website", "og:title": self.layout["caption"], "og:description": description,
                       "og:locale": "ja_JP", "og:url": "./", "og:image:type": "image/png", "og:image:width": "1200",
                       "og:image:height": "630", "twitter:card": "summary_large_image"}, f"the card's tags: {tags}")

    def offline(self):
        """Visited once, the page plays a whole game with its cues, and draws a group, with no server at all; a new
        build takes over at the next visit, its files in a new cache and the old one gone."""
        b = self.browser
        folder = self.desktop.path(f"offline-{free_port()}")
        shutil.copytree(self.args.page, folder)
        origin = serve(self.desktop, folder)
        check_none(b.faults(self.files))
        b.move_to(origin)
        b.open()
        kept = """(async () => {
            const names = await caches.keys();
            const kept = names.length == 1 && (await (await caches.open(names[0])).keys()).map(r => r.url);
            return navigator.serviceWorker.controller && kept.length == %d
                && !kept.some(url => url.endsWith('minukape-card.png')) && names[0]; })()""" % (len(self.files) - 2)
        first = wait_for(lambda: b.evaluate(kept), what="the page's files to be kept")
        stop_serving(self.desktop, origin)
        b.call("Network.setCacheDisabled", cacheDisabled=True)
        b.open()
        b.click("Text1")
        wait_for(lambda: b.evaluate(SOUNDS_FETCHED) == 3, what="the cues to be fetched")
        cues = self.heard(lambda: (b.click("Command1"), self.count_to(SCORE, cues=5)))
        check_none(cue_faults(cues, timed=False))
        b.open("/" + GROUP_GIVEN["link"])
        check(b.evaluate(f"({GROUP_DRAWN})()") == GROUP_GIVEN["drawn"], "the group offline")
        with open(os.path.join(folder, "Pyramid.css"), "a") as css:
            css.write("/* the next build */\n")
        maker = os.path.join(HERE, "..", "..", "window", "web")
        subprocess.run([sys.executable, os.path.join(maker, "make_worker.py"), os.path.join(maker, "offline-worker.js"),
                        folder, "offline-worker.js", "minukape-card.png"], check=True)
        serve(self.desktop, folder, port=int(origin.rsplit(":", 1)[1]))
        b.open()
        wait_for(lambda: (lambda names: len(names) == 1 and names[0] != first)(b.evaluate("caches.keys()")),
                 what="the new build's cache alone")
        b.open()
        check("the next build" in b.evaluate("fetch('Pyramid.css').then(r => r.text())"), "the old build stays")
        check_none(b.faults(self.files))
        b.call("Network.setCacheDisabled", cacheDisabled=False)


def held_up(desktop):
    """What held the sound up that the page did not: the machine, or the browser's sound starved."""
    return desktop.stalls + desktop.underruns


def count_faults(shown, pressed):
    """The sample game's count as the page showed it, every step once and in order, and its pace on
    the test's own clock (the browser's, read by the test's observers of the press and the display,
    watch_display.js, not by the program): no step before it is due, n steps of 50 ms after the
    press, and the median step 50 +- 5 ms. A busy machine shows steps late, never early."""
    texts = [text for _, text in shown]
    if texts != SAMPLE_STEPS:
        return [f"the display showed {texts}"]
    steps = [(at, int(text)) for at, text in shown if text.isdigit()]
    # WebKit's clock keeps whole milliseconds in floating point: a step shown on the millisecond it
    # is due can read as a hair before it (99.99999999999997 ms). A microsecond or more is early.
    early = [f"{n} at {at - pressed:.1f} ms" for at, n in steps if at < pressed + n * STEP_MS - 0.001]
    median = statistics.median(later - at for (at, _), (later, _) in zip(steps, steps[1:]))
    return ([f"steps shown before they were due: {early}"] if early else []) + (
        [f"the median step is {median:.1f} ms"] if abs(median - STEP_MS) > 5 else [])


def picture_faults(image, layout, score, last_row):
    """What in the result's picture differs from the page: wider than 1080 px, not on the window's
    colour, or its display (the first band in the display's colours) and the pyramid's last row
    (the last band) not reading the score and the last row."""
    rgb = lambda css: tuple(int(part) for part in css[4:-1].split(","))
    text3 = next(control for control in layout["controls"] if control["name"] == "Text3")
    ground, display, digits = rgb(layout["colour"]), rgb(text3["background"]), rgb(text3["foreground"])
    colours = image.getcolors(image.width * image.height)
    faults = [f"{image.width} px wide"] if image.width > 1080 else []
    if max(colours)[1] != ground:
        faults.append(f"its ground is {max(colours)[1]}")
    bands = runs([y for y in range(image.height)
                  if any(image.getpixel((x, y)) == display for x in range(0, image.width, 2))])
    read = [read_digits(image.crop((0, band[0], image.width, band[-1] + 1)), display, digits) for band in bands]
    wanted = [str(score), "".join(map(str, last_row))]
    if len(read) < 2 or [read[0], read[-1]] != wanted:
        faults.append(f"its display and last row read {read}, not {wanted}")
    return faults


def read_digits(band, ground, ink):
    """The digits drawn in ink on a band of ground, told apart by their shapes in the face the
    page's is cut from."""
    near = lambda pixel: sum((a - b) ** 2 for a, b in zip(pixel, ink)) < sum((a - b) ** 2 for a, b in zip(pixel, ground))
    mask = Image.new("1", band.size)
    mask.putdata([near(pixel) for pixel in band.getdata()])
    glyphs = runs([x for x in range(band.width) if any(mask.getpixel((x, y)) for y in range(band.height))])
    shape = lambda m: list(m.crop(m.getbbox()).resize((12, 16)).getdata())
    drawn = {digit: Image.new("1", (64, 80)) for digit in "0123456789"}
    for digit, image in drawn.items():
        ImageDraw.Draw(image).text((0, 0), digit, font=ImageFont.truetype(MINCHO, 64), fill=1)
    shapes = {digit: shape(image) for digit, image in drawn.items()}
    return "".join(min(shapes, key=lambda d: sum(a != b for a, b in zip(shapes[d], shape(
        mask.crop((g[0], 0, g[-1] + 1, band.height)))))) for g in glyphs)


def runs(numbers):
    """Sorted numbers in runs of consecutive ones."""
    found = []
    for n in numbers:
        found[-1].append(n) if found and n == found[-1][-1] + 1 else found.append([n])
    return found


def png_size(path):
    with Image.open(path) as png:
        return png.format == "PNG" and png.size


def run(scenario):
    again_when_damaged(scenario.__name__, scenario)
    print(f"PASS {scenario.__name__}")


def chromium(args):
    """Chromium's scenarios that record nothing: they run beside other tests."""
    with Desktop(sound=True) as desktop:
        page = Page(args, desktop)
        for scenarios in ((page.start, page.refusals, page.composition, page.long_names, page.links),
                          (page.phone, page.installable)):
            in_chromium(page, scenarios)


def chromium_heard(args):
    """Chromium's scenarios whose cues are recorded, which take their turn with the other browsers'."""
    with Desktop(sound=True) as desktop:
        page = Page(args, desktop)
        page.browser.open()
        in_chromium(page, (page.game, page.group))
        run(page.offline)
        run(page.default_sound)


def in_chromium(page, scenarios):
    for scenario in scenarios:
        run(scenario)
    check_none(page.browser.faults(page.files))
    print("PASS nothing written but the page's own files, no other origin, no error on the console")


def firefox(args):
    """The other browsers' scenarios in Firefox, over WebDriver BiDi."""
    with Desktop(bus=False, sound=True) as desktop:
        browser = Firefox(desktop, serve(desktop, args.page))
        other_browser("firefox", browser, desktop, args)


def other_browser(name, browser, desktop, args):
    """What every browser but Chromium plays, written once: the window's start against the
    original's, the sample game seen with its pace and heard, one refusal, a group of 8 drawn as
    the oracle has it with one of its pairs played, the phone arrangement where the browser takes
    a phone's screen, and nothing logged or thrown from the page's first script on."""
    def opened(path="/"):
        browser.open(path)
        wait_for(lambda: browser.run("performance.getEntriesByName('minukape-ready').length > 0"),
                 what="the page to start")

    def game():
        check_none(browser.faults())  # of a try played before, too
        opened()
        check_none(browser.run(f"({START_FAULTS})({json.dumps(WINDOW)})"))
        browser.run(WATCH_DISPLAY)
        # The press is the page's first gesture: its cues must have come without one.
        wait_for(lambda: browser.run(SOUNDS_FETCHED) == 3, what="the page to fetch its cues before a press")
        cues = desktop.cues_heard(args.build, lambda: (browser.click("#Command1"), wait_for(
            lambda: browser.run("Text3.value") == SCORE, what=f"the count to reach {SCORE}")))
        check_none(count_faults(*browser.run("[shown, pressedAt]")))
        check_none(cue_faults(cues, stalls=held_up(desktop)))
        check(browser.run("Text4.value") == DIGITS, "the digits")
    again_when_damaged(f"{name} game", game)
    print("PASS the start, and the game seen, paced and heard")
    browser.click("#Text1")
    browser.type("a")
    wait_for(lambda: browser.run("Refusal.open && RefusalText.textContent") == REFUSAL, what="the refusal")
    browser.click("#RefusalOK")
    wait_for(lambda: browser.run("!Refusal.open && Text1.value == '' && Command1.disabled"),
             what="the refusal to close, its box emptied and the button off")
    print("PASS refusal")
    browser.open("/" + GROUP_GIVEN["link"])
    wait_for(lambda: browser.run("GroupRanking.children.length"), what="the group's ranking")
    drawn = browser.run(f"({GROUP_DRAWN})()")
    check(drawn == GROUP_GIVEN["drawn"], f"the group is drawn as {drawn}")
    first, second, score = GROUP_PAIR
    browser.click(f'#GroupRanking [data-first="{first}"][data-second="{second}"]')
    wait_for(lambda: browser.run("Text3.value") == str(score), what="the pair's count")
    print("PASS group")
    if hasattr(browser, "viewport"):
        browser.viewport(390, 844)
        opened()
        check_none(browser.run(f"({PHONE_FAULTS})({json.dumps(WINDOW)})"))
        browser.screenshot(os.path.join(args.build, "e2e-shots", f"web-{name}-phone.png"))
        print("PASS phone")
    check_none(browser.faults())


def lighthouse(args):
    """Lighthouse, as a phone and as a computer: accessibility, best practices and search at 100.
    Performance is timed on this machine, busy or not: the benchmark reports it."""
    with Desktop(bus=False) as desktop:
        origin = serve(desktop, args.page)
        for form_factor in ("mobile", "desktop"):
            scores, _ = browser_lighthouse(desktop, origin + "/", form_factor)
            print(f"{form_factor}: {scores}")
            missing = [name for name in LIGHTHOUSE_CATEGORIES if scores.get(name) is None]
            below = {name: score for name, score in scores.items() if name != "performance" and (score or 0) < 100}
            check(not missing and not below, f"Lighthouse ({form_factor}) scores {below}, misses {missing}")


def webkit(args):
    """The other browsers' scenarios in WebKit's MiniBrowser, under WebKit's own WebDriver."""
    with Desktop(sound=True) as desktop:
        browser = WebKit(desktop, args.page)
        try:
            print("user agent:", browser.run("navigator.userAgent"))
            other_browser("webkit", browser, desktop, args)
        finally:
            browser.driver.quit()


class WebKit:
    """WebKit's MiniBrowser under WebKit's own WebDriver (Debian's Selenium speaks to it), with
    the page's console watched from its first script: WebKit's WebDriver keeps none."""

    def __init__(self, desktop, page):
        from selenium import webdriver
        # The page with the console watch as its first script, in a copy of the test's own.
        folder = desktop.path("webkit-page")
        shutil.copytree(page, folder)
        shutil.copy(os.path.join(HERE, "console_watch.js"), folder)
        with open(os.path.join(folder, "index.html"), encoding="utf-8") as f:
            text = f.read().replace("<head>", '<head>\n<script src="console_watch.js"></script>', 1)
        with open(os.path.join(folder, "index.html"), "w", encoding="utf-8") as f:
            f.write(text)
        self.origin = serve(desktop, folder)
        port = free_port()
        desktop.spawn("webkitwebdriver", ["WebKitWebDriver", f"--port={port}", "--host=127.0.0.1"],
                      env=dict(desktop.env, WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS="1"))
        wait_for(lambda: fetched(f"http://127.0.0.1:{port}/status"), what="WebKit's WebDriver")
        options = webdriver.WebKitGTKOptions()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        self.driver = webdriver.Remote(command_executor=f"http://127.0.0.1:{port}", options=options)

    def run(self, expression):
        return self.driver.execute_script(f"return (\n{expression}\n)")  # one that opens with a comment too

    def open(self, path="/"):
        self.driver.get(self.origin + path)

    def click(self, selector):
        from selenium.webdriver.common.by import By
        self.driver.find_element(By.CSS_SELECTOR, selector).click()

    def type(self, text):
        self.driver.switch_to.active_element.send_keys(text)

    def faults(self):
        return self.run("window.faults || []")


def main():
    args = arguments(["chromium", "chromium_heard", "firefox", "webkit", "lighthouse"], "page", "build")
    return verdict(args.scenario, lambda: globals()[args.scenario](args))


if __name__ == "__main__":
    sys.exit(main())
