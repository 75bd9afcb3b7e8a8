// libFuzzer entry: any bytes as a file of entries; see import_invariants.h.
#include <cstdio>
#include <cstdlib>

#include "fuzz/import_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure = CheckImport(data, size);
  if (!failure.empty()) {
    std::fprintf(stderr, "import invariant broken: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
