#!/usr/bin/python3
"""oddsmith --pdf, as a handicapper runs it with no display: a card of three races imported from
a single-file export and saved, written as a PDF on Letter and on A4. Every run of text the
runner's layout gives each page must be on that page of the PDF as pdftotext reads it, in the
program's own font; the pages are kept as pictures. A file that cannot be opened, a folder that
cannot be written and missing arguments fail as they should, leaving no PDF behind.

Usage: sheet_pdf.py ODDSMITH HEADLESS ENTRIES ARTIFACTS WORK"""
import os
import re
import shutil
import subprocess
import sys

oddsmith, headless, entries, artifacts, work = sys.argv[1:6]
for tool in ("pdftotext", "pdfinfo", "pdffonts", "pdftoppm"):
    if not shutil.which(tool):
        print(f"skipped: {tool} is missing (scripts/deps.sh qt installs poppler-utils)")
        sys.exit(77)
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY",
                                                                 "QT_QPA_PLATFORM")}
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def run(*arguments, **kwargs):
    return subprocess.run(arguments, capture_output=True, text=True, env=environment, timeout=60,
                          **kwargs)


# The card: the import, a price typed in race 2, a scratch in race 3, saved; then the runner's
# layout of the same card on each paper.
card = os.path.join(work, "card.oddsline")
script = (f"init\nimport {entries}\nrace 2\ntype 167 5-2\nleave 167\nrace 3\nclick 131\n"
          f"save {card}\nsheet 612 792\nsheet 595 842\n")
made = run(headless, input=script)
check(made.returncode == 0, f"the runner saves the card ({made.stderr.strip()})")
layouts = made.stdout.split("\n\n")


def pages_of(layout):
    """Each page's runs of text, as the runner prints them."""
    pages = []
    for line in layout.splitlines():
        if line.startswith("page "):
            pages.append([])
        elif line.startswith("text "):
            quoted = line.split(" ", 6)[6]
            text = re.sub(rb"\\x([0-9a-f]{2})", lambda m: bytes([int(m.group(1), 16)]),
                          quoted[1:-1].encode()).replace(b'\\"', b'"').replace(b"\\\\", b"\\")
            pages[-1].append(text.decode("utf-8"))
    return pages


for paper, size, layout in (("Letter", "612 x 792", layouts[0]), ("A4", "595 x 842", layouts[1])):
    pdf = os.path.join(work, f"card-{paper}.pdf")
    arguments = [oddsmith, "--pdf", pdf] + (["--page", "A4"] if paper == "A4" else []) + [card]
    written = run(*arguments)
    check(written.returncode == 0 and os.path.exists(pdf),
          f"--pdf on {paper} exits 0 ({written.returncode}, {written.stderr.strip()})")
    if written.returncode != 0:
        continue
    info = run("pdfinfo", pdf).stdout
    expected = pages_of(layout)
    check(f"Pages:           {len(expected)}" in info, f"{paper}: {len(expected)} pages")
    check(f"Page size:       {size} pts" in info, f"{paper}: {size} points")
    fonts = run("pdffonts", pdf).stdout
    check("LiberationSans " in fonts and "LiberationSans-Bold" in fonts,
          f"{paper}: set in Liberation Sans and its bold, embedded")
    text = run("pdftotext", "-layout", pdf, "-").stdout
    shown = text.split("\f")
    for n, runs in enumerate(expected):
        page = re.sub(r"\s+", " ", shown[n])
        missing = [r for r in runs if r not in page]
        check(not missing, f"{paper} page {n + 1}: all {len(runs)} runs shown"
              + (f", missing {missing}" if missing else ""))
    with open(os.path.join(artifacts, f"sheet-{paper}.txt"), "w") as kept:
        kept.write(text)
    run("pdftoppm", "-png", "-r", "60", pdf, os.path.join(artifacts, f"sheet-{paper}"))

# Failures: nothing is written, the reason is given, the status says which.
missing_file = run(oddsmith, "--pdf", os.path.join(work, "none.pdf"), os.path.join(work, "none"))
check(missing_file.returncode == 1 and "Cannot open" in missing_file.stderr
      and not os.path.exists(os.path.join(work, "none.pdf")),
      f"a file that will not open: status 1, why, no PDF ({missing_file.stderr.strip()})")
no_folder = os.path.join(work, "no-folder", "card.pdf")
unwritable = run(oddsmith, "--pdf", no_folder, card)
check(unwritable.returncode == 1 and "Cannot write" in unwritable.stderr
      and not os.path.exists(os.path.dirname(no_folder)),
      f"a folder that cannot be written: status 1, why ({unwritable.stderr.strip()})")
leftovers = [f for f in os.listdir(work) if not f.endswith((".pdf", ".oddsline"))]
check(not leftovers, f"no temporary file left behind ({leftovers})")
for arguments in (["--pdf"], ["--pdf", os.path.join(work, "x.pdf")], ["--page", "A4", card],
                  ["--pdf", os.path.join(work, "x.pdf"), "--page", "B5", card]):
    refused = run(oddsmith, *arguments)
    check(refused.returncode == 2 and "usage:" in refused.stderr
          and not os.path.exists(os.path.join(work, "x.pdf")),
          f"{' '.join(arguments[:1] + arguments[2:3])}: the usage, status 2")

sys.exit(1 if failures else 0)
