"""The sheet from the Linux program's menus as a user reaches them: odds typed and not yet left,
Export PDF (Ctrl+Shift+P) through its file dialog writes the sheet with the typed odds taken
first; Print (Ctrl+P) shows Qt's print dialog, which offers a PDF file where no printer is
installed, and Escape cancels it with nothing changed; Print preview from the File menu shows
the page and Escape closes it.
Usage: sheet_atspi.py ARTIFACTS_DIR WORK_DIR. Prints what failed and exits 1; 0 when all held."""
import os
import subprocess
import sys
import time

from atspi_session import (ask_file, check, focus_main, main, shot, text, title, type_into, until,
                           window, xdotool)

ARTIFACTS, WORK = sys.argv[1:3]
PDF = os.path.join(WORK, "sheet.pdf")
os.makedirs(WORK, exist_ok=True)
if os.path.exists(PDF):
    os.remove(PDF)

xid = focus_main()
type_into(main(), "Horse 1 odds", "5-2")
xdotool("key", "ctrl+shift+p")
ask_file("Export PDF", PDF, xid)
until("the PDF", lambda: os.path.exists(PDF))
# The typed odds were taken first, as leaving the field takes them; the focus stayed.
until("horse 1's odds taken", lambda: text(main(), "Horse 1 odds") == "2.5")
pages = subprocess.run(["pdftotext", "-layout", PDF, "-"], capture_output=True, text=True).stdout
check("the PDF's pages", pages.count("\f"), 1)
for shown in ("Race 1", "120 % line", "14 horses", "5-2", "28.6%", "Page 1 of 1"):
    if shown not in pages:
        sys.exit(f"sheet_atspi: {shown!r} is not on the exported page:\n{pages}")
before = title()

xdotool("key", "ctrl+p")
until("the print dialog", lambda: window("Print sheet"))
time.sleep(0.5)
shot(ARTIFACTS, "qt-print-dialog-xvfb")
xdotool("key", "Escape")
until("the print dialog closed", lambda: window("Print sheet") is None)
xdotool("windowfocus", "--sync", xid)
check("the title after the cancelled print", title(), before)
check("horse 1 after the cancelled print", text(main(), "Horse 1 odds"), "2.5")

xdotool("key", "alt+f")
time.sleep(0.3)
xdotool("key", "v")  # "Print pre&view..."
until("the preview", lambda: window("Print preview"))
time.sleep(1.0)
shot(ARTIFACTS, "qt-print-preview-xvfb")
xdotool("key", "Escape")
until("the preview closed", lambda: window("Print preview") is None)
xdotool("windowfocus", "--sync", xid)
xdotool("key", "Escape")  # one race, nothing named: the window closes without a question
sys.exit(0)
