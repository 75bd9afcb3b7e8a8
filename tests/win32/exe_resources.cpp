// Resources read out of a built executable loaded as a data file; see exe_resources.h.
#include "tests/win32/exe_resources.h"

#include <cstdio>

ResourceBytes LoadExeResource(const char* path, const char* name, const char* type) {
  const HMODULE module =
      LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) {
    std::fprintf(stderr, "cannot load %s (error %lu)\n", path, GetLastError());
    return {nullptr, 0};
  }
  const HRSRC found = FindResourceA(module, name, type);
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (!loaded) {
    std::fprintf(stderr, "%s has no such resource\n", path);
    return {nullptr, 0};
  }
  return {static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(module, found)};
}
