// Reads event scripts line by line and applies them to a ScriptTarget.
#include "dialog/script.h"

#include "book/book.h"
#include "book/tote.h"
#include "dialog/dispatch.h"

namespace {

constexpr int STATUS_BAD_LINE = 2;

// Reads one line without its LF (and the CR of a CR LF); false at the end of the input.
bool ReadLine(std::FILE* in, std::string& line) {
  line.clear();
  int c;
  while ((c = std::getc(in)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
  if (c == EOF && line.empty()) return false;
  if (c == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// A number of plain decimal digits, leading zeros allowed; false for anything else. Values
// past the int range come back as -1, which no control, code or position accepts.
bool ParseNumber(std::string_view word, long long& value) {
  if (word.empty()) return false;
  value = 0;
  for (const char c : word) {
    if (c < '0' || c > '9') return false;
    if (value >= 0) value = value * 10 + (c - '0');
    if (value > 2147483647) value = -1;
  }
  return true;
}

void AppendShow(ScriptTarget& target, std::string& out) {
  auto field = [&](const char* name, int id) {
    out += name;
    out += ' ';
    AppendQuoted(out, target.Text(id));
    out += target.Modified(id) ? " mod=1\n" : " mod=0\n";
  };
  field("line", IDC_LINE);
  field("horses", IDC_HORSES);
  for (int i = 0; i < ROW_COUNT; ++i) {
    const int bar = IDC_POOL_BAR + i;
    out += "row " + std::to_string(i + 1) + " odds ";
    AppendQuoted(out, target.Text(IDC_ODDS + i));
    out += target.Modified(IDC_ODDS + i) ? " mod=1" : " mod=0";
    out += " win ";
    AppendQuoted(out, target.Text(IDC_WIN_PCT + i));
    out += " bar " + std::to_string(target.BarPos(bar)) + ' ' + std::to_string(target.BarMin(bar)) +
           ".." + std::to_string(target.BarMax(bar));
    out += target.ArrowsEnabled(bar) ? " arrows=1" : " arrows=0";
    out += target.Checked(IDC_LOCK + i) ? " lock=1" : " lock=0";
    out += target.Checked(IDC_SCRATCH + i) ? " scr=1\n" : " scr=0\n";
  }
  out += '\n';
}

const char NO_TOTE[] = "this dialog keeps no tote";

// "tote K TEXT", "tote K", "tote clear", "tote table" and "tote list"; returns an error text,
// or nullptr when taken.
const char* ApplyTote(ScriptTarget& target, std::string_view rest, bool hasRest, std::string& out) {
  if (!hasRest) return "missing argument";
  const std::size_t end = rest.find(' ');
  const std::string_view word = rest.substr(0, end);
  const ToteState* tote = target.Tote();
  if (word == "table" || word == "list" || word == "clear") {
    if (end != std::string_view::npos) return "extra argument";
    if (!tote) return NO_TOTE;
    if (word == "clear") {
      ToteState cleared;
      cleared.edge = tote->edge;
      return target.SetTote(cleared) ? nullptr : NO_TOTE;
    }
    if (word == "table") {
      std::string table;
      if (!target.ToteTable(table)) return NO_TOTE;
      out += table;
    } else {
      for (int i = 0; i < ROW_COUNT; ++i) {
        out += "tote " + std::to_string(i + 1) + ' ';
        AppendQuoted(out, ToteText(*tote, i));
        out += '\n';
      }
      out += "edge " + std::to_string(tote->edge) + '\n';
    }
    out += '\n';
    return nullptr;
  }
  long long horse;
  if (!ParseNumber(word, horse)) return "not a number";
  if (horse < 1 || horse > ROW_COUNT) return "no horse number";
  if (!tote) return NO_TOTE;
  // The text is the rest of the line, spaces and all, as "type" takes it.
  ToteState changed = *tote;
  SetToteText(changed, static_cast<int>(horse - 1),
              end == std::string_view::npos ? std::string_view() : rest.substr(end + 1));
  return target.SetTote(changed) ? nullptr : NO_TOTE;
}

// Applies one non-empty, non-comment line; returns an error text, or nullptr when taken. A
// save or an open that fails is no bad line: its reason goes to fileError.
const char* Apply(ScriptTarget& target, std::string_view line, std::string& out,
                  std::string& fileError) {
  const std::size_t space = line.find(' ');
  const std::string_view command = line.substr(0, space);
  std::string_view rest =
      space == std::string_view::npos ? std::string_view() : line.substr(space + 1);

  if (command == "save" || command == "open") {
    // The path is the rest of the line, spaces and all.
    if (rest.empty()) return "missing path";
    const std::string path(rest);
    std::string reason;
    const bool save = command == "save";
    if (!(save ? target.SaveLine(path, reason) : target.OpenLine(path, reason))) {
      fileError = std::string(save ? "cannot save \"" : "cannot open \"") + path + "\": " + reason;
    }
    return nullptr;
  }

  if (command == "tote") return ApplyTote(target, rest, space != std::string_view::npos, out);

  if (command == "type") {
    if (space == std::string_view::npos) return "missing argument";
    const std::size_t end = rest.find(' ');
    long long id;
    if (!ParseNumber(rest.substr(0, end), id)) return "not a number";
    if (!IsEditField(id)) return "no edit control";
    target.Type(static_cast<int>(id),
                end == std::string_view::npos ? std::string_view() : rest.substr(end + 1));
    return nullptr;
  }

  // Every other command takes words separated by exactly one space.
  long long args[3];
  int count = 0;
  if (space != std::string_view::npos) {
    while (true) {
      const std::size_t end = rest.find(' ');
      if (count == 3) return "extra argument";
      if (!ParseNumber(rest.substr(0, end), args[count])) return "not a number";
      ++count;
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
  }
  auto arity = [&](int least, int most) -> const char* {
    if (count < least) return "missing argument";
    if (count > most) return "extra argument";
    return nullptr;
  };

  const char* error;
  if (command == "init" || command == "show" || command == "copy") {
    if ((error = arity(0, 0))) return error;
    if (command == "init") {
      target.Init();
    } else if (command == "show") {
      AppendShow(target, out);
    } else {
      out += target.CopiedLine();
      out += '\n';
    }
  } else if (command == "leave") {
    if ((error = arity(1, 1))) return error;
    if (!IsEditField(args[0])) return "no edit control";
    target.Leave(static_cast<int>(args[0]));
  } else if (command == "click") {
    if ((error = arity(1, 1))) return error;
    if (!IsCheckBox(args[0])) return "no check box";
    target.Click(static_cast<int>(args[0]));
  } else if (command == "scroll") {
    if ((error = arity(2, 3))) return error;
    if (!IsPoolBar(args[0])) return "no pool bar";
    if (args[1] < 0 || args[1] > SCROLL_ENDSCROLL) return "scroll code out of range";
    const bool thumb = args[1] == SCROLL_THUMBPOSITION || args[1] == SCROLL_THUMBTRACK;
    if (thumb && count < 3) return "missing position";
    if (count == 3 && args[2] < 0) return "position out of range";
    target.Scroll(static_cast<int>(args[0]), static_cast<unsigned>(args[1]),
                  thumb ? static_cast<int>(args[2]) : 0);
  } else if (command == "edge") {
    if ((error = arity(1, 1))) return error;
    if (args[0] < 0 || args[0] > EDGE_MAX) return "edge out of range";
    const ToteState* tote = target.Tote();
    if (!tote) return NO_TOTE;
    ToteState changed = *tote;
    changed.edge = static_cast<int>(args[0]);
    if (!target.SetTote(changed)) return NO_TOTE;
  } else if (command == "command") {
    if ((error = arity(1, 1))) return error;
    if (args[0] != CMD_OK && args[0] != CMD_CANCEL) return "no command identifier";
    target.Command(static_cast<int>(args[0]));
  } else {
    return "unknown command";
  }
  return nullptr;
}

}  // namespace

void AppendQuoted(std::string& out, std::string_view text) {
  static const char HEX_DIGITS[] = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7f) {
      out += "\\x";
      out += HEX_DIGITS[byte >> 4];
      out += HEX_DIGITS[byte & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

bool ScriptTarget::SaveLine(const std::string& /*path*/, std::string& error) {
  error = "this dialog keeps no files";
  return false;
}

bool ScriptTarget::OpenLine(const std::string& /*path*/, std::string& error) {
  error = "this dialog keeps no files";
  return false;
}

const ToteState* ScriptTarget::Tote() { return nullptr; }

bool ScriptTarget::SetTote(const ToteState& /*tote*/) { return false; }

bool ScriptTarget::ToteTable(std::string& /*table*/) { return false; }

int RunScript(ScriptTarget& target, std::FILE* in, std::FILE* out, std::FILE* err,
              const char* name) {
  std::string line;
  std::string printed;
  std::string fileError;
  bool fileFailed = false;
  // A failed save or open changes nothing and the script goes on; the status tells of it.
  const auto status = [&fileFailed](int code) {
    return code == 0 && fileFailed ? STATUS_FILE_FAILED : code;
  };
  for (long long number = 1; ReadLine(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    printed.clear();
    fileError.clear();
    const char* error = line.find('\0') != std::string::npos
                            ? "NUL byte in line"
                            : Apply(target, line, printed, fileError);
    if (error) {
      std::string quoted;
      AppendQuoted(quoted, line);
      std::fprintf(err, "%s: line %lld: %s: %s\n", name, number, error, quoted.c_str());
      std::fflush(out);
      return STATUS_BAD_LINE;
    }
    std::fwrite(printed.data(), 1, printed.size(), out);
    if (!fileError.empty()) {
      fileFailed = true;
      std::fflush(out);
      std::fprintf(err, "%s: line %lld: %s\n", name, number, fileError.c_str());
    }
    int code = 0;
    if (target.QuitPosted(code)) {
      std::fprintf(out, "exit %d\n", code);
      std::fflush(out);
      return status(code);
    }
  }
  std::fflush(out);
  return status(0);
}
