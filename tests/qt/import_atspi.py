"""Entries pasted as a user pastes them: a table copied from a spreadsheet onto the X clipboard,
Ctrl+Shift+V in the dialog, the question read over AT-SPI as a screen reader reads it, Escape
cancelling and Enter importing; then the table again at post time with a late scratch; then a
spreadsheet's CSV file through "Import entries..." in the context menu and its file dialog.
Usage: import_atspi.py ARTIFACTS_DIR TABLE_CSV. Prints what failed and exits 1; 0 when all
held."""
import subprocess
import sys
import time

import pyatspi

from atspi_session import alert, check, focus_main, main, named, until, window, xdotool

ARTIFACTS, TABLE = sys.argv[1:3]
MORNING = ("Race\tPgm\tHorse Name\tM/L\tScratched\n1\t1\tSea Bird\t5-2\t\n"
           "1\t2\tTom Fool\t3-1\t\n1\t3\tNative Dancer\t9-2\t\n")
POST = MORNING.replace("Tom Fool\t3-1\t", "Tom Fool\t3-1\tY")


def copy(table):
    """Puts table on the clipboard as a spreadsheet's copy does; xclip serves it until taken."""
    subprocess.run(["xclip", "-selection", "clipboard"], input=table, text=True, check=True,
                   timeout=5, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def question():
    """The text of the question the import asks, once its window shows."""
    asked = window("Import entries")
    if asked is None:
        return None
    found = []

    def walk(item):
        for i in range(item.childCount):
            child = item.getChildAtIndex(i)
            if child is None:
                continue
            if child.getRoleName() == "label" and child.name:
                found.append(child.name)
            walk(child)
    walk(asked)
    text = "\n".join(found)
    # The file dialog has the same title; the question ends by asking.
    return text if "Import these entries?" in text else None


def described(row):
    item = named(main(), f"Horse {row} odds")
    item.clear_cache()
    return item.description


def holds_text(parent, typed):
    """True when a text field under parent holds typed."""
    stack = [parent]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        if node.getRoleName() == "text":
            try:
                if node.queryText().getText(0, -1) == typed:
                    return True
            except NotImplementedError:
                pass
        stack.extend(node.getChildAtIndex(i) for i in range(node.childCount))
    return False


def checked(name):
    return named(main(), name).getState().contains(pyatspi.STATE_CHECKED)


xid = focus_main()
copy(MORNING)
xdotool("key", "ctrl+shift+v")
asked = until("the import's question", question)
for line in ("Race 1: 3 entries placed.", "Import these entries?"):
    if line not in asked:
        sys.exit(f"import_atspi: {line!r} not in the question:\n{asked}")
subprocess.run(["import", "-window", "root", f"{ARTIFACTS}/qt-import-question-xvfb.png"],
               check=False)
# Escape is Cancel: nothing changes.
xdotool("key", "Escape")
until("the question gone", lambda: window("Import entries") is None)
xdotool("windowfocus", "--sync", xid)
check("horse 1 after Cancel", described(1), "")

# Enter takes the default button, which imports: three horses, named.
xdotool("key", "ctrl+shift+v")
until("the import's question again", question)
xdotool("key", "Return")
until("horse 1 named", lambda: described(1) == "1 Sea Bird, morning line 5-2")
xdotool("windowfocus", "--sync", xid)
check("horse 3", described(3), "3 Native Dancer, morning line 9-2")
check("horse 4 out of the field", checked("Horse 4 scratched"), True)
check("horse 2 running", checked("Horse 2 scratched"), False)

# At post time horse 2 is scratched; the re-import keeps the line and takes the scratch.
copy(POST)
xdotool("key", "ctrl+shift+v")
asked = until("the post-time question", question)
if "Race 1: keeps its line; 3 entries matched, 0 placed in free rows, 1 scratched." not in asked:
    sys.exit(f"import_atspi: the post-time question:\n{asked}")
xdotool("key", "Return")
until("horse 2 scratched", lambda: checked("Horse 2 scratched"))
xdotool("windowfocus", "--sync", xid)
subprocess.run(["import", "-window", "root", f"{ARTIFACTS}/qt-import-xvfb.png"], check=False)

# The spreadsheet's CSV for race 4: the context menu's "Import entries..." (its mnemonic I), the
# file named in the file dialog, the question answered; race 4 then shows it as laid out.
label = named(main(), "Horse 1")  # the row's number, where a right click opens the dialog's menu
extents = label.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
xdotool("mousemove", str(extents.x + extents.width // 2), str(extents.y + extents.height // 2),
        "click", "3")
time.sleep(1)  # the menu pops up under the pointer
xdotool("key", "i")
until("the file dialog", lambda: window("Import entries"))
# Without a window manager the keys go where xdotool puts the focus: into the file dialog.
box = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Import entries$"],
                     capture_output=True, text=True, timeout=10).stdout.split()[0]
# Its file name field takes the focus some time after the window has it, later on a slow
# build: the name is typed again until the field shows it.
for attempt in range(4):
    xdotool("windowfocus", "--sync", box)
    time.sleep(0.5 * (attempt + 1))
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "10", TABLE)
    end = time.monotonic() + 3
    while time.monotonic() < end and not holds_text(window("Import entries"), TABLE):
        time.sleep(0.1)
    if holds_text(window("Import entries"), TABLE):
        break
else:
    sys.exit("import_atspi: the file dialog's name field never showed the typed name")
xdotool("key", "Return")
asked = until("the question for the CSV file", question, timeout=30)
if "Race 4: 5 entries placed, 1 scratched." not in asked:
    sys.exit(f"import_atspi: the CSV file's question:\n{asked}")
xdotool("key", "Return")
until("the question gone after the CSV", lambda: window("Import entries") is None)
xdotool("windowfocus", "--sync", xid)
xdotool("key", "ctrl+Next")
until("race 4 shown", lambda: described(5) == "5 Se\u00f1or Pepe, morning line 6-1")
check("race 4's horse 3", checked("Horse 3 scratched"), True)
# The imported card was never saved: Escape asks, and Don't Save (Alt+N) closes.
xdotool("key", "Escape")
until("the question", lambda: alert("Save changes to Untitled?"))
xdotool("key", "alt+n")
