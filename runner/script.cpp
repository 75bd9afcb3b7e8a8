// Reads event scripts line by line, each line through the table of commands.
#include "runner/script.h"

#include "dialog/dispatch.h"
#include "text/codepage.h"

namespace {

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

// What follows a command's word: the rest of the line after one space, if there is a space.
struct Rest {
  std::string_view text;
  bool given;  // a space followed the word
};

// Numbers separated by exactly one space, up to three of them.
struct Numbers {
  long long value[3];
  int count;
};

const char* ReadNumbers(const Rest& rest, int least, int most, Numbers& numbers) {
  numbers.count = 0;
  if (rest.given) {
    std::string_view words = rest.text;
    while (true) {
      const std::size_t end = words.find(' ');
      if (numbers.count == 3) return "extra argument";
      if (!ParseNumber(words.substr(0, end), numbers.value[numbers.count])) return "not a number";
      ++numbers.count;
      if (end == std::string_view::npos) break;
      words.remove_prefix(end + 1);
    }
  }
  if (numbers.count < least) return "missing argument";
  if (numbers.count > most) return "extra argument";
  return nullptr;
}

const char NO_TOTE[] = "this dialog keeps no tote";
const char NO_CARD[] = "this dialog keeps no card";
const char NO_HISTORY[] = "this dialog keeps no history";
const char* const NO_EDIT_CONTROL = "no edit control";
const char* const NO_CHECK_BOX = "no check box";

// The parse and the application of each command; a command's kind says which row applies it.
using Parse = const char* (*)(const Rest& rest, ScriptCommand& command);
using Apply = const char* (*)(ScriptTarget& target, const ScriptCommand& command,
                              CommandOutput& output);

const char* ParseBare(const Rest& rest, ScriptCommand& /*command*/) {
  Numbers none;
  return ReadNumbers(rest, 0, 0, none);
}

const char* ParseType(const Rest& rest, ScriptCommand& command) {
  if (!rest.given) return "missing argument";
  // The text is the rest of the line, spaces and all.
  const std::size_t end = rest.text.find(' ');
  long long id;
  if (!ParseNumber(rest.text.substr(0, end), id)) return "not a number";
  if (!IsEditField(id)) return NO_EDIT_CONTROL;
  command.id = static_cast<int>(id);
  command.text =
      end == std::string_view::npos ? std::string() : std::string(rest.text.substr(end + 1));
  return nullptr;
}

// One number that names a control of the kind accepted, else the error named.
template <bool (*Accepted)(long long), const char* const* Error>
const char* ParseControl(const Rest& rest, ScriptCommand& command) {
  Numbers numbers;
  if (const char* error = ReadNumbers(rest, 1, 1, numbers)) return error;
  if (!Accepted(numbers.value[0])) return *Error;
  command.id = static_cast<int>(numbers.value[0]);
  return nullptr;
}

const char* ParseScroll(const Rest& rest, ScriptCommand& command) {
  Numbers numbers;
  if (const char* error = ReadNumbers(rest, 2, 3, numbers)) return error;
  const long long* args = numbers.value;
  if (!IsPoolBar(args[0])) return "no pool bar";
  if (args[1] < 0 || args[1] > SCROLL_ENDSCROLL) return "scroll code out of range";
  const bool thumb = args[1] == SCROLL_THUMBPOSITION || args[1] == SCROLL_THUMBTRACK;
  if (thumb && numbers.count < 3) return "missing position";
  if (numbers.count == 3 && args[2] < 0) return "position out of range";
  command.id = static_cast<int>(args[0]);
  command.code = static_cast<unsigned>(args[1]);
  command.hasPos = numbers.count == 3;
  command.pos = command.hasPos ? static_cast<int>(args[2]) : 0;
  return nullptr;
}

const char* ParseCommandId(const Rest& rest, ScriptCommand& command) {
  Numbers numbers;
  if (const char* error = ReadNumbers(rest, 1, 1, numbers)) return error;
  if (numbers.value[0] != CMD_OK && numbers.value[0] != CMD_CANCEL) {
    return "no command identifier";
  }
  command.id = static_cast<int>(numbers.value[0]);
  return nullptr;
}

const char* ParsePath(const Rest& rest, ScriptCommand& command) {
  // The path is the rest of the line, spaces and all.
  if (rest.text.empty()) return "missing path";
  command.text = std::string(rest.text);
  return nullptr;
}

// "program K TEXT" and the like: a horse, then its text, the rest of the line after one space,
// spaces and all, as "type" takes it.
const char* ParseHorseText(const Rest& rest, ScriptCommand& command) {
  if (!rest.given) return "missing argument";
  const std::size_t end = rest.text.find(' ');
  long long horse;
  if (!ParseNumber(rest.text.substr(0, end), horse)) return "not a number";
  if (horse < 1 || horse > ROW_COUNT) return "no horse number";
  command.id = static_cast<int>(horse);
  command.text =
      end == std::string_view::npos ? std::string() : std::string(rest.text.substr(end + 1));
  return nullptr;
}

// "tote K TEXT", "tote K", "tote clear", "tote table" and "tote list".
const char* ParseTote(const Rest& rest, ScriptCommand& command) {
  if (!rest.given) return "missing argument";
  const std::size_t end = rest.text.find(' ');
  const std::string_view word = rest.text.substr(0, end);
  const std::pair<const char*, ScriptCommand::Kind> words[] = {{"clear", ScriptCommand::TOTE_CLEAR},
                                                               {"table", ScriptCommand::TOTE_TABLE},
                                                               {"list", ScriptCommand::TOTE_LIST}};
  for (const auto& [name, kind] : words) {
    if (word != name) continue;
    if (end != std::string_view::npos) return "extra argument";
    command.kind = kind;
    return nullptr;
  }
  return ParseHorseText(rest, command);
}

const char* ParseEdge(const Rest& rest, ScriptCommand& command) {
  Numbers numbers;
  if (const char* error = ReadNumbers(rest, 1, 1, numbers)) return error;
  if (numbers.value[0] < 0 || numbers.value[0] > EDGE_MAX) return "edge out of range";
  command.pos = static_cast<int>(numbers.value[0]);
  return nullptr;
}

// "bankroll [N]": whole dollars, 0 to BANKROLL_MAX, or none; "kelly N": 1 to 100 percent.
const char* ParseBankroll(const Rest& rest, ScriptCommand& command) {
  Numbers numbers;
  if (const char* error = ReadNumbers(rest, 0, 1, numbers)) return error;
  if (numbers.count == 1 && (numbers.value[0] < 0 || numbers.value[0] > BANKROLL_MAX)) {
    return "bankroll out of range";
  }
  command.pos = numbers.count == 1 ? static_cast<int>(numbers.value[0]) : -1;
  return nullptr;
}

const char* ParseKelly(const Rest& rest, ScriptCommand& command) {
  Numbers numbers;
  if (const char* error = ReadNumbers(rest, 1, 1, numbers)) return error;
  if (numbers.value[0] < KELLY_MIN || numbers.value[0] > KELLY_MAX)
    return "Kelly fraction out of range";
  command.pos = static_cast<int>(numbers.value[0]);
  return nullptr;
}

// "sheet W H": a page of whole points, from two inches to two hundred.
constexpr long long SHEET_PAGE_MIN = 144;
constexpr long long SHEET_PAGE_MAX = 14400;
const char* ParseSheet(const Rest& rest, ScriptCommand& command) {
  Numbers numbers;
  if (const char* error = ReadNumbers(rest, 2, 2, numbers)) return error;
  for (int n = 0; n < numbers.count; ++n) {
    if (numbers.value[n] < SHEET_PAGE_MIN || numbers.value[n] > SHEET_PAGE_MAX) {
      return "page size out of range";
    }
  }
  command.id = static_cast<int>(numbers.value[0]);
  command.pos = static_cast<int>(numbers.value[1]);
  return nullptr;
}

// Each page as "page N", then its runs and rules a line each, lengths in tenths of a point.
void AppendSheet(std::string& out, const std::vector<SheetPage>& pages) {
  for (std::size_t n = 0; n < pages.size(); ++n) {
    out += "page " + std::to_string(n + 1) + '\n';
    for (const SheetItem& item : pages[n].items) {
      const auto add = [&out](long long value) { out += ' ' + std::to_string(value); };
      if (item.kind == SheetItem::TEXT) {
        out += "text";
        add(item.x);
        add(item.y);
        add(item.size);
        add(item.bold);
        add(item.grey);
        out += ' ';
        AppendQuoted(out, item.text);
      } else {
        out += "rule";
        add(item.x);
        add(item.y);
        add(item.x2);
        add(item.y2);
        add(item.size);
      }
      out += '\n';
    }
  }
  out += '\n';
}

// "ticket TYPE BASE SETS": a bet type's word, a base in cents, and its sets separated by "/",
// each rows 1 to 14 separated by ",", none twice in a set.
const char* ParseTicket(const Rest& rest, ScriptCommand& command) {
  if (!rest.given) return "missing argument";
  // Three words, one space apart.
  std::string_view words[3];
  std::size_t count = 0;
  for (std::string_view line = rest.text;; ++count) {
    const std::size_t end = line.find(' ');
    if (count == 3) return "extra argument";
    words[count] = line.substr(0, end);
    if (end == std::string_view::npos) break;
    line.remove_prefix(end + 1);
  }
  if (count < 2) return "missing argument";
  int found = -1;
  for (int n = 0; n < BET_TYPE_COUNT; ++n) {
    if (words[0] == InfoOf(static_cast<BetType>(n)).word) found = n;
  }
  if (found < 0) return "no such bet type";
  command.ticket.type = static_cast<BetType>(found);
  long long base = 0;
  if (!ParseNumber(words[1], base)) return "not a number";
  if (!IsBaseCents(base)) return "base not 10, 50, 100 or 200";
  command.ticket.baseCents = static_cast<int>(base);
  std::string_view sets = words[2];
  const int positions = InfoOf(command.ticket.type).positions;
  for (int m = 0; m < positions; ++m) {
    const std::size_t slash = sets.find('/');
    if ((slash == std::string_view::npos) != (m + 1 == positions)) return "wrong number of sets";
    std::string_view set = sets.substr(0, slash);
    sets = slash == std::string_view::npos ? std::string_view() : sets.substr(slash + 1);
    while (true) {
      const std::size_t comma = set.find(',');
      long long row = 0;
      if (!ParseNumber(set.substr(0, comma), row)) return "not a number";
      if (row < 1 || row > ROW_COUNT) return "row out of range";
      const auto bit = static_cast<std::uint16_t>(1U << (row - 1));
      if (command.ticket.sets[m] & bit) return "a row twice in a set";
      command.ticket.sets[m] |= bit;
      if (comma == std::string_view::npos) break;
      set.remove_prefix(comma + 1);
    }
  }
  return nullptr;
}

const char* ParseRace(const Rest& rest, ScriptCommand& command) {
  Numbers numbers;
  if (const char* error = ReadNumbers(rest, 1, 1, numbers)) return error;
  if (numbers.value[0] < 1 || numbers.value[0] > RACE_MAX) return "no race number";
  command.id = static_cast<int>(numbers.value[0]);
  return nullptr;
}

// "track TEXT" and the like: the rest of the line, spaces and all, as "type" takes it.
const char* ParseCardText(const Rest& rest, ScriptCommand& command) {
  command.text = std::string(rest.text);
  return nullptr;
}

const char* ParseCardList(const Rest& rest, ScriptCommand& command) {
  if (!rest.given) return "missing argument";
  if (rest.text != "list") return "unknown command";
  command.kind = ScriptCommand::CARD_LIST;
  return nullptr;
}

// Changes the target's tote as change says, through SetTote as the user would.
template <typename Change>
const char* ChangeTote(ScriptTarget& target, Change change) {
  const ToteState* tote = target.Tote();
  if (!tote) return NO_TOTE;
  ToteState changed = *tote;
  change(changed);
  return target.SetTote(changed) ? nullptr : NO_TOTE;
}

const char* ApplyFile(ScriptTarget& target, const ScriptCommand& command, CommandOutput& output) {
  const bool save = command.kind == ScriptCommand::SAVE;
  LineFileError error;
  if (!(save ? target.SaveLine(command.text, error) : target.OpenLine(command.text, error))) {
    output.fileFailure = LineFileFailure(save ? LineFileAction::SAVE : LineFileAction::OPEN,
                                         command.text, error, false);
  }
  return nullptr;
}

// Prints what an import tells besides the entries it placed, one line each.
void AppendImportNotes(std::string& out, const ImportPlan& plan) {
  for (const ImportNote& note : plan.notes) {
    const std::string race = "race " + std::to_string(note.race);
    if (note.kind == ImportNote::FIELD) {
      out += "field: " + race + " has " + std::to_string(note.horses) + " horses, " +
             std::to_string(note.placed) + " entries placed\n";
      continue;
    }
    out += note.kind == ImportNote::NOT_PLACED ? "not placed: " : "not in file: ";
    out += race + ' ';
    AppendQuoted(out, note.horse.program);
    out += ' ';
    AppendQuoted(out, note.horse.name);
    out += '\n';
  }
}

const char* ApplyImportLine(ScriptTarget& target, const ScriptCommand& command,
                            CommandOutput& output) {
  if (!target.KeptCard()) return NO_CARD;
  ImportPlan plan;
  LineFileError error;
  if (target.ImportEntries(command.text, plan, error)) {
    AppendImportNotes(output.printed, plan);
  } else {
    output.fileFailure = LineFileFailure(LineFileAction::IMPORT, command.text, error, false);
  }
  return nullptr;
}

const char* ApplyTote(ScriptTarget& target, const ScriptCommand& command, CommandOutput& output) {
  switch (command.kind) {
    case ScriptCommand::TOTE:
      return ChangeTote(
          target, [&command](ToteState& tote) { SetToteText(tote, command.id - 1, command.text); });
    case ScriptCommand::TOTE_CLEAR:
      return ChangeTote(target, [](ToteState& tote) {
        ToteState cleared;
        cleared.edge = tote.edge;
        tote = cleared;
      });
    case ScriptCommand::TOTE_TABLE: {
      std::string table;
      if (!target.ToteTable(table)) return NO_TOTE;
      output.printed += table + '\n';
      return nullptr;
    }
    default: {
      const ToteState* tote = target.Tote();
      if (!tote) return NO_TOTE;
      for (int i = 0; i < ROW_COUNT; ++i) {
        output.printed += "tote " + std::to_string(i + 1) + ' ';
        AppendQuoted(output.printed, ToteText(*tote, i));
        output.printed += '\n';
      }
      output.printed += "edge " + std::to_string(tote->edge) + '\n';
      if (const Card* card = target.KeptCard()) {
        output.printed += "bankroll";
        if (card->money.bankroll >= 0) output.printed += ' ' + std::to_string(card->money.bankroll);
        output.printed += "\nkelly " + std::to_string(card->money.kelly) + '\n';
      }
      output.printed += '\n';
      return nullptr;
    }
  }
}

// Changes the target's card as change says.
template <typename Change>
const char* ChangeCard(ScriptTarget& target, Change change) {
  Card* card = target.KeptCard();
  if (!card) return NO_CARD;
  change(*card);
  return nullptr;
}

const char* ApplyHorseText(ScriptTarget& target, const ScriptCommand& command, CommandOutput&) {
  return ChangeCard(target, [&command](Card& card) {
    HorseIdentity& horse = ShownRace(card).horses[command.id - 1];
    if (command.kind == ScriptCommand::PROGRAM) SetFixedText(horse.program, command.text);
    if (command.kind == ScriptCommand::NAME) SetFixedText(horse.name, command.text);
    if (command.kind == ScriptCommand::ML) SetFixedText(horse.ml, command.text);
  });
}

const char* ApplyStakes(ScriptTarget& target, const ScriptCommand& command, CommandOutput&) {
  return ChangeCard(target, [&command](Card& card) {
    if (command.kind == ScriptCommand::BANKROLL)
      card.money.bankroll = command.pos < 0 ? NO_BANKROLL : command.pos;
    if (command.kind == ScriptCommand::KELLY) card.money.kelly = command.pos;
  });
}

const char* ApplyCardText(ScriptTarget& target, const ScriptCommand& command, CommandOutput&) {
  return ChangeCard(target, [&command](Card& card) {
    if (command.kind == ScriptCommand::TRACK) SetFixedText(card.track, command.text);
    if (command.kind == ScriptCommand::DATE) SetFixedText(card.date, command.text);
    if (command.kind == ScriptCommand::LABEL) SetFixedText(ShownRace(card).label, command.text);
  });
}

const char* ApplyCardList(ScriptTarget& target, const ScriptCommand&, CommandOutput& output) {
  const Card* card = target.KeptCard();
  if (!card) return NO_CARD;
  std::string& out = output.printed;
  out += "card ";
  AppendQuoted(out, card->track);
  out += ' ';
  AppendQuoted(out, card->date);
  out += " shown " + std::to_string(card->shown) + '\n';
  for (int r = 1; r <= RACE_MAX; ++r) {
    const Race* race = FindRace(*card, r);
    if (!race) continue;
    out += "race " + std::to_string(r) + ' ';
    AppendQuoted(out, race->label);
    out += '\n';
    for (int i = 0; i < ROW_COUNT; ++i) {
      out += "horse " + std::to_string(i + 1);
      for (const char* part : {race->horses[i].program, race->horses[i].name, race->horses[i].ml}) {
        out += ' ';
        AppendQuoted(out, part);
      }
      out += '\n';
    }
  }
  out += '\n';
  return nullptr;
}

// One row per command: its word, the kind it parses to (the tote's words choose among four),
// how its line is read and how it is applied.
struct CommandRow {
  const char* word;
  ScriptCommand::Kind kind;
  Parse parse;
  Apply apply;
};

const CommandRow COMMANDS[] = {
    {"init", ScriptCommand::INIT, ParseBare,
     [](ScriptTarget& target, const ScriptCommand&, CommandOutput&) -> const char* {
       target.Init();
       return nullptr;
     }},
    {"type", ScriptCommand::TYPE, ParseType,
     [](ScriptTarget& target, const ScriptCommand& command, CommandOutput&) -> const char* {
       target.Type(command.id, command.text);
       return nullptr;
     }},
    {"leave", ScriptCommand::LEAVE, ParseControl<IsEditField, &NO_EDIT_CONTROL>,
     [](ScriptTarget& target, const ScriptCommand& command, CommandOutput&) -> const char* {
       target.Leave(command.id);
       return nullptr;
     }},
    {"click", ScriptCommand::CLICK, ParseControl<IsCheckBox, &NO_CHECK_BOX>,
     [](ScriptTarget& target, const ScriptCommand& command, CommandOutput&) -> const char* {
       target.Click(command.id);
       return nullptr;
     }},
    {"scroll", ScriptCommand::SCROLL, ParseScroll,
     [](ScriptTarget& target, const ScriptCommand& command, CommandOutput&) -> const char* {
       const bool thumb = command.code == SCROLL_THUMBPOSITION || command.code == SCROLL_THUMBTRACK;
       target.Scroll(command.id, command.code, thumb ? command.pos : 0);
       return nullptr;
     }},
    {"command", ScriptCommand::COMMAND, ParseCommandId,
     [](ScriptTarget& target, const ScriptCommand& command, CommandOutput&) -> const char* {
       target.Command(command.id);
       return nullptr;
     }},
    {"show", ScriptCommand::SHOW, ParseBare,
     [](ScriptTarget& target, const ScriptCommand&, CommandOutput& output) -> const char* {
       AppendShow(output.printed, target.Shown());
       return nullptr;
     }},
    {"copy", ScriptCommand::COPY, ParseBare,
     [](ScriptTarget& target, const ScriptCommand&, CommandOutput& output) -> const char* {
       output.printed += target.CopiedLine() + '\n';
       return nullptr;
     }},
    {"save", ScriptCommand::SAVE, ParsePath, ApplyFile},
    {"open", ScriptCommand::OPEN, ParsePath, ApplyFile},
    {"tote", ScriptCommand::TOTE, ParseTote, ApplyTote},
    {"edge", ScriptCommand::EDGE, ParseEdge,
     [](ScriptTarget& target, const ScriptCommand& command, CommandOutput&) -> const char* {
       return ChangeTote(target, [&command](ToteState& tote) { tote.edge = command.pos; });
     }},
    {"race", ScriptCommand::RACE, ParseRace,
     [](ScriptTarget& target, const ScriptCommand& command, CommandOutput&) -> const char* {
       return target.KeptCard() && target.GoToRace(command.id) ? nullptr : NO_CARD;
     }},
    {"program", ScriptCommand::PROGRAM, ParseHorseText, ApplyHorseText},
    {"name", ScriptCommand::NAME, ParseHorseText, ApplyHorseText},
    {"ml", ScriptCommand::ML, ParseHorseText, ApplyHorseText},
    {"track", ScriptCommand::TRACK, ParseCardText, ApplyCardText},
    {"date", ScriptCommand::DATE, ParseCardText, ApplyCardText},
    {"label", ScriptCommand::LABEL, ParseCardText, ApplyCardText},
    {"bankroll", ScriptCommand::BANKROLL, ParseBankroll, ApplyStakes},
    {"kelly", ScriptCommand::KELLY, ParseKelly, ApplyStakes},
    {"card", ScriptCommand::CARD_LIST, ParseCardList, ApplyCardList},
    {"import", ScriptCommand::IMPORT, ParsePath, ApplyImportLine},
    {"sheet", ScriptCommand::SHEET, ParseSheet,
     [](ScriptTarget& target, const ScriptCommand& command, CommandOutput& output) -> const char* {
       // The runner's page keeps half an inch on every side.
       const SheetPaper paper{command.id * SHEET_UNITS_PER_POINT,
                              command.pos * SHEET_UNITS_PER_POINT,
                              360,
                              360,
                              360,
                              360};
       std::vector<SheetPage> pages;
       if (!target.Sheet(paper, pages)) return NO_CARD;
       AppendSheet(output.printed, pages);
       return nullptr;
     }},
    {"ticket", ScriptCommand::TICKET, ParseTicket,
     [](ScriptTarget& target, const ScriptCommand& command, CommandOutput& output) -> const char* {
       TicketPrice price;
       if (const char* error = target.PriceTicket(command.ticket, price)) return error;
       output.printed +=
           FormatTicketTable(price, InfoOf(command.ticket.type).positions, "\n") + '\n';
       return nullptr;
     }},
    {"undo", ScriptCommand::UNDO, ParseBare,
     [](ScriptTarget& target, const ScriptCommand&, CommandOutput&) -> const char* {
       return target.Undo() ? nullptr : NO_HISTORY;
     }},
    {"redo", ScriptCommand::REDO, ParseBare,
     [](ScriptTarget& target, const ScriptCommand&, CommandOutput&) -> const char* {
       return target.Redo() ? nullptr : NO_HISTORY;
     }},
};

// Whether a command ends a step of the history once applied: every delivery of the user's
// actions to the dialog, a notification that the copies deliver first included. A race's move
// ends the step of each race itself, and a scroll's run ends at the next line of another kind.
bool EndsStep(ScriptCommand::Kind kind) {
  switch (kind) {
    case ScriptCommand::INIT:
    case ScriptCommand::LEAVE:
    case ScriptCommand::CLICK:
    case ScriptCommand::COMMAND:
    case ScriptCommand::OPEN:
    case ScriptCommand::IMPORT:
    case ScriptCommand::COPY:
    case ScriptCommand::SHEET:
    case ScriptCommand::TICKET:
    case ScriptCommand::TOTE_TABLE: return true;
    default: return false;
  }
}

// The row that applies a command of kind.
const CommandRow& RowOf(ScriptCommand::Kind kind) {
  switch (kind) {
    case ScriptCommand::TOTE_CLEAR:
    case ScriptCommand::TOTE_TABLE:
    case ScriptCommand::TOTE_LIST: kind = ScriptCommand::TOTE; break;
    default: break;
  }
  for (const CommandRow& row : COMMANDS) {
    if (row.kind == kind) return row;
  }
  return COMMANDS[0];  // every kind has its row
}

}  // namespace

const char* ParseCommand(std::string_view line, ScriptCommand& command) {
  const std::size_t space = line.find(' ');
  const std::string_view word = line.substr(0, space);
  const Rest rest{space == std::string_view::npos ? std::string_view() : line.substr(space + 1),
                  space != std::string_view::npos};
  for (const CommandRow& row : COMMANDS) {
    if (word != row.word) continue;
    command = ScriptCommand();
    command.kind = row.kind;
    return row.parse(rest, command);
  }
  return "unknown command";
}

std::string FormatCommand(const ScriptCommand& command) {
  std::string line = RowOf(command.kind).word;
  const auto add = [&line](long long value) { line += ' ' + std::to_string(value); };
  switch (command.kind) {
    case ScriptCommand::TYPE:
    case ScriptCommand::TOTE:
    case ScriptCommand::PROGRAM:
    case ScriptCommand::NAME:
    case ScriptCommand::ML:
      add(command.id);
      if (!command.text.empty()) line += ' ' + command.text;
      break;
    case ScriptCommand::TRACK:
    case ScriptCommand::DATE:
    case ScriptCommand::LABEL:
      if (!command.text.empty()) line += ' ' + command.text;
      break;
    case ScriptCommand::RACE: add(command.id); break;
    case ScriptCommand::CARD_LIST: line += " list"; break;
    case ScriptCommand::LEAVE:
    case ScriptCommand::CLICK:
    case ScriptCommand::COMMAND: add(command.id); break;
    case ScriptCommand::SCROLL:
      add(command.id);
      add(command.code);
      if (command.hasPos) add(command.pos);
      break;
    case ScriptCommand::SAVE:
    case ScriptCommand::OPEN:
    case ScriptCommand::IMPORT: line += ' ' + command.text; break;
    case ScriptCommand::TOTE_CLEAR: line += " clear"; break;
    case ScriptCommand::TOTE_TABLE: line += " table"; break;
    case ScriptCommand::TOTE_LIST: line += " list"; break;
    case ScriptCommand::EDGE: add(command.pos); break;
    case ScriptCommand::SHEET:
      add(command.id);
      add(command.pos);
      break;
    case ScriptCommand::BANKROLL:
      if (command.pos >= 0) add(command.pos);
      break;
    case ScriptCommand::KELLY: add(command.pos); break;
    case ScriptCommand::TICKET: {
      const int positions = InfoOf(command.ticket.type).positions;
      line += ' ';
      line += InfoOf(command.ticket.type).word;
      add(command.ticket.baseCents);
      for (int m = 0; m < positions; ++m) {
        line += m == 0 ? ' ' : '/';
        bool first = true;
        for (int i = 0; i < ROW_COUNT; ++i) {
          if (!(command.ticket.sets[m] & (1U << i))) continue;
          if (!first) line += ',';
          line += std::to_string(i + 1);
          first = false;
        }
      }
      break;
    }
    default: break;
  }
  return line;
}

const char* ApplyCommand(ScriptTarget& target, const ScriptCommand& command,
                         CommandOutput& output) {
  const Apply apply = RowOf(command.kind).apply;
  return apply(target, command, output);
}

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7f) {
      AppendHexEscape(out, byte, HexDigits::LOWER);
    } else {
      out += c;
    }
  }
  out += '"';
}

void AppendShow(std::string& out, const DialogSnapshot& shown) {
  const auto flag = [&out](const char* name, bool on) {
    out += ' ';
    out += name;
    out += on ? "=1" : "=0";
  };
  const auto field = [&](const char* name, int id) {
    out += name;
    out += ' ';
    AppendQuoted(out, shown[id].text);
    flag("mod", shown[id].modified);
    out += '\n';
  };
  field("line", IDC_LINE);
  field("horses", IDC_HORSES);
  for (int i = 0; i < ROW_COUNT; ++i) {
    const ControlState& bar = shown[IDC_POOL_BAR + i];
    out += "row " + std::to_string(i + 1) + " odds ";
    AppendQuoted(out, shown[IDC_ODDS + i].text);
    flag("mod", shown[IDC_ODDS + i].modified);
    out += " win ";
    AppendQuoted(out, shown[IDC_WIN_PCT + i].text);
    out += " bar " + std::to_string(bar.pos) + ' ' + std::to_string(bar.min) + ".." +
           std::to_string(bar.max);
    flag("arrows", bar.arrows);
    flag("lock", shown[IDC_LOCK + i].checked);
    flag("scr", shown[IDC_SCRATCH + i].checked);
    out += '\n';
  }
  out += '\n';
}

bool ScriptTarget::SaveLine(const std::string& /*path*/, LineFileError& error) {
  error = {0, "this dialog keeps no files"};
  return false;
}

bool ScriptTarget::OpenLine(const std::string& /*path*/, LineFileError& error) {
  error = {0, "this dialog keeps no files"};
  return false;
}

const ToteState* ScriptTarget::Tote() { return nullptr; }

bool ScriptTarget::SetTote(const ToteState& /*tote*/) { return false; }

bool ScriptTarget::ToteTable(std::string& /*table*/) { return false; }

bool ScriptTarget::Sheet(const SheetPaper& /*paper*/, std::vector<SheetPage>& /*pages*/) {
  return false;
}

const char* ScriptTarget::PriceTicket(const Ticket& /*ticket*/, TicketPrice& /*price*/) {
  return NO_CARD;
}

Card* ScriptTarget::KeptCard() { return nullptr; }

bool ScriptTarget::GoToRace(int /*race*/) { return false; }

void ScriptTarget::EndStep() {}

bool ScriptTarget::Undo() { return false; }

bool ScriptTarget::Redo() { return false; }

bool ScriptTarget::ImportEntries(const std::string& /*path*/, ImportPlan& /*plan*/,
                                 LineFileError& error) {
  error = {0, "this dialog keeps no card"};
  return false;
}

int RunScript(ScriptTarget& target, std::FILE* in, std::FILE* out, std::FILE* err,
              const char* name) {
  std::string line;
  bool fileFailed = false;
  // A failed save, open or import changes nothing and the script goes on; the status tells
  // of it.
  const auto status = [&fileFailed](int code) {
    return code == 0 && fileFailed ? STATUS_FILE_FAILED : code;
  };
  ScriptCommand command;
  CommandOutput output;
  int scrolling = 0;  // the bar of the run of scroll lines not yet ended, or 0
  for (long long number = 1; ReadLine(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    output.printed.clear();
    output.fileFailure.clear();
    const char* error =
        line.find('\0') != std::string::npos ? "NUL byte in line" : ParseCommand(line, command);
    if (!error && scrolling != 0 &&
        (command.kind != ScriptCommand::SCROLL || command.id != scrolling)) {
      target.EndStep();
      scrolling = 0;
    }
    if (!error) error = ApplyCommand(target, command, output);
    if (!error && EndsStep(command.kind)) target.EndStep();
    if (!error && command.kind == ScriptCommand::SCROLL) scrolling = command.id;
    if (error) {
      std::string quoted;
      AppendQuoted(quoted, line);
      std::fprintf(err, "%s: line %lld: %s: %s\n", name, number, error, quoted.c_str());
      std::fflush(out);
      return STATUS_BAD_LINE;
    }
    std::fwrite(output.printed.data(), 1, output.printed.size(), out);
    if (!output.fileFailure.empty()) {
      fileFailed = true;
      std::fflush(out);
      std::fprintf(err, "%s: line %lld: %s\n", name, number, output.fileFailure.c_str());
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
