// Checks the import of entries: any bytes are refused, changing nothing, or imported into a
// card that holds a line, never moving a share, a lock or a tote price of a race that keeps it.
#ifndef ODDSMITH_FUZZ_IMPORT_INVARIANTS_H
#define ODDSMITH_FUZZ_IMPORT_INVARIANTS_H

#include <cstddef>
#include <cstdint>
#include <string>

// data is a whole file of entries. Returns an empty string when every check held, else what
// broke.
std::string CheckImport(const std::uint8_t* data, std::size_t size);

#endif
