// The sheet: the card as printed pages, a race a page, to take to the track. Laid out once here
// as positioned runs of text and rules, so that every program draws the very same page; each
// run is measured with the widths of Helvetica, which Liberation Sans and Arial share.
#ifndef ODDSMITH_SHEET_SHEET_H
#define ODDSMITH_SHEET_SHEET_H

#include <string>
#include <string_view>
#include <vector>

#include "card/card.h"
#include "dialog/surface.h"

// Every length of the sheet is in tenths of a point (1/720 inch).
constexpr int SHEET_UNITS_PER_POINT = 10;

// A page: its size and the margins the sheet keeps inside it.
struct SheetPaper {
  int width;
  int height;
  int left, top, right, bottom;
};

// Letter and A4 upright, 36 pt margins on every side.
constexpr SheetPaper SHEET_LETTER = {6120, 7920, 360, 360, 360, 360};
constexpr SheetPaper SHEET_A4 = {5950, 8420, 360, 360, 360, 360};

// The sizes the layout may give the body: it starts at the largest and shrinks in steps to the
// smallest while the columns do not fit between the margins.
constexpr int SHEET_BODY_SIZE = 90;
constexpr int SHEET_SMALLEST_SIZE = 60;
constexpr int SHEET_SIZE_STEP = 5;

// What a page draws, in drawing order.
struct SheetItem {
  enum Kind { TEXT, RULE } kind;
  // TEXT: the left end of the run's baseline, from the page's top-left corner. RULE: its ends.
  int x, y;
  int x2, y2;
  int size;  // TEXT: the font size; RULE: the line's width
  bool bold;
  bool grey;
  std::string text;  // UTF-8, every character in code page 1252
};

struct SheetPage {
  std::vector<SheetItem> items;
};

// The width of text (UTF-8; a character outside code page 1252, or a byte that is not UTF-8,
// counts as "?") set in Helvetica, or Helvetica-Bold, at size, rounded up.
int SheetTextWidth(std::string_view text, int size, bool bold);

// The card's sheet on paper: one page per race it holds, in race order, a race continuing on
// the next page where its rows do not fit; the shown race as surface shows it now. Never empty
// (a card holds the race shown). The caller takes the typed entries first, as "Copy line" does.
std::vector<SheetPage> LayOutSheet(Card& card, DialogSurface& surface, const SheetPaper& paper);

// The name the sheet's pages carry at their foot.
inline constexpr char SHEET_FOOT[] = "Oddsmith";

#endif
