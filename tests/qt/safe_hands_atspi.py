"""Safe hands as a user tries them: Tab into rewritten fields selecting them, a slip of the
line undone with Ctrl+Z once the focus is off the fields (in a field the keys are its own), Save
writing the file it saved to before, the title naming it with "*" while there is unsaved work, and Escape asking before work
is lost, Cancel keeping the window.
Usage: safe_hands_atspi.py ARTIFACTS_DIR WORK_DIR. Prints what failed and exits 1; 0 when all
held."""
import os
import sys
import time

import pyatspi

from atspi_session import (alert, ask_file, check, click, focus_main, main, named, shot, text, title,
                           type_into, until, window, xdotool)

ARTIFACTS, WORK = sys.argv[1:3]
SAVED = os.path.join(WORK, "safe.oddsline")
os.makedirs(WORK, exist_ok=True)
if os.path.exists(SAVED):
    os.remove(SAVED)
NAMED = "Oddsmith \u2014 safe.oddsline"


def locked(row):
    return named(main(), f"Horse {row} lock").getState().contains(pyatspi.STATE_CHECKED)


def found(accepts):
    """The first descendant of the main window that accepts takes, depth first; None."""
    def walk(item):
        for i in range(item.childCount):
            child = item.getChildAtIndex(i)
            if child is None:
                continue
            if accepts(child):
                return child
            inner = walk(child)
            if inner is not None:
                return inner
        return None
    return walk(main())


def focused_role():
    item = found(lambda child: child.getState().contains(pyatspi.STATE_FOCUSED))
    return item.getRoleName() if item else None


def status():
    """The book's status line under the rows, as a screen reader reads it."""
    item = found(lambda child: child.getRoleName() == "label" and child.name.startswith("Book "))
    return item.name if item else None


def saved():
    with open(SAVED, encoding="utf-8") as file:
        return file.read()


xid = focus_main()
# Tab and Shift+Tab into fields that the focus change's rebalance rewrote: each selects its whole
# text, so what is typed replaces it ("8" over "14" makes 8 horses; 2-1 and 3-1 lock two).
for step in (("key", "Tab"), ("type", "8"), ("key", "Tab"), ("type", "5-2"), ("key", "Tab"),
             ("type", "3"), ("key", "shift+Tab"), ("type", "2"), ("key", "Tab")):
    xdotool(step[0], *(["--delay", "30"] if step[0] == "type" else []), step[1])
until("8 horses", lambda: text(main(), "Number of horses") == " 8")
until("horse 2 at 3-1", lambda: text(main(), "Horse 2 odds") == "3.0")
check("horse 1 at 2-1", text(main(), "Horse 1 odds"), "2.0")
check("horse 1 locked", locked(1), True)
# Then "15" typed for 128 in "% Line:": the locks are cut with the bars.
type_into(main(), "Line in percent", "15")
xdotool("key", "Tab")
until("the slip", lambda: text(main(), "Horse 1 odds") != "2.0")
# Two locks of 13.5 % each hold the book off the line, which the status line says.
until("the book's status line",
      lambda: (status() or "").endswith(" % of a 15 % line, 8 horses (off the line)"))

# In a field Ctrl+Z is the field's own. A click on horse 3's "Lock" box, a step of its own,
# gives the box the focus; there Ctrl+Z undoes the click, then the slip.
click(named(main(), "Horse 3 lock"))
until("horse 3 locked", lambda: locked(3))
check("the focus", focused_role(), "check box")
xdotool("key", "ctrl+z")
until("the click undone", lambda: not locked(3))
check("the line before the second undo", text(main(), "Line in percent"), " 15")
xdotool("key", "ctrl+z")
until("the slip undone", lambda: text(main(), "Line in percent") == "120")
check("horse 1 after the undo", text(main(), "Horse 1 odds"), "2.0")
check("horse 1 locked again", locked(1), True)

# In a field the keys are the field's own: Ctrl+Z takes the typing back, Ctrl+Y does nothing
# and Ctrl+Shift+Z brings the typing again; the race's redo (the slip) stays where it was.
type_into(main(), "Horse 5 odds", "7")
xdotool("key", "ctrl+z")
until("the field's own undo", lambda: text(main(), "Horse 5 odds") not in ("7", None))
xdotool("key", "ctrl+y")
xdotool("key", "ctrl+shift+z")
until("the field's own redo", lambda: text(main(), "Horse 5 odds") == "7")
time.sleep(0.3)
check("the line after the keys in a field", text(main(), "Line in percent"), "120")

# Save asks for a name the first time (the typed 7 taken first); the title names the file.
xdotool("key", "ctrl+s")
ask_file("Save line", SAVED, xid)
until("the title with the file", lambda: title() == NAMED)
first = saved()
# Horse 4 locked: unsaved, "*"; Save writes the same file without asking.
click(named(main(), "Horse 4 lock"))
until("the unsaved title", lambda: title() == NAMED + "*")
shot(ARTIFACTS, "qt-safe-hands-title-xvfb")
xdotool("key", "ctrl+s")
until("the saved title", lambda: title() == NAMED)
check("a file dialog after Save", window("Save line"), None)
row4 = [line.split("\t") for line in saved().splitlines() if line.startswith("4\t")]
if saved() == first or row4[0][7] != "1":
    sys.exit(f"safe_hands_atspi: the file after Save:\n{saved()}")

# Unsaved again (the box has the focus, so Ctrl+Z is the race's): Escape asks, and Cancel
# (Escape) keeps the window as it was.
xdotool("key", "ctrl+z")
until("unsaved after the undo", lambda: title() == NAMED + "*")
check("horse 4 after the undo", locked(4), False)
xdotool("key", "Escape")
until("the close question", lambda: alert("Save changes to safe.oddsline?"))
shot(ARTIFACTS, "qt-close-question-xvfb")
xdotool("key", "Escape")
until("the question gone", lambda: alert("Save changes") is None)
time.sleep(0.5)
check("the window after Cancel", title(), NAMED + "*")
check("the line after Cancel", text(main(), "Line in percent"), "120")
# Escape again, and Don't Save (Alt+N) closes the program.
xdotool("windowfocus", "--sync", xid)
xdotool("key", "Escape")
until("the close question again", lambda: alert("Save changes to safe.oddsline?"))
xdotool("key", "alt+n")
