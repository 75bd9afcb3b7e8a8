// Who a row of the dialog stands for: the horse's program number as the track prints it ("1A",
// which differs from the row once horses are scratched or coupled), its name and its morning
// line. Code-page-1252 bytes like every control text, empty where not known, cut at their
// limits.
#ifndef ODDSMITH_BOOK_IDENTITY_H
#define ODDSMITH_BOOK_IDENTITY_H

#include <cstddef>
#include <string_view>

#include "text/text.h"

constexpr std::size_t PROGRAM_MAX = 4;  // "1A", "12"
constexpr std::size_t HORSE_NAME_MAX = 40;
constexpr std::size_t MORNING_LINE_MAX = 8;  // a price as the tote reads one: "5-2", "EVEN"

struct HorseIdentity {
  char program[PROGRAM_MAX + 1] = {};
  char name[HORSE_NAME_MAX + 1] = {};
  char ml[MORNING_LINE_MAX + 1] = {};
};

// True when any part of the identity is known.
bool HasIdentity(const HorseIdentity& horse);

// Appends a part as a table's cell or a tip takes it: UTF-8, each tab, CR and LF a space.
void AddIdentityPart(TextBuilder& text, const char* part);

// Appends "1A Secretariat · ML 5-2" (UTF-8): the program number and the name joined by one
// space, then "ML" and the morning line, the parts present joined by " · ". Nothing for a horse
// without an identity.
void AddIdentity(TextBuilder& text, const HorseIdentity& horse);

// Appends what a screen reader says of the horse: "1A Secretariat, morning line 5-2", the parts
// present. Nothing for a horse without an identity.
void AddIdentityDescription(TextBuilder& text, const HorseIdentity& horse);

// The longest text of AddIdentity or AddIdentityDescription, every part at its limit in
// characters of three bytes: what a buffer for a tip or a name must leave room for.
constexpr std::size_t IDENTITY_TEXT_MAX =
    3 * (PROGRAM_MAX + HORSE_NAME_MAX + MORNING_LINE_MAX) + 32;

#endif
