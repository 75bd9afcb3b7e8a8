// A day's entries brought in from elsewhere: program numbers, names, morning lines and scratches
// read from a spreadsheet's table (tab- or comma-separated, with a header naming its columns) or
// from the comma-separated single-file past-performance format the data vendors sell, and placed
// on the card race by race without moving any share of a line already made.
#ifndef ODDSMITH_ENTRIES_ENTRIES_H
#define ODDSMITH_ENTRIES_ENTRIES_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "book/identity.h"
#include "card/card.h"
#include "dialog/surface.h"
#include "files/line_file.h"

// A file of entries larger than this is refused before it is read.
constexpr std::size_t ENTRIES_FILE_SIZE_MAX = std::size_t{16} << 20;

// One horse of the file, its texts in code page 1252 like every text the card keeps.
struct Entry {
  int race = 0;  // 1 to RACE_MAX
  HorseIdentity horse;
  bool scratched = false;
  bool alsoEligible = false;
};

// What a file holds, its entries in file order.
struct EntryList {
  std::string track;  // empty where the file names none
  std::string date;
  std::vector<Entry> entries;
};

// Reads a file's bytes. False, with the line to blame (0 for the file as a whole) and the
// reason in error, for anything that is not a table of entries or the single-file format.
bool ParseEntries(std::string_view bytes, EntryList& list, LineFileError& error);

// Reads path (UTF-8) as ParseEntries reads bytes; a file over ENTRIES_FILE_SIZE_MAX is refused
// before it is read.
bool ReadEntriesFile(const std::string& path, EntryList& list, LineFileError& error);

// What an import does, or did, that the user is told of besides the entries placed.
struct ImportNote {
  enum Kind {
    NOT_PLACED,   // an entry with no row for it: beyond 14, or no row without an identity left
    NOT_IN_FILE,  // a row whose horse the file no longer lists; it keeps its identity and share
    FIELD,        // the field size differs from the entries placed; neither is changed
  } kind;
  int race;
  HorseIdentity horse;  // NOT_PLACED, NOT_IN_FILE
  int horses;           // FIELD: the race's field size
  int placed;           // FIELD: the entries placed in it
};

// What an import does to one race of the file.
struct ImportedRace {
  int number = 0;
  bool keepsLine = false;  // the race held work, so its entries were matched to its rows
  int matched = 0;         // entries matched to a row that had their horse
  int placed = 0;          // entries that took a row of their own
  int scratched = 0;       // rows the import scratches
  Race race;               // the race as the import leaves it
};

// An import worked out against a card, to be shown and then applied, or dropped.
struct ImportPlan {
  std::string track;  // the card's track and date afterwards
  std::string date;
  std::vector<ImportedRace> races;  // in race order
  std::vector<ImportNote> notes;    // race by race; in a race, entries in file order, then rows
};

// Works out what importing list into card, whose shown race surface shows now, does; the card
// and the surface are not changed. The caller takes the typed entries first, as "Copy line"
// does.
ImportPlan PlanImport(Card& card, DialogSurface& surface, const EntryList& list);

// Makes the card what plan says; the shown race, when imported, is shown on surface as it now
// is. REQUIRES: plan was worked out against card and surface as they are.
void ApplyImport(const ImportPlan& plan, Card& card, DialogSurface& surface);

// What a window asks before it applies plan (UTF-8): what each race gets, the notes, and
// whether to go on.
std::string ImportQuestion(const ImportPlan& plan);

// The words of the commands, the same in every program.
inline constexpr char IMPORT_MENU_TEXT[] = "&Import entries...";
// Without a mnemonic: every letter of it is one of the Windows system menu's already.
inline constexpr char PASTE_ENTRIES_MENU_TEXT[] = "Paste entries";
inline constexpr char IMPORT_BUTTON_TEXT[] = "&Import entries...";
inline constexpr char IMPORT_CAPTION[] = "Import entries";

// What a paste of a table the clipboard holds says when it is refused, as a message box shows
// it: "Cannot paste entries: line M: REASON", the file's words said of the clipboard.
std::string PasteFailure(const LineFileError& error);

#endif
