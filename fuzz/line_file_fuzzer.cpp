// libFuzzer entry: any bytes as a line file; see line_file_invariants.h.
#include <cstdio>
#include <cstdlib>

#include "fuzz/line_file_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure = CheckLineFile(data, size);
  if (!failure.empty()) {
    std::fprintf(stderr, "line file invariant broken: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
