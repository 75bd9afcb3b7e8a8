"""What every real-input session on the Linux program needs: xdotool's keys and clicks on the
program's X display, and its windows and controls as AT-SPI gives them to a screen reader.
A check that fails ends the session with the session's name and what failed."""
import os
import subprocess
import sys
import time

import pyatspi

SESSION = os.path.splitext(os.path.basename(sys.argv[0]))[0]


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def until(what, value, timeout=5.0):
    """Polls value() until it is truthy; fails naming what was awaited and the last value."""
    end = time.monotonic() + timeout
    while True:
        got = value()
        if got:
            return got
        if time.monotonic() > end:
            sys.exit(f"{SESSION}: no {what} within {timeout} s (last {got!r})")
        time.sleep(0.1)


def check(what, got, expected):
    if got != expected:
        sys.exit(f"{SESSION}: {what}: {got!r}, expected {expected!r}")


def windows():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "oddsmith":
            return [app.getChildAtIndex(i) for i in range(app.childCount)]
    return []


def window(is_it):
    """The program's first window called is_it, or whose name is_it accepts; None without."""
    for child in windows():
        if child is None:
            continue
        if child.name == is_it if isinstance(is_it, str) else is_it(child.name):
            return child
    return None


def named(parent, name):
    """The descendant of parent called name (the fields of the window's groups too)."""
    if parent is None:
        return None
    for i in range(parent.childCount):
        child = parent.getChildAtIndex(i)
        if child is None:
            continue
        if child.name == name:
            return child
        inner = named(child, name)
        if inner is not None:
            return inner
    return None


def focus_main():
    """Waits for the main window and gives it the keys (without a window manager they go
    where xdotool puts the focus); returns its X window."""
    until("main window over AT-SPI", lambda: window(lambda name: name.startswith("Oddsmith")))
    xid = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Oddsmith$"],
                         capture_output=True, text=True, timeout=10).stdout.split()[0]
    xdotool("windowfocus", "--sync", xid)
    return xid


def main():
    """The main window, whatever its title names after "Oddsmith" (a message box, which has
    the program's name too, is an alert)."""
    for child in windows():
        if child is not None and child.name.startswith("Oddsmith") and \
                child.getRoleName() != "alert":
            return child
    return None


def alert(starts):
    """The text of the program's message box whose text starts with starts, None without."""
    for child in windows():
        if child is None or child.getRoleName() != "alert":
            continue
        for i in range(child.childCount):
            inner = child.getChildAtIndex(i)
            if inner is not None and inner.getRoleName() == "label" and \
                    inner.name.startswith(starts):
                return inner.name
    return None


def title():
    found = main()
    return found.name if found else None


def text(parent, name):
    item = named(parent, name)
    if item is None:
        return None
    item.clear_cache()
    return item.queryText().getText(0, -1)


def click(item):
    extents = item.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", str(extents.x + extents.width // 2),
            str(extents.y + extents.height // 2), "click", "1")


def type_into(parent, name, typed):
    """Clicks the field called name, replaces its text with typed, key by key."""
    field = until(f"field {name!r}", lambda: named(parent, name))
    click(field)
    until(f"focus in {name!r}",
          lambda: field.getState().contains(pyatspi.STATE_FOCUSED))
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "30", typed)


def ask_file(caption, path, xid):
    """Names path in the file dialog called caption, accepts it and gives the main window
    (X window xid) the keys back."""
    until(f"{caption} dialog", lambda: window(caption))
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "10", path)
    xdotool("key", "Return")
    until(f"{caption} dialog closed", lambda: window(caption) is None)
    xdotool("windowfocus", "--sync", xid)


def shot(artifacts, name):
    subprocess.run(["import", "-window", "root", f"{artifacts}/{name}.png"], check=False)
