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
  // textCells marked as text (prices, which a spreadsheet would make dates), each cell with
  // percentUnits[i] >= 0 given that many share units as its value, and each cell whose bit is
  // set in percentTexts and that reads as a percentage ("+40.0%") given the value it shows.
  void Row(const char* const* cells, int count, bool header = false, unsigned textCells = 0,
           const long long* percentUnits = nullptr, unsigned percentTexts = 0) {
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
      } else if ((percentTexts >> i & 1) && AddPercentValue(cells[i])) {
        // opened with its value
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

  // The opening of a cell that shows a percentage, "-10.0%", with the value it shows,
  // "-0.100", as the branch above gives it; false, writing nothing, for any other text.
  bool AddPercentValue(const char* cell) {
    const char* digits = cell + (*cell == '+' || *cell == '-' ? 1 : 0);
    std::size_t whole = 0;
    while (digits[whole] >= '0' && digits[whole] <= '9') ++whole;
    std::size_t end = whole;
    if (digits[end] == '.') {
      do ++end;
      while (digits[end] >= '0' && digits[end] <= '9');
    }
    if (whole == 0 || digits[end] != '%' || digits[end + 1] != '\0') return false;
    text_.Add("<td sdval=\"");
    if (*cell == '-') text_.Add("-");
    // The point two places to the left: "5" is "0.05", "118" is "1.18".
    if (whole <= 2) {
      text_.Add(whole == 1 ? "0.0" : "0.");
      text_.Add(digits, whole);
    } else {
      text_.Add(digits, whole - 2);
      text_.Add(".");
      text_.Add(digits + whole - 2, 2);
    }
    if (end > whole) text_.Add(digits + whole + 1, end - whole - 1);
    text_.Add("\" sdnum=\"1033;1033;0.00%\">");
    return true;
  }

  TextBuilder& text_;
  const char* eol_;  // nullptr: HTML
};

#endif
