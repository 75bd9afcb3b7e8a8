// POSIX streams are bytes already.
#include "runner/binary_stdio.h"

void UseBinaryStdio() {}
