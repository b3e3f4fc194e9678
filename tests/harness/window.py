"""The original window as the tests expect every face to show it: tests/window.json, the
tests' own record of its places, sizes, texts, fonts and colours."""
import json
import os

with open(os.path.join(os.path.dirname(__file__), os.pardir, "window.json"), encoding="utf-8") as source:
    WINDOW = json.load(source)
