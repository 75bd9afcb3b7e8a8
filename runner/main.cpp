// oddsmith-headless: drives the main dialog's dispatch from an event script and prints the
// controls, so behaviour can be tested end to end and bugs reported as replayable scripts.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "dialog/headless/headless_dialog.h"
#include "runner/binary_stdio.h"

int main(int argc, char** argv) {
  const char* name = "oddsmith-headless";
  if (argc > 2) {
    std::fprintf(stderr, "usage: %s [SCRIPT]\n", name);
    return 2;
  }
  UseBinaryStdio();
  std::FILE* in = stdin;
  const char* source = "standard input";
  if (argc == 2) {
    source = argv[1];
    in = std::fopen(source, "rb");
    if (!in) {
      std::fprintf(stderr, "%s: cannot read %s: %s\n", name, source, std::strerror(errno));
      return 2;
    }
  }
  HeadlessDialog dialog;
  int status = RunScript(dialog, in, stdout, stderr, name);
  if (std::ferror(in)) {
    std::fprintf(stderr, "%s: cannot read %s\n", name, source);
    status = 2;
  }
  if (in != stdin) std::fclose(in);
  if (std::fflush(stdout) != 0) {
    std::fprintf(stderr, "%s: cannot write the output\n", name);
    status = 2;
  }
  return status;
}
