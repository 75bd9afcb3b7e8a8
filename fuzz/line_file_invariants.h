// Checks the line-file reader: any bytes are refused or read, never anything worse, and a file
// it reads saves back to a file that opens to the same dialog.
#ifndef ODDSMITH_FUZZ_LINE_FILE_INVARIANTS_H
#define ODDSMITH_FUZZ_LINE_FILE_INVARIANTS_H

#include <cstddef>
#include <cstdint>
#include <string>

// data is a whole file. Returns an empty string when every check held, else what broke.
std::string CheckLineFile(const std::uint8_t* data, std::size_t size);

#endif
