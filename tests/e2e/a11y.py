"""Reads the program's window the way a screen reader does, over AT-SPI.
Import only once the desktop's session bus is in DBUS_SESSION_BUS_ADDRESS:
the AT-SPI client binds to the bus it finds at import."""
import time

import pyatspi


def application(name="minukape", pid=None, timeout=10):
    """The program's application object; with pid, that process's only."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name and (pid is None or app.get_process_id() == pid):
                return app
        time.sleep(0.1)
    raise TimeoutError(f"no application {name!r} on the accessibility bus")


def walk(node, depth=0):
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def find(app, role=None, name=None):
    for node, _ in walk(app):
        if (role is None or node.getRoleName() == role) and (name is None or node.name == name):
            return node
    return None


def text(node):
    return node.queryText().getText(0, -1)


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


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
