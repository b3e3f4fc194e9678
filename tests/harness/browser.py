"""The web page in Debian's Chromium, headless, as the page's tests drive it:
a private web server for the page's folder, a fresh browser profile, and the
DevTools protocol for what a person does (clicks, taps, keys, an input
method's composition) and for what the page shows. Everything the browser
reports meanwhile (requests, console messages, exceptions) is kept, so a
test can say that the page talked to no one and logged no error."""
import json
import os
import socket
import time
import urllib.request

import websocket

from harness.checks import READY, wait_for

with open(os.path.join(os.path.dirname(__file__), os.pardir, "web", "watch_display.js"), encoding="utf-8") as f:
    WATCH_DISPLAY = f.read()
KEYS = {"Enter": (13, "\r"), "Space": (32, " "), "Escape": (27, ""), "Tab": (9, ""), "Backspace": (8, "")}


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def fetched(url):
    """What url answers, or None while nothing does."""
    try:
        with urllib.request.urlopen(url, timeout=5) as response:
            return response.read()
    except OSError:
        return None


SERVERS = {}


def serve(desktop, folder, port=None):
    """Serves folder over HTTP on the loopback, as scripts/run-web.sh does; returns its origin."""
    port = port or free_port()
    origin = f"http://127.0.0.1:{port}"
    SERVERS[origin] = desktop.spawn(f"http-{port}", ["/usr/bin/python3", "-m", "http.server", str(port),
                                                     "--bind", "127.0.0.1", "--directory", folder])
    wait_for(lambda: fetched(origin + "/") is not None, what="the web server")
    return origin


def stop_serving(desktop, origin):
    """The network gone, for the page at origin."""
    desktop.stop_program(SERVERS.pop(origin))


class Protocol:
    """A browser's protocol over its WebSocket: each call numbered and answered in turn; what the
    browser sends meanwhile is an event, handed to event()."""
    calls = 0

    def call(self, method, **params):
        self.calls += 1
        self.socket.send(json.dumps({"id": self.calls, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") != self.calls:
                self.event(message)
            elif "error" in message:
                raise RuntimeError(f"{method}: {message['error']} {message.get('message', '')}")
            else:
                return message["result"]


class Chromium(Protocol):
    def __init__(self, desktop, origin):
        self.origin = origin
        profile = desktop.path(f"chromium-{free_port()}")
        # Without the background networking flags Chromium calls out to Google's services.
        self.desktop = desktop
        self.process = desktop.spawn("chromium", ["chromium", "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                                   "--disable-background-networking", "--disable-component-update",
                                   "--disable-sync", "--disable-default-apps", "--remote-debugging-port=0",
                                   f"--user-data-dir={profile}", "about:blank"])
        port_file = os.path.join(profile, "DevToolsActivePort")
        port = wait_for(lambda: os.path.exists(port_file) and open(port_file).readline().strip(),
                        what="Chromium's DevTools port")
        targets = wait_for(lambda: [t for t in json.loads(fetched(f"http://127.0.0.1:{port}/json/list") or "[]")
                                    if t["type"] == "page"], what="Chromium's page")
        self.socket = websocket.create_connection(targets[0]["webSocketDebuggerUrl"], timeout=READY,
                                                  suppress_origin=True)
        self.events = []
        for domain in ("Runtime", "Log", "Network", "Page"):
            self.call(f"{domain}.enable")
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)
        # Every sound the page starts is noted with its time and length, so a test can tell
        # what the page played from what reached the sound server.
        self.call("Page.addScriptToEvaluateOnNewDocument", source="""
            window.started = [];
            const start = AudioBufferSourceNode.prototype.start;
            AudioBufferSourceNode.prototype.start = function(...when) {
                started.push([performance.now(), this.buffer.duration]);
                return start.apply(this, when);
            };""")

    # --- the protocol ---------------------------------------------------
    def event(self, message):
        self.events.append(message)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    # --- what a person does -----------------------------------------------
    def open(self, path="/"):
        """Loads the page and waits until its window answers."""
        self.call("Page.navigate", url=self.origin + path)
        wait_for(lambda: self.evaluate("performance.getEntriesByName('minukape-ready').length > 0"),
                 what="the page to start")

    def move_to(self, origin):
        """From now on the page judged is the one at origin. The page open is left first, and what
        it logged or threw is printed (a scenario cut short by a damaged recording has not judged
        it), then let go: it is not the new page's."""
        self.call("Page.navigate", url="about:blank")
        for fault in self.logged():
            print(f"the page left at {self.origin} had {fault}")
        self.origin, self.events = origin, []

    def rect(self, element):
        return self.evaluate(f"(r => [r.x, r.y, r.width, r.height])"
                             f"(document.getElementById('{element}').getBoundingClientRect())")

    def centre(self, element):
        """Where a person presses element, scrolled into view first as a person would."""
        self.evaluate(f"document.getElementById('{element}').scrollIntoView({{block: 'nearest'}})")
        x, y, width, height = self.rect(element)
        return x + width / 2, y + height / 2

    def click(self, element):
        """A person's click: pressed, and released a moment later."""
        x, y = self.centre(element)
        self.call("Input.dispatchMouseEvent", type="mousePressed", x=x, y=y, button="left", clickCount=1)
        time.sleep(0.08)
        self.call("Input.dispatchMouseEvent", type="mouseReleased", x=x, y=y, button="left", clickCount=1)

    def tap(self, element):
        x, y = self.centre(element)
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        time.sleep(0.08)
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def key(self, name):
        code, text = KEYS[name]
        key = {"key": " " if name == "Space" else name, "code": name, "windowsVirtualKeyCode": code}
        self.call("Input.dispatchKeyEvent", type="keyDown", text=text,
                  commands=["deleteBackward"] if name == "Backspace" else [], **key)
        self.call("Input.dispatchKeyEvent", type="keyUp", **key)

    def select_all(self):
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, modifiers=2, key="a", code="KeyA",
                      windowsVirtualKeyCode=65, commands=["selectAll"] if kind == "keyDown" else [])

    def type(self, text):
        """Text committed at once, as a paste or an input method's commit."""
        self.call("Input.insertText", text=text)

    def compose(self, text):
        """Text still being composed in an input method."""
        self.call("Input.imeSetComposition", text=text, selectionStart=len(text), selectionEnd=len(text))

    # --- what the page shows ----------------------------------------------
    def value(self, element):
        return self.evaluate(f"document.getElementById('{element}').value")

    def focused(self):
        return self.evaluate("document.activeElement.id")

    def refusal(self):
        """The open refusal dialog, as (caption, message, buttons, images), or None."""
        return self.evaluate("(() => { const d = document.getElementById('Refusal'); if (!d.open) return null;"
                             " return [d.querySelector('#RefusalCaption').textContent,"
                             " d.querySelector('#RefusalText').textContent,"
                             " [...d.querySelectorAll('button')].map(b => b.textContent),"
                             " d.querySelectorAll('img, svg').length]; })()")

    def watch_display(self):
        """From now on, the page keeps every text it writes into Text3 with its time, the last press
        of the button, and when how the score was made appears (tests/web/watch_display.js)."""
        self.evaluate(WATCH_DISPLAY)

    def shown(self):
        return self.evaluate("window.shown")

    def screenshot(self, path):
        import base64
        data = self.call("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def logged(self):
        """What the page logged or threw, and its requests to another origin, so far."""
        self.evaluate("0")  # the events sent so far
        faults = []
        for event in self.events:
            method, params = event.get("method"), event.get("params", {})
            if method == "Runtime.exceptionThrown":
                faults.append(f"exception: {params['exceptionDetails'].get('text')}")
            elif method == "Runtime.consoleAPICalled" and params["type"] in ("error", "warning", "assert"):
                faults.append(f"console {params['type']}: {params['args']}")
            elif method == "Log.entryAdded" and params["entry"]["level"] in ("error", "warning"):
                faults.append(f"log {params['entry']['level']}: {params['entry']['text']}")
            elif method == "Network.requestWillBeSent":
                url = params["request"]["url"]
                if not url.startswith(self.origin + "/"):
                    faults.append(f"request to {url}")
        return faults

    def faults(self, files=None):
        """What the page did that it must not: an error on the console or thrown, a request to
        another origin, anything stored but the page's own files (those named in files, when
        given) in its own worker's cache."""
        faults = self.logged()
        stored = self.evaluate("""(async () => [document.cookie, localStorage.length, sessionStorage.length,
            (await indexedDB.databases()).length])()""")
        if stored != ["", 0, 0, 0]:
            faults.append(f"stored (cookie, local, session, IndexedDB): {stored}")
        workers, kept = self.evaluate("""(async () => [
            (await navigator.serviceWorker.getRegistrations()).map(r => (r.active || r.installing || r.waiting).scriptURL),
            await Promise.all((await caches.keys()).map(async name =>
                [name, (await (await caches.open(name)).keys()).map(request => request.url)]))])()""")
        if any(worker != self.origin + "/offline-worker.js" for worker in workers):
            faults.append(f"service workers: {workers}")
        for name, urls in kept:
            strange = [url for url in urls if not url.startswith(self.origin + "/")
                       or (files is not None and url[len(self.origin) + 1:] not in files)]
            if not name.startswith("minukape-") or strange:
                faults.append(f"cache {name} keeps {strange}")
        return faults

    def quit(self):
        self.socket.close()
        self.desktop.stop_program(self.process)
