// libFuzzer entry: any bytes as a user session on the dialog; see dialog_invariants.h.
#include <cstdio>
#include <cstdlib>

#include "fuzz/dialog_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure = CheckDialogSession(data, size);
  if (!failure.empty()) {
    std::fprintf(stderr, "dialog invariant broken after this session:\n%s", failure.c_str());
    std::abort();
  }
  return 0;
}
