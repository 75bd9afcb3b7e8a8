"""The tote window as a user and a screen reader meet it: xdotool types and presses on the real
program's X display, and every check reads the window over AT-SPI (or the X clipboard).
Usage: tote_atspi.py ARTIFACTS_DIR. Prints what failed and exits 1; 0 when all held."""
import subprocess
import sys

from atspi_session import check, focus_main, named, until, window, xdotool

ARTIFACTS = sys.argv[1]
HEADER = ("Horse\tProgram\tName\tFair\tFair odds\tNeeds\tTote\tOverlay\tStatus\t$2 pays\tEV $2"
          "\tStake")


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


def copied_table():
    """The clipboard's text once it holds the tote table."""
    out = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                         text=True, timeout=5)
    return out.stdout if out.returncode == 0 and out.stdout.startswith(HEADER) else None


focus_main()

# Ctrl+T opens the window, the first price field taking the keys.
xdotool("key", "ctrl+t")
until("tote window", lambda: window("Tote"))
check("horse 1 status before a price", heard("Horse 1 status"), "")
xdotool("type", "--delay", "50", "20-1")
until("BET for 20-1", lambda: heard("Horse 1 status") == "BET")
check("horse 1 pays", heard("Horse 1 pays"), "42.00")
check("horse 1 tote price", heard("Horse 1 tote price"), "20-1")
check("horse 1 stake without a bankroll", heard("Horse 1 stake"), "")
# Alt+R to the bankroll: $1000 at a quarter Kelly. Alone, the 1-in-14 horse at 20-1 (d = 21)
# stakes (p·d - 1) / (d - 1) = 2.5 % of the bankroll, a quarter of it $6.25: $6.
xdotool("key", "alt+r")
xdotool("type", "--delay", "50", "1000")
until("horse 1's stake", lambda: heard("Horse 1 stake") == "$6")
check("the bankroll field", heard("Bankroll in dollars"), "1000")
subprocess.run(["import", "-window", "root", f"{ARTIFACTS}/qt-tote-xvfb.png"], check=False)

# Alt+C copies the table; the fourteen horses of the start share the 120 line.
xdotool("key", "alt+c")
copied = until("table on the clipboard", copied_table)
check("copied horse 1", copied.splitlines()[1],
      "1\t\t\t7.1%\t13.0\t17-1\t20-1\t+50.0%\tBET\t42.00\t+1.00\t6")

# Alt+L clears every price.
xdotool("key", "alt+l")
until("a cleared status", lambda: heard("Horse 1 status") == "")
check("horse 1 tote price after Clear", heard("Horse 1 tote price"), "")

# Enter closes the window from the focused Clear button; Escape then ends the program.
xdotool("key", "Return")
until("tote window closed", lambda: window("Tote") is None)
xdotool("key", "Escape")
