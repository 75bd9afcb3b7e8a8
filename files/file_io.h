// Whole files in and out, for the line files. One interface, a POSIX and a Win32 file behind
// it (CMake picks one), so every face saves alike: nothing half-written is ever left in place.
#ifndef ODDSMITH_FILES_FILE_IO_H
#define ODDSMITH_FILES_FILE_IO_H

#include <cstddef>
#include <string>
#include <string_view>

// For tests only: makes the write fail, as a full disk would, once failAfter bytes are
// written to the temporary file.
struct WriteFault {
  std::size_t failAfter;
};

// Replaces the file at path (UTF-8) by content in one step: content goes to a temporary file
// beside the target, is flushed to the disk, and the temporary file then takes the target's
// name, so the old file is either intact or wholly replaced. On failure returns false, leaves
// the target as it was, removes the temporary file and puts the reason into error.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error,
                         const WriteFault* fault = nullptr);

// Reads the whole file at path (UTF-8) into content. A file of more than limit bytes is refused
// before it is read ("tooLarge" set); so are folders. On failure returns false with the reason
// in error.
bool ReadFileLimited(const std::string& path, std::size_t limit, std::string& content,
                     std::string& error, bool& tooLarge);

#endif
