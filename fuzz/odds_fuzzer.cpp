// libFuzzer entry: any bytes as a number and a typed odds text; see odds_invariants.h.
#include <cstdio>
#include <cstdlib>

#include "fuzz/odds_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure = CheckOddsInput(data, size);
  if (!failure.empty()) {
    std::fprintf(stderr, "odds invariant broken: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
