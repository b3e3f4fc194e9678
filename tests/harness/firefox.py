"""The web page in Debian's Firefox ESR, headless, driven over WebDriver BiDi, which Firefox
speaks itself: a fresh profile, a person's clicks and keys as input actions, what the page
shows read by scripts, and every error or warning it logs kept."""
import base64
import json
import os

import websocket

from harness.browser import Protocol, free_port
from harness.checks import READY, wait_for

class Firefox(Protocol):
    def __init__(self, desktop, origin):
        self.origin = origin
        profile = desktop.path(f"firefox-{free_port()}")
        os.makedirs(profile)
        port = free_port()
        desktop.spawn("firefox", ["firefox-esr", "--headless", "--no-remote", "--profile", profile,
                                  f"--remote-debugging-port={port}", "about:blank"])
        self.socket = wait_for(lambda: connected(f"ws://127.0.0.1:{port}/session"), what="Firefox's WebDriver BiDi")
        self.logged = []
        self.call("session.new", capabilities={})
        self.call("session.subscribe", events=["log.entryAdded"])
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]

    def event(self, message):
        if message.get("method") == "log.entryAdded" and message["params"]["level"] in ("error", "warn"):
            self.logged.append(f"{message['params']['level']}: {message['params'].get('text')}")

    def run(self, expression):
        """What a script gives back, as plain values."""
        result = self.call("script.evaluate", expression=expression, awaitPromise=True,
                           target={"context": self.context}, serializationOptions={"maxObjectDepth": 20})
        if result["type"] == "exception":
            raise RuntimeError(f"{expression[:200]}: {result['exceptionDetails']['text']}")
        return plain(result["result"])

    def open(self, path="/"):
        self.call("browsingContext.navigate", context=self.context, url=self.origin + path, wait="complete")

    def click(self, selector):
        """A person's click in the middle of what selector finds, scrolled into view first."""
        x, y = self.run(f"(e => {{ e.scrollIntoView({{block: 'nearest'}}); const r = e.getBoundingClientRect();"
                        f" return [r.x + r.width / 2, r.y + r.height / 2]; }})(document.querySelector({json.dumps(selector)}))")
        self.act({"type": "pointer", "id": "mouse", "actions": [
            {"type": "pointerMove", "x": int(x), "y": int(y)}, {"type": "pointerDown", "button": 0},
            {"type": "pause", "duration": 80}, {"type": "pointerUp", "button": 0}]})

    def type(self, text):
        self.act({"type": "key", "id": "keyboard", "actions": [
            step for unit in text for step in ({"type": "keyDown", "value": unit}, {"type": "keyUp", "value": unit})]})

    def act(self, source):
        self.call("input.performActions", context=self.context, actions=[source])

    def viewport(self, width, height):
        self.call("browsingContext.setViewport", context=self.context, viewport={"width": width, "height": height})

    def screenshot(self, path):
        with open(path, "wb") as f:
            f.write(base64.b64decode(self.call("browsingContext.captureScreenshot", context=self.context)["data"]))

    def faults(self):
        """What the page logged as an error or warning, or threw, so far."""
        self.run("0")
        return list(self.logged)

    def close(self):
        self.call("session.end")
        self.socket.close()


def connected(url):
    try:
        return websocket.create_connection(url, timeout=READY, suppress_origin=True)
    except OSError:
        return None


def plain(value):
    """A BiDi remote value as Python's: arrays as lists, objects as dicts."""
    kind = value["type"]
    if kind in ("array", "set"):
        return [plain(item) for item in value.get("value", [])]
    if kind == "object":
        return {key if isinstance(key, str) else plain(key): plain(item) for key, item in value.get("value", [])}
    if kind in ("undefined", "null"):
        return None
    return value.get("value")
