// The copied tables' cells, as tab-separated text or as an HTML table that a spreadsheet reads
// with its prices kept as text.
#ifndef ODDSMITH_BOOK_TABLE_H
#define ODDSMITH_BOOK_TABLE_H

#include "book/text.h"

class TableText {
 public:
  // Tab-separated text with each row ended by eol, or, without an eol, an HTML table.
  TableText(TextBuilder& text, const char* eol) : text_(text), eol_(eol) {
    if (!eol_) text_.Add("<table>\n");
  }

  // A row of cells; in HTML, header cells for a header row, the cells whose bit is set in
  // textCells marked as text (prices, which a spreadsheet would make dates), and each cell with
  // percentUnits[i] >= 0 given that many share units as its value.
  void Row(const char* const* cells, int count, bool header = false, unsigned textCells = 0,
           const long long* percentUnits = nullptr) {
    if (!eol_) text_.Add("<tr>");
    for (int i = 0; i < count; ++i) {
      if (eol_) {
        if (i > 0) text_.Add("\t");
        text_.Add(cells[i]);
        continue;
      }
      if (header) {
        text_.Add("<th>");
      } else if (textCells >> i & 1) {
        // Excel reads mso-number-format, LibreOffice Calc the sdnum format code "@" (text).
        text_.Add("<td style=\"mso-number-format:'\\@'\" sdnum=\"1033;0;@\">");
      } else if (percentUnits && percentUnits[i] >= 0) {
        // Excel reads "28.6%" as a number by itself; LibreOffice Calc takes it as text unless
        // it is given the value, which it then shows in its own percent format.
        text_.Add("<td sdval=\"");
        text_.AddScaled(percentUnits[i], 4);
        text_.Add("\" sdnum=\"1033;1033;0.00%\">");
      } else {
        text_.Add("<td>");
      }
      AddEscaped(cells[i]);
      text_.Add(header ? "</th>" : "</td>");
    }
    text_.Add(eol_ ? eol_ : "</tr>\n");
  }

  void End() {
    if (!eol_) text_.Add("</table>\n");
  }

 private:
  // A typed text may hold anything; in HTML it stays text.
  void AddEscaped(const char* cell) {
    for (; *cell != '\0'; ++cell) {
      switch (*cell) {
        case '&': text_.Add("&amp;"); break;
        case '<': text_.Add("&lt;"); break;
        case '>': text_.Add("&gt;"); break;
        case '"': text_.Add("&quot;"); break;
        default: text_.Add(cell, 1);
      }
    }
  }

  TextBuilder& text_;
  const char* eol_;  // nullptr: HTML
};

#endif
