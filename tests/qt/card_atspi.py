"""A card made as a user and a screen reader make it: xdotool clicks and types on the real
program's X display, every check reads the windows over AT-SPI, and the saved file is read back
by the headless runner.
Usage: card_atspi.py ARTIFACTS_DIR ODDSMITH_HEADLESS WORK_DIR. Prints what failed and exits 1;
0 when all held."""
import os
import subprocess
import sys
import time

import pyatspi

from atspi_session import (ask_file, check, focus_main, main, named, shot, text, title,
                           type_into, until, window, windows, xdotool)

ARTIFACTS, HEADLESS, WORK = sys.argv[1:4]
SAVED = os.path.join(WORK, "card.oddsline")
os.makedirs(WORK, exist_ok=True)
if os.path.exists(SAVED):
    os.remove(SAVED)
DASH = "\u2014"


def card():
    return window("Card")



xid = focus_main()

# Odds typed into horse 1's field, which keeps the focus; Ctrl+Shift+K takes them first.
type_into(main(), "Horse 1 odds", "3")
xdotool("key", "ctrl+shift+k")
until("Card window", card)
until("horse 1's odds taken", lambda: text(main(), "Horse 1 odds") == "3.0")

# The track field has the focus; a name, a program number and a morning line for horse 1.
xdotool("type", "--delay", "30", "Aqueduct")
xdotool("key", "Tab")
xdotool("type", "--delay", "30", "2026-12-09")
type_into(card(), "Race 1 horse 1 name", "Secretariat")
type_into(card(), "Race 1 horse 1 program number", "1A")
type_into(card(), "Race 1 horse 1 morning line", "5-2")
type_into(card(), "Race 1 label", "Maiden")
until("the title", lambda: title() == f"Oddsmith {DASH} Aqueduct 2026-12-09 {DASH} Race Maiden")
# Add race (Alt+A) shows races 2 and 3 as the dialog starts, each with a horse of its own.
for race, label, horse in ((2, "Claimer", "Seabiscuit"), (3, "Stakes", "Zenyatta")):
    xdotool("key", "alt+a")
    until(f"race {race}", lambda: title().endswith(f"Race {race}"))
    type_into(card(), f"Race {race} horse 1 name", horse)
    type_into(card(), f"Race {race} label", label)
    until(f"race {race}'s label", lambda: title().endswith(f"Race {label}"))
shot(ARTIFACTS, "qt-card-window-xvfb")
xdotool("key", "Return")
until("Card window closed", lambda: card() is None)
# Without a window manager nothing gives the main window back the X focus, which a tip needs.
xdotool("windowfocus", "--sync", xid)

# Previous race, twice, brings race 1 back as it was left.
for race in ("Claimer", "Maiden"):
    xdotool("key", "ctrl+Prior")
    until(f"race {race}", lambda: title().endswith(f"Race {race}"))
check("race 1's horse 1", text(main(), "Horse 1 odds"), "3.0")

# What a screen reader hears of horse 1, and the tip over its field.
odds = named(main(), "Horse 1 odds")
check("horse 1's description", odds.description, "1A Secretariat, morning line 5-2")
check("horse 1's column", named(main(), "Horse 1 name").description, "1A Secretariat")
extents = odds.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
# A tip shows once the pointer rests over the field after moving there.
for step in (0, 1):
    xdotool("mousemove", str(extents.x + extents.width // 2 + step),
            str(extents.y + extents.height // 2 + step))
    time.sleep(0.3)


def tip():
    for child in windows():
        if child is not None and child.getRoleName() == "tool tip":
            return child.name
        found = None
        for i in range(child.childCount if child else 0):
            inner = child.getChildAtIndex(i)
            if inner is not None and inner.getRoleName() == "tool tip":
                found = inner.name
        if found:
            return found
    return None


heard = until("the tip over horse 1's odds", tip)
if not heard.startswith("1A Secretariat \u00b7 ML 5-2 \u00b7 Board price "):
    sys.exit(f"card_atspi: the tip {heard!r}")
shot(ARTIFACTS, "qt-card-main-xvfb")

# Next race shows race 2 as it was left, as the dialog starts.
xdotool("key", "ctrl+Next")
until("race 2", lambda: title() == f"Oddsmith {DASH} Aqueduct 2026-12-09 {DASH} Race Claimer")
check("race 2's horse 1", text(main(), "Horse 1 odds"), "10.7")
xdotool("key", "ctrl+Prior")
until("race 1 again", lambda: title().endswith("Race Maiden"))

# Saved, race 2 shown, then opened: race 1 is back, and the runner reads the same card.
xdotool("key", "ctrl+s")
ask_file("Save line", SAVED, xid)
until("the saved file", lambda: os.path.exists(SAVED))
xdotool("key", "ctrl+Next")
until("race 2 before the open", lambda: title().endswith("Race Claimer"))
xdotool("key", "ctrl+o")
ask_file("Open line", SAVED, xid)
until("race 1 opened", lambda: title().endswith("Race Maiden"))
check("opened horse 1", text(main(), "Horse 1 odds"), "3.0")
listed = subprocess.run([HEADLESS, "/dev/stdin"], input=f"open {SAVED}\ncard list\n",
                        capture_output=True, text=True, timeout=10).stdout
for line in ['card "Aqueduct" "2026-12-09" shown 1', 'race 1 "Maiden"',
             'horse 1 "1A" "Secretariat" "5-2"', 'race 2 "Claimer"', 'horse 1 "" "Seabiscuit" ""',
             'race 3 "Stakes"', 'horse 1 "" "Zenyatta" ""']:
    if line not in listed.splitlines():
        sys.exit(f"card_atspi: {line!r} not in the card list:\n{listed}")
with open(f"{ARTIFACTS}/qt-card-list.txt", "w", encoding="utf-8") as out:
    out.write(listed)
xdotool("key", "Escape")
