// Line files: writing, strict reading and the state they carry; see line_file.h.
#include "files/line_file.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "book/book.h"
#include "book/snapshot.h"
#include "files/file_io.h"
#include "text/codepage.h"

namespace {

const char MAGIC[] = "oddsmith line";
const char COLUMNS_V1[] = "horse\todds\tto win\tbar\tmin\tmax\tarrows\tlock\tscr";
const char COLUMNS_V2[] = "horse\todds\tto win\tbar\tmin\tmax\tarrows\tlock\tscr\ttote";
const char COLUMNS[] =
    "horse\todds\tto win\tbar\tmin\tmax\tarrows\tlock\tscr\ttote\tprogram\tname\tml";
// A horse row's fields in versions 1, 2 (the tote text), 3 (the identity) and 4.
constexpr std::size_t ROW_FIELDS[] = {9, 10, 13, 13};

// A text's bytes as the file has them: a backslash and the bytes no editor shows escaped,
// every other byte as its character in UTF-8.
void AppendText(std::string& out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F || IsUndefinedCp1252(byte)) {
      AppendHexEscape(out, byte, HexDigits::UPPER);
    } else {
      AppendUtf8FromCp1252(out, std::string_view(&c, 1));
    }
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A field's text as the dialog's bytes: escapes undone, characters through the code page as
// typing them would go (codepage.h, AppendCp1252). Returns an error text, or nullptr.
const char* ReadText(std::string_view field, std::string& text) {
  // Most texts are printable ASCII without a backslash: those are their own bytes.
  bool plain = field.size() <= FIELD_TEXT_MAX;
  for (std::size_t i = 0; plain && i < field.size(); ++i) {
    const auto byte = static_cast<unsigned char>(field[i]);
    plain = byte >= 0x20 && byte < 0x7F && byte != '\\';
  }
  if (plain) {
    text.assign(field);
    return nullptr;
  }
  text.clear();
  std::size_t at = 0;
  while (at < field.size()) {
    char32_t c;
    if (!NextUtf8(field, at, c)) return "bytes that are not UTF-8";
    if (c == '\\') {
      if (at < field.size() && field[at] == '\\') {
        text += '\\';
        ++at;
        continue;
      }
      if (field.size() - at < 3 || field[at] != 'x' || HexValue(field[at + 1]) < 0 ||
          HexValue(field[at + 2]) < 0) {
        return "a backslash that starts no escape (write \\\\ or \\xHH)";
      }
      const int byte = HexValue(field[at + 1]) * 16 + HexValue(field[at + 2]);
      if (byte == 0) return "a NUL byte in a text";
      text += static_cast<char>(byte);
      at += 3;
    } else if (c < 0x20 || c == 0x7F) {
      return "a control character that is not escaped";
    } else {
      AppendCp1252(text, c);
    }
    if (text.size() > FIELD_TEXT_MAX) return "a text longer than 32767 bytes";
  }
  return nullptr;
}

// A whole number of at most six digits, no sign.
bool ReadNumber(std::string_view field, int& value) {
  if (field.empty() || field.size() > 6) return false;
  value = 0;
  for (const char c : field) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool ReadFlag(std::string_view field, bool& value) {
  if (field != "0" && field != "1") return false;
  value = field == "1";
  return true;
}

// A line's tab-separated fields: the first MAX of them (more than a row has), and how many
// there are. Where each begins and ends, and nothing more, so that a row's many lines cost no
// more than their bytes.
class Fields {
 public:
  static constexpr std::size_t MAX = 14;
  explicit Fields(std::string_view line) : line_(line) {
    // Byte by byte: the fields are short, shorter than a call to find them is worth.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
      if (i < line.size() && line[i] != '\t') continue;
      if (count_ < MAX) {
        start_[count_] = start;
        end_[count_] = i;
      }
      ++count_;
      start = i + 1;
    }
  }
  std::size_t size() const { return count_; }
  std::string_view operator[](std::size_t i) const {
    return i < count_ && i < MAX ? line_.substr(start_[i], end_[i] - start_[i])
                                 : std::string_view();
  }

 private:
  std::string_view line_;
  std::size_t count_ = 0;
  std::size_t start_[MAX];  // set up to count_
  std::size_t end_[MAX];
};

Fields Split(std::string_view line) { return Fields(line); }

// The file's lines without their line ends; false when the last has none (a file cut short).
bool SplitLines(std::string_view bytes, std::vector<std::string_view>& lines) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back(bytes);
      return false;
    }
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    bytes.remove_prefix(end + 1);
  }
  return true;
}

// Reads a file section by section, each method taking the lines its section holds from the
// next one on and, on a refusal, leaving its line and reason in the error; a later version of
// the format adds a method.
class LineFileReader {
 public:
  LineFileReader(std::string_view bytes, LineFileError& error) : error_(error) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    bytes_ = bytes;
  }

  int Version() const { return version_; }

  // The first line: the format's name and a version this program reads.
  bool Header() {
    if (bytes_.empty()) return Fail(0, "the file is empty");
    whole_ = SplitLines(bytes_, lines_);
    // A file of another kind (a picture renamed, a spreadsheet's own) fails here, whatever
    // bytes it holds further on.
    Fields first = Split(lines_[0]);
    if (first[0] != MAGIC &&
        (whole_ || lines_.size() > 1 || !std::string_view(MAGIC).starts_with(first[0]))) {
      return Fail(1,
                  "not an Oddsmith line file: its first line is not \"oddsmith line\" and a "
                  "version");
    }
    if (const std::size_t nul = bytes_.find('\0'); nul != std::string_view::npos) {
      const auto before = bytes_.substr(0, nul);
      return Fail(static_cast<int>(std::count(before.begin(), before.end(), '\n') + 1),
                  "a NUL byte");
    }
    // A spreadsheet that saves the file back as tab-separated text gives every line as many
    // cells as its widest: empty ones after a line's last. No text holds a tab (it is written
    // "\x09"), so they go; a horse row's empty last fields come back as empty.
    const std::size_t third = lines_[0].find('\t', lines_[0].find('\t') + 1);
    padded_ = third != std::string_view::npos &&
              lines_[0].find_first_not_of('\t', third) == std::string_view::npos;
    if (padded_) {
      for (std::string_view& line : lines_) {
        const std::size_t last = line.find_last_not_of('\t');
        line = line.substr(0, last == std::string_view::npos ? 0 : last + 1);
      }
      first = Split(lines_[0]);
    }
    // A last line without its line end was cut off in the middle: it counts as missing.
    if (!whole_) lines_.pop_back();
    if (lines_.empty()) return Fail(1, "the file is cut short: its last line has no line end");
    if (first.size() != 2 || !ReadNumber(first[1], version_) || version_ < 1) {
      return Fail(1, "no version this program knows");
    }
    if (version_ > LINE_FILE_VERSION) {
      return Fail(1, "written by a later version of Oddsmith (line file version " +
                         std::to_string(version_) + "); this version opens version " +
                         std::to_string(LINE_FILE_VERSION) + " and earlier");
    }
    next_ = 2;
    return true;
  }

  // A line of name and its text, at most limit bytes of it (what is too long is called what).
  bool Text(std::string_view name, std::string& text, std::size_t limit = FIELD_TEXT_MAX,
            const char* what = nullptr) {
    const std::string_view* line = Take();
    if (!line) return CutShort();
    const std::size_t tab = line->find('\t');
    // Saved back by a spreadsheet, the line of an empty text has lost its tab with the cells.
    const bool bare = padded_ && tab == std::string_view::npos && *line == name;
    if (!bare && (line->substr(0, tab) != name || tab == std::string_view::npos)) {
      // Appended, not added up: GCC 12 at -O3 takes "\"" + name for an overlapping copy.
      std::string reason(1, '"');
      reason.append(name);
      reason += "\" and its text expected";
      return Fail(next_ - 1, std::move(reason));
    }
    const std::string_view field = bare ? std::string_view() : line->substr(tab + 1);
    if (const char* reason = ReadText(field, text)) return Fail(next_ - 1, reason);
    if (text.size() > limit) {
      return Fail(next_ - 1,
                  std::string(what) + " longer than " + std::to_string(limit) + " bytes");
    }
    return true;
  }

  // A race's first line, "race" and its number, above every number before it.
  bool Race(int after, int& number) {
    const std::string_view* line = Take();
    if (!line) return CutShort();
    const Fields fields = Split(*line);
    if (fields[0] != "race" || fields.size() != 2) return Fail(next_ - 1, "a race line expected");
    if (!ReadNumber(fields[1], number) || number < 1 || number > RACE_MAX) {
      return Fail(next_ - 1, "a race number from 1 to 40 expected");
    }
    if (number <= after) return Fail(next_ - 1, "a race listed twice or out of order");
    return true;
  }

  // Whether the next line starts another race.
  bool AnotherRace() const {
    return next_ <= static_cast<int>(lines_.size()) &&
           lines_[static_cast<std::size_t>(next_ - 1)].starts_with("race\t");
  }

  // The column names and the 14 horse rows under them, with each horse's tote text and
  // identity.
  bool Rows(RowState (&rows)[ROW_COUNT], ToteState& tote) {
    const std::string_view* names = Take();
    if (!names) return CutShort();
    const char* const columns[] = {COLUMNS_V1, COLUMNS_V2, COLUMNS, COLUMNS};
    if (*names != columns[version_ - 1]) {
      return Fail(next_ - 1, "the column names of the horse rows expected");
    }
    for (int i = 0; i < ROW_COUNT; ++i) {
      const std::string_view* line = Take();
      if (!line) return CutShort();
      if (*line == "end") return Fail(next_ - 1, "a horse missing: the rows go 1 to 14");
      if (const char* reason = Row(Split(*line), i, rows[i], tote)) return Fail(next_ - 1, reason);
    }
    return true;
  }

  // The card's bankroll (whole dollars, or an empty text for none) and Kelly fraction, from
  // version 4 on; earlier files keep the defaults they are given.
  bool Stakes(long long& bankroll, int& kelly) {
    if (version_ < 4) return true;
    std::string text;
    if (!Text("bankroll", text)) return false;
    if (!text.empty()) {
      int digits = 0;
      bankroll = 0;
      for (const char c : text) {
        if (c < '0' || c > '9' || ++digits > 8) {
          bankroll = BANKROLL_MAX + 1;
          break;
        }
        bankroll = bankroll * 10 + (c - '0');
      }
      if (bankroll > BANKROLL_MAX) {
        return Fail(next_ - 1,
                    "a bankroll is a whole number of dollars from 0 to 10000000, or "
                    "nothing");
      }
    }
    if (!Text("kelly", text)) return false;
    if (!ReadNumber(text, kelly) || kelly < KELLY_MIN || kelly > KELLY_MAX) {
      return Fail(next_ - 1, "a Kelly fraction is a whole number of percent from 1 to 100");
    }
    return true;
  }

  // A race's tote edge, from version 2 on.
  bool Edge(ToteState& tote) {
    if (version_ == 1) return true;
    const std::string_view* line = Take();
    if (!line) return CutShort();
    const Fields fields = Split(*line);
    if (fields.size() == RowFields()) return Fail(next_ - 1, "more than 14 horse rows");
    if (fields[0] != "edge" || fields.size() != 2) return Fail(next_ - 1, "the edge line expected");
    if (!ReadNumber(fields[1], tote.edge) || tote.edge > EDGE_MAX) {
      return Fail(next_ - 1, "an edge is a whole number from 0 to 100");
    }
    return true;
  }

  // The race shown, one of the state's.
  bool Current(const CardState& state, int& current) {
    const std::string_view* line = Take();
    if (!line) return CutShort();
    const Fields fields = Split(*line);
    if (fields[0] != "current" || fields.size() != 2) {
      return Fail(next_ - 1, "the current line expected");
    }
    bool held = false;
    if (ReadNumber(fields[1], current)) {
      for (const LineState& race : state.races) held = held || race.number == current;
    }
    if (!held) return Fail(next_ - 1, "the race shown is none of the file's races");
    return true;
  }

  // The end line, and nothing after it.
  bool End() {
    const std::string_view* line = Take();
    if (!line) return CutShort();
    if (*line != "end") {
      return Fail(next_ - 1, Split(*line).size() == RowFields() ? "more than 14 horse rows"
                                                                : "the end line expected");
    }
    // Empty lines after it, as an editor or a spreadsheet may leave, are nothing.
    for (int number = next_; number <= static_cast<int>(lines_.size()); ++number) {
      if (!lines_[static_cast<std::size_t>(number - 1)].empty()) {
        return Fail(number, "text after the end line");
      }
    }
    return true;
  }

 private:
  // The next line, or nullptr past the last one (the file was cut short); either way the
  // line after it comes next.
  const std::string_view* Take() {
    const int number = next_++;
    return number <= static_cast<int>(lines_.size()) ? &lines_[static_cast<std::size_t>(number - 1)]
                                                     : nullptr;
  }

  std::size_t RowFields() const { return ROW_FIELDS[version_ - 1]; }

  // Horse row i (0..13); returns an error text, or nullptr.
  const char* Row(const Fields& fields, int i, RowState& row, ToteState& tote) const {
    if (fields.size() != RowFields() && !(padded_ && fields.size() < RowFields())) {
      reason_ = "a horse row with " + std::to_string(fields.size()) + " fields, where a row of " +
                "version " + std::to_string(version_) + " has " + std::to_string(RowFields());
      return reason_.c_str();
    }
    int number = 0;
    if (!ReadNumber(fields[0], number) || number < 1 || number > ROW_COUNT) {
      return "a horse number from 1 to 14 expected";
    }
    if (number < i + 1) return "a horse listed twice or out of order";
    if (number > i + 1) return "a horse missing: the rows go 1 to 14 in order";
    if (const char* error = ReadText(fields[1], row.odds)) return error;
    if (const char* error = ReadText(fields[2], row.win)) return error;
    if (!ReadNumber(fields[3], row.pos) || !ReadNumber(fields[4], row.min) ||
        !ReadNumber(fields[5], row.max)) {
      return "a bar's position and range are whole numbers";
    }
    if (row.min != 0 || row.max > BarMaximum(LINE_MAX) ||
        row.max % BAR_UNITS_PER_LINE_PERCENT != 0) {
      return "a bar's range is 0..0 or 0..90 times a line of 1 to 900";
    }
    if (row.pos > row.max) return "a bar's position lies outside its range";
    if (!ReadFlag(fields[6], row.arrows) || !ReadFlag(fields[7], row.lock) ||
        !ReadFlag(fields[8], row.scratched)) {
      return "arrows, lock and scr are 0 or 1";
    }
    if (version_ > 1) {
      if (const char* error = ReadText(fields[9], scratch_)) return error;
      if (scratch_.size() > TOTE_TEXT_MAX) return "a tote text longer than 32 bytes";
      SetToteText(tote, i, scratch_);
    }
    if (version_ > 2) {
      if (const char* error = ReadPart(fields[10], row.horse.program)) {
        return error == TOO_LONG ? "a program number longer than 4 bytes" : error;
      }
      if (const char* error = ReadPart(fields[11], row.horse.name)) {
        return error == TOO_LONG ? "a name longer than 40 bytes" : error;
      }
      if (const char* error = ReadPart(fields[12], row.horse.ml)) {
        return error == TOO_LONG ? "a morning line longer than 8 bytes" : error;
      }
    }
    return nullptr;
  }

  // A part of an identity, of at most N - 1 bytes; TOO_LONG for a longer one.
  static constexpr const char* TOO_LONG = "too long";
  template <std::size_t N>
  const char* ReadPart(std::string_view field, char (&part)[N]) const {
    if (const char* error = ReadText(field, scratch_)) return error;
    if (scratch_.size() >= N) return TOO_LONG;
    SetFixedText(part, scratch_);
    return nullptr;
  }

  bool Fail(int line, std::string reason) {
    error_ = {line, std::move(reason)};
    return false;
  }

  // The line just taken is missing.
  bool CutShort() {
    return Fail(next_ - 1, whole_ ? "the file is cut short: it ends before its end line"
                                  : "the file is cut short: its last line has no line end");
  }

  LineFileError& error_;
  mutable std::string scratch_;  // a text on its way to where it is kept; its room reused
  mutable std::string reason_;   // a refusal made up of the file's own figures
  bool padded_ = false;          // saved back by a spreadsheet (Header)
  std::string_view bytes_;
  std::vector<std::string_view> lines_;
  bool whole_ = true;
  int version_ = 0;
  int next_ = 1;  // the number of the line the next section starts at
};

}  // namespace

std::string LineFileFailure(LineFileAction action, std::string_view path,
                            const LineFileError& error, bool sentence) {
  std::string message = action == LineFileAction::SAVE   ? "cannot save \""
                        : action == LineFileAction::OPEN ? "cannot open \""
                                                         : "cannot import \"";
  if (sentence) message[0] = 'C';
  message += path;
  message += "\": ";
  if (error.line > 0) message += "line " + std::to_string(error.line) + ": ";
  return message + error.reason;
}

LineState LineStateOf(Card& card, DialogSurface& surface, int r) {
  const Race& race = *FindRace(card, r);
  const DialogSnapshot shown = RaceState(card, surface, r);
  LineState state;
  state.number = r;
  state.label = race.label;
  state.tote = race.tote;
  state.line = shown[IDC_LINE].text;
  state.horses = shown[IDC_HORSES].text;
  for (int i = 0; i < ROW_COUNT; ++i) {
    RowState& row = state.rows[i];
    const ControlState& bar = shown[IDC_POOL_BAR + i];
    row.odds = shown[IDC_ODDS + i].text;
    row.win = shown[IDC_WIN_PCT + i].text;
    row.pos = bar.pos;
    row.min = bar.min;
    row.max = bar.max;
    row.arrows = bar.arrows;
    row.lock = shown[IDC_LOCK + i].checked;
    row.scratched = shown[IDC_SCRATCH + i].checked;
    row.horse = race.horses[i];
  }
  return state;
}

CardState CardStateOf(Card& card, DialogSurface& surface) {
  CardState state;
  state.track = card.track;
  state.date = card.date;
  state.bankroll = card.money.bankroll;
  state.kelly = card.money.kelly;
  state.current = card.shown;
  for (int r = 1; r <= RACE_MAX; ++r) {
    if (FindRace(card, r)) state.races.push_back(LineStateOf(card, surface, r));
  }
  return state;
}

DialogSnapshot SnapshotOf(const LineState& state) {
  DialogSnapshot shown = StartSnapshot();
  shown[IDC_LINE].text = state.line;
  shown[IDC_HORSES].text = state.horses;
  for (int i = 0; i < ROW_COUNT; ++i) {
    const RowState& row = state.rows[i];
    ControlState& bar = shown[IDC_POOL_BAR + i];
    shown[IDC_ODDS + i].text = row.odds;
    shown[IDC_WIN_PCT + i].text = row.win;
    bar.pos = row.pos;
    bar.min = row.min;
    bar.max = row.max;
    bar.arrows = row.arrows;
    shown[IDC_LOCK + i].checked = row.lock;
    shown[IDC_SCRATCH + i].checked = row.scratched;
  }
  return shown;
}

void ShowCardState(const CardState& state, Card& card, DialogSurface& surface) {
  Card opened;
  SetFixedText(opened.track, state.track);
  SetFixedText(opened.date, state.date);
  opened.money.bankroll = state.bankroll;
  opened.money.kelly = state.kelly;
  opened.races[0].reset();  // the races are the file's
  for (const LineState& line : state.races) {
    auto& held = opened.races[line.number - 1];
    held = std::make_unique<Race>();
    Race& race = *held;
    SetFixedText(race.label, line.label);
    race.shown = SnapshotOf(line);
    race.tote = line.tote;
    for (int i = 0; i < ROW_COUNT; ++i) {
      race.horses[i] = line.rows[i].horse;
    }
  }
  opened.shown = state.current;
  ShowSnapshot(surface, ShownRace(opened).shown);
  card = std::move(opened);
}

std::string FormatLineFile(const CardState& state) {
  std::string out = std::string(MAGIC) + '\t' + std::to_string(LINE_FILE_VERSION) + '\n';
  const auto text = [&out](const char* name, std::string_view value) {
    out += name;
    out += '\t';
    AppendText(out, value);
    out += '\n';
  };
  text("track", state.track);
  text("date", state.date);
  // Out of range would make a file that cannot be opened: the nearer end, as the figures take.
  out += "bankroll\t";
  if (state.bankroll >= 0) out += std::to_string(std::min(state.bankroll, BANKROLL_MAX));
  out += "\nkelly\t" + std::to_string(std::clamp(state.kelly, KELLY_MIN, KELLY_MAX)) + '\n';
  for (const LineState& race : state.races) {
    out += "race\t" + std::to_string(race.number) + '\n';
    text("label", race.label);
    text("line", race.line);
    text("horses", race.horses);
    out += COLUMNS;
    out += '\n';
    for (int i = 0; i < ROW_COUNT; ++i) {
      const RowState& row = race.rows[i];
      out += std::to_string(i + 1) + '\t';
      AppendText(out, row.odds);
      out += '\t';
      AppendText(out, row.win);
      out += '\t' + std::to_string(row.pos) + '\t' + std::to_string(row.min) + '\t' +
             std::to_string(row.max) + '\t' + (row.arrows ? '1' : '0') + '\t' +
             (row.lock ? '1' : '0') + '\t' + (row.scratched ? '1' : '0');
      for (const std::string_view field :
           {ToteText(race.tote, i), std::string_view(row.horse.program),
            std::string_view(row.horse.name), std::string_view(row.horse.ml)}) {
        out += '\t';
        AppendText(out, field);
      }
      out += '\n';
    }
    // An edge out of range would make a file that cannot be opened; the figures take the
    // nearer end, and so does the file.
    out += "edge\t" + std::to_string(std::clamp(race.tote.edge, 0, EDGE_MAX)) + '\n';
  }
  out += "current\t" + std::to_string(state.current) + "\nend\n";
  return out;
}

bool ParseLineFile(std::string_view bytes, CardState& state, LineFileError& error) {
  state = CardState();
  LineFileReader file(bytes, error);
  if (!file.Header()) return false;
  const bool card = file.Version() >= 3;
  if (card && !(file.Text("track", state.track, TRACK_MAX, "a track") &&
                file.Text("date", state.date, DATE_MAX, "a date") &&
                file.Stakes(state.bankroll, state.kelly))) {
    return false;
  }
  int number = 0;
  state.races.reserve(16);  // a day's card, without the room of every race there could be
  do {
    // As a file of version 1 opens it: an empty tote at the first edge.
    LineState& race = state.races.emplace_back();
    if (card &&
        !(file.Race(number, race.number) && file.Text("label", race.label, LABEL_MAX, "a label"))) {
      return false;
    }
    if (!(file.Text("line", race.line) && file.Text("horses", race.horses) &&
          file.Rows(race.rows, race.tote) && file.Edge(race.tote))) {
      return false;
    }
    number = race.number;
  } while (card && file.AnotherRace());
  state.current = state.races.front().number;
  return (!card || file.Current(state, state.current)) && file.End();
}

bool SaveLineFile(DialogSurface& surface, Card& card, const std::string& path,
                  LineFileError& error) {
  error.line = 0;
  return WriteFileAtomically(path, FormatLineFile(CardStateOf(card, surface)), error.reason);
}

bool ReadLineFile(const std::string& path, CardState& state, LineFileError& error) {
  std::string bytes;
  bool tooLarge = false;
  if (!ReadFileLimited(path, LINE_FILE_SIZE_MAX, bytes, error.reason, tooLarge)) {
    error.line = 0;
    return false;
  }
  return ParseLineFile(bytes, state, error);
}

bool OpenLineFile(DialogSurface& surface, Card& card, const std::string& path,
                  LineFileError& error) {
  CardState state;
  if (!ReadLineFile(path, state, error)) return false;
  ShowCardState(state, card, surface);
  return true;
}
