// Reads resources out of a built executable without running it, so tests check the very
// bytes that ship.
#ifndef ODDSMITH_TESTS_WIN32_EXE_RESOURCES_H
#define ODDSMITH_TESTS_WIN32_EXE_RESOURCES_H

#include <windows.h>

#include <cstddef>

struct ResourceBytes {
  const unsigned char* data;  // owned by the loaded module, valid until the process ends
  std::size_t size;
};

// The resource name/type of the executable at path; data nullptr when the file or the
// resource is missing (the reason goes to stderr).
ResourceBytes LoadExeResource(const char* path, const char* name, const char* type);

#endif
