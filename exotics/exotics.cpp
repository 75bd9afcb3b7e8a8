// A ticket's combinations are ordered by their chances compared exactly: a place bet's chance is
// a product of shares over a product of what the horses before left of the book, both under
// 2^120 with a book under 2^20; a Pick N's is a product of shares over the product of its
// legs' books, under 2^120 as well. Cross-multiplied they need 256 bits. The figures printed come
// from Fraction, and the ticket's own chance is the exact sum of all its combinations'.
#include "exotics/exotics.h"

#include <algorithm>

#include "book/board.h"
#include "book/book.h"
#include "exotics/fraction.h"
#include "text/table.h"
#include "text/text.h"

namespace {

constexpr BetTypeInfo INFOS[BET_TYPE_COUNT] = {{"exacta", "Exacta", 2, false},
                                               {"trifecta", "Trifecta", 3, false},
                                               {"superfecta", "Superfecta", 4, false},
                                               {"pick3", "Pick 3", 3, true},
                                               {"pick4", "Pick 4", 4, true},
                                               {"pick5", "Pick 5", 5, true},
                                               {"pick6", "Pick 6", 6, true}};

constexpr long long SHARE_LIMIT = 1LL << 20;

// GCC and Clang have a 128-bit integer on every target built here.
__extension__ typedef unsigned __int128 Wide;

// A combination while the ticket is enumerated: its chance num / den (0 / 1 where it has none).
struct Candidate {
  Wide num;
  Wide den;
  std::uint8_t rows[POSITION_MAX];
};

// a × b as a high and a low half.
struct Product {
  Wide high;
  Wide low;
};
Product Multiply(Wide a, Wide b) {
  const Wide mask = ~std::uint64_t{0};
  const Wide a0 = a & mask;
  const Wide a1 = a >> 64;
  const Wide b0 = b & mask;
  const Wide b1 = b >> 64;
  const Wide p00 = a0 * b0;
  const Wide p01 = a0 * b1;
  const Wide p10 = a1 * b0;
  const Wide middle = (p00 >> 64) + (p01 & mask) + (p10 & mask);
  return {a1 * b1 + (p01 >> 64) + (p10 >> 64) + (middle >> 64), (p00 & mask) | (middle << 64)};
}

// Most likely first; equal chances by their rows, first position first.
struct MoreLikely {
  int positions;
  bool operator()(const Candidate& a, const Candidate& b) const {
    const Product left = Multiply(a.num, b.den);
    const Product right = Multiply(b.num, a.den);
    if (left.high != right.high) return left.high > right.high;
    if (left.low != right.low) return left.low > right.low;
    return std::lexicographical_compare(a.rows, a.rows + positions, b.rows, b.rows + positions);
  }
};

// The TICKET_LIST_MAX most likely candidates seen, the least likely of them on top of a heap.
class Kept {
 public:
  explicit Kept(int positions) : order_{positions} {}
  void Offer(const Candidate& candidate) {
    if (heap_.size() < TICKET_LIST_MAX) {
      heap_.push_back(candidate);
      std::push_heap(heap_.begin(), heap_.end(), order_);
    } else if (order_(candidate, heap_.front())) {
      std::pop_heap(heap_.begin(), heap_.end(), order_);
      heap_.back() = candidate;
      std::push_heap(heap_.begin(), heap_.end(), order_);
    }
  }
  std::vector<Candidate> Sorted() {
    std::sort_heap(heap_.begin(), heap_.end(), order_);
    return heap_;
  }

 private:
  MoreLikely order_;
  std::vector<Candidate> heap_;
};

Natural NaturalOf(Wide value) {
  const Natural half(std::uint64_t{1} << 32);
  return Natural(static_cast<std::uint64_t>(value >> 64)) * half * half +
         Natural(static_cast<std::uint64_t>(value));
}

std::vector<int> RowsOf(std::uint16_t set) {
  std::vector<int> rows;
  for (int i = 0; i < ROW_COUNT; ++i) {
    if (set & (1U << i)) rows.push_back(i);
  }
  return rows;
}

// The chance's percent, and the payout of amount cents it makes fair and the one that holds
// the edge, rounded up to the dime; both empty at chance 0.
void Figure(const Fraction& chance, long long cents, int edge, std::string& percent,
            std::string& fair, std::string& needs) {
  percent = FormatScaled(RoundTimes(chance, 100'000), 3) + "%";
  fair.clear();
  needs.clear();
  if (chance.IsZero()) return;
  const Fraction payout = Inverse(chance);
  fair = FormatScaled(RoundTimes(payout, static_cast<std::uint64_t>(cents)), 2);
  const Fraction dimes =
      payout *
      Fraction(Natural(static_cast<std::uint64_t>(cents) * (100U + static_cast<unsigned>(edge))),
               Natural(1000));
  needs = FormatScaled(CeilTimes(dimes, 1) * Natural(10), 2);
}

// A place bet's chance summed exactly: from position m on, with the rows in used gone and
// taken the shares of the book, each row h of the set in turn wins what is left, share[h] of
// book - taken, and the rest follows.
Fraction PlaceChance(const ExoticRace& race, const std::vector<std::vector<int>>& sets,
                     std::size_t m, std::uint16_t used, long long taken) {
  const long long left = race.book - taken;
  if (left <= 0) return Fraction();
  Fraction sum;
  long long last = 0;  // the last position's shares add up to one whole number
  for (const int h : sets[m]) {
    if (used & (1U << h)) continue;
    if (m + 1 == sets.size()) {
      last += race.share[h];
    } else if (race.share[h] > 0) {
      sum = sum + Fraction(Natural(static_cast<std::uint64_t>(race.share[h])), Natural(1)) *
                      PlaceChance(race, sets, m + 1, used | static_cast<std::uint16_t>(1U << h),
                                  taken + race.share[h]);
    }
  }
  if (m + 1 == sets.size()) sum = Fraction(Natural(static_cast<std::uint64_t>(last)), Natural(1));
  return sum * Fraction(Natural(1), Natural(static_cast<std::uint64_t>(left)));
}

// Every combination of a place bet, in the order of their rows.
void EnumeratePlaces(const ExoticRace& race, const std::vector<std::vector<int>>& sets,
                     std::size_t m, std::uint16_t used, long long taken, Candidate& at,
                     long long& count, Kept& kept) {
  for (const int h : sets[m]) {
    if (used & (1U << h)) continue;
    Candidate next = at;
    next.rows[m] = static_cast<std::uint8_t>(h);
    const long long left = race.book - taken;
    if (left <= 0 || race.share[h] <= 0) {
      next.num = 0;
      next.den = 1;
    } else if (next.num != 0) {
      next.num *= static_cast<Wide>(race.share[h]);
      next.den *= static_cast<Wide>(left);
    }
    if (m + 1 == sets.size()) {
      ++count;
      kept.Offer(next);
    } else {
      EnumeratePlaces(race, sets, m + 1, used | static_cast<std::uint16_t>(1U << h),
                      taken + race.share[h], next, count, kept);
    }
  }
}

// Every combination of a Pick N, an odometer over the legs; the legs' books are every
// combination's denominator.
void EnumerateLegs(const ExoticRace* races, const std::vector<std::vector<int>>& sets, Kept& kept) {
  const std::size_t legs = sets.size();
  Wide den = 1;
  for (std::size_t leg = 0; leg < legs; ++leg) {
    den *= static_cast<Wide>(races[leg].book > 0 ? races[leg].book : 1);
  }
  std::size_t index[POSITION_MAX] = {};
  Wide prefix[POSITION_MAX + 1] = {1};
  std::size_t from = 0;  // the first leg whose product is to be made again
  while (true) {
    Candidate candidate{};
    for (std::size_t leg = from; leg < legs; ++leg) {
      const int row = sets[leg][index[leg]];
      prefix[leg + 1] = prefix[leg] * static_cast<Wide>(races[leg].share[row]);
    }
    for (std::size_t leg = 0; leg < legs; ++leg) {
      candidate.rows[leg] = static_cast<std::uint8_t>(sets[leg][index[leg]]);
    }
    candidate.num = prefix[legs];
    candidate.den = candidate.num == 0 ? 1 : den;
    kept.Offer(candidate);
    std::size_t leg = legs;
    while (leg > 0 && ++index[leg - 1] == sets[leg - 1].size()) {
      index[leg - 1] = 0;
      --leg;
    }
    if (leg == 0) return;
    from = leg - 1;
  }
}

}  // namespace

const BetTypeInfo& InfoOf(BetType type) {
  const int n = static_cast<int>(type);
  return INFOS[n >= 0 && n < BET_TYPE_COUNT ? n : 0];
}

bool IsBaseCents(long long cents) {
  return std::find(std::begin(BASE_CENTS), std::end(BASE_CENTS), cents) != std::end(BASE_CENTS);
}

std::string FormatBase(int cents) {
  std::string base = "$";
  base += cents % 100 == 0 ? std::to_string(cents / 100)
                           : FormatScaled(Natural(static_cast<std::uint64_t>(cents)), 2);
  return base;
}

ExoticRace ExoticRaceOf(DialogSurface& surface, int edge) {
  ExoticRace race;
  race.book = ReadBookTotal(surface).book;
  race.edge = edge;
  for (int i = 0; i < ROW_COUNT; ++i) {
    race.runs[i] = IsActiveRow(surface, i);
    race.share[i] = race.runs[i] ? surface.BarPos(IDC_POOL_BAR + i) : 0;
  }
  return race;
}

const char* TicketRaces(Card& card, DialogSurface& surface, BetType type,
                        ExoticRace (&races)[POSITION_MAX]) {
  const BetTypeInfo& info = InfoOf(type);
  const int count = info.legs ? info.positions : 1;
  for (int leg = 0; leg < count; ++leg) {
    const int r = card.shown + leg;
    const Race* race = r <= RACE_MAX ? FindRace(card, r) : nullptr;
    if (!race) return "a leg the card does not hold";
    int horses = 0;
    races[leg] = RaceOfCard(card, surface, r, horses);
  }
  return nullptr;
}

const char* PriceCardTicket(Card& card, DialogSurface& surface, const Ticket& ticket,
                            TicketPrice& price) {
  ExoticRace races[POSITION_MAX];
  if (const char* error = TicketRaces(card, surface, ticket.type, races)) return error;
  return PriceTicket(races, ticket, price);
}

const char* PriceTicket(const ExoticRace* races, const Ticket& ticket, TicketPrice& price) {
  price = TicketPrice();
  const BetTypeInfo& info = InfoOf(ticket.type);
  if (!IsBaseCents(ticket.baseCents)) return "no such base amount";
  std::vector<std::vector<int>> sets;
  long long product = 1;
  for (int m = 0; m < info.positions; ++m) {
    const ExoticRace& race = races[info.legs ? m : 0];
    if (race.book < 0 || race.book >= SHARE_LIMIT) return "share out of range";
    sets.push_back(RowsOf(ticket.sets[m]));
    for (const int row : sets.back()) {
      if (!race.runs[row]) return "a scratched horse or a row outside the field";
      if (race.share[row] < 0 || race.share[row] >= SHARE_LIMIT) return "share out of range";
    }
    if (sets.back().empty()) return "no combination";
    product *= static_cast<long long>(sets.back().size());
  }
  Kept kept(info.positions);
  Fraction chance;
  if (info.legs) {
    if (product > TICKET_COMBINATIONS_MAX) return "more than 10000000 combinations";
    price.combinations = product;
    chance = Fraction(Natural(1), Natural(1));
    for (int leg = 0; leg < info.positions; ++leg) {
      long long shares = 0;
      for (const int row : sets[static_cast<std::size_t>(leg)]) shares += races[leg].share[row];
      chance = races[leg].book > 0
                   ? chance * Fraction(Natural(static_cast<std::uint64_t>(shares)),
                                       Natural(static_cast<std::uint64_t>(races[leg].book)))
                   : Fraction();
    }
    EnumerateLegs(races, sets, kept);
  } else {
    Candidate start{1, 1, {}};
    EnumeratePlaces(races[0], sets, 0, 0, 0, start, price.combinations, kept);
    if (price.combinations == 0) return "no combination";
    if (price.combinations > TICKET_COMBINATIONS_MAX) return "more than 10000000 combinations";
    chance = PlaceChance(races[0], sets, 0, 0, 0);
  }
  const int edge = std::clamp(races[0].edge, 0, 100);
  for (const Candidate& candidate : kept.Sorted()) {
    ExoticCombination& line = price.listed.emplace_back();
    std::copy(candidate.rows, candidate.rows + POSITION_MAX, line.rows);
    Figure(Fraction(NaturalOf(candidate.num), NaturalOf(candidate.den)), ticket.baseCents, edge,
           line.chance, line.fair, line.needs);
  }
  const long long cost = price.combinations * ticket.baseCents;
  price.cost = FormatScaled(Natural(static_cast<std::uint64_t>(cost)), 2);
  Figure(chance, cost, edge, price.chance, price.fair, price.needs);
  return nullptr;
}

std::string CombinationRows(const ExoticCombination& combination, int positions) {
  std::string rows;
  for (int m = 0; m < positions; ++m) {
    if (m > 0) rows += '-';
    rows += std::to_string(combination.rows[m] + 1);
  }
  return rows;
}

std::string FormatTicketTable(const TicketPrice& price, int positions, const char* eol,
                              CombinationName name, const void* context) {
  static constexpr TableColumn COLUMNS[] = {{"Combination", CellKind::TEXT},
                                            {"Chance", CellKind::PERCENT},
                                            {"Fair", CellKind::PLAIN},
                                            {"Needs", CellKind::PLAIN}};
  static constexpr TableColumn SUMMARY[] = {{"", CellKind::PLAIN}, {"", CellKind::PERCENT}};
  std::string text;
  // Measured first, then written: a TextBuilder counts what does not fit.
  for (std::size_t size = 0;;) {
    text.assign(size, '\0');
    TextBuilder builder(size == 0 ? nullptr : text.data(), size);
    TableText table(builder, eol);
    table.Header(COLUMNS, 4);
    for (const ExoticCombination& combination : price.listed) {
      const std::string rows =
          name ? name(combination, positions, context) : CombinationRows(combination, positions);
      const char* const cells[] = {rows.c_str(), combination.chance.c_str(),
                                   combination.fair.c_str(), combination.needs.c_str()};
      table.Row(COLUMNS, cells, 4);
    }
    const long long more = price.combinations - static_cast<long long>(price.listed.size());
    const std::string moreText = std::to_string(more);
    if (more > 0) {
      const char* const cells[] = {"More", moreText.c_str()};
      table.Row(SUMMARY, cells, 2);
    }
    const std::string count = std::to_string(price.combinations);
    const char* const rows[][2] = {{"Combinations", count.c_str()},
                                   {"Cost", price.cost.c_str()},
                                   {"Chance", price.chance.c_str()},
                                   {"Fair", price.fair.c_str()},
                                   {"Needs", price.needs.c_str()}};
    for (const auto& row : rows) table.Row(SUMMARY, row, 2);
    table.End();
    if (size != 0) break;
    size = static_cast<std::size_t>(builder.Length()) + 1;
  }
  text.pop_back();  // the NUL
  return text;
}

std::string PositionName(BetType type, int m) {
  static const char* const PLACES[] = {"1st", "2nd", "3rd", "4th"};
  if (InfoOf(type).legs) return "Leg " + std::to_string(m + 1);
  return m >= 0 && m < 4 ? PLACES[m] : "";
}

std::string PositionHeading(BetType type, int m, int race) {
  if (!InfoOf(type).legs) return PositionName(type, m);
  return PositionName(type, m) + ": race " + std::to_string(race);
}

std::string HorseLabel(const HorseIdentity* horses, int row) {
  if (!horses || horses[row].program[0] == '\0') return std::to_string(row + 1);
  char part[3 * PROGRAM_MAX + 1];
  TextBuilder text(part, sizeof part);
  AddIdentityPart(text, horses[row].program);
  return part;
}

namespace {

// 24024 as "24,024".
std::string Grouped(long long n) {
  std::string digits = std::to_string(n);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, ',');
  return digits;
}

}  // namespace

std::string TicketSummary(const TicketPrice& price) {
  const char* const dot = " \xC2\xB7 ";
  std::string summary = Grouped(price.combinations) +
                        (price.combinations == 1 ? " combination" : " combinations") + dot +
                        "Cost $" + price.cost + dot + "Chance " + price.chance;
  if (!price.fair.empty()) summary += dot + std::string("Fair $") + price.fair;
  if (!price.needs.empty()) summary += dot + std::string("Needs $") + price.needs;
  return summary;
}

std::string TicketListed(const TicketPrice& price) {
  if (price.combinations <= static_cast<long long>(price.listed.size())) return "";
  return "The " + Grouped(static_cast<long long>(price.listed.size())) + " most likely of " +
         Grouped(price.combinations) + " are listed.";
}

ExoticRace RaceOfCard(Card& card, DialogSurface& surface, int r, int& horses) {
  if (r == card.shown) {
    horses = ReadFieldSize(surface);
    return ExoticRaceOf(surface, ShownRace(card).tote.edge);
  }
  const Race* race = FindRace(card, r);
  HeadlessSurface controls(RaceState(card, surface, r));
  horses = ReadFieldSize(controls);
  return ExoticRaceOf(controls, race ? race->tote.edge : 0);
}

std::string CombinationHorses(const Card& card, BetType type,
                              const ExoticCombination& combination) {
  const BetTypeInfo& info = InfoOf(type);
  std::string text;
  for (int m = 0; m < info.positions; ++m) {
    const Race* race = FindRace(card, card.shown + (info.legs ? m : 0));
    if (m > 0) text += '-';
    text += HorseLabel(race ? race->horses : nullptr, combination.rows[m]);
  }
  return text;
}

namespace {

struct Named {
  const Card* card;
  BetType type;
};
std::string NameByCard(const ExoticCombination& combination, int /*positions*/,
                       const void* context) {
  const auto& named = *static_cast<const Named*>(context);
  return CombinationHorses(*named.card, named.type, combination);
}

}  // namespace

CopiedTable CopyTicketTable(const Card& card, BetType type, const TicketPrice& price,
                            const char* eol) {
  const Named named{&card, type};
  const int positions = InfoOf(type).positions;
  return {FormatTicketTable(price, positions, eol, NameByCard, &named),
          FormatTicketTable(price, positions, nullptr, NameByCard, &named)};
}

std::string WithoutMnemonic(const std::string& label) {
  std::string shown;
  for (const char c : label) {
    shown += c;
    if (c == '&') shown += '&';
  }
  return shown;
}

const char* TicketIncomplete(const Card& card, const Ticket& ticket) {
  const BetTypeInfo& info = InfoOf(ticket.type);
  for (int leg = 0; info.legs && leg < info.positions; ++leg) {
    const int r = card.shown + leg;
    if (r > RACE_MAX || !FindRace(card, r)) return "The card does not hold every leg's race.";
  }
  for (int m = 0; m < info.positions; ++m) {
    if (ticket.sets[m] == 0) return "Choose at least one horse for each position.";
  }
  return nullptr;
}
