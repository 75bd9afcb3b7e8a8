// The Windows C library translates CR LF on text streams; scripts and output are bytes.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "runner/binary_stdio.h"

void UseBinaryStdio() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}
