// The byte encoding of a user session for the dialog fuzzer: every byte string decodes to a
// sequence of events, so the fuzzer's mutations always make a session. The same encoding
// turns event scripts into seeds.
#ifndef ODDSMITH_FUZZ_EVENTS_H
#define ODDSMITH_FUZZ_EVENTS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One event, op byte first (op = byte % 7), then its operands:
//   0 init
//   1 type    field, length, text    field % 16: 144, 146, 167..180; length 255 is followed
//   6 type+leave (same operands)     by a 16-bit little-endian length
//   2 leave   field
//   3 click   box % 28: 115..142
//   4 scroll  bar % 14: 101..114, code % 10 (9: a code no bar sends), position 4 bytes
//             little-endian, top bit dropped
//   5 command 1 + byte % 2: OK or Cancel
// A stream that ends inside an event ends the session there; a text is cut at the end.
struct Event {
  enum Kind { INIT, TYPE, LEAVE, CLICK, SCROLL, COMMAND, TYPE_LEAVE } kind;
  int id = 0;         // the control, or the command's identifier
  unsigned code = 0;  // the scroll code
  int pos = 0;        // the thumb position, 0 to 2^31 - 1
  std::string text;   // what is typed
};

// Decodes the next event from data[at, size) and advances at; false at the end.
bool NextEvent(const std::uint8_t* data, std::size_t size, std::size_t& at, Event& event);

// Encodes one event (the inverse of NextEvent). The identifiers must be of the kind the event
// takes; false otherwise.
bool AppendEvent(std::vector<std::uint8_t>& out, const Event& event);

#endif
