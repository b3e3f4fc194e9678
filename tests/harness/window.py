"""The original window as the tests expect every face to show it: tests/window.json, the
tests' own record of its places, sizes, texts, fonts and colours, and what follows from it."""
import json
import os


def record(name):
    """A record of the tests' own in tests/, by its file's name."""
    with open(os.path.join(os.path.dirname(__file__), os.pardir, name), encoding="utf-8") as source:
        return json.load(source)


WINDOW = record("window.json")
CONTROLS = {control["name"]: control for control in WINDOW["controls"]}


def centre(name):
    """Where a person clicks a control, in the window."""
    x, y, width, height = CONTROLS[name]["rect"]
    return x + width // 2, y + height // 2


def box(name):
    """A control's box as (left, top, right, bottom), in the window."""
    x, y, width, height = CONTROLS[name]["rect"]
    return x, y, x + width, y + height


def rgb(css):
    """A colour as window.json writes it ("rgb(r, g, b)"), as a pixel."""
    return tuple(int(part) for part in css[4:-1].split(","))


def place_faults(places):
    """Every control a person sees that a face does not show at its place (places: name to
    [x, y, width, height] in the window, as the face reports them)."""
    return [f"{name} is at {places.get(name)}, not {control['rect']}"
            for name, control in CONTROLS.items() if control["shown"] and places.get(name) != control["rect"]]
