// The tote's figures, table and tip. Each figure is an exact fraction of 64-bit integers,
// rounded once, half away from zero, when it is printed, so no rounding on the way can turn a
// BET into an OVERLAY.
#include "tote/tote.h"

#include <algorithm>

#include "book/board.h"
#include "text/table.h"
#include "text/text.h"
#include "tote/stakes.h"

namespace {

constexpr long long STAKE_CENTS = 200;            // the $2 bet every figure is about
constexpr long long TOTE_BOOK_UNIT = 1000000000;  // each 1 / (o + 1) in 10^-9
// A tote text in UTF-8: at most three bytes for each of its bytes, and the NUL.
constexpr std::size_t TOTE_CELL_SIZE = std::size_t{3} * TOTE_TEXT_MAX + 1;

// n / d rounded half away from zero; d above 0.
long long RoundDiv(long long n, long long d) {
  return n >= 0 ? (2 * n + d) / (2 * d) : -((-2 * n + d) / (2 * d));
}

// The first TOTE_TEXT_MAX bytes of text without the spaces and tabs around them.
std::string_view Trimmed(const char* text) {
  std::size_t length = 0;
  while (length < TOTE_TEXT_MAX && text[length] != '\0') ++length;
  std::string_view view(text, length);
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!view.empty() && blank(view.front())) view.remove_prefix(1);
  while (!view.empty() && blank(view.back())) view.remove_suffix(1);
  return view;
}

// The length of the run of ASCII digits at at, and its value while it has at most nine.
std::size_t DigitRun(std::string_view text, std::size_t at, long long& value) {
  std::size_t count = 0;
  value = 0;
  for (; at + count < text.size() && text[at + count] >= '0' && text[at + count] <= '9'; ++count) {
    if (count < 9) value = value * 10 + (text[at + count] - '0');
  }
  return count;
}

bool IsEvens(std::string_view text) {
  for (const char* word : {"EVEN", "EVENS", "EVN", "EVS", "E"}) {
    const std::string_view name(word);
    if (name.size() != text.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size(); ++i) {
      const char c =
          text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
      same = same && c == name[i];
    }
    if (same) return true;
  }
  return false;
}

// A horse's chance by the line, share / total; none (a share of 0) when either is not above 0.
struct Chance {
  long long share;
  long long total;
};

Chance ChanceOf(long long share, long long total) {
  return share > 0 && total > 0 ? Chance{share, total} : Chance{0, total};
}

// The overlay of a $2 bet that pays pays cents, times 200 S: s * pays - 200 S.
long long ScaledGain(Chance chance, long long pays) {
  return chance.share * pays - STAKE_CENTS * chance.total;
}

ToteStatus StatusAt(Chance chance, int edge, long long pays) {
  if (chance.share == 0) return ToteStatus::UNDER;
  const long long gain = ScaledGain(chance, pays);
  if (gain <= 0) return ToteStatus::UNDER;
  // gain / (200 S) >= edge / 100, kept in integers.
  return gain >= 2 * chance.total * edge ? ToteStatus::BET : ToteStatus::OVERLAY;
}

int ClampEdge(int edge) { return std::clamp(edge, 0, EDGE_MAX); }

// The first price of the tote ladder, shortest first, for which found is true.
template <typename Found>
bool FindOnLadder(BoardPrice& price, Found found) {
  for (const BoardPrice shortPrice : SHORT_PRICES) {
    price = shortPrice;
    if (found(price)) return true;
  }
  for (int odds = LONG_PRICE_FIRST; odds <= LONG_PRICE_LAST; ++odds) {
    price = {odds, 1};
    if (found(price)) return true;
  }
  return false;
}

// The shortest ladder price at which chance is a BET; false when even 99-1 is not.
bool Needs(Chance chance, int edge, int& a, int& b) {
  BoardPrice price{};
  const bool bet = FindOnLadder(price, [&](BoardPrice p) {
    return StatusAt(chance, edge, TotePayCents({ToteRead::PRICE, p.a, p.b})) == ToteStatus::BET;
  });
  a = price.a;
  b = price.b;
  return bet;
}

void WriteToteTable(DialogSurface& surface, const ToteState& tote, const HorseIdentity* names,
                    const ToteMoney& money, TableText& table) {
  table.Header(TOTE_COLUMNS, TOTE_COLUMN_COUNT);
  long long stakes[ROW_COUNT];
  const long long staked = FigureStakes(surface, tote, money.bankroll, money.kelly, stakes);
  const int horses = ReadFieldSize(surface);
  for (int i = 0; i < horses; ++i) {
    if (!IsActiveRow(surface, i)) continue;
    const ToteHorse horse = FigureToteRow(surface, tote, i);
    char number[16];
    FormatInt(number, sizeof number, i + 1, 0);
    char price[TOTE_CELL_SIZE];
    FormatToteText(tote.text[i], price, sizeof price);
    char program[3 * PROGRAM_MAX + 1] = "";
    char name[3 * HORSE_NAME_MAX + 1] = "";
    if (names) {
      TextBuilder programText(program, sizeof program);
      AddIdentityPart(programText, names[i].program);
      TextBuilder nameText(name, sizeof name);
      AddIdentityPart(nameText, names[i].name);
    }
    char stake[24] = "";
    if (stakes[i] >= 1) FormatInt(stake, sizeof stake, static_cast<int>(stakes[i]), 0);
    const char* const cells[] = {number,     program,        name,
                                 horse.fair, horse.fairOdds, horse.needs,
                                 price,      horse.overlay,  ToteStatusText(horse.status),
                                 horse.pays, horse.ev,       stake};
    table.Row(TOTE_COLUMNS, cells, TOTE_COLUMN_COUNT);
  }
  const ToteRace race = FigureToteRace(surface, tote);
  char edge[16];
  TextBuilder edgeText(edge, sizeof edge);
  edgeText.AddInt(ClampEdge(tote.edge));
  edgeText.Add("%");
  char total[24] = "";
  if (money.bankroll >= 0) FormatInt(total, sizeof total, static_cast<int>(staked), 0);
  const char* const rows[][2] = {{"Edge", edge},
                                 {"Tote book", race.book},
                                 {"Take", race.take},
                                 {"Bets", race.bets},
                                 {"Stakes", total}};
  // A name and its figure, a percentage given its value where it is one.
  constexpr TableColumn RACE_ROW[] = {{"", CellKind::PLAIN}, {"", CellKind::PERCENT}};
  for (const auto& row : rows) table.Row(RACE_ROW, row, 2);
  table.End();
}

}  // namespace

void SetToteText(ToteState& tote, int i, std::string_view text) {
  if (i < 0 || i >= ROW_COUNT) return;
  std::size_t length = 0;
  while (length < text.size() && length < TOTE_TEXT_MAX && text[length] != '\0') {
    tote.text[i][length] = text[length];
    ++length;
  }
  tote.text[i][length] = '\0';
}

std::string_view ToteText(const ToteState& tote, int i) {
  if (i < 0 || i >= ROW_COUNT) return {};
  std::size_t length = 0;
  while (length < TOTE_TEXT_MAX && tote.text[i][length] != '\0') ++length;
  return {tote.text[i], length};
}

TotePrice ReadTotePrice(const char* text) {
  const TotePrice none{ToteRead::NONE, 0, 0};
  const TotePrice invalid{ToteRead::INVALID, 0, 0};
  const std::string_view view = Trimmed(text);
  if (view.empty()) return none;
  if (IsEvens(view)) return {ToteRead::PRICE, 1, 1};
  long long whole;
  const std::size_t wholeDigits = DigitRun(view, 0, whole);
  if (wholeDigits < 1 || wholeDigits > 4) return invalid;
  TotePrice price{ToteRead::PRICE, whole, 1};
  if (wholeDigits < view.size()) {
    const char separator = view[wholeDigits];
    long long part;
    const std::size_t partDigits = DigitRun(view, wholeDigits + 1, part);
    if (wholeDigits + 1 + partDigits != view.size()) return invalid;
    if (separator == '-' || separator == '/') {
      if (partDigits < 1 || partDigits > 4 || part < 1) return invalid;
      price.den = part;
    } else if (separator == '.') {
      if (partDigits < 1 || partDigits > 2) return invalid;
      price.den = partDigits == 1 ? 10 : 100;
      price.num = whole * price.den + part;
    } else {
      return invalid;
    }
  }
  return price.num > 0 ? price : invalid;
}

const char* TotePriceHelp() { return "Tote prices: 5-2, 5/2, 7, 2.5, 2.25 or EVEN"; }

long long TotePayCents(TotePrice price) {
  if (price.read != ToteRead::PRICE || price.num < 1 || price.den < 1) return 0;
  const long long cents =
      STAKE_CENTS * (price.num + price.den) / (price.den * BREAKAGE_CENTS) * BREAKAGE_CENTS;
  return cents < PAYOUT_MIN_CENTS ? PAYOUT_MIN_CENTS : cents;
}

bool ToteLadderPrice(TotePrice price, BoardPrice& on) {
  if (price.read != ToteRead::PRICE) return false;
  return FindOnLadder(on, [&price](BoardPrice p) { return p.a * price.den == p.b * price.num; });
}

const char* ToteStatusText(ToteStatus status) {
  switch (status) {
    case ToteStatus::INVALID: return "?";
    case ToteStatus::UNDER: return "UNDER";
    case ToteStatus::OVERLAY: return "OVERLAY";
    case ToteStatus::BET: return "BET";
    case ToteStatus::NONE: break;
  }
  return "";
}

ToteHorse FigureToteHorse(long long share, long long total, int edge, const char* text) {
  ToteHorse horse{ToteStatus::NONE, {}, {}, {}, {}, {}, {}};
  edge = ClampEdge(edge);
  const Chance chance = ChanceOf(share, total);
  if (total > 0) {
    TextBuilder fair(horse.fair, sizeof horse.fair);
    fair.AddScaled(RoundDiv(chance.share * 1000, total), 1);
    fair.Add("%");
  }
  if (chance.share > 0) {
    TextBuilder fairOdds(horse.fairOdds, sizeof horse.fairOdds);
    fairOdds.AddScaled(RoundDiv((total - chance.share) * 10, chance.share), 1);
    TextBuilder needs(horse.needs, sizeof horse.needs);
    int a;
    int b;
    if (Needs(chance, edge, a, b)) {
      needs.AddPrice(a, b);
    } else {
      needs.Add("over 99-1");
    }
  }
  const TotePrice price = ReadTotePrice(text);
  if (price.read != ToteRead::PRICE) {
    horse.status = price.read == ToteRead::NONE ? ToteStatus::NONE : ToteStatus::INVALID;
    return horse;
  }
  const long long pays = TotePayCents(price);
  horse.status = StatusAt(chance, edge, pays);
  // Overlay in tenths of a percent: gain / (200 S) * 1000; the EV in cents: gain / S. Without a
  // chance the bet returns nothing: -100 % and the stake lost.
  long long overlayTenths = -1000;
  long long evCents = -STAKE_CENTS;
  if (chance.share > 0) {
    const long long gain = ScaledGain(chance, pays);
    overlayTenths = RoundDiv(gain * 5, total);
    evCents = RoundDiv(gain, total);
  }
  TextBuilder paysText(horse.pays, sizeof horse.pays);
  paysText.AddScaled(pays, 2);
  TextBuilder overlay(horse.overlay, sizeof horse.overlay);
  overlay.AddScaled(overlayTenths, 1, true);
  overlay.Add("%");
  TextBuilder ev(horse.ev, sizeof horse.ev);
  ev.AddScaled(evCents, 2, true);
  return horse;
}

ToteHorse FigureToteRow(DialogSurface& surface, const ToteState& tote, int i) {
  if (i >= ROW_COUNT || !IsActiveRow(surface, i)) return FigureToteHorse(0, 0, 0, "");
  return FigureToteHorse(surface.BarPos(IDC_POOL_BAR + i), ReadBookTotal(surface).book, tote.edge,
                         tote.text[i]);
}

ToteRace FigureToteRace(DialogSurface& surface, const ToteState& tote) {
  ToteRace race{{}, {}, {}};
  const BookTotal total = ReadBookTotal(surface);
  int horses = 0;
  int bets = 0;
  bool complete = true;
  long long book = 0;  // in TOTE_BOOK_UNIT
  for (int i = 0; i < total.horses; ++i) {
    if (!IsActiveRow(surface, i)) continue;
    ++horses;
    const TotePrice price = ReadTotePrice(tote.text[i]);
    if (price.read != ToteRead::PRICE) {
      complete = false;
      continue;
    }
    book += RoundDiv(price.den * TOTE_BOOK_UNIT, price.num + price.den);
    const Chance chance = ChanceOf(surface.BarPos(IDC_POOL_BAR + i), total.book);
    if (StatusAt(chance, ClampEdge(tote.edge), TotePayCents(price)) == ToteStatus::BET) ++bets;
  }
  TextBuilder bookText(race.book, sizeof race.book);
  if (horses > 0 && !complete) bookText.Add("incomplete");
  // A price is below 10000 to one, so every horse adds about 10^-4 or more: the book is above 0.
  if (horses > 0 && complete) {
    bookText.AddScaled(RoundDiv(book, TOTE_BOOK_UNIT / 10000), 2);
    bookText.Add("%");
    TextBuilder take(race.take, sizeof race.take);
    take.AddScaled(RoundDiv((book - TOTE_BOOK_UNIT) * 1000, book), 1);
    take.Add("%");
  }
  TextBuilder betsText(race.bets, sizeof race.bets);
  if (bets == 0) {
    betsText.Add("PASS");
  } else {
    betsText.AddInt(bets);
  }
  return race;
}

int FormatToteText(const char* text, char* buffer, std::size_t size) {
  TextBuilder out(buffer, size);
  for (const char c : Trimmed(text)) {
    if (c == '\t' || c == '\r' || c == '\n') {
      out.Add(" ");
    } else {
      out.AddUtf8FromCp1252(std::string_view(&c, 1));
    }
  }
  return out.Length();
}

int FormatToteTip(DialogSurface& surface, const ToteState& tote, int i, char* buffer,
                  std::size_t size) {
  TextBuilder text(buffer, size);
  if (i < 0 || i >= ROW_COUNT || BookPending(surface) || !IsActiveRow(surface, i)) return 0;
  char price[TOTE_CELL_SIZE];
  if (FormatToteText(tote.text[i], price, sizeof price) == 0) return 0;
  text.Add(" \xC2\xB7 tote ");  // a middle dot
  text.Add(price);
  text.Add(": ");
  text.Add(ToteStatusText(FigureToteRow(surface, tote, i).status));
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

int FormatToteTable(DialogSurface& surface, const ToteState& tote, const HorseIdentity* horses,
                    const char* eol, char* buffer, std::size_t size, const ToteMoney& money) {
  TextBuilder text(buffer, size);
  TableText table(text, eol);
  WriteToteTable(surface, tote, horses, money, table);
  return text.Length();
}

int FormatToteHtml(DialogSurface& surface, const ToteState& tote, const HorseIdentity* horses,
                   char* buffer, std::size_t size, const ToteMoney& money) {
  TextBuilder text(buffer, size);
  TableText table(text, nullptr);
  WriteToteTable(surface, tote, horses, money, table);
  return text.Length();
}

CopiedTable CopyToteTable(DialogSurface& surface, const ToteState& tote,
                          const HorseIdentity* horses, const char* eol, const ToteMoney& money) {
  // Both always fit their buffers (tote.h).
  char text[TOTE_TABLE_MAX];
  FormatToteTable(surface, tote, horses, eol, text, sizeof text, money);
  char html[TOTE_HTML_MAX];
  FormatToteHtml(surface, tote, horses, html, sizeof html, money);
  return {text, html};
}
