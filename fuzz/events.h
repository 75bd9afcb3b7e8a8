// The byte encoding of a user session for the dialog fuzzer: every byte string decodes to a
// sequence of the runner's commands (runner/script.h), so the fuzzer's mutations always make a
// session. The same encoding turns event scripts into seeds.
#ifndef ODDSMITH_FUZZ_EVENTS_H
#define ODDSMITH_FUZZ_EVENTS_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "runner/script.h"

// One event, op byte first (op = byte % 7), then its operands:
//   0 init
//   1 type    field, length, text    field % 16: 144, 146, 167..180; length 255 is followed
//   6 type and leave (same operands)  by a 16-bit little-endian length
//   2 leave   field
//   3 click   box % 28: 115..142
//   4 scroll  bar % 14: 101..114, code % 10 (9: a code no bar sends), position 4 bytes
//             little-endian, top bit dropped
//   5 command 1 + byte % 2: OK or Cancel
// A stream that ends inside an event ends the session there; a text is cut at the end.

// Decodes the next event from data[at, size) into commands and advances at. Returns how many
// commands it is (one; two for type and leave), or 0 at the end. A scroll's code 9 stands for a
// code no bar sends, which the runner's language cannot say.
int NextEvent(const std::uint8_t* data, std::size_t size, std::size_t& at,
              ScriptCommand (&commands)[2]);

// Encodes one command (the inverse of NextEvent): init, type, leave, click, scroll and
// command, with the identifiers their kind takes; false for anything else.
bool AppendEvent(std::vector<std::uint8_t>& out, const ScriptCommand& command);

#endif
