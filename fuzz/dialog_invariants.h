// Plays a user session through the main dialog's dispatch and checks, after every event, what
// the dialog must show: each check follows from the required behaviour, computed apart from
// the code under test.
#ifndef ODDSMITH_FUZZ_DIALOG_INVARIANTS_H
#define ODDSMITH_FUZZ_DIALOG_INVARIANTS_H

#include <cstddef>
#include <cstdint>
#include <string>

// Decodes data as an event stream (events.h), plays it on a fresh HeadlessDialog and returns
// an empty string when every check held, else the session up to the failing event in script
// form and what broke.
std::string CheckDialogSession(const std::uint8_t* data, std::size_t size);

#endif
