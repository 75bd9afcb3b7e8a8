// Board prices, the book total and the copied line. Whole-number arithmetic decides every
// comparison, so no rounded percentage can move a horse to another price.
#include "book/board.h"

#include <algorithm>
#include <cstdint>

#include "book/format.h"
#include "text/table.h"
#include "text/text.h"

namespace {

// |share * (a + b) - 10000 * b|: the distance of share / 10000 from b / (a + b), times
// 10000 * (a + b).
std::int64_t ScaledDistance(int share, BoardPrice price) {
  const std::int64_t scaledShare = share;
  const std::int64_t d = scaledShare * (price.a + price.b) - SHARE_SCALE * std::int64_t{price.b};
  return d < 0 ? -d : d;
}

}  // namespace

BoardPrice NearestBoardPrice(int share) {
  BoardPrice best = SHORT_PRICES[0];
  const auto consider = [share, &best](BoardPrice price) {
    // Cross-multiplied: d(price) / (a + b) against d(best) / (best.a + best.b). The ladder runs
    // from short to long prices, so "not worse" lets a tie go to the longer one.
    const std::int64_t left = ScaledDistance(share, price) * (best.a + best.b);
    const std::int64_t right = ScaledDistance(share, best) * (price.a + price.b);
    if (left <= right) best = price;
  };
  for (const BoardPrice price : SHORT_PRICES) consider(price);
  for (int odds = LONG_PRICE_FIRST; odds <= LONG_PRICE_LAST; ++odds) consider({odds, 1});
  return best;
}

bool IsActiveRow(DialogSurface& surface, int i) {
  return i >= 0 && i < ReadFieldSize(surface) && !surface.IsChecked(IDC_SCRATCH + i);
}

BookTotal ReadBookTotal(DialogSurface& surface) {
  BookTotal total{0, ReadLinePercent(surface), ReadFieldSize(surface)};
  for (int i = 0; i < total.horses; ++i) {
    if (!surface.IsChecked(IDC_SCRATCH + i)) total.book += surface.BarPos(IDC_POOL_BAR + i);
  }
  return total;
}

bool BookPending(DialogSurface& surface) {
  return surface.IsModified(IDC_LINE) || surface.IsModified(IDC_HORSES);
}

int FormatHorseTip(DialogSurface& surface, int i, char* buffer, std::size_t size) {
  TextBuilder text(buffer, size);
  if (BookPending(surface) || !IsActiveRow(surface, i)) return 0;
  const int share = surface.BarPos(IDC_POOL_BAR + i);
  char percent[TEXT_BUFFER_SIZE];
  FormatFixed1(percent, sizeof percent, static_cast<float>(share) / 100.0f, 0);
  text.Add("Board price ");
  const BoardPrice price = NearestBoardPrice(share);
  text.AddPrice(price.a, price.b);
  text.Add(" \xC2\xB7 ");  // a middle dot
  text.Add(percent);
  text.Add(" % to win");
  return text.Length();
}

namespace {

// "Book 120.09 % of a 120 % line", then the field as the tip or the status line puts it.
int FormatBook(DialogSurface& surface, char* buffer, std::size_t size, bool status) {
  TextBuilder text(buffer, size);
  if (BookPending(surface)) return 0;
  const BookTotal total = ReadBookTotal(surface);
  text.Add("Book ");
  text.AddScaled(total.book, 2);
  text.Add(" % of a ");
  text.AddInt(total.line);
  text.Add(status ? " % line, " : " % line (");
  text.AddInt(total.horses);
  text.Add(total.horses == 1 ? " horse" : " horses");
  if (!status) text.Add(")");
  return text.Length();
}

}  // namespace

int FormatBookTip(DialogSurface& surface, char* buffer, std::size_t size) {
  return FormatBook(surface, buffer, size, false);
}

int FormatBookStatus(DialogSurface& surface, char* buffer, std::size_t size) {
  return FormatBook(surface, buffer, size, true);
}

bool BookOffLine(DialogSurface& surface) {
  if (BookPending(surface)) return false;
  const BookTotal total = ReadBookTotal(surface);
  const long long line = std::int64_t{total.line} * 100;  // in share units, as the book is
  return total.book > line + 100 || total.book < line - 100;
}

namespace {

constexpr TableColumn LINE_COLUMNS[] = {{"Horse", CellKind::PLAIN}, {"Program", CellKind::TEXT},
                                        {"Name", CellKind::TEXT},   {"ML", CellKind::TEXT},
                                        {"Odds", CellKind::PLAIN},  {"To win", CellKind::SHARE},
                                        {"Board", CellKind::TEXT}};
constexpr int LINE_COLUMN_COUNT = sizeof LINE_COLUMNS / sizeof LINE_COLUMNS[0];
// The book's and the line's rows: a name and its percentage.
constexpr TableColumn TOTAL_ROW[] = {{"", CellKind::PLAIN}, {"", CellKind::SHARE}};

// A row's identity cells (identity.h, AddIdentityPart), in buffers of their own.
struct IdentityCells {
  char program[3 * PROGRAM_MAX + 1];
  char name[3 * HORSE_NAME_MAX + 1];
  char ml[3 * MORNING_LINE_MAX + 1];
};

IdentityCells CellsOf(const HorseIdentity* horses, int i) {
  IdentityCells cells{};
  if (!horses) return cells;
  TextBuilder program(cells.program, sizeof cells.program);
  AddIdentityPart(program, horses[i].program);
  TextBuilder name(cells.name, sizeof cells.name);
  AddIdentityPart(name, horses[i].name);
  TextBuilder ml(cells.ml, sizeof cells.ml);
  AddIdentityPart(ml, horses[i].ml);
  return cells;
}

void WriteTable(DialogSurface& surface, const HorseIdentity* horses, TableText& table) {
  table.Header(LINE_COLUMNS, LINE_COLUMN_COUNT);
  const BookTotal total = ReadBookTotal(surface);
  for (int i = 0; i < total.horses; ++i) {
    char number[16];
    FormatInt(number, sizeof number, i + 1, 0);
    const IdentityCells identity = CellsOf(horses, i);
    if (surface.IsChecked(IDC_SCRATCH + i)) {
      const char* const cells[] = {number, identity.program, identity.name, identity.ml,
                                   "scratched"};
      table.Row(LINE_COLUMNS, cells, 5);
      continue;
    }
    const int share = surface.BarPos(IDC_POOL_BAR + i);
    char odds[TEXT_BUFFER_SIZE];
    char win[TEXT_BUFFER_SIZE];
    char price[32];
    FormatOddsText(odds, share);
    FormatShareText(win, static_cast<float>(share) / 100.0f);
    const BoardPrice board = NearestBoardPrice(share);
    TextBuilder(price, sizeof price).AddPrice(board.a, board.b);
    // The figures as the dialog shows them, without the blanks that align them there.
    const auto trimmed = [](const char* text) {
      while (*text == ' ') ++text;
      return text;
    };
    const char* const cells[] = {number,        identity.program, identity.name, identity.ml,
                                 trimmed(odds), trimmed(win),     price};
    const long long shares[] = {-1, -1, -1, -1, -1, share, -1};
    table.Row(LINE_COLUMNS, cells, LINE_COLUMN_COUNT, shares);
  }
  char book[32];
  TextBuilder bookText(book, sizeof book);
  bookText.AddScaled(total.book, 2);
  bookText.Add("%");
  const char* const bookRow[] = {"Book", book};
  const long long bookUnits[] = {-1, total.book < 0 ? -1 : total.book};
  table.Row(TOTAL_ROW, bookRow, 2, bookUnits);
  char line[16];
  TextBuilder lineText(line, sizeof line);
  lineText.AddInt(total.line);
  lineText.Add("%");
  const char* const lineRow[] = {"Line", line};
  const long long lineUnits[] = {-1, total.line * 100LL};
  table.Row(TOTAL_ROW, lineRow, 2, lineUnits);
  table.End();
}

}  // namespace

int FormatLineTable(DialogSurface& surface, const HorseIdentity* horses, const char* eol,
                    char* buffer, std::size_t size) {
  TextBuilder text(buffer, size);
  TableText table(text, eol);
  WriteTable(surface, horses, table);
  return text.Length();
}

int FormatLineHtml(DialogSurface& surface, const HorseIdentity* horses, char* buffer,
                   std::size_t size) {
  TextBuilder text(buffer, size);
  TableText table(text, nullptr);
  WriteTable(surface, horses, table);
  return text.Length();
}

CopiedTable CopyLineTable(DialogSurface& surface, const HorseIdentity* horses, const char* eol) {
  // Both always fit their buffers (board.h).
  char text[LINE_TABLE_MAX];
  FormatLineTable(surface, horses, eol, text, sizeof text);
  char html[LINE_HTML_MAX];
  FormatLineHtml(surface, horses, html, sizeof html);
  return {text, html};
}
