// A row's identity as the tips, the tables and the screen readers give it.
#include "book/identity.h"

namespace {

// A part with something to show.
bool Given(const char* part) { return part[0] != '\0'; }

}  // namespace

bool HasIdentity(const HorseIdentity& horse) {
  return Given(horse.program) || Given(horse.name) || Given(horse.ml);
}

void AddIdentityPart(TextBuilder& text, const char* part) {
  for (; *part != '\0'; ++part) {
    if (*part == '\t' || *part == '\r' || *part == '\n') {
      text.Add(" ");
    } else {
      text.AddUtf8FromCp1252(std::string_view(part, 1));
    }
  }
}

void AddIdentity(TextBuilder& text, const HorseIdentity& horse) {
  AddIdentityPart(text, horse.program);
  if (Given(horse.program) && Given(horse.name)) text.Add(" ");
  AddIdentityPart(text, horse.name);
  if (!Given(horse.ml)) return;
  if (Given(horse.program) || Given(horse.name)) text.Add(" \xC2\xB7 ");  // a middle dot
  text.Add("ML ");
  AddIdentityPart(text, horse.ml);
}

void AddIdentityDescription(TextBuilder& text, const HorseIdentity& horse) {
  AddIdentityPart(text, horse.program);
  if (Given(horse.program) && Given(horse.name)) text.Add(" ");
  AddIdentityPart(text, horse.name);
  if (!Given(horse.ml)) return;
  text.Add(Given(horse.program) || Given(horse.name) ? ", morning line " : "morning line ");
  AddIdentityPart(text, horse.ml);
}
