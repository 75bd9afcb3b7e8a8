"""The tote window as a user and a screen reader meet it: xdotool types and presses on the real
program's X display, and every check reads the window over AT-SPI (or the X clipboard).
Usage: tote_atspi.py ARTIFACTS_DIR. Prints what failed and exits 1; 0 when all held."""
import subprocess
import sys
import time

import pyatspi

ARTIFACTS = sys.argv[1]
HEADER = "Horse\tProgram\tName\tFair\tFair odds\tNeeds\tTote\tOverlay\tStatus\t$2 pays\tEV $2"


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
            sys.exit(f"tote_atspi: no {what} within {timeout} s")
        time.sleep(0.1)


def program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "oddsmith":
            return app
    return None


def window(name):
    app = program()
    for i in range(app.childCount if app else 0):
        child = app.getChildAtIndex(i)
        if child is not None and child.name == name:
            return child
    return None


def named(parent, name):
    for i in range(parent.childCount):
        child = parent.getChildAtIndex(i)
        if child is not None and child.name == name:
            return child
    return None


def heard(name):
    """What a screen reader hears of the tote window's figure or field called name: a
    figure's description, a field's text."""
    tote = window("Tote")
    item = named(tote, name) if tote else None
    if item is None:
        return None
    item.clear_cache()
    if item.getRoleName() == "text":
        return item.queryText().getText(0, -1)
    return item.description


def check(what, got, expected):
    if got != expected:
        sys.exit(f"tote_atspi: {what}: {got!r}, expected {expected!r}")


def copied_table():
    """The clipboard's text once it holds the tote table."""
    out = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                         text=True, timeout=5)
    return out.stdout if out.returncode == 0 and out.stdout.startswith(HEADER) else None


# Without a window manager the keys go where xdotool puts the focus.
until("main window over AT-SPI", lambda: window("Oddsmith"))
xid = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Oddsmith$"],
                     capture_output=True, text=True, timeout=10).stdout.split()[0]
xdotool("windowfocus", "--sync", xid)

# Ctrl+T opens the window, the first price field taking the keys.
xdotool("key", "ctrl+t")
until("tote window", lambda: window("Tote"))
check("horse 1 status before a price", heard("Horse 1 status"), "")
xdotool("type", "--delay", "50", "20-1")
until("BET for 20-1", lambda: heard("Horse 1 status") == "BET")
check("horse 1 pays", heard("Horse 1 pays"), "42.00")
check("horse 1 tote price", heard("Horse 1 tote price"), "20-1")
subprocess.run(["import", "-window", "root", f"{ARTIFACTS}/qt-tote-xvfb.png"], check=False)

# Alt+C copies the table; the fourteen horses of the start share the 120 line.
xdotool("key", "alt+c")
copied = until("table on the clipboard", copied_table)
check("copied horse 1", copied.splitlines()[1],
      "1\t\t\t7.1%\t13.0\t17-1\t20-1\t+50.0%\tBET\t42.00\t+1.00")

# Alt+L clears every price.
xdotool("key", "alt+l")
until("a cleared status", lambda: heard("Horse 1 status") == "")
check("horse 1 tote price after Clear", heard("Horse 1 tote price"), "")

# Enter closes the window from the focused Clear button; Escape then ends the program.
xdotool("key", "Return")
until("tote window closed", lambda: window("Tote") is None)
xdotool("key", "Escape")
