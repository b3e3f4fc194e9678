"""Reads the program's window the way a screen reader does, over AT-SPI.
Import only once the desktop's session bus is in DBUS_SESSION_BUS_ADDRESS:
the AT-SPI client binds to the bus it finds at import."""
import pyatspi
from gi.repository import GLib

from harness.checks import wait_for


def application(name="minukape", pid=None):
    """The program's application object; with pid, that process's only."""
    def find_app():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name and (pid is None or app.get_process_id() == pid):
                return app
        return None
    return wait_for(find_app, interval=0.1, what=f"the application {name!r} on the accessibility bus")


def walk(node, depth=0):
    """Every object under node. One that goes away while it is read (a message
    closing) is passed over, as a screen reader passes it over."""
    yield node, depth
    try:
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except GLib.Error:
        return
    for child in children:
        if child is not None:
            yield from walk(child, depth + 1)


def find(app, role=None, name=None):
    for node, _ in walk(app):
        try:
            if (role is None or node.getRoleName() == role) and (name is None or node.name == name):
                return node
        except GLib.Error:
            continue
    return None


def text(node):
    return node.queryText().getText(0, -1)


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


def focused(node):
    return node.getState().contains(pyatspi.STATE_FOCUSED)


def selected(node):
    """The part of a box's text that is selected ("" for none)."""
    text = node.queryText()
    if text.getNSelections() == 0:
        return ""
    start, end = text.getSelection(0)
    return text.getText(start, end)


def set_text(node, text):
    """Replaces a box's text, as a screen reader's user does."""
    node.queryEditableText().setTextContents(text)


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click"):
            action.doAction(i)
            return
    raise RuntimeError(f"{node.name!r} has no press action")


def describe(app):
    """One line per object: role, name, description and text, indented by depth."""
    lines = []
    for node, depth in walk(app):
        content = ""
        try:
            content = " text=" + repr(text(node))
        except NotImplementedError:
            pass
        lines.append(f"{'  ' * depth}{node.getRoleName()} name={node.name!r} "
                     f"description={node.description!r}{content}")
    return "\n".join(lines)
