#!/usr/bin/env python3
# Prints the glyph-width table of sheet/glyph_widths.cpp: for every byte of code page 1252, its
# advance in thousandths of an em in Helvetica and Helvetica-Bold, read from the metrics of their
# metric-compatible clones (Debian fonts-urw-base35, python3-fonttools for the glyph names).
# Bytes code page 1252 leaves undefined (and the controls) get the width of a space.
import sys
from fontTools.agl import UV2AGL

AFM = "/usr/share/fonts/type1/urw-base35/NimbusSans-{}.afm"


def widths(style):
    found = {}
    with open(AFM.format(style), encoding="latin-1") as afm:
        for line in afm:
            if not line.startswith("C "):
                continue
            fields = dict(part.strip().split(" ", 1) for part in line.split(";") if part.strip())
            found[fields["N"]] = int(fields["WX"])
    table = []
    for byte in range(256):
        try:
            char = bytes([byte]).decode("cp1252")
        except UnicodeDecodeError:
            char = None
        name = "space" if char is None or byte < 0x20 or byte == 0x7F else UV2AGL.get(ord(char))
        if byte == 0xA0:
            name = "space"
        if byte == 0xAD:
            name = "hyphen"
        name = {0xB2: "twosuperior", 0xB3: "threesuperior", 0xB9: "onesuperior"}.get(byte, name)
        table.append(found[name])
    return table


for style in ("Regular", "Bold"):
    table = widths(style)
    print("// " + style)
    for row in range(0, 256, 16):
        print("    " + ", ".join("%d" % w for w in table[row:row + 16]) + ",")
