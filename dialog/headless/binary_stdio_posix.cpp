// POSIX streams are bytes already.
#include "dialog/headless/binary_stdio.h"

void UseBinaryStdio() {}
