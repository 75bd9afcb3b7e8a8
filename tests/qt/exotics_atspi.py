"""A Pick 3 over a three-race card, made as a user makes it: Next race (Ctrl+Page Down) twice
holds races 2 and 3, Previous race twice goes back; Exotics (Ctrl+Shift+E) opens on the bet type,
the arrow keys choose Pick 3, clicks choose horses 1 and 2 in leg 1, horse 1 in leg 2 and All in
leg 3; the summary is read as a screen reader reads it and Copy puts the ticket on the
clipboard. Every race is the dialog as it starts: 14 horses of 1/14 each.
Usage: exotics_atspi.py ARTIFACTS_DIR. Prints what failed and exits 1; 0 when all held."""
import subprocess
import sys
import time

from atspi_session import alert, check, click, focus_main, named, shot, title, until, window, xdotool

ARTIFACTS = sys.argv[1]
DOT = "\u00b7"


def heard(parent, name):
    """What a screen reader tells of the label called name: its description."""
    item = named(parent, name)
    if item is None:
        return None
    item.clear_cache()
    return item.description


xid = focus_main()
xdotool("key", "ctrl+Next")
until("race 2", lambda: "Race 2" in (title() or ""))
xdotool("key", "ctrl+Next")
until("race 3", lambda: "Race 3" in (title() or ""))
xdotool("key", "ctrl+Prior")
xdotool("key", "ctrl+Prior")
until("race 1", lambda: "Race 1" in (title() or ""))

xdotool("key", "ctrl+shift+e")
exotics = until("the Exotics window", lambda: window("Exotics"))
box = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Exotics$"],
                     capture_output=True, text=True, timeout=10).stdout.split()[0]
xdotool("windowfocus", "--sync", box)
check("the summary before any horse", heard(exotics, "Ticket"),
      "Choose at least one horse for each position.")
xdotool("key", "Down", "Down", "Down")  # Exacta, Trifecta, Superfecta, Pick 3
until("Pick 3's legs", lambda: named(exotics, "Leg 3 all horses"))
for name in ("Leg 1 horse 1", "Leg 1 horse 2", "Leg 2 horse 1", "Leg 3 all horses"):
    click(until(name, lambda: named(exotics, name)))
    time.sleep(0.2)
expected = (f"28 combinations {DOT} Cost $56.00 {DOT} Chance 1.020% {DOT} Fair $5488.00 {DOT} "
            f"Needs $6860.00")
until("the Pick 3's summary", lambda: heard(exotics, "Ticket") == expected)
shot(ARTIFACTS, "qt-exotics-xvfb")
xdotool("key", "alt+c")
copied = until("the copied ticket", lambda: subprocess.run(
    ["xclip", "-o", "-selection", "clipboard"], capture_output=True, text=True).stdout)
if not copied.startswith("Combination\tChance\tFair\tNeeds\n1-1-1\t0.036%\t5488.00\t6860.00\n"):
    sys.exit(f"exotics_atspi: the copied ticket:\n{copied[:300]}")
if "Combinations\t28\nCost\t56.00\nChance\t1.020%\nFair\t5488.00\nNeeds\t6860.00\n" not in copied:
    sys.exit(f"exotics_atspi: the copied summary:\n{copied[-300:]}")
xdotool("key", "Escape")
until("the Exotics window closed", lambda: window("Exotics") is None)
xdotool("windowfocus", "--sync", xid)
xdotool("key", "Escape")
time.sleep(0.5)
if alert("Save changes"):  # the races held are the card's; this one is not kept
    xdotool("key", "alt+n")
sys.exit(0)
