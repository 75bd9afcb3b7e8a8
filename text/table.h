// The copied tables, as tab-separated text or as an HTML table that a spreadsheet reads with its
// prices kept as text and its percentages as numbers.
#ifndef ODDSMITH_TEXT_TABLE_H
#define ODDSMITH_TEXT_TABLE_H

#include <string>

#include "text/text.h"

// A table in the two forms a clipboard takes, both UTF-8: tab-separated text, each row ended by
// the line end asked for, and an HTML table with no document around it.
struct CopiedTable {
  std::string text;
  std::string html;
};

// How a column's cells are to be read by a spreadsheet that pastes the HTML copy.
enum class CellKind {
  PLAIN,    // as it stands: a number the spreadsheet reads as one, or a word
  TEXT,     // marked as text, so that a spreadsheet keeps 5-2 a price and never makes it a date
  SHARE,    // a percentage, given its value in share units (1/10000) beside the row's cells
  PERCENT,  // a percentage ("+40.0%"), given the value its text shows; any other text is PLAIN
};

// A column of a table: its heading and how its cells read. A table is an array of them, so
// that a column moved moves its heading and its kind together.
struct TableColumn {
  const char* heading;
  CellKind kind;
};

class TableText {
 public:
  // Tab-separated text with each row ended by eol, or, without an eol, an HTML table.
  TableText(TextBuilder& text, const char* eol) : text_(text), eol_(eol) {
    if (!eol_) text_.Add("<table>\n");
  }

  // The row of the count columns' headings; in HTML, header cells.
  void Header(const TableColumn* columns, int count) {
    if (!eol_) text_.Add("<tr>");
    for (int i = 0; i < count; ++i) {
      if (eol_) {
        if (i > 0) text_.Add("\t");
        text_.Add(columns[i].heading);
      } else {
        text_.Add("<th>");
        AddEscaped(columns[i].heading);
        text_.Add("</th>");
      }
    }
    text_.Add(eol_ ? eol_ : "</tr>\n");
  }

  // A row of count cells (UTF-8) under the first count columns; shares[i] is the value of a
  // SHARE cell (a cell below 0 has none).
  void Row(const TableColumn* columns, const char* const* cells, int count,
           const long long* shares = nullptr) {
    if (!eol_) text_.Add("<tr>");
    for (int i = 0; i < count; ++i) {
      if (eol_) {
        if (i > 0) text_.Add("\t");
        text_.Add(cells[i]);
        continue;
      }
      const CellKind kind = columns[i].kind;
      if (kind == CellKind::TEXT) {
        // Excel reads mso-number-format, LibreOffice Calc the sdnum format code "@" (text).
        text_.Add("<td style=\"mso-number-format:'\\@'\" sdnum=\"1033;0;@\">");
      } else if (kind == CellKind::SHARE && shares && shares[i] >= 0) {
        // Excel reads "28.6%" as a number by itself; LibreOffice Calc takes it as text unless
        // it is given the value, which it then shows in its own percent format.
        text_.Add("<td sdval=\"");
        text_.AddScaled(shares[i], 4);
        text_.Add("\" sdnum=\"1033;1033;0.00%\">");
      } else if (kind == CellKind::PERCENT && AddPercentValue(cells[i])) {
        // opened with its value
      } else {
        text_.Add("<td>");
      }
      AddEscaped(cells[i]);
      text_.Add("</td>");
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
