// Board prices, the book total and the copied line. Whole-number arithmetic decides every
// comparison, so no rounded percentage can move a horse to another price.
#include "book/board.h"

#include <algorithm>
#include <cstdint>

#include "book/format.h"
#include "book/table.h"
#include "book/text.h"
#include "book/tote.h"

namespace {

constexpr BoardPrice LADDER[] = {
    {1, 9}, {1, 5}, {2, 5},  {1, 2},  {3, 5},  {4, 5},  {1, 1},  {6, 5},  {7, 5}, {3, 2},
    {8, 5}, {9, 5}, {2, 1},  {5, 2},  {3, 1},  {7, 2},  {4, 1},  {9, 2},  {5, 1}, {6, 1},
    {7, 1}, {8, 1}, {10, 1}, {12, 1}, {15, 1}, {20, 1}, {30, 1}, {50, 1}, {99, 1}};

// |share * (a + b) - 10000 * b|: the distance of share / 10000 from b / (a + b), times
// 10000 * (a + b).
std::int64_t ScaledDistance(int share, BoardPrice price) {
  const std::int64_t scaledShare = share;
  const std::int64_t d = scaledShare * (price.a + price.b) - SHARE_SCALE * std::int64_t{price.b};
  return d < 0 ? -d : d;
}

}  // namespace

BoardPrice NearestBoardPrice(int share) {
  BoardPrice best = LADDER[0];
  for (const BoardPrice price : LADDER) {
    // Cross-multiplied: d(price) / (a + b) against d(best) / (best.a + best.b). The ladder runs
    // from short to long prices, so "not worse" lets a tie go to the longer one.
    const std::int64_t left = ScaledDistance(share, price) * (best.a + best.b);
    const std::int64_t right = ScaledDistance(share, best) * (price.a + price.b);
    if (left <= right) best = price;
  }
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

int FormatBookTip(DialogSurface& surface, char* buffer, std::size_t size) {
  TextBuilder text(buffer, size);
  if (BookPending(surface)) return 0;
  const BookTotal total = ReadBookTotal(surface);
  text.Add("Book ");
  text.AddScaled(total.book, 2);
  text.Add(" % of a ");
  text.AddInt(total.line);
  text.Add(" % line (");
  text.AddInt(total.horses);
  text.Add(total.horses == 1 ? " horse)" : " horses)");
  return text.Length();
}

int FormatControlTip(DialogSurface& surface, int id, char* buffer, std::size_t size,
                     const ToteState* tote) {
  if (IsOddsField(id) || IsPoolBar(id)) {
    const int i = IsOddsField(id) ? id - IDC_ODDS : id - IDC_POOL_BAR;
    const int length = FormatHorseTip(surface, i, buffer, size);
    if (!tote || length == 0) return length;
    // The tote's part goes where the horse's ends, or where the buffer ends if that cut it.
    const std::size_t at = size == 0 ? 0 : std::min(static_cast<std::size_t>(length), size - 1);
    return length + FormatToteTip(surface, *tote, i, buffer + at, size - at);
  }
  if (id == IDC_LINE) return FormatBookTip(surface, buffer, size);
  if (size != 0) buffer[0] = '\0';
  return NO_TIP;
}

namespace {

void WriteTable(DialogSurface& surface, TableText& table) {
  const char* const header[] = {"Horse", "Odds", "To win", "Board"};
  table.Row(header, 4, true);
  const BookTotal total = ReadBookTotal(surface);
  for (int i = 0; i < total.horses; ++i) {
    char number[16];
    FormatInt(number, sizeof number, i + 1, 0);
    if (surface.IsChecked(IDC_SCRATCH + i)) {
      const char* const cells[] = {number, "scratched"};
      table.Row(cells, 2);
      continue;
    }
    const int share = surface.BarPos(IDC_POOL_BAR + i);
    char odds[TEXT_BUFFER_SIZE];
    char win[TEXT_BUFFER_SIZE];
    char price[32];
    FormatOddsText(odds, share);
    FormatShareText(win, static_cast<float>(share) / 100.0f);
    const BoardPrice board = NearestBoardPrice(share);
    const int length = FormatInt(price, sizeof price, board.a, 0);
    price[length] = '-';
    FormatInt(price + length + 1, sizeof price - static_cast<std::size_t>(length) - 1, board.b, 0);
    // The figures as the dialog shows them, without the blanks that align them there.
    const auto trimmed = [](const char* text) {
      while (*text == ' ') ++text;
      return text;
    };
    const char* const cells[] = {number, trimmed(odds), trimmed(win), price};
    const long long percents[] = {-1, -1, share, -1};
    table.Row(cells, 4, false, 1u << 3, percents);
  }
  char book[32];
  TextBuilder bookText(book, sizeof book);
  bookText.AddScaled(total.book, 2);
  bookText.Add("%");
  const char* const bookRow[] = {"Book", book};
  const long long bookUnits[] = {-1, total.book < 0 ? -1 : total.book};
  table.Row(bookRow, 2, false, 0, bookUnits);
  char line[16];
  const int length = FormatInt(line, sizeof line - 1, total.line, 0);
  line[length] = '%';
  line[length + 1] = '\0';
  const char* const lineRow[] = {"Line", line};
  const long long lineUnits[] = {-1, total.line * 100LL};
  table.Row(lineRow, 2, false, 0, lineUnits);
  table.End();
}

}  // namespace

int FormatLineTable(DialogSurface& surface, const char* eol, char* buffer, std::size_t size) {
  TextBuilder text(buffer, size);
  TableText table(text, eol);
  WriteTable(surface, table);
  return text.Length();
}

int FormatLineHtml(DialogSurface& surface, char* buffer, std::size_t size) {
  TextBuilder text(buffer, size);
  TableText table(text, nullptr);
  WriteTable(surface, table);
  return text.Length();
}
