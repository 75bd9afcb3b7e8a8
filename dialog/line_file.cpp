// Line files: writing, strict reading and the state they carry; see line_file.h.
#include "dialog/line_file.h"

#include <algorithm>
#include <vector>

#include "dialog/codepage.h"
#include "dialog/file_io.h"

namespace {

const char MAGIC[] = "oddsmith line";
const char COLUMNS_V1[] = "horse\todds\tto win\tbar\tmin\tmax\tarrows\tlock\tscr";
const char COLUMNS[] = "horse\todds\tto win\tbar\tmin\tmax\tarrows\tlock\tscr\ttote";
constexpr int ROW_FIELDS_V1 = 9;
constexpr int ROW_FIELDS = 10;     // version 2 adds the tote text
constexpr int BAR_UNIT = 90;       // a bar's maximum is 90 times the line
constexpr int BAR_MAX = 900 * 90;  // at the highest line
constexpr int FIRST_ROW_LINE = 5;  // the file's line of horse 1
const char HEX_DIGITS[] = "0123456789ABCDEF";

bool IsUndefinedByte(unsigned char byte) {
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendText(std::string& out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F || IsUndefinedByte(byte)) {
      out += "\\x";
      out += HEX_DIGITS[byte >> 4];
      out += HEX_DIGITS[byte & 15];
    } else if (byte < 0x80) {
      out += c;
    } else {
      AppendUtf8(out, Cp1252ToUtf16(byte));
    }
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The next UTF-8 character of field at at; false for bytes that are not UTF-8 (overlong
// forms, surrogates and values past U+10FFFF included).
bool NextUtf8(std::string_view field, std::size_t& at, char32_t& c) {
  const auto lead = static_cast<unsigned char>(field[at]);
  int length;
  char32_t least;
  if (lead < 0x80) {
    c = lead;
    ++at;
    return true;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, least = 0x80, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, least = 0x800, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, least = 0x10000, c = lead & 0x07;
  } else {
    return false;
  }
  if (field.size() - at < static_cast<std::size_t>(length)) return false;
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(field[at + i]);
    if ((next & 0xC0) != 0x80) return false;
    c = c << 6 | (next & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  at += static_cast<std::size_t>(length);
  return true;
}

// A field's text as the dialog's bytes: escapes undone, characters through the code page as
// typing them would go (best fit, else "?"; a character beyond U+FFFF is two UTF-16 units and
// so two bytes). Returns an error text, or nullptr.
const char* ReadText(std::string_view field, std::string& text) {
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
    } else if (c < 0x80) {
      text += static_cast<char>(c);
    } else if (c <= 0xFFFF) {
      text += static_cast<char>(Cp1252FromUtf16(static_cast<char16_t>(c)));
    } else {
      text += "??";
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

std::vector<std::string_view> Split(std::string_view line) {
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

// One "horse" row of a file of version, and its tote text; returns an error text, or nullptr.
const char* ReadRow(const std::vector<std::string_view>& fields, int version, int horse,
                    RowState& row, ToteState& tote) {
  if (version == 1 && fields.size() != ROW_FIELDS_V1) return "a horse row has 9 fields";
  if (version > 1 && fields.size() != ROW_FIELDS) return "a horse row has 10 fields";
  int number = 0;
  if (!ReadNumber(fields[0], number) || number < 1 || number > ROW_COUNT) {
    return "a horse number from 1 to 14 expected";
  }
  if (number < horse) return "a horse listed twice or out of order";
  if (number > horse) return "a horse missing: the rows go 1 to 14 in order";
  if (const char* error = ReadText(fields[1], row.odds)) return error;
  if (const char* error = ReadText(fields[2], row.win)) return error;
  if (!ReadNumber(fields[3], row.pos) || !ReadNumber(fields[4], row.min) ||
      !ReadNumber(fields[5], row.max)) {
    return "a bar's position and range are whole numbers";
  }
  if (row.min != 0 || row.max > BAR_MAX || row.max % BAR_UNIT != 0) {
    return "a bar's range is 0..0 or 0..90 times a line of 1 to 900";
  }
  if (row.pos > row.max) return "a bar's position lies outside its range";
  if (!ReadFlag(fields[6], row.arrows) || !ReadFlag(fields[7], row.lock) ||
      !ReadFlag(fields[8], row.scratched)) {
    return "arrows, lock and scr are 0 or 1";
  }
  if (version > 1) {
    std::string text;
    if (const char* error = ReadText(fields[9], text)) return error;
    if (text.size() > TOTE_TEXT_MAX) return "a tote text longer than 32 bytes";
    SetToteText(tote, horse - 1, text);
  }
  return nullptr;
}

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

std::string ReadControlText(DialogSurface& surface, int id) {
  std::string text(FIELD_TEXT_MAX + 1, '\0');
  text.resize(static_cast<std::size_t>(
      surface.ReadText(id, text.data(), static_cast<int>(FIELD_TEXT_MAX + 1))));
  return text;
}

}  // namespace

LineState ReadLineState(DialogSurface& surface, const ToteState& tote) {
  LineState state;
  state.tote = tote;
  state.line = ReadControlText(surface, IDC_LINE);
  state.horses = ReadControlText(surface, IDC_HORSES);
  for (int i = 0; i < ROW_COUNT; ++i) {
    RowState& row = state.rows[i];
    row.odds = ReadControlText(surface, IDC_ODDS + i);
    row.win = ReadControlText(surface, IDC_WIN_PCT + i);
    row.pos = surface.BarPos(IDC_POOL_BAR + i);
    row.min = surface.BarMin(IDC_POOL_BAR + i);
    row.max = surface.BarMax(IDC_POOL_BAR + i);
    row.arrows = surface.BarArrowsEnabled(IDC_POOL_BAR + i);
    row.lock = surface.IsChecked(IDC_LOCK + i);
    row.scratched = surface.IsChecked(IDC_SCRATCH + i);
  }
  return state;
}

void ShowLineState(DialogSurface& surface, const LineState& state) {
  surface.WriteText(IDC_LINE, state.line.c_str());
  surface.WriteText(IDC_HORSES, state.horses.c_str());
  for (int i = 0; i < ROW_COUNT; ++i) {
    const RowState& row = state.rows[i];
    surface.WriteText(IDC_ODDS + i, row.odds.c_str());
    surface.WriteText(IDC_WIN_PCT + i, row.win.c_str());
    surface.SetBarRange(IDC_POOL_BAR + i, row.min, row.max);
    surface.SetBarPos(IDC_POOL_BAR + i, row.pos);
    // Last: setting a range enables a bar's arrows on Windows.
    surface.EnableBarArrows(IDC_POOL_BAR + i, row.arrows);
    surface.SetChecked(IDC_LOCK + i, row.lock);
    surface.SetChecked(IDC_SCRATCH + i, row.scratched);
  }
}

std::string FormatLineFile(const LineState& state) {
  std::string out = std::string(MAGIC) + '\t' + std::to_string(LINE_FILE_VERSION) + '\n';
  out += "line\t";
  AppendText(out, state.line);
  out += "\nhorses\t";
  AppendText(out, state.horses);
  out += '\n';
  out += COLUMNS;
  out += '\n';
  for (int i = 0; i < ROW_COUNT; ++i) {
    const RowState& row = state.rows[i];
    out += std::to_string(i + 1) + '\t';
    AppendText(out, row.odds);
    out += '\t';
    AppendText(out, row.win);
    out += '\t' + std::to_string(row.pos) + '\t' + std::to_string(row.min) + '\t' +
           std::to_string(row.max) + '\t' + (row.arrows ? '1' : '0') + '\t' +
           (row.lock ? '1' : '0') + '\t' + (row.scratched ? '1' : '0') + '\t';
    AppendText(out, ToteText(state.tote, i));
    out += '\n';
  }
  // An edge out of range would make a file that cannot be opened; the figures take the nearer
  // end, and so does the file.
  out += "edge\t" + std::to_string(std::clamp(state.tote.edge, 0, EDGE_MAX)) + "\nend\n";
  return out;
}

bool ParseLineFile(std::string_view bytes, LineState& state, LineFileError& error) {
  const auto fail = [&error](int line, const char* reason) {
    error = {line, reason};
    return false;
  };
  state.tote = ToteState();  // what a version-1 file opens with
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (bytes.empty()) return fail(0, "the file is empty");
  std::vector<std::string_view> lines;
  const bool whole = SplitLines(bytes, lines);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find('\0') != std::string_view::npos) {
      return fail(static_cast<int>(i + 1), "a NUL byte");
    }
  }
  const std::vector<std::string_view> first = Split(lines[0]);
  if (first[0] != MAGIC &&
      (whole || lines.size() > 1 || !std::string_view(MAGIC).starts_with(first[0]))) {
    return fail(1, "not an Oddsmith line file");
  }
  // A last line without its line end was cut off in the middle: it counts as missing.
  if (!whole) lines.pop_back();
  if (lines.empty()) return fail(1, "the file is cut short: its last line has no line end");
  int version = 0;
  if (first.size() != 2 || !ReadNumber(first[1], version) || version < 1) {
    return fail(1, "no version this program knows");
  }
  if (version > LINE_FILE_VERSION) {
    error = {1, "written by a later version of Oddsmith (line file version " +
                    std::to_string(version) + "); this version opens version " +
                    std::to_string(LINE_FILE_VERSION) + " and earlier"};
    return false;
  }
  const int count = static_cast<int>(lines.size());
  // The line every check is about; past the last line, the file was cut short.
  const auto line = [&](int number) -> const std::string_view* {
    return number <= count ? &lines[static_cast<std::size_t>(number - 1)] : nullptr;
  };
  const auto cutShort = [&](int number) {
    return fail(number, whole ? "the file is cut short: it ends before its end line"
                              : "the file is cut short: its last line has no line end");
  };
  const auto named = [&](int number, std::string_view name, std::string& text) -> bool {
    const std::string_view* at = line(number);
    if (!at) return cutShort(number);
    const std::size_t tab = at->find('\t');
    if (at->substr(0, tab) != name || tab == std::string_view::npos) {
      error = {number, std::string("\"") + std::string(name) + "\" and its text expected"};
      return false;
    }
    if (const char* reason = ReadText(at->substr(tab + 1), text)) return fail(number, reason);
    return true;
  };
  if (!named(2, "line", state.line) || !named(3, "horses", state.horses)) return false;
  if (!line(4)) return cutShort(4);
  if (*line(4) != (version == 1 ? COLUMNS_V1 : COLUMNS)) {
    return fail(4, "the column names of the horse rows expected");
  }
  for (int i = 0; i < ROW_COUNT; ++i) {
    const int number = FIRST_ROW_LINE + i;
    if (!line(number)) return cutShort(number);
    if (*line(number) == "end") return fail(number, "a horse missing: the rows go 1 to 14");
    if (const char* reason =
            ReadRow(Split(*line(number)), version, i + 1, state.rows[i], state.tote)) {
      return fail(number, reason);
    }
  }
  const std::size_t rowFields = version == 1 ? ROW_FIELDS_V1 : ROW_FIELDS;
  int end = FIRST_ROW_LINE + ROW_COUNT;
  if (version > 1) {
    if (!line(end)) return cutShort(end);
    const std::vector<std::string_view> fields = Split(*line(end));
    if (fields.size() == rowFields) return fail(end, "more than 14 horse rows");
    if (fields[0] != "edge" || fields.size() != 2) return fail(end, "the edge line expected");
    if (!ReadNumber(fields[1], state.tote.edge) || state.tote.edge > EDGE_MAX) {
      return fail(end, "an edge is a whole number from 0 to 100");
    }
    ++end;
  }
  if (!line(end)) return cutShort(end);
  if (*line(end) != "end") {
    return fail(end, Split(*line(end)).size() == rowFields ? "more than 14 horse rows"
                                                           : "the end line expected");
  }
  if (count > end) return fail(end + 1, "text after the end line");
  return true;
}

bool SaveLineFile(DialogSurface& surface, const ToteState& tote, const std::string& path,
                  std::string& error) {
  return WriteFileAtomically(path, FormatLineFile(ReadLineState(surface, tote)), error);
}

bool OpenLineFile(DialogSurface& surface, ToteState& tote, const std::string& path,
                  LineFileError& error) {
  std::string bytes;
  bool tooLarge = false;
  if (!ReadFileLimited(path, LINE_FILE_SIZE_MAX, bytes, error.reason, tooLarge)) {
    error.line = 0;
    return false;
  }
  LineState state;
  if (!ParseLineFile(bytes, state, error)) return false;
  ShowLineState(surface, state);
  tote = state.tote;
  return true;
}

bool SaveLineFile(DialogSurface& surface, const std::string& path, std::string& error) {
  return SaveLineFile(surface, ToteState(), path, error);
}

bool OpenLineFile(DialogSurface& surface, const std::string& path, LineFileError& error) {
  ToteState ignored;
  return OpenLineFile(surface, ignored, path, error);
}
