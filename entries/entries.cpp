// Reading a file of entries: its characters, its cells, and which of the two kinds it is.
#include "entries/entries.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "book/board.h"
#include "files/file_io.h"
#include "text/codepage.h"
#include "text/number.h"
#include "text/text.h"
#include "tote/tote.h"

namespace {

// The single-file format's fields used here, counted from 1 as the vendors document them.
constexpr std::size_t SF_TRACK = 1;
constexpr std::size_t SF_DATE = 2;
constexpr std::size_t SF_RACE = 3;
constexpr std::size_t SF_ENTRY = 5;
constexpr std::size_t SF_ALSO_ELIGIBLE = 41;
constexpr std::size_t SF_PROGRAM = 43;
constexpr std::size_t SF_ML = 44;
constexpr std::size_t SF_NAME = 45;
constexpr std::size_t SF_FIELDS_MIN = 45;
// A header's cells beyond these name no column: room for a line as wide as the single-file
// format's 1,435 fields and more, without keeping every cell of a line of millions.
constexpr std::size_t HEADER_CELLS_MAX = 2048;

// A table's columns, by what the header calls them.
enum Column { RACE, PROGRAM, NAME, ML, SCRATCHED, TRACK, DATE, COLUMN_COUNT };
struct ColumnName {
  const char* name;
  Column column;
};
constexpr ColumnName COLUMN_NAMES[] = {
    {"race", RACE}, {"program", PROGRAM},     {"#", PROGRAM},   {"pgm", PROGRAM},
    {"name", NAME}, {"horse name", NAME},     {"ml", ML},       {"morning line", ML},
    {"m/l", ML},    {"scratched", SCRATCHED}, {"track", TRACK}, {"date", DATE},
};
constexpr const char* COLUMN_TITLES[COLUMN_COUNT] = {"Race",      "Program", "Name", "ML",
                                                     "Scratched", "Track",   "Date"};
constexpr std::size_t NO_CELL = static_cast<std::size_t>(-1);

// True when bytes (after a byte-order mark) hold a character beyond ASCII and all of them are
// UTF-8: their cells then go through the code page's table. Otherwise they are code page 1252
// as they stand (ASCII is both).
bool IsUtf8Beyond(std::string_view bytes) {
  // Eight bytes at a time while they are ASCII: most files are ASCII throughout.
  std::size_t at = 0;
  for (std::uint64_t word; at + 8 <= bytes.size(); at += 8) {
    std::memcpy(&word, bytes.data() + at, 8);
    if (word & 0x8080808080808080u) break;
  }
  while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) ++at;
  if (at == bytes.size()) return false;
  while (at < bytes.size()) {
    char32_t c;
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
    } else if (!NextUtf8(bytes, at, c)) {
      return false;
    }
  }
  return true;
}

// Splits the text into records of cells at sep; a cell in double quotes may hold sep, doubled
// quotes and line ends. Only the first cells a record needs are kept; the rest are only counted,
// which is most of the work in a single-file line of 1,435 fields.
class CellReader {
 public:
  // text is UTF-8 with utf8, else code page 1252; either way its separators, quotes and line
  // ends are ASCII bytes, which no UTF-8 character holds, so the text is split as it stands and
  // each cell kept goes through the code page's table only then: a character whose best fit
  // is a comma or a quote (a fullwidth comma) never splits a cell.
  CellReader(std::string_view text, char sep, bool utf8) : text_(text), utf8_(utf8) {
    for (int byte = 0; byte < 256; ++byte) {
      const auto c = static_cast<unsigned char>(byte);
      kind_[c] = c < 0x20 || c == 0x7F || (!utf8 && IsUndefinedCp1252(c)) ? CONTROL
                 : c == ' '                                               ? BLANK
                                                                          : PLAIN;
    }
    kind_[static_cast<unsigned char>('"')] = QUOTE;
    kind_[static_cast<unsigned char>(sep)] = SEPARATOR;
    kind_[static_cast<unsigned char>('\n')] = LINE_END;
    kind_[static_cast<unsigned char>('\r')] = CR;
  }

  // The next record that is not an empty line: false at the end of the text. line is where it
  // starts; count how many cells it has, the first keep of them in cells (unquoted, cleaned);
  // with blank, whether every cell of it is empty.
  bool Next(std::vector<std::string>& cells, std::size_t keep, int& line, std::size_t& count,
            bool* blank) {
    for (;;) {
      if (at_ >= text_.size()) return false;
      if (!AtLineEnd(at_)) break;
      at_ += text_[at_] == '\r' ? 2 : 1;
      ++line_;
    }
    line = line_;
    count = 0;
    seen_ = false;
    for (;;) {
      if (count == keep) {
        count += SkipRest();
        break;
      }
      if (cells.size() <= count) cells.emplace_back();
      const bool more = Cell(&cells[count], blank != nullptr);
      ++count;
      if (!more) break;
    }
    if (blank) *blank = !seen_;
    return true;
  }

 private:
  // What a byte is to the reader; from SEPARATOR on, a byte that may end a cell.
  enum Kind : unsigned char { PLAIN, BLANK, CONTROL, QUOTE, SEPARATOR, LINE_END, CR };

  Kind KindAt(std::size_t at) const { return kind_[static_cast<unsigned char>(text_[at])]; }

  bool AtLineEnd(std::size_t at) const {
    const Kind kind = KindAt(at);
    return kind == LINE_END || (kind == CR && at + 1 < text_.size() && text_[at + 1] == '\n');
  }

  // The end of the unquoted run from at: its separator or line end, or the end of the text.
  std::size_t RunEnd(std::size_t at) const {
    for (; at < text_.size(); ++at) {
      if (KindAt(at) >= SEPARATOR && (KindAt(at) != CR || AtLineEnd(at))) break;
    }
    return at;
  }

  // Appends the bytes from..to to cell as code-page-1252 bytes, each control character a blank;
  // notes any text.
  void Take(std::size_t from, std::size_t to, std::string* cell, bool notice) {
    const std::size_t length = cell->size();
    if (utf8_) {
      // The whole text is UTF-8, and a cell never splits a character.
      const std::string_view run = text_.substr(from, to - from);
      for (std::size_t at = 0; at < run.size();) {
        char32_t c = static_cast<unsigned char>(run[at]);
        if (c < 0x80) {
          ++at;
        } else if (!NextUtf8(run, at, c)) {
          c = '?';
          ++at;
        }
        *cell += c < 0x80      ? static_cast<char>(c)
                 : c < 0x10000 ? static_cast<char>(Cp1252FromUtf16(static_cast<char16_t>(c)))
                               : '?';
      }
    } else {
      cell->append(text_.data() + from, to - from);
    }
    for (std::size_t i = length; i < cell->size(); ++i) {
      const auto byte = static_cast<unsigned char>((*cell)[i]);
      if (byte < 0x20 || byte == 0x7F || IsUndefinedCp1252(byte)) (*cell)[i] = ' ';
    }
    for (std::size_t at = from; notice && !seen_ && at < to; ++at) {
      seen_ = KindAt(at) == PLAIN || KindAt(at) == QUOTE || KindAt(at) == SEPARATOR;
    }
  }

  // Skips the rest of the record from at_, a cell's start, as Cell reads it; returns how many
  // cells it holds.
  std::size_t SkipRest() {
    std::size_t cells = 1;
    bool start = true;  // where a quote opens a quoted cell: blanks may come before it
    for (; at_ < text_.size(); ++at_) {
      const Kind kind = KindAt(at_);
      // Most bytes are a cell's own; a separator ends a cell every few of them.
      if (kind < QUOTE) {
        seen_ = seen_ || kind == PLAIN;
        start = start && kind == BLANK;
        continue;
      }
      if (kind == SEPARATOR) {
        ++cells;
        start = true;
        continue;
      }
      if (kind == QUOTE) {
        if (!start) {
          seen_ = true;
          continue;
        }
        // To the quote that ends it; a doubled quote is two quotes met one after the other.
        const void* found = std::memchr(text_.data() + at_ + 1, '"', text_.size() - at_ - 1);
        const std::size_t end =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data())
                  : text_.size();
        for (std::size_t at = at_ + 1; at < end; ++at) {
          line_ += text_[at] == '\n';
          seen_ = seen_ || KindAt(at) == PLAIN || KindAt(at) == SEPARATOR;
        }
        at_ = end;
        if (!found) return cells;
        start = at_ + 1 < text_.size() && text_[at_ + 1] == '"';
        continue;
      }
      if (AtLineEnd(at_)) return cells;
      start = false;  // a CR alone, a control character like any other
    }
    return cells;
  }

  // Reads one cell into cell; true when another cell of the record follows.
  bool Cell(std::string* cell, bool notice) {
    cell->clear();
    std::size_t start = at_;
    while (start < text_.size() && text_[start] == ' ') ++start;
    if (start < text_.size() && text_[start] == '"') {
      at_ = start + 1;
      while (at_ < text_.size()) {
        // The quoted text runs to the next quote that is not doubled.
        const void* found = std::memchr(text_.data() + at_, '"', text_.size() - at_);
        const std::size_t quote =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data())
                  : text_.size();
        for (std::size_t at = at_; at < quote; ++at) line_ += text_[at] == '\n';
        Take(at_, quote, cell, notice);
        at_ = quote + 1;
        if (at_ < text_.size() && text_[at_] == '"') {
          *cell += '"';
          ++at_;
          continue;
        }
        break;
      }
      at_ = std::min(at_, text_.size());
    }
    // What follows a quoted cell up to the separator is kept as written.
    const std::size_t end = RunEnd(at_);
    Take(at_, end, cell, notice);
    at_ = end;
    const std::string_view kept = TrimBlanks(*cell);
    if (kept.size() != cell->size()) *cell = std::string(kept);
    if (at_ < text_.size() && KindAt(at_) == SEPARATOR) {
      ++at_;
      return true;
    }
    return false;
  }

  std::string_view text_;
  bool utf8_;
  Kind kind_[256];
  std::size_t at_ = 0;
  int line_ = 1;
  bool seen_ = false;
};

bool Fail(LineFileError& error, int line, std::string reason) {
  error.line = line;
  error.reason = std::move(reason);
  return false;
}

std::string Quoted(std::string_view cell) {
  std::string quoted = "\"";
  AppendUtf8FromCp1252(quoted, cell.substr(0, 40));
  return quoted + (cell.size() > 40 ? "...\"" : "\"");
}

bool IsWholeNumber(std::string_view cell) {
  if (cell.empty()) return false;
  for (const char c : cell) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A race number, 1 to RACE_MAX, written in digits alone.
bool ReadRace(std::string_view cell, int& race) {
  if (!IsWholeNumber(cell) || cell.size() > 6) return false;
  race = static_cast<int>(ParseUnsigned(cell).value);
  return race >= 1 && race <= RACE_MAX;
}

// Keeps a track or a date the file names; a second, different one refuses the file.
bool KeepDayText(std::string& kept, std::string_view cell, std::size_t limit, const char* what,
                 int line, LineFileError& error) {
  cell = cell.substr(0, limit);
  if (cell.empty() || kept == cell) return true;
  if (kept.empty()) {
    kept.assign(cell);
    return true;
  }
  return Fail(error, line,
              std::string("a second ") + what + ", " + Quoted(cell) + " after " + Quoted(kept));
}

// The row's entry, once its race is read and it has a program number or a name.
bool AddEntry(EntryList& list, Entry& entry, std::string_view race, int line,
              LineFileError& error) {
  if (!ReadRace(race, entry.race)) {
    return Fail(error, line,
                "the race " + Quoted(race) + " is not a whole number from 1 to " +
                    std::to_string(RACE_MAX));
  }
  if (entry.horse.program[0] == '\0' && entry.horse.name[0] == '\0') {
    return Fail(error, line, "an entry with neither a program number nor a name");
  }
  list.entries.push_back(entry);
  return true;
}

// A morning line as the vendors write it, odds to one with decimals: the tote ladder's price
// where it is one exactly ("2.50" is 5-2), else as written; none for 0 or nothing.
void KeepMorningLine(char (&ml)[MORNING_LINE_MAX + 1], const std::string& cell) {
  const TotePrice price = ReadTotePrice(cell.c_str());
  if (price.read == ToteRead::NONE ||
      (price.read == ToteRead::INVALID && cell.find_first_not_of("0.") == std::string::npos)) {
    ml[0] = '\0';
    return;
  }
  BoardPrice on;
  if (price.read == ToteRead::PRICE && ToteLadderPrice(price, on)) {
    char text[MORNING_LINE_MAX + 1];
    TextBuilder built(text, sizeof text);
    built.AddPrice(on.a, on.b);
    SetFixedText(ml, text);
    return;
  }
  SetFixedText(ml, cell);
}

bool ReadSingleFile(CellReader& reader, EntryList& list, LineFileError& error) {
  std::vector<std::string> cells;
  int line = 0;
  std::size_t count = 0;
  bool blank = false;
  while (reader.Next(cells, SF_FIELDS_MIN, line, count, &blank)) {
    if (blank) continue;
    if (count < SF_FIELDS_MIN) {
      return Fail(error, line,
                  std::to_string(count) + (count == 1 ? " field" : " fields") +
                      " where the single-file format has 45 or more");
    }
    const auto field = [&cells](std::size_t k) -> const std::string& { return cells[k - 1]; };
    std::string date = field(SF_DATE);
    if (date.size() == 8 && IsWholeNumber(date)) {
      date.insert(6, 1, '-');
      date.insert(4, 1, '-');
    }
    if (!KeepDayText(list.track, field(SF_TRACK), TRACK_MAX, "track", line, error) ||
        !KeepDayText(list.date, date, DATE_MAX, "date", line, error)) {
      return false;
    }
    Entry entry;
    SetFixedText(entry.horse.program, field(SF_PROGRAM));
    SetFixedText(entry.horse.name, field(SF_NAME));
    KeepMorningLine(entry.horse.ml, field(SF_ML));
    entry.scratched = SameAsciiWord(field(SF_ENTRY), "S");
    entry.alsoEligible = SameAsciiWord(field(SF_ALSO_ELIGIBLE), "A");
    if (!AddEntry(list, entry, field(SF_RACE), line, error)) return false;
  }
  return true;
}

bool IsScratchMark(std::string_view cell) {
  for (const char* mark : {"y", "yes", "1", "s", "x"}) {
    if (SameAsciiWord(cell, mark)) return true;
  }
  return false;
}

bool ReadTable(CellReader& reader, const std::size_t (&at)[COLUMN_COUNT], EntryList& list,
               LineFileError& error) {
  std::size_t keep = 0;
  for (const std::size_t cell : at) {
    if (cell != NO_CELL && cell + 1 > keep) keep = cell + 1;
  }
  std::vector<std::string> cells;
  int line = 0;
  std::size_t count = 0;
  bool blank = false;
  while (reader.Next(cells, keep, line, count, &blank)) {
    static const std::string none;
    const auto cell = [&](Column column) -> const std::string& {
      return at[column] != NO_CELL && at[column] < count ? cells[at[column]] : none;
    };
    if (blank) continue;
    Entry entry;
    SetFixedText(entry.horse.program, cell(PROGRAM));
    SetFixedText(entry.horse.name, cell(NAME));
    SetFixedText(entry.horse.ml, cell(ML));
    entry.scratched = IsScratchMark(cell(SCRATCHED));
    if (!KeepDayText(list.track, cell(TRACK), TRACK_MAX, "track", line, error) ||
        !KeepDayText(list.date, cell(DATE), DATE_MAX, "date", line, error) ||
        !AddEntry(list, entry, cell(RACE), line, error)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool ParseEntries(std::string_view bytes, EntryList& list, LineFileError& error) {
  list = EntryList();
  if (const void* nul = std::memchr(bytes.data(), '\0', bytes.size())) {
    const std::string_view before(bytes.data(), static_cast<const char*>(nul) - bytes.data());
    int line = 1;
    for (const char c : before) line += c == '\n';
    return Fail(error, line, "a NUL byte");
  }
  std::string_view text = bytes;
  if (text.size() >= 3 && std::memcmp(text.data(), "\xEF\xBB\xBF", 3) == 0) text.remove_prefix(3);
  const bool utf8 = IsUtf8Beyond(text);

  // The first line that is not empty decides how the file is split and what it is.
  std::size_t first = 0;
  while (first < text.size() && (text[first] == '\n' || text[first] == '\r')) ++first;
  if (first == text.size()) return Fail(error, 0, "the file is empty");
  const std::size_t end = text.find('\n', first);
  const bool tabs =
      text.substr(first, end == std::string_view::npos ? end : end - first).find('\t') !=
      std::string_view::npos;

  CellReader header(text, tabs ? '\t' : ',', utf8);
  std::vector<std::string> cells;
  int line = 0;
  std::size_t count = 0;
  bool blank = false;
  header.Next(cells, HEADER_CELLS_MAX, line, count, &blank);
  std::size_t at[COLUMN_COUNT];
  for (std::size_t& cell : at) cell = NO_CELL;
  const char* twice = nullptr;
  for (std::size_t i = 0; i < count && i < HEADER_CELLS_MAX; ++i) {
    for (const ColumnName& name : COLUMN_NAMES) {
      if (!SameAsciiWord(cells[i], name.name)) continue;
      if (at[name.column] != NO_CELL && !twice) twice = COLUMN_TITLES[name.column];
      at[name.column] = i;
    }
  }
  if (at[RACE] != NO_CELL) {
    if (twice) {
      return Fail(error, line, std::string("the header names the ") + twice + " column twice");
    }
    if (at[PROGRAM] == NO_CELL && at[NAME] == NO_CELL) {
      return Fail(error, line, "the header names a Race column but neither Program nor Name");
    }
    if (!ReadTable(header, at, list, error)) return false;
  } else if (!tabs && count >= SF_FIELDS_MIN && IsWholeNumber(cells[SF_RACE - 1])) {
    CellReader reader(text, ',', utf8);
    if (!ReadSingleFile(reader, list, error)) return false;
  } else {
    return Fail(error, line,
                "neither a table with a header naming its Race column nor the single-file "
                "format");
  }
  if (list.entries.empty()) return Fail(error, 0, "the file lists no entries");
  return true;
}

bool ReadEntriesFile(const std::string& path, EntryList& list, LineFileError& error) {
  std::string bytes;
  bool tooLarge = false;
  if (!ReadFileLimited(path, ENTRIES_FILE_SIZE_MAX, bytes, error.reason, tooLarge)) {
    error.line = 0;
    if (tooLarge) error.reason = "the file is larger than 16 MiB";
    return false;
  }
  return ParseEntries(bytes, list, error);
}

std::string PasteFailure(const LineFileError& error) {
  std::string message = "Cannot paste entries: ";
  if (error.line > 0) message += "line " + std::to_string(error.line) + ": ";
  std::string_view reason = error.reason;
  constexpr std::string_view FILE_WORDS = "the file ";
  if (reason.substr(0, FILE_WORDS.size()) == FILE_WORDS) {
    message += "the clipboard ";
    reason.remove_prefix(FILE_WORDS.size());
  }
  return message += reason;
}
