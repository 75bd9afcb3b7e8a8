// The glyph widths the sheet measures its runs with.
#ifndef ODDSMITH_SHEET_GLYPH_WIDTHS_H
#define ODDSMITH_SHEET_GLYPH_WIDTHS_H

// [0] Helvetica, [1] Helvetica-Bold: each byte's advance in thousandths of an em.
extern const unsigned short HELVETICA_WIDTHS[2][256];

#endif
