// The sheet's layout. Every figure comes from the functions the tips and the tote window use;
// here they are only measured and placed.
#include "sheet/sheet.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "book/board.h"
#include "book/book.h"
#include "book/format.h"
#include "sheet/glyph_widths.h"
#include "text/codepage.h"
#include "text/text.h"
#include "tote/stakes.h"
#include "tote/tote.h"

int SheetTextWidth(std::string_view text, int size, bool bold) {
  const unsigned short* widths = HELVETICA_WIDTHS[bold ? 1 : 0];
  long long thousandths = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    char32_t c = 0;
    if (!NextUtf8(text, at, c)) {
      ++at;
      c = '?';
    }
    const unsigned char byte = c <= 0xFFFF ? Cp1252FromUtf16(static_cast<char16_t>(c)) : '?';
    thousandths += widths[byte];
  }
  return static_cast<int>((thousandths * size + 999) / 1000);
}

namespace {

enum Column {
  NUMBER,
  PROGRAM,
  NAME,
  ML,
  LINE,
  TO_WIN,
  FAIR,
  FAIR_ODDS,
  NEEDS,
  STAKE,
  TOTE,
  COLUMNS
};

struct ColumnHead {
  const char* heading;
  bool right;  // figures that compare down the column stand at its right edge
};
constexpr ColumnHead HEADS[COLUMNS] = {{"#", true},     {"Program", false},  {"Name", false},
                                       {"ML", false},   {"Line", false},     {"To win", true},
                                       {"Fair", true},  {"Fair odds", true}, {"Needs", false},
                                       {"Stake", true}, {"Tote", false}};
constexpr char SCRATCHED[] = "scratched";
constexpr char ELLIPSIS[] = "\xE2\x80\xA6";
constexpr char DOT[] = " \xC2\xB7 ";  // a middle dot between spaces
constexpr int TOTE_EMS = 4;           // the room left to write a tote price in, in ems
constexpr int RULE_WIDTH = 5;

struct SheetRow {
  std::string cells[COLUMNS];
  bool scratched = false;
};

// One race as the sheet prints it.
struct RaceSheet {
  std::string title;
  std::string summary;
  std::vector<SheetRow> rows;
  bool staked = false;  // the Stake column shows: the card has a bankroll
};

std::string Utf8Of(const char* cp1252) {
  std::string text;
  AppendUtf8FromCp1252(text, std::string_view(cp1252, std::strlen(cp1252)));
  return text;
}

// An identity's part as one line: its tabs and line ends made spaces, as the copied tables do.
std::string PartOf(const char* part) {
  char buffer[3 * HORSE_NAME_MAX + 1];
  TextBuilder text(buffer, sizeof buffer);
  AddIdentityPart(text, part);
  return buffer;
}

std::string TitleOf(const Card& card, int r, const Race& race) {
  std::string title = Utf8Of(card.track);
  if (card.date[0] != '\0') title += (title.empty() ? "" : " ") + Utf8Of(card.date);
  if (!title.empty()) title += DOT;
  title += "Race ";
  title += race.label[0] != '\0' ? Utf8Of(race.label) : std::to_string(r);
  return title;
}

RaceSheet SheetOf(Card& card, DialogSurface& surface, int r) {
  const Race& race = *FindRace(card, r);
  HeadlessSurface controls(RaceState(card, surface, r));
  const BookTotal total = ReadBookTotal(controls);
  RaceSheet sheet;
  sheet.title = TitleOf(card, r, race);
  sheet.staked = card.money.bankroll >= 0;
  long long stakes[ROW_COUNT];
  FigureStakes(controls, race.tote, card.money.bankroll, card.money.kelly, stakes);

  int scratched = 0;
  for (int i = 0; i < total.horses; ++i) {
    SheetRow row;
    row.cells[NUMBER] = std::to_string(i + 1);
    row.cells[PROGRAM] = PartOf(race.horses[i].program);
    row.cells[NAME] = PartOf(race.horses[i].name);
    row.cells[ML] = PartOf(race.horses[i].ml);
    if (controls.IsChecked(IDC_SCRATCH + i)) {
      row.scratched = true;
      ++scratched;
      sheet.rows.push_back(row);
      continue;
    }
    const int share = controls.BarPos(IDC_POOL_BAR + i);
    const BoardPrice price = NearestBoardPrice(share);
    row.cells[LINE] = std::to_string(price.a) + "-" + std::to_string(price.b);
    char percent[TEXT_BUFFER_SIZE];
    FormatFixed1(percent, sizeof percent, static_cast<float>(share) / 100.0f, 0);
    row.cells[TO_WIN] = std::string(percent) + "%";
    const ToteHorse figures = FigureToteHorse(share, total.book, race.tote.edge, race.tote.text[i]);
    row.cells[FAIR] = figures.fair;
    row.cells[FAIR_ODDS] = figures.fairOdds;
    row.cells[NEEDS] = figures.needs;
    if (stakes[i] >= 1) row.cells[STAKE] = "$" + std::to_string(stakes[i]);
    sheet.rows.push_back(row);
  }

  char book[32];
  TextBuilder bookText(book, sizeof book);
  bookText.AddScaled(total.book, 2);
  sheet.summary = std::to_string(total.line) + " % line" + DOT + std::to_string(total.horses) +
                  (total.horses == 1 ? " horse" : " horses");
  if (scratched > 0) sheet.summary += " (" + std::to_string(scratched) + " scratched)";
  sheet.summary += DOT + std::string("Book ") + book + " %" + DOT + "Edge " +
                   std::to_string(std::clamp(race.tote.edge, 0, EDGE_MAX)) + " %";
  return sheet;
}

// The columns' widths at size, names at their full width; an absent column takes no room.
struct Columns {
  int size;
  int gap;
  int widths[COLUMNS];
  bool present[COLUMNS];
  int Total() const {
    int total = -gap;
    for (int c = 0; c < COLUMNS; ++c) total += present[c] ? widths[c] + gap : 0;
    return total;
  }
};

Columns Measure(const RaceSheet& sheet, int size) {
  Columns columns{size, size, {}, {}};
  for (int c = 0; c < COLUMNS; ++c) {
    columns.present[c] = c != STAKE || sheet.staked;
    columns.widths[c] = columns.present[c] ? SheetTextWidth(HEADS[c].heading, size, true) : 0;
  }
  columns.widths[TOTE] = std::max(columns.widths[TOTE], TOTE_EMS * size);
  for (const SheetRow& row : sheet.rows) {
    for (int c = 0; c < COLUMNS; ++c) {
      // A scratched row's word stands in the empty figures after its identity.
      if (row.scratched && c >= LINE) break;
      columns.widths[c] = std::max(columns.widths[c], SheetTextWidth(row.cells[c], size, false));
    }
  }
  return columns;
}

// text cut at a character's end, with an ellipsis, to fit width at size; text itself where it
// fits.
std::string Elide(const std::string& text, int width, int size) {
  if (SheetTextWidth(text, size, false) <= width) return text;
  std::vector<std::size_t> ends;  // where each character ends
  for (std::size_t at = 0; at < text.size();) {
    char32_t c = 0;
    if (!NextUtf8(text, at, c)) ++at;
    ends.push_back(at);
  }
  for (std::size_t n = ends.size(); n-- > 0;) {
    std::string cut(TrimBlanks(std::string_view(text).substr(0, n == 0 ? 0 : ends[n - 1])));
    cut += ELLIPSIS;
    if (SheetTextWidth(cut, size, false) <= width || n == 0) return cut;
  }
  return ELLIPSIS;
}

// Lays the pages of one race onto pages, their numbers filled in later.
void AddRacePages(RaceSheet sheet, const SheetPaper& paper, std::vector<SheetPage>& pages) {
  const int room = paper.width - paper.left - paper.right;
  int size = SHEET_BODY_SIZE;
  Columns columns = Measure(sheet, size);
  while (columns.Total() > room && size > SHEET_SMALLEST_SIZE) {
    size -= SHEET_SIZE_STEP;
    columns = Measure(sheet, size);
  }
  if (columns.Total() > room) {
    // Only the names give way; the figures run past the margin where even that is not enough.
    const int others = columns.Total() - columns.widths[NAME];
    const int names = std::max(SheetTextWidth(HEADS[NAME].heading, size, true), room - others);
    for (SheetRow& row : sheet.rows) row.cells[NAME] = Elide(row.cells[NAME], names, size);
    columns.widths[NAME] = names;
  }
  int left[COLUMNS];
  int x = paper.left;
  for (int c = 0; c < COLUMNS; ++c) {
    left[c] = x;
    if (columns.present[c]) x += columns.widths[c] + columns.gap;
  }
  const int tableRight = x - columns.gap;

  // The heading is a third larger than the body, less where the page is too narrow for it;
  // never smaller than the body, and never cut, as it names the race.
  int titleSize = size * 4 / 3;
  while (titleSize > size && SheetTextWidth(sheet.title, titleSize, true) > room) {
    titleSize -= SHEET_SIZE_STEP;
  }
  const int lead = size * 3 / 2;
  const int titleY = paper.top + titleSize;
  const int summaryY = titleY + lead;
  const int headY = summaryY + lead + lead / 2;
  const int firstRowY = headY + lead;
  const int footY = paper.height - paper.bottom;
  // Rows stop two leads above the foot; a page too short for any still takes one, so that
  // every race is printed whole.
  const int perPage = std::max(1, (footY - 2 * lead - firstRowY) / lead + 1);

  const auto text = [](SheetPage& page, int tx, int ty, int tsize, bool bold, bool grey,
                       std::string words) {
    page.items.push_back({SheetItem::TEXT, tx, ty, 0, 0, tsize, bold, grey, std::move(words)});
  };
  const auto rule = [](SheetPage& page, int x1, int y1, int x2, int y2) {
    page.items.push_back({SheetItem::RULE, x1, y1, x2, y2, RULE_WIDTH, false, false, {}});
  };
  const auto cellX = [&](int c, const std::string& words, bool bold) {
    return HEADS[c].right ? left[c] + columns.widths[c] - SheetTextWidth(words, size, bold)
                          : left[c];
  };

  std::size_t next = 0;
  do {
    SheetPage page;
    text(page, paper.left, titleY, titleSize, true, false, sheet.title);
    text(page, paper.left, summaryY, size, false, false, sheet.summary);
    for (int c = 0; c < COLUMNS; ++c) {
      if (!columns.present[c]) continue;
      text(page, cellX(c, HEADS[c].heading, true), headY, size, true, false, HEADS[c].heading);
    }
    rule(page, paper.left, headY + size / 3, tableRight, headY + size / 3);
    for (int n = 0; n < perPage && next < sheet.rows.size(); ++n, ++next) {
      const SheetRow& row = sheet.rows[next];
      const int y = firstRowY + n * lead;
      for (int c = 0; c < COLUMNS; ++c) {
        if (row.scratched && c == LINE) {
          text(page, left[c], y, size, false, true, SCRATCHED);
          break;
        }
        if (!row.cells[c].empty()) {
          text(page, cellX(c, row.cells[c], false), y, size, false, row.scratched, row.cells[c]);
        }
      }
      if (!row.scratched) rule(page, left[TOTE], y + size / 5, tableRight, y + size / 5);
    }
    text(page, paper.left, footY, size, false, false, SHEET_FOOT);
    pages.push_back(std::move(page));
  } while (next < sheet.rows.size());
}

}  // namespace

std::vector<SheetPage> LayOutSheet(Card& card, DialogSurface& surface, const SheetPaper& paper) {
  std::vector<SheetPage> pages;
  for (int r = 1; r <= RACE_MAX; ++r) {
    if (FindRace(card, r)) AddRacePages(SheetOf(card, surface, r), paper, pages);
  }
  // The page numbers, once there is a count: each at the right margin, at the foot's size.
  const std::string count = std::to_string(pages.size());
  for (std::size_t n = 0; n < pages.size(); ++n) {
    const SheetItem& foot = pages[n].items.back();
    std::string words = "Page " + std::to_string(n + 1) + " of " + count;
    const int x = paper.width - paper.right - SheetTextWidth(words, foot.size, false);
    pages[n].items.push_back(
        {SheetItem::TEXT, x, foot.y, 0, 0, foot.size, false, false, std::move(words)});
  }
  return pages;
}
